// The update cycle and the commands around it, driven through the ports as
// the window drives them.
#include "core/atisengine.h"
#include "core/atisspeech.h"
#include "core/programsettings.h"
#include "core/sessionstate.h"
#include "core/speechtexts.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/fakefetcher.h"
#include "tests/support/fakeform.h"
#include "tests/support/fakespeaker.h"
#include "tests/support/scripteddialogs.h"
#include "tests/support/testfiles.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// Replies of the METAR server; the clock reads 12 November, 17:00 UTC.
const QString Kjfk1651 = "KJFK 121651Z 27010KT 10SM FEW050 BKN250 12/09 A3012 RMK AO2\r\n";
const QString Kjfk1651OtherRemarks = "KJFK 121651Z 27010KT 10SM FEW050 BKN250 12/09 A3012 SLP201";
const QString Kjfk1656 = "KJFK 121656Z 27015KT 10SM FEW050 BKN250 12/09 A3010";
const QString Kjfk1658 = "KJFK 121658Z 28015KT 9SM -RA FEW050 11/09 A3010";
const QString Kjfk1548 = "KJFK 121548Z 27010KT 10SM FEW050 BKN250 12/09 A3012";
const QString Kbos1651 = "KBOS 121651Z 27010KT 10SM FEW050 BKN250 M03/M05 A3012";
const QString NoMetarKjfk = "No METAR available for KJFK\r\n";
const QString BadGateway = "<html><body>502 Bad Gateway</body></html>";
// Each %metar% in the wind would take the whole reply again.
const QString VariablesInTheWind =
    "KJFK 121656Z " + QString("%metar%").repeated(300) + "KT 10SM FEW050 12/09 A3010";
const Failure HostNotFound{12, "Host not found"};
const Failure Busy{BusyErrorNumber, "Still executing last request"};

struct Message
{
    QString title;
    QString text;
    bool operator==(const Message&) const = default;
};
Message error(const QString& text)
{
    return {"Error", text};
}

// The "New ATIS" messages of the tests.
const Message Alpha1651{"New ATIS", "ATIS ALPHA now current.\r\n\r\nWinds: 27010KT\r\nAltimeter: "
                                    "3012\r\nVisibility: 10SM\r\nSky: FEW050 BKN250\r\n\r\n"
                                    "Press OK to copy to clipboard."};
const Message Bravo1656{"New ATIS",
                        "ATIS BRAVO now current.\r\n\r\nWinds: 27015KT\r\nAltimeter: "
                        "3010\r\nVisibility: 10SM\r\nSky: FEW050 BKN250\r\n\r\n"
                        "Changed: winds, altimeter.\r\n\r\nPress OK to copy to clipboard."};

// What the window shows about the ATIS and its code.
struct Window
{
    QString atis;
    QString code;
    bool codeIsCurrent;     // "Current Code:", not "Starting Code:"
    bool autoUpdating;      // Stop offered, the code list locked, the timer on
    bool lookingUp = false; // the look-up of the letter on the air shown
    bool operator==(const Window&) const = default;
};
const bool Starting = false, Current = true, Stopped = false, Running = true, LookingUp = true;

char* toString(const Message& m)
{
    return QTest::toString(m.title + ": " + m.text);
}
char* toString(const Window& w)
{
    return QTest::toString(QStringList{w.atis, w.code, w.codeIsCurrent ? "current" : "starting",
                                       w.autoUpdating ? "running" : "stopped",
                                       w.lookingUp ? "looking up" : "idle"}
                               .join(" | "));
}

// Answers only when the test says so, as the network would, later.
struct FakeLookup : OnlineCodeLookup
{
    QString callsign;
    Done done;
    void lookUp(const QString& station, Done d) override
    {
        callsign = station, done = std::move(d);
    }
    void cancel() override { done = {}; }
};

const bool WithLookUp = true;

struct Rig
{
    FakeForm form;
    ScriptedDialogs dialogs;
    FakeDesktop desktop;
    FakeFetcher fetcher;
    SessionState state;
    FakeLookup lookup;
    QTemporaryDir dir;
    ProgramSettings settings = ProgramSettings::defaults();
    AtisEngine engine{form, dialogs, desktop, fetcher, state, settings};

