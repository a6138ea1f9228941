#pragma once

#include "TimerWnd.h"
#include "model/ReminderSpec.h"

#include <QList>
#include <QString>

class IReminderAnnouncer;
class IReminderOwner;

// One enabled reminder of the open account, named by (group name, item key).
struct ReminderEntry
{
    QString m_strGroup;
    quint32 m_dwKey = 0;
    CReminderSpec m_reminder;
    // Identity that survives other entries coming and going while a pass runs.
    quint64 m_nSerial = 0;
    // The latest pass that fired this entry; passes are numbered in the order they start.
    quint64 m_nFiredInPass = 0;
};

// Holds an entry for each enabled reminder of the open account and, once a minute, fires the due
// ones: the item is updated through its owner first, then the user is told.
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
    qsizetype FindReminder(const QString& group, quint32 key) const;
    qsizetype GetCount() const;
    void RemoveAll();
    // False, changing nothing, when another group already owns entries under the new name.
    bool RenameGroup(const QString& oldName, const QString& newName);

    void OnTick() override;

private:
    static bool IsDue(const ReminderEntry& entry);
    static bool NextReminderTime(const CReminderSpec& spec, qint32& next);
    bool HasGroup(const QString& group) const;
    QList<quint64> EntrySerials() const;
    qsizetype FindSerial(quint64 serial) const;
    // Works on its own copy: the owner removes or changes the entry while it runs.
    void FireReminder(ReminderEntry fired);
    void Announce(const ReminderEntry& fired);

    QList<ReminderEntry> m_entries;
    IReminderOwner* m_pOwner = nullptr;
    IReminderAnnouncer* m_pAnnouncer = nullptr;
    quint64 m_nLastSerial = 0;
    quint64 m_nLastPass = 0;
};
