// Speaking for real through Qt's speech engine, into a sound server of the
// test's own: PulseAudio with a null sink in a temporary runtime folder.
#include "ui/qtspeaker.h"

#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextToSpeech>
#include <csignal>

namespace {
// Generous: the machine may be busy, and a null sink plays in real time.
constexpr int LimitMs = 120'000;
const QString Bravo =
    QStringLiteral("Information Bravo, wind one seven zero at one one, gusts two four. ");
} // namespace

class TestSpeech : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void speaksToTheEnd_data();
    void speaksToTheEnd();

private:
    QTemporaryDir m_dir;
    QProcess m_sound;
};

void TestSpeech::initTestCase()
{
    const QString pulse = QStandardPaths::findExecutable("pulseaudio");
    if (pulse.isEmpty() || QTextToSpeech::availableEngines().isEmpty())
        QSKIP("pulseaudio or qt6-speech-flite-plugin is not installed (make deps).");
    for (const char* folder : {"run", "home"})
        QVERIFY(QDir(m_dir.path()).mkpath(folder));
    QFile::setPermissions(m_dir.filePath("run"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", m_dir.filePath("run").toUtf8());
    qputenv("HOME", m_dir.filePath("home").toUtf8());
    qunsetenv("PULSE_SERVER");
    m_sound.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_sound.start(pulse, {"-n", "--daemonize=no", "--exit-idle-time=-1", "-L", "module-null-sink",
                          "-L", "module-native-protocol-unix"});
    QVERIFY(QTest::qWaitFor([&] { return QFile::exists(m_dir.filePath("run/pulse/native")); },
                            LimitMs));
}

void TestSpeech::cleanupTestCase()
{
    if (m_sound.state() == QProcess::NotRunning)
        return;
    ::kill(pid_t(m_sound.processId()), SIGTERM);
    if (!m_sound.waitForFinished(LimitMs))
        m_sound.kill();
}

void TestSpeech::speaksToTheEnd_data()
{
    QTest::addColumn<int>("repeats");
    QTest::addColumn<bool>("stopped");
    QTest::newRow("spoken to the end") << 1 << false;
    QTest::newRow("minutes of speech, stopped once heard") << 60 << true;
}

void TestSpeech::speaksToTheEnd()
{
    QFETCH(int, repeats);
    QFETCH(bool, stopped);
    QtSpeaker speaker;
    QVERIFY2(speaker.available(), qPrintable(speaker.failureReason()));
    QSignalSpy states(&speaker, &Speaker::stateChanged);
    auto reached = [&](Speaker::State state) {
        return std::any_of(states.cbegin(), states.cend(), [&](const QList<QVariant>& s) {
            return s[0] == QVariant::fromValue(state);
        });
    };
    speaker.say(Bravo.repeated(repeats));
    QVERIFY(QTest::qWaitFor([&] { return reached(Speaker::State::Speaking); }, LimitMs));
    if (stopped)
        speaker.stop();
    // Sixty repeats would take far longer than the limit to speak out.
    QVERIFY(QTest::qWaitFor([&] { return speaker.state() == Speaker::State::Ready; }, LimitMs));
    QVERIFY2(!reached(Speaker::State::Failed), qPrintable(speaker.failureReason()));
}

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    TestSpeech test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_speech.moc"
