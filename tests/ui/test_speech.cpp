// Speaking for real through Qt's speech engine, into a sound server of the
// test's own: PulseAudio with a null sink in a temporary runtime folder.
#include "ui/qtspeaker.h"

#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextToSpeech>

class TestSpeech : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void speaksToTheEndAndStops()
    {
        const int limitMs = 120'000; // the machine may be busy; a null sink plays in real time
        const QString pulse = QStandardPaths::findExecutable("pulseaudio");
        if (pulse.isEmpty() || QTextToSpeech::availableEngines().isEmpty())
            QSKIP("pulseaudio or qt6-speech-flite-plugin is not installed (make deps).");
        QTemporaryDir run; // the owner's only, as a runtime folder must be
        qputenv("XDG_RUNTIME_DIR", run.path().toUtf8());
        qputenv("HOME", run.path().toUtf8());
        qunsetenv("PULSE_SERVER");
        QProcess sound; // killed when it goes
        sound.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        sound.start(pulse, {"-n", "--daemonize=no", "--exit-idle-time=-1", "-L", "module-null-sink",
                            "-L", "module-native-protocol-unix"});
        QVERIFY(
            QTest::qWaitFor([&] { return QFile::exists(run.filePath("pulse/native")); }, limitMs));
        QtSpeaker speaker;
        QVERIFY2(speaker.available(), qPrintable(speaker.failureReason()));
        QSignalSpy states(&speaker, &Speaker::stateChanged);
        auto reached = [&](Speaker::State state) {
            return std::any_of(states.cbegin(), states.cend(), [&](const QList<QVariant>& s) {
                return s[0].value<Speaker::State>() == state;
            });
        };
        // Once to the end, then sixty times, which takes minutes, stopped once heard.
        for (int repeats : {1, 60}) {
            states.clear();
            speaker.say(
                QString("Information Bravo, wind one seven zero at one one. ").repeated(repeats));
            QVERIFY(QTest::qWaitFor([&] { return reached(Speaker::State::Speaking); }, limitMs));
            if (repeats > 1)
                speaker.stop();
            QVERIFY(
                QTest::qWaitFor([&] { return speaker.state() == Speaker::State::Ready; }, limitMs));
            QVERIFY2(!reached(Speaker::State::Failed), qPrintable(speaker.failureReason()));
        }
    }

    // The engine is installed, but no sound server answers: the reason given is
    // the engine's failure, not a missing engine.
    void noAudioOutputIsAnEngineFailure()
    {
        if (QTextToSpeech::availableEngines().isEmpty())
            QSKIP("qt6-speech-flite-plugin is not installed (make deps).");
        QTemporaryDir run;
        qputenv("XDG_RUNTIME_DIR", run.path().toUtf8());
        qputenv("HOME", run.path().toUtf8());
        qputenv("PULSE_SERVER", run.filePath("no-sound-server").toUtf8());
        QtSpeaker speaker;
        QVERIFY(speaker.available());
        speaker.say("Information Bravo.");
        QTRY_COMPARE_WITH_TIMEOUT(speaker.state(), Speaker::State::Failed, 120'000);
        QCOMPARE(speaker.failureReason().section("\r\n", 0, 0),
                 "The speech engine \"" + speaker.engineName() +
                     "\" reported an error: is an audio output available?");
    }
};

QTEST_GUILESS_MAIN(TestSpeech)
#include "test_speech.moc"
