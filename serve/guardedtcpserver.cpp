#include "serve/guardedtcpserver.h"

#include "serve/generatorreply.h"
#include "serve/generatortexts.h"
#include "serve/requesthead.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>

// One connection: its request head, read before the HTTP server sees it,
// what it sends after, and its clock.
class GuardedConnection : public QObject
{
public:
    GuardedConnection(GuardedTcpServer& server, QTcpSocket* socket, const ConnectionLimits& limits)
        : QObject(socket), m_server(server), m_socket(socket), m_limits(limits)
    {
        m_deadline.setSingleShot(true);
        connect(&m_deadline, &QTimer::timeout, socket, &QTcpSocket::abort);
        m_deadline.start(limits.idleTimeoutMs);
        connect(socket, &QTcpSocket::readyRead, this, &GuardedConnection::readHead);
        // Until the HTTP server has it, the connection is ours to end.
        connect(socket, &QTcpSocket::disconnected, this, [this] {
            if (!m_handedOver)
                m_socket->deleteLater();
        });
    }

    // Takes the head line by line as it arrives, up to its blank line.
    void readHead()
    {
        while (m_socket->canReadLine()) {
            const QByteArray line = m_socket->readLine();
            const bool blank = line == "\r\n" || line == "\n";
            // Line ends before the request line are skipped, as Qt does.
            if (blank && m_head.isEmpty())
                continue;
            m_head += line;
            if (m_head.size() > m_limits.maxRequestBytes)
                break;
            if (blank)
                return examine();
        }
        if (m_head.size() + m_socket->bytesAvailable() > m_limits.maxRequestBytes)
            refuse({431, GeneratorTexts::RequestTooLarge});
    }

    // Before the HTTP server reads: counts what arrived since it last did.
    void beforeParsing() { m_received += m_socket->bytesAvailable() - m_leftOver; }

    // After it read: a request still not whole at the limit is refused; a
    // connection that goes on sending after its request is dropped.
    void afterParsing()
    {
        m_leftOver = m_socket->bytesAvailable();
        if (m_received <= m_limits.maxRequestBytes ||
            m_socket->state() != QTcpSocket::ConnectedState)
            return;
        if (m_taken) {
            m_socket->abort();
            return;
        }
        refuse({431, GeneratorTexts::RequestTooLarge});
    }

    // Answers without the HTTP server, which reads no more from the
    // connection, and closes it once the answer is out.
    void refuse(const Refusal& refusal)
    {
        QObject::disconnect(m_socket, &QTcpSocket::readyRead, nullptr, nullptr);
        if (m_socket->isTransactionStarted())
            m_socket->commitTransaction();
        m_socket->readAll();
        m_socket->write(AnswerBytes(RefusalReply(refusal)));
        m_taken = true;
        answered();
    }

    bool take()
    {
        if (m_taken)
            return false;
        m_taken = true;
        m_deadline.stop();
        // QAbstractSocket closes the connection as soon as it reads the
        // caller's end of sending, though the caller still waits for its
        // answer (some callers end their sending once the request is out).
        // It reads nothing while its read buffer is full: one byte put back
        // stands for the request taken, and the buffer holds no more.
        m_socket->ungetChar('\n');
        m_socket->setReadBufferSize(m_socket->bytesAvailable());
        return true;
    }

    void answered()
    {
        m_deadline.start(m_limits.idleTimeoutMs);
        m_socket->disconnectFromHost();
    }

private:
    void examine()
    {
        const auto examined = ExamineRequestHead(
            m_head, {m_limits.maxTargetBytes, m_limits.maxHeaderFields, m_server.serverPort()});
        if (const Refusal* refusal = std::get_if<Refusal>(&examined))
            return refuse(*refusal);
        QObject::disconnect(m_socket, &QTcpSocket::readyRead, this, &GuardedConnection::readHead);
        // Counted as sent, whatever the encoding of the blanks adds.
        m_received = m_head.size() + m_socket->bytesAvailable();
        const QByteArray& head = std::get<QByteArray>(examined);
        for (auto c = head.crbegin(); c != head.crend(); ++c)
            m_socket->ungetChar(*c);
        m_leftOver = m_socket->bytesAvailable();
        m_handedOver = true;
        m_server.handOver(m_socket, this);
    }

    GuardedTcpServer& m_server;
    QTcpSocket* m_socket;
    const ConnectionLimits m_limits;
    QTimer m_deadline;
    QByteArray m_head;
    qint64 m_received = 0;
    qint64 m_leftOver = 0;
    bool m_handedOver = false;
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

void GuardedTcpServer::incomingConnection(qintptr descriptor)
{
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    auto* connection = new GuardedConnection(*this, socket, m_limits);
    // Never counted: answered at once and closed.
    if (m_connections.size() >= m_limits.maxConnections)
        return connection->refuse({503, GeneratorTexts::TooManyConnections});
    m_connections.insert(socket, connection);
    connect(socket, &QObject::destroyed, this, [this, socket] { m_connections.remove(socket); });
    // Memory stays bounded whatever the counting: the socket reads no more
    // from the system once it holds this much.
    socket->setReadBufferSize(m_limits.maxRequestBytes);
}

void GuardedTcpServer::handOver(QTcpSocket* socket, GuardedConnection* connection)
{
    Q_EMIT aboutToHandOver();
    connect(socket, &QTcpSocket::readyRead, connection, &GuardedConnection::beforeParsing);
    // The HTTP server connects its own reading here, after ours.
    addPendingConnection(socket);
    connect(socket, &QTcpSocket::readyRead, connection, &GuardedConnection::afterParsing);
    // What it reads is in the socket already.
    Q_EMIT socket->readyRead();
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
