#include "DesktopAnnouncer.h"

#include "ReminderAlertDlg.h"
#include "base/LineBreaks.h"
#include "base/LocalTime.h"
#include "base/Settings.h"
#include "model/VemoAccount.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QVariantMap>

void CDesktopAnnouncer::PlayReminderSound()
{
    m_sound.Play(GetSettings().GetReminderSound());
}

void CDesktopAnnouncer::MailReminder(const QString& group, quint32 key)
{
    if (m_pAccount)
        m_pAccount->SendItemMail(group, key, true);
}

// The alert shows even when the item is gone (its group renamed meanwhile), with empty texts.
void CDesktopAnnouncer::ShowReminderAlert(const QString& group, quint32 key,
                                          const CReminderSpec& firedSpec)
{
    const QString reminderTime = FormatLocalTime(firedSpec.m_timeDoBy, ReminderTimeFormat);
    CVemoItem item(Qt::Uninitialized);
    if (!m_pAccount || !m_pAccount->GetItemCopy(group, key, item))
        item = CVemoItem();
    const QString message = ToShownLineBreaks(item.m_strMessage);
    PostNotification(item.m_strTitle, message);
    // Without a parent, so it comes up while the main window is hidden or minimised; closing it
    // must not end a program whose only other window is hidden.
    CReminderAlertDlg alert(item.m_strTitle, message, reminderTime);
    alert.setAttribute(Qt::WA_QuitOnClose, false);
    alert.exec();
}

// Seen even behind a full-screen window. Sent without waiting for an answer: no service, no
// notification and no delay.
void CDesktopAnnouncer::PostNotification(const QString& title, const QString& message)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage notify = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // Servers may read the body as mark-up, so the message's own text is escaped.
    const QString body = message.toHtmlEscaped();
    notify << QStringLiteral("Vemo") << quint32(0) << QStringLiteral("appointment-soon")
           << QStringLiteral("Vemo - ") + title << body << QStringList() << QVariantMap()
           << qint32(-1);
    bus.asyncCall(notify);
}
