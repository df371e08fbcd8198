#include "tests/support/ordinaryuser.h"
#include "tests/support/testfiles.h"
#include "tools/localwx/localweatherserver.h"

#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <memory>
#include <unistd.h>

// The program as it is started: it finds its weather server, waits idle,
// and a desktop logout without a session manager or Ctrl+C in a terminal
// saves its settings and ends it normally, or it says it could not. One
// program runs per settings folder.
class TestApp : public QObject
{
    Q_OBJECT
    LocalWeatherServer m_server;

    // The program with the settings of home/config, against the server.
    std::unique_ptr<QProcess> start(const QString& home, const QString& user = {})
    {
        auto app = std::make_unique<QProcess>();
        app->setEnvironment(QProcess::systemEnvironment() +
                            QStringList{"HOME=" + home, "XDG_CONFIG_HOME=" + home + "/config",
                                        "QT_QPA_PLATFORM=offscreen",
                                        "BRIEFCAST_STATUS_URL=" + m_server.statusUrl()});
        if (!user.isEmpty())
            app->start("setpriv",
                       {"--reuid=" + user, "--regid=" + user, "--clear-groups", BRIEFCAST_APP});
        else
            app->start(BRIEFCAST_APP, {});
        return app;
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_server.listen()); }

    // The app and the tools beside it answer at once, without a window system
    // (there is no platform of that name) and without a settings file.
    void answerHelpAndVersion_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("firstLine");
        const QString app = BRIEFCAST_APP, metar = BRIEFCAST_METAR_TOOL;
        QTest::newRow("app --version") << app << "--version"
                                       << "Briefcast " BRIEFCAST_VERSION;
        QTest::newRow("app --help") << app << "--help"
                                    << "Usage: " + app + " [options]";
        QTest::newRow("metar --version") << metar << "--version"
                                         << "briefcast-metar " BRIEFCAST_VERSION;
        QTest::newRow("metar --help") << metar << "--help"
                                      << "Usage: " + metar + " [options] [FILE...]";
        QTest::newRow("localwx --version") << BRIEFCAST_LOCALWX << "--version"
                                           << "briefcast-localwx " BRIEFCAST_VERSION;
    }

    void answerHelpAndVersion()
    {
        QFETCH(QString, program);
        QFETCH(QString, argument);
        QFETCH(QString, firstLine);
        QTemporaryDir home;
        QProcess p;
        p.setEnvironment(QProcess::systemEnvironment() +
                         QStringList{"HOME=" + home.path(), "XDG_CONFIG_HOME=" + home.path(),
                                     "QT_QPA_PLATFORM=no-window-system"});
        p.start(program, {argument});
        QVERIFY(p.waitForFinished(60'000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()).section('\n', 0, 0), firstLine);
        QCOMPARE(
            QDir(home.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList());
    }

    void endSignalsSaveTheSettings_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::addColumn<bool>("writable");
        QTest::newRow("SIGTERM") << SIGTERM << true;
        QTest::newRow("SIGINT") << SIGINT << true;
        QTest::newRow("SIGHUP") << SIGHUP << true;
        QTest::newRow("SIGTERM, store not writable") << SIGTERM << false;
    }

    void endSignalsSaveTheSettings()
    {
        QFETCH(int, signalNumber);
        QFETCH(bool, writable);
        const int before = m_server.requestCount();
        QTemporaryDir home;
        const QString folder = home.filePath("config/Briefcast"), conf = folder + "/Briefcast.conf";
        QVERIFY(QDir().mkpath(folder));
        QSettings(conf, QSettings::IniFormat).setValue("Settings/ICAO", "KSEA");
        // Everyone may read the store; when it is not writable only root may
        // write it, and the program runs as the user nobody.
        QVERIFY(QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                       QFile::ExeOwner | QFile::ReadOther |
                                                       QFile::ExeOther));
        QVERIFY(setStoreReadOnly(folder, conf, !writable));
        const auto app = start(home.path(), !writable && geteuid() == 0 ? "65534" : "");
        QTRY_COMPARE_WITH_TIMEOUT(m_server.requestCount(), before + 1, 60'000);
        QCOMPARE(::kill(pid_t(app->processId()), signalNumber), 0);
        // The server here keeps answering while the program ends.
        QTRY_COMPARE_WITH_TIMEOUT(app->state(), QProcess::NotRunning, 60'000);
        QCOMPARE(app->exitStatus(), QProcess::NormalExit);
        // Idle from start to end: nothing but the status file was fetched.
        QCOMPARE(m_server.requestCount(), before + 1);
        const QByteArray stored = readFile(conf);
        setStoreReadOnly(folder, conf, false);
        QCOMPARE(app->exitCode(), writable ? 0 : 1);
        if (!writable)
            QVERIFY(app->readAllStandardError().contains("The settings could not be saved"));
        for (const char* line : {"ICAO=KSEA", "Template=", "UpdateATISFile=", "ATISFilePath="})
            QCOMPARE(stored.contains(line), writable || QByteArray(line) == "ICAO=KSEA");
    }

    // A second start while one runs for the same settings shows the running
    // window and ends with status 0, fetching nothing; other settings run beside
    // it, and a program that crashed does not block the next start.
    void secondStartForTheSameSettingsHandsOver()
    {
        const int before = m_server.requestCount();
        QTemporaryDir home, otherHome;
        const auto first = start(home.path());
        QTRY_COMPARE_WITH_TIMEOUT(m_server.requestCount(), before + 1, 60'000);
        const auto second = start(home.path());
        QTRY_COMPARE_WITH_TIMEOUT(second->state(), QProcess::NotRunning, 60'000);
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(m_server.requestCount(), before + 1);
        QCOMPARE(first->state(), QProcess::Running);

        const auto beside = start(otherHome.path());
        QTRY_COMPARE_WITH_TIMEOUT(m_server.requestCount(), before + 2, 60'000);
        QCOMPARE(beside->state(), QProcess::Running);

        first->kill();
        QVERIFY(first->waitForFinished(60'000));
        const auto afterCrash = start(home.path());
        QTRY_COMPARE_WITH_TIMEOUT(m_server.requestCount(), before + 3, 60'000);
        QCOMPARE(afterCrash->state(), QProcess::Running);
        for (QProcess* app : {beside.get(), afterCrash.get()}) {
            app->terminate();
            QVERIFY(app->waitForFinished(60'000));
            QCOMPARE(app->exitCode(), 0);
        }
    }
};

QTEST_GUILESS_MAIN(TestApp)
#include "test_app.moc"
