#include "core/texts.h"
#include "tests/ui/uiharness.h"
#include "ui/optionscommands.h"
#include "ui/runwaylists.h"
#include "ui/uitexts.h"

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
    const QList<QPair<QWidget*, QString>> captions{{w.Frame1, "Profiles"},
                                                   {w.Frame2, "ATIS"},
                                                   {w.Frame3, "Runways"},
                                                   {w.Label3, "Airport Code:"},
                                                   {w.Label6, "Saved Profiles:"},
                                                   {w.cmdLoad, "Load"},
                                                   {w.cmdSave, "Save"},
                                                   {w.cmdDelete, "Delete"},
                                                   {w.cmdExit, "Exit"},
                                                   {w.Label1, "Template:"},
                                                   {w.Label2, "Last Generated ATIS:"},
                                                   {w.cmdStartStop, "Start"},
                                                   {w.cmdCopy, "Copy to Clipboard"},
                                                   {w.cmdRefresh, "Refresh ATIS Now"},
                                                   {w.lblATISCode, "Starting Code:"},
                                                   {w.Label4, "Landing:"},
                                                   {w.Label5, "Departing:"},
                                                   {w.cmdAddRunway, "Add Runway"},
                                                   {w.cmdDelRunway, "Del Runway"},
                                                   {w.chkVisual, "Visual approaches in use"},
                                                   {w.chkLAHSO, "LAHSOs in effect"},
                                                   {w.Label7, "Last METAR:"}};
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
    for (QWidget* c : {(QWidget*)w.txtICAO, (QWidget*)w.cboProfiles, (QWidget*)w.cmdLoad})
        QCOMPARE(c->parentWidget(), w.Frame1);
    for (QWidget* c : {(QWidget*)w.txtTemplate, (QWidget*)w.txtATIS, (QWidget*)w.cboATISCode})
        QCOMPARE(c->parentWidget(), w.Frame2);
    for (QWidget* c :
         {(QWidget*)w.runways().arriving(), (QWidget*)w.chkLAHSO, (QWidget*)w.cmdDelRunway})
        QCOMPARE(c->parentWidget(), w.Frame3);
    QCOMPARE(w.cmdExit->parentWidget(), w.centralWidget());

    QCOMPARE(w.cboATISCode->count(), 26);
    QCOMPARE(w.cboATISCode->itemText(23), QStringLiteral("X-RAY"));
    QCOMPARE(w.cboATISCode->currentText(), QStringLiteral("ALPHA"));
    QVERIFY(!w.cboATISCode->isEditable());
    QVERIFY(!w.cboProfiles->isEditable());
    QVERIFY(w.txtATIS->isReadOnly());
    QVERIFY(w.txtLastMETAR->isReadOnly());
    QVERIFY(!w.txtTemplate->isReadOnly());
    QCOMPARE(w.tmrMain->interval(), 1000);
    QVERIFY(!w.tmrMain->isActive());
}

void TestFrmMainLayout::arrangementKeepsTextUnclipped()
{
    frmMain& w = h->start();
    const double s = w.layoutScale();
    QVERIFY(s >= 1.0);
    // The design in pixels at 96 dpi, every one scaled by the same factor.
    const QList<QPair<QWidget*, QRect>> design{{w.Frame1, QRect(5, 5, 513, 47)},
                                               {w.Frame3, QRect(429, 57, 169, 249)},
                                               {w.cmdRefresh, QRect(157, 216, 106, 25)},
                                               {w.txtLastMETAR, QRect(77, 312, 400, 19)}};
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
    const QFontMetrics fm(w.lblATISCode->font());
    QVERIFY(w.lblATISCode->width() >= fm.horizontalAdvance(Texts::CurrentCode));
    QVERIFY(w.cboATISCode->width() >= w.cboATISCode->sizeHint().width());
    // Frame captions stay above the controls inside.
    QVERIFY(w.cmdLoad->y() > QFontMetrics(w.Frame1->font()).height());
}

void TestFrmMainLayout::screenshot()
{
    frmMain& w = h->start();
    w.txtICAO->setText("KSEA");
    w.appendRunway("16L");
    w.appendRunway("16C");
    w.setArrivingTicked(0, true);
    w.setDepartingTicked(1, true);
    QTest::mouseClick(w.cmdRefresh, Qt::LeftButton);
    QVERIFY(w.atisText().contains(QStringLiteral("Information ALPHA")));
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
    QCOMPARE(w.mnuOptionsUpdateATISFile->text(), QStringLiteral("&Update ATIS.txt Automatically"));
    QVERIFY(w.mnuOptionsUpdateATISFile->isCheckable());
    QCOMPARE(w.mnuOptionsATISLoc->text(), QStringLiteral("ATIS.txt &Location"));
    QCOMPARE(w.mnuHelpDocumentation->text(), QStringLiteral("&Documentation"));
    QCOMPARE(w.mnuHelpAbout->text(), QStringLiteral("&About"));

    // The check mark toggles and nothing else happens.
    QVERIFY(w.mnuOptionsUpdateATISFile->isChecked());
    w.mnuOptionsUpdateATISFile->trigger();
    QVERIFY(!w.mnuOptionsUpdateATISFile->isChecked());
    w.mnuOptionsUpdateATISFile->trigger();
    QVERIFY(w.mnuOptionsUpdateATISFile->isChecked());
    QVERIFY(h->dialogs.shown.isEmpty());
}

