#include "AutoSaveTimer.h"

#include "model/StickyHost.h"
#include "model/VemoAccount.h"
#include "shell/Settings.h"

#include <limits>

void CAutoSaveTimer::CreateWithPeriod(quint32 milliseconds)
{
    constexpr quint32 longest = std::numeric_limits<int>::max();
    Create(static_cast<int>(qMin(milliseconds, longest)));
    m_bCreated = true;
}

bool CAutoSaveTimer::Start()
{
    if (!m_bCreated)
        CreateWithPeriod(GetSettings().GetAutoSaveInterval());
    return CTimerWnd::Start();
}

void CAutoSaveTimer::SetPeriod(quint32 milliseconds)
{
    Stop();
    if (milliseconds == 0)
        return;
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
