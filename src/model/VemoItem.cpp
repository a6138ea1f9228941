#include "VemoItem.h"

#include "FontEx.h"
#include "base/Archive.h"
#include "base/Clock.h"
#include "base/DefaultFont.h"
#include "base/Settings.h"

#include <array>

CVemoItem::CVemoItem()
{
    CSettings& settings = GetSettings();
    settings.GetStickyColors(m_crStickyBack, m_crStickyText);
    GetDefaultFont(m_lfStickyFont);
    settings.GetStickyFont(m_lfStickyFont);
    m_reminder.m_timeDoBy = GetClock().Now();
}

CVemoItem::CVemoItem(qint32 created, qint32 doBy, qint32 priority)
    : CVemoItem()
{
    m_timeCreated = created;
    m_reminder.m_timeDoBy = doBy;
    m_nPriority = priority;
}

CVemoItem::CVemoItem(Qt::Initialization) {}

QString CVemoItem::GetPriorityText() const
{
    return PriorityText(m_nPriority);
}

QString CVemoItem::PriorityText(qint32 priority)
{
    static const std::array<QString, 4> texts = {QStringLiteral("None"), QStringLiteral("Low"),
                                                 QStringLiteral("Normal"), QStringLiteral("High")};
    if (priority < PriorityNone || priority > PriorityHigh)
        return QStringLiteral("Unknown");
    return texts[priority];
}

void CVemoItem::Serialize(CArchive& ar)
{
    ar.Exchange(m_dwKey);
    ar.Exchange(m_timeCreated);
    ar.Exchange(m_nPriority);
    ar.Exchange(m_strTitle);
    ar.Exchange(m_strMessage);
    ar.Exchange(m_bQuickListed);
    ar.Exchange(m_bHasSticky);
    ar.Exchange(m_rectSticky.left);
    ar.Exchange(m_rectSticky.top);
    ar.Exchange(m_rectSticky.right);
    ar.Exchange(m_rectSticky.bottom);
    ar.Exchange(m_crStickyBack);
    ar.Exchange(m_crStickyText);
    CFontEx(m_lfStickyFont).Serialize(ar);
    ar.Exchange(m_bCompleted);
    m_reminder.Serialize(ar);
}
