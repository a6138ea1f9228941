#include "ItemIcal.h"

#include "base/Clock.h"
#include "base/LineBreaks.h"
#include "base/LocalTime.h"
#include "model/VemoAccount.h"

#include <array>
#include <limits>
#include <memory>

namespace
{

struct CRepeatFrequency
{
    qint32 repeat;
    icalrecurrencetype_frequency frequency;
};

constexpr std::array<CRepeatFrequency, 4> RepeatFrequencies{{
    {CReminderSpec::RepeatDay, ICAL_DAILY_RECURRENCE},
    {CReminderSpec::RepeatWeek, ICAL_WEEKLY_RECURRENCE},
    {CReminderSpec::RepeatMonth, ICAL_MONTHLY_RECURRENCE},
    {CReminderSpec::RepeatYear, ICAL_YEARLY_RECURRENCE},
}};

struct CIcalBufferFree
{
    void operator()(char* buffer) const { icalmemory_free_buffer(buffer); }
};

// The property as the file has it, unfolded, for a reason that names it.
QString PropertyText(icalproperty* property)
{
    const std::unique_ptr<char, CIcalBufferFree> text(icalproperty_as_ical_string_r(property));
    return QString::fromUtf8(text.get()).remove(QStringLiteral("\r\n ")).trimmed();
}

icaltimetype UtcTime(qint32 time)
{
    return icaltime_from_timet_with_zone(time, 0, icaltimezone_get_utc_timezone());
}

// A Do By at local midnight is a date without a time of day. The others go as floating local
// times, so that a calendar shows them, and steps their repeats, at the wall-clock time Vemo does.
icaltimetype DueTime(qint32 doBy)
{
    QDate date;
    QTime timeOfDay;
    SplitLocalTime(doBy, date, timeOfDay);
    icaltimetype due = icaltime_null_time();
    due.year = date.year();
    due.month = date.month();
    due.day = date.day();
    due.is_date = IsLocalMidnight(doBy) ? 1 : 0;
    if (!due.is_date)
    {
        due.hour = timeOfDay.hour();
        due.minute = timeOfDay.minute();
        due.second = timeOfDay.second();
    }
    return due;
}

// iCalendar ranks 1 highest and 9 lowest; 0 is no priority.
int IcalPriority(qint32 priority)
{
    switch (priority)
    {
    case CVemoItem::PriorityHigh:
        return 1;
    case CVemoItem::PriorityNormal:
        return 5;
    case CVemoItem::PriorityLow:
        return 9;
    default:
        return 0;
    }
}

qint32 ItemPriority(int priority)
{
    if (priority >= 1 && priority <= 4)
        return CVemoItem::PriorityHigh;
    if (priority == 5)
        return CVemoItem::PriorityNormal;
    if (priority >= 6 && priority <= 9)
        return CVemoItem::PriorityLow;
    return CVemoItem::PriorityNone;
}

// The rule counts from DTSTART, which therefore starts at the Do By as well.
void AddRepeat(icalcomponent* todo, qint32 repeat, const icaltimetype& due)
{
    for (const CRepeatFrequency& entry : RepeatFrequencies)
    {
        if (entry.repeat != repeat)
            continue;
        icalrecurrencetype rule;
        icalrecurrencetype_clear(&rule);
        rule.freq = entry.frequency;
        icalcomponent_add_property(todo, icalproperty_new_dtstart(due));
        icalcomponent_add_property(todo, icalproperty_new_rrule(rule));
    }
}

icalcomponent* Alarm(const CVemoItem& item)
{
    icalcomponent* alarm = icalcomponent_new_valarm();
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icalcomponent_add_property(
        alarm, icalproperty_new_description(CItemIcal::IcalText(item.m_strTitle).constData()));
    icalproperty* trigger =
        icalproperty_new_trigger(icaltriggertype_from_int(-item.m_reminder.m_nLeadSeconds));
    icalproperty_add_parameter(trigger, icalparameter_new_related(ICAL_RELATED_END));
    icalcomponent_add_property(alarm, trigger);
    return alarm;
}

void AddText(icalcomponent* todo, icalproperty* (*make)(const char*), const QString& text)
{
    if (!text.isEmpty())
        icalcomponent_add_property(todo, make(CItemIcal::IcalText(text).constData()));
}

QString Text(icalcomponent* todo, icalproperty_kind kind)
{
    icalproperty* property = icalcomponent_get_first_property(todo, kind);
    return property ? QString::fromUtf8(icalvalue_get_text(icalproperty_get_value(property)))
                    : QString();
}

bool IsCompleted(icalcomponent* todo)
{
    return icalcomponent_get_status(todo) == ICAL_STATUS_COMPLETED ||
           icalcomponent_get_first_property(todo, ICAL_COMPLETED_PROPERTY) != nullptr;
}

// Vemo repeats forever, once a period; a rule that says more than that is not one of its repeats.
bool IsPlainRule(const icalrecurrencetype& rule)
{
    const std::array<const short*, 9> byParts{rule.by_second,  rule.by_minute,    rule.by_hour,
                                              rule.by_day,     rule.by_month_day, rule.by_year_day,
                                              rule.by_week_no, rule.by_month,     rule.by_set_pos};
    for (const short* part : byParts)
    {
        if (part[0] != ICAL_RECURRENCE_ARRAY_MAX)
            return false;
    }
    return rule.interval <= 1 && rule.count == 0 && icaltime_is_null_time(rule.until) &&
           rule.rscale == nullptr;
}

qint32 Repeat(icalcomponent* todo)
{
    icalproperty* property = icalcomponent_get_first_property(todo, ICAL_RRULE_PROPERTY);
    if (!property)
        return CReminderSpec::RepeatNone;
    const icalrecurrencetype rule = icalproperty_get_rrule(property);
    for (const CRepeatFrequency& entry : RepeatFrequencies)
    {
        if (entry.frequency == rule.freq && IsPlainRule(rule))
            return entry.repeat;
    }
    return CReminderSpec::RepeatNone;
}
} // namespace

