// The update cycle and the commands around it, driven through the ports.
#include "core/atisengine.h"
#include "core/atisspeech.h"
#include "core/sessionstate.h"
#include "core/speechtexts.h"
#include "core/texts.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/fakefetcher.h"
#include "tests/support/fakeform.h"
#include "tests/support/fakespeaker.h"
#include "tests/support/scripteddialogs.h"
#include "tests/support/testfiles.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QMap<QChar, TextFetcher::Result> Replies = {
    {'1', "KJFK 121651Z 27010KT 10SM FEW050 BKN250 12/09 A3012 RMK AO2\r\n"},
    {'2', "KJFK 121651Z 27010KT 10SM FEW050 BKN250 12/09 A3012 RMK AO2 SLP201"}, // same time
    {'6', "KJFK 121656Z 27015KT 10SM FEW050 BKN250 12/09 A3010"},
    {'8', "KJFK 121658Z 28015KT 9SM -RA FEW050 11/09 A3010"},
    {'B', "KBOS 121651Z 27010KT 10SM FEW050 BKN250 M03/M05 A3012"},
    {'O', "KJFK 121548Z 27010KT 10SM FEW050 BKN250 12/09 A3012"}, // 72 min before the clock
    {'N', "No METAR available for KJFK\r\n"},
    {'X', "<html><body>502 Bad Gateway</body></html>"},
    // Each variable in the wind would take the whole reply again.
    {'H', "KJFK 121656Z " + QString("%metar%").repeated(300) + "KT 10SM FEW050 12/09 A3010"},
    {'F', Failure{12, "Host not found"}},
    {'Y', Failure{BusyErrorNumber, "Still executing last request"}}};

// Answers only when the test says so, as the network would, later.
struct FakeLookup : OnlineCodeLookup
{
    Done done;
    void lookUp(const QString&, Done d) override { done = std::move(d); }
    void cancel() override { done = {}; }
};

struct Rig
{
    FakeForm form;
    ScriptedDialogs dialogs;
    FakeDesktop desktop;
    FakeFetcher fetcher;
    SessionState state;
    FakeLookup lookup;
    QTemporaryDir dir;
    AtisEngine engine{form, dialogs, desktop, fetcher, state};

