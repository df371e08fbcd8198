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
    void focusOrder();
    void formBindsTheControls();
    void scenarios_data();
    void scenarios();
    void startUpFillsTheControlsAndCloseStores();
    void unwritableStoreOnClose_data();
    void unwritableStoreOnClose();
    void closeDuringStartUpWaitsForIt();
    void closeWhileWaitingForReply();
    void realMessageBoxAndClipboard();
    void speechMenus();

private:
    void step(const QString& step);
    QString seen(const QString& what, const QByteArray& name);
    std::unique_ptr<UiHarness> h;
};

void TestFrmMain::arrangementKeepsTextUnclipped()
{
    frmMain& w = h->start();
    const double s = w.layoutScale();
    // The design in pixels at 96 dpi, every one scaled by the same factor.
    auto near = [s](int actual, int designed) { return std::abs(actual - designed * s) <= 0.5; };
    for (const auto& [name, r] : {std::pair{"Frame1", QRect(5, 5, 513, 47)},
                                  {"Frame3", QRect(429, 57, 169, 249)},
                                  {"cmdRefresh", QRect(157, 216, 106, 25)},
                                  {"txtLastMETAR", QRect(77, 312, 400, 19)}}) {
        const QRect g = h->get(name)->geometry();
        QVERIFY2(near(g.x(), r.x()) && near(g.y(), r.y()) && near(g.width(), r.width()) &&
                     near(g.height(), r.height()),
                 name);
    }
    QVERIFY(s >= 1.0 && near(w.centralWidget()->width(), 604) &&
            near(w.centralWidget()->height(), 337));
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
    QVERIFY(h->get("lblATISCode")->width() >=
            QFontMetrics(h->get("lblATISCode")->font()).horizontalAdvance("Current Code:"));
    QVERIFY(h->get("cmdLoad")->y() > QFontMetrics(h->get("Frame1")->font()).height());
    h->form().setIcaoText("KSEA");
    h->press("cmdRefresh");
    QVERIFY(QDir().mkpath(BRIEFCAST_SCREENSHOTS));
    const QString name = qEnvironmentVariable("BRIEFCAST_SCREENSHOT_NAME", "main.png");
    QVERIFY(w.grab().save(QDir(BRIEFCAST_SCREENSHOTS).filePath(name)));
}

void TestFrmMain::focusOrder()
{
    h->start();
    const QStringList order{"txtICAO",      "cboProfiles",  "cmdLoad",      "cmdSave",
                            "cmdDelete",    "cmdExit",      "txtTemplate",  "txtATIS",
                            "cmdStartStop", "cmdCopy",      "cmdRefresh",   "cboATISCode",
                            "lstArriving",  "lstDeparting", "cmdAddRunway", "cmdDelRunway",
                            "chkVisual",    "txtLastMETAR", "chkLAHSO"};
    h->get("txtICAO")->setFocus();
    QVERIFY(QTest::qWaitFor([&] { return QApplication::focusWidget() == h->get("txtICAO"); }));
    QStringList visited{"txtICAO"};
    while (visited.size() < order.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, order);
}

void TestFrmMain::formBindsTheControls()
{
    h->start();
    WindowForm& f = h->form();
    h->get<QLineEdit>("txtICAO")->setText("kbos");
    f.focusIcao(true);
    QCOMPARE(h->get<QLineEdit>("txtICAO")->selectedText(), f.icaoText());
    QCOMPARE(QApplication::focusWidget(), h->get("txtICAO"));
    h->get<QPlainTextEdit>("txtTemplate")->setPlainText("Information %id%\n%runways%");
    QCOMPARE(f.templateText(), QStringLiteral("Information %id%\r\n%runways%"));
    for (const char* name : {"kbos", "KBOS west", "EGLL"})
        f.addProfile(name);
    f.setProfileIndex(1);
    auto* profiles = h->get<QComboBox>("cboProfiles");
    QCOMPARE(profiles->itemText(0) + "|" + profiles->itemText(2), "EGLL|KBOS west");
    QCOMPARE(h->text("cboProfiles"), QStringLiteral("kbos"));
}

