#include "net/httpget.h"
#include "net/httptextfetcher.h"
#include "net/nettexts.h"
#include "tests/support/http2server.h"
#include "tools/localwx/localweatherserver.h"

#include <QElapsedTimer>
#include <QSslSocket>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <thread>

Q_DECLARE_METATYPE(LocalWeatherServer::Faults)

class TestHttpTextFetcher : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void bodies_data();
    void bodies();
    void failures_data();
    void failures();
    void cutShort_data();
    void cutShort();
    void http2();
    void refusedConnection();
    void timeOut();
    void busyWhileWaiting();
    void abortEndsWaitAtOnce();
    void tlsBackendPresent();

private:
    static QString bodyOf(const TextFetcher::Result& result)
    {
        if (const Failure* f = std::get_if<Failure>(&result))
            return QStringLiteral("<failure %1 %2>").arg(f->number).arg(f->description);
        return std::get<QString>(result);
    }
    LocalWeatherServer* m_server = nullptr;
};

void TestHttpTextFetcher::init()
{
    delete m_server;
    m_server = new LocalWeatherServer(this);
    QVERIFY(m_server->listen());
}

void TestHttpTextFetcher::bodies_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<LocalWeatherServer::Faults>("faults");
    QTest::addColumn<QString>("expected");

    const QByteArray metar = "KSEA 121653Z 17011KT 10SM FEW015 12/09 A2992\r\n";
    LocalWeatherServer::Faults none;
    QTest::newRow("line breaks kept") << metar << none << QString::fromLatin1(metar);
    QTest::newRow("empty body") << QByteArray() << none << QString();
    QTest::newRow("utf-8") << QByteArray("KSEA caf\xc3\xa9") << none
                           << QStringLiteral("KSEA caf\u00e9");
    QTest::newRow("invalid bytes") << QByteArray("A\xff"
                                                 "B\xc3")
                                   << none << QStringLiteral("A\ufffdB\ufffd");
    QTest::newRow("exactly 1 MiB") << QByteArray(HttpTextFetcher::MaxBodyBytes, 'M') << none
                                   << QString(HttpTextFetcher::MaxBodyBytes, QLatin1Char('M'));
    LocalWeatherServer::Faults noLength;
    noLength.omitLength = true;
    QTest::newRow("ended by the connection") << metar << noLength << QString::fromLatin1(metar);
    LocalWeatherServer::Faults chunked;
    chunked.chunked = true;
    QTest::newRow("chunked") << metar << chunked << QString::fromLatin1(metar);
    LocalWeatherServer::Faults deflate;
    deflate.deflate = true;
    QTest::newRow("compressed") << metar << deflate << QString::fromLatin1(metar);
    LocalWeatherServer::Faults ten;
    ten.redirects = HttpGet::MaxRedirects;
    QTest::newRow("ten redirects") << metar << ten << QString::fromLatin1(metar);
}

void TestHttpTextFetcher::bodies()
{
    QFETCH(QByteArray, reply);
    QFETCH(LocalWeatherServer::Faults, faults);
    QFETCH(QString, expected);
    m_server->setMetar(QStringLiteral("KSEA"), reply);
    m_server->faults = faults;
    HttpTextFetcher fetcher;
    QCOMPARE(bodyOf(fetcher.fetch(m_server->metarUrl() + QStringLiteral("?id=KSEA"))), expected);
    // The same fetcher serves the next cycle.
    m_server->faults = {};
    QCOMPARE(bodyOf(fetcher.fetch(m_server->metarUrl() + QStringLiteral("?id=KSEA"))), expected);
}

