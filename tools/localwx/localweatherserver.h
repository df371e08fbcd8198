#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QTcpServer>

class QTcpSocket;

// A small weather server on the loopback interface: the network's status
// file at /status.txt, whose metar0= line names this server's /metar.php,
// its JSON form at /status.json, naming the same server and the live data
// feed at /v3/vatsim-data.json, and /metar.php?id=CODE answering the METAR
// stored for CODE or the network's no-METAR wording. Faults can be switched on for practising and
// for tests. Every reply closes its connection.
class LocalWeatherServer : public QObject
{
    Q_OBJECT
public:
    struct Faults
    {
        int delayMs = 0;           // wait this long before answering
        QByteArray delayOnly;      // when set, only requests whose target holds it wait
        int status = 0;            // answer with this HTTP status instead (0: normal)
        QByteArray reason;         // its reason phrase
        bool closeMidBody = false; // send half the body, then hang up
        qint64 oversizeBytes = 0;  // answer with a body of this many bytes
        bool omitLength = false;   // no Content-Length: the body ends with the connection
        int redirects = 0;         // send this many redirects before the answer
        QByteArray redirectTo;     // redirect every request to this address
        bool chunked = false;      // send the body in two chunks instead of with a length
        bool endMidBody = false;   // send half the body (its first chunk), then close cleanly
        bool deflate = false;      // send the body compressed, as Content-Encoding: deflate
    };

    // Which status forms are served, and how.
    struct StatusForms
    {
        bool text = true;        // /status.txt
        bool json = true;        // /status.json
        bool brokenJson = false; // /status.json answers with text that is not JSON
        bool movedText = false;  // /status.txt only names /moved/status.txt with moveto0=
    };

    explicit LocalWeatherServer(QObject* parent = nullptr);

    // Listens on 127.0.0.1; port 0 picks a free one.
    bool listen(quint16 port = 0);
    quint16 port() const { return m_server.serverPort(); }
    QString errorString() const { return m_server.errorString(); }
    QString baseUrl() const;
    QString statusUrl() const { return baseUrl() + QStringLiteral("/status.txt"); }
    QString metarUrl() const { return baseUrl() + QStringLiteral("/metar.php"); }
    QString jsonStatusUrl() const { return baseUrl() + QStringLiteral("/status.json"); }
    QString dataFeedUrl() const { return baseUrl() + QStringLiteral("/v3/vatsim-data.json"); }

    // Reads lines "CODE rest of the report"; the first word is the code.
    // Returns false when the file cannot be read.
    bool loadMetars(const QString& path);
    void setMetar(const QString& code, const QByteArray& reply) { m_metars.insert(code, reply); }
    void clearMetars() { m_metars.clear(); }
    // Replaces the generated status file.
    void setStatusBody(const QByteArray& body)
    {
        m_statusBody = body;
        m_customStatus = true;
    }

    // Gives every METAR the observation time of this moment (UTC), so that
    // sample reports look current.
    void restampMetars(const QDateTime& now);

    // The live data feed: an ATIS station online with its letter, e.g.
    // KBOS_ATIS and D. The feed is padded with other stations' records to
    // at least paddingBytes, as large as the network's own.
    void setOnlineAtis(const QString& callsign, const QString& code);
    void clearOnlineAtis()
    {
        m_onlineAtis.clear();
        m_feed.clear();
    }
    void setFeedPadding(qint64 bytes)
    {
        m_feedPadding = bytes;
        m_feed.clear();
    }

    StatusForms statusForms;
    Faults faults;
    int requestCount() const { return m_requests; }
    QByteArray lastTarget() const { return m_lastTarget; }

    // The no-METAR wording for a code, as the network sends it.
    static QByteArray noMetarReply(const QString& code);

Q_SIGNALS:
    // A request has arrived, before any delay the faults ask for.
    void requestReceived(const QByteArray& target);

private:
    void onNewConnection();
    void onReadyRead(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const QByteArray& target);
    // The status forms and the data feed; false for any other path.
    bool answerNetwork(QTcpSocket* socket, const QString& path);
    QByteArray textStatus() const;
    QByteArray feed();
    void send(QTcpSocket* socket, int status, const QByteArray& reason, const QByteArray& body,
              const QByteArray& extraHeaders = {});

    QTcpServer m_server;
    QHash<QString, QByteArray> m_metars;
    QByteArray m_statusBody;
    bool m_customStatus = false;
    QList<QPair<QString, QString>> m_onlineAtis;
    qint64 m_feedPadding = 0;
    QByteArray m_feed;
    int m_requests = 0;
    QByteArray m_lastTarget;
};
