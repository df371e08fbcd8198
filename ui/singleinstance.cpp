#include "ui/singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLockFile>

namespace {
const QByteArray ShowRequest = QByteArrayLiteral("show\n");
const QByteArray Shown = QByteArrayLiteral("shown\n");
// How long a second start waits for the running program's answer; it is
// idle in its event loop, or in one of its message boxes', and answers at once.
constexpr int AnswerWaitMs = 10'000;

// The socket's name: the settings file's path and the user's home, hashed; on
// Unix in the user's runtime folder where there is one.
QString socketName(const QString& settingsFile)
{
    const QByteArray key =
        (QFileInfo(settingsFile).absoluteFilePath() + u'\n' + QDir::homePath()).toUtf8();
    const QString name =
        QStringLiteral("briefcast-") +
        QString::fromLatin1(
            QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(24));
#ifdef Q_OS_UNIX
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::tempPath();
    return QDir(folder).filePath(name);
#else
    return name;
#endif
}
} // namespace

SingleInstance::SingleInstance(const QString& settingsFile, QObject* parent)
    : QObject(parent), m_name(socketName(settingsFile))
{
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { answer(socket); });
        }
    });
}

SingleInstance::Start SingleInstance::start()
{
    // Two starts at the same moment take turns: the second one finds the
    // first listening. The lock of a program that crashed is taken over.
    QLockFile turn(m_name + QStringLiteral(".lock"));
    turn.tryLock(AnswerWaitMs);
    QLocalSocket running;
    running.connectToServer(m_name);
    if (running.waitForConnected(AnswerWaitMs)) {
        running.write(ShowRequest);
        while (running.bytesAvailable() < Shown.size() && running.waitForReadyRead(AnswerWaitMs))
            ;
        return running.readAll() == Shown ? Start::HandedOver : Start::NotAnswering;
    }
    // Nobody listens: what is left is a crashed program's socket.
    QLocalServer::removeServer(m_name);
    if (!m_server.listen(m_name))
        qWarning("Later starts cannot find this one: %s", qPrintable(m_server.errorString()));
    return Start::First;
}

void SingleInstance::answer(QLocalSocket* socket)
{
    if (!socket->canReadLine())
        return;
    if (socket->readLine() == ShowRequest) {
        Q_EMIT showRequested();
        socket->write(Shown);
    }
    socket->disconnectFromServer();
}
