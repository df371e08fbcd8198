// briefcast-metar as a controller runs it: replies in, JSON lines out.
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestMetarTool : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void decodesEachLine();
    void readsNamedFiles();
    void help();

private:
    static QByteArray run(const QStringList& args, const QByteArray& input, int* exitCode)
    {
        QProcess p;
        p.start(QStringLiteral(BRIEFCAST_METAR_TOOL), args);
        if (!p.waitForStarted())
            return {};
        p.write(input);
        p.closeWriteChannel();
        p.waitForFinished();
        *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        return p.readAllStandardOutput();
    }
};

void TestMetarTool::decodesEachLine()
{
    const QByteArray input = "KSEA 121653Z 17011KT 10SM -RA FEW015 BKN035 OVC050 12/09 A2992 RMK AO2\r\n"
                             "bad \"reply\"\x01\t\xc3\xa9\n"
                             "LIRF 121650Z 18005KT 9999 // CAVOK// 22/14 Q1015";
    int code = 0;
    const QList<QByteArray> lines = run({}, input, &code).split('\n');
    QCOMPARE(code, 0);
    QCOMPARE(lines.size(), 4);
    QVERIFY(lines[3].isEmpty());
    QCOMPARE(lines[0], QByteArray(R"({"Metar": "KSEA 121653Z 17011KT 10SM -RA FEW015 BKN035 OVC050 12/09 A2992 RMK AO2", )"
                                  R"("ObservationTime": "121653Z", "Wind": "17011KT", "Visibility": "10SM", )"
                                  R"("Precip": "-RA", "Sky": "FEW015 BKN035 OVC050", "Temperature": "12", )"
                                  R"("DewPoint": "09", "Altimeter": "2992"})"));
    QCOMPARE(lines[1], QByteArray("{\"Metar\": \"bad \\\"reply\\\"\\u0001 \xc3\xa9\", \"error\": \"no match\"}"));
    const QJsonObject last = QJsonDocument::fromJson(lines[2]).object();
    QCOMPARE(last.value("Visibility").toString(), "CAVOK");
    QCOMPARE(last.value("Altimeter").toString(), "1015");
}

void TestMetarTool::readsNamedFiles()
{
    QTemporaryDir dir;
    QFile f(dir.filePath("replies.txt"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("EGLL 121650Z 24015G25KT 200V280 9999 SCT020 15/08 Q1013 NOSIG\n\n");
    f.close();
    int code = 0;
    const QList<QByteArray> lines = run({f.fileName()}, {}, &code).split('\n');
    QCOMPARE(code, 0);
    QCOMPARE(lines.size(), 3);
    QCOMPARE(QJsonDocument::fromJson(lines[0]).object().value("Wind").toString(), "24015G25KT 200V280");
    QCOMPARE(lines[1], QByteArray(R"({"Metar": "", "error": "no match"})"));

    run({dir.filePath("missing.txt")}, {}, &code);
    QCOMPARE(code, 1);
}

void TestMetarTool::help()
{
    int code = -1;
    QVERIFY(run({"--help"}, {}, &code).startsWith("Usage: briefcast-metar"));
    QCOMPARE(code, 0);
}

QTEST_GUILESS_MAIN(TestMetarTool)
#include "test_metartool.moc"
