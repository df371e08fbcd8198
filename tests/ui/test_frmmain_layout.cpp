#include "core/texts.h"
#include "tests/ui/uiharness.h"
#include "ui/optionscommands.h"
#include "ui/runwaylists.h"
#include "ui/uitexts.h"
#include "ui/windowform.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QWindow>

// The window as designed: controls, captions, arrangement, focus order,
// accessible names, the runway lists and the options and help commands.
class TestFrmMainLayout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { h = std::make_unique<UiHarness>(); }
    void cleanup() { h.reset(); }
    void controlsAndCaptions();
    void arrangementKeepsTextUnclipped();
    void screenshot();
    void menus();
    void focusOrder();
    void accessibleNames();
    void addRunway_data();
    void addRunway();
    void runwayRowsStayAligned();
    void atisFileLocation();
    void aboutAndDocumentation();

private:
    std::unique_ptr<UiHarness> h;
};

void TestFrmMainLayout::controlsAndCaptions()
{
    frmMain& w = h->start();
    QCOMPARE(w.windowHandle()->title(), QStringLiteral("Briefcast"));
    const QList<QPair<QWidget*, QString>> captions{{Ui(w).Frame1, "Profiles"},
                                                   {Ui(w).Frame2, "ATIS"},
                                                   {Ui(w).Frame3, "Runways"},
                                                   {Ui(w).Label3, "Airport Code:"},
                                                   {Ui(w).Label6, "Saved Profiles:"},
                                                   {Ui(w).cmdLoad, "Load"},
                                                   {Ui(w).cmdSave, "Save"},
                                                   {Ui(w).cmdDelete, "Delete"},
                                                   {Ui(w).cmdExit, "Exit"},
                                                   {Ui(w).Label1, "Template:"},
                                                   {Ui(w).Label2, "Last Generated ATIS:"},
                                                   {Ui(w).cmdStartStop, "Start"},
                                                   {Ui(w).cmdCopy, "Copy to Clipboard"},
                                                   {Ui(w).cmdRefresh, "Refresh ATIS Now"},
                                                   {Ui(w).lblATISCode, "Starting Code:"},
                                                   {Ui(w).Label4, "Landing:"},
                                                   {Ui(w).Label5, "Departing:"},
                                                   {Ui(w).cmdAddRunway, "Add Runway"},
                                                   {Ui(w).cmdDelRunway, "Del Runway"},
                                                   {Ui(w).chkVisual, "Visual approaches in use"},
                                                   {Ui(w).chkLAHSO, "LAHSOs in effect"},
                                                   {Ui(w).Label7, "Last METAR:"}};
    for (const auto& [widget, caption] : captions) {
        QString text;
        if (auto* g = qobject_cast<QGroupBox*>(widget))
            text = g->title();
        else if (auto* l = qobject_cast<QLabel*>(widget))
            text = l->text();
        else if (auto* b = qobject_cast<QAbstractButton*>(widget))
            text = b->text();
        QCOMPARE(text, caption);
    }
    // Grouping: each control sits in its frame.
    for (QWidget* c :
         {(QWidget*)Ui(w).txtICAO, (QWidget*)Ui(w).cboProfiles, (QWidget*)Ui(w).cmdLoad})
        QCOMPARE(c->parentWidget(), Ui(w).Frame1);
    for (QWidget* c :
         {(QWidget*)Ui(w).txtTemplate, (QWidget*)Ui(w).txtATIS, (QWidget*)Ui(w).cboATISCode})
        QCOMPARE(c->parentWidget(), Ui(w).Frame2);
    for (QWidget* c :
         {(QWidget*)Ui(w).lstArriving, (QWidget*)Ui(w).chkLAHSO, (QWidget*)Ui(w).cmdDelRunway})
        QCOMPARE(c->parentWidget(), Ui(w).Frame3);
    QCOMPARE(Ui(w).cmdExit->parentWidget(), w.centralWidget());

    QCOMPARE(Ui(w).cboATISCode->count(), 26);
    QCOMPARE(Ui(w).cboATISCode->itemText(23), QStringLiteral("X-RAY"));
    QCOMPARE(Ui(w).cboATISCode->currentText(), QStringLiteral("ALPHA"));
    QVERIFY(!Ui(w).cboATISCode->isEditable());
    QVERIFY(!Ui(w).cboProfiles->isEditable());
    QVERIFY(Ui(w).txtATIS->isReadOnly());
    QVERIFY(Ui(w).txtLastMETAR->isReadOnly());
    QVERIFY(!Ui(w).txtTemplate->isReadOnly());
    QCOMPARE(Ui(w).tmrMain->interval(), 1000);
    QVERIFY(!Ui(w).tmrMain->isActive());
}

