#pragma once

#include <QObject>

class QSocketNotifier;

// Turns the signals that end a session (SIGTERM, SIGHUP, SIGINT) into a Qt signal, so the program
// closes its window and saves the account instead of dying with unsaved work.
class CQuitSignals : public QObject
{
    Q_OBJECT

public:
    explicit CQuitSignals(QObject* parent = nullptr);
    ~CQuitSignals() override;

signals:
    void QuitRequested();

private:
    void OnSignalByte();

    QSocketNotifier* m_pNotifier = nullptr;
};
