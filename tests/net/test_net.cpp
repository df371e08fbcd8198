// The fetcher, discovery, live feed look-up and practice server, on 127.0.0.1.
#include "net/discovery.h"
#include "net/httpstatustexts.h"
#include "net/httptextfetcher.h"
#include "net/livefeedlookup.h"
#include "tests/support/tlsredirectserver.h"
#include "tools/localwx/localweatherserver.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

#pragma GCC diagnostic ignored "-Wmissing-field-initializers" // rows name the fields they set
using Faults = LocalWeatherServer::Faults;
using Found = std::optional<OnlineCodeLookup::OnlineAtis>;
Q_DECLARE_METATYPE(Faults)

namespace {
const QByteArray Metar = "KSEA 121653Z 17011KT 10SM FEW015 12/09 A2992\r\n";
constexpr qint64 MiB = 1024 * 1024;
// A body as it came, a failure as the messages show it; a station found as "KBOS_ATIS 3".
QString textOf(const TextFetcher::Result& result)
{
    const Failure* failure = std::get_if<Failure>(&result);
    return failure ? FailureText(*failure) : std::get<QString>(result);
}
QString textOf(const Found& found)
{
    return found ? found->callsign + ' ' + QString::number(found->codeIndex) : QString();
}
QString lookUp(LiveFeedLookup& lookup, const QString& callsign)
{
    std::optional<Found> answer;
    lookup.lookUp(callsign, [&](const Found& found) { answer = found; });
    return QTest::qWaitFor([&] { return answer.has_value(); }, 60000) ? textOf(*answer) : "none";
}
// The METAR server that discovery finds from the status file at this address.
QString discoveredMetarUrl(const QByteArray& statusUrl)
{
    qputenv("BRIEFCAST_STATUS_URL", statusUrl);
    HttpTextFetcher fetcher;
    const MetarServerListing listing = ReadMetarServerListing(fetcher);
    return listing.servers.isEmpty() ? "none"
                                     : ChooseMetarServer(listing.servers, [] { return 0.0f; });
}
} // namespace