void TestFrmMainLayout::arrangementKeepsTextUnclipped()
{
    frmMain& w = h->start();
    const double s = w.layoutScale();
    QVERIFY(s >= 1.0);
    // The design in pixels at 96 dpi, every one scaled by the same factor.
    const QList<QPair<QWidget*, QRect>> design{{Ui(w).Frame1, QRect(5, 5, 513, 47)},
                                               {Ui(w).Frame3, QRect(429, 57, 169, 249)},
                                               {Ui(w).cmdRefresh, QRect(157, 216, 106, 25)},
                                               {Ui(w).txtLastMETAR, QRect(77, 312, 400, 19)}};
    auto near = [s](int actual, int designed) { return std::abs(actual - designed * s) <= 0.5; };
    for (const auto& [widget, r] : design) {
        const QRect g = widget->geometry();
        QVERIFY2(near(g.x(), r.x()) && near(g.y(), r.y()) && near(g.width(), r.width()) &&
                     near(g.height(), r.height()),
                 qPrintable(widget->objectName()));
    }
    QVERIFY(near(w.centralWidget()->width(), 604) && near(w.centralWidget()->height(), 337));
    // Every caption fits the font it is shown in, with room for a button's
    // frame or a check box's indicator.
    for (QWidget* c : w.centralWidget()->findChildren<QWidget*>()) {
        QString text;
        int room = 0;
        if (auto* l = qobject_cast<QLabel*>(c))
            text = l->text();
        else if (auto* b = qobject_cast<QPushButton*>(c))
            text = b->text(), room = 8;
        else if (auto* k = qobject_cast<QCheckBox*>(c))
            text = k->text(), room = k->style()->pixelMetric(QStyle::PM_IndicatorWidth) + 4;
        else
            continue;
        const QFontMetrics fm(c->font());
        QVERIFY2(c->width() >= fm.horizontalAdvance(text) + room && c->height() >= fm.height(),
                 qPrintable(c->objectName()));
    }
    const QFontMetrics fm(Ui(w).lblATISCode->font());
    QVERIFY(Ui(w).lblATISCode->width() >= fm.horizontalAdvance(Texts::CurrentCode));
    QVERIFY(Ui(w).cboATISCode->width() >= Ui(w).cboATISCode->sizeHint().width());
    // Frame captions stay above the controls inside.
    QVERIFY(Ui(w).cmdLoad->y() > QFontMetrics(Ui(w).Frame1->font()).height());
}

void TestFrmMainLayout::screenshot()
{
    frmMain& w = h->start();
    Ui(w).txtICAO->setText("KSEA");
    w.form().appendRunway("16L");
    w.form().appendRunway("16C");
    w.form().setArrivingTicked(0, true);
    w.form().setDepartingTicked(1, true);
    QTest::mouseClick(Ui(w).cmdRefresh, Qt::LeftButton);
    QVERIFY(w.form().atisText().contains(QStringLiteral("Information ALPHA")));
    QDir().mkpath(BRIEFCAST_SCREENSHOTS);
    const QString name = qEnvironmentVariable("BRIEFCAST_SCREENSHOT_NAME", "main.png");
    QVERIFY(w.grab().save(QDir(BRIEFCAST_SCREENSHOTS).filePath(name)));
}

