#pragma once

#include "TimerWnd.h"
#include "model/ReminderSpec.h"

#include <QHash>
#include <QList>
#include <QString>

#include <map>
#include <vector>

class IReminderAnnouncer;
class IReminderOwner;

// One enabled reminder of the open account, named by (group name, item key).
struct ReminderEntry
{
    QString m_strGroup;
    quint32 m_dwKey = 0;
    CReminderSpec m_reminder;
    // Identity that survives other entries coming and going while a pass runs; it grows with
    // every add, so it also gives the insertion order.
    quint64 m_nSerial = 0;
    // The latest pass that fired this entry; passes are numbered in the order they start.
    quint64 m_nFiredInPass = 0;
};

// A group name as a hash key that tells groups apart as SameGroupName does.
struct ReminderGroupName
{
    QString m_strName;
};
bool operator==(const ReminderGroupName& a, const ReminderGroupName& b);
size_t qHash(const ReminderGroupName& name, size_t seed = 0);

// Holds an entry for each enabled reminder of the open account and, once a minute, fires the due
// ones: the item is updated through its owner first, then the user is told. The entries are
// indexed by name and by the time they fall due, so that neither a lookup nor a pass has to look
// at every entry, and a minute with nothing due costs next to nothing.
class CReminderManager : public CTimerWnd
{
    Q_OBJECT

public:
    static constexpr int TickInterval = 60000;

    // Until this is called the manager keeps entries but neither ticks nor fires.
    void Create(IReminderOwner* owner, IReminderAnnouncer* announcer);

    // Fires every due entry at once, the new one included.
    bool AddReminder(const QString& group, quint32 key, const CReminderSpec& spec);
    bool RemoveReminder(const QString& group, quint32 key);
    bool UpdateReminder(const QString& group, quint32 key, const CReminderSpec& spec);
    bool GetReminder(const QString& group, quint32 key, CReminderSpec& spec) const;
    // The entry's place in insertion order. Counting it walks the entries before it; to ask only
    // whether there is one, GetReminder is cheaper.
    qsizetype FindReminder(const QString& group, quint32 key) const;
    qsizetype GetCount() const;
    void RemoveAll();
    // False, changing nothing, when another group already owns entries under the new name.
    bool RenameGroup(const QString& oldName, const QString& newName);

    void OnTick() override;

private:
    struct CPass;
    // When an entry falls due, as it was when the record was made.
    struct CStart
    {
        qint64 m_nStart = 0;
        quint64 m_nSerial = 0;
        bool operator>(const CStart& other) const { return m_nStart > other.m_nStart; }
    };

    static qint64 StartTime(const CReminderSpec& spec);
    static bool IsDue(const ReminderEntry& entry);
    static bool NextReminderTime(const CReminderSpec& spec, qint32& next);
    QHash<quint32, quint64>& SerialsOf(const QString& group);
    // 0 when there is no such entry: serials start at 1.
    quint64 FindSerial(const QString& group, quint32 key) const;
    bool IsLive(const CStart& start) const;
    void PushStart(const CStart& start);
    void RebuildStarts();
    bool IsAnyDue();
    void TakeNewlyDue(CPass& pass) const;
    ReminderEntry* NextToExamine(CPass& pass);
    // Works on its own copy: the owner removes or changes the entry while it runs.
    void FireReminder(ReminderEntry fired);
    void Announce(const ReminderEntry& fired);

    // By serial, which is insertion order.
    std::map<quint64, ReminderEntry> m_entries;
    QHash<ReminderGroupName, QHash<quint32, quint64>> m_serials;
    // Points into m_serials: cleared whenever a group leaves it, or enters it other than through
    // SerialsOf.
    QHash<quint32, quint64>* m_pLastSerials = nullptr;
    QString m_strLastGroup;
    // A heap of start records, soonest on top. An entry that is removed or moves leaves its old
    // record behind until the record comes to the top or the heap is rebuilt.
    std::vector<CStart> m_starts;
    // The passes running now, innermost last; an alert runs the inner ones.
    QList<CPass*> m_passes;
    IReminderOwner* m_pOwner = nullptr;
    IReminderAnnouncer* m_pAnnouncer = nullptr;
    quint64 m_nLastSerial = 0;
    quint64 m_nLastPass = 0;
};
