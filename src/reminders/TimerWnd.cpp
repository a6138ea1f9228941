#include "TimerWnd.h"

CTimerWnd::CTimerWnd()
{
    connect(&m_timer, &QTimer::timeout, this, &CTimerWnd::OnTick);
}

void CTimerWnd::Create(int intervalMs)
{
    m_nInterval = intervalMs;
}

bool CTimerWnd::Start()
{
    Stop();
    if (m_nInterval <= 0)
        return false;
    m_timer.start(m_nInterval);
    return m_timer.isActive();
}

void CTimerWnd::Stop()
{
    m_timer.stop();
}

bool CTimerWnd::IsRunning() const
{
    return m_timer.isActive();
}
