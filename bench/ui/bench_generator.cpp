// The local ATIS generator at work beside the window: how long the window's
// event loop stalls while four clients ask for ATIS in a loop, the memory
// meanwhile, and the time to answer one request with the METAR in the query.
// The clients are libcurl in threads of their own, as radar clients are
// programs of their own.
#include "bench/median.h"
#include "net/httptextfetcher.h"
#include "serve/atisgenerator.h"
#include "store/qsettingsstore.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/scripteddialogs.h"
#include "tools/localwx/localweatherserver.h"
#include "ui/frmmain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <curl/curl.h>
#include <thread>
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

// One client: GETs until told to stop, or count times; each request's time
// in milliseconds, and the number of answers other than 200.
struct Client
{
    std::string url;
    std::vector<double> times;
    int failures = 0;

    void run(const std::atomic<bool>& stop, int count)
    {
        CURL* easy = curl_easy_init();
        curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &discard);
        curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, 10000L);
        for (int i = 0; !stop && (count == 0 || i < count); ++i) {
            const auto start = std::chrono::steady_clock::now();
            long status = 0;
            if (curl_easy_perform(easy) == CURLE_OK)
                curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
            times.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count());
            failures += status != 200;
        }
        curl_easy_cleanup(easy);
    }
};

double residentMiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> pages = statm.readAll().split(' ');
    return pages.value(1).toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// Runs the event loop while running() holds, noting the longest gap between
// 10 ms timer events.
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

} // namespace

int main(int argc, char** argv)
{
    curl_global_init(CURL_GLOBAL_DEFAULT);
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
    QSettingsStore store(home.filePath("store.conf"));
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
    frmMain window({.store = store,
                    .fetcher = fetcher,
                    .abortFetch = [&fetcher] { fetcher.abort(); },
                    .dialogs = &dialogs,
                    .desktop = &desktop,
                    .unloaded = {}});
    window.show();
    if (!window.load() || window.generator().state() != AtisGenerator::State::Serving)
        return 1;

    std::vector<Client> clients(4);
    for (std::size_t i = 0; i < clients.size(); ++i)
        clients[i].url = "http://127.0.0.1:" + std::to_string(port) + "/atis?info=" + Codes[i] +
                         "&arr=04R&dep=09&apptype=ILS&metar=" + Metars[i];

    // Four clients in a loop.
    const int seconds = quick ? 1 : 5;
    const double memoryBefore = residentMiB();
    std::atomic<bool> stop = false;
    std::atomic<int> finished = 0;
    std::vector<std::thread> threads;
    for (Client& client : clients)
        threads.emplace_back([&client, &stop, &finished] {
            client.run(stop, 0);
            ++finished;
        });
    QElapsedTimer elapsed;
    elapsed.start();
    double memoryAfterOne = 0;
    const qint64 longest = longestGapWhile([&] {
        if (memoryAfterOne == 0 && elapsed.elapsed() >= 1000)
            memoryAfterOne = residentMiB();
        return elapsed.elapsed() < seconds * 1000;
    });
    // The requests still under way are answered before the clients end.
    stop = true;
    longestGapWhile([&] { return finished < int(threads.size()); });
    for (std::thread& thread : threads)
        thread.join();
    std::size_t requests = 0;
    int failures = 0;
    for (const Client& client : clients) {
        requests += client.times.size();
        failures += client.failures;
    }
    std::printf("Four clients in a loop for %d s: %zu requests (%d not answered 200), longest "
                "gap of the window's event loop %lld ms (must stay under 50 ms)\n",
                seconds, requests, failures, static_cast<long long>(longest));
    std::printf("Memory: %.1f MiB before, %.1f MiB after 1 s, %.1f MiB at the end\n", memoryBefore,
                memoryAfterOne, residentMiB());

    // One client, one request at a time.
    Client single{clients[0].url, {}, 0};
    const std::atomic<bool> never = false;
    std::atomic<bool> done = false;
    std::thread one([&] {
        single.run(never, quick ? 100 : 1000);
        done = true;
    });
    longestGapWhile([&] { return !done; });
    one.join();
    std::printf("One request with the METAR in the query, median of %zu: %.3f ms (%d not "
                "answered 200)\n",
                single.times.size(), median(single.times), single.failures);
    curl_global_cleanup();
    return longest < 50 && failures == 0 && single.failures == 0 ? 0 : 2;
}
