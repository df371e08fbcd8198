#pragma once

#include <QByteArray>
#include <QHash>
#include <QTcpServer>

class GuardedConnection;
class QTcpSocket;

// The bounds every connection to the generator is kept within. The HTTP
// server of Qt 6.4 bounds none of them itself: it buffers a request of any
// size and keeps a silent connection open for ever.
struct ConnectionLimits
{
    int maxConnections = 16;
    // Everything a connection may send: request line, headers and body.
    qint64 maxRequestBytes = 16 * 1024;
    // The part of it the request target may take, as sent.
    qint64 maxTargetBytes = 8 * 1024;
    int maxHeaderFields = 100;
    // A connection whose request is not complete this long after it
    // opened (or whose answer has not gone out this long after it was
    // written) is closed.
    int idleTimeoutMs = 5000;
};

// The TCP side of the generator: listens on 127.0.0.1 only, reads each
// connection's request head and hands the connection to the HTTP server only
// once the head is whole and in a form it parses, answering every other
// request itself; then watches what the connection sends. One request per
// connection: the answer closes it.
class GuardedTcpServer : public QTcpServer
{
    Q_OBJECT
public:
    explicit GuardedTcpServer(const ConnectionLimits& limits, QObject* parent = nullptr);

    bool listenOnLoopback(quint16 port);
    // The HTTP server took the connection's request: its time limit stops
    // while the answer is made. False when it had taken one already (a
    // second request sent before the first was answered is not answered).
    bool takeRequest(QTcpSocket* socket);
    // The answer is written: the connection closes once it has gone out.
    void answered(QTcpSocket* socket);
    int openConnections() const { return int(m_connections.size()); }

Q_SIGNALS:
    // A request is about to be handed to the HTTP server, which must be
    // listening for it by then.
    void aboutToHandOver();

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    friend class GuardedConnection;
    // The connection's head is back in the socket, in the form the HTTP
    // server parses: it reads the request from there.
    void handOver(QTcpSocket* socket, GuardedConnection* connection);

    ConnectionLimits m_limits;
    // The connections handed to the HTTP server, while they last.
    QHash<QTcpSocket*, GuardedConnection*> m_connections;
};
