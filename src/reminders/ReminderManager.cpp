#include "ReminderManager.h"

#include "ReminderAnnouncer.h"
#include "ReminderOwner.h"
#include "model/Clock.h"
#include "model/GroupName.h"
#include "model/LocalTime.h"

#include <algorithm>

void CReminderManager::Create(IReminderOwner* owner, IReminderAnnouncer* announcer)
{
    CTimerWnd::Create(TickInterval);
    m_pOwner = owner;
    m_pAnnouncer = announcer;
}

bool CReminderManager::AddReminder(const QString& group, quint32 key, const CReminderSpec& spec)
{
    if (FindReminder(group, key) >= 0)
        return false;
    m_entries.append({group, key, spec, ++m_nLastSerial, 0});
    if (m_entries.size() == 1)
        Start();
    OnTick();
    return true;
}

bool CReminderManager::RemoveReminder(const QString& group, quint32 key)
{
    const qsizetype index = FindReminder(group, key);
    if (index < 0)
        return false;
    m_entries.removeAt(index);
    m_entries.squeeze();
    if (m_entries.isEmpty())
        Stop();
    return true;
}

bool CReminderManager::UpdateReminder(const QString& group, quint32 key, const CReminderSpec& spec)
{
    const qsizetype index = FindReminder(group, key);
    if (index < 0)
        return false;
    m_entries[index].m_reminder = spec;
    return true;
}

bool CReminderManager::GetReminder(const QString& group, quint32 key, CReminderSpec& spec) const
{
    const qsizetype index = FindReminder(group, key);
    if (index < 0)
        return false;
    spec = m_entries[index].m_reminder;
    return true;
}

qsizetype CReminderManager::FindReminder(const QString& group, quint32 key) const
{
    for (qsizetype i = 0; i < m_entries.size(); ++i)
    {
        if (m_entries[i].m_dwKey == key && SameGroupName(m_entries[i].m_strGroup, group))
            return i;
    }
    return -1;
}

qsizetype CReminderManager::GetCount() const
{
    return m_entries.size();
}

void CReminderManager::RemoveAll()
{
    m_entries.clear();
    Stop();
}

bool CReminderManager::RenameGroup(const QString& oldName, const QString& newName)
{
    if (!SameGroupName(oldName, newName) && HasGroup(newName))
        return false;
    for (ReminderEntry& entry : m_entries)
    {
        if (SameGroupName(entry.m_strGroup, oldName))
            entry.m_strGroup = newName;
    }
    return true;
}

bool CReminderManager::HasGroup(const QString& group) const
{
    return std::any_of(m_entries.cbegin(), m_entries.cend(),
                       [&](const ReminderEntry& entry)
                       { return SameGroupName(entry.m_strGroup, group); });
}

// Firing lets the owner remove entries and the modal alert run nested passes, so the pass walks
// the entries it started with and looks each one up again. An entry fired since this pass began,
// by this pass or a nested one, is left for the next tick: one firing per entry per pass.
void CReminderManager::OnTick()
{
    if (!m_pOwner || !m_pAnnouncer)
        return;
    const quint64 pass = ++m_nLastPass;
    const QList<quint64> serials = EntrySerials();
    for (const quint64 serial : serials)
    {
        const qsizetype index = FindSerial(serial);
        if (index >= 0 && m_entries[index].m_nFiredInPass < pass && IsDue(m_entries[index]))
        {
            m_entries[index].m_nFiredInPass = pass;
            FireReminder(m_entries[index]);
        }
    }
}

QList<quint64> CReminderManager::EntrySerials() const
{
    QList<quint64> serials;
    serials.reserve(m_entries.size());
    for (const ReminderEntry& entry : m_entries)
        serials.append(entry.m_nSerial);
    return serials;
}

bool CReminderManager::IsDue(const ReminderEntry& entry)
{
    const qint64 start = qint64(entry.m_reminder.m_timeDoBy) - entry.m_reminder.m_nLeadSeconds;
    return GetClock().Now() >= start;
}

qsizetype CReminderManager::FindSerial(quint64 serial) const
{
    for (qsizetype i = 0; i < m_entries.size(); ++i)
    {
        if (m_entries[i].m_nSerial == serial)
            return i;
    }
    return -1;
}

// Day and week step the calendar, not fixed seconds, so 09:00 stays 09:00 across a daylight
// saving change.
bool CReminderManager::NextReminderTime(const CReminderSpec& spec, qint32& next)
{
    switch (spec.m_nRepeat)
    {
    case CReminderSpec::RepeatDay:
        return AddLocalCalendar(spec.m_timeDoBy, 1, 0, 0, next);
    case CReminderSpec::RepeatWeek:
        return AddLocalCalendar(spec.m_timeDoBy, 7, 0, 0, next);
    case CReminderSpec::RepeatMonth:
        return AddLocalCalendar(spec.m_timeDoBy, 0, 1, 0, next);
    case CReminderSpec::RepeatYear:
        return AddLocalCalendar(spec.m_timeDoBy, 0, 0, 1, next);
    default:
        next = spec.m_timeDoBy;
        return true;
    }
}

// A repeat whose next time cannot be stored (past 2038) ends like a one-time reminder rather
// than wrapping to 1901 or sticking at the last second and firing every minute.
void CReminderManager::FireReminder(ReminderEntry fired)
{
    qint32 next = 0;
    if (fired.m_reminder.m_nRepeat == CReminderSpec::RepeatNone ||
        !NextReminderTime(fired.m_reminder, next))
        m_pOwner->ReminderFinished(fired.m_strGroup, fired.m_dwKey);
    else
        m_pOwner->ReminderAdvanced(fired.m_strGroup, fired.m_dwKey, next);
    Announce(fired);
}

void CReminderManager::Announce(const ReminderEntry& fired)
{
    if (fired.m_reminder.m_bSound)
        m_pAnnouncer->PlayReminderSound();
    if (fired.m_reminder.m_bMail)
        m_pAnnouncer->MailReminder(fired.m_strGroup, fired.m_dwKey);
    if (fired.m_reminder.m_bMessageBox)
        m_pAnnouncer->ShowReminderAlert(fired.m_strGroup, fired.m_dwKey, fired.m_reminder);
}
