// The update cycle and the auto-update commands, driven through the ports.
#include "core/atisengine.h"
#include "core/metar.h"
#include "core/sessionstate.h"
#include "core/texts.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/fakefetcher.h"
#include "tests/support/fakeform.h"
#include "tests/support/scripteddialogs.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Server = QStringLiteral("http://127.0.0.1:9/metar.php");
const QString Kjfk51 =
    QStringLiteral("KJFK 121651Z 27010KT 10SM FEW050 BKN250 12/09 A3012 RMK AO2\r\n");
const QString Kjfk51Remark =
    QStringLiteral("KJFK 121651Z 27010KT 10SM FEW050 BKN250 12/09 A3012 RMK AO2 SLP201\r\n");
const QString Kjfk56 =
    QStringLiteral("KJFK 121656Z 27015KT 10SM FEW050 BKN250 12/09 A3010 RMK AO2\r\n");
const QString Kjfk58 = QStringLiteral("KJFK 121658Z 28015KT 9SM FEW050 BKN250 11/09 A3010\r\n");
const QString NoMetar = QStringLiteral("No METAR available for KJFK\r\n");
// Nine minutes after Kjfk51 was observed.
const QDateTime Clock(QDate(2026, 11, 12), QTime(17, 0), Qt::UTC);

// Answers only when the test says so, as the network would, later.
struct FakeLookup : OnlineCodeLookup
{
    QStringList asked;
    Done done;
    int cancels = 0;
    void lookUp(const QString& icao, Done d) override
    {
        asked.append(icao);
        done = std::move(d);
    }
    void cancel() override
    {
        ++cancels;
        done = {};
    }
};

struct Rig
{
    FakeForm form;
    ScriptedDialogs dialogs;
    FakeDesktop desktop;
    FakeFetcher fetcher;
    SessionState state;
    AtisEngine engine{form, dialogs, desktop, fetcher, state};
    QTemporaryDir dir;

    Rig()
    {
        state.MetarServerURL = Server;
        state.ATISFilePath = dir.filePath("atis.txt");
        form.icao = QStringLiteral("KJFK");
        form.templ = QStringLiteral("%icao% info %id% %time% wind %wind% alt %alt%\r\n%runways%");
        form.addRunway(QStringLiteral("4R"), true, false);
        engine.setClock([this] { return now; });
    }
    QDateTime now = Clock;
    QByteArray file() const
    {
        QFile f(state.ATISFilePath);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
    }
    void startAutoUpdate(const QString& reply)
    {
        fetcher.reply(reply);
        engine.ToggleAutoUpdate();
    }
};

} // namespace

class TestAtisEngine : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void firstUnforcedCycleUsesStartingCode();
    void unchangedObservationEndsAtDecision();
    void forcedUnchangedRebuildsQuietly();
    void forcedChangedWhileStoppedKeepsCode();
    void autoUpdateAdvancesAndWraps();
    void restartOnSameObservationKeepsCode();
    void airportChangeComparesWithOldAirport();
    void airportChangedDuringFetchDropsReply();
    void stopDuringFetchHoldsOnNoMetar();
    void hostileReplyIsRefused();
    void noMetarStopsAutoUpdate();
    void noMetarAfterRefreshTogglesTwice();
    void undecodableReply_data();
    void undecodableReply();
    void retrievalFailure();
    void busyEndsSilently();
    void writeFailure();
    void writeDisabledNeverTouchesFile();
    void copyFromMessage();
    void clipboardFailureInMessage();
    void copyCommandFailureIsReported();
    void oneCycleAtATime();
    void storeKeysRequestedAirport();
    void shutDownDuringFetchIsSilent();
    void validateICAO_data();
    void validateICAO();
    void toggleAndTicks();
    void codeChosen();
    void takeOverOnlineCode_data();
    void takeOverOnlineCode();
    void stopWhileLookingUp();
    void staleReport();
};