void TestFrmMainLayout::focusOrder()
{
    frmMain& w = h->start();
    const QList<QWidget*> order{w.txtICAO,
                                w.cboProfiles,
                                w.cmdLoad,
                                w.cmdSave,
                                w.cmdDelete,
                                w.cmdExit,
                                w.txtTemplate,
                                w.txtATIS,
                                w.cmdStartStop,
                                w.cmdCopy,
                                w.cmdRefresh,
                                w.cboATISCode,
                                w.runways().arriving(),
                                w.runways().departing(),
                                w.cmdAddRunway,
                                w.cmdDelRunway,
                                w.chkVisual,
                                w.txtLastMETAR,
                                w.chkLAHSO};
    w.txtICAO->setFocus();
    QVERIFY(QTest::qWaitFor([&] { return QApplication::focusWidget() == w.txtICAO; }));
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
        {w.txtICAO, "Airport Code"},         {w.cboProfiles, "Saved Profiles"},
        {w.txtTemplate, "Template"},         {w.txtATIS, "Last Generated ATIS"},
        {w.runways().arriving(), "Landing"}, {w.runways().departing(), "Departing"},
        {w.txtLastMETAR, "Last METAR"}};
    for (const auto& [widget, name] : inputs)
        QCOMPARE(widget->accessibleName(), name);
    QVERIFY(!w.cboATISCode->accessibleName().isEmpty());
    QCOMPARE(w.Label3->buddy(), w.txtICAO);
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
    QTest::mouseClick(w.cmdAddRunway, Qt::LeftButton);
    QCOMPARE(h->dialogs.asked.size(), prompts);
    QCOMPARE(h->dialogs.asked[0].title, QStringLiteral("Enter Runway:"));
    QCOMPARE(h->dialogs.asked[0].prompt, UiTexts::EnterRunwayPrompt);
    QCOMPARE(h->dialogs.asked[0].proposed, QString());
    QStringList got;
    for (int r = 0; r < w.runwayCount(); ++r)
        got.append(w.runwayId(r));
    QCOMPARE(got, rows);
    QCOMPARE(w.state().ProfileDirty, !rows.isEmpty());
    if (!rows.isEmpty()) {
        QCOMPARE(w.runways().arriving()->currentIndex().row(), 0);
        QCOMPARE(w.runways().departing()->currentIndex().row(), 0);
        QVERIFY(!w.arrivingTicked(0) && !w.departingTicked(0));
    }
}

void TestFrmMainLayout::runwayRowsStayAligned()
{
    frmMain& w = h->start();
    RunwayLists& lists = w.runways();
    for (const char* id : {"9", "33R"}) {
        h->dialogs.inputs = {id};
        QTest::mouseClick(w.cmdAddRunway, Qt::LeftButton);
    }
    // 09 is another runway than 9; a second 33R is refused.
    h->dialogs.inputs = {"09"};
    QTest::mouseClick(w.cmdAddRunway, Qt::LeftButton);
    QCOMPARE(w.runwayCount(), 3);
    w.state().ProfileDirty = false;
    h->dialogs.inputs = {"33r"};
    QTest::mouseClick(w.cmdAddRunway, Qt::LeftButton);
    QCOMPARE(h->dialogs.shown.last().text,
             QStringLiteral("That runway already exists in the lists."));
    QCOMPARE(h->dialogs.shown.last().icon, Dialogs::Icon::Exclamation);
    QCOMPARE(w.runwayCount(), 3);
    QVERIFY(!w.state().ProfileDirty);

    // A tick in one list is not mirrored and marks the profile changed.
    QListView* arriving = lists.arriving();
    QListView* departing = lists.departing();
    const QRect row2 = arriving->visualRect(arriving->model()->index(2, 0));
    const QPoint box(row2.left() + row2.height() / 2, row2.center().y());
    QTest::mouseClick(arriving->viewport(), Qt::LeftButton, {}, box);
    QVERIFY(w.arrivingTicked(2));
    QVERIFY(!w.departingTicked(2));
    QVERIFY(w.state().ProfileDirty);

    // Choosing a row in one list makes it current in the other.
    QTest::mouseClick(departing->viewport(), Qt::LeftButton, {},
                      departing->visualRect(departing->model()->index(1, 1)).center());
    QCOMPARE(arriving->currentIndex().row(), 1);
    QTest::keyClick(arriving, Qt::Key_Up);
    QCOMPARE(departing->currentIndex().row(), 0);

    // Deleting row 1 of three keeps rows 0 and 2 with their ticks.
    lists.setCurrentRow(1);
    w.setDepartingTicked(0, true);
    w.state().ProfileDirty = false;
    QTest::mouseClick(w.cmdDelRunway, Qt::LeftButton);
    QCOMPARE(w.runwayCount(), 2);
    QCOMPARE(w.runwayId(0), QStringLiteral("9"));
    QCOMPARE(w.runwayId(1), QStringLiteral("09"));
    QVERIFY(w.departingTicked(0) && w.arrivingTicked(1));
    QVERIFY(w.state().ProfileDirty);
    QCOMPARE(arriving->currentIndex().row(), departing->currentIndex().row());
    lists.setCurrentRow(0);
    QTest::mouseClick(w.cmdDelRunway, Qt::LeftButton);
    QCOMPARE(w.runwayCount(), 1);
    QCOMPARE(w.runwayId(0), QStringLiteral("09"));

    // Each option box marks the profile changed.
    for (QCheckBox* option : {w.chkVisual, w.chkLAHSO}) {
        w.state().ProfileDirty = false;
        QTest::mouseClick(option, Qt::LeftButton);
        QVERIFY2(w.state().ProfileDirty, qPrintable(option->objectName()));
    }

    // Scrolling one list scrolls the other to the same top row.
    for (int i = 0; i < 30; ++i)
        w.appendRunway(QString::number(i % 36) + "LRC"[i % 3]);
    QCoreApplication::processEvents();
    QVERIFY(departing->verticalScrollBar()->maximum() >= 3);
    departing->verticalScrollBar()->setValue(3);
    QCOMPARE(arriving->verticalScrollBar()->value(), 3);
    QTest::keyClick(arriving, Qt::Key_End);
    QCOMPARE(departing->currentIndex().row(), w.runwayCount() - 1);
    QCOMPARE(departing->verticalScrollBar()->value(), arriving->verticalScrollBar()->value());

    // Deleting with no current row does nothing.
    w.clearRunways();
    w.state().ProfileDirty = false;
    QTest::mouseClick(w.cmdDelRunway, Qt::LeftButton);
    QVERIFY(!w.state().ProfileDirty);
}