    // With a look-up of the letter on the air, or without.
    explicit Rig(bool lookUp = false)
    {
        if (lookUp)
            engine.setOnlineCodeLookup(&lookup);
        state.MetarServerURL = "http://127.0.0.1:9/metar.php";
        settings.ATISFilePath = dir.filePath("atis.txt");
        settings.UpdateATISFile = true;
        form.shown.icao = "KJFK";
        form.shown.templateText = "%id% %time%";
        engine.setClock([] { return QDateTime(QDate(2026, 11, 12), QTime(17, 0), Qt::UTC); });
    }

    void reply(const TextFetcher::Result& result) { fetcher.replies.append(result); }
    // Start and Stop are one button.
    void start() { engine.ToggleAutoUpdate(); }
    void stop() { engine.ToggleAutoUpdate(); }
    void refresh() { engine.RefreshATIS(); }
    // The cycle of the 300th tick.
    void cycle() { engine.UpdateATIS(false); }
    void ticks(int n)
    {
        while (n--)
            engine.tick();
    }
    void selectCode(const QString& code)
    {
        form.code = int(form.codes.indexOf(code));
        engine.chooseCode();
    }
    // A step run once, while the next fetch waits for its reply or while the
    // next message box is open.
    template <class Hook> static void once(Hook& hook, std::function<void()> step)
    {
        hook = [&hook, step](auto&&...) {
            const auto run = step;
            hook = nullptr, run();
        };
    }
    void duringFetch(std::function<void()> step) { once(fetcher.whileFetching, step); }
    void whileShown(std::function<void()> step) { once(dialogs.whileShown, step); }
    // The look-up's answer: this airport's ATIS on the air with this code.
    void onTheAir(const QString& callsign, int code)
    {
        std::exchange(lookup.done, {})(OnlineCodeLookup::OnlineAtis{callsign, code});
    }
    void noneOnTheAir() { std::exchange(lookup.done, {})(std::nullopt); }

    Window window() const
    {
        return {form.atis, form.codeText(), form.codeIsCurrent, form.autoUpdate, form.lookingUp};
    }
    QList<Message> messages() const
    {
        QList<Message> messages;
        for (const ScriptedDialogs::Shown& shown : dialogs.shown)
            messages << Message{shown.title, shown.text};
        return messages;
    }
    QByteArray atisFile() const { return readFile(settings.ATISFilePath); }
};

} // namespace

