#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace
{
const QByteArray ShowRequest = "show\n";
constexpr int ConnectTimeoutMs = 2000;

// In the user's own runtime folder, where no other user can plant a lock or a socket by that name.
QString RuntimePath(const QString& name)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(name);
}
} // namespace

CSingleInstance::CSingleInstance(const QString& key, QObject* parent)
    : QObject(parent)
    , m_strServerName(RuntimePath(key + QStringLiteral(".socket")))
    , m_lock(RuntimePath(key + QStringLiteral(".lock")))
{
    connect(&m_server, &QLocalServer::newConnection, this, &CSingleInstance::AcceptConnection);
}

QString CSingleInstance::KeyFor(const QString& programFolder)
{
    const QByteArray identity = qgetenv("USER") + '\n' + programFolder.toUtf8();
    const QByteArray hash = QCryptographicHash::hash(identity, QCryptographicHash::Sha1).toHex();
    return QStringLiteral("vemo-") + QString::fromLatin1(hash.left(16));
}

bool CSingleInstance::TryBecomePrimary()
{
    m_lock.setStaleLockTime(0);
    if (!m_lock.tryLock(0))
        return false;
    // A socket left behind by a crashed instance would refuse the listen.
    QLocalServer::removeServer(m_strServerName);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    m_server.listen(m_strServerName);
    return true;
}

bool CSingleInstance::AskPrimaryToShow()
{
    QLocalSocket socket;
    socket.connectToServer(m_strServerName);
    if (!socket.waitForConnected(ConnectTimeoutMs))
        return false;
    socket.write(ShowRequest);
    return socket.waitForBytesWritten(ConnectTimeoutMs);
}

void CSingleInstance::AcceptConnection()
{
    while (QLocalSocket* socket = m_server.nextPendingConnection())
    {
        connect(socket, &QLocalSocket::readyRead, this,
                [this, socket]
                {
                    if (socket->readAll().contains('\n'))
                        emit ShowRequested();
                });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}
