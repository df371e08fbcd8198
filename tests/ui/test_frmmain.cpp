#include "tests/support/ordinaryuser.h"
#include "tests/ui/uiharness.h"
#include "ui/optionscommands.h"
#include "ui/qtdesktop.h"

// What only the window does: its controls bound to its form, the commands
// wired to them, focus order, geometry, closing and the real message box.
class TestFrmMain : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { h = std::make_unique<UiHarness>(); }
    void cleanup() { h.reset(); }
    void arrangementKeepsTextUnclipped();
    void scenarios_data();
    void scenarios();
    void closeDuringStartUpWaitsForIt();
    void realMessageBoxAndClipboard();
    void fileWriteTickedAsksWhereWithoutItsFolder();

private:
    void step(const QString& step);
    QString seen(const QString& what, const QByteArray& name);
    QStringList m_visited;
    std::optional<OrdinaryUser> m_user;
    bool m_waited = false; // for the server, or without the wait cursor
    std::unique_ptr<UiHarness> h;
};

void TestFrmMain::arrangementKeepsTextUnclipped()
{
    frmMain& w = h->start();
    const double s = w.layoutScale();
    // The design in pixels at 96 dpi, every one scaled by the same factor.
    auto scaled = [s](QRect r) { return QRect(r.topLeft() * s, r.size() * s); };
    QCOMPARE(w.centralWidget()->size(), QSize(604, 337) * s);
    for (const auto& [name, r] : {std::pair{"Frame1", QRect(5, 5, 513, 47)},
                                  {"Frame3", QRect(429, 57, 169, 249)},
                                  {"cmdRefresh", QRect(157, 216, 106, 25)},
                                  {"txtLastMETAR", QRect(77, 312, 400, 19)}})
        QCOMPARE(h->get(name)->geometry(), scaled(r));
    // Every caption fits, with room for a button's frame or a box's indicator.
    for (QWidget* c : w.centralWidget()->findChildren<QWidget*>()) {
        const int room = qobject_cast<QPushButton*>(c) ? 8
                         : qobject_cast<QCheckBox*>(c)
                             ? c->style()->pixelMetric(QStyle::PM_IndicatorWidth) + 4
                             : 0;
        const QString text = qobject_cast<QLabel*>(c) || room ? UiHarness::textOf(c) : QString();
        const QFontMetrics fm(c->font());
        QVERIFY2(c->width() >= fm.horizontalAdvance(text) + room && c->height() >= fm.height(),
                 qPrintable(c->objectName()));
    }
    QVERIFY(h->get("cmdLoad")->y() > QFontMetrics(h->get("Frame1")->font()).height());
    h->form().setIcaoText("KSEA");
    h->press("cmdRefresh");
    QVERIFY(QDir().mkpath(BRIEFCAST_SCREENSHOTS));
    const QString name = qEnvironmentVariable("BRIEFCAST_SCREENSHOT_NAME", "main.png");
    QVERIFY(w.grab().save(QDir(BRIEFCAST_SCREENSHOTS).filePath(name)));
}

