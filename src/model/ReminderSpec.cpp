#include "ReminderSpec.h"

#include "base/Archive.h"

#include <limits>

namespace
{
constexpr qint64 SecondsPerMinute = 60;
constexpr qint64 MaxLeadMinutes = std::numeric_limits<qint32>::max() / SecondsPerMinute;
} // namespace

// The stored order differs from the declaration order; files depend on this one.
void CReminderSpec::Serialize(CArchive& ar)
{
    ar.Exchange(m_timeDoBy);
    ar.Exchange(m_nLeadSeconds);
    ar.Exchange(m_bMessageBox);
    ar.Exchange(m_bSound);
    ar.Exchange(m_bEnabled);
    ar.Exchange(m_nRepeat);
    ar.Exchange(m_bMail);
}

// A negative lead is kept: the reminder then starts that long after the Do By time.
qint32 CReminderSpec::LeadSecondsFromMinutes(qint64 minutes)
{
    return static_cast<qint32>(qBound<qint64>(-MaxLeadMinutes, minutes, MaxLeadMinutes) *
                               SecondsPerMinute);
}
