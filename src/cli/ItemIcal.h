#pragma once

#include "model/VemoItem.h"

#include <QByteArray>
#include <QString>

#include <libical/ical.h>

// One item as an iCalendar to-do and back. Reading remembers the first thing a to-do holds that
// no item can, so a caller reads a whole file and checks once.
class CItemIcal
{
public:
    // A new VTODO that the caller owns; now is when the export happens.
    static icalcomponent* ToTodo(const CVemoItem& item, const QByteArray& uid,
                                 const QString& groupName, qint32 now);
    // The group a to-do goes to: its first category.
    static QString GroupName(icalcomponent* todo);
    // Text as iCalendar holds it: line breaks as newlines, no other controls.
    static QByteArray IcalText(const QString& text);

    CVemoItem FromTodo(icalcomponent* todo);

    bool IsOk() const { return m_strError.isEmpty(); }
    const QString& Error() const { return m_strError; }
    void Fail(const QString& reason);

private:
    qint32 StoredTime(icalproperty* property, icalcomponent* todo);
    bool ToStored(const icaltimetype& time, icalproperty* property, qint32& stored);
    qint32 CreatedTime(icalcomponent* todo);
    qint32 DoBy(icalcomponent* todo, qint32 created);
    void ReadAlarm(icalcomponent* todo, CReminderSpec& reminder);

    QString m_strError;
};