    Rig()
    {
        state.MetarServerURL = "http://127.0.0.1:9/metar.php";
        state.ATISFilePath = dir.filePath("atis.txt");
        form.icao = "KJFK";
        form.templ = "%id% %time%";
        engine.setClock([] { return QDateTime(QDate(2026, 11, 12), QTime(17, 0), Qt::UTC); });
    }
    void duringFetch(std::function<void()> step)
    {
        fetcher.whileFetching = [this, step] {
            const auto once = step;
            fetcher.whileFetching = nullptr, once();
        };
    }
    void whileShown(std::function<void()> step)
    {
        dialogs.whileShown = [this, step](auto&) {
            const auto once = step;
            dialogs.whileShown = nullptr, once();
        };
    }
    void ticks(int n)
    {
        while (n--)
            engine.tmrMain_Timer();
    }
    void answer(int code)
    {
        if (lookup.done)
            lookup.done(code < 0 ? std::nullopt
                                 : std::optional(OnlineCodeLookup::OnlineAtis{"KJFK_ATIS", code}));
    }
    // One step: "#n" selects code n, "Itext" types an airport code; otherwise
    // the step's replies are queued and its action runs.
    void run(const QString& token)
    {
        if (token[0] == '#')
            return void(form.code = token.mid(1).toInt());
        if (token[0] == 'I')
            return void(form.icao = token.mid(1));
        for (QChar c : token.mid(1))
            fetcher.replies.append(Replies.value(c));
        const QMap<QChar, std::function<void()>> actions = {
            {'S', [&] { engine.ToggleAutoUpdate(); }},
            {'R', [&] { engine.RefreshATIS(); }},
            {'U', [&] { engine.UpdateATIS(false); }},
            {'t', [&] { ticks(299); }},
            {'T', [&] { ticks(300); }},
            {'E', [&] { form.templ = "Edited %id%"; }},
            {'W', [&] { form.templ = "%wind%"; }},
            {'K', [&] { form.icao = "KBOS"; }},
            {'k', [&] { duringFetch([this] { form.icao = "KBOS"; }); }},
            {'s', [&] { duringFetch([this] { engine.ToggleAutoUpdate(); }); }},
            {'r', [&] { duringFetch([this] { engine.RefreshATIS(); }); }},
            {'x', [&] { duringFetch([this] { engine.shutDown(); }); }},
            {'m', [&] { whileShown([this] { state.TickCounter = 299, engine.tmrMain_Timer(); }); }},
            {'q', [&] { whileShown([this] { form.icao = "KBOS"; }); }},
            {'z', [&] { whileShown([this] { engine.shutDown(); }); }},
            {'P', [&] { state.ATISFilePath = "atis.txt"; }},
            {'p', [&] { state.ATISFilePath = dir.filePath("atis.txt"); }},
            {'D', [&] { form.updateFile = false; }},
            {'c', [&] { dialogs.answers = {Dialogs::Answer::Cancel}; }},
            {'C',
             [&] {
                 desktop.clipboardFailure = Failure{521, "Can't open Clipboard"};
             }},
            {'y', [&] { engine.CopyCommand(); }},
            {'h', [&] { engine.cboATISCode_Click(); }},
            {'L', [&] { engine.setOnlineCodeLookup(&lookup); }},
            {'o', [&] { engine.setTakeOverOnlineCode(false); }},
            {'A', [&] { answer(3); }},
            {'a', [&] { answer(-1); }}};
        actions.value(token.at(0))();
    }
    // Code label (S, C), timer on or off (+L: code list locked), key, requests/
    // messages, atis.txt and clipboard holding the ATIS (f, c), focus on the
    // airport box (@, @@: all selected), then the last message without the
    // elements and the OK line.
    QString summary() const
    {
        QStringList text =
            dialogs.shown.isEmpty() ? QStringList() : dialogs.shown.last().text.split("\r\n\r\n");
        text.removeIf([](const QString& s) {
            return s.startsWith("ATIS") || s.startsWith("Winds") || s.startsWith("Pre");
        });
        return QStringList{form.label == Texts::StartingCode ? "S" : "C",
                           form.timer         ? "on"
                           : form.codeEnabled ? "off"
                                              : "off+L",
                           state.LastMetarKey.isEmpty() ? "-" : state.LastMetarKey,
                           QString("%1/%2").arg(fetcher.requested.size()).arg(dialogs.shown.size()),
                           QString(readFile(state.ATISFilePath) == form.atis ? "f" : "") +
                               (desktop.clipboard == form.atis ? "c" : "") +
                               QString(form.icaoFocusCount, '@') +
                               (form.icaoSelectedAll ? "@:" : ":"),
                           text.join(" / ")}
            .join(u' ')
            .trimmed();
    }
};

} // namespace

