#include "AccountIcal.h"

#include "ItemIcal.h"
#include "VemoVersion.h"
#include "base/Clock.h"
#include "base/PathUtils.h"
#include "model/AccountFile.h"
#include "model/GroupName.h"

#include <QStringDecoder>
#include <QUuid>

#include <memory>

namespace
{
const char* const ProductId = "-//Quorvex//Vemo " VEMO_VERSION_STRING "//EN";

struct CIcalComponentFree
{
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using CIcalComponentPtr = std::unique_ptr<icalcomponent, CIcalComponentFree>;

// The same on every export, so that a calendar importing the file again updates its to-dos
// instead of doubling them. The account signature names the space the identifiers live in.
QByteArray Uid(const QString& account, const CVemoGroup& group, quint32 key)
{
    static const QUuid space(CAccountFile::Signature);
    const QString name = QStringLiteral("%1/%2/%3").arg(account, group.GetName()).arg(key);
    return QUuid::createUuidV5(space, name).toByteArray(QUuid::WithoutBraces);
}

// libical marks what it cannot parse with an error property and reads on; one is enough to
// refuse the file.
QString FirstParseError(icalcomponent* component)
{
    if (icalproperty* error = icalcomponent_get_first_property(component, ICAL_XLICERROR_PROPERTY))
        return QString::fromUtf8(icalproperty_get_xlicerror(error));
    for (icalcomponent* child = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT);
         child; child = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT))
    {
        if (const QString error = FirstParseError(child); !error.isEmpty())
            return error;
    }
    return {};
}

// A file may hold several calendars one after the other.
QVector<icalcomponent*> Calendars(icalcomponent* root)
{
    if (icalcomponent_isa(root) == ICAL_VCALENDAR_COMPONENT)
        return {root};
    QVector<icalcomponent*> calendars;
    for (icalcomponent* child = icalcomponent_get_first_component(root, ICAL_VCALENDAR_COMPONENT);
         child; child = icalcomponent_get_next_component(root, ICAL_VCALENDAR_COMPONENT))
        calendars.append(child);
    return calendars;
}

// iCalendar text is UTF-8. libical reads up to a NUL, which text cannot hold, and takes a byte
// order mark for part of the first line; the decoder drops it.
bool ToIcalText(const QByteArray& bytes, QByteArray& text, QString& error)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8(bytes);
    if (utf8.hasError())
        error = QStringLiteral("not UTF-8 text");
    else if (decoded.contains(QChar::Null))
        error = QStringLiteral("not iCalendar");
    text = decoded.toUtf8();
    return error.isEmpty();
}

CVemoGroup& GroupNamed(QVector<CVemoGroup>& groups, const QString& name, CItemIcal& reader)
{
    for (CVemoGroup& group : groups)
    {
        if (SameGroupName(group.GetName(), name))
            return group;
    }
    if (!IsPlainFileName(name))
        reader.Fail(QStringLiteral("\"%1\" cannot be a group name").arg(name));
    groups.append(CVemoGroup());
    groups.last().SetName(name);
    return groups.last();
}

void ReadCalendar(icalcomponent* calendar, QVector<CVemoGroup>& groups, CItemIcal& reader,
                  int& skipped)
{
    for (icalcomponent* child = icalcomponent_get_first_component(calendar, ICAL_ANY_COMPONENT);
         child; child = icalcomponent_get_next_component(calendar, ICAL_ANY_COMPONENT))
    {
        const icalcomponent_kind kind = icalcomponent_isa(child);
        if (kind == ICAL_VEVENT_COMPONENT || kind == ICAL_VJOURNAL_COMPONENT)
            ++skipped;
        if (kind != ICAL_VTODO_COMPONENT)
            continue;
        const CVemoItem item = reader.FromTodo(child);
        GroupNamed(groups, CItemIcal::GroupName(child), reader).AddItem(item);
    }
}
} // namespace

QByteArray CAccountIcal::ToIcal(const CAccountSnapshot& account)
{
    const qint32 now = GetClock().Now();
    const CIcalComponentPtr calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid(ProductId));
    for (const CVemoGroup& group : account.m_groups)
    {
        for (const CVemoItem& item : group.GetItems())
        {
            const QByteArray uid = Uid(account.m_strName, group, item.m_dwKey);
            icalcomponent_add_component(calendar.get(),
                                        CItemIcal::ToTodo(item, uid, group.GetName(), now));
        }
    }
    char* text = icalcomponent_as_ical_string_r(calendar.get());
    const QByteArray ical(text);
    icalmemory_free_buffer(text);
    return ical;
}

bool CAccountIcal::FromIcal(const QByteArray& ical, CAccountSnapshot& account, QString& error,
                            int& skipped)
{
    QByteArray text;
    if (!ToIcalText(ical, text, error))
        return false;
    const CIcalComponentPtr root(icalparser_parse_string(text.constData()));
    if (!root)
    {
        error = QStringLiteral("not iCalendar");
        return false;
    }
    const QVector<icalcomponent*> calendars = Calendars(root.get());
    if (calendars.isEmpty())
    {
        error = QStringLiteral("no VCALENDAR");
        return false;
    }
    if (const QString parseError = FirstParseError(root.get()); !parseError.isEmpty())
    {
        error = QStringLiteral("not valid iCalendar: %1").arg(parseError);
        return false;
    }
    CItemIcal reader;
    account.m_groups.clear();
    skipped = 0;
    for (icalcomponent* calendar : calendars)
        ReadCalendar(calendar, account.m_groups, reader, skipped);
    error = reader.Error();
    return reader.IsOk();
}