void TestFrmMainLayout::menus()
{
    frmMain& w = h->start();
    const QList<QAction*> top = w.menuBar()->actions();
    QCOMPARE(top.size(), 3);
    QCOMPARE(top[0]->text(), QStringLiteral("&File"));
    QCOMPARE(top[1]->text(), QStringLiteral("&Options"));
    QCOMPARE(top[2]->text(), QStringLiteral("&Help"));
    QStringList file;
    for (QAction* a : top[0]->menu()->actions())
        file.append(a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(file, (QStringList{"&Start Autoupdate", "&Copy ATIS to Clipboard", "&Refresh ATIS Now",
                                "Spea&k ATIS", "-", "E&xit"}));
    QCOMPARE(Ui(w).mnuOptionsUpdateATISFile->text(),
             QStringLiteral("&Update ATIS.txt Automatically"));
    QVERIFY(Ui(w).mnuOptionsUpdateATISFile->isCheckable());
    QCOMPARE(Ui(w).mnuOptionsATISLoc->text(), QStringLiteral("ATIS.txt &Location"));
    QCOMPARE(Ui(w).mnuHelpDocumentation->text(), QStringLiteral("&Documentation"));
    QCOMPARE(Ui(w).mnuHelpAbout->text(), QStringLiteral("&About"));

    // The check mark toggles and nothing else happens.
    QVERIFY(Ui(w).mnuOptionsUpdateATISFile->isChecked());
    Ui(w).mnuOptionsUpdateATISFile->trigger();
    QVERIFY(!Ui(w).mnuOptionsUpdateATISFile->isChecked());
    Ui(w).mnuOptionsUpdateATISFile->trigger();
    QVERIFY(Ui(w).mnuOptionsUpdateATISFile->isChecked());
    QVERIFY(h->dialogs.shown.isEmpty());
}

void TestFrmMainLayout::focusOrder()
{
    frmMain& w = h->start();
    const QList<QWidget*> order{
        Ui(w).txtICAO,      Ui(w).cboProfiles,  Ui(w).cmdLoad,      Ui(w).cmdSave,
        Ui(w).cmdDelete,    Ui(w).cmdExit,      Ui(w).txtTemplate,  Ui(w).txtATIS,
        Ui(w).cmdStartStop, Ui(w).cmdCopy,      Ui(w).cmdRefresh,   Ui(w).cboATISCode,
        Ui(w).lstArriving,  Ui(w).lstDeparting, Ui(w).cmdAddRunway, Ui(w).cmdDelRunway,
        Ui(w).chkVisual,    Ui(w).txtLastMETAR, Ui(w).chkLAHSO};
    Ui(w).txtICAO->setFocus();
    QVERIFY(QTest::qWaitFor([&] { return QApplication::focusWidget() == Ui(w).txtICAO; }));
    for (qsizetype i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY2(QApplication::focusWidget() == order[i],
                 qPrintable(QStringLiteral("after %1 came %2")
                                .arg(order[i - 1]->objectName(),
                                     QApplication::focusWidget()
                                         ? QApplication::focusWidget()->objectName()
                                         : QStringLiteral("nothing"))));
    }
}

void TestFrmMainLayout::accessibleNames()
{
    frmMain& w = h->start();
    const QList<QPair<QWidget*, QString>> inputs{
        {Ui(w).txtICAO, "Airport Code"},   {Ui(w).cboProfiles, "Saved Profiles"},
        {Ui(w).txtTemplate, "Template"},   {Ui(w).txtATIS, "Last Generated ATIS"},
        {Ui(w).lstArriving, "Landing"},    {Ui(w).lstDeparting, "Departing"},
        {Ui(w).txtLastMETAR, "Last METAR"}};
    for (const auto& [widget, name] : inputs)
        QCOMPARE(widget->accessibleName(), name);
    QVERIFY(!Ui(w).cboATISCode->accessibleName().isEmpty());
    QCOMPARE(Ui(w).Label3->buddy(), Ui(w).txtICAO);
}

void TestFrmMainLayout::addRunway_data()
{
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("prompts");
    QTest::newRow("lower case") << QStringList{"4l"} << QStringList{"4L"} << 1;
    QTest::newRow("accepted") << QStringList{"00"} << QStringList{"00"} << 1;
    QTest::newRow("36") << QStringList{"36"} << QStringList{"36"} << 1;
    QTest::newRow("9C") << QStringList{"9c"} << QStringList{"9C"} << 1;
    QTest::newRow("refused until valid")
        << QStringList{"0", "37", "40", "4X", "4LL", "L", " 4L", "4L ", "27R"} << QStringList{"27R"}
        << 9;
    QTest::newRow("cancel on the repeated box") << QStringList{"37"} << QStringList{} << 2;
    QTest::newRow("cancel at once") << QStringList{} << QStringList{} << 1;
}

void TestFrmMainLayout::addRunway()
{
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, rows);
    QFETCH(int, prompts);
    frmMain& w = h->start();
    h->dialogs.inputs = inputs;
    QTest::mouseClick(Ui(w).cmdAddRunway, Qt::LeftButton);
    QCOMPARE(h->dialogs.asked.size(), prompts);
    QCOMPARE(h->dialogs.asked[0].title, QStringLiteral("Enter Runway:"));
    QCOMPARE(h->dialogs.asked[0].prompt, UiTexts::EnterRunwayPrompt);
    QCOMPARE(h->dialogs.asked[0].proposed, QString());
    QStringList got;
    for (int r = 0; r < w.form().runwayCount(); ++r)
        got.append(w.form().runwayId(r));
    QCOMPARE(got, rows);
    QCOMPARE(w.state().ProfileDirty, !rows.isEmpty());
    if (!rows.isEmpty()) {
        QCOMPARE(Ui(w).lstArriving->currentIndex().row(), 0);
        QCOMPARE(Ui(w).lstDeparting->currentIndex().row(), 0);
        QVERIFY(!w.form().arrivingTicked(0) && !w.form().departingTicked(0));
    }
}

