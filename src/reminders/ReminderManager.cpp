#include "ReminderManager.h"

#include "ReminderAnnouncer.h"
#include "ReminderOwner.h"
#include "base/Clock.h"
#include "base/LocalTime.h"
#include "model/GroupName.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <limits>
#include <set>

// What a pass has still to examine. The pass walks forward in insertion order, and an entry joins
// it when the entry falls due before the walk reaches it, as in a walk over every entry.
struct CReminderManager::CPass
{
    void Offer(const CStart& start)
    {
        if (start.m_nSerial > m_nCursor && start.m_nSerial <= m_nLastSerial &&
            start.m_nStart <= m_nScannedTo)
            m_pending.insert(start.m_nSerial);
    }

    quint64 m_nNumber = 0;
    // Entries added after the pass began are left to the pass that their own add runs.
    quint64 m_nLastSerial = 0;
    // The serial examined last.
    quint64 m_nCursor = 0;
    // Every entry due by this time that the walk has yet to reach is pending.
    qint64 m_nScannedTo = std::numeric_limits<qint64>::min();
    std::set<quint64> m_pending;
};

bool operator==(const ReminderGroupName& a, const ReminderGroupName& b)
{
    return SameGroupName(a.m_strName, b.m_strName);
}

// Bit 5 is all that tells an ASCII capital from its small letter, so names that SameGroupName calls
// one hash alike once it is set in every character; the few other pairs it joins, such as "@" and
// "`", share a bucket and SameGroupName tells them apart.
size_t qHash(const ReminderGroupName& name, size_t seed)
{
    size_t folded = 0;
    for (const QChar c : name.m_strName)
        folded = folded * 31 + (c.unicode() | 0x20u);
    return qHash(folded, seed);
}

void CReminderManager::Create(IReminderOwner* owner, IReminderAnnouncer* announcer)
{
    CTimerWnd::Create(TickInterval);
    m_pOwner = owner;
    m_pAnnouncer = announcer;
}

bool CReminderManager::AddReminder(const QString& group, quint32 key, const CReminderSpec& spec)
{
    // A key new to the group gets a slot holding 0, which is no entry's serial.
    quint64& slot = SerialsOf(group)[key];
    if (slot != 0)
        return false;
    const quint64 serial = slot = ++m_nLastSerial;
    m_entries.emplace_hint(m_entries.end(), serial, ReminderEntry{group, key, spec, serial, 0});
    PushStart({StartTime(spec), serial});
    if (m_entries.size() == 1)
        Start();
    OnTick();
    return true;
}

bool CReminderManager::RemoveReminder(const QString& group, quint32 key)
{
    const auto serials = m_serials.find(ReminderGroupName{group});
    if (serials == m_serials.end())
        return false;
    const quint64 serial = serials->take(key);
    if (serial == 0)
        return false;
    if (serials->isEmpty())
    {
        m_serials.erase(serials);
        m_pLastSerials = nullptr;
    }
    m_entries.erase(serial);
    if (m_entries.empty())
        RemoveAll();
    return true;
}

// A pass under way takes in an entry that now falls due before the pass reaches it.
bool CReminderManager::UpdateReminder(const QString& group, quint32 key, const CReminderSpec& spec)
{
    const auto found = m_entries.find(FindSerial(group, key));
    if (found == m_entries.end())
        return false;
    ReminderEntry& entry = found->second;
    const qint64 before = StartTime(entry.m_reminder);
    entry.m_reminder = spec;
    const CStart after{StartTime(spec), entry.m_nSerial};
    if (after.m_nStart != before)
        PushStart(after);
    for (CPass* pass : std::as_const(m_passes))
        pass->Offer(after);
    return true;
}

bool CReminderManager::GetReminder(const QString& group, quint32 key, CReminderSpec& spec) const
{
    const auto entry = m_entries.find(FindSerial(group, key));
    if (entry == m_entries.cend())
        return false;
    spec = entry->second.m_reminder;
    return true;
}

qsizetype CReminderManager::FindReminder(const QString& group, quint32 key) const
{
    const auto entry = m_entries.find(FindSerial(group, key));
    return entry == m_entries.cend() ? -1 : std::distance(m_entries.cbegin(), entry);
}

qsizetype CReminderManager::GetCount() const
{
    return qsizetype(m_entries.size());
}

// Also gives the heap's storage back.
void CReminderManager::RemoveAll()
{
    m_entries.clear();
    m_serials.clear();
    m_pLastSerials = nullptr;
    m_starts = {};
    Stop();
}

bool CReminderManager::RenameGroup(const QString& oldName, const QString& newName)
{
    if (!SameGroupName(oldName, newName) && m_serials.contains(ReminderGroupName{newName}))
        return false;
    m_pLastSerials = nullptr;
    const QHash<quint32, quint64> serials = m_serials.take(ReminderGroupName{oldName});
    if (serials.isEmpty())
        return true;
    for (const quint64 serial : serials)
        m_entries.at(serial).m_strGroup = newName;
    m_serials.insert(ReminderGroupName{newName}, serials);
    return true;
}

