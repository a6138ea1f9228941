#pragma once

#include "ReminderAnnouncer.h"
#include "ReminderSound.h"

class CVemoAccount;

// Announces a fired reminder on the desktop: the sound or a beep, the mail through the account,
// and the alert window, with a desktop notification beside it where a notification service runs.
class CDesktopAnnouncer : public IReminderAnnouncer
{
public:
    // The account exists only after the announcer it is given, so it comes later.
    void SetAccount(CVemoAccount* account) { m_pAccount = account; }
    CReminderSound& GetSound() { return m_sound; }

    void PlayReminderSound() override;
    void MailReminder(const QString& group, quint32 key) override;
    void ShowReminderAlert(const QString& group, quint32 key,
                           const CReminderSpec& firedSpec) override;

private:
    static void PostNotification(const QString& title, const QString& message);

    CVemoAccount* m_pAccount = nullptr;
    CReminderSound m_sound;
};
