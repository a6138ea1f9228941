#pragma once

#include "model/ReminderSpec.h"

#include <QString>
#include <QtGlobal>

// How a fired reminder reaches the user. The alert is modal, so further ticks may run inside it.
class IReminderAnnouncer
{
public:
    virtual ~IReminderAnnouncer() = default;

    virtual void PlayReminderSound() = 0;
    virtual void MailReminder(const QString& group, quint32 key) = 0;
    // firedSpec is the occurrence that fired, not the item's next one.
    virtual void ShowReminderAlert(const QString& group, quint32 key,
                                   const CReminderSpec& firedSpec) = 0;
};
