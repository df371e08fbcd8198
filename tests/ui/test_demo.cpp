#include "tests/support/testfiles.h"

#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

// The demo as make demo starts it: the local weather server, the app pointed
// at it with its own settings, and the server gone once the app has ended.
class TestDemo : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void runsOfflineAndStopsItsServer()
    {
        QTemporaryDir build;
        QVERIFY(QFile::link(BRIEFCAST_BIN, build.filePath("bin")));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", build.filePath("home"));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.remove("BRIEFCAST_STATUS_URL");
        env.insert("BRIEFCAST_QUIT_WHEN_IDLE", "1"); // the app ends once idle after start-up
        QProcess demo;
        demo.setProcessEnvironment(env);
        demo.start(BRIEFCAST_DEMO, {build.path()});
        QVERIFY(demo.waitForFinished(120'000));
        QVERIFY2(demo.exitCode() == 0, demo.readAllStandardError().constData());
        QVERIFY(
            readFile(build.filePath("demo/config/Briefcast/Briefcast.conf")).contains("ICAO=KBOS"));
        const QUrl url(QString::fromUtf8(readFile(build.filePath("demo/status-url"))).trimmed());
        QTcpSocket socket;
        socket.connectToHost(url.host(), quint16(url.port()));
        QVERIFY(url.host() == "127.0.0.1" && !socket.waitForConnected(10'000));
    }
};

QTEST_GUILESS_MAIN(TestDemo)
#include "test_demo.moc"