void TestAtisEngine::firstUnforcedCycleUsesStartingCode()
{
    Rig r;
    r.form.code = 3; // DELTA
    r.state.TickCounter = 17;
    r.startAutoUpdate(Kjfk51);

    QCOMPARE(r.fetcher.requested, QStringList{Server + "?id=KJFK"});
    QCOMPARE(r.form.lastMetar, "KJFK 121651Z 27010KT 10SM FEW050 BKN250 12/09 A3012 RMK AO2");
    const QString atis = "KJFK info DELTA 121651Z wind 27010KT alt 3012\r\nLanding rwy 4R.";
    QCOMPARE(r.form.atis, atis);
    QCOMPARE(r.file(), atis.toLatin1());
    QCOMPARE(r.form.label, Texts::CurrentCode);
    QCOMPARE(r.form.code, 3);
    QCOMPARE(r.desktop.flashes, 1);
    QCOMPARE(r.dialogs.shown.size(), 1);
    QCOMPARE(r.dialogs.shown[0].title, Texts::NewAtisTitle);
    QCOMPARE(r.dialogs.shown[0].icon, Dialogs::Icon::Information);
    QCOMPARE(r.dialogs.shown[0].buttons, Dialogs::Buttons::OKCancel);
    QCOMPARE(
        r.dialogs.shown[0].text,
        "ATIS DELTA now current.\r\n\r\nWinds: 27010KT\r\nAltimeter: 3012\r\nVisibility: 10SM\r\n"
        "Sky: FEW050 BKN250\r\n\r\nPress OK to copy to clipboard.");
    QCOMPARE(r.state.LastMetarKey, "KJFK121651Z");
    QCOMPARE(r.state.Prev.Wind, "27010KT");
    QCOMPARE(r.state.Prev.Altimeter, "3012");
    QCOMPARE(r.state.Prev.Sky, "FEW050 BKN250");
    QCOMPARE(r.state.TickCounter, 0);
    QCOMPARE(r.desktop.clipboard, atis); // the scripted box answers OK
}

void TestAtisEngine::unchangedObservationEndsAtDecision()
{
    Rig r;
    r.startAutoUpdate(Kjfk51);
    const QString atis = r.form.atis;
    r.form.templ = "edited";
    r.state.TickCounter = 300;
    r.fetcher.reply(Kjfk51Remark);
    r.engine.UpdateATIS(false);

    QCOMPARE(r.form.lastMetar,
             "KJFK 121651Z 27010KT 10SM FEW050 BKN250 12/09 A3012 RMK AO2 SLP201");
    QCOMPARE(r.state.TickCounter, 0);
    QCOMPARE(r.form.atis, atis);
    QCOMPARE(r.form.code, 0);
    QCOMPARE(r.dialogs.shown.size(), 1);
    QCOMPARE(r.desktop.flashes, 1);
}

void TestAtisEngine::forcedUnchangedRebuildsQuietly()
{
    Rig r;
    r.startAutoUpdate(Kjfk51);
    r.form.templ = "Edited %id%: %wind%";
    r.fetcher.reply(Kjfk51);
    r.engine.RefreshATIS();

    QCOMPARE(r.form.atis, "Edited ALPHA  27010KT");
    QCOMPARE(r.file(), QByteArray("Edited ALPHA  27010KT"));
    QCOMPARE(r.form.code, 0);
    QCOMPARE(r.form.label, Texts::CurrentCode);
    QCOMPARE(r.dialogs.shown.size(), 1);
    QCOMPARE(r.desktop.flashes, 1);
    QCOMPARE(r.state.LastMetarKey, "KJFK121651Z");
}

void TestAtisEngine::forcedChangedWhileStoppedKeepsCode()
{
    Rig r;
    r.fetcher.reply(Kjfk51);
    r.engine.RefreshATIS();
    QCOMPARE(r.form.label, Texts::CurrentCode);
    r.fetcher.reply(Kjfk56);
    r.engine.RefreshATIS();

    QCOMPARE(r.form.code, 0);
    QCOMPARE(r.dialogs.shown.size(), 2);
    QVERIFY(r.dialogs.shown[1].text.startsWith("ATIS ALPHA now current."));
    QVERIFY(r.dialogs.shown[1].text.contains("\r\n\r\nChanged: winds, altimeter.\r\n\r\n"));
    QCOMPARE(r.state.LastMetarKey, "KJFK121656Z");
}

