#pragma once

#include "core/onlinecodelookup.h"

#include <QByteArray>
#include <memory>

class HttpGet;

// The ATIS station of that callsign (KBOS_ATIS, KBOS_A_ATIS...) in the
// network's live data feed, whose "atis" array lists every ATIS station
// online with its "callsign" and its "atis_code". No value when the station
// is not online with a single letter, or the text is not such a feed.
std::optional<OnlineCodeLookup::OnlineAtis> FindOnlineAtis(const QByteArray& feed,
                                                           const QString& callsign);

// Looks the letter on the air up in the live data feed, without ever making
// the window wait: the GETs run from the event loop and the answer comes
// from there. The feed's address comes from the JSON status form ("data" /
// "v3"), read at the first look-up and kept for the run. The feed is
// several megabytes, so it has a body limit of its own, well above the
// METAR fetches'; any failure is no answer.
class LiveFeedLookup : public OnlineCodeLookup
{
public:
    static constexpr qint64 MaxFeedBytes = 64 * 1024 * 1024;
    static constexpr int DefaultTimeoutMs = 30'000;

    LiveFeedLookup();
    ~LiveFeedLookup() override;

    void lookUp(const QString& callsign, Done done) override;
    void cancel() override;

    // Each request, from start to last byte.
    void setTimeoutMs(int ms) { m_timeoutMs = ms; }
    // The feed's address when it is known already; otherwise the status
    // form names it.
    void setFeedUrl(const QString& url) { m_feedUrl = url; }
    QString feedUrl() const { return m_feedUrl; }

private:
    // GETs the address; then runs with the body, or with no value on any failure.
    void get(const QString& url, std::function<void(std::optional<QByteArray>)> then);
    void finish(const std::optional<OnlineAtis>& online);

    std::unique_ptr<HttpGet> m_get;
    QString m_feedUrl;
    QString m_callsign;
    Done m_done;
    int m_timeoutMs = DefaultTimeoutMs;
};
