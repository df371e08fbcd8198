#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

// The program as a controller starts it for practising offline.
class TestLocalWx : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void help();
    void servesTheMetarFile();
    void badArguments_data();
    void badArguments();
};

void TestLocalWx::help()
{
    QProcess p;
    p.start(BRIEFCAST_LOCALWX, {"--help"});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 0);
    const QByteArray out = p.readAllStandardOutput();
    QVERIFY(out.contains("--metars"));
    QVERIFY(out.contains("--port"));
    QVERIFY(out.contains("BRIEFCAST_STATUS_URL"));
}

void TestLocalWx::servesTheMetarFile()
{
    QTemporaryDir dir;
    QFile file(dir.filePath("metars.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("# comment\nKSEA 121653Z 17011KT 10SM FEW015 12/09 A2992\n\nEGLL 121650Z 24012KT "
               "CAVOK 11/05 Q1013\n");
    file.close();
    QProcess p;
    p.start(BRIEFCAST_LOCALWX, {"--metars", file.fileName()});
    QVERIFY(p.waitForReadyRead(60000));
    const QString statusUrl = QString::fromUtf8(p.readLine()).trimmed();
    QVERIFY2(statusUrl.startsWith("http://127.0.0.1:") && statusUrl.endsWith("/status.txt"),
             qPrintable(statusUrl));

    auto get = [](const QString& url) {
        QTcpSocket socket;
        const QUrl u(url);
        socket.connectToHost(u.host(), quint16(u.port()));
        if (!socket.waitForConnected(30000))
            return QByteArray("<no connection>");
        socket.write("GET " + u.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority) +
                     " HTTP/1.1\r\nHost: x\r\n\r\n");
        QByteArray all;
        while (socket.waitForReadyRead(30000))
            all += socket.readAll();
        all += socket.readAll();
        return all.mid(all.indexOf("\r\n\r\n") + 4);
    };
    const QByteArray status = get(statusUrl);
    QString metarUrl = statusUrl;
    metarUrl.replace("/status.txt", "/metar.php");
    QVERIFY2(status.contains("metar0=" + metarUrl.toUtf8() + "\r\n"), status.constData());
    QCOMPARE(get(metarUrl + "?id=EGLL"), QByteArray("EGLL 121650Z 24012KT CAVOK 11/05 Q1013\r\n"));
    QCOMPARE(get(metarUrl + "?id=KJFK"), QByteArray("No METAR available for KJFK\r\n"));
    p.kill();
    p.waitForFinished();
}

void TestLocalWx::badArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("port not a number") << QStringList{"--port", "ten"};
    QTest::newRow("port one past the largest") << QStringList{"--port", "65536"};
    QTest::newRow("missing file") << QStringList{"--metars", "no-such-file.txt"};
}

void TestLocalWx::badArguments()
{
    QFETCH(QStringList, arguments);
    QProcess p;
    p.start(BRIEFCAST_LOCALWX, arguments);
    QVERIFY(p.waitForFinished(60000));
    QVERIFY(p.exitCode() != 0);
    QVERIFY(!p.readAllStandardError().isEmpty());
}

QTEST_GUILESS_MAIN(TestLocalWx)
#include "test_localwx.moc"
