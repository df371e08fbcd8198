// One METAR fetch through HttpTextFetcher against the same GET made with a
// bare QNetworkAccessManager, both from the local weather server, in turns.
#include "bench/bareget.h"
#include "bench/median.h"
#include "net/httptextfetcher.h"
#include "tools/localwx/localweatherserver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <cstdio>
#include <vector>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    LocalWeatherServer server;
    if (!server.listen())
        return 1;
    server.setMetar(QStringLiteral("KSEA"),
                    "KSEA 121653Z 17011KT 10SM -RA FEW015 BKN035 12/09 A2992 RMK AO2\r\n");
    const QString url = server.metarUrl() + QStringLiteral("?id=KSEA");

    HttpTextFetcher fetcher;
    QNetworkAccessManager manager;
    constexpr int runs = 51;
    std::vector<double> wrapped, raw;
    for (int i = 0; i < runs + 5; ++i) {
        QElapsedTimer t;
        t.start();
        fetcher.fetch(url);
        const double a = t.nsecsElapsed() / 1e3;
        t.start();
        bareGet(manager, url);
        const double b = t.nsecsElapsed() / 1e3;
        if (i >= 5) { // the first turns warm up connections and caches
            wrapped.push_back(a);
            raw.push_back(b);
        }
    }
    std::printf(
        "METAR fetch, median of %d: HttpTextFetcher %.0f us, bare QNetworkAccessManager %.0f us, "
        "difference %.0f us\n",
        runs, median(wrapped), median(raw), median(wrapped) - median(raw));
    return 0;
}
