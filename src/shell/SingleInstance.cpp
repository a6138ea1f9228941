#include "SingleInstance.h"

#include "VemoMessageBox.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace
{
const QByteArray ShowRequest = "show\n";
constexpr int ConnectTimeoutMs = 2000;

const QString AnotherInstance =
    QStringLiteral("There's another instance of Vemo running.  It is recommended (and "
                   "required) that only one instance of Vemo is running at any time.");
const QString FolderNotPrivateText = QStringLiteral(
    "Vemo could not make sure that only one instance of Vemo is running, because the folder %1 "
    "is missing or not private to you.  Set XDG_RUNTIME_DIR to a folder that only you can "
    "write to, and start Vemo again.");
const QString LockFailedText = QStringLiteral(
    "Vemo could not make sure that only one instance of Vemo is running, because it could not "
    "create its lock file in the folder %1.  Check that you may write to this folder, and start "
    "Vemo again.");
const QString UnreachableText =
    QStringLiteral("Vemo could not open its connection for later starts in the folder %1, so "
                   "starting Vemo again will not bring the running Vemo forward.");

#ifdef Q_OS_UNIX
// A link could be turned to another user's folder, and a folder that others may write to could
// hold a lock or a socket of theirs under our name.
bool IsPrivateFolder(const QString& folder)
{
    const QFileInfo info(folder);
    return !info.isSymLink() && info.isDir() && info.ownerId() == ::geteuid() &&
           !(info.permissions() & (QFile::WriteGroup | QFile::WriteOther));
}

QString FallbackFolder()
{
    const QString name = QStringLiteral("vemo-%1").arg(::geteuid());
    const QString folder = QDir(QDir::tempPath()).filePath(name);
    // Made closed to others; one that was there before is checked before use like any other.
    QDir().mkdir(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return folder;
}
#else
// Elsewhere the runtime folder is always there, and is the user's own.
bool IsPrivateFolder(const QString& folder)
{
    return QFileInfo(folder).isDir();
}

QString FallbackFolder()
{
    return QString();
}
#endif
} // namespace

CSingleInstance::CSingleInstance(const QString& key, const QString& folder, QObject* parent)
    : QObject(parent)
    , m_strFolder(folder)
    , m_strServerName(QDir(folder).filePath(key + QStringLiteral(".socket")))
    , m_lock(QDir(folder).filePath(key + QStringLiteral(".lock")))
{
    connect(&m_server, &QLocalServer::newConnection, this, &CSingleInstance::AcceptConnection);
}

QString CSingleInstance::KeyFor(const QString& programFolder)
{
    const QByteArray identity = qgetenv("USER") + '\n' + programFolder.toUtf8();
    const QByteArray hash = QCryptographicHash::hash(identity, QCryptographicHash::Sha1).toHex();
    return QStringLiteral("vemo-") + QString::fromLatin1(hash.left(16));
}

QString CSingleInstance::PrivateFolder()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? FallbackFolder() : runtime;
}

CSingleInstance::Outcome CSingleInstance::TryBecomePrimary()
{
    if (!IsPrivateFolder(m_strFolder))
        return FolderNotPrivate;
    m_lock.setStaleLockTime(0);
    if (!m_lock.tryLock(0))
        return m_lock.error() == QLockFile::LockFailedError ? OtherRunning : LockFailed;
    // We hold the lock, so a socket under our name is one a crashed instance left behind.
    QLocalServer::removeServer(m_strServerName);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    return m_server.listen(m_strServerName) ? Primary : Unreachable;
}

bool CSingleInstance::MayRun()
{
    const Outcome outcome = TryBecomePrimary();
    if (outcome != Primary)
        ShowVemoMessage(nullptr, MessageFor(outcome), IUserPrompts::Exclamation);
    if (outcome == OtherRunning)
        AskPrimaryToShow();
    return outcome == Primary || outcome == Unreachable;
}

QString CSingleInstance::MessageFor(Outcome outcome) const
{
    const QString folder = QDir::toNativeSeparators(m_strFolder);
    switch (outcome)
    {
    case OtherRunning:
        return AnotherInstance;
    case FolderNotPrivate:
        return FolderNotPrivateText.arg(folder);
    case LockFailed:
        return LockFailedText.arg(folder);
    case Unreachable:
        return UnreachableText.arg(folder);
    case Primary:
        break;
    }
    return QString();
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
