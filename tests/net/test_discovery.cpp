#include "core/metar.h"
#include "core/metarrequest.h"
#include "core/sessionstate.h"
#include "net/discovery.h"
#include "net/httptextfetcher.h"
#include "net/nettexts.h"
#include "tests/support/fakefetcher.h"
#include "tests/support/fakeform.h"
#include "tests/support/scripteddialogs.h"
#include "tools/localwx/localweatherserver.h"

#include <QTest>
#include <cmath>

class TestDiscovery : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { qunsetenv("BRIEFCAST_STATUS_URL"); }
    void statusFileUrl();
    void candidates_data();
    void candidates();
    void noCandidate_data();
    void noCandidate();
    void everyEntryEquallyLikely();
    void transferFailureEnds();
    void progressLines();
    void againstLocalServer();
    void jsonStatusUrl_data();
    void jsonStatusUrl();
    void otherForms_data();
    void otherForms();
    void statusFormsOnLoopback_data();
    void statusFormsOnLoopback();
};

void TestDiscovery::statusFileUrl()
{
    QCOMPARE(StatusFileURL(), QStringLiteral("https://status.vatsim.net/status.txt"));
    qputenv("BRIEFCAST_STATUS_URL", "");
    QCOMPARE(StatusFileURL(), QStringLiteral("https://status.vatsim.net/status.txt"));
    qputenv("BRIEFCAST_STATUS_URL", "http://127.0.0.1:8/status.txt");
    QCOMPARE(StatusFileURL(), QStringLiteral("http://127.0.0.1:8/status.txt"));
}

void TestDiscovery::candidates_data()
{
    QTest::addColumn<QString>("status");
    QTest::addColumn<float>("draw");
    QTest::addColumn<QString>("chosen");

    const QString two = QStringLiteral(
        "url0=http://data/\r\nmetar0=http://one/metar.php\r\nmetar0=http://two/m\r\n");
    QTest::newRow("first of two") << two << 0.0f << QStringLiteral("http://one/metar.php");
    QTest::newRow("just below the half")
        << two << 0.49999997f << QStringLiteral("http://one/metar.php");
    QTest::newRow("second of two") << two << 0.5f << QStringLiteral("http://two/m");
    QTest::newRow("largest draw") << two << std::nextafter(1.0f, 0.0f)
                                  << QStringLiteral("http://two/m");
    QTest::newRow("single candidate, largest draw")
        << QStringLiteral("metar0=http://only\r\n") << std::nextafter(1.0f, 0.0f)
        << QStringLiteral("http://only");
    QTest::newRow("bare line feeds") << QStringLiteral("metar0=http://a\nmetar0=http://b\n")
                                     << 0.75f << QStringLiteral("http://b");
    QTest::newRow("no final line break")
        << QStringLiteral("x=1\r\nmetar0=http://end") << 0.3f << QStringLiteral("http://end");
    QTest::newRow("upper-case key")
        << QStringLiteral("METAR0=http://up\r\n") << 0.0f << QStringLiteral("http://up");
    QTest::newRow("upper-case scheme")
        << QStringLiteral("metar0=HTTPS://UP\r\n") << 0.0f << QStringLiteral("HTTPS://UP");
    QTest::newRow("others skipped")
        << QStringLiteral("metar1=http://no\r\n metar0=http://no\r\nmetar0=ftp://no\r\n"
                          "metar0=http://yes\r\n")
        << 0.9f << QStringLiteral("http://yes");
    QTest::newRow("a value with a space is two entries")
        << QStringLiteral("metar0=http://a http://b\r\n") << 0.6f << QStringLiteral("http://b");
}

void TestDiscovery::candidates()
{
    QFETCH(QString, status);
    QFETCH(float, draw);
    QFETCH(QString, chosen);
    FakeFetcher fetcher;
    fetcher.reply(status);
    FakeForm form;
    ScriptedDialogs dialogs;
    SessionState state;
    QVERIFY(DiscoverMetarServer(fetcher, form, dialogs, state, [draw] { return draw; }));
    QCOMPARE(state.MetarServerURL, chosen);
    QCOMPARE(form.atis, QString());
    QVERIFY(dialogs.shown.isEmpty());
    QCOMPARE(fetcher.requested, QStringList{StatusFileURL()});
}

