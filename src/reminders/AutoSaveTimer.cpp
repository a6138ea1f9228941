#include "AutoSaveTimer.h"

#include "base/Settings.h"
#include "model/StickyHost.h"
#include "model/VemoAccount.h"

void CAutoSaveTimer::CreateWithPeriod(qint32 milliseconds)
{
    Create(milliseconds);
    m_bCreated = true;
}

bool CAutoSaveTimer::Start()
{
    if (!m_bCreated)
        CreateWithPeriod(static_cast<qint32>(GetSettings().GetAutoSaveInterval()));
    return CTimerWnd::Start();
}

// The base refuses a period that is not above 0, and stops the timer first.
void CAutoSaveTimer::SetPeriod(qint32 milliseconds)
{
    CreateWithPeriod(milliseconds);
    Start();
}

void CAutoSaveTimer::OnTick()
{
    if (!g_pAccount || !g_pAccount->IsOpen())
        return;
    g_pAccount->GetPorts().m_pStickies->SaveStickyTexts();
    g_pAccount->SaveAccount();
}
