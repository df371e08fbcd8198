#pragma once

#include "core/failure.h"
#include "serve/guardedtcpserver.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <variant>

class CurrentAtisSource;
class ProfileSource;
class QHttpServerRequest;
class QTcpSocket;
struct GeneratorReply;

// The local ATIS generator: an HTTP server on 127.0.0.1 that answers a radar
// client's ATIS-maker call and an ATIS client's external generator with the
// ATIS of the airport's own profile, built by the same composition as the
// window's, and tells other tools the window's current ATIS.
//
//   GET /atis?metar=...&info=D&arr=16L&dep=16R[&icao=&profile=&apptype=&remarks=
//             &visual=&lahso=&format=text|voice|json]
//   GET /current
//
// Everything runs on the thread's event loop and never waits: a request
// whose METAR must be fetched answers when its own fetch ends, so requests
// for several airports go on side by side and the window is never held up.
// Nothing of the window changes, and nothing is written.
class AtisGenerator : public QObject
{
    Q_OBJECT
public:
    enum class State
    {
        Off,
        Serving,
        PortInUse,
        Failed
    };

    // One request as the window lists it.
    struct Served
    {
        QDateTime at; // UTC
        QString icao;
        QString informationCode;
        int status = 0;
        QString reason; // of a refusal
        // What the check found in the ATIS answered; no value for an
        // answer that is no ATIS.
        std::optional<QStringList> findings;
    };
    static constexpr int RecentLength = 20;
    static constexpr int DefaultFetchTimeoutMs = 30'000;
    static constexpr qint64 MaxMetarBytes = 1024 * 1024;
    // How long a METAR fetched for a caller answers the next callers for
    // that airport.
    static constexpr int DefaultMetarKeepMs = 60'000;

    // metarServerUrl gives the METAR server chosen at start-up (empty until
    // it is known).
    AtisGenerator(const ProfileSource& profiles, std::function<QString()> metarServerUrl,
                  QObject* parent = nullptr);
    ~AtisGenerator() override;

    // Where /current reads the window's ATIS; null: it has none.
    void setCurrentAtisSource(const CurrentAtisSource* source) { m_current = source; }
    // The clock of the ages in /current and of the list of requests (UTC).
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }
    // Take effect at the next serve().
    void setLimits(const ConnectionLimits& limits) { m_limits = limits; }
    void setFetchTimeoutMs(int ms) { m_fetchTimeoutMs = ms; }
    void setMetarKeepMs(int ms) { m_metarKeepMs = ms; }

    // Stops serving, dropping the requests still waiting, then, when
    // enabled, serves on 127.0.0.1 at the port (0: a free one).
    void serve(bool enabled, quint16 port);
    State state() const { return m_state; }
    // The port served on; when not serving, the one last asked for.
    quint16 port() const { return m_port; }
    QString errorString() const { return m_error; }
    // The last RecentLength requests answered, newest first.
    const QList<Served>& recent() const { return m_recent; }

Q_SIGNALS:
    void stateChanged();
    void served(const AtisGenerator::Served& served);

private:
    class HttpServer;
    class PendingAtis;
    class MetarFetch;

    bool handle(const QHttpServerRequest& request, QTcpSocket* socket);
    void startAtis(const QHttpServerRequest& request, QTcpSocket* socket);
    void fetchEnded(const QString& icao, const std::variant<QByteArray, Failure>& result);
    void fetched(PendingAtis* pending, const QByteArray* body, const QString& failure);
    void answer(QTcpSocket* socket, const GeneratorReply& reply);
    void stop();
    void makeHttpServer();

    const ProfileSource& m_profiles;
    std::function<QString()> m_metarServerUrl;
    const CurrentAtisSource* m_current = nullptr;
    std::function<QDateTime()> m_clock = &QDateTime::currentDateTimeUtc;
    ConnectionLimits m_limits;
    int m_fetchTimeoutMs = DefaultFetchTimeoutMs;
    int m_metarKeepMs = DefaultMetarKeepMs;
    // Each airport's fetch under way, and the server's last reply for it.
    QHash<QString, MetarFetch*> m_fetches;
    struct KeptReply
    {
        QByteArray body;
        QElapsedTimer since;
    };
    QHash<QString, KeptReply> m_kept;
    HttpServer* m_http = nullptr;
    // Owned by the generator until the HTTP server, bound to it, takes it.
    QPointer<GuardedTcpServer> m_tcp;
    State m_state = State::Off;
    quint16 m_port = 0;
    QString m_error;
    QList<Served> m_recent;
};
