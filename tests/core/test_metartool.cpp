// briefcast-metar as a controller runs it: replies in, JSON lines out.
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

class TestMetarTool : public QObject
{
    Q_OBJECT
    // Standard output and exit status, -1 for a crash; standard input is `input`.
    static std::pair<QByteArray, int> run(const QStringList& args, const QByteArray& input = {})
    {
        QProcess p;
        p.start(QStringLiteral(BRIEFCAST_METAR_TOOL), args);
        p.write(input);
        p.closeWriteChannel();
        p.waitForFinished(-1);
        return {p.readAllStandardOutput(),
                p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1};
    }
private Q_SLOTS:
    void decodesEachLine()
    {
        const auto [out, code] = run({}, "KSEA 121653Z 17011KT 10SM -RA FEW015 12/09 A2992\r\n"
                                         "bad \"reply\"\x01\t\xc3\xa9");
        QCOMPARE(code, 0);
        QCOMPARE(out,
                 R"({"Metar": "KSEA 121653Z 17011KT 10SM -RA FEW015 12/09 A2992", )"
                 R"("ObservationTime": "121653Z", "Wind": "17011KT", "Visibility": "10SM", )"
                 R"("Precip": "-RA", "Sky": "FEW015", "Temperature": "12", "DewPoint": "09", )"
                 R"("Altimeter": "2992"})"
                 "\n"
                 "{\"Metar\": \"bad \\\"reply\\\"\\u0001 \xc3\xa9\", \"error\": \"no match\"}\n");
    }
    void anyBytesFromEverySource()
    {
        QByteArray input("AAA\n\0BBB\n\n", 10);
        QRandomGenerator random(2024);
        for (int i = 0; i < 200000; ++i)
            input.append(char(random.bounded(256)));
        QTemporaryDir dir;
        QFile f(dir.filePath("binary"));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(input) == input.size());
        f.close();
        const auto [piped, code] = run({}, input);
        QCOMPARE(code, 0);
        QCOMPARE(piped.count('\n'), input.count('\n') + 1);
        QVERIFY(piped.startsWith("{\"Metar\": \"AAA\", \"error\": \"no match\"}\n{\"Metar\": "
                                 "\"\\u0000BBB\", \"error\": \"no match\"}\n{\"Metar\": \"\", "));
        QCOMPARE(run({f.fileName()}), std::pair(piped, 0));
        QCOMPARE(run({dir.filePath("missing")}).second, 1);
        QCOMPARE(run({dir.path()}).second, 1); // cannot be read to its end
        const auto [help, helpCode] = run({"--help"});
        QVERIFY(help.startsWith("Usage: briefcast-metar"));
        QCOMPARE(helpCode, 0);
    }
};

QTEST_GUILESS_MAIN(TestMetarTool)
#include "test_metartool.moc"