void TestAtisEngine::autoUpdateAdvancesAndWraps()
{
    Rig r;
    r.form.code = 24; // YANKEE
    r.startAutoUpdate(Kjfk51);
    QCOMPARE(r.form.codeText(), "YANKEE");
    r.fetcher.reply(Kjfk56);
    r.engine.UpdateATIS(false);
    QCOMPARE(r.form.codeText(), "ZULU");
    r.fetcher.reply(Kjfk58);
    r.engine.UpdateATIS(false);
    QCOMPARE(r.form.codeText(), "ALPHA");
    QVERIFY(r.form.atis.startsWith("KJFK info ALPHA 121658Z"));
    QVERIFY(r.dialogs.shown.last().text.contains("Changed: winds, visibility, temp."));
    QVERIFY(!r.form.codeEnabled);
}

void TestAtisEngine::restartOnSameObservationKeepsCode()
{
    Rig r;
    r.form.code = 3;
    r.startAutoUpdate(Kjfk51);
    r.engine.ToggleAutoUpdate(); // stop
    QCOMPARE(r.form.label, Texts::StartingCode);
    r.startAutoUpdate(Kjfk51);
    QCOMPARE(r.form.codeText(), "DELTA");
    QCOMPARE(r.dialogs.shown.size(), 2);
    QCOMPARE(r.dialogs.shown[1].title, Texts::NewAtisTitle);
}

void TestAtisEngine::airportChangeComparesWithOldAirport()
{
    Rig r;
    r.startAutoUpdate(Kjfk51);
    r.form.icao = "KBOS";
    r.fetcher.reply("KBOS 121651Z 27010KT 10SM FEW050 BKN250 M03/M05 A3012");
    r.engine.UpdateATIS(false);
    QCOMPARE(r.form.codeText(), "BRAVO");
    QCOMPARE(r.fetcher.requested.last(), Server + "?id=KBOS");
    QVERIFY(r.dialogs.shown.last().text.contains("\r\n\r\nChanged: temp, dewpoint.\r\n"));
    QCOMPARE(r.state.LastMetarKey, "KBOS121651Z");
}

void TestAtisEngine::airportChangedDuringFetchDropsReply()
{
    Rig r;
    r.state.TickCounter = 7;
    r.fetcher.whileFetching = [&r] { r.form.icao = "KBOS"; };
    r.fetcher.reply(Kjfk51);
    r.engine.RefreshATIS();
    QVERIFY(r.dialogs.shown.isEmpty());
    QVERIFY(r.form.lastMetar.isEmpty());
    QVERIFY(r.form.atis.isEmpty());
    QCOMPARE(r.file(), QByteArray("<none>"));
    QCOMPARE(r.form.label, Texts::StartingCode);
    QCOMPARE(r.state.TickCounter, 7);
    QVERIFY(r.state.LastMetarKey.isEmpty());

    // The next cycle asks for the airport now in the box.
    r.fetcher.whileFetching = nullptr;
    r.fetcher.reply("KBOS 121651Z 27010KT 10SM FEW050 BKN250 M03/M05 A3012");
    r.engine.RefreshATIS();
    QCOMPARE(r.fetcher.requested, (QStringList{Server + "?id=KJFK", Server + "?id=KBOS"}));
    QVERIFY(r.form.atis.startsWith("KBOS info ALPHA 121651Z"));
    QCOMPARE(r.state.LastMetarKey, "KBOS121651Z");
}