void TestDiscovery::noCandidate_data()
{
    QTest::addColumn<QString>("status");
    QTest::newRow("empty reply") << QString();
    QTest::newRow("metar1") << QStringLiteral("metar1=http://x\r\n");
    QTest::newRow("blank before the key") << QStringLiteral(" metar0=http://x\r\n");
    QTest::newRow("value not http") << QStringLiteral("metar0=ftp://x\r\n");
    QTest::newRow("http and nothing more") << QStringLiteral("metar0=http\r\n");
    QTest::newRow("an error page") << QStringLiteral("<html><body>Bad Gateway</body></html>");
}

void TestDiscovery::noCandidate()
{
    QFETCH(QString, status);
    FakeFetcher fetcher;
    fetcher.reply(status);
    FakeForm form;
    ScriptedDialogs dialogs;
    SessionState state;
    QString atisWhileShown;
    dialogs.whileShown = [&](const ScriptedDialogs::Shown&) { atisWhileShown = form.atis; };
    QVERIFY(!DiscoverMetarServer(fetcher, form, dialogs, state, [] { return 0.0f; }));
    QCOMPARE(dialogs.shown.size(), 1);
    QCOMPARE(dialogs.shown[0].text, NetTexts::NoServerUrls);
    QCOMPARE(dialogs.shown[0].title, QStringLiteral("Error"));
    QCOMPARE(dialogs.shown[0].icon, Dialogs::Icon::Critical);
    QCOMPARE(dialogs.shown[0].buttons, Dialogs::Buttons::OK);
    QCOMPARE(atisWhileShown,
             NetTexts::RetrievingListing + "\r\n" + NetTexts::ExtractingUrl + "\r\n");
    QVERIFY(state.MetarServerURL.isEmpty());
}

void TestDiscovery::everyEntryEquallyLikely()
{
    // Draws spread evenly over [0, 1): each entry gets its share, the
    // address listed twice twice the share of the one listed once.
    const QString status =
        QStringLiteral("metar0=http://a\r\nmetar0=http://b\r\nmetar0=http://a\r\n");
    QMap<QString, int> chosen;
    constexpr int draws = 3000;
    for (int i = 0; i < draws; ++i) {
        FakeFetcher fetcher;
        fetcher.reply(status);
        FakeForm form;
        ScriptedDialogs dialogs;
        SessionState state;
        QVERIFY(
            DiscoverMetarServer(fetcher, form, dialogs, state, [i] { return float(i) / draws; }));
        ++chosen[state.MetarServerURL];
    }
    QCOMPARE(chosen.value("http://a"), 2000);
    QCOMPARE(chosen.value("http://b"), 1000);

    // The system's draw stays below 1 and reaches both halves.
    int low = 0;
    for (int i = 0; i < 2000; ++i) {
        const float r = SystemRandomDraw();
        QVERIFY(r >= 0.0f && r < 1.0f);
        low += r < 0.5f;
    }
    QVERIFY(low > 800 && low < 1200);
}

void TestDiscovery::transferFailureEnds()
{
    FakeFetcher fetcher;
    fetcher.fail(3, QStringLiteral("Host status.vatsim.net not found"));
    FakeForm form;
    ScriptedDialogs dialogs;
    SessionState state;
    QVERIFY(!DiscoverMetarServer(fetcher, form, dialogs, state));
    QCOMPARE(dialogs.shown.size(), 1);
    QVERIFY(dialogs.shown[0].text.startsWith(NetTexts::ListingError +
                                             "\r\n\r\n(3) Host status.vatsim.net not found"));
    QCOMPARE(dialogs.shown[0].title, QStringLiteral("Error"));
    QCOMPARE(dialogs.shown[0].icon, Dialogs::Icon::Critical);
    QVERIFY(state.MetarServerURL.isEmpty());
}

