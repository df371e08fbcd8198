#include "serve/guardedtcpserver.h"

#include "serve/generatortexts.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

// What one connection has sent, and its clock.
class GuardedConnection : public QObject
{
public:
    GuardedConnection(QTcpSocket* socket, const ConnectionLimits& limits)
        : QObject(socket), m_socket(socket), m_limits(limits)
    {
        m_deadline.setSingleShot(true);
        connect(&m_deadline, &QTimer::timeout, socket, &QTcpSocket::abort);
        m_deadline.start(limits.idleTimeoutMs);
    }

    // Before the HTTP server reads: counts what arrived since it last did.
    void beforeParsing() { m_received += m_socket->bytesAvailable() - m_leftOver; }

    // After it read: a request still not whole at the limit is refused; a
    // connection that goes on sending after its request is dropped.
    void afterParsing()
    {
        m_leftOver = m_socket->bytesAvailable();
        if (m_received < m_limits.maxRequestBytes ||
            m_socket->state() != QTcpSocket::ConnectedState)
            return;
        if (m_taken) {
            m_socket->abort();
            return;
        }
        refuse(GuardedTcpServer::rawRefusal(431, "Request Header Fields Too Large",
                                            GeneratorTexts::RequestTooLarge));
    }

    // Answers without the HTTP server, which reads no more from the
    // connection; what still arrives is read and dropped, so that the
    // client gets the answer rather than a reset.
    void refuse(const QByteArray& answer)
    {
        QObject::disconnect(m_socket, &QTcpSocket::readyRead, nullptr, nullptr);
        if (m_socket->isTransactionStarted())
            m_socket->commitTransaction();
        m_socket->readAll();
        connect(m_socket, &QTcpSocket::readyRead, this, [this] { m_socket->readAll(); });
        m_socket->write(answer);
        m_taken = true;
        m_deadline.start(m_limits.idleTimeoutMs);
    }

    bool take()
    {
        if (m_taken)
            return false;
        m_taken = true;
        m_deadline.stop();
        return true;
    }

    void answered()
    {
        m_deadline.start(m_limits.idleTimeoutMs);
        m_socket->disconnectFromHost();
    }

private:
    QTcpSocket* m_socket;
    const ConnectionLimits m_limits;
    QTimer m_deadline;
    qint64 m_received = 0;
    qint64 m_leftOver = 0;
    bool m_taken = false;
};

GuardedTcpServer::GuardedTcpServer(const ConnectionLimits& limits, QObject* parent)
    : QTcpServer(parent), m_limits(limits)
{
}

bool GuardedTcpServer::listenOnLoopback(quint16 port)
{
    return listen(QHostAddress::LocalHost, port);
}

QByteArray GuardedTcpServer::rawRefusal(int status, const QByteArray& statusText,
                                        const QString& reason)
{
    const QByteArray body = reason.toUtf8();
    return "HTTP/1.1 " + QByteArray::number(status) + ' ' + statusText +
           "\r\nContent-Type: text/plain; charset=utf-8\r\nContent-Length: " +
           QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

void GuardedTcpServer::incomingConnection(qintptr descriptor)
{
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    auto* connection = new GuardedConnection(socket, m_limits);
    if (m_connections.size() >= m_limits.maxConnections) {
        // Never handed to the HTTP server: ends here.
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        socket->write(rawRefusal(503, "Service Unavailable", GeneratorTexts::TooManyConnections));
        socket->disconnectFromHost();
        return;
    }
    m_connections.insert(socket, connection);
    connect(socket, &QObject::destroyed, this, [this, socket] { m_connections.remove(socket); });
    // Memory stays bounded whatever the counting below: the socket reads no
    // more from the system once it holds this much.
    socket->setReadBufferSize(m_limits.maxRequestBytes);
    connect(socket, &QTcpSocket::readyRead, connection, &GuardedConnection::beforeParsing);
    // The HTTP server connects its own reading here, after ours.
    addPendingConnection(socket);
    connect(socket, &QTcpSocket::readyRead, connection, &GuardedConnection::afterParsing);
}

bool GuardedTcpServer::takeRequest(QTcpSocket* socket)
{
    GuardedConnection* connection = m_connections.value(socket);
    return connection && connection->take();
}

void GuardedTcpServer::answered(QTcpSocket* socket)
{
    if (GuardedConnection* connection = m_connections.value(socket))
        connection->answered();
}