void TestAtisEngine::stopDuringFetchHoldsOnNoMetar()
{
    Rig r;
    r.startAutoUpdate(Kjfk51);
    r.fetcher.whileFetching = [&r] {
        r.fetcher.whileFetching = nullptr;
        r.engine.ToggleAutoUpdate(); // Stop
    };
    r.fetcher.reply(NoMetar);
    r.engine.UpdateATIS(false);

    QCOMPARE(r.dialogs.shown.last().text, "No METAR available for KJFK");
    QVERIFY(!r.form.timer);
    QCOMPARE(r.form.startStop, Texts::Start);
    QCOMPARE(r.fetcher.requested.size(), 2);
}

void TestAtisEngine::hostileReplyIsRefused()
{
    Rig r;
    r.startAutoUpdate(Kjfk51);
    const QString atis = r.form.atis;
    const QByteArray file = r.file();
    // A wind element full of variables: each one would take the whole reply.
    r.fetcher.reply("KJFK 121656Z " + QString("%metar%").repeated(300) +
                    "KT 10SM FEW050 12/09 A3010");
    r.engine.UpdateATIS(false);

    QCOMPARE(r.dialogs.shown.last().text,
             "The following error occurred while processing the METAR:\r\n\r\n"
             "(2001) The ATIS would be longer than 65536 characters.");
    QCOMPARE(r.form.atis, atis);
    QCOMPARE(r.file(), file);
    QCOMPARE(r.state.LastMetarKey, "KJFK121651Z");
}

void TestAtisEngine::noMetarStopsAutoUpdate()
{
    Rig r;
    r.startAutoUpdate(Kjfk51);
    r.fetcher.reply(NoMetar);
    r.engine.UpdateATIS(false);

    QCOMPARE(r.form.lastMetar, "No METAR available for KJFK");
    QCOMPARE(r.dialogs.shown.last().text, "No METAR available for KJFK");
    QCOMPARE(r.dialogs.shown.last().icon, Dialogs::Icon::Exclamation);
    QCOMPARE(r.dialogs.shown.last().title, Texts::ErrorTitle);
    QVERIFY(!r.form.timer);
    QVERIFY(r.form.codeEnabled);
    QCOMPARE(r.form.label, Texts::StartingCode);
    QCOMPARE(r.form.startStop, Texts::Start);
    QCOMPARE(r.form.startStopMenu, Texts::StartAutoupdate);
    QCOMPARE(r.state.LastMetarKey, "KJFK121651Z");
}

void TestAtisEngine::noMetarAfterRefreshTogglesTwice()
{
    Rig r;
    r.fetcher.reply(NoMetar);
    r.fetcher.reply(NoMetar);
    r.engine.RefreshATIS();

    QCOMPARE(r.fetcher.requested.size(), 2);
    QCOMPARE(r.dialogs.shown.size(), 2);
    QCOMPARE(r.dialogs.shown[0].text, "No METAR available for KJFK");
    QCOMPARE(r.dialogs.shown[1].text, "No METAR available for KJFK");
    QVERIFY(!r.form.timer);
    QCOMPARE(r.form.startStop, Texts::Start);
    QVERIFY(r.state.LastMetarKey.isEmpty());
}

void TestAtisEngine::undecodableReply_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("shown"); // in the last-METAR box
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("leading blank")
        << " " + Kjfk51 << " KJFK 121651Z 27010KT 10SM FEW050 BKN250 12/09 A3012 RMK AO2";
    QTest::newRow("error page") << "<html><body>502 Bad Gateway</body></html>"
                                << "<html><body>502 Bad Gateway</body></html>";
}

void TestAtisEngine::undecodableReply()
{
    QFETCH(QString, reply);
    Rig r;
    r.startAutoUpdate(Kjfk51);
    const QString atis = r.form.atis;
    r.state.TickCounter = 12;
    r.fetcher.reply(reply);
    r.engine.UpdateATIS(false);

    QCOMPARE(r.dialogs.shown.last().text, Texts::CouldNotParse);
    QCOMPARE(r.dialogs.shown.last().icon, Dialogs::Icon::Critical);
    QTEST(r.form.lastMetar, "shown");
    QVERIFY(r.form.timer);
    QCOMPARE(r.state.TickCounter, 0);
    QCOMPARE(r.form.atis, atis);
}

