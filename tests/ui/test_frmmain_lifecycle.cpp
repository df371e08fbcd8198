#include "core/texts.h"
#include "net/nettexts.h"
#include "store/appsettings.h"
#include "store/profilecommands.h"
#include "store/storetexts.h"
#include "tests/support/ordinaryuser.h"
#include "tests/ui/uiharness.h"
#include "ui/windowform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

// Start-up and shutdown of the real window over a real settings file.
class TestFrmMainLifecycle : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { h = std::make_unique<UiHarness>(); }
    void cleanup() { h.reset(); }
    void startFillsTheControlsAndCloseWrites();
    void failedDiscoveryWritesNothing();
    void closeDuringStartUpWaitsForIt();
    void everyCloseRequestAsks_data();
    void everyCloseRequestAsks();
    void cancelledCloseKeepsWindowAndStore();
    void unwritableStoreOnClose_data();
    void unwritableStoreOnClose();
    void sessionEnding();
    void profileRoundThroughTheWindow();

private:
    std::unique_ptr<UiHarness> h;
};

void TestFrmMainLifecycle::startFillsTheControlsAndCloseWrites()
{
    QSettingsStore& s = h->fileStore;
    s.SaveSetting("Settings", "LastProfile", "KBOS west");
    s.SaveSetting("Settings", "UpdateATISFile", "False");
    for (const char* name : {"KBOS west", "EGLL", "kbos"})
        s.SaveSetting("Profiles", name, "1");
    const QString section = "Profiles\\KBOS west";
    s.SaveSetting(section, "ICAO", "KBOS");
    s.SaveSetting(section, "Template", "Information %id%%vbCrLf%%runways%");
    s.SaveSetting(section, "Runways", "4R,1,0|4L,1,1|9,0,1|33L,0,0");
    s.SaveSetting(section, "VisualInUse", "1");
    s.SaveSetting(section, "LAHSOInEffect", "0");
    frmMain& w = h->create();
    w.show();
    QVERIFY(w.load());
    QCOMPARE(Ui(w).txtICAO->text(), QStringLiteral("KBOS"));
    QCOMPARE(w.form().templateText(), QStringLiteral("Information %id%\r\n%runways%"));
    QCOMPARE(w.form().runwayCount(), 4);
    QVERIFY(w.form().arrivingTicked(1) && w.form().departingTicked(1) &&
            !w.form().arrivingTicked(2) && w.form().departingTicked(2));
    QVERIFY(Ui(w).chkVisual->isChecked());
    QVERIFY(!Ui(w).chkLAHSO->isChecked());
    QVERIFY(!Ui(w).mnuOptionsUpdateATISFile->isChecked());
    QCOMPARE(Ui(w).cboProfiles->count(), 3);
    QCOMPARE(Ui(w).cboProfiles->itemText(0), QStringLiteral("EGLL"));
    QCOMPARE(Ui(w).cboProfiles->currentText(), QStringLiteral("KBOS west"));
    QCOMPARE(Ui(w).cmdStartStop->text(), QStringLiteral("Start"));
    QVERIFY(w.centralWidget()->isEnabled());
    // Filling the controls raised their change events; none of it is unsaved.
    QVERIFY(!w.state().ProfileDirty);
    QCOMPARE(w.windowHandle()->title(), QStringLiteral("Briefcast"));

    // Closing without changes asks nothing and writes the settings once.
    QVERIFY(w.close());
    QVERIFY(h->dialogs.shown.isEmpty());
    QCOMPARE(h->unloads, 1);
    QCOMPARE(h->store.saves, 9);
    QCOMPARE(h->fileStore.GetSetting("Settings", "ICAO"), QStringLiteral("KBOS"));
    QCOMPARE(h->fileStore.GetSetting("Settings", "UpdateATISFile"), QStringLiteral("False"));
    // A second request after the unload changes nothing.
    w.close();
    QCOMPARE(h->store.saves, 9);
    QCOMPARE(h->unloads, 1);
}

void TestFrmMainLifecycle::failedDiscoveryWritesNothing()
{
    h->fileStore.SaveSetting("Settings", "ICAO", "KSEA");
    const int before = h->store.saves;
    h->server.setStatusBody(QByteArray());
    h->server.statusForms.json = false;
    h->server.faults.status = 503;
    h->server.faults.reason = "Service Unavailable";
    frmMain& w = h->create();
    Ui(w).txtTemplate->setPlainText("edited");
    QVERIFY(!w.load());
    QCOMPARE(h->dialogs.shown.size(), 1);
    QVERIFY(h->dialogs.shown[0].text.startsWith(NetTexts::ListingError));
    QCOMPARE(h->dialogs.shown[0].title, QStringLiteral("Error"));
    QCOMPARE(h->dialogs.shown[0].icon, Dialogs::Icon::Critical);
    QCOMPARE(h->store.saves, before);
    QCOMPARE(h->unloads, 0);
    QCOMPARE(h->fileStore.GetAllSettings("Settings")->size(), 1);
}

