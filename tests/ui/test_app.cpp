#include "localweatherserver.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The program as it is started: it finds its weather server and waits idle.
class TestApp : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startsAndStaysIdle();
};

void TestApp::startsAndStaysIdle()
{
    LocalWeatherServer server;
    QVERIFY(server.listen());
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("BRIEFCAST_STATUS_URL", server.statusUrl());
    QProcess app;
    app.setProcessEnvironment(env);
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

QTEST_GUILESS_MAIN(TestApp)
#include "test_app.moc"