void TestAtisEngine::retrievalFailure()
{
    Rig r;
    r.form.lastMetar = "previous";
    r.state.TickCounter = 42;
    r.fetcher.fail(12, "Host not found");
    r.engine.RefreshATIS();

    QCOMPARE(r.dialogs.shown.size(), 1);
    QCOMPARE(r.dialogs.shown[0].text,
             "The following error occurred while retrieving the METAR:\r\n\r\n(12) Host not found");
    QCOMPARE(r.dialogs.shown[0].icon, Dialogs::Icon::Exclamation);
    QCOMPARE(r.dialogs.shown[0].buttons, Dialogs::Buttons::OK);
    QCOMPARE(r.form.lastMetar, "previous");
    QCOMPARE(r.state.TickCounter, 42);

    r.fetcher.fail(-3, "Negative");
    r.engine.RefreshATIS();
    QCOMPARE(r.dialogs.shown[1].text,
             "The following error occurred while retrieving the METAR:\r\n\r\n(-3) Negative");
}

void TestAtisEngine::busyEndsSilently()
{
    Rig r;
    r.fetcher.fail(BusyErrorNumber, "Still executing last request");
    r.engine.RefreshATIS();
    QVERIFY(r.dialogs.shown.isEmpty());
    QVERIFY(r.form.lastMetar.isEmpty());
}

void TestAtisEngine::writeFailure()
{
    Rig r;
    r.state.ATISFilePath = r.dir.filePath("missing/atis.txt");
    r.startAutoUpdate(Kjfk51);

    QVERIFY(r.form.atis.startsWith("KJFK info ALPHA"));
    QCOMPARE(r.dialogs.shown.size(), 1);
    QVERIFY(r.dialogs.shown[0].text.startsWith(Texts::WriteError + "\r\n\r\n("));
    QCOMPARE(r.dialogs.shown[0].icon, Dialogs::Icon::Exclamation);
    QCOMPARE(r.desktop.flashes, 0);
    QVERIFY(r.state.LastMetarKey.isEmpty());
    QVERIFY(r.state.Prev.Wind.isEmpty());

    // The same observation counts as new again: the code advances and the
    // write is tried again.
    r.state.ATISFilePath = r.dir.filePath("atis.txt");
    r.fetcher.reply(Kjfk51);
    r.engine.UpdateATIS(false);
    QCOMPARE(r.form.codeText(), "BRAVO");
    QVERIFY(r.file().startsWith("KJFK info BRAVO"));
    QCOMPARE(r.dialogs.shown.last().title, Texts::NewAtisTitle);
    QCOMPARE(r.state.LastMetarKey, "KJFK121651Z");

    r.state.ATISFilePath.clear();
    r.fetcher.reply(Kjfk51);
    r.engine.RefreshATIS();
    QVERIFY(r.dialogs.shown.last().text.startsWith(Texts::WriteError));
}

void TestAtisEngine::writeDisabledNeverTouchesFile()
{
    Rig r;
    r.form.updateFile = false;
    r.fetcher.reply(Kjfk51);
    r.engine.RefreshATIS();
    QVERIFY(!QFile::exists(r.state.ATISFilePath));
    QCOMPARE(r.state.LastMetarKey, "KJFK121651Z");
}

void TestAtisEngine::copyFromMessage()
{
    Rig r;
    r.dialogs.answers = {Dialogs::Answer::Cancel};
    r.fetcher.reply(Kjfk51);
    r.engine.RefreshATIS();
    QCOMPARE(r.desktop.clipboard, "<untouched>");
    QCOMPARE(r.state.LastMetarKey, "KJFK121651Z");

    r.form.atis.clear();
    r.engine.CopyCommand(); // before any ATIS: the empty text replaces the clipboard
    QCOMPARE(r.desktop.clipboard, QString());
}