void TestFrmMainLifecycle::closeDuringStartUpWaitsForIt()
{
    // The status file comes late; the close is asked for once it is awaited.
    h->server.faults.delayMs = 2000;
    frmMain& w = h->create();
    w.show();
    QString seen;
    QString titleMeanwhile;
    bool enabledMeanwhile = true;
    bool closedMeanwhile = true;
    QTimer whenAsked;
    whenAsked.setInterval(10);
    connect(&whenAsked, &QTimer::timeout, [&] {
        if (h->server.requestCount() == 0)
            return;
        whenAsked.stop();
        seen = Ui(w).txtATIS->toPlainText();
        enabledMeanwhile = w.centralWidget()->isEnabled() || w.menuBar()->isEnabled();
        closedMeanwhile = w.close();
        titleMeanwhile = w.windowHandle()->title();
    });
    whenAsked.start();
    QVERIFY(w.load());
    QCOMPARE(seen, QStringLiteral("Retrieving VATSIM data server listing ...\n"));
    QVERIFY(!enabledMeanwhile);
    QVERIFY(!closedMeanwhile);
    QCOMPARE(titleMeanwhile, QStringLiteral("Briefcast (closing as soon as start-up ends)"));
    QCOMPARE(Ui(w).txtATIS->toPlainText(), QString());
    // Start-up done, the close remembered is carried out: settings written.
    QTRY_COMPARE_WITH_TIMEOUT(h->unloads, 1, 10000);
    QVERIFY(!w.isVisible());
    QCOMPARE(h->store.saves, 9);
    QCOMPARE(h->fileStore.GetSetting("Settings", "Template"), Texts::DefaultTemplate);
}

void TestFrmMainLifecycle::everyCloseRequestAsks_data()
{
    QTest::addColumn<int>("source");
    QTest::newRow("title bar") << 0;
    QTest::newRow("Exit button") << 1;
    QTest::newRow("File menu Exit") << 2;
}

void TestFrmMainLifecycle::everyCloseRequestAsks()
{
    QFETCH(int, source);
    frmMain& w = h->start();
    QTest::keyClicks(Ui(w).txtTemplate, "x");
    QVERIFY(w.state().ProfileDirty);
    const int before = h->store.saves;
    h->dialogs.answers = {Dialogs::Answer::No};
    if (source == 0)
        w.close();
    else if (source == 1)
        QTest::mouseClick(Ui(w).cmdExit, Qt::LeftButton);
    else
        Ui(w).mnuFileExit->trigger();
    QCOMPARE(h->dialogs.shown.size(), 1);
    QCOMPARE(h->dialogs.shown[0].text, StoreTexts::SaveAsProfile);
    QCOMPARE(h->dialogs.shown[0].title, QStringLiteral("Confirm Save"));
    QVERIFY(!w.isVisible());
    QCOMPARE(h->unloads, 1);
    QCOMPARE(h->store.saves, before + 9);
    QVERIFY(!h->fileStore.GetAllSettings("Profiles"));
}

void TestFrmMainLifecycle::cancelledCloseKeepsWindowAndStore()
{
    frmMain& w = h->start();
    QTest::keyClicks(Ui(w).txtICAO, "KSEA");
    const int before = h->store.saves;
    h->dialogs.answers = {Dialogs::Answer::Cancel};
    QVERIFY(!w.close());
    QVERIFY(w.isVisible());
    QCOMPARE(h->store.saves, before);
    QCOMPARE(h->unloads, 0);
    // Yes, then the name prompt cancelled: still open.
    h->dialogs.answers = {Dialogs::Answer::Yes};
    QVERIFY(!w.close());
    QCOMPARE(h->dialogs.asked.last().proposed, QStringLiteral("KSEA"));
    QCOMPARE(h->unloads, 0);
    // Yes and a name: the profile and then the settings are written.
    h->dialogs.answers = {Dialogs::Answer::Yes};
    h->dialogs.inputs = {"Seattle"};
    QVERIFY(w.close());
    QCOMPARE(h->unloads, 1);
    QCOMPARE(h->fileStore.GetSetting("Profiles\\Seattle", "ICAO"), QStringLiteral("KSEA"));
    QCOMPARE(h->fileStore.GetSetting("Settings", "LastProfile"), QStringLiteral("Seattle"));
}

void TestFrmMainLifecycle::unwritableStoreOnClose_data()
{
    QTest::addColumn<bool>("retry");
    QTest::newRow("tried again once writable") << true;
    QTest::newRow("closed anyway") << false;
}

