// The local ATIS generator at work beside the window: how long the window's
// event loop stalls while four clients ask for ATIS in a loop, the window's
// memory meanwhile, and the time to answer one request with the METAR in
// the query (median and 99th percentile), first with the generator's dialog
// closed, then open: its list of answers must not slow them down. The
// clients are processes of their own, as radar clients are: this program
// started again with --client.
#include "app/session.h"
#include "bench/median.h"
#include "net/httptextfetcher.h"
#include "serve/atisgenerator.h"
#include "store/inifilestore.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/fakespeaker.h"
#include "tests/support/scripteddialogs.h"
#include "tools/localwx/localweatherserver.h"
#include "ui/frmmain.h"
#include "ui/windowform.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <curl/curl.h>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

const char* const Metars[] = {"KSEA+121653Z+17011KT+10SM+FEW015+BKN035+12/09+A2992",
                              "KBOS+121654Z+31012KT+10SM+OVC008+M03/M05+A2975",
                              "KJFK+121651Z+00000KT+1/4SM+FG+VV002+M01/M02+A3001",
                              "EGLL+121650Z+24015G25KT+9999+SCT020+15/08+Q1013"};
const char* const Codes[] = {"D", "E", "F", "G"};

size_t discard(char*, size_t size, size_t count, void*)
{
    return size * count;
}

// The client: GETs the address for the given milliseconds, or the given
// number of times, then prints the number of requests, of answers other
// than 200, and the median and 99th percentile time of one in milliseconds.
int runClient(const char* url, bool forMilliseconds, long amount)
{
    curl_global_init(CURL_GLOBAL_DEFAULT);
    CURL* easy = curl_easy_init();
    curl_easy_setopt(easy, CURLOPT_URL, url);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &discard);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, 10000L);
    std::vector<double> times;
    int failures = 0;
    const auto start = std::chrono::steady_clock::now();
    const auto since = [](std::chrono::steady_clock::time_point t) {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t)
            .count();
    };
    while (forMilliseconds ? since(start) < double(amount) : long(times.size()) < amount) {
        const auto sent = std::chrono::steady_clock::now();
        long status = 0;
        if (curl_easy_perform(easy) == CURLE_OK)
            curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
        times.push_back(since(sent));
        failures += status != 200;
    }
    curl_easy_cleanup(easy);
    std::printf("%zu %d %.3f %.3f\n", times.size(), failures, median(times),
                percentile(times, 0.99));
    return 0;
}

double residentMiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> pages = statm.readAll().split(' ');
    return pages.value(1).toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// Runs the event loop while running() holds, noting the longest gap
// between 10 ms timer events.
qint64 longestGapWhile(const std::function<bool()>& running)
{
    qint64 longest = 0;
    QElapsedTimer since;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout,
                     [&] { longest = std::max(longest, since.restart()); });
    since.start();
    ticker.start(10);
    while (running())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    return std::max(longest, since.elapsed());
}

// What a client printed: requests, answers other than 200, median and 99th
// percentile time.
struct ClientReport
{
    long requests = 0;
    int failures = 0;
    double medianMs = 0;
    double p99Ms = 0;
};