void TestAtisEngine::clipboardFailureInMessage()
{
    Rig r;
    r.desktop.clipboardFailure = Failure{521, "Can't open Clipboard"};
    r.fetcher.reply(Kjfk51);
    r.engine.RefreshATIS();
    QCOMPARE(r.dialogs.shown.size(), 2);
    QCOMPARE(r.dialogs.shown[1].text,
             "The following error occurred while processing the METAR:\r\n\r\n"
             "(521) Can't open Clipboard");
    QVERIFY(r.state.LastMetarKey.isEmpty());
}

void TestAtisEngine::copyCommandFailureIsReported()
{
    Rig r;
    r.desktop.clipboardFailure = Failure{521, "Can't open Clipboard"};
    r.engine.CopyCommand();
    QCOMPARE(r.dialogs.shown.size(), 1);
    QCOMPARE(r.dialogs.shown[0].text,
             "The following error occurred while copying the ATIS to the clipboard:\r\n\r\n"
             "(521) Can't open Clipboard");
}

void TestAtisEngine::oneCycleAtATime()
{
    Rig r;
    // A refresh click while the reply is awaited, and a timer cycle while
    // the "New ATIS" box is open: both end silently.
    r.fetcher.whileFetching = [&r] {
        r.fetcher.whileFetching = nullptr;
        r.engine.RefreshATIS();
    };
    r.dialogs.whileShown = [&r](const ScriptedDialogs::Shown&) {
        r.dialogs.whileShown = nullptr;
        r.fetcher.reply(Kjfk56);
        r.state.TickCounter = 299;
        r.engine.tmrMain_Timer();
    };
    r.fetcher.reply(Kjfk51);
    r.engine.RefreshATIS();

    QCOMPARE(r.fetcher.requested.size(), 1);
    QCOMPARE(r.dialogs.shown.size(), 1);
    QCOMPARE(r.state.LastMetarKey, "KJFK121651Z");
    QCOMPARE(r.state.TickCounter, 0);
    QVERIFY(!r.engine.cycleInProgress());
}

void TestAtisEngine::storeKeysRequestedAirport()
{
    Rig r;
    // Another airport typed while the "New ATIS" box is open: the observation
    // is still the first airport's.
    r.dialogs.whileShown = [&r](const ScriptedDialogs::Shown&) { r.form.icao = "KBOS"; };
    r.fetcher.reply(Kjfk51);
    r.engine.RefreshATIS();
    QCOMPARE(r.state.LastMetarKey, "KJFK121651Z");
    QVERIFY(r.form.atis.startsWith("KJFK"));
}

void TestAtisEngine::shutDownDuringFetchIsSilent()
{
    Rig r;
    r.fetcher.whileFetching = [&r] { r.engine.shutDown(); };
    r.fetcher.fail(5, "Operation canceled");
    r.engine.RefreshATIS();
    QVERIFY(r.dialogs.shown.isEmpty());

    Rig s;
    s.dialogs.whileShown = [&s](const ScriptedDialogs::Shown&) { s.engine.shutDown(); };
    s.fetcher.reply(Kjfk51);
    s.engine.RefreshATIS();
    QCOMPARE(s.dialogs.shown.size(), 1);
    QVERIFY(s.state.LastMetarKey.isEmpty());
    QCOMPARE(s.desktop.clipboard, "<untouched>");
}

void TestAtisEngine::validateICAO_data()
{
    QTest::addColumn<QString>("icao");
    QTest::addColumn<QString>("message"); // empty: valid
    QTest::addColumn<bool>("selectAll");
    QTest::newRow("valid") << "KSEA"
                           << "" << false;
    QTest::newRow("digits") << "K0A9"
                            << "" << false;
    QTest::newRow("empty") << "" << Texts::MustEnterICAO << false;
    QTest::newRow("five") << "KSEAX" << Texts::InvalidICAO << true;
    QTest::newRow("three") << "KSE" << Texts::InvalidICAO << true;
    QTest::newRow("digit first") << "1SEA" << Texts::InvalidICAO << true;
    QTest::newRow("lower case") << "ksea" << Texts::InvalidICAO << true;
    QTest::newRow("final line feed") << "KSEA\n" << Texts::InvalidICAO << true;
    QTest::newRow("blank") << " KSEA" << Texts::InvalidICAO << true;
    QTest::newRow("Kelvin sign") << QString::fromUtf8("\u212ASEA") << Texts::InvalidICAO << true;
}