void TestHttpTextFetcher::failures_data()
{
    QTest::addColumn<LocalWeatherServer::Faults>("faults");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("description");

    LocalWeatherServer::Faults f;
    f.status = 404;
    f.reason = "Not Found";
    QTest::newRow("404") << f << 404 << QStringLiteral("Not Found");
    f.status = 500;
    f.reason = "Internal Server Error";
    QTest::newRow("500") << f << 500 << QStringLiteral("Internal Server Error");
    f.status = 503;
    f.reason = "Service Unavailable";
    QTest::newRow("503") << f << 503 << QStringLiteral("Service Unavailable");
    f.reason = "Try Later";
    QTest::newRow("the server's own reason phrase") << f << 503 << QStringLiteral("Try Later");
    f.status = 404;
    f.reason = "";
    QTest::newRow("404 without reason phrase") << f << 404 << QStringLiteral("Not Found");
    f.status = 599;
    QTest::newRow("unknown 5xx without reason phrase")
        << f << 599 << QStringLiteral("Server Error");
    f.status = 301;
    f.reason = "Moved Permanently";
    QTest::newRow("redirect without Location")
        << f << 301 << QStringLiteral("Moved Permanently, but the server named no new address");

    f = {};
    f.oversizeBytes = HttpTextFetcher::MaxBodyBytes + 1;
    QTest::newRow("over 1 MiB announced")
        << f << HttpGet::TooLargeError << NetTexts::TooLarge.arg(1);
    f.omitLength = true;
    f.oversizeBytes = 8 * HttpTextFetcher::MaxBodyBytes;
    QTest::newRow("over 1 MiB unannounced")
        << f << HttpGet::TooLargeError << NetTexts::TooLarge.arg(1);
    // 256 MiB that deflate to 256 KiB: refused at once, not after the time-out.
    f.omitLength = false;
    f.deflate = true;
    f.oversizeBytes = 256 * HttpTextFetcher::MaxBodyBytes;
    QTest::newRow("inflates past 1 MiB")
        << f << HttpGet::TooLargeError << NetTexts::TooLarge.arg(1);

    f = {};
    f.redirects = HttpGet::MaxRedirects + 1;
    QTest::newRow("eleven redirects") << f << int(HttpGet::TooManyRedirectsError) << QString();

    f = {};
    f.closeMidBody = true;
    f.oversizeBytes = 64 * 1024;
    QTest::newRow("closed mid-body") << f << HttpGet::CutShortError << NetTexts::CutShort;
}

void TestHttpTextFetcher::failures()
{
    QFETCH(LocalWeatherServer::Faults, faults);
    QFETCH(int, number);
    QFETCH(QString, description);
    m_server->faults = faults;
    HttpTextFetcher fetcher;
    const TextFetcher::Result result =
        fetcher.fetch(m_server->metarUrl() + QStringLiteral("?id=KSEA"));
    const Failure* failure = std::get_if<Failure>(&result);
    QVERIFY2(failure, qPrintable(bodyOf(result).left(80)));
    QCOMPARE(failure->number, number);
    if (description.isEmpty())
        QVERIFY(!failure->description.isEmpty());
    else
        QCOMPARE(failure->description, description);
}

void TestHttpTextFetcher::cutShort_data()
{
    QTest::addColumn<LocalWeatherServer::Faults>("faults");
    LocalWeatherServer::Faults f;
    f.endMidBody = true;
    QTest::newRow("length announced") << f;
    f.deflate = true;
    QTest::newRow("compressed, length announced") << f;
    f.deflate = false;
    f.chunked = true;
    QTest::newRow("chunked, last chunk missing") << f;
}

void TestHttpTextFetcher::cutShort()
{
    // Whether a client notices the missing end depends on the order in which
    // it sees the data and the hang-up: keep both cores busy and try often.
    QFETCH(LocalWeatherServer::Faults, faults);
    m_server->setMetar(QStringLiteral("KSEA"), "KSEA 121653Z 17011KT 10SM FEW015 12/09 A2992\r\n");
    m_server->faults = faults;
    std::atomic<bool> stop = false;
    const auto spin = [&stop] {
        while (!stop.load(std::memory_order_relaxed)) {
        }
    };
    std::thread busy1(spin), busy2(spin);
    HttpTextFetcher fetcher;
    QStringList accepted;
    for (int i = 0; i < 40; ++i) {
        const TextFetcher::Result result =
            fetcher.fetch(m_server->metarUrl() + QStringLiteral("?id=KSEA"));
        const Failure* failure = std::get_if<Failure>(&result);
        if (!failure || failure->number != HttpGet::CutShortError ||
            failure->description != NetTexts::CutShort)
            accepted << bodyOf(result);
    }
    stop = true;
    busy1.join();
    busy2.join();
    QVERIFY2(accepted.isEmpty(),
             qPrintable(QString::number(accepted.size()) + " of 40: " + accepted.join(" | ")));
}