// Each row: steps on the started window => what it shows, each step and
// check a verb, often a control's name, and a value, separated by "; ".
void TestFrmMain::scenarios_data()
{
    QTest::addColumn<QString>("scenario");
    auto* row = &QTest::newRow;
    const QString ksea = "type txtICAO KSEA; ";
    const QString ask = "shown Would you like to save the current settings as a profile?";
    const QString started = " => timer yes; requests 2; text cmdStartStop Stop; text "
                            "mnuFileStartStop &Stop Autoupdate; text lblATISCode Current Code:; "
                            "enabled cboATISCode no; text lblMetarAge Age 7 min; clipboard none";
    const QString refreshed = " => timer no; requests 2; clipboard none; text txtLastMETAR KSEA "
                              "121653Z 17011KT 10SM FEW015 BKN035 12/09 A2992 RMK AO2";
    const QString to = ksea + "cancel; press ";
    const QString add = "; press cmdAddRunway => runways ";
    const QString loc = "; press mnuOptionsATISLoc => shown ";
    const QString closed = "; visible no; unloads 1; setting ICAO KSEA";
    row("focus order")
        << "tab txtICAO => visited txtICAO,cboProfiles,cmdLoad,cmdSave,cmdDelete,cmdExit,"
           "txtTemplate,txtATIS,cmdStartStop,cmdCopy,cmdRefresh,cboATISCode,lstArriving,"
           "lstDeparting,cmdAddRunway,cmdDelRunway,chkVisual,txtLastMETAR,chkLAHSO";
    row("code focused and selected") << "type txtICAO kbos; pick => selected kbos";
    row("profiles in order") << "profiles kbos,KBOS west,EGLL => text cboProfiles EGLL";
    row("cmdStartStop runs once") << to + "cmdStartStop" + started;
    row("mnuFileStartStop runs once") << to + "mnuFileStartStop" + started;
    row("cmdRefresh runs once") << to + "cmdRefresh" + refreshed;
    row("mnuFileRefresh runs once") << to + "mnuFileRefresh" + refreshed;
    row("cmdCopy") << "atis ALPHA; press cmdCopy => clipboard ALPHA; requests 1";
    row("code upper-cased") << "type txtICAO ksea; focus txtTemplate => text txtICAO KSEA";
    row("ATIS box read-only") << "atis ALPHA; type txtATIS x => text txtATIS ALPHA";
    row("txtICAO marks") << "type txtICAO K => dirty yes; title Briefcast*";
    row("txtTemplate marks") << "type txtTemplate x => dirty yes";
    row("chkVisual marks") << "press chkVisual => dirty yes";
    row("chkLAHSO marks") << "press chkLAHSO => dirty yes";
    row("landing tick") << "runways 16L; tick lstArriving 0 => dirty yes; runways 16L/A";
    row("departing tick") << "runways 16L; tick lstDeparting 0 => runways 16L/D";
    row("runway added") << "runways 16L; input 4l" + add +
                               "16L,4L; asked 1; dirty yes; current lstDeparting 1";
    row("runway 36") << "input 36" + add + "36";
    row("refused until valid")
        << "input 0; input 37; input 4X; input 4LL; input L; input  4L; input 27R" + add +
               "27R; asked 7; shown ";
    row("duplicate refused") << "runways 16L; input 16l" + add +
                                    "16L; dirty no; shown That runway already exists "
                                    "in the lists.";
    row("cancel on the repeated box") << "input 37" + add + "; asked 2; dirty no";
    row("first runway deleted")
        << "runways 9,33R,09; tick lstArriving 2; row lstArriving 0; press cmdDelRunway => "
           "runways 33R,09/A; dirty yes; current lstArriving 0; current lstDeparting 0";
    row("rows follow") << "runways 9,33R; row lstDeparting 1 => current lstArriving 1";
    row("scrolled together") << "runways 1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17; "
                                "scroll lstDeparting => top lstArriving 3";
    row("location cancelled") << "file" + loc + "; path %atis%";
    row("location another name") << "file /srv/radar/notes.txt" + loc +
                                        "Please specify your atis.txt file; path %atis%";
    row("location ATIS.TXT")
        << "file /srv/radar/ATIS.TXT" + loc +
               "ATIS file path now set to:\r\n\r\n/srv/radar/ATIS.TXT; path /srv/radar/ATIS.TXT";
    row("About") << "press mnuHelpAbout => shown Briefcast\r\n\r\nVersion 1.3.1\r\n\r\n"
                    "Briefcast contributors\r\n\r\n%manual%";
    row("title bar asks") << ksea + "no; close => " + ask + closed;
    row("cmdExit asks") << ksea + "no; press cmdExit => " + ask + closed;
    row("mnuFileExit asks") << ksea + "no; press mnuFileExit => " + ask + closed;
    row("Cancel keeps all") << ksea + "cancel; press cmdExit => " + ask +
                                   "; visible yes; unloads 0; setting ICAO ";
    row("start-up fills the controls")
        << "store ICAO KBOS; store UpdateATISFile False; restart => text txtICAO KBOS; checked "
           "mnuOptionsUpdateATISFile no; title Briefcast; text txtATIS ; enabled Frame1 yes";
    row("close without changes stores")
        << "store UpdateATISFile False; restart; close; close => shown ; unloads 1; setting "
           "UpdateATISFile False; setting Template $mypvtrw\r\n$radioname() $freq() John Doe, "
           "S-3\r\nInformation %id% Winds $wind(%icao%) Alt $altim(%icao%) Sky "
           "%clouds%\r\n%runways%";
    row("F9 speaks and stops")
        << ksea + "press cmdRefresh; f9; f9 => stops 1; said John Doe, S-3. "
                  "Information "
                  "Alpha Winds one seven zero at one one altimeter two niner niner two Sky few one "
                  "thousand five hundred, broken three thousand five hundred.";
    row("no speech engine told once")
        << ksea + "press cmdRefresh; mute; press mnuFileSpeak; press mnuFileSpeak => "
                  "enabled mnuFileSpeak no; last The ATIS cannot be spoken: no speech engine is "
                  "available "
                  "on this computer. Everything else works as before.\r\n\r\nnone";
    row("speech options kept")
        << "press mnuOptionsSpeakNewATIS; press mnuOptionsTakeOverCode; rate 2; close; rate 1; "
           "restart => setting SpeakNewATIS True; setting TakeOverOnlineCode False; "
           "setting SpeechRate 0.4; checked mnuOptionsSpeakNewATIS yes; checked "
           "mnuOptionsTakeOverCode no; rate 0.4";
    const QString unsaved =
        "shown The settings could not be saved: the settings store could not "
        "be written.\r\n\r\nTry again? No closes Briefcast without saving them.";
    row("unwritable store tried again")
        << "press mnuOptionsUpdateATISFile; readonly; yes; close => " + unsaved +
               "; saved yes; setting UpdateATISFile False";
    row("unwritable store, closed anyway")
        << "press mnuOptionsUpdateATISFile; readonly; no; close => " + unsaved +
               "; saved no; unloads 1; setting UpdateATISFile ";
    row("close while waiting for a reply")
        << ksea + "stuck => waited no; cursor no; unloads 1; shown ; setting ICAO "
                  "KSEA; atis.txt <missing>";
    row("session end not asking") << ksea + "session no => shown ; unloads 1; setting ICAO KSEA";
}