void TestFrmMainLayout::runwayRowsStayAligned()
{
    frmMain& w = h->start();
    for (const char* id : {"9", "33R"}) {
        h->dialogs.inputs = {id};
        QTest::mouseClick(Ui(w).cmdAddRunway, Qt::LeftButton);
    }
    // 09 is another runway than 9; a second 33R is refused.
    h->dialogs.inputs = {"09"};
    QTest::mouseClick(Ui(w).cmdAddRunway, Qt::LeftButton);
    QCOMPARE(w.form().runwayCount(), 3);
    w.state().ProfileDirty = false;
    h->dialogs.inputs = {"33r"};
    QTest::mouseClick(Ui(w).cmdAddRunway, Qt::LeftButton);
    QCOMPARE(h->dialogs.shown.last().text,
             QStringLiteral("That runway already exists in the lists."));
    QCOMPARE(h->dialogs.shown.last().icon, Dialogs::Icon::Exclamation);
    QCOMPARE(w.form().runwayCount(), 3);
    QVERIFY(!w.state().ProfileDirty);

    // A tick in one list is not mirrored and marks the profile changed.
    QListView* arriving = Ui(w).lstArriving;
    QListView* departing = Ui(w).lstDeparting;
    const QRect row2 = arriving->visualRect(arriving->model()->index(2, 0));
    const QPoint box(row2.left() + row2.height() / 2, row2.center().y());
    QTest::mouseClick(arriving->viewport(), Qt::LeftButton, {}, box);
    QVERIFY(w.form().arrivingTicked(2));
    QVERIFY(!w.form().departingTicked(2));
    QVERIFY(w.state().ProfileDirty);

    // Choosing a row in one list makes it current in the other.
    QTest::mouseClick(departing->viewport(), Qt::LeftButton, {},
                      departing->visualRect(departing->model()->index(1, 1)).center());
    QCOMPARE(arriving->currentIndex().row(), 1);
    QTest::keyClick(arriving, Qt::Key_Up);
    QCOMPARE(departing->currentIndex().row(), 0);

    // Deleting row 1 of three keeps rows 0 and 2 with their ticks.
    arriving->setCurrentIndex(arriving->model()->index(1, 0));
    w.form().setDepartingTicked(0, true);
    w.state().ProfileDirty = false;
    QTest::mouseClick(Ui(w).cmdDelRunway, Qt::LeftButton);
    QCOMPARE(w.form().runwayCount(), 2);
    QCOMPARE(w.form().runwayId(0), QStringLiteral("9"));
    QCOMPARE(w.form().runwayId(1), QStringLiteral("09"));
    QVERIFY(w.form().departingTicked(0) && w.form().arrivingTicked(1));
    QVERIFY(w.state().ProfileDirty);
    QCOMPARE(arriving->currentIndex().row(), departing->currentIndex().row());
    arriving->setCurrentIndex(arriving->model()->index(0, 0));
    QTest::mouseClick(Ui(w).cmdDelRunway, Qt::LeftButton);
    QCOMPARE(w.form().runwayCount(), 1);
    QCOMPARE(w.form().runwayId(0), QStringLiteral("09"));

    // Each option box marks the profile changed.
    for (QCheckBox* option : {Ui(w).chkVisual, Ui(w).chkLAHSO}) {
        w.state().ProfileDirty = false;
        QTest::mouseClick(option, Qt::LeftButton);
        QVERIFY2(w.state().ProfileDirty, qPrintable(option->objectName()));
    }

    // Scrolling one list scrolls the other to the same top row.
    for (int i = 0; i < 30; ++i)
        w.form().appendRunway(QString::number(i % 36) + "LRC"[i % 3]);
    QCoreApplication::processEvents();
    QVERIFY(departing->verticalScrollBar()->maximum() >= 3);
    departing->verticalScrollBar()->setValue(3);
    QCOMPARE(arriving->verticalScrollBar()->value(), 3);
    QTest::keyClick(arriving, Qt::Key_End);
    QCOMPARE(departing->currentIndex().row(), w.form().runwayCount() - 1);
    QCOMPARE(departing->verticalScrollBar()->value(), arriving->verticalScrollBar()->value());

    // Deleting with no current row does nothing.
    w.form().clearRunways();
    w.state().ProfileDirty = false;
    QTest::mouseClick(Ui(w).cmdDelRunway, Qt::LeftButton);
    QVERIFY(!w.state().ProfileDirty);
}

