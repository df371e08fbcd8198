#include "tools/localwx/localweatherserver.h"

#include <QFile>
#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>

namespace {
// A request head larger than this is not one of ours: hang up.
constexpr qsizetype MaxHeadBytes = 16 * 1024;
const QByteArray HopPrefix = QByteArrayLiteral("/hop/");
} // namespace

LocalWeatherServer::LocalWeatherServer(QObject* parent) : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &LocalWeatherServer::onNewConnection);
}

bool LocalWeatherServer::listen(quint16 port)
{
    return m_server.listen(QHostAddress::LocalHost, port);
}

QString LocalWeatherServer::baseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(port());
}

bool LocalWeatherServer::loadMetars(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        const qsizetype space = line.indexOf(' ');
        if (line.isEmpty() || line.startsWith('#') || space <= 0)
            continue;
        m_metars.insert(QString::fromUtf8(line.left(space)), line + "\r\n");
    }
    return true;
}

QByteArray LocalWeatherServer::noMetarReply(const QString& code)
{
    return "No METAR available for " + code.toUtf8() + "\r\n";
}

void LocalWeatherServer::onNewConnection()
{
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void LocalWeatherServer::onReadyRead(QTcpSocket* socket)
{
    // The head may arrive in pieces: keep what came until the blank line.
    QByteArray head = socket->property("head").toByteArray() + socket->readAll();
    if (socket->property("answered").toBool())
        return;
    const qsizetype end = head.indexOf("\r\n\r\n");
    if (end < 0) {
        if (head.size() > MaxHeadBytes)
            socket->abort();
        else
            socket->setProperty("head", head);
        return;
    }
    socket->setProperty("answered", true);
    const QList<QByteArray> requestLine = head.left(head.indexOf("\r\n")).split(' ');
    if (requestLine.size() != 3 || requestLine.at(0) != "GET") {
        send(socket, 400, "Bad Request", {});
        return;
    }
    ++m_requests;
    m_lastTarget = requestLine.at(1);
    const QByteArray target = m_lastTarget;
    Q_EMIT requestReceived(target);
    if (faults.delayMs > 0 && target.contains(faults.delayOnly)) {
        QTimer::singleShot(faults.delayMs, socket,
                           [this, socket, target] { answer(socket, target); });
        return;
    }
    answer(socket, target);
}

void LocalWeatherServer::answer(QTcpSocket* socket, const QByteArray& target)
{
    if (!faults.redirectTo.isEmpty()) {
        send(socket, 302, "Found", {}, "Location: " + faults.redirectTo + "\r\n");
        return;
    }
    // A chain of redirects: /x becomes /hop/N-1/x, ..., /hop/0/x, which is served.
    // The hops take each redirect status in turn.
    const auto redirect = [&](int hop, const QByteArray& path) {
        static const std::pair<int, QByteArray> statuses[] = {{301, "Moved Permanently"},
                                                              {302, "Found"},
                                                              {303, "See Other"},
                                                              {307, "Temporary Redirect"},
                                                              {308, "Permanent Redirect"}};
        const auto& [status, reason] = statuses[hop % std::size(statuses)];
        send(socket, status, reason, {},
             "Location: " + HopPrefix + QByteArray::number(hop) + path + "\r\n");
    };
    QByteArray path = target;
    if (path.startsWith(HopPrefix)) {
        const qsizetype slash = path.indexOf('/', HopPrefix.size());
        const int left = path.mid(HopPrefix.size(), slash - HopPrefix.size()).toInt();
        path = slash < 0 ? QByteArray("/") : path.mid(slash);
        if (left > 0)
            return redirect(left - 1, path);
    } else if (faults.redirects > 0) {
        return redirect(faults.redirects - 1, path);
    }
    if (faults.status != 0) {
        send(socket, faults.status, faults.reason, faults.reason + "\r\n");
        return;
    }
    if (faults.oversizeBytes > 0) {
        send(socket, 200, "OK", QByteArray(faults.oversizeBytes, 'A'));
        return;
    }
    const QUrl url(QString::fromUtf8(path));
    if (answerNetwork(socket, url.path()))
        return;
    if (url.path() == QLatin1String("/metar.php")) {
        const QString code =
            QUrlQuery(url).queryItemValue(QStringLiteral("id"), QUrl::FullyDecoded);
        send(socket, 200, "OK", m_metars.value(code, noMetarReply(code)));
        return;
    }
    send(socket, 404, "Not Found", "Not Found\r\n");
}

QByteArray LocalWeatherServer::textStatus() const
{
    return m_customStatus ? m_statusBody
                          : "; local weather server\r\nurl0=" + baseUrl().toUtf8() +
                                "/data.json\r\nmetar0=" + metarUrl().toUtf8() + "\r\n";
}

bool LocalWeatherServer::answerNetwork(QTcpSocket* socket, const QString& path)
{
    if (path == QLatin1String("/status.txt") && statusForms.text) {
        if (statusForms.movedText)
            send(socket, 200, "OK",
                 "; moved\r\nmoveto0=" + baseUrl().toUtf8() + "/moved/status.txt\r\n");
        else
            send(socket, 200, "OK", textStatus());
    } else if (path == QLatin1String("/moved/status.txt") && statusForms.text) {
        send(socket, 200, "OK", textStatus());
    } else if (path == QLatin1String("/status.json") && statusForms.json) {
        const QJsonObject status{{"metar", QJsonArray{metarUrl()}},
                                 {"data", QJsonObject{{"v3", QJsonArray{dataFeedUrl()}}}}};
        send(socket, 200, "OK",
             statusForms.brokenJson ? QByteArray("<html>Service Unavailable</html>\r\n")
                                    : QJsonDocument(status).toJson());
    } else if (path == QLatin1String("/v3/vatsim-data.json")) {
        send(socket, 200, "OK", feed());
    } else {
        return false;
    }
    return true;
}

void LocalWeatherServer::setOnlineAtis(const QString& callsign, const QString& code)
{
    m_onlineAtis.append({callsign, code});
    m_feed.clear();
}

QByteArray LocalWeatherServer::feed()
{
    if (!m_feed.isEmpty())
        return m_feed;
    QJsonArray atis;
    int cid = 1000000;
    for (const auto& [callsign, code] : m_onlineAtis)
        atis.append(QJsonObject{{"cid", ++cid},
                                {"callsign", callsign},
                                {"frequency", "135.000"},
                                {"atis_code", code},
                                {"text_atis", QJsonArray{callsign + " information " + code}}});
    QJsonArray pilots;
    qint64 size = 0;
    while (size < m_feedPadding) {
        const QJsonObject pilot{
            {"cid", ++cid},
            {"callsign", QStringLiteral("BCS%1").arg(cid)},
            {"latitude", 47.45},
            {"longitude", -122.31},
            {"altitude", 35000},
            {"flight_plan", QJsonObject{{"departure", "KSEA"},
                                        {"arrival", "KBOS"},
                                        {"route", "SUMMA1 SEA J70 LKT J82 BOS"}}}};
        pilots.append(pilot);
        size += 200;
    }
    const QJsonObject document{
        {"general",
         QJsonObject{{"version", 3},
                     {"update_timestamp", QDateTime::currentDateTimeUtc().toString(Qt::ISODate)}}},
        {"pilots", pilots},
        {"controllers", QJsonArray{}},
        {"atis", atis}};
    m_feed = QJsonDocument(document).toJson(QJsonDocument::Compact);
    return m_feed;
}

void LocalWeatherServer::restampMetars(const QDateTime& now)
{
    const QByteArray stamp = now.toUTC().toString(QStringLiteral("ddhhmm")).toLatin1() + 'Z';
    for (QByteArray& reply : m_metars) {
        const qsizetype space = reply.indexOf(' ');
        if (space > 0 && reply.size() >= space + 8 && reply.at(space + 7) == 'Z')
            reply.replace(space + 1, 7, stamp);
    }
}

void LocalWeatherServer::send(QTcpSocket* socket, int status, const QByteArray& reason,
                              const QByteArray& body, const QByteArray& extraHeaders)
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason + "\r\n" +
                      "Content-Type: text/plain; charset=utf-8\r\nConnection: close\r\n" +
                      extraHeaders;
    // qCompress gives a zlib stream behind four bytes of length: HTTP's deflate.
    const QByteArray payload = faults.deflate ? qCompress(body).mid(4) : body;
    if (faults.deflate)
        head += "Content-Encoding: deflate\r\n";
    if (faults.chunked)
        head += "Transfer-Encoding: chunked\r\n";
    else if (!faults.omitLength)
        head += "Content-Length: " + QByteArray::number(payload.size()) + "\r\n";
    socket->write(head + "\r\n");
    const QByteArray firstHalf = payload.left(payload.size() / 2);
    if (faults.closeMidBody) {
        socket->write(firstHalf);
        socket->flush();
        socket->abort();
        return;
    }
    if (faults.chunked) {
        // An empty chunk would be the last one.
        const auto chunk = [](const QByteArray& data) {
            return data.isEmpty() ? QByteArray()
                                  : QByteArray::number(data.size(), 16) + "\r\n" + data + "\r\n";
        };
        socket->write(chunk(firstHalf));
        if (!faults.endMidBody)
            socket->write(chunk(payload.mid(firstHalf.size())) + "0\r\n\r\n");
    } else {
        socket->write(faults.endMidBody ? firstHalf : payload);
    }
    socket->disconnectFromHost();
}