void TestHttpTextFetcher::http2()
{
    // HTTP/2 carries no reason phrase: the standard one stands in.
    Http2Server server;
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    QVERIFY(server.addFile(QStringLiteral("metar.txt"), "KSEA 121653Z 17011KT\r\n"));
    HttpTextFetcher fetcher;
    fetcher.setCaCertificatesFile(Http2Server::certificateFile());
    QCOMPARE(bodyOf(fetcher.fetch(server.url(QStringLiteral("metar.txt")))),
             QStringLiteral("KSEA 121653Z 17011KT\r\n"));
    QCOMPARE(bodyOf(fetcher.fetch(server.url(QStringLiteral("missing.txt")))),
             QStringLiteral("<failure 404 Not Found>"));
}

void TestHttpTextFetcher::refusedConnection()
{
    const quint16 port = m_server->port();
    delete m_server;
    m_server = nullptr;
    HttpTextFetcher fetcher;
    const TextFetcher::Result result =
        fetcher.fetch(QStringLiteral("http://127.0.0.1:%1/status.txt").arg(port));
    const Failure* failure = std::get_if<Failure>(&result);
    QVERIFY(failure);
    QCOMPARE(failure->number, int(HttpGet::ConnectionRefusedError));
    QVERIFY(failure->description.contains(QLatin1String("refused"), Qt::CaseInsensitive));
}

void TestHttpTextFetcher::timeOut()
{
    // Far apart, so that no load brings them together.
    m_server->faults.delayMs = 40'000;
    HttpTextFetcher fetcher;
    QCOMPARE(fetcher.timeoutMs(), 60'000);
    fetcher.setTimeoutMs(200);
    QElapsedTimer clock;
    clock.start();
    const TextFetcher::Result result = fetcher.fetch(m_server->statusUrl());
    QVERIFY(clock.elapsed() < 30'000);
    const Failure* failure = std::get_if<Failure>(&result);
    QVERIFY(failure);
    QCOMPARE(failure->number, HttpGet::TimedOutError);
    QCOMPARE(failure->description, NetTexts::TimedOut.arg(0.2));
    QVERIFY(!fetcher.busy());
}

void TestHttpTextFetcher::busyWhileWaiting()
{
    m_server->setMetar(QStringLiteral("KSEA"), "KSEA 121653Z 17011KT");
    m_server->faults.delayMs = 300;
    HttpTextFetcher fetcher;
    TextFetcher::Result second;
    // Started before the request, this timer runs out before the server's.
    QTimer::singleShot(50, [&] {
        QVERIFY(fetcher.busy());
        second = fetcher.fetch(m_server->statusUrl());
    });
    const TextFetcher::Result first =
        fetcher.fetch(m_server->metarUrl() + QStringLiteral("?id=KSEA"));
    QCOMPARE(bodyOf(first), QStringLiteral("KSEA 121653Z 17011KT"));
    const Failure* busy = std::get_if<Failure>(&second);
    QVERIFY(busy);
    QCOMPARE(busy->number, BusyErrorNumber);
    QCOMPARE(busy->description, QStringLiteral("Still executing last request"));
    QCOMPARE(m_server->requestCount(), 1);
}

void TestHttpTextFetcher::abortEndsWaitAtOnce()
{
    // The window's events go on while a reply is awaited: a timer ends the wait.
    m_server->faults.delayMs = 50'000; // the fetcher gives up after 60 s
    HttpTextFetcher fetcher;
    fetcher.abort(); // nothing waits: no effect
    QTimer::singleShot(50, [&] { fetcher.abort(); });
    QElapsedTimer clock;
    clock.start();
    const TextFetcher::Result result = fetcher.fetch(m_server->statusUrl());
    QVERIFY(clock.elapsed() < 40'000);
    const Failure* failure = std::get_if<Failure>(&result);
    QVERIFY(failure);
    QCOMPARE(failure->number, HttpGet::CancelledError);
    QVERIFY(!fetcher.busy());
}

void TestHttpTextFetcher::tlsBackendPresent()
{
    // The network's servers are https: without a TLS backend nothing starts.
    QVERIFY(QSslSocket::supportsSsl());
    QVERIFY(QSslSocket::availableBackends().contains(QStringLiteral("openssl")));
}

QTEST_GUILESS_MAIN(TestHttpTextFetcher)
#include "test_httptextfetcher.moc"
