#pragma once

#include <QtGlobal>

class CArchive;

// How and when one item reminds the user; its Do By time is the item's own, reminder on or off.
class CReminderSpec
{
public:
    enum Repeat : qint32
    {
        RepeatNone = 0,
        RepeatDay = 1,
        RepeatWeek = 2,
        RepeatMonth = 3,
        RepeatYear = 4,
    };

    // The Do By time is left at 0 here; an item sets it to the time it is made.
    void Serialize(CArchive& ar);

    // A lead that fits the stored 32-bit seconds; larger requests are clamped.
    static qint32 LeadSecondsFromMinutes(qint64 minutes);

    friend bool operator==(const CReminderSpec&, const CReminderSpec&) = default;

    qint32 m_bMessageBox = 1;
    qint32 m_bSound = 0;
    qint32 m_bMail = 0;
    qint32 m_bEnabled = 0;
    qint32 m_timeDoBy = 0;
    qint32 m_nLeadSeconds = 0;
    qint32 m_nRepeat = RepeatNone;
};