std::vector<ClientReport> runClients(const QStringList& urls, const char* mode, long amount,
                                     qint64* longestGap)
{
    std::vector<std::unique_ptr<QProcess>> clients;
    for (const QString& url : urls) {
        clients.push_back(std::make_unique<QProcess>());
        clients.back()->start(
            QCoreApplication::applicationFilePath(),
            {QStringLiteral("--client"), url, QString::fromLatin1(mode), QString::number(amount)});
    }
    const qint64 gap = longestGapWhile([&] {
        for (const auto& client : clients)
            if (client->state() != QProcess::NotRunning)
                return true;
        return false;
    });
    if (longestGap)
        *longestGap = gap;
    std::vector<ClientReport> reports;
    for (const auto& client : clients) {
        ClientReport report;
        std::sscanf(client->readAllStandardOutput().constData(), "%ld %d %lf %lf", &report.requests,
                    &report.failures, &report.medianMs, &report.p99Ms);
        reports.push_back(report);
    }
    return reports;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 5 && std::strcmp(argv[1], "--client") == 0)
        return runClient(argv[2], std::strcmp(argv[3], "ms") == 0, std::atol(argv[4]));

    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const bool quick = argc > 1 && QByteArray(argv[1]) == "--quick";

    LocalWeatherServer server;
    server.listen();
    qputenv("BRIEFCAST_STATUS_URL", server.statusUrl().toUtf8());
    IniFileStore store(home.filePath("store.conf"));
    quint16 port = 0;
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        port = probe.serverPort();
    }
    store.SaveSetting("Settings", "GeneratorPort", QString::number(port));
    store.SaveSetting("Settings", "ATISFilePath", home.filePath("atis.txt"));
    // A profile list like a controller's: a dozen airports, the four asked
    // for among them.
    for (const char* icao : {"CYVR", "EDDF", "EGKK", "EGLL", "KBOS", "KDEN", "KJFK", "KLAX", "KORD",
                             "KSEA", "KSFO", "LFPG"}) {
        const QString section = QStringLiteral("Profiles\\") + icao;
        store.writeTogether(
            {{QStringLiteral("Profiles"), icao, QStringLiteral("1")},
             {section, QStringLiteral("ICAO"), icao},
             {section, QStringLiteral("Template"),
              QStringLiteral("%icao% information %id% %time%. Wind %wind%. Visibility %vis%. "
                             "%precip% Sky %sky%. Temperature %temp%, dew point %dewpoint%. "
                             "Altimeter %altimeter%. %runways% Expect %approach% approach. "
                             "%remarks% Advise you have information %id%.")},
             {section, QStringLiteral("Runways"), QStringLiteral("04R,1,0|04L,1,1|09,0,1")}});
    }
    HttpTextFetcher fetcher;
    ScriptedDialogs dialogs;
    FakeDesktop desktop;
    FakeSpeaker speaker;
    frmMain window;
    Session session({.store = store,
                     .fetcher = fetcher,
                     .dialogs = dialogs,
                     .desktop = desktop,
                     .speaker = speaker,
                     .abortFetch = [&fetcher] { fetcher.abort(); }},
                    window.form(), window.form());
    window.attach(session, desktop);
    window.show();
    window.beginLoad();
    if (!window.finishLoad() || session.generator().state() != AtisGenerator::State::Serving)
        return 1;

    QStringList urls;
    for (int i = 0; i < 4; ++i)
        urls << QStringLiteral(
                    "http://127.0.0.1:%1/atis?info=%2&arr=04R&dep=09&apptype=ILS&metar=%3")
                    .arg(QString::number(port), QLatin1String(Codes[i]), QLatin1String(Metars[i]));

    // Four clients in a loop; the window's memory before, after the first
    // second and at the end. Then one client, one request at a time.
    const int seconds = quick ? 1 : 5;
    const auto measure = [&](const char* dialog) {
        const double memoryBefore = residentMiB();
        double memoryAfterOne = 0;
        QTimer::singleShot(1000, [&] { memoryAfterOne = residentMiB(); });
        qint64 longest = 0;
        long requests = 0;
        int failures = 0;
        for (const ClientReport& report : runClients(urls, "ms", seconds * 1000L, &longest)) {
            requests += report.requests;
            failures += report.failures;
        }
        std::printf("Dialog %s. Four clients in a loop for %d s: %ld requests (%d not answered "
                    "200), longest gap of the window's event loop %lld ms (must stay under 50 "
                    "ms)\n",
                    dialog, seconds, requests, failures, static_cast<long long>(longest));
        std::printf("The window's memory: %.1f MiB before, %.1f MiB after 1 s, %.1f MiB at the "
                    "end\n",
                    memoryBefore, memoryAfterOne, residentMiB());
        ClientReport single =
            runClients({urls.front()}, "count", quick ? 100 : 1000, nullptr).front();
        std::printf("One request with the METAR in the query, %ld of them: median %.3f ms, 99th "
                    "percentile %.3f ms (%d not answered 200)\n",
                    single.requests, single.medianMs, single.p99Ms, single.failures);
        single.failures += failures + (longest < 50 ? 0 : 1);
        return single;
    };
    const ClientReport closed = measure("closed");
    window.findChild<QAction*>(QStringLiteral("mnuOptionsGenerator"))->trigger();
    const ClientReport open = measure("open");
    std::printf("Median with the dialog open: %.2f times closed (must stay within 1.5)\n",
                open.medianMs / closed.medianMs);
    return closed.failures == 0 && open.failures == 0 && open.medianMs <= 1.5 * closed.medianMs ? 0
                                                                                                : 2;
}
