#include "tests/support/ordinaryuser.h"
#include "tests/support/testfiles.h"
#include "tools/localwx/localweatherserver.h"

#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <unistd.h>

// The program as it is started: it finds its weather server, waits idle,
// and a desktop logout without a session manager or Ctrl+C in a terminal
// saves its settings and ends it normally, or it says it could not.
class TestApp : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void endSignalsSaveTheSettings_data();
    void endSignalsSaveTheSettings();
};

void TestApp::endSignalsSaveTheSettings_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<bool>("writable");
    QTest::newRow("SIGTERM") << SIGTERM << true;
    QTest::newRow("SIGINT") << SIGINT << true;
    QTest::newRow("SIGHUP") << SIGHUP << true;
    QTest::newRow("SIGTERM, store not writable") << SIGTERM << false;
}

void TestApp::endSignalsSaveTheSettings()
{
    QFETCH(int, signalNumber);
    QFETCH(bool, writable);
    LocalWeatherServer server;
    QVERIFY(server.listen());
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
    QProcess app;
    app.setEnvironment(
        QProcess::systemEnvironment() +
        QStringList{"HOME=" + home.path(), "XDG_CONFIG_HOME=" + home.filePath("config"),
                    "QT_QPA_PLATFORM=offscreen", "BRIEFCAST_STATUS_URL=" + server.statusUrl()});
    if (!writable && geteuid() == 0)
        app.start("setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", BRIEFCAST_APP});
    else
        app.start(BRIEFCAST_APP, {});
    QVERIFY(QTest::qWaitFor([&] { return server.requestCount() == 1; }, 60'000));
    QTest::qWait(500); // idle: nothing is fetched until the controller asks
    QCOMPARE(server.requestCount(), 1);
    QCOMPARE(::kill(pid_t(app.processId()), signalNumber), 0);
    // The server here keeps answering while the program ends.
    QVERIFY(QTest::qWaitFor([&] { return app.state() == QProcess::NotRunning; }, 60'000));
    QCOMPARE(app.exitStatus(), QProcess::NormalExit);
    const QByteArray stored = readFile(conf);
    setStoreReadOnly(folder, conf, false);
    QCOMPARE(app.exitCode(), writable ? 0 : 1);
    if (!writable)
        QVERIFY(app.readAllStandardError().contains("The settings could not be saved"));
    for (const char* line : {"ICAO=KSEA", "Template=", "UpdateATISFile=", "ATISFilePath="})
        QCOMPARE(stored.contains(line), writable || QByteArray(line) == "ICAO=KSEA");
}

QTEST_GUILESS_MAIN(TestApp)
#include "test_app.moc"
