#include "net/livefeedlookup.h"

#include "net/discovery.h"
#include "net/httpget.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

std::optional<OnlineCodeLookup::OnlineAtis> FindOnlineAtis(const QByteArray& feed,
                                                           const QString& callsign)
{
    // A whole parse of a 2 MB feed takes about 10 ms: the window can wait for it.
    const QJsonArray stations =
        QJsonDocument::fromJson(feed).object().value(QLatin1String("atis")).toArray();
    for (const QJsonValue& value : stations) {
        const QJsonObject station = value.toObject();
        if (station.value(QLatin1String("callsign"))
                .toString()
                .compare(callsign, Qt::CaseInsensitive) != 0)
            continue;
        const QString code =
            station.value(QLatin1String("atis_code")).toString().trimmed().toUpper();
        if (code.size() != 1 || code.at(0) < u'A' || code.at(0) > u'Z')
            continue;
        return OnlineCodeLookup::OnlineAtis{station.value(QLatin1String("callsign")).toString(),
                                            code.at(0).unicode() - u'A'};
    }
    return std::nullopt;
}

LiveFeedLookup::LiveFeedLookup() = default;
LiveFeedLookup::~LiveFeedLookup() = default;

void LiveFeedLookup::cancel()
{
    m_done = {};
    m_get.reset();
}

void LiveFeedLookup::lookUp(const QString& callsign, Done done)
{
    cancel();
    m_done = std::move(done);
    m_callsign = callsign;
    auto readFeed = [this] {
        get(m_feedUrl, [this](const std::optional<QByteArray>& feed) {
            finish(feed ? FindOnlineAtis(*feed, m_callsign) : std::nullopt);
        });
    };
    if (!m_feedUrl.isEmpty()) {
        readFeed();
        return;
    }
    get(JsonStatusURL(StatusFileURL()), [this, readFeed](const std::optional<QByteArray>& body) {
        const std::optional<JsonStatus> status =
            body ? ParseJsonStatus(QString::fromUtf8(*body)) : std::nullopt;
        if (!status || status->dataFeed.isEmpty()) {
            finish(std::nullopt);
            return;
        }
        m_feedUrl = status->dataFeed.first();
        readFeed();
    });
}

void LiveFeedLookup::get(const QString& url, std::function<void(std::optional<QByteArray>)> then)
{
    m_get =
        std::make_unique<HttpGet>(url, HttpGet::Options{m_timeoutMs, MaxFeedBytes, {}},
                                  [this, then = std::move(then)](const HttpGet::Result& result) {
                                      const QByteArray* body = std::get_if<QByteArray>(&result);
                                      then(body ? std::optional(*body) : std::nullopt);
                                  });
}

void LiveFeedLookup::finish(const std::optional<OnlineAtis>& online)
{
    // The caller may start the next look-up from inside its answer.
    if (Done done = std::exchange(m_done, {}))
        done(online);
}
