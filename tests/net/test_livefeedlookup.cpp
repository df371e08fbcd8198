// The letter on the air, from the live data feed, on loopback.
#include "net/livefeedlookup.h"
#include "tools/localwx/localweatherserver.h"

#include <QTest>

class TestLiveFeedLookup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { qunsetenv("BRIEFCAST_STATUS_URL"); }
    void findOnlineAtis_data();
    void findOnlineAtis();
    void onLoopback_data();
    void onLoopback();
    void feedAddressIsKept();
    void cancelledLookUpNeverAnswers();
};

using Found = std::optional<OnlineCodeLookup::OnlineAtis>;

void TestLiveFeedLookup::findOnlineAtis_data()
{
    QTest::addColumn<QByteArray>("feed");
    QTest::addColumn<QString>("callsign"); // empty: none found
    QTest::addColumn<int>("codeIndex");
    const QByteArray two = R"({"atis": [{"callsign": "KJFK_ATIS", "atis_code": "Q"},
                                        {"callsign": "KBOS_ATIS", "atis_code": "D"}]})";
    QTest::newRow("the airport's station") << two << "KBOS_ATIS" << 3;
    QTest::newRow("small letter")
        << QByteArray(R"({"atis": [{"callsign": "kbos_atis", "atis_code": "z"}]})") << "kbos_atis"
        << 25;
    QTest::newRow("not online") << QByteArray(
                                       R"({"atis": [{"callsign": "KJFK_ATIS", "atis_code": "Q"}]})")
                                << "" << 0;
    QTest::newRow("split station is not the airport's")
        << QByteArray(R"({"atis": [{"callsign": "KBOS_D_ATIS", "atis_code": "D"}]})") << "" << 0;
    QTest::newRow("no letter yet")
        << QByteArray(R"({"atis": [{"callsign": "KBOS_ATIS", "atis_code": null}]})") << "" << 0;
    QTest::newRow("two letters")
        << QByteArray(R"({"atis": [{"callsign": "KBOS_ATIS", "atis_code": "DE"}]})") << "" << 0;
    QTest::newRow("not a letter")
        << QByteArray(R"({"atis": [{"callsign": "KBOS_ATIS", "atis_code": "4"}]})") << "" << 0;
    QTest::newRow("only the top-level array counts")
        << QByteArray(
               R"({"pilots": [{"remarks": "\"atis\": [", "atis": [{"callsign": "KBOS_ATIS",)"
               R"( "atis_code": "X"}]}], "atis": [{"callsign": "KBOS_ATIS", "atis_code": "D"}]})")
        << "KBOS_ATIS" << 3;
    QTest::newRow("atis not an array")
        << QByteArray(R"({"atis": {"callsign": "KBOS_ATIS", "atis_code": "D"}})") << "" << 0;
    QTest::newRow("not JSON") << QByteArray("<html>502</html>") << "" << 0;
    QTest::newRow("truncated") << two.left(60) << "" << 0;
}

void TestLiveFeedLookup::findOnlineAtis()
{
    QFETCH(QByteArray, feed);
    QFETCH(QString, callsign);
    QFETCH(int, codeIndex);
    const Found found = FindOnlineAtis(feed, "KBOS");
    QCOMPARE(found.has_value(), !callsign.isEmpty());
    if (found) {
        QCOMPARE(found->callsign, callsign);
        QCOMPARE(found->codeIndex, codeIndex);
    }
}

namespace {
// Runs one look-up to its end and returns its answer.
Found lookUp(LiveFeedLookup& lookup, const QString& icao)
{
    Found answer;
    bool answered = false;
    lookup.lookUp(icao, [&](const Found& found) {
        answer = found;
        answered = true;
    });
    if (!QTest::qWaitFor([&] { return answered; }, 60'000))
        qWarning("no answer");
    return answer;
}
} // namespace

void TestLiveFeedLookup::onLoopback_data()
{
    QTest::addColumn<bool>("json");
    QTest::addColumn<bool>("brokenJson");
    QTest::addColumn<qint64>("padding");
    QTest::addColumn<int>("codeIndex"); // -1: none
    QTest::newRow("online") << true << false << qint64(0) << 3;
    QTest::newRow("in a 3 MB feed") << true << false << qint64(3'000'000) << 3;
    QTest::newRow("no JSON status") << false << false << qint64(0) << -1;
    QTest::newRow("broken JSON status") << true << true << qint64(0) << -1;
}

void TestLiveFeedLookup::onLoopback()
{
    QFETCH(bool, json);
    QFETCH(bool, brokenJson);
    QFETCH(qint64, padding);
    QFETCH(int, codeIndex);
    LocalWeatherServer server;
    QVERIFY(server.listen());
    server.statusForms.json = json;
    server.statusForms.brokenJson = brokenJson;
    server.setOnlineAtis("KJFK_ATIS", "Q");
    server.setOnlineAtis("KBOS_ATIS", "D");
    server.setFeedPadding(padding);
    qputenv("BRIEFCAST_STATUS_URL", server.statusUrl().toUtf8());
    LiveFeedLookup lookup;
    const Found found = lookUp(lookup, "KBOS");
    QCOMPARE(found ? found->codeIndex : -1, codeIndex);
    QCOMPARE(lookup.feedUrl(), codeIndex < 0 ? QString() : server.dataFeedUrl());
    QCOMPARE(server.requestCount(), codeIndex < 0 ? 1 : 2);
}

void TestLiveFeedLookup::feedAddressIsKept()
{
    LocalWeatherServer server;
    QVERIFY(server.listen());
    server.setOnlineAtis("KBOS_ATIS", "D");
    qputenv("BRIEFCAST_STATUS_URL", server.statusUrl().toUtf8());
    LiveFeedLookup lookup;
    QVERIFY(lookUp(lookup, "KBOS"));
    // Later look-ups ask the feed alone; an airport not online has no answer.
    QVERIFY(!lookUp(lookup, "KSEA"));
    QCOMPARE(server.requestCount(), 3);
    QCOMPARE(server.lastTarget(), QByteArray("/v3/vatsim-data.json"));
    // The feed failing gives no answer either.
    server.faults.status = 503;
    server.faults.reason = "Service Unavailable";
    QVERIFY(!lookUp(lookup, "KBOS"));
}

void TestLiveFeedLookup::cancelledLookUpNeverAnswers()
{
    LocalWeatherServer server;
    QVERIFY(server.listen());
    server.setOnlineAtis("KBOS_ATIS", "D");
    server.faults.delayMs = 300;
    qputenv("BRIEFCAST_STATUS_URL", server.statusUrl().toUtf8());
    LiveFeedLookup lookup;
    int answers = 0;
    lookup.lookUp("KBOS", [&](const Found&) { ++answers; });
    QTRY_COMPARE_WITH_TIMEOUT(server.requestCount(), 1, 60'000);
    lookup.cancel();
    // A fresh look-up afterwards still answers, once.
    server.faults.delayMs = 0;
    QVERIFY(lookUp(lookup, "KBOS"));
    QTest::qWait(600);
    QCOMPARE(answers, 0);
}

QTEST_GUILESS_MAIN(TestLiveFeedLookup)
#include "test_livefeedlookup.moc"
