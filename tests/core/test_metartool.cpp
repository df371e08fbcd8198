// briefcast-metar as a controller runs it: replies in, JSON lines out.
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

class TestMetarTool : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void decodesEachLine();
    void readsNamedFiles();
    void anyBytesFromEverySource();
    void help();

private:
    // Standard input is a pipe carrying `input`, or the file `inputFile`.
    static QByteArray run(const QStringList& args, const QByteArray& input, int* exitCode,
                          const QString& inputFile = {})
    {
        QProcess p;
        if (!inputFile.isEmpty())
            p.setStandardInputFile(inputFile);
        p.start(QStringLiteral(BRIEFCAST_METAR_TOOL), args);
        if (!p.waitForStarted())
            return {};
        if (inputFile.isEmpty()) {
            p.write(input);
            p.closeWriteChannel();
        }
        p.waitForFinished(-1);
        *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        return p.readAllStandardOutput();
    }
};

void TestMetarTool::decodesEachLine()
{
    const QByteArray input =
        "KSEA 121653Z 17011KT 10SM -RA FEW015 BKN035 OVC050 12/09 A2992 RMK AO2\r\n"
        "bad \"reply\"\x01\t\xc3\xa9\n"
        "LIRF 121650Z 18005KT 9999 // CAVOK// 22/14 Q1015";
    int code = 0;
    const QList<QByteArray> lines = run({}, input, &code).split('\n');
    QCOMPARE(code, 0);
    QCOMPARE(lines.size(), 4);
    QVERIFY(lines[3].isEmpty());
    QCOMPARE(
        lines[0],
        QByteArray(
            R"({"Metar": "KSEA 121653Z 17011KT 10SM -RA FEW015 BKN035 OVC050 12/09 A2992 RMK AO2", )"
            R"("ObservationTime": "121653Z", "Wind": "17011KT", "Visibility": "10SM", )"
            R"("Precip": "-RA", "Sky": "FEW015 BKN035 OVC050", "Temperature": "12", )"
            R"("DewPoint": "09", "Altimeter": "2992"})"));
    QCOMPARE(
        lines[1],
        QByteArray("{\"Metar\": \"bad \\\"reply\\\"\\u0001 \xc3\xa9\", \"error\": \"no match\"}"));
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
    QCOMPARE(QJsonDocument::fromJson(lines[0]).object().value("Wind").toString(),
             "24015G25KT 200V280");
    QCOMPARE(lines[1], QByteArray(R"({"Metar": "", "error": "no match"})"));

    run({dir.filePath("missing.txt")}, {}, &code);
    QCOMPARE(code, 1);
}

void TestMetarTool::anyBytesFromEverySource()
{
    QByteArray input("AAA\n\0BBB\nCCC\n", 13);
    QRandomGenerator random(2024);
    for (int i = 0; i < 200000; ++i)
        input.append(char(random.bounded(256)));
    const qsizetype lines = input.count('\n') + (input.endsWith('\n') ? 0 : 1);
    QTemporaryDir dir;
    QFile f(dir.filePath("binary"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(input);
    f.close();

    int code = -1;
    const QByteArray piped = run({}, input, &code);
    QCOMPARE(code, 0);
    QCOMPARE(piped.count('\n'), lines);
    QVERIFY(piped.startsWith("{\"Metar\": \"AAA\", \"error\": \"no match\"}\n"
                             "{\"Metar\": \"\\u0000BBB\", \"error\": \"no match\"}\n"));
    QCOMPARE(run({}, {}, &code, f.fileName()), piped);
    QCOMPARE(code, 0);
    QCOMPARE(run({f.fileName()}, {}, &code), piped);
    QCOMPARE(code, 0);

    // Input that cannot be read to its end fails.
    run({}, {}, &code, dir.path());
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
