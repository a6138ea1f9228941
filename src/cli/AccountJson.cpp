#include "AccountJson.h"

#include "JsonFieldReader.h"
#include "JsonTextWriter.h"
#include "base/Archive.h"
#include "base/PathUtils.h"
#include "model/GroupName.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>

namespace
{
const QString FormatName = QStringLiteral("vemo-account");
constexpr int FormatVersion = 1;

CLogFont FontFromJson(CJsonFieldReader& reader, const QJsonObject& json)
{
    CLogFont font;
    font.lfHeight = reader.Int32(json, "height");
    font.lfWidth = reader.Int32(json, "width");
    font.lfEscapement = reader.Int32(json, "escapement");
    font.lfOrientation = reader.Int32(json, "orientation");
    font.lfWeight = reader.Int32(json, "weight");
    font.lfItalic = reader.Byte(json, "italic");
    font.lfUnderline = reader.Byte(json, "underline");
    font.lfStrikeOut = reader.Byte(json, "strike_out");
    font.lfCharSet = reader.Byte(json, "char_set");
    font.lfOutPrecision = reader.Byte(json, "out_precision");
    font.lfClipPrecision = reader.Byte(json, "clip_precision");
    font.lfQuality = reader.Byte(json, "quality");
    font.lfPitchAndFamily = reader.Byte(json, "pitch_and_family");
    font.SetFaceName(reader.String(json, "face_name"));
    return font;
}

CReminderSpec ReminderFromJson(CJsonFieldReader& reader, const QJsonObject& json)
{
    CReminderSpec reminder;
    reminder.m_timeDoBy = reader.Int32(json, "do_by");
    reminder.m_nLeadSeconds = reader.Int32(json, "lead_seconds");
    reminder.m_bMessageBox = reader.Flag(json, "message_box");
    reminder.m_bSound = reader.Flag(json, "sound");
    reminder.m_bMail = reader.Flag(json, "mail");
    reminder.m_bEnabled = reader.Flag(json, "enabled");
    reminder.m_nRepeat = reader.Int32(json, "repeat");
    return reminder;
}

CRect32 RectFromJson(CJsonFieldReader& reader, const QJsonArray& json)
{
    if (json.size() != 4)
    {
        reader.Fail(QStringLiteral("\"sticky_rect\" needs four numbers"));
        return {};
    }
    const QJsonObject edges{{"l", json[0]}, {"t", json[1]}, {"r", json[2]}, {"b", json[3]}};
    return {reader.Int32(edges, "l"), reader.Int32(edges, "t"), reader.Int32(edges, "r"),
            reader.Int32(edges, "b")};
}

CVemoItem ItemFromJson(CJsonFieldReader& reader, const QJsonObject& json)
{
    CVemoItem item(Qt::Uninitialized);
    item.m_dwKey = reader.UInt32(json, "key");
    item.m_timeCreated = reader.Int32(json, "created");
    item.m_nPriority = reader.Int32(json, "priority");
    item.m_strTitle = reader.String(json, "title");
    item.m_strMessage = reader.String(json, "message");
    item.m_bQuickListed = reader.Flag(json, "quick_listed");
    item.m_bHasSticky = reader.Flag(json, "has_sticky");
    item.m_rectSticky = RectFromJson(reader, reader.Array(json, "sticky_rect"));
    item.m_crStickyBack = reader.UInt32(json, "sticky_back");
    item.m_crStickyText = reader.UInt32(json, "sticky_text");
    item.m_lfStickyFont = FontFromJson(reader, reader.Object(json, "sticky_font"));
    item.m_bCompleted = reader.Flag(json, "completed");
    item.m_reminder = ReminderFromJson(reader, reader.Object(json, "reminder"));
    return item;
}

// Builds the group through its own loader so the key bookkeeping is the one files get.
CVemoGroup GroupFromJson(CJsonFieldReader& reader, const QJsonObject& json)
{
    const QString name = reader.String(json, "name");
    if (reader.IsOk() && !IsPlainFileName(name))
        reader.Fail(QStringLiteral("\"%1\" cannot be a group name").arg(name));

    const QJsonArray items = reader.Array(json, "items");
    CArchive ar;
    auto count = static_cast<quint32>(items.size());
    ar.Exchange(count);
    QSet<quint32> keys;
    for (const QJsonValue& value : items)
    {
        if (!value.isObject())
            reader.Fail(QStringLiteral("an item is not an object"));
        CVemoItem item = ItemFromJson(reader, value.toObject());
        if (reader.IsOk() && (item.m_dwKey == 0 || keys.contains(item.m_dwKey)))
            reader.Fail(QStringLiteral("group \"%1\": key %2 is 0 or used twice")
                            .arg(name)
                            .arg(item.m_dwKey));
        keys.insert(item.m_dwKey);
        item.Serialize(ar);
    }
    CVemoGroup group;
    group.LoadFromBytes(ar.Bytes());
    group.SetName(name);
    return group;
}
} // namespace

// A group at a time, straight to the output, so a large account is never held as JSON all at
// once. The members go in key order, as the toolkit's own writer puts them.
bool CAccountJson::WriteJson(const CAccountSnapshot& account, QIODevice& out)
{
    return WriteJson(
        account, account.m_groups.size(),
        [&account](qsizetype index, CVemoGroup& group)
        {
            group = account.m_groups[index];
            return true;
        },
        out);
}