class TestAtisEngine : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void firstCycle()
    {
        Rig r;
        r.form.templ = "%icao% info %id% %time% wind %wind% alt %alt%\r\n%runways%";
        r.form.addRunway("4R", true, false);
        r.run("S1");
        QCOMPARE(r.fetcher.requested, QStringList{"http://127.0.0.1:9/metar.php?id=KJFK"});
        QCOMPARE(r.form.lastMetar, "KJFK 121651Z 27010KT 10SM FEW050 BKN250 12/09 A3012 RMK AO2");
        QCOMPARE(r.form.atis, "KJFK info ALPHA 121651Z wind 27010KT alt 3012\r\nLanding rwy 4R.");
        QCOMPARE(readFile(r.state.ATISFilePath), r.form.atis.toLatin1());
        QCOMPARE(r.desktop.flashes, 1);
        QCOMPARE((QStringList{r.form.startStop, r.form.startStopMenu}),
                 (QStringList{Texts::Stop, Texts::StopAutoupdate}));
        QCOMPARE(r.dialogs.shown[0].buttons, Dialogs::Buttons::OKCancel);
        QCOMPARE(r.dialogs.shown[0].text, "ATIS ALPHA now current.\r\n\r\nWinds: 27010KT\r\n"
                                          "Altimeter: 3012\r\nVisibility: 10SM\r\nSky: FEW050 "
                                          "BKN250\r\n\r\nPress OK to copy to clipboard.");
        r.run("S");
        QCOMPARE((QStringList{r.form.startStop, r.form.startStopMenu}),
                 (QStringList{Texts::Start, Texts::StartAutoupdate}));
    }

    void cycle_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("atis");
        QTest::addColumn<QString>("summary");
        const QString a51 = "ALPHA 121651Z", told = " KJFK121651Z 1/1 fc:";
        const QString none, changed = " Changed: winds, altimeter.";
        auto row = [](const char* name, const char* script, const QString& atis,
                      const QString& summary) { QTest::newRow(name) << script << atis << summary; };
        row("start: starting code", "#3 S1", "DELTA 121651Z", "C on KJFK121651Z 1/1 fc:");
        row("same time: not rebuilt", "S1 E U2", a51, "C on KJFK121651Z 2/1 fc:");
        row("forced: rebuilt quietly", "S1 E R1", "Edited ALPHA", "C on KJFK121651Z 2/1 f:");
        row("new time: next code", "#24 S1 U6", "ZULU 121656Z",
            "C on KJFK121656Z 2/2 fc:" + changed);
        row("after ZULU: ALPHA", "#25 S1 U8", "ALPHA 121658Z",
            "C on KJFK121658Z 2/2 fc: Changed: winds, visibility, sky cond, precip, altimeter, "
            "temp.");
        row("stopped: code kept", "R1 R6", "ALPHA 121656Z", "C off KJFK121656Z 2/2 fc:" + changed);
        row("restart: told again", "#3 S1 S S1", "DELTA 121651Z", "C on KJFK121651Z 2/2 fc:");
        row("airport changed", "S1 K UB", "BRAVO 121651Z",
            "C on KBOS121651Z 2/2 fc: Changed: temp, dewpoint.");
        row("airport changed in the fetch", "k R1 RB", a51, "C off KBOS121651Z 2/1 fc:");
        row("no METAR: stops", "S1 UN", a51,
            "S off KJFK121651Z 2/2 fc: No METAR available for KJFK");
        row("no METAR on refresh", "RNN", none, "S off - 2/2 : No METAR available for KJFK");
        row("stop in a no-METAR fetch holds", "S1 sN U", a51,
            "S off KJFK121651Z 2/2 fc: No METAR available for KJFK");
        row("unreadable: goes on", "S1 UX", a51,
            "C on KJFK121651Z 2/2 fc: " + Texts::CouldNotParse);
        row("retrieval failure", "RF", none,
            "S off - 1/1 : " + Texts::RetrievalError + " / (12) Host not found");
        row("busy fetcher: silent", "RY", none, "S off - 1/0 :");
        row("hostile reply: refused", "S1 W UH", a51,
            "C on KJFK121651Z 2/2 fc: " + Texts::ProcessingError +
                " / (2001) The ATIS would be longer than 65536 characters.");
        row("stale report", "RO", "ALPHA 121548Z",
            "C off KJFK121548Z 1/1 fc: STALE: this METAR was observed 1 h 12 min ago.");
        row("299 s: no cycle", "S1 t6", a51, "C on" + told);
        row("300 s: a cycle", "S1 T6", "BRAVO 121656Z", "C on KJFK121656Z 2/2 fc:" + changed);
        row("write refused", "P S1", a51,
            "C on - 1/1 : " + Texts::WriteError +
                " / (5) The location of atis.txt is not a full path: \"atis.txt\"");
        row("write refused: new next time", "P S1 p U1", "BRAVO 121651Z",
            "C on KJFK121651Z 2/2 fc:");
        row("file off", "D R1", a51, "C off KJFK121651Z 1/1 c:");
        row("Cancel: not copied", "c R1", a51, "C off KJFK121651Z 1/1 f:");
        row("clipboard refused", "C R1", a51,
            "C off - 1/2 f: " + Texts::ProcessingError + " / (521) Can't open Clipboard");
        row("copy refused", "C y", none,
            "S off - 0/1 : " + Texts::CopyError + " / (521) Can't open Clipboard");
        row("refresh in a fetch: silent", "r R1", a51, "C off" + told);
        row("tick in the box: silent", "m R16", a51, "C off" + told);
        row("airport typed in the box", "q R1", a51, "C off" + told);
        row("closed in the fetch", "x RF", none, "S off - 1/0 :");
        row("closed in the box", "z R1", a51, "C off - 1/1 f:");
        row("code chosen", "R1 h", a51, "S off" + told);
        row("on the air: taken over", "L S A1", "DELTA 121651Z",
            "C on KJFK121651Z 1/1 fc: DELTA was taken over from KJFK_ATIS, already on the air.");
        row("on the air: told once", "L S A1 U6", "ECHO 121656Z",
            "C on KJFK121656Z 2/2 fc:" + changed);
        row("not on the air", "L S a1", a51, "C on" + told);
        row("take-over off", "L o S1", a51, "C on" + told);
        row("code current: no look-up", "L R1 S6", "BRAVO 121656Z",
            "C on KJFK121656Z 2/2 fc:" + changed);
        row("stopped while looking up", "L S S A1", none, "S off - 0/0 :");
        row("no airport code", "I S1", none, "S off - 0/1 @: " + Texts::MustEnterICAO);
        row("five letters", "IKSEAX S1", none, "S off - 0/1 @@: " + Texts::InvalidICAO);
        row("small letters", "Iksea S1", none, "S off - 0/1 @@: " + Texts::InvalidICAO);
        row("Kelvin sign", "I\u212ASEA S1", none, "S off - 0/1 @@: " + Texts::InvalidICAO);
        row("digits", "IK0A9 R1", a51, "C off K0A9121651Z 1/1 fc:");
    }
    void cycle()
    {
        QFETCH(QString, script);
        Rig r;
        for (const QString& token : script.split(u' '))
            r.run(token);
        QTEST(r.form.atis, "atis");
        QTEST(r.summary(), "summary");
        QVERIFY(!r.engine.cycleInProgress());
    }

    void speech()
    {
        Rig r;
        FakeSpeaker speaker;
        AtisSpeech speech(speaker, r.dialogs);
        r.engine.setSpeech(&speech);
        speech.SpeakATIS();
        QCOMPARE(r.dialogs.shown.last().text, SpeechTexts::NothingToSpeak);
        r.run("R1"); // option off: kept for the command, not spoken
        QCOMPARE(speaker.said, QStringList());
        speech.setSettings({true, QString(), 0.0});
        r.run("E");
        r.run("R1"); // forced, same time: rebuilt, not spoken
        QCOMPARE(speaker.said, QStringList());
        r.run("R6");
        QCOMPARE(speaker.said, QStringList{"Edited Alpha."});
        speech.SpeakATIS(); // pressed while speaking
        QCOMPARE(speaker.stops, 1);
        speaker.present = false;
        speaker.fail(); // no audio output: told once
        speech.SpeakATIS();
        speech.atisAnnounced();
        QVERIFY(r.dialogs.shown.last().text.startsWith(SpeechTexts::SpeechUnavailable));
        QCOMPARE(r.dialogs.shown.size(), 4);
    }
};

QTEST_GUILESS_MAIN(TestAtisEngine)
#include "test_atisengine.moc"
