#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

// Keeps one running instance per user. A lock file decides who runs, so two starts at the same
// moment cannot both win; the winner listens on a local socket for later starts that ask it to
// show its window. Both live in a folder that only the user can write to, so another user can
// neither block the start nor hear the requests.
class CSingleInstance : public QObject
{
    Q_OBJECT

public:
    enum Outcome
    {
        Primary,
        // This process runs, but later starts cannot ask it to show its window.
        Unreachable,
        OtherRunning,
        // Without a private folder or a lock file there is no telling whether another runs.
        FolderNotPrivate,
        LockFailed,
    };

    // The key names the instance; the same key in the same folder means the same lock and socket.
    explicit CSingleInstance(const QString& key, const QString& folder = PrivateFolder(),
                             QObject* parent = nullptr);

    Outcome TryBecomePrimary();
    // Start-up's check: false when this process must end. The user has been told why, or why
    // later starts will not reach this one, and a running instance has been asked to show itself.
    bool MayRun();
    // Asks the running instance to show its window; false when it cannot be reached.
    bool AskPrimaryToShow();

    // The key of the running user's instance for the given data folder.
    static QString KeyFor(const QString& programFolder);
    // The user's runtime folder or, when there is none, one of the user's own in the temporary
    // folder, made for the purpose.
    static QString PrivateFolder();

signals:
    void ShowRequested();

private:
    QString MessageFor(Outcome outcome) const;
    void AcceptConnection();

    QString m_strFolder;
    QString m_strServerName;
    QLockFile m_lock;
    QLocalServer m_server;
};