icalcomponent* CItemIcal::ToTodo(const CVemoItem& item, const QByteArray& uid,
                                 const QString& groupName, qint32 now)
{
    icalcomponent* todo = icalcomponent_new_vtodo();
    icalcomponent_add_property(todo, icalproperty_new_uid(uid.constData()));
    icalcomponent_add_property(todo, icalproperty_new_dtstamp(UtcTime(now)));
    icalcomponent_add_property(todo, icalproperty_new_created(UtcTime(item.m_timeCreated)));
    AddText(todo, icalproperty_new_summary, item.m_strTitle);
    AddText(todo, icalproperty_new_description, item.m_strMessage);
    if (const int priority = IcalPriority(item.m_nPriority); priority != 0)
        icalcomponent_add_property(todo, icalproperty_new_priority(priority));
    const icaltimetype due = DueTime(item.m_reminder.m_timeDoBy);
    icalcomponent_add_property(todo, icalproperty_new_due(due));
    icalcomponent_add_property(todo, icalproperty_new_status(item.m_bCompleted
                                                                 ? ICAL_STATUS_COMPLETED
                                                                 : ICAL_STATUS_NEEDSACTION));
    // Vemo keeps no time of completion; the export is the latest it can have happened.
    if (item.m_bCompleted)
        icalcomponent_add_property(todo, icalproperty_new_completed(UtcTime(now)));
    AddText(todo, icalproperty_new_categories, groupName);
    // Without its reminder an item neither repeats nor reminds.
    if (item.m_reminder.m_bEnabled)
    {
        AddRepeat(todo, item.m_reminder.m_nRepeat, due);
        icalcomponent_add_component(todo, Alarm(item));
    }
    return todo;
}

QString CItemIcal::GroupName(icalcomponent* todo)
{
    const QString category = Text(todo, ICAL_CATEGORIES_PROPERTY);
    return category.isEmpty() ? CVemoAccount::DefaultGroupName : category;
}

QByteArray CItemIcal::IcalText(const QString& text)
{
    QString clean;
    for (const QChar ch : ToShownLineBreaks(text))
    {
        const bool control = ch.unicode() < u' ' || ch.unicode() == u'\x7F';
        if (!control || ch == u'\n' || ch == u'\t')
            clean += ch;
    }
    return clean.toUtf8();
}

// A new item's sticky look comes from the preferences, as for an item added in the program.
CVemoItem CItemIcal::FromTodo(icalcomponent* todo)
{
    CVemoItem item;
    item.m_strTitle = Text(todo, ICAL_SUMMARY_PROPERTY);
    item.m_strMessage =
        ToStoredLineBreaks(ToShownLineBreaks(Text(todo, ICAL_DESCRIPTION_PROPERTY)));
    if (icalproperty* priority = icalcomponent_get_first_property(todo, ICAL_PRIORITY_PROPERTY))
        item.m_nPriority = ItemPriority(icalproperty_get_priority(priority));
    item.m_timeCreated = CreatedTime(todo);
    item.m_reminder.m_timeDoBy = DoBy(todo, item.m_timeCreated);
    item.m_bCompleted = IsCompleted(todo) ? 1 : 0;
    item.m_reminder.m_nRepeat = Repeat(todo);
    ReadAlarm(todo, item.m_reminder);
    return item;
}