void TestFrmMain::scenarios()
{
    QFETCH(QString, scenario);
    h->start();
    for (const QString& s : scenario.section(" => ", 0, 0).split("; "))
        step(s);
    for (QString check : scenario.section(" => ", 1).split("; ")) {
        check.replace("%atis%", h->atisPath()).replace("%manual%", ManualUrl().toString());
        const QString verb = check.section(' ', 0, 0);
        const bool named =
            QStringList{"text", "enabled", "checked", "current", "top", "setting"}.contains(verb);
        const QString actual = seen(verb, check.section(' ', 1, 1).toLatin1());
        QVERIFY2(actual == check.section(' ', named ? 2 : 1), qPrintable(check + " / " + actual));
    }
}

void TestFrmMain::step(const QString& step)
{
    const QString value = step.section(' ', 1), rest = step.section(' ', 2);
    const QByteArray name = step.section(' ', 1, 1).toLatin1();
    auto* list = qobject_cast<QListView*>(h->window->findChild<QWidget*>(name));
    auto row = [&](bool onBox) { // clicks a row's tick box, or beside it
        const QRect r = list->visualRect(list->model()->index(rest.toInt(), list->modelColumn()));
        const QPoint box(r.left() + r.height() / 2, r.center().y());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, onBox ? box : r.center());
    };
    using Answer = Dialogs::Answer;
    const QMap<QString, std::function<void()>> steps{
        {"type", [&] { QTest::keyClicks(h->get(name), rest); }},
        {"press", [&] { h->press(name); }},
        {"tick", [&] { row(true); }},
        {"row", [&] { row(false); }},
        {"focus", [&] { h->get(name)->setFocus(); }},
        {"scroll",
         [&] { QCoreApplication::processEvents(), list->verticalScrollBar()->setValue(3); }},
        {"input", [&] { h->dialogs.inputs << value; }},
        {"file", [&] { h->dialogs.files << value; }},
        {"yes", [&] { h->dialogs.answers << Answer::Yes; }},
        {"no", [&] { h->dialogs.answers << Answer::No; }},
        {"cancel", [&] { h->dialogs.answers << Answer::Cancel; }},
        {"readonly", // as an ordinary user, until a question is asked
         [&] {
             const QString conf = h->store.fileName();
             QVERIFY(setStoreReadOnly(h->dir.path(), conf, true));
             m_user.emplace();
             h->dialogs.whileShown = [this, conf](const ScriptedDialogs::Shown&) {
                 m_user.reset();
                 setStoreReadOnly(h->dir.path(), conf, false);
             };
         }},
        {"stuck", // neither the reply nor the fetcher's time-out ends the wait
         [&] {
             h->window->state().ProfileDirty = false;
             h->server.faults.delayMs = 120'000;
             h->fetcher.setTimeoutMs(300'000);
             QTimer::singleShot(100, [&] {
                 const QCursor* cursor = QApplication::overrideCursor();
                 m_waited = !cursor || cursor->shape() != Qt::WaitCursor;
                 h->window->close();
             });
             QElapsedTimer took;
             took.start();
             h->press("cmdRefresh");
             m_waited = m_waited || took.elapsed() >= 60'000;
         }},
        {"runways",
         [&] {
             for (const QString& id : value.split(','))
                 h->form().appendRunway(id);
         }},
        {"atis", [&] { h->form().setAtisText(value); }},
        {"pick", [&] { h->form().focusIcao(true); }},
        {"profiles",
         [&] {
             for (const QString& profile : value.split(','))
                 h->form().addProfile(profile);
             h->form().setProfileIndex(0);
         }},
        {"tab",
         [&] { // from the control given, through every one in the window
             h->get(name)->setFocus();
             QVERIFY(QTest::qWaitFor([&] { return QApplication::focusWidget() == h->get(name); }));
             m_visited = {QApplication::focusWidget()->objectName()};
             while (m_visited.size() < 19) {
                 QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                 m_visited << QApplication::focusWidget()->objectName();
             }
         }},
        {"store", [&] { h->store.SaveSetting("Settings", name, rest); }},
        {"restart", [&] { h->window.reset(), h->start(); }},
        {"f9", [&] { QTest::keyClick(h->window.get(), Qt::Key_F9); }},
        {"mute", [&] { h->speaker.present = false; }},
        {"rate", [&] { h->get<QMenu>("mnuOptionsRate")->actions().at(value.toInt())->trigger(); }},
        {"close", [&] { h->window->close(); }},
        {"session", [&] { h->window->sessionEnding(value == "yes"); }}};
    steps.value(step.section(' ', 0, 0), [&] { QFAIL(qPrintable("no such step: " + step)); })();
}

