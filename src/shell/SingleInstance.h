#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

// Keeps one running instance per user. A lock file decides who runs, so two starts at the same
// moment cannot both win; the winner listens on a local socket for later starts that ask it to
// show its window.
class CSingleInstance : public QObject
{
    Q_OBJECT

public:
    // The key names the instance; the same key means the same lock and the same socket.
    explicit CSingleInstance(const QString& key, QObject* parent = nullptr);

    // True when this process is the one instance, and then listens for the others.
    bool TryBecomePrimary();
    // Asks the running instance to show its window; false when it cannot be reached.
    bool AskPrimaryToShow();

    // The key of the running user's instance for the given data folder.
    static QString KeyFor(const QString& programFolder);

signals:
    void ShowRequested();

private:
    void AcceptConnection();

    QString m_strServerName;
    QLockFile m_lock;
    QLocalServer m_server;
};