void CItemIcal::Fail(const QString& reason)
{
    if (m_strError.isEmpty())
        m_strError = reason;
}

qint32 CItemIcal::StoredTime(icalproperty* property, icalcomponent* todo)
{
    // The file's own VTIMEZONE first, then the system's zone database.
    const icaltimetype time = icalproperty_get_datetime_with_component(property, todo);
    if (icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER) && !time.zone)
    {
        Fail(QStringLiteral("%1 names an unknown time zone").arg(PropertyText(property)));
        return 0;
    }
    qint32 stored = 0;
    ToStored(time, property, stored);
    return stored;
}

// Zoned and UTC times are instants; dates and floating times are read in local time, as the
// program reads what the user enters.
bool CItemIcal::ToStored(const icaltimetype& time, icalproperty* property, qint32& stored)
{
    const QDate date(time.year, time.month, time.day);
    const QTime timeOfDay(time.hour, time.minute, time.second);
    bool fits = false;
    if (time.zone && !time.is_date)
    {
        const qint64 seconds = icaltime_as_timet_with_zone(time, time.zone);
        fits = seconds >= std::numeric_limits<qint32>::min() &&
               seconds <= std::numeric_limits<qint32>::max();
        stored = fits ? static_cast<qint32>(seconds) : 0;
    }
    else if (date.isValid() && timeOfDay.isValid())
    {
        fits = MakeLocalTime(date, time.is_date ? QTime(0, 0) : timeOfDay, stored);
    }
    if (!fits)
        Fail(QStringLiteral("%1 is not a time Vemo can hold").arg(PropertyText(property)));
    return fits;
}

qint32 CItemIcal::CreatedTime(icalcomponent* todo)
{
    for (const icalproperty_kind kind : {ICAL_CREATED_PROPERTY, ICAL_DTSTAMP_PROPERTY})
    {
        if (icalproperty* property = icalcomponent_get_first_property(todo, kind))
            return StoredTime(property, todo);
    }
    return GetClock().Now();
}

// A to-do without a due time is due when it starts, or else when it was made, as a new item is.
qint32 CItemIcal::DoBy(icalcomponent* todo, qint32 created)
{
    if (icalproperty* due = icalcomponent_get_first_property(todo, ICAL_DUE_PROPERTY))
        return StoredTime(due, todo);
    icalproperty* start = icalcomponent_get_first_property(todo, ICAL_DTSTART_PROPERTY);
    if (!start)
        return created;
    const qint64 doBy =
        qint64(StoredTime(start, todo)) + icaldurationtype_as_int(icalcomponent_get_duration(todo));
    if (doBy != ClampTime32(doBy))
        Fail(QStringLiteral("%1 is not a time Vemo can hold").arg(PropertyText(start)));
    return ClampTime32(doBy);
}

// Vemo has one reminder a to-do: the first alarm, at whole minutes before the Do By.
void CItemIcal::ReadAlarm(icalcomponent* todo, CReminderSpec& reminder)
{
    icalcomponent* alarm = icalcomponent_get_first_component(todo, ICAL_VALARM_COMPONENT);
    if (!alarm)
        return;
    reminder.m_bEnabled = 1;
    icalproperty* property = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
    if (!property)
        return;
    const icaltriggertype trigger = icalproperty_get_trigger(property);
    qint64 leadSeconds = 0;
    if (!icaltime_is_null_time(trigger.time))
    {
        qint32 at = 0;
        if (ToStored(trigger.time, property, at))
            leadSeconds = qint64(reminder.m_timeDoBy) - at;
    }
    else
    {
        // An alarm related to the start counts from DTSTART, or from the due time when the
        // to-do has no start, as calendars read it then.
        leadSeconds = -qint64(icaldurationtype_as_int(trigger.duration));
        icalparameter* related = icalproperty_get_first_parameter(property, ICAL_RELATED_PARAMETER);
        icalproperty* start = icalcomponent_get_first_property(todo, ICAL_DTSTART_PROPERTY);
        if (start && !(related && icalparameter_get_related(related) == ICAL_RELATED_END))
            leadSeconds += qint64(reminder.m_timeDoBy) - StoredTime(start, todo);
    }
    reminder.m_nLeadSeconds = CReminderSpec::LeadSecondsFromMinutes(leadSeconds / 60);
}