void TestFrmMainLayout::atisFileLocation()
{
    frmMain& w = h->start();
    const QString before = w.state().ATISFilePath;
    h->dialogs.files = {QString(), "/srv/radar/notes.txt", "/srv/radar/ATIS.TXT"};
    w.mnuOptionsATISLoc->trigger(); // cancelled
    QVERIFY(h->dialogs.shown.isEmpty());
    const Dialogs::OpenFileRequest& r = h->dialogs.fileRequests[0];
    QCOMPARE(r.title, QStringLiteral("Select Your atis.txt File"));
    QCOMPARE(r.initialFile, before);
    QCOMPARE(r.filters.size(), 2);
    QCOMPARE(r.filters[1].first, QStringLiteral("Text files (*.txt)"));
    QCOMPARE(r.selectedFilter, 1);
    QCOMPARE(r.defaultSuffix, QStringLiteral("txt"));
    QVERIFY(r.mustExist);
    w.mnuOptionsATISLoc->trigger();
    QCOMPARE(h->dialogs.shown.last().text, QStringLiteral("Please specify your atis.txt file"));
    QCOMPARE(w.state().ATISFilePath, before);
    w.mnuOptionsATISLoc->trigger();
    QCOMPARE(h->dialogs.shown.last().text,
             QStringLiteral("ATIS file path now set to:\r\n\r\n/srv/radar/ATIS.TXT"));
    QCOMPARE(h->dialogs.shown.last().title, QStringLiteral("Briefcast"));
    QCOMPARE(w.state().ATISFilePath, QStringLiteral("/srv/radar/ATIS.TXT"));
}

void TestFrmMainLayout::aboutAndDocumentation()
{
    frmMain& w = h->start();
    w.mnuHelpAbout->trigger();
    const QString manual = ManualUrl().toString();
    QCOMPARE(h->dialogs.shown.last().text,
             "Briefcast\r\n\r\nVersion 1.3.1\r\n\r\nBriefcast contributors\r\n\r\n" + manual);
    QCOMPARE(h->dialogs.shown.last().title, QStringLiteral("About"));
    QCOMPARE(VersionText(1, 3, 0), QStringLiteral("1.3"));
    // The manual is built beside the program, where the command opens it.
    QVERIFY(QFile::exists(ManualUrl().toLocalFile()));
    w.mnuHelpDocumentation->trigger();
    QCOMPARE(h->desktop.opened, QList<QUrl>{ManualUrl()});
    h->desktop.openSucceeds = false;
    const auto shown = h->dialogs.shown.size();
    w.mnuHelpDocumentation->trigger();
    QCOMPARE(h->dialogs.shown.size(), shown + 1);
    QCOMPARE(h->dialogs.shown.last().title, QStringLiteral("Error"));
}

BRIEFCAST_UI_TEST_MAIN(TestFrmMainLayout)
#include "test_frmmain_layout.moc"