class TestAtisEngine : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startAnnouncesTheStartingCode()
    {
        Rig r;
        r.form.shown.templateText = "%icao% info %id% %time% wind %wind% alt %alt%\r\n%runways%";
        r.form.addRunway("4R", true, false);
        r.form.addRunway("9", false, true);
        r.form.addRunway("33L", false, false);
        r.form.shown.lahso = true;
        r.selectCode("DELTA");
        r.reply(Kjfk1651), r.start();
        const QString atis = "KJFK info DELTA 121651Z wind 27010KT alt 3012\r\nLanding rwy 4R. "
                             "Departing rwy 9. LAHSOs in effect.";
        QCOMPARE(r.window(), (Window{atis, "DELTA", Current, Running}));
        QCOMPARE(r.atisFile(), atis.toUtf8());
        QCOMPARE(r.desktop.clipboard, atis);
        QCOMPARE(r.desktop.flashes, 1);
        QCOMPARE(r.messages().at(0).text.left(25), "ATIS DELTA now current.\r\n");
        QCOMPARE(r.dialogs.shown[0].buttons, Dialogs::Buttons::OKCancel);
        r.stop();
        QCOMPARE(r.window(), (Window{atis, "DELTA", Starting, Stopped}));
        QCOMPARE(r.state.LastMetarKey, "KJFK121651Z");
        r.reply(Kjfk1651), r.start(); // the same observation: announced again, same letter
        QCOMPARE(r.window(), (Window{atis, "DELTA", Current, Running}));
        QCOMPARE(r.messages().size(), 2);
    }

    void sameObservationIsRebuiltOnlyWhenForced()
    {
        Rig r;
        r.reply(Kjfk1651), r.start();
        r.form.shown.templateText = "Edited %id%";
        r.reply(Kjfk1651OtherRemarks), r.cycle(); // the same observation time: left alone
        QCOMPARE(r.window(), (Window{"ALPHA 121651Z", "ALPHA", Current, Running}));
        r.reply(Kjfk1651), r.refresh(); // rebuilt and written, not announced
        QCOMPARE(r.window(), (Window{"Edited ALPHA", "ALPHA", Current, Running}));
        QCOMPARE(r.atisFile(), "Edited ALPHA");
        QCOMPARE(r.messages(), QList<Message>{Alpha1651});
    }

    void advancesTheLetterOnANewObservation()
    {
        Rig r;
        r.selectCode("YANKEE");
        r.reply(Kjfk1651), r.start();
        r.reply(Kjfk1656), r.cycle();
        QCOMPARE(r.window(), (Window{"ZULU 121656Z", "ZULU", Current, Running}));
        r.reply(Kjfk1658), r.cycle(); // after ZULU comes ALPHA
        QCOMPARE(r.window(), (Window{"ALPHA 121658Z", "ALPHA", Current, Running}));
        QCOMPARE(r.messages().at(2).text,
                 "ATIS ALPHA now current.\r\n\r\nWinds: 28015KT\r\nAltimeter: 3010\r\nVisibility: "
                 "9SM\r\nSky: FEW050\r\n\r\nChanged: winds, visibility, sky cond, precip, temp."
                 "\r\n\r\nPress OK to copy to clipboard.");
    }

    void stoppedTheLetterStaysUntilAnotherIsChosen()
    {
        Rig r;
        r.reply(Kjfk1651), r.refresh();
        r.reply(Kjfk1656), r.refresh(); // a new observation, announced with the same letter
        QCOMPARE(r.window(), (Window{"ALPHA 121656Z", "ALPHA", Current, Stopped}));
        r.selectCode("CHARLIE");
        QCOMPARE(r.window(), (Window{"ALPHA 121656Z", "CHARLIE", Starting, Stopped}));
        r.reply(Kjfk1656), r.start(); // the code chosen goes on the air as it is
        r.engine.chooseCode();        // and the list is locked while auto-update runs
        QCOMPARE(r.window(), (Window{"CHARLIE 121656Z", "CHARLIE", Current, Running}));
        QCOMPARE(r.messages().size(), 3);
    }

    void anotherAirportIsANewObservation()
    {
        Rig r;
        r.duringFetch([&] { r.form.shown.icao = "KBOS"; }); // corrected while the reply is awaited
        r.reply(Kjfk1651), r.reply(Kbos1651), r.refresh();  // dropped: KBOS is asked for at once
        QCOMPARE(r.state.LastMetarKey, "KBOS121651Z");
        r.form.shown.icao = "KJFK";
        r.whileShown([&] { r.form.shown.icao = "KBOS"; }); // typed while the message is open
        r.reply(Kjfk1651), r.start();
        QCOMPARE(r.state.LastMetarKey, "KJFK121651Z");
        r.reply(Kbos1651), r.cycle();
        QCOMPARE(r.state.LastMetarKey, "KBOS121651Z");
        QVERIFY(r.messages().at(2).text.endsWith("BKN250\r\n\r\nChanged: temp, dewpoint.\r\n\r\n"
                                                 "Press OK to copy to clipboard."));
    }

    void noMetarReplyStopsAutoUpdate()
    {
        Rig r;
        r.reply(Kjfk1651), r.start();
        r.reply(NoMetarKjfk), r.cycle();
        QCOMPARE(r.window(), (Window{"ALPHA 121651Z", "ALPHA", Starting, Stopped}));
        QCOMPARE(r.form.lastMetar, "No METAR available for KJFK");
        QCOMPARE(r.messages(), (QList<Message>{Alpha1651, error("No METAR available for KJFK")}));
        // After a refresh it starts auto-update, whose own cycle stops it again.
        r.reply(NoMetarKjfk), r.reply(NoMetarKjfk), r.refresh();
        QCOMPARE(r.window(), (Window{"ALPHA 121651Z", "ALPHA", Starting, Stopped}));
        QCOMPARE(r.messages().size(), 4);
    }

    void stopHoldsAgainstALateReply()
    {
        for (const QString& late : {Kjfk1656, NoMetarKjfk}) {
            Rig r;
            r.reply(Kjfk1651), r.start();
            r.duringFetch([&] { r.stop(); });
            r.reply(late), r.cycle(); // dropped without a word
            QCOMPARE(r.window(), (Window{"ALPHA 121651Z", "ALPHA", Starting, Stopped}));
            QCOMPARE(r.form.lastMetar, Kjfk1651.trimmed());
            QCOMPARE(r.atisFile(), "ALPHA 121651Z");
            QCOMPARE(r.messages(), QList<Message>{Alpha1651});
        }
        Rig r; // Stop and Start in one wait: the late no-METAR reply stops nothing
        r.reply(Kjfk1651), r.start();
        r.duringFetch([&] { r.stop(), r.start(); });
        r.reply(NoMetarKjfk), r.reply(Kjfk1656), r.cycle();
        QCOMPARE(r.window(), (Window{"ALPHA 121656Z", "ALPHA", Current, Running}));
        QCOMPARE(r.fetcher.requested.size(), 3); // the start's own cycle followed
        QCOMPARE(r.messages().size(), 2);
    }

    void failedRepliesAreReported()
    {
        Rig r;
        r.reply(Kjfk1651), r.start();
        r.state.TickCounter = 12;
        r.reply(BadGateway), r.cycle(); // auto-update goes on
        QCOMPARE(r.state.TickCounter, 0);
        r.reply(HostNotFound), r.cycle();
        r.reply(Busy), r.cycle(); // another cycle's request is still running: silent
        r.form.shown.icao = "KBOS";
        r.reply(Kjfk1651), r.cycle(); // another station's weather
        QCOMPARE(r.window(), (Window{"ALPHA 121651Z", "ALPHA", Current, Running}));
        QCOMPARE(r.atisFile(), "ALPHA 121651Z");
        QCOMPARE(r.messages(),
                 (QList<Message>{
                     Alpha1651, error("Could not parse METAR! ATIS not updated!"),
                     error("The following error occurred while retrieving the METAR:\r\n\r\n"
                           "(12) Host not found"),
                     error("The following error occurred while processing the METAR:\r\n\r\n"
                           "(2002) The METAR received is for KJFK, not for the airport asked "
                           "for, KBOS.")}));
        QCOMPARE(r.dialogs.shown.at(1).icon, Dialogs::Icon::Critical);
    }

    void aLetterIsChosenOncePerObservation()
    {
        Rig r;
        r.settings.ATISFilePath = "atis.txt"; // refused: not a full path
        r.reply(Kjfk1651), r.start();
        r.reply(Kjfk1651), r.cycle(); // the retry keeps its letter
        QCOMPARE(r.window(), (Window{"ALPHA 121651Z", "ALPHA", Current, Running}));
        QCOMPARE(r.messages().at(1), error("The following error occurred while attempting to write "
                                           "to atis.txt:\r\n\r\n(5) The location of atis.txt is "
                                           "not a full path: \"atis.txt\""));
        r.form.shown.templateText = "%wind%";
        r.reply(VariablesInTheWind), r.cycle(); // a new observation, an ATIS too long
        QCOMPARE(r.messages().at(2), error("The following error occurred while processing the "
                                           "METAR:\r\n\r\n(2001) The ATIS would be longer than "
                                           "65536 characters."));
        r.form.shown.templateText = "%id% %time%";
        r.reply(Kjfk1656), r.cycle(); // refused again
        r.settings.ATISFilePath = r.dir.filePath("atis.txt");
        r.reply(Kjfk1656), r.cycle();
        QCOMPARE(r.window(), (Window{"BRAVO 121656Z", "BRAVO", Current, Running}));
        QCOMPARE(r.atisFile(), "BRAVO 121656Z");
        QCOMPARE(r.messages().size(), 5);
        QCOMPARE(r.state.LastMetarKey, "KJFK121656Z");
    }

    void aCycleDuringAnotherOrAfterClosingIsSilent()
    {
        Rig r;
        r.duringFetch([&] { r.refresh(); });
        r.whileShown([&] { r.state.TickCounter = 299, r.ticks(1); });
        r.reply(Kjfk1651), r.refresh();
        QCOMPARE(r.fetcher.requested.size(), 1);
        QCOMPARE(r.messages(), QList<Message>{Alpha1651});
        Rig closed; // the program closing while the reply is awaited, or the message open
        closed.duringFetch([&] { closed.engine.shutDown(); });
        closed.reply(HostNotFound), closed.refresh();
        QCOMPARE(closed.messages(), QList<Message>());
        Rig open;
        open.whileShown([&] { open.engine.shutDown(); });
        open.reply(Kjfk1651), open.refresh(); // neither copied nor recorded
        QCOMPARE(open.desktop.clipboard + open.state.LastMetarKey, "<untouched>");
    }

    void anUpdateEvery300Ticks()
    {
        Rig r;
        r.reply(Kjfk1651), r.start();
        r.reply(Kjfk1656), r.ticks(299);
        QCOMPARE(r.fetcher.requested.size(), 1);
        r.ticks(1);
        QCOMPARE(r.messages(), (QList<Message>{Alpha1651, Bravo1656}));
        QCOMPARE(r.state.TickCounter, 0);
    }

    // What the check finds closes the message; the ATIS stays as built.
    void checkFindingsCloseTheMessage()
    {
        Rig r;
        r.form.shown.templateText = "%id% %wnd%";
        r.reply(Kjfk1548), r.refresh();
        QCOMPARE(r.messages().at(0).text,
                 "ATIS ALPHA now current.\r\n\r\nWinds: 27010KT\r\nAltimeter: 3012\r\n"
                 "Visibility: 10SM\r\nSky: FEW050 BKN250\r\n\r\nCheck:\r\nSTALE: this METAR "
                 "was observed 1 h 12 min ago.\r\nNot a variable: %wnd%\r\n\r\n"
                 "Press OK to copy to clipboard.");
        QCOMPARE(r.atisFile(), "ALPHA %wnd%");
    }

    // The first ATIS from a starting code takes the letter on the air over,
    // after Refresh as after Start, and says so once. A letter this window
    // put on the air is newer than the feed's.
    void takesOverTheLetterOnTheAirForTheFirstAtis()
    {
        Rig r(WithLookUp);
        r.refresh(); // before Start
        QCOMPARE(r.window(), (Window{"", "ALPHA", Starting, Stopped, LookingUp}));
        QCOMPARE(r.lookup.callsign, "KJFK_ATIS");
        r.reply(Kjfk1651), r.onTheAir("KJFK_ATIS", 3);
        QCOMPARE(r.messages().at(0).text,
                 "ATIS DELTA now current.\r\n\r\nWinds: 27010KT\r\nAltimeter: 3012\r\nVisibility: "
                 "10SM\r\nSky: FEW050 BKN250\r\n\r\nDELTA was taken over from KJFK_ATIS, already "
                 "on the air.\r\n\r\nPress OK to copy to clipboard.");
        r.reply(Kjfk1651), r.start(); // DELTA is current: nothing to look up
        r.reply(Kjfk1656), r.cycle();
        QVERIFY(r.messages().at(1).text.endsWith("\r\n\r\nChanged: winds, altimeter.\r\n\r\n"
                                                 "Press OK to copy to clipboard."));
        r.stop();
        r.reply(Kjfk1656), r.start(); // while the feed still lists DELTA
        QCOMPARE(r.window(), (Window{"ECHO 121656Z", "ECHO", Current, Running}));
        Rig stopped(WithLookUp); // Stop cancels the look-up, unless a refresh waits for it
        stopped.start(), stopped.stop();
        QVERIFY(!stopped.lookup.done);
        stopped.start(), stopped.refresh(), stopped.stop();
        QCOMPARE(stopped.window(), (Window{"", "ALPHA", Starting, Stopped, LookingUp}));
        stopped.reply(Kjfk1651), stopped.onTheAir("KJFK_ATIS", 3);
        QCOMPARE(stopped.window(), (Window{"DELTA 121651Z", "DELTA", Current, Stopped}));
        Rig off(WithLookUp); // the controller's option off: nothing looked up
        off.settings.TakeOverOnlineCode = false;
        off.reply(Kjfk1651), off.start();
        QCOMPARE(off.messages(), QList<Message>{Alpha1651});
    }

    // Corrected while the look-up waits: the answer is dropped, and the
    // airport in the box is looked up at once, or once its code is whole.
    void lookUpFollowsTheAirportCorrected()
    {
        Rig r(WithLookUp);
        r.form.shown.icao = "KSEA";
        r.start();
        r.form.shown.icao = "KJFK";
        r.onTheAir("KSEA_ATIS", 3);
        QCOMPARE(r.lookup.callsign, "KJFK_ATIS");
        r.form.shown.icao = "KB"; // being typed when the answer comes
        r.onTheAir("KJFK_ATIS", 3);
        QCOMPARE(r.window(), (Window{"", "ALPHA", Starting, Running}));
        r.form.shown.icao = "KBOS", r.engine.airportEdited();
        QCOMPARE(r.lookup.callsign, "KBOS_ATIS");
        r.reply(Kbos1651), r.noneOnTheAir();
        QCOMPARE(r.window().code + r.state.LastMetarKey, "ALPHAKBOS121651Z");
    }

    // The letter moves on within the profile's range, from its last letter
    // back to its first.
    void lettersStayInTheirRange()
    {
        Rig r;
        r.form.setLetterRange({3, 5}); // D to F
        r.selectCode("ECHO");
        r.form.shown.templateText = "%id%";
        r.reply(Kjfk1651), r.start();
        r.reply(Kjfk1656), r.cycle();
        QCOMPARE(r.form.atis, "FOXTROT");
        r.reply(Kjfk1658), r.cycle();
        QCOMPARE(r.form.atis, "DELTA");
    }

    void arrivalAtisLooksUpItsOwnStationAndLetters()
    {
        Rig r(WithLookUp);
        r.form.shown.atisType = AtisType::Arrival;
        r.form.setLetterRange({0, 12}); // A to M
        r.form.shown.transitionLevels = {{1014, 1050, 60}};
        r.form.shown.templateText = "%id% %type% %tl%";
        r.start();
        QCOMPARE(r.lookup.callsign, "KJFK_A_ATIS");
        r.reply(Kjfk1651), r.onTheAir("KJFK_A_ATIS", 16); // QUEBEC: a departure letter
        QCOMPARE(r.window(), (Window{"ALPHA ARRIVAL 60", "ALPHA", Current, Running}));
        QCOMPARE(r.messages().at(0).text,
                 "ATIS ALPHA now current.\r\n\r\nWinds: 27010KT\r\nAltimeter: 3012\r\n"
                 "Visibility: 10SM\r\nSky: FEW050 BKN250\r\n\r\nQUEBEC on the air at "
                 "KJFK_A_ATIS is outside the letters A to M: not taken over.\r\n\r\n"
                 "Press OK to copy to clipboard.");
        Rig departure(WithLookUp); // its own letter on the air is taken over
        departure.form.shown.atisType = AtisType::Departure;
        departure.form.setLetterRange({13, 25}); // N to Z
        departure.start();
        QCOMPARE(departure.lookup.callsign, "KJFK_D_ATIS");
        departure.reply(Kjfk1651), departure.onTheAir("KJFK_D_ATIS", 16);
        QCOMPARE(departure.window().code, "QUEBEC");
    }

    void validatesTheAirportCode_data()
    {
        QTest::addColumn<QString>("icao");
        QTest::addColumn<QString>("refusal"); // empty: accepted, auto-update runs
        QTest::addColumn<bool>("selectedAll");
        const QString empty = "Must enter airport ICAO code.",
                      invalid = "Invalid ICAO code entered!";
        QTest::newRow("empty") << QString() << empty << false;
        QTest::newRow("five letters") << "KSEAX" << invalid << true;
        QTest::newRow("small letters") << "ksea" << invalid << true;
        QTest::newRow("Kelvin sign") << "\u212ASEA" << invalid << true;
        QTest::newRow("digits") << "K0A9" << QString() << false;
    }
    void validatesTheAirportCode()
    {
        QFETCH(QString, icao);
        QFETCH(QString, refusal);
        Rig r;
        r.form.shown.icao = icao;
        r.reply(icao + " 121651Z 27010KT 10SM FEW050 BKN250 12/09 A3012"), r.start();
        QCOMPARE(r.window().autoUpdating, refusal.isEmpty());
        QCOMPARE(r.messages().value(0).text.left(refusal.size()), refusal);
        QCOMPARE(r.form.icaoFocusCount, refusal.isEmpty() ? 0 : 1);
        QTEST(r.form.icaoSelectedAll, "selectedAll");
    }

    void speech()
    {
        Rig r;
        FakeSpeaker speaker;
        AtisSpeech speech(speaker, r.dialogs, r.settings);
        r.engine.setSpeech(&speech);
        speech.SpeakATIS();
        QCOMPARE(r.messages().at(0).text, SpeechTexts::NothingToSpeak);
        r.reply(Kjfk1651), r.refresh(); // option off: kept for the command, not spoken
        r.settings.SpeakNewATIS = true;
        r.form.shown.templateText = "Edited %id%";
        r.reply(Kjfk1651), r.refresh(); // forced, same time: rebuilt, not spoken
        QCOMPARE(speaker.said, QStringList());
        r.reply(Kjfk1656), r.refresh();
        QCOMPARE(speaker.said, QStringList{"Edited Alpha."});
    }
};

QTEST_GUILESS_MAIN(TestAtisEngine)
#include "test_atisengine.moc"
