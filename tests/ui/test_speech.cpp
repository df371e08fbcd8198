// Speaking for real through Qt's speech engine. Its audio goes to the
// desktop's sound server; where there is none, the test starts its own with
// a null sink in a temporary runtime folder and stops it at the end.
#include "core/spokenatis.h"
#include "ui/qtspeaker.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextToSpeech>
#include <csignal>
#include <memory>

namespace {

// Generous: the machine may be busy, and a null sink plays in real time.
constexpr int SpeechLimitMs = 120000;

class SoundServer
{
public:
    // Starts a server unless one is reachable already; the text says what
    // went wrong, empty when audio can go somewhere.
    QString ensure()
    {
        const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        if (qEnvironmentVariableIsSet("PULSE_SERVER") ||
            (!runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/pulse/native"))))
            return {};
        const QString program = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        if (program.isEmpty())
            return QStringLiteral("no sound server runs and pulseaudio is not installed");
        qputenv("XDG_RUNTIME_DIR", m_dir.filePath("run").toUtf8());
        qputenv("HOME", m_dir.filePath("home").toUtf8());
        QDir().mkpath(m_dir.filePath("run"));
        QDir().mkpath(m_dir.filePath("home"));
        QFile::setPermissions(m_dir.filePath("run"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_process = std::make_unique<QProcess>();
        m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process->start(program, {"-n", "--daemonize=no", "--exit-idle-time=-1", "-L",
                                   "module-null-sink", "-L", "module-native-protocol-unix"});
        if (!m_process->waitForStarted(SpeechLimitMs))
            return QStringLiteral("pulseaudio did not start");
        const QString socket = m_dir.filePath("run/pulse/native");
        if (!QTest::qWaitFor(
                [&] {
                    return QFileInfo::exists(socket) || m_process->state() == QProcess::NotRunning;
                },
                SpeechLimitMs) ||
            !QFileInfo::exists(socket))
            return QStringLiteral("pulseaudio did not open its socket");
        return {};
    }

    ~SoundServer()
    {
        if (!m_process || m_process->state() == QProcess::NotRunning)
            return;
        ::kill(pid_t(m_process->processId()), SIGTERM);
        if (!m_process->waitForFinished(SpeechLimitMs))
            ::kill(pid_t(m_process->processId()), SIGKILL);
        m_process->waitForFinished(SpeechLimitMs);
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QProcess> m_process;
};

QString serverProblem;

bool reached(const QSignalSpy& spy, Speaker::State state, qsizetype from = 0)
{
    for (qsizetype i = from; i < spy.size(); ++i)
        if (spy.at(i).at(0).value<Speaker::State>() == state)
            return true;
    return false;
}

// Waits for the state, or for a failure, which fails the test at once.
bool waitFor(const QSignalSpy& spy, Speaker::State state, const Speaker& speaker)
{
    QTest::qWaitFor([&] { return reached(spy, state) || reached(spy, Speaker::State::Failed); },
                    SpeechLimitMs);
    if (reached(spy, Speaker::State::Failed))
        qWarning("the speech engine failed: %s", qPrintable(speaker.failureReason()));
    return reached(spy, state) && !reached(spy, Speaker::State::Failed);
}

} // namespace

class TestSpeech : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void speaksAnAtisToTheEnd();
    void stopEndsIt();

private:
    std::unique_ptr<QtSpeaker> m_speaker;
};

void TestSpeech::initTestCase()
{
    if (!serverProblem.isEmpty())
        QSKIP(qPrintable(QStringLiteral("No audio output: ") + serverProblem));
    if (QTextToSpeech::availableEngines().isEmpty())
        QSKIP("No speech engine can be loaded: install qt6-speech-flite-plugin (make deps).");
    m_speaker = std::make_unique<QtSpeaker>();
    if (!m_speaker->available())
        QSKIP(qPrintable(QStringLiteral("No speech engine can be loaded: ") +
                         m_speaker->failureReason()));
    qInfo("speaking through %s", qPrintable(m_speaker->engineName()));
}

void TestSpeech::speaksAnAtisToTheEnd()
{
    QSignalSpy states(m_speaker.get(), &Speaker::stateChanged);
    TemplateValues values;
    values.informationCode = QStringLiteral("BRAVO");
    values.metar.Wind = QStringLiteral("17011G24KT");
    const QString text = SpeakTemplate(QStringLiteral("Information %id%, wind %wind%"), values);
    QCOMPARE(text,
             QStringLiteral("Information Bravo, wind one seven zero at one one, gusts two four."));
    m_speaker->say(text);
    QVERIFY(waitFor(states, Speaker::State::Speaking, *m_speaker));
    QVERIFY(waitFor(states, Speaker::State::Ready, *m_speaker));
    QCOMPARE(m_speaker->state(), Speaker::State::Ready);
}

void TestSpeech::stopEndsIt()
{
    QSignalSpy states(m_speaker.get(), &Speaker::stateChanged);
    // Minutes of speech, stopped as soon as it is heard.
    QString text;
    for (int i = 0; i < 60; ++i)
        text +=
            QStringLiteral("Information Bravo, wind one seven zero at one one, gusts two four. ");
    m_speaker->say(text);
    QVERIFY(waitFor(states, Speaker::State::Speaking, *m_speaker));
    const qsizetype stoppedAt = states.size();
    QElapsedTimer clock;
    clock.start();
    m_speaker->stop();
    QVERIFY(QTest::qWaitFor([&] { return m_speaker->state() == Speaker::State::Ready; },
                            SpeechLimitMs));
    QVERIFY(!reached(states, Speaker::State::Failed, stoppedAt));
    // The text would take far longer than this to speak out.
    QVERIFY2(clock.elapsed() < SpeechLimitMs, "stop did not end the speech");
}

int main(int argc, char** argv)
{
    SoundServer sound;
    serverProblem = sound.ensure();
    QGuiApplication app(argc, argv);
    TestSpeech test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_speech.moc"
