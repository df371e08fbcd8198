// briefcast-metar as a controller runs it: replies in, JSON lines out.
#include <QProcess>
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
};

QTEST_GUILESS_MAIN(TestMetarTool)
#include "test_metartool.moc"