// Each row: steps on the started window, then what it shows, separated by
// "; ". A step or a check is a verb, often a control's name, and a value.
void TestFrmMain::scenarios_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("checks");
    const QString ask = "Would you like to save the current settings as a profile?";
    const QString start = "timer yes; requests 2; text cmdStartStop Stop; text mnuFileStartStop "
                          "&Stop Autoupdate; text lblATISCode Current Code:; enabled cboATISCode "
                          "no; text lblMetarAge Age 7 min; clipboard <untouched>";
    const QString refreshed = "timer no; requests 2; text txtLastMETAR KSEA 121653Z 17011KT 10SM "
                              "FEW015 BKN035 12/09 A2992 RMK AO2; clipboard <untouched>";
    const QString to = "type txtICAO KSEA; answer Cancel; press ";
    QTest::newRow("cmdStartStop runs once") << to + "cmdStartStop" << start;
    QTest::newRow("mnuFileStartStop runs once") << to + "mnuFileStartStop" << start;
    QTest::newRow("cmdRefresh runs once") << to + "cmdRefresh" << refreshed;
    QTest::newRow("mnuFileRefresh runs once") << to + "mnuFileRefresh" << refreshed;
    QTest::newRow("cmdCopy") << "atis ALPHA; press cmdCopy"
                             << "clipboard ALPHA; requests 1";
    QTest::newRow("mnuFileCopy") << "atis ALPHA; press mnuFileCopy"
                                 << "clipboard ALPHA";
    QTest::newRow("code upper-cased on leaving the box") << "type txtICAO ksea; focus txtTemplate"
                                                         << "text txtICAO KSEA";
    QTest::newRow("ATIS box takes no typing") << "atis ALPHA; type txtATIS x"
                                              << "text txtATIS ALPHA";
    QTest::newRow("txtICAO marks") << "type txtICAO K"
                                   << "modified yes; title Briefcast*";
    QTest::newRow("txtTemplate marks") << "type txtTemplate x"
                                       << "modified yes";
    QTest::newRow("chkVisual marks") << "press chkVisual"
                                     << "modified yes";
    QTest::newRow("chkLAHSO marks") << "press chkLAHSO"
                                    << "modified yes";
    QTest::newRow("landing tick marks, not mirrored") << "runways 16L; tick lstArriving 0"
                                                      << "modified yes; runways 16L/A";
    QTest::newRow("departing tick marks") << "runways 16L; tick lstDeparting 0"
                                          << "modified yes; runways 16L/D";
    QTest::newRow("runway added, current in both lists")
        << "runways 16L; input 4l; press cmdAddRunway"
        << "runways 16L,4L; asked 1; modified yes; current lstArriving 1; current lstDeparting 1";
    QTest::newRow("runway 36") << "input 36; press cmdAddRunway"
                               << "runways 36";
    QTest::newRow("runway 9C") << "input 9c; press cmdAddRunway"
                               << "runways 9C";
    QTest::newRow("refused until valid")
        << "input 0; input 37; input 4X; input 4LL; input L; input  4L; input 27R; press "
           "cmdAddRunway"
        << "runways 27R; asked 7; shown ";
    QTest::newRow("duplicate refused")
        << "runways 16L; input 16l; press cmdAddRunway"
        << "runways 16L; modified no; shown That runway already exists in the lists.";
    QTest::newRow("cancel on the repeated box") << "input 37; press cmdAddRunway"
                                                << "runways ; asked 2; modified no";
    QTest::newRow("first runway deleted, ticks kept")
        << "runways 9,33R,09; tick lstArriving 2; row lstArriving 0; press cmdDelRunway"
        << "runways 33R,09/A; modified yes; current lstArriving 0; current lstDeparting 0";
    QTest::newRow("departing row chosen moves landing list") << "runways 9,33R; row lstDeparting 1"
                                                             << "current lstArriving 1";
    QTest::newRow("landing key moves departing list")
        << "runways 9,33R; row lstArriving 1; up lstArriving"
        << "current lstDeparting 0";
    QTest::newRow("scrolled together")
        << "runways 1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18; scroll lstDeparting"
        << "top lstArriving 3";
    QTest::newRow("atis.txt location cancelled") << "press mnuOptionsATISLoc"
                                                 << "shown ; path %atis%";
    QTest::newRow("atis.txt location of another name")
        << "file /srv/radar/notes.txt; press mnuOptionsATISLoc"
        << "shown Please specify your atis.txt file; path %atis%";
    QTest::newRow("ATIS.TXT location")
        << "file /srv/radar/ATIS.TXT; press mnuOptionsATISLoc"
        << "shown ATIS file path now set to:\r\n\r\n/srv/radar/ATIS.TXT; path /srv/radar/ATIS.TXT";
    QTest::newRow("About")
        << "press mnuHelpAbout"
        << "shown Briefcast\r\n\r\nVersion 1.3.1\r\n\r\nBriefcast contributors\r\n\r\n%manual%";
    QTest::newRow("Documentation") << "press mnuHelpDocumentation"
                                   << "opened %manual%; shown ";
    QTest::newRow("title bar close asks; No closes and stores")
        << "type txtICAO KSEA; answer No; close"
        << "shown " + ask + "; visible no; unloads 1; setting ICAO KSEA";
    QTest::newRow("cmdExit asks; No closes and stores")
        << "type txtICAO KSEA; answer No; press cmdExit"
        << "shown " + ask + "; visible no; unloads 1; setting ICAO KSEA";
    QTest::newRow("mnuFileExit asks; No closes and stores")
        << "type txtICAO KSEA; answer No; press mnuFileExit"
        << "shown " + ask + "; visible no; unloads 1; setting ICAO KSEA";
    QTest::newRow("Cancel keeps the window, stores nothing")
        << "type txtICAO KSEA; answer Cancel; press cmdExit"
        << "shown " + ask + "; visible yes; unloads 0; setting ICAO ";
    QTest::newRow("session end that may ask, cancelled")
        << "type txtICAO KSEA; answer Cancel; session yes"
        << "unloads 0; setting ICAO ";
    QTest::newRow("session end that may not ask stores") << "type txtICAO KSEA; session no"
                                                         << "shown ; unloads 1; setting ICAO KSEA";
}

