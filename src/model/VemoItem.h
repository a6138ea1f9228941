#pragma once

#include "ReminderSpec.h"
#include "base/LogFont.h"
#include "base/Rect32.h"

#include <QString>

class CArchive;

// One thing the user has to do. Items are values: every part outside the model names an item by
// (group name, key) and works on copies.
class CVemoItem
{
public:
    enum Priority : qint32
    {
        PriorityNone = 0,
        PriorityLow = 1,
        PriorityNormal = 2,
        PriorityHigh = 3,
    };

    static constexpr quint32 DefaultStickyBack = 0x0080FFFF;
    static constexpr quint32 DefaultStickyText = 0x00000000;
    // A stored record with three empty strings: 104 fixed bytes and three one-byte prefixes.
    static constexpr int MinStoredSize = 107;

    // A new item: the sticky look from the preferences and a Do By of now.
    CVemoItem();
    CVemoItem(qint32 created, qint32 doBy, qint32 priority);
    // A blank item that reads no preferences, for records about to be loaded.
    explicit CVemoItem(Qt::Initialization);

    QString GetTitle() const { return m_strTitle; }
    QString GetMessage() const { return m_strMessage; }
    QString GetPriorityText() const;
    static QString PriorityText(qint32 priority);

    void Serialize(CArchive& ar);

    friend bool operator==(const CVemoItem&, const CVemoItem&) = default;

    qint32 m_timeCreated = 0;
    qint32 m_nPriority = PriorityNone;
    QString m_strMessage;
    QString m_strTitle;
    qint32 m_bQuickListed = 0;
    qint32 m_bHasSticky = 0;
    CRect32 m_rectSticky;
    quint32 m_crStickyBack = DefaultStickyBack;
    quint32 m_crStickyText = DefaultStickyText;
    CLogFont m_lfStickyFont;
    qint32 m_bCompleted = 0;
    CReminderSpec m_reminder;
    quint32 m_dwKey = 0;
};