class TestNet : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fetch_data()
    {
        QTest::addColumn<QByteArray>("metar");
        QTest::addColumn<Faults>("faults");
        QTest::addColumn<QString>("expected"); // a last * stands for any rest
        QTest::addColumn<int>("timeoutMs");
        QTest::addColumn<bool>("abort"); // after a second fetch meanwhile
        const auto row = [](const char* name, const Faults& f, const QString& expected,
                            const QByteArray& metar = Metar, int timeoutMs = 60000,
                            bool abort = false) {
            QTest::newRow(name) << metar << f << expected << timeoutMs << abort;
        };
        const QString tooLarge = "(1002) The reply is larger than 1 MiB and was refused";
        const QString cut = "(1004) The connection closed before the whole reply had arrived";
        row("UTF-8, bad bytes replaced", {}, QStringLiteral("caf\u00e9 \ufffd.\ufffd"),
            "caf\xc3\xa9 \xff.\xc3");
        row("exactly 1 MiB", {}, QString(MiB, u'M'), QByteArray(MiB, 'M'));
        row("no length, line breaks kept", {.omitLength = true}, Metar);
        row("compressed", {.deflate = true}, Metar);
        row("ten redirects", {.redirects = 10}, Metar);
        row("no phrase", {.status = 404}, "(404) Not Found");
        row("own phrase", {.status = 503, .reason = "Try Later"}, "(503) Try Later");
        row("unknown, no phrase", {.status = 599}, "(599) Server Error");
        row("redirect without Location", {.status = 308, .reason = "Permanent Redirect"},
            "(308) Permanent Redirect, but the server named no new address");
        row("eleven redirects", {.redirects = 11}, "(10) *");
        row("refused", {.redirectTo = "http://127.0.0.1:0/"}, "(1) *");
        row("over 1 MiB", {.oversizeBytes = MiB + 1}, tooLarge);
        // 16 MiB that deflate to 16 KiB: refused at once, not after the time-out.
        row("inflates past 1 MiB", {.oversizeBytes = 16 * MiB, .deflate = true}, tooLarge);
        row("ends short of its length", {.endMidBody = true}, cut);
        row("last chunk missing", {.chunked = true, .endMidBody = true}, cut);
        // The server answers after 40 s: far from the time-out, whatever the load.
        row("time-out", {.delayMs = 40000}, "(1001) The server did not answer within 0.2 seconds",
            Metar, 200);
        row("aborted", {.delayMs = 40000}, "(1003) The request was cancelled", Metar, 60000, true);
    }
    void fetch()
    {
        QFETCH(QByteArray, metar);
        QFETCH(Faults, faults);
        QFETCH(QString, expected);
        QFETCH(int, timeoutMs);
        QFETCH(bool, abort);
        LocalWeatherServer server;
        QVERIFY(server.listen());
        server.setMetar("KSEA", metar);
        server.faults = faults;
        HttpTextFetcher fetcher;
        fetcher.setTimeoutMs(timeoutMs);
        QString second;
        if (abort) // once the server holds the request
            connect(
                &server, &LocalWeatherServer::requestReceived, &server,
                [&] {
                    second = textOf(fetcher.fetch(server.statusUrl()));
                    fetcher.abort();
                },
                Qt::SingleShotConnection);
        const QString got = textOf(fetcher.fetch(server.metarUrl() + "?id=KSEA"));
        QCOMPARE(expected.endsWith(u'*') ? got.left(expected.size() - 1) + u'*' : got, expected);
        QCOMPARE(second, abort ? "(35764) Still executing last request" : "");
        server.faults = {}; // the same fetcher serves the next cycle
        QCOMPARE(textOf(fetcher.fetch(server.metarUrl() + "?id=X")),
                 "No METAR available for X\r\n");
    }
    // Against Python's copy of the registry of status codes, which keeps the
    // names four codes had before RFC 9110. An unregistered code is named by
    // its class.
    void standardReasonPhrases()
    {
        QProcess python;
        python.start("python3", {"-c", "import http, json; print(json.dumps("
                                       "{s.value: s.phrase for s in http.HTTPStatus}))"});
        if (!python.waitForStarted(60000))
            QSKIP("python3 is not installed (make deps).");
        QVERIFY(python.waitForFinished(60000));
        const QJsonObject registry =
            QJsonDocument::fromJson(python.readAllStandardOutput()).object();
        QVERIFY(registry.size() > 60);
        const QMap<int, QString> renamed = {{413, "Content Too Large"},
                                            {414, "URI Too Long"},
                                            {416, "Range Not Satisfiable"},
                                            {422, "Unprocessable Content"}};
        const QStringList classes = {"Informational", "Success", "Redirection", "Client Error",
                                     "Server Error"};
        for (int status = 100; status < 600; ++status) {
            const QString registered = registry.value(QString::number(status)).toString();
            const QString expected = renamed.value(
                status, registered.isEmpty() ? classes[status / 100 - 1] : registered);
            QCOMPARE(QString::number(status) + ' ' + standardReasonPhrase(status),
                     QString::number(status) + ' ' + expected);
        }
    }
    // The rule "never from https to http" holds at every hop of a chain:
    // http, then https, then http again.
    void redirectsNeverLeaveHttps()
    {
        LocalWeatherServer last;
        QVERIFY(last.listen());
        last.setMetar("KSEA", Metar);
        const QString metar = last.metarUrl() + "?id=KSEA";
        TlsRedirectServer secure(metar.toUtf8());
        QVERIFY(secure.listen());
        LocalWeatherServer first;
        QVERIFY(first.listen());
        first.faults.redirectTo = secure.url().toUtf8() + "/metar.php?id=KSEA";
        HttpTextFetcher fetcher;
        fetcher.setCaCertificatesFile(BRIEFCAST_TEST_TLS_DIR "/localhost-cert.pem");
        QCOMPARE(textOf(fetcher.fetch(first.metarUrl())),
                 "(11) The redirect to " + metar +
                     " was refused: redirects go only to http or https addresses, and never "
                     "from https to http");
        QCOMPARE(secure.requestCount(), 1);
        QCOMPARE(last.requestCount(), 0);
    }
    void statusFormsOnLoopback()
    {
        LocalWeatherServer server;
        QVERIFY(server.listen());
        server.setOnlineAtis("KBOS_ATIS", "D");
        server.setFeedPadding(3000000); // as large as the network's
        QCOMPARE(discoveredMetarUrl(server.statusUrl().toUtf8()), server.metarUrl());
        QCOMPARE(server.requestCount(), 1); // the status file only
        LiveFeedLookup lookup;
        QCOMPARE(lookUp(lookup, "KBOS_ATIS"), "KBOS_ATIS 3");
        // Later look-ups ask the feed alone; no answer for one not online or a failing feed.
        const int before = server.requestCount();
        QCOMPARE(lookUp(lookup, "KSEA_ATIS"), "");
        QCOMPARE(server.requestCount(), before + 1);
        QCOMPARE(server.lastTarget(), "/v3/vatsim-data.json");
        server.faults.status = 503;
        QCOMPARE(lookUp(lookup, "KBOS_ATIS"), "");
        // A look-up cancelled while its request waits never answers: the slow
        // server's reply to it goes out before the one to a later look-up.
        server.faults = {.delayMs = 300};
        lookup.lookUp("KBOS_ATIS", [](const Found&) { QFAIL("a look-up cancelled answered"); });
        QVERIFY(QTest::qWaitFor([&] { return server.requestCount() == before + 3; }, 60000));
        lookup.cancel();
        LiveFeedLookup later;
        later.setFeedUrl(server.dataFeedUrl());
        QCOMPARE(lookUp(later, "KBOS_ATIS"), "KBOS_ATIS 3");
        server.faults = {};
        QCOMPARE(lookUp(lookup, "KBOS_ATIS"), "KBOS_ATIS 3");
        server.statusForms.brokenJson = true; // no feed named: no answer
        LiveFeedLookup unnamed;
        QCOMPARE(lookUp(unnamed, "KBOS_ATIS"), "");
    }
    void practiceServerRefuses_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("port one past the largest") << QStringList{"--port", "65536"};
        QTest::newRow("missing file") << QStringList{"--metars", "no-such-file.txt"};
    }
    void practiceServerRefuses()
    {
        QFETCH(QStringList, arguments);
        QProcess p;
        p.start(BRIEFCAST_LOCALWX, arguments);
        QVERIFY(p.waitForFinished(60000));
        QVERIFY(p.exitCode() != 0 && !p.readAllStandardError().isEmpty());
    }
    // As the demo starts it: the bundled reports, and KBOS's ATIS on the air.
    void practiceServerServesTheSampleReports()
    {
        QProcess p;
        p.start(BRIEFCAST_LOCALWX, {"--metars", BRIEFCAST_SAMPLE_METARS, "--online", "KBOS=D"});
        QVERIFY(p.waitForReadyRead(60000)); // its first line: the status file's address
        const QString metarUrl = discoveredMetarUrl(p.readLine().trimmed());
        QVERIFY(textOf(HttpTextFetcher().fetch(metarUrl + "?id=KBOS")).startsWith("KBOS 12"));
        LiveFeedLookup lookup;
        QCOMPARE(lookUp(lookup, "KBOS_ATIS"), "KBOS_ATIS 3");
        p.kill();
        p.waitForFinished();
    }
};

QTEST_GUILESS_MAIN(TestNet)
#include "test_net.moc"