void TestFrmMainLifecycle::unwritableStoreOnClose()
{
    QFETCH(bool, retry);
    const QString conf = h->fileStore.fileName();
    h->fileStore.SaveSetting("Settings", "UpdateATISFile", "True");
    frmMain& w = h->start();
    Ui(w).mnuOptionsUpdateATISFile->trigger();
    const QByteArray before = readFile(conf);
    QVERIFY(before.contains("UpdateATISFile=True"));

    // The store turns read-only and the close runs as an ordinary user;
    // while the question is open the store becomes writable again.
    QVERIFY(setStoreReadOnly(h->dir.path(), conf, true));
    OrdinaryUser user;
    h->dialogs.whileShown = [&](const ScriptedDialogs::Shown&) {
        user.restore();
        setStoreReadOnly(h->dir.path(), conf, false);
    };
    using Answer = Dialogs::Answer;
    h->dialogs.answers = retry ? QList{Answer::Yes, Answer::Yes, Answer::No} : QList{Answer::No};
    QVERIFY(w.close());
    QVERIFY(!h->dialogs.shown.isEmpty());
    for (const ScriptedDialogs::Shown& shown : h->dialogs.shown) {
        QCOMPARE(shown.text,
                 QStringLiteral("The settings could not be saved: the settings store could "
                                "not be written.\r\n\r\nTry again? No closes Briefcast "
                                "without saving them."));
        QCOMPARE(shown.title, QStringLiteral("Error"));
        QCOMPARE(shown.icon, Dialogs::Icon::Exclamation);
        QCOMPARE(shown.buttons, Dialogs::Buttons::YesNo);
    }
    QCOMPARE(h->unloads, 1);
    // The program's exit status follows: 0 when saved, 1 when not.
    QCOMPARE(h->saved, retry);
    if (retry)
        QVERIFY(readFile(conf).contains("UpdateATISFile=False"));
    else
        QCOMPARE(readFile(conf), before);
}

void TestFrmMainLifecycle::sessionEnding()
{
    frmMain& w = h->start();
    QTest::keyClicks(Ui(w).txtICAO, "KSEA");
    h->dialogs.answers = {Dialogs::Answer::Cancel};
    QVERIFY(!w.sessionEnding(true));
    QCOMPARE(h->unloads, 0);
    // Without a chance to ask, the settings are saved and the program ends.
    QVERIFY(w.sessionEnding(false));
    QCOMPARE(h->unloads, 1);
    QCOMPARE(h->fileStore.GetSetting("Settings", "ICAO"), QStringLiteral("KSEA"));
    QVERIFY(w.sessionEnding(true));
    QCOMPARE(h->unloads, 1);
}

void TestFrmMainLifecycle::profileRoundThroughTheWindow()
{
    frmMain& w = h->start();
    // The title bar marks unsaved changes of the profile.
    auto title = [&] { return w.windowHandle()->title(); };
    QCOMPARE(title(), QStringLiteral("Briefcast"));
    QTest::keyClicks(Ui(w).txtICAO, "kbos");
    QCOMPARE(title(), QStringLiteral("Briefcast*"));
    QVERIFY(Ui(w).txtICAO->hasFocus() || QApplication::focusWidget() == Ui(w).txtICAO);
    Ui(w).txtTemplate->setFocus(); // leaving the box upper-cases it
    QCOMPARE(Ui(w).txtICAO->text(), QStringLiteral("KBOS"));
    h->dialogs.inputs = {"4r", "4l"};
    QTest::mouseClick(Ui(w).cmdAddRunway, Qt::LeftButton);
    QTest::mouseClick(Ui(w).cmdAddRunway, Qt::LeftButton);
    w.form().setArrivingTicked(0, true);
    QTest::mouseClick(Ui(w).chkVisual, Qt::LeftButton);
    h->dialogs.inputs = {"KBOS west"};
    QTest::mouseClick(Ui(w).cmdSave, Qt::LeftButton);
    QCOMPARE(h->dialogs.shown.last().text, QStringLiteral("Profile Saved!"));
    QCOMPARE(h->fileStore.GetSetting("Profiles\\KBOS west", "Runways"),
             QStringLiteral("4R,1,0|4L,0,0"));
    QCOMPARE(h->fileStore.GetSetting("Profiles\\KBOS west", "VisualInUse"), QStringLiteral("1"));
    QCOMPARE(Ui(w).cboProfiles->currentText(), QStringLiteral("KBOS west"));
    QVERIFY(!w.state().ProfileDirty);
    QCOMPARE(title(), QStringLiteral("Briefcast"));
}

BRIEFCAST_UI_TEST_MAIN(TestFrmMainLifecycle)
#include "test_frmmain_lifecycle.moc"