void TestFrmMainLayout::atisFileLocation()
{
    frmMain& w = h->start();
    const QString before = w.state().ATISFilePath;
    h->dialogs.files = {QString(), "/srv/radar/notes.txt", "/srv/radar/ATIS.TXT"};
    Ui(w).mnuOptionsATISLoc->trigger(); // cancelled
    QVERIFY(h->dialogs.shown.isEmpty());
    const Dialogs::OpenFileRequest& r = h->dialogs.fileRequests[0];
    QCOMPARE(r.title, QStringLiteral("Select Your atis.txt File"));
    QCOMPARE(r.initialFile, before);
    QCOMPARE(r.filters.size(), 2);
    QCOMPARE(r.filters[1].first, QStringLiteral("Text files (*.txt)"));
    QCOMPARE(r.selectedFilter, 1);
    QCOMPARE(r.defaultSuffix, QStringLiteral("txt"));
    QVERIFY(r.mustExist);
    Ui(w).mnuOptionsATISLoc->trigger();
    QCOMPARE(h->dialogs.shown.last().text, QStringLiteral("Please specify your atis.txt file"));
    QCOMPARE(w.state().ATISFilePath, before);
    Ui(w).mnuOptionsATISLoc->trigger();
    QCOMPARE(h->dialogs.shown.last().text,
             QStringLiteral("ATIS file path now set to:\r\n\r\n/srv/radar/ATIS.TXT"));
    QCOMPARE(h->dialogs.shown.last().title, QStringLiteral("Briefcast"));
    QCOMPARE(w.state().ATISFilePath, QStringLiteral("/srv/radar/ATIS.TXT"));
}

void TestFrmMainLayout::aboutAndDocumentation()
{
    frmMain& w = h->start();
    Ui(w).mnuHelpAbout->trigger();
    const QString manual = ManualUrl().toString();
    QCOMPARE(h->dialogs.shown.last().text,
             "Briefcast\r\n\r\nVersion 1.3.1\r\n\r\nBriefcast contributors\r\n\r\n" + manual);
    QCOMPARE(h->dialogs.shown.last().title, QStringLiteral("About"));
    QCOMPARE(VersionText(1, 3, 0), QStringLiteral("1.3"));
    // The manual is built beside the program, where the command opens it.
    QVERIFY(QFile::exists(ManualUrl().toLocalFile()));
    Ui(w).mnuHelpDocumentation->trigger();
    QCOMPARE(h->desktop.opened, QList<QUrl>{ManualUrl()});
    h->desktop.openSucceeds = false;
    const auto shown = h->dialogs.shown.size();
    Ui(w).mnuHelpDocumentation->trigger();
    QCOMPARE(h->dialogs.shown.size(), shown + 1);
    QCOMPARE(h->dialogs.shown.last().title, QStringLiteral("Error"));
}

BRIEFCAST_UI_TEST_MAIN(TestFrmMainLayout)
#include "test_frmmain_layout.moc"
