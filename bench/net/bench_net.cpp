// One METAR fetch through HttpTextFetcher against the same GET made with a
// bare QNetworkAccessManager, both from the local weather server, in turns.
#include "httptextfetcher.h"
#include "localweatherserver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    LocalWeatherServer server;
    if (!server.listen())
        return 1;
    server.setMetar(QStringLiteral("KSEA"), "KSEA 121653Z 17011KT 10SM -RA FEW015 BKN035 12/09 A2992 RMK AO2\r\n");
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
        QNetworkReply* reply = manager.get(QNetworkRequest(QUrl(url)));
        QEventLoop loop;
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec();
        reply->readAll();
        reply->deleteLater();
        const double b = t.nsecsElapsed() / 1e3;
        if (i >= 5) { // the first turns warm up connections and caches
            wrapped.push_back(a);
            raw.push_back(b);
        }
    }
    std::printf("METAR fetch, median of %d: HttpTextFetcher %.0f us, bare QNetworkAccessManager %.0f us, "
                "difference %.0f us\n",
                runs, median(wrapped), median(raw), median(wrapped) - median(raw));
    return 0;
}
