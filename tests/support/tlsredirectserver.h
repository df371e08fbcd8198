#pragma once

#include <QFile>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>

// An https server on 127.0.0.1 with the certificate of tests/support/tls that
// answers every request with "302 Found" and the Location it was given.
class TlsRedirectServer
{
public:
    explicit TlsRedirectServer(const QByteArray& location)
    {
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.setLocalCertificate(
            QSslCertificate::fromPath(BRIEFCAST_TEST_TLS_DIR "/localhost-cert.pem").value(0));
        QFile key(BRIEFCAST_TEST_TLS_DIR "/localhost-key.pem");
        key.open(QIODevice::ReadOnly);
        tls.setPrivateKey(QSslKey(&key, QSsl::Ec));
        m_server.setSslConfiguration(tls);
        QObject::connect(&m_server, &QTcpServer::pendingConnectionAvailable, &m_server, [=, this] {
            QTcpSocket* socket = m_server.nextPendingConnection();
            QObject::connect(socket, &QIODevice::readyRead, socket, [=, this] {
                if (socket->readAll().endsWith("\r\n\r\n")) { // the whole request head
                    ++m_requests;
                    socket->write("HTTP/1.1 302 Found\r\nLocation: " + location +
                                  "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
                    socket->disconnectFromHost();
                }
            });
        });
    }
    bool listen() { return m_server.listen(QHostAddress::LocalHost); }
    QString url() const { return "https://127.0.0.1:" + QString::number(m_server.serverPort()); }
    int requestCount() const { return m_requests; }

private:
    QSslServer m_server;
    int m_requests = 0;
};