QString TestFrmMain::seen(const QString& what, const QByteArray& name)
{
    auto yes = [](bool on) { return QString(on ? "yes" : "no"); };
    auto number = [](qsizetype n) { return QString::number(n); };
    frmMain& w = *h->window;
    WindowForm& f = h->form();
    QStringList rows, shown;
    for (int r = 0; r < f.runwayCount(); ++r)
        rows << f.runwayId(r) + (f.arrivingTicked(r) ? "/A" : "") +
                    (f.departingTicked(r) ? "/D" : "");
    for (const ScriptedDialogs::Shown& message : h->dialogs.shown)
        shown << message.text;
    auto list = [&] { return h->get<QListView>(name); };
    const QMap<QString, std::function<QString()>> checks{
        {"text", [&] { return UiHarness::textOf(h->get<QObject>(name)); }},
        {"enabled", [&] { return yes(h->get<QObject>(name)->property("enabled").toBool()); }},
        {"checked", [&] { return yes(h->get<QAction>(name)->isChecked()); }},
        {"current", [&] { return number(list()->currentIndex().row()); }},
        {"top", [&] { return number(list()->verticalScrollBar()->value()); }},
        {"setting", [&] { return h->setting(name); }},
        {"runways", [&] { return rows.join(','); }},
        {"shown", [&] { return shown.join(','); }},
        {"asked", [&] { return number(h->dialogs.asked.size()); }},
        {"dirty", [&] { return yes(w.isWindowModified()); }},
        {"title", [&] { return w.windowHandle()->title(); }},
        {"visible", [&] { return yes(w.isVisible()); }},
        {"unloads", [&] { return number(h->unloads); }},
        {"timer", [&] { return yes(f.timerEnabled()); }},
        {"requests", [&] { return number(h->server.requestCount()); }},
        {"clipboard", [&] { return h->desktop.clipboardSets ? h->desktop.clipboard : "none"; }},
        {"path", [&] { return w.state().ATISFilePath; }},
        {"visited", [&] { return m_visited.join(','); }},
        {"saved", [&] { return yes(h->saved); }},
        {"waited", [&] { return yes(m_waited); }},
        {"cursor", [&] { return yes(QApplication::overrideCursor()); }},
        {"atis.txt", [&] { return QString(readFile(h->atisPath())); }},
        {"selected", [&] { return h->get<QLineEdit>("txtICAO")->selectedText(); }},
        {"last", [&] { return shown.value(shown.size() - 1); }},
        {"said", [&] { return h->speaker.said.join(','); }},
        {"stops", [&] { return number(h->speaker.stops); }},
        {"rate", [&] { return QString::number(h->speaker.rate); }}};
    return checks.value(what, [] { return QString("<no such check>"); })();
}