void TestAtisEngine::validateICAO()
{
    QFETCH(QString, icao);
    QFETCH(QString, message);
    Rig r;
    r.form.icao = icao;
    QCOMPARE(r.engine.ValidateICAO(), message.isEmpty());
    if (message.isEmpty()) {
        QVERIFY(r.dialogs.shown.isEmpty());
        QCOMPARE(r.form.icaoFocusCount, 0);
        return;
    }
    QCOMPARE(r.dialogs.shown.size(), 1);
    QCOMPARE(r.dialogs.shown[0].text, message);
    QCOMPARE(r.dialogs.shown[0].title, Texts::ErrorTitle);
    QCOMPARE(r.dialogs.shown[0].icon, Dialogs::Icon::Exclamation);
    QCOMPARE(r.form.icaoFocusCount, 1);
    QTEST(r.form.icaoSelectedAll, "selectAll");

    // Nothing starts on an invalid code.
    r.engine.ToggleAutoUpdate();
    QVERIFY(!r.form.timer);
    QCOMPARE(r.form.startStop, Texts::Start);
    QVERIFY(r.fetcher.requested.isEmpty());
}

void TestAtisEngine::toggleAndTicks()
{
    Rig r;
    r.state.TickCounter = 9;
    r.startAutoUpdate(Kjfk51);
    QVERIFY(r.form.timer);
    QCOMPARE(r.form.startStop, Texts::Stop);
    QCOMPARE(r.form.startStopMenu, Texts::StopAutoupdate);
    QVERIFY(!r.form.codeEnabled);
    QCOMPARE(r.fetcher.requested.size(), 1);

    for (int i = 0; i < 299; ++i)
        r.engine.tmrMain_Timer();
    QCOMPARE(r.state.TickCounter, 299);
    QCOMPARE(r.fetcher.requested.size(), 1);
    r.fetcher.reply(Kjfk51);
    r.engine.tmrMain_Timer();
    QCOMPARE(r.fetcher.requested.size(), 2);
    QCOMPARE(r.state.TickCounter, 0);

    r.state.TickCounter = 120;
    r.engine.ToggleAutoUpdate();
    QVERIFY(!r.form.timer);
    QCOMPARE(r.state.TickCounter, 0);
    QCOMPARE(r.form.startStop, Texts::Start);
    QCOMPARE(r.form.startStopMenu, Texts::StartAutoupdate);
    QVERIFY(r.form.codeEnabled);
    QCOMPARE(r.form.label, Texts::StartingCode);
}

void TestAtisEngine::codeChosen()
{
    Rig r;
    r.form.label = Texts::CurrentCode;
    r.form.codeEnabled = false;
    r.engine.cboATISCode_Click();
    QCOMPARE(r.form.label, Texts::CurrentCode);
    r.form.codeEnabled = true;
    r.engine.cboATISCode_Click();
    QCOMPARE(r.form.label, Texts::StartingCode);
}

void TestAtisEngine::takeOverOnlineCode_data()
{
    QTest::addColumn<bool>("option");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("online"); // the code on the air, -1: none
    QTest::addColumn<int>("lookups");
    QTest::addColumn<QString>("firstAtis");
    QTest::addColumn<QString>("notice");
    const QString taken = "\r\n\r\nDELTA was taken over from KJFK_ATIS, already on the air.";
    QTest::newRow("online with DELTA")
        << true << Texts::StartingCode << 3 << 1 << "KJFK info DELTA" << taken;
    QTest::newRow("not online") << true << Texts::StartingCode << -1 << 1 << "KJFK info BRAVO"
                                << "";
    QTest::newRow("option off") << false << Texts::StartingCode << 3 << 0 << "KJFK info BRAVO"
                                << "";
    QTest::newRow("code already current")
        << true << Texts::CurrentCode << 3 << 0 << "KJFK info CHARLIE"
        << "";
}