void TestDiscovery::progressLines()
{
    FakeFetcher fetcher;
    fetcher.reply(QStringLiteral("metar0=http://a\r\n"));
    FakeForm form;
    form.atis = QStringLiteral("old text");
    QString whileFetching;
    fetcher.whileFetching = [&] { whileFetching = form.atis; };
    ScriptedDialogs dialogs;
    SessionState state;
    QVERIFY(DiscoverMetarServer(fetcher, form, dialogs, state));
    QCOMPARE(whileFetching, QStringLiteral("Retrieving VATSIM data server listing ...\r\n"));
    QCOMPARE(form.atis, QString());
}

void TestDiscovery::againstLocalServer()
{
    LocalWeatherServer server;
    QVERIFY(server.listen());
    server.setMetar(QStringLiteral("KSEA"), "KSEA 121653Z 17011KT 10SM FEW015 12/09 A2992\r\n");
    qputenv("BRIEFCAST_STATUS_URL", server.statusUrl().toUtf8());
    HttpTextFetcher fetcher;
    FakeForm form;
    ScriptedDialogs dialogs;
    SessionState state;
    QVERIFY(DiscoverMetarServer(fetcher, form, dialogs, state));
    QCOMPARE(state.MetarServerURL, server.metarUrl());

    const auto metar =
        fetcher.fetch(BuildMetarRequestURL(state.MetarServerURL, QStringLiteral("KSEA")));
    QCOMPARE(NormaliseMetarReply(std::get<QString>(metar)),
             QStringLiteral("KSEA 121653Z 17011KT 10SM FEW015 12/09 A2992"));
    // Whatever the box holds goes encoded: it cannot add query keys.
    const auto odd =
        fetcher.fetch(BuildMetarRequestURL(state.MetarServerURL, QStringLiteral("KSEA&id=X")));
    QCOMPARE(std::get<QString>(odd), QStringLiteral("No METAR available for KSEA&id=X\r\n"));
}

void TestDiscovery::jsonStatusUrl_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("json");
    QTest::newRow("the network's") << "https://status.vatsim.net/status.txt"
                                   << "https://status.vatsim.net/status.json";
    QTest::newRow("in a folder, with a port") << "http://127.0.0.1:8080/a/status.txt"
                                              << "http://127.0.0.1:8080/a/status.json";
    QTest::newRow("only the last segment") << "http://h/status.txt/x/status.txt"
                                           << "http://h/status.txt/x/status.json";
    QTest::newRow("another name stays") << "http://h/data/listing.txt"
                                        << "http://h/data/listing.txt";
}

void TestDiscovery::jsonStatusUrl()
{
    QFETCH(QString, text);
    QFETCH(QString, json);
    QCOMPARE(JsonStatusURL(text), json);
}