// An open adds the items of one group after another, so the group last added to is kept at hand.
QHash<quint32, quint64>& CReminderManager::SerialsOf(const QString& group)
{
    if (!m_pLastSerials || !SameGroupName(group, m_strLastGroup))
    {
        m_pLastSerials = &m_serials[ReminderGroupName{group}];
        m_strLastGroup = group;
    }
    return *m_pLastSerials;
}

quint64 CReminderManager::FindSerial(const QString& group, quint32 key) const
{
    const auto serials = m_serials.constFind(ReminderGroupName{group});
    return serials == m_serials.cend() ? 0 : serials->value(key);
}

// Firing lets the owner remove entries and the modal alert run nested passes while time goes on,
// so the pass walks forward by serial and looks each entry up again. An entry fired since this
// pass began, by this pass or a nested one, is left for the next tick: one firing per entry per
// pass.
void CReminderManager::OnTick()
{
    if (!m_pOwner || !m_pAnnouncer || !IsAnyDue())
        return;
    CPass pass;
    pass.m_nNumber = ++m_nLastPass;
    pass.m_nLastSerial = m_nLastSerial;
    m_passes.append(&pass);
    while (ReminderEntry* entry = NextToExamine(pass))
    {
        if (entry->m_nFiredInPass < pass.m_nNumber && IsDue(*entry))
        {
            entry->m_nFiredInPass = pass.m_nNumber;
            FireReminder(*entry);
        }
    }
    m_passes.removeLast();
}

bool CReminderManager::IsLive(const CStart& start) const
{
    const auto entry = m_entries.find(start.m_nSerial);
    return entry != m_entries.cend() && StartTime(entry->second.m_reminder) == start.m_nStart;
}

// Rebuilt once left-behind records outnumber the entries, the heap never holds more than twice
// their number, and each rebuild is paid for by the changes that left records behind.
void CReminderManager::PushStart(const CStart& start)
{
    m_starts.push_back(start);
    std::push_heap(m_starts.begin(), m_starts.end(), std::greater<>());
    if (m_starts.size() > 2 * m_entries.size())
        RebuildStarts();
}

void CReminderManager::RebuildStarts()
{
    m_starts.clear();
    for (const auto& [serial, entry] : m_entries)
        m_starts.push_back({StartTime(entry.m_reminder), serial});
    std::make_heap(m_starts.begin(), m_starts.end(), std::greater<>());
}

// Takes the records due by now off the heap and puts back only the live ones: left behind, the
// old times of fired entries would pile up among the due records and be walked by every pass.
bool CReminderManager::IsAnyDue()
{
    const qint64 now = GetClock().Now();
    std::vector<CStart> due;
    while (!m_starts.empty() && m_starts.front().m_nStart <= now)
    {
        std::pop_heap(m_starts.begin(), m_starts.end(), std::greater<>());
        if (IsLive(m_starts.back()))
            due.push_back(m_starts.back());
        m_starts.pop_back();
    }
    for (const CStart& start : due)
    {
        m_starts.push_back(start);
        std::push_heap(m_starts.begin(), m_starts.end(), std::greater<>());
    }
    return !due.empty();
}

// A heap record is never later than those below it, so the records due by now are a subtree at the
// top: the walk visits only them. Left-behind records among them name an entry that is gone or is
// due at another time, which the pass finds out when it gets there.
void CReminderManager::TakeNewlyDue(CPass& pass) const
{
    const qint64 now = GetClock().Now();
    if (now <= pass.m_nScannedTo)
        return;
    const qint64 scannedBefore = pass.m_nScannedTo;
    pass.m_nScannedTo = now;
    std::vector<size_t> toVisit{0};
    while (!toVisit.empty())
    {
        const size_t index = toVisit.back();
        toVisit.pop_back();
        if (index >= m_starts.size() || m_starts[index].m_nStart > now)
            continue;
        if (m_starts[index].m_nStart > scannedBefore)
            pass.Offer(m_starts[index]);
        toVisit.push_back(2 * index + 1);
        toVisit.push_back(2 * index + 2);
    }
}

ReminderEntry* CReminderManager::NextToExamine(CPass& pass)
{
    TakeNewlyDue(pass);
    while (!pass.m_pending.empty())
    {
        pass.m_nCursor = pass.m_pending.extract(pass.m_pending.cbegin()).value();
        const auto entry = m_entries.find(pass.m_nCursor);
        if (entry != m_entries.end())
            return &entry->second;
    }
    return nullptr;
}

qint64 CReminderManager::StartTime(const CReminderSpec& spec)
{
    return qint64(spec.m_timeDoBy) - spec.m_nLeadSeconds;
}

bool CReminderManager::IsDue(const ReminderEntry& entry)
{
    return GetClock().Now() >= StartTime(entry.m_reminder);
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
