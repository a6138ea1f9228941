#pragma once

#include <QString>
#include <QtGlobal>

// What the reminder scheduler asks of the account document when a reminder fires. The document
// answers by removing or updating the scheduler's entry, from inside these calls.
class IReminderOwner
{
public:
    virtual ~IReminderOwner() = default;

    // Switches the item's reminder off; false when the group or item is gone.
    virtual bool ReminderFinished(const QString& group, quint32 key) = 0;
    // Moves the item's reminder to its next time; false when the group or item is gone.
    virtual bool ReminderAdvanced(const QString& group, quint32 key, qint32 newDoBy) = 0;
};