bool CAccountJson::WriteJson(const CAccountSnapshot& account, qsizetype groupCount,
                             const GroupSource& groupAt, QIODevice& out)
{
    CJsonTextWriter json;
    json.BeginObject();
    json.Key("account");
    json.Value(account.m_strName);
    json.Key("format");
    json.Value(FormatName);
    json.Key("groups");
    json.BeginArray();
    for (qsizetype i = 0; i < groupCount; ++i)
    {
        CVemoGroup group;
        if (!groupAt(i, group))
            return false;
        WriteGroup(json, group);
        if (!json.FlushTo(out))
            return false;
    }
    json.EndArray();
    json.Key("stored_path");
    json.Value(account.m_strStoredPath);
    json.Key("version");
    json.Value(FormatVersion);
    json.EndObject();
    return json.FlushTo(out);
}

void CAccountJson::WriteGroup(CJsonTextWriter& json, const CVemoGroup& group)
{
    json.BeginObject();
    json.Key("items");
    json.BeginArray();
    for (const CVemoItem& item : group.GetItems())
        WriteItem(json, item);
    json.EndArray();
    json.Key("name");
    json.Value(group.GetName());
    json.EndObject();
}

void CAccountJson::WriteItem(CJsonTextWriter& json, const CVemoItem& item)
{
    json.BeginObject();
    json.Key("completed");
    json.Value(item.m_bCompleted != 0);
    json.Key("created");
    json.Value(item.m_timeCreated);
    json.Key("has_sticky");
    json.Value(item.m_bHasSticky != 0);
    json.Key("key");
    json.Value(item.m_dwKey);
    json.Key("message");
    json.Value(item.m_strMessage);
    json.Key("priority");
    json.Value(item.m_nPriority);
    json.Key("quick_listed");
    json.Value(item.m_bQuickListed != 0);
    json.Key("reminder");
    WriteReminder(json, item.m_reminder);
    json.Key("sticky_back");
    json.Value(item.m_crStickyBack);
    json.Key("sticky_font");
    WriteFont(json, item.m_lfStickyFont);
    json.Key("sticky_rect");
    json.BeginArray();
    for (qint32 side : {item.m_rectSticky.left, item.m_rectSticky.top, item.m_rectSticky.right,
                        item.m_rectSticky.bottom})
        json.Value(side);
    json.EndArray();
    json.Key("sticky_text");
    json.Value(item.m_crStickyText);
    json.Key("title");
    json.Value(item.m_strTitle);
    json.EndObject();
}

void CAccountJson::WriteFont(CJsonTextWriter& json, const CLogFont& font)
{
    json.BeginObject();
    json.Key("char_set");
    json.Value(font.lfCharSet);
    json.Key("clip_precision");
    json.Value(font.lfClipPrecision);
    json.Key("escapement");
    json.Value(font.lfEscapement);
    json.Key("face_name");
    json.Value(font.lfFaceName);
    json.Key("height");
    json.Value(font.lfHeight);
    json.Key("italic");
    json.Value(font.lfItalic);
    json.Key("orientation");
    json.Value(font.lfOrientation);
    json.Key("out_precision");
    json.Value(font.lfOutPrecision);
    json.Key("pitch_and_family");
    json.Value(font.lfPitchAndFamily);
    json.Key("quality");
    json.Value(font.lfQuality);
    json.Key("strike_out");
    json.Value(font.lfStrikeOut);
    json.Key("underline");
    json.Value(font.lfUnderline);
    json.Key("weight");
    json.Value(font.lfWeight);
    json.Key("width");
    json.Value(font.lfWidth);
    json.EndObject();
}

void CAccountJson::WriteReminder(CJsonTextWriter& json, const CReminderSpec& reminder)
{
    json.BeginObject();
    json.Key("do_by");
    json.Value(reminder.m_timeDoBy);
    json.Key("enabled");
    json.Value(reminder.m_bEnabled != 0);
    json.Key("lead_seconds");
    json.Value(reminder.m_nLeadSeconds);
    json.Key("mail");
    json.Value(reminder.m_bMail != 0);
    json.Key("message_box");
    json.Value(reminder.m_bMessageBox != 0);
    json.Key("repeat");
    json.Value(reminder.m_nRepeat);
    json.Key("sound");
    json.Value(reminder.m_bSound != 0);
    json.EndObject();
}

bool CAccountJson::FromJson(const QByteArray& json, CAccountSnapshot& account, QString& error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (!document.isObject())
    {
        error = QStringLiteral("not a JSON object: %1").arg(parseError.errorString());
        return false;
    }
    const QJsonObject root = document.object();
    CJsonFieldReader reader;
    if (reader.String(root, "format") != FormatName ||
        reader.Integer(root, "version", FormatVersion, FormatVersion) != FormatVersion)
        reader.Fail(QStringLiteral("not a version %1 Vemo account export").arg(FormatVersion));

    QStringList names;
    account.m_groups.clear();
    for (const QJsonValue& value : reader.Array(root, "groups"))
    {
        if (!value.isObject())
            reader.Fail(QStringLiteral("a group is not an object"));
        CVemoGroup group = GroupFromJson(reader, value.toObject());
        // The program's own rule, so that whatever it exported comes back.
        if (reader.IsOk() && !IsGroupNameFree(group.GetName(), names, {}))
            reader.Fail(QStringLiteral("group \"%1\" appears twice").arg(group.GetName()));
        names.append(group.GetName());
        account.m_groups.append(group);
    }
    error = reader.Error();
    return reader.IsOk();
}