void TestAtisEngine::takeOverOnlineCode()
{
    QFETCH(bool, option);
    QFETCH(QString, label);
    QFETCH(int, online);
    QFETCH(int, lookups);
    QFETCH(QString, firstAtis);
    QFETCH(QString, notice);
    Rig r;
    FakeLookup lookup;
    r.engine.setOnlineCodeLookup(&lookup);
    r.engine.setTakeOverOnlineCode(option);
    r.form.code = 1; // BRAVO
    r.form.label = label;
    r.startAutoUpdate(Kjfk51);
    QCOMPARE(lookup.asked.size(), lookups);
    if (lookups) {
        // Auto-update runs, but the first cycle waits for the answer.
        QCOMPARE(lookup.asked[0], "KJFK");
        QVERIFY(r.form.timer);
        QCOMPARE(r.form.startStop, Texts::Stop);
        QVERIFY(r.fetcher.requested.isEmpty());
        QVERIFY(r.engine.awaitingOnlineCode());
        lookup.done(online < 0 ? std::nullopt
                               : std::optional(OnlineCodeLookup::OnlineAtis{"KJFK_ATIS", online}));
    }
    QVERIFY(!r.engine.awaitingOnlineCode());
    QCOMPARE(r.fetcher.requested.size(), 1);
    QVERIFY2(r.form.atis.startsWith(firstAtis), qPrintable(r.form.atis));
    QCOMPARE(r.dialogs.shown.size(), 1);
    QVERIFY(r.dialogs.shown[0].text.endsWith("Sky: FEW050 BKN250" + notice +
                                             "\r\n\r\nPress OK to copy to clipboard."));
    // The next new observation advances as ever, without the notice.
    r.fetcher.reply(Kjfk56);
    r.engine.UpdateATIS(false);
    QVERIFY(!r.dialogs.shown.last().text.contains("taken over"));
}

void TestAtisEngine::stopWhileLookingUp()
{
    Rig r;
    FakeLookup lookup;
    r.engine.setOnlineCodeLookup(&lookup);
    r.startAutoUpdate(Kjfk51);
    r.engine.ToggleAutoUpdate();
    QCOMPARE(lookup.cancels, 1);
    QVERIFY(!lookup.done);
    QVERIFY(!r.engine.awaitingOnlineCode());
    QVERIFY(r.fetcher.requested.isEmpty());
    QCOMPARE(r.form.label, Texts::StartingCode);

    // Closing while a look-up runs cancels it too.
    r.engine.ToggleAutoUpdate();
    QCOMPARE(lookup.asked.size(), 2);
    r.engine.shutDown();
    QCOMPARE(lookup.cancels, 2);
    QVERIFY(r.fetcher.requested.isEmpty());
}

void TestAtisEngine::staleReport()
{
    Rig r;
    r.now = QDateTime(QDate(2026, 11, 12), QTime(18, 2), Qt::UTC); // 71 minutes on
    r.startAutoUpdate(Kjfk51);
    QCOMPARE(r.dialogs.shown.size(), 1);
    QCOMPARE(
        r.dialogs.shown[0].text,
        "ATIS ALPHA now current.\r\n\r\nWinds: 27010KT\r\nAltimeter: 3012\r\n"
        "Visibility: 10SM\r\nSky: FEW050 BKN250\r\n\r\n"
        "STALE: this METAR was observed 1 h 11 min ago.\r\n\r\nPress OK to copy to clipboard.");
    // A stale report still gives its ATIS, written and shown.
    QVERIFY(r.form.atis.startsWith("KJFK info ALPHA 121651Z"));
    QCOMPARE(r.state.LastMetarKey, "KJFK121651Z");
}

QTEST_GUILESS_MAIN(TestAtisEngine)
#include "test_atisengine.moc"
