#pragma once

#include <QObject>
#include <QTimer>

// A periodic callback on the GUI thread that keeps ticking while modal dialogs run; subclasses
// say what a tick does.
class CTimerWnd : public QObject
{
    Q_OBJECT

public:
    CTimerWnd();

    // Stores the period; the timer does not start until Start.
    void Create(int intervalMs);
    // False while no period has been set, so an uncreated timer never spins.
    virtual bool Start();
    virtual void Stop();
    virtual void OnTick() = 0;

    bool IsRunning() const;

private:
    QTimer m_timer;
    int m_nInterval = 0;
};
