#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

// An HTTP/2 server over TLS on 127.0.0.1 (nghttpd, which speaks nothing
// else), serving the files of a temporary folder with the certificate in
// tests/support/tls; a missing file is answered 404.
class Http2Server
{
public:
    static QString certificateFile()
    {
        return QStringLiteral(BRIEFCAST_TEST_TLS_DIR "/localhost-cert.pem");
    }

    ~Http2Server()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

    // Starts the server; false with the reason in errorString() when it cannot.
    bool start()
    {
        for (int attempt = 0; attempt < 3; ++attempt) {
            // A port that was free a moment ago; another attempt when it was taken meanwhile.
            QTcpServer probe;
            if (!probe.listen(QHostAddress::LocalHost)) {
                m_error = probe.errorString();
                return false;
            }
            m_port = probe.serverPort();
            probe.close();
            m_process.start(QStringLiteral("nghttpd"),
                            {QStringLiteral("-a"), QStringLiteral("127.0.0.1"),
                             QStringLiteral("-d"), m_root.path(), QString::number(m_port),
                             QStringLiteral(BRIEFCAST_TEST_TLS_DIR "/localhost-key.pem"),
                             certificateFile()});
            if (!m_process.waitForStarted()) {
                m_error = QStringLiteral("nghttpd (Debian package nghttp2-server) cannot start: ") +
                          m_process.errorString();
                return false;
            }
            for (int wait = 0; wait < 300 && m_process.state() == QProcess::Running; ++wait) {
                QTcpSocket socket;
                socket.connectToHost(QHostAddress::LocalHost, m_port);
                if (socket.waitForConnected(1000))
                    return true;
                m_process.waitForFinished(100);
            }
            m_error = QString::fromLocal8Bit(m_process.readAllStandardError());
            m_process.kill();
            m_process.waitForFinished();
        }
        return false;
    }
    QString errorString() const { return m_error; }

    bool addFile(const QString& name, const QByteArray& content)
    {
        QFile file(QDir(m_root.path()).filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
    }
    QString url(const QString& path) const
    {
        return QStringLiteral("https://127.0.0.1:%1/%2").arg(m_port).arg(path);
    }

private:
    QTemporaryDir m_root;
    QProcess m_process;
    quint16 m_port = 0;
    QString m_error;
};