void TestDiscovery::otherForms_data()
{
    QTest::addColumn<QList<TextFetcher::Result>>("replies");
    QTest::addColumn<QStringList>("requested"); // after the status file's own address
    QTest::addColumn<QString>("chosen");        // empty: start-up ends
    QTest::addColumn<QString>("message");

    using R = QList<TextFetcher::Result>;
    const QString json =
        R"({"metar": ["http://json/metar.php"], "data": {"v3": ["http://json/feed"]}})";
    const QString moved = "; moved\r\nmoveto0=http://b/status.txt\r\n";
    QTest::newRow("moved once") << R{moved, QString("metar0=http://moved/m\r\n")}
                                << QStringList{"http://b/status.txt"} << "http://moved/m"
                                << "";
    QTest::newRow("moves end after three")
        << R{moved, moved, moved, moved, json}
        << QStringList{"http://b/status.txt", "http://b/status.txt", "http://b/status.txt",
                       "http://t/status.json"}
        << "http://json/metar.php"
        << "";
    QTest::newRow("a moved file that fails falls back")
        << R{moved, Failure{3, "Host b not found"}, json}
        << QStringList{"http://b/status.txt", "http://t/status.json"} << "http://json/metar.php"
        << "";
    QTest::newRow("text fails, JSON lists")
        << R{Failure{3, "Host t not found"}, json} << QStringList{"http://t/status.json"}
        << "http://json/metar.php"
        << "";
    QTest::newRow("text lists none, JSON lists")
        << R{QString("url0=http://x\r\n"), json} << QStringList{"http://t/status.json"}
        << "http://json/metar.php"
        << "";
    QTest::newRow("JSON entries that are no address skipped")
        << R{QString(), QString(R"({"metar": [7, "ftp://x", "", "https://two"]})")}
        << QStringList{"http://t/status.json"} << "https://two"
        << "";
    QTest::newRow("text fails, JSON broken: the text failure")
        << R{Failure{3, "Host t not found"}, QString("<html>502</html>")}
        << QStringList{"http://t/status.json"} << ""
        << NetTexts::ListingError + "\r\n\r\n(3) Host t not found\r\n\r\n" + NetTexts::Exiting;
    QTest::newRow("neither lists one")
        << R{QString("metar1=http://x"), QString(R"({"metar": []})")}
        << QStringList{"http://t/status.json"} << "" << NetTexts::NoServerUrls;
}

void TestDiscovery::otherForms()
{
    QFETCH(QList<TextFetcher::Result>, replies);
    QFETCH(QStringList, requested);
    QFETCH(QString, chosen);
    QFETCH(QString, message);
    qputenv("BRIEFCAST_STATUS_URL", "http://t/status.txt");
    FakeFetcher fetcher;
    fetcher.replies = replies;
    FakeForm form;
    ScriptedDialogs dialogs;
    SessionState state;
    QCOMPARE(DiscoverMetarServer(fetcher, form, dialogs, state, [] { return 0.0f; }),
             !chosen.isEmpty());
    QCOMPARE(state.MetarServerURL, chosen);
    QCOMPARE(fetcher.requested, QStringList{"http://t/status.txt"} + requested);
    QCOMPARE(dialogs.shown.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QCOMPARE(dialogs.shown[0].text, message);
}

void TestDiscovery::statusFormsOnLoopback_data()
{
    QTest::addColumn<bool>("text");
    QTest::addColumn<bool>("json");
    QTest::addColumn<bool>("moved");
    QTest::addColumn<bool>("brokenJson");
    QTest::addColumn<int>("requests");
    QTest::addColumn<bool>("found");
    QTest::newRow("both forms") << true << true << false << false << 1 << true;
    QTest::newRow("text only") << true << false << false << false << 1 << true;
    QTest::newRow("JSON only") << false << true << false << false << 2 << true;
    QTest::newRow("moved text") << true << false << true << false << 2 << true;
    QTest::newRow("no text, broken JSON") << false << true << false << true << 2 << false;
}

void TestDiscovery::statusFormsOnLoopback()
{
    QFETCH(bool, text);
    QFETCH(bool, json);
    QFETCH(bool, moved);
    QFETCH(bool, brokenJson);
    QFETCH(int, requests);
    QFETCH(bool, found);
    LocalWeatherServer server;
    QVERIFY(server.listen());
    server.statusForms = {text, json, brokenJson, moved};
    qputenv("BRIEFCAST_STATUS_URL", server.statusUrl().toUtf8());
    HttpTextFetcher fetcher;
    FakeForm form;
    ScriptedDialogs dialogs;
    SessionState state;
    QCOMPARE(DiscoverMetarServer(fetcher, form, dialogs, state), found);
    QCOMPARE(state.MetarServerURL, found ? server.metarUrl() : QString());
    QCOMPARE(server.requestCount(), requests);
    if (!found)
        QVERIFY(
            dialogs.shown[0].text.startsWith(NetTexts::ListingError + "\r\n\r\n(404) Not Found"));
}

QTEST_GUILESS_MAIN(TestDiscovery)
#include "test_discovery.moc"