void TestFrmMain::closeDuringStartUpWaitsForIt()
{
    h->server.faults.delayMs = 2000; // the status file comes late
    frmMain& w = h->create();
    w.show();
    QString title;
    bool enabled = true, closed = true;
    QTimer::singleShot(0, [&] { // runs while start-up waits for the status file
        enabled = w.centralWidget()->isEnabled() || w.menuBar()->isEnabled();
        closed = w.close();
        title = w.windowHandle()->title();
    });
    QVERIFY(w.load());
    QVERIFY(!enabled && !closed);
    QCOMPARE(title, QStringLiteral("Briefcast (closing as soon as start-up ends)"));
    // Start-up done, the close remembered is carried out: settings stored.
    QTRY_COMPARE_WITH_TIMEOUT(h->unloads, 1, 60'000);
    QVERIFY(!w.isVisible());
    QVERIFY(h->setting("Template").startsWith("$mypvtrw\r\n"));
}

void TestFrmMain::realMessageBoxAndClipboard()
{
    h->start(true);
    QString shown;
    QTimer::singleShot(50, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        shown = box->text() + "|" + box->windowTitle() + "|" + QString::number(box->icon());
        QTest::keyClick(box, Qt::Key_Enter);
    });
    h->press("cmdStartStop");
    QCOMPARE(shown, "Must enter airport ICAO code.|Error|" + QString::number(QMessageBox::Warning));
    QtDesktop desktop; // and the real clipboard
    QCOMPARE(desktop.setClipboardText("Information ALPHA"), std::nullopt);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Information ALPHA"));
}

void TestFrmMain::fileWriteTickedAsksWhereWithoutItsFolder()
{
    h->store.SaveSetting("Settings", "UpdateATISFile", "False");
    h->store.SaveSetting("Settings", "ATISFilePath", h->dir.filePath("Radar/atis.txt"));
    h->start();
    auto* write = h->get<QAction>("mnuOptionsUpdateATISFile");
    h->press("mnuOptionsUpdateATISFile"); // the location dialog cancelled: the tick goes
    QCOMPARE(write->isChecked(), false);
    h->dialogs.files = {h->atisPath()};
    h->press("mnuOptionsUpdateATISFile"); // a file in a folder that exists: the tick stays
    h->press("mnuOptionsUpdateATISFile");
    h->press("mnuOptionsUpdateATISFile"); // the folder is there now: nothing is asked
    QCOMPARE(write->isChecked(), true);
    QCOMPARE(h->window->state().ATISFilePath, h->atisPath());
    QCOMPARE(h->dialogs.fileRequests.size(), 2);
}

QTEST_MAIN(TestFrmMain)
#include "test_frmmain.moc"