void TestFrmMain::scenarios()
{
    QFETCH(QString, steps);
    QFETCH(QString, checks);
    h->start();
    for (const QString& s : steps.split("; "))
        step(s);
    for (QString check : checks.split("; ")) {
        check.replace("%atis%", h->atisPath()).replace("%manual%", ManualUrl().toString());
        static const QStringList named{"text", "enabled", "current", "top", "setting"};
        const bool isNamed = named.contains(check.section(' ', 0, 0));
        const QString actual = seen(check.section(' ', 0, 0), check.section(' ', 1, 1).toLatin1());
        const QString expected = check.section(' ', isNamed ? 2 : 1);
        QVERIFY2(actual == expected, qPrintable(check + "\n   but saw: " + actual));
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
        {"up", [&] { QTest::keyClick(list, Qt::Key_Up); }},
        {"focus", [&] { h->get(name)->setFocus(); }},
        {"scroll",
         [&] { QCoreApplication::processEvents(), list->verticalScrollBar()->setValue(3); }},
        {"input", [&] { h->dialogs.inputs << value; }},
        {"file", [&] { h->dialogs.files << value; }},
        {"answer", [&] { h->dialogs.answers << (value == "No" ? Answer::No : Answer::Cancel); }},
        {"runways",
         [&] {
             for (const QString& id : value.split(','))
                 h->form().appendRunway(id);
         }},
        {"atis", [&] { h->form().setAtisText(value); }},
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
    auto list = [&] { return h->get<QListView>(name); };
    const QMap<QString, std::function<QString()>> checks{
        {"text", [&] { return h->text(name); }},
        {"enabled", [&] { return yes(h->get(name)->isEnabled()); }},
        {"current", [&] { return number(list()->currentIndex().row()); }},
        {"top", [&] { return number(list()->verticalScrollBar()->value()); }},
        {"setting", [&] { return h->setting(name); }},
        {"runways",
         [&] {
             QStringList rows;
             for (int r = 0; r < f.runwayCount(); ++r)
                 rows << f.runwayId(r) + (f.arrivingTicked(r) ? "/A" : "") +
                             (f.departingTicked(r) ? "/D" : "");
             return rows.join(',');
         }},
        {"shown",
         [&] {
             QStringList texts;
             for (const ScriptedDialogs::Shown& shown : h->dialogs.shown)
                 texts << shown.text;
             return texts.join(',');
         }},
        {"opened", [&] { return h->desktop.opened.value(0).toString(); }},
        {"asked", [&] { return number(h->dialogs.asked.size()); }},
        {"modified", [&] { return yes(w.isWindowModified()); }},
        {"title", [&] { return w.windowHandle()->title(); }},
        {"visible", [&] { return yes(w.isVisible()); }},
        {"unloads", [&] { return number(h->unloads); }},
        {"timer", [&] { return yes(f.timerEnabled()); }},
        {"requests", [&] { return number(h->server.requestCount()); }},
        {"clipboard", [&] { return h->desktop.clipboard; }},
        {"path", [&] { return w.state().ATISFilePath; }}};
    return checks.value(what, [] { return QString("<no such check>"); })();
}

void TestFrmMain::startUpFillsTheControlsAndCloseStores()
{
    h->store.SaveSetting("Settings", "ICAO", "KBOS");
    h->store.SaveSetting("Settings", "UpdateATISFile", "False");
    h->store.SaveSetting("Profiles", "EGLL", "1");
    frmMain& w = h->start();
    QCOMPARE(h->text("txtICAO") + "|" + h->text("txtATIS") + "|" + h->text("cmdStartStop"),
             "KBOS||Start");
    QVERIFY(h->form().templateText().startsWith("$mypvtrw\r\n$radioname() $freq() John Doe"));
    QVERIFY(!h->get<QAction>("mnuOptionsUpdateATISFile")->isChecked());
    QCOMPARE(h->get<QComboBox>("cboProfiles")->count(), 1);
    QVERIFY(w.centralWidget()->isEnabled() && w.menuBar()->isEnabled());
    // Filling the controls raised their change events; none of it is unsaved.
    QCOMPARE(w.windowHandle()->title(), QStringLiteral("Briefcast"));
    // Closing without changes asks nothing and stores the settings.
    h->store.DeleteSetting("Settings", std::nullopt);
    QVERIFY(w.close());
    QVERIFY(h->dialogs.shown.isEmpty());
    QCOMPARE(h->setting("ICAO") + h->setting("UpdateATISFile"), QStringLiteral("KBOSFalse"));
    QVERIFY(h->setting("Template").startsWith("$mypvtrw\r\n"));
    QVERIFY(w.close()); // once unloaded, nothing runs again
    QCOMPARE(h->unloads, 1);
}

void TestFrmMain::unwritableStoreOnClose_data()
{
    QTest::addColumn<bool>("retry");
    QTest::newRow("tried again once writable") << true;
    QTest::newRow("closed anyway") << false;
}

void TestFrmMain::unwritableStoreOnClose()
{
    QFETCH(bool, retry);
    const QString conf = h->store.fileName();
    h->start();
    h->press("mnuOptionsUpdateATISFile");
    const QByteArray before = readFile(conf);
    // The store turns read-only and the close runs as an ordinary user;
    // while the question is open the store becomes writable again.
    QVERIFY(setStoreReadOnly(h->dir.path(), conf, true));
    OrdinaryUser user;
    h->dialogs.whileShown = [&](const ScriptedDialogs::Shown&) {
        user.restore();
        setStoreReadOnly(h->dir.path(), conf, false);
    };
    h->dialogs.answers = {retry ? Dialogs::Answer::Yes : Dialogs::Answer::No};
    QVERIFY(h->window->close());
    QCOMPARE(h->dialogs.shown.size(), 1);
    QCOMPARE(h->dialogs.shown[0].text,
             QStringLiteral("The settings could not be saved: the settings store could not be "
                            "written.\r\n\r\nTry again? No closes Briefcast without saving them."));
    QCOMPARE(h->dialogs.shown[0].buttons, Dialogs::Buttons::YesNo);
    QCOMPARE(h->saved, retry); // the program's exit status follows
    QCOMPARE(readFile(conf).contains("UpdateATISFile=False"), retry);
    if (!retry)
        QCOMPARE(readFile(conf), before);
}

void TestFrmMain::closeDuringStartUpWaitsForIt()
{
    h->server.faults.delayMs = 2000; // the status file comes late
    frmMain& w = h->create();
    w.show();
    QString title;
    bool enabled = true, closed = true;
    QTimer whenAsked;
    connect(&whenAsked, &QTimer::timeout, [&] {
        if (h->server.requestCount() == 0)
            return;
        whenAsked.stop();
        enabled = w.centralWidget()->isEnabled() || w.menuBar()->isEnabled();
        closed = w.close();
        title = w.windowHandle()->title();
    });
    whenAsked.start(10);
    QVERIFY(w.load());
    QVERIFY(!enabled && !closed);
    QCOMPARE(title, QStringLiteral("Briefcast (closing as soon as start-up ends)"));
    // Start-up done, the close remembered is carried out: settings stored.
    QTRY_COMPARE_WITH_TIMEOUT(h->unloads, 1, 60'000);
    QVERIFY(!w.isVisible());
    QVERIFY(h->setting("Template").startsWith("$mypvtrw\r\n"));
}

void TestFrmMain::closeWhileWaitingForReply()
{
    frmMain& w = h->start();
    h->form().setIcaoText("KSEA");
    w.state().ProfileDirty = false;
    // Neither the reply nor the fetcher's own time-out would end the wait.
    h->server.faults.delayMs = 120'000;
    h->fetcher.setTimeoutMs(300'000);
    bool waitCursor = false;
    QTimer::singleShot(100, [&] {
        const QCursor* cursor = QApplication::overrideCursor();
        waitCursor = cursor && cursor->shape() == Qt::WaitCursor;
        w.close();
    });
    QElapsedTimer took;
    took.start();
    h->press("cmdRefresh");
    QVERIFY2(took.elapsed() < 60'000, "the close waited for the server");
    QVERIFY(waitCursor && !QApplication::overrideCursor());
    QCOMPARE(h->unloads, 1);
    QCOMPARE(h->setting("ICAO"), QStringLiteral("KSEA"));
    QVERIFY(h->dialogs.shown.isEmpty());
    QCOMPARE(readFile(h->atisPath()), QByteArray("<missing>"));
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

void TestFrmMain::speechMenus()
{
    frmMain& w = h->start();
    QStringList file;
    for (QAction* a : w.menuBar()->actions().at(0)->menu()->actions())
        file << (a->isSeparator() ? "-" : a->text());
    QCOMPARE(file.join(", "), "&Start Autoupdate, &Copy ATIS to Clipboard, &Refresh ATIS Now, "
                              "Spea&k ATIS, -, E&xit");
    h->form().setIcaoText("KSEA");
    h->press("cmdRefresh");
    QTest::keyClick(&w, Qt::Key_F9);
    QVERIFY(h->speaker.said.value(0).contains("Information Alpha Winds one seven zero at one"));
    QTest::keyClick(&w, Qt::Key_F9);
    QCOMPARE(h->speaker.stops, 1);
    Q_EMIT h->get<QMenu>("mnuOptionsVoice")->aboutToShow();
    QStringList voices;
    for (QAction* a : h->get<QMenu>("mnuOptionsVoice")->actions())
        voices << a->text() + (a->isChecked() ? "*" : "");
    QCOMPARE(voices, (QStringList{"&Default*", "kal16"}));
    // Without an engine: told once, then the command rests.
    h->speaker.present = false;
    h->press("mnuFileSpeak");
    QVERIFY(h->dialogs.shown.last().text.startsWith("The ATIS cannot be spoken"));
    QVERIFY(!h->get<QAction>("mnuFileSpeak")->isEnabled());
    // The options are stored on close and shown again at the next start.
    h->press("mnuOptionsSpeakNewATIS");
    h->press("mnuOptionsTakeOverCode");
    h->get<QMenu>("mnuOptionsRate")->actions().at(2)->trigger(); // Fast
    w.state().ProfileDirty = false;
    QVERIFY(w.close());
    QCOMPARE(h->setting("SpeakNewATIS") + h->setting("TakeOverOnlineCode") +
                 h->setting("SpeechRate"),
             "TrueFalse0.4");
    h->speaker.rate = 0.0;
    h->window.reset();
    h->start();
    QVERIFY(h->get<QAction>("mnuOptionsSpeakNewATIS")->isChecked());
    QVERIFY(!h->get<QAction>("mnuOptionsTakeOverCode")->isChecked());
    QCOMPARE(h->speaker.rate, 0.4);
}

BRIEFCAST_UI_TEST_MAIN(TestFrmMain)
#include "test_frmmain.moc"
