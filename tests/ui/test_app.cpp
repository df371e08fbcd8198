#include "tests/support/ordinaryuser.h"
#include "tests/support/testfiles.h"
#include "tools/localwx/localweatherserver.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <unistd.h>

// The program as it is started: it finds its weather server and waits idle.
class TestApp : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startsAndStaysIdle();
    void endSignalsSaveTheSettings_data();
    void endSignalsSaveTheSettings();
};

namespace {
// The program's environment: a home of its own and the local weather server.
QProcessEnvironment appEnvironment(const QTemporaryDir& home, const LocalWeatherServer& server)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("BRIEFCAST_STATUS_URL", server.statusUrl());
    return env;
}
} // namespace

void TestApp::startsAndStaysIdle()
{
    LocalWeatherServer server;
    QVERIFY(server.listen());
    QTemporaryDir home;
    QProcess app;
    app.setProcessEnvironment(appEnvironment(home, server));
    app.start(BRIEFCAST_APP, {});
    QVERIFY(app.waitForStarted(5000));
    QVERIFY(QTest::qWaitFor([&] { return server.requestCount() == 1; }, 10000));
    QCOMPARE(server.lastTarget(), QByteArray("/status.txt"));
    // Idle: nothing fetched until the controller asks.
    QTest::qWait(500);
    QCOMPARE(app.state(), QProcess::Running);
    QCOMPARE(server.requestCount(), 1);
    app.kill();
    app.waitForFinished();
    // Killed before closing: no setting was written.
    QVERIFY(!QFile::exists(home.filePath("config/Briefcast/Briefcast.conf")));
}

void TestApp::endSignalsSaveTheSettings_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<bool>("writable");
    QTest::newRow("SIGTERM") << SIGTERM << true;
    QTest::newRow("SIGINT") << SIGINT << true;
    QTest::newRow("SIGHUP") << SIGHUP << true;
    QTest::newRow("SIGTERM, store not writable") << SIGTERM << false;
}

// A desktop logout without a session manager, or Ctrl+C in a terminal: the
// program saves its settings and ends normally, or says it could not.
void TestApp::endSignalsSaveTheSettings()
{
    QFETCH(int, signalNumber);
    QFETCH(bool, writable);
    LocalWeatherServer server;
    QVERIFY(server.listen());
    QTemporaryDir home;
    const QString folder = home.filePath("config/Briefcast");
    QVERIFY(QDir().mkpath(folder));
    const QString conf = folder + "/Briefcast.conf";
    QFile seed(conf);
    QVERIFY(seed.open(QIODevice::WriteOnly));
    seed.write("[Settings]\nICAO=KSEA\n");
    seed.close();
    // Everyone may read the store; when it is not writable only root may
    // write it, and the program runs as the user nobody.
    QVERIFY(QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                   QFile::ExeOwner | QFile::ReadOther |
                                                   QFile::ExeOther));
    QVERIFY(setStoreReadOnly(folder, conf, !writable));

    QProcess app;
    app.setProcessEnvironment(appEnvironment(home, server));
    if (!writable && geteuid() == 0)
        app.start("setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", BRIEFCAST_APP});
    else
        app.start(BRIEFCAST_APP, {});
    QVERIFY(app.waitForStarted(5000));
    QVERIFY(QTest::qWaitFor([&] { return server.requestCount() == 1; }, 10000));
    QCOMPARE(::kill(pid_t(app.processId()), signalNumber), 0);
    // The server here keeps answering while the program ends.
    QVERIFY(QTest::qWaitFor([&] { return app.state() == QProcess::NotRunning; }, 20000));
    QCOMPARE(app.exitStatus(), QProcess::NormalExit);
    const QByteArray stored = readFile(conf);
    setStoreReadOnly(folder, conf, false);
    if (writable) {
        QCOMPARE(app.exitCode(), 0);
        for (const char* line :
             {"ICAO=KSEA", "Template=", "LastProfile=", "UpdateATISFile=True", "ATISFilePath="})
            QVERIFY2(stored.contains(line), line);
    } else {
        QCOMPARE(app.exitCode(), 1);
        QCOMPARE(stored, QByteArray("[Settings]\nICAO=KSEA\n"));
        QVERIFY(app.readAllStandardError().contains("The settings could not be saved"));
    }
}

QTEST_GUILESS_MAIN(TestApp)
#include "test_app.moc"
