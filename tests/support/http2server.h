#pragma once

#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>

// An HTTP/2 server over TLS on 127.0.0.1 (nghttpd, which speaks nothing else), serving the
// folder tests/support/tls with the certificate there; a missing file is answered 404.
class Http2Server
{
public:
    ~Http2Server() { m_process.kill(), m_process.waitForFinished(); }
    // On a port that was free a moment ago; false when the server does not come up.
    bool start()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        m_port = QString::number(probe.serverPort());
        probe.close();
        m_process.start("nghttpd", {"-a", "127.0.0.1", "-d", BRIEFCAST_TEST_TLS_DIR, m_port,
                                    BRIEFCAST_TEST_TLS_DIR "/localhost-key.pem",
                                    BRIEFCAST_TEST_TLS_DIR "/localhost-cert.pem"});
        for (int wait = 0; wait < 300 && m_process.waitForStarted(); ++wait) {
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, m_port.toUShort());
            if (socket.waitForConnected(1000))
                return true;
            m_process.waitForFinished(100);
        }
        return false;
    }
    QString url(const QString& file) const { return "https://127.0.0.1:" + m_port + '/' + file; }

private:
    QProcess m_process;
    QString m_port;
};
