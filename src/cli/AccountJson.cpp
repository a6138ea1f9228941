#include "AccountJson.h"

#include "JsonFieldReader.h"
#include "model/Archive.h"
#include "model/GroupName.h"
#include "shell/PathUtils.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>

namespace
{
// Where a group's object stands in the document: inside the root object and its groups array.
const QByteArray GroupIndent(8, ' ');

// The group's own document moved in to its place in the array, with the comma that follows it
// unless it is the last.
QByteArray IndentedGroup(const QByteArray& group, bool more)
{
    QByteArray text;
    text.reserve(group.size() + group.count('\n') * GroupIndent.size() + 2);
    text.append(GroupIndent);
    for (qsizetype i = 0; i + 1 < group.size(); ++i)
    {
        text.append(group[i]);
        if (group[i] == '\n')
            text.append(GroupIndent);
    }
    text.append(more ? ",\n" : "\n");
    return text;
}
const QString FormatName = QStringLiteral("vemo-account");
constexpr int FormatVersion = 1;

QJsonArray RectToJson(const CRect32& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

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

// A group at a time, laid out as the toolkit's indented writer lays out the whole document, so
// a large account is never held as JSON all at once. The groups go where a marker stands in the
// document's frame.
bool CAccountJson::WriteJson(const CAccountSnapshot& account, QIODevice& out)
{
    const QString marker = QStringLiteral("\u0001groups\u0001");
    QJsonArray groupsFrame;
    if (!account.m_groups.isEmpty())
        groupsFrame.append(marker);
    const QJsonObject root{{"format", FormatName},
                           {"version", FormatVersion},
                           {"account", account.m_strName},
                           {"stored_path", account.m_strStoredPath},
                           {"groups", groupsFrame}};
    const QByteArray frame = QJsonDocument(root).toJson(QJsonDocument::Indented);
    const QByteArray markerLine = GroupIndent + QByteArray("\"\\u0001groups\\u0001\"\n");
    const qsizetype at = frame.indexOf(markerLine);
    if (at < 0)
        return out.write(frame) == frame.size();
    bool written = out.write(frame.left(at)) == at;
    for (qsizetype i = 0; i < account.m_groups.size() && written; ++i)
    {
        const QByteArray text =
            IndentedGroup(GroupToJson(account.m_groups[i]), i + 1 < account.m_groups.size());
        written = out.write(text) == text.size();
    }
    const QByteArray rest = frame.mid(at + markerLine.size());
    return written && out.write(rest) == rest.size();
}

QByteArray CAccountJson::GroupToJson(const CVemoGroup& group)
{
    QJsonArray items;
    for (const CVemoItem& item : group.GetItems())
        items.append(ItemToJson(item));
    return QJsonDocument(QJsonObject{{"name", group.GetName()}, {"items", items}})
        .toJson(QJsonDocument::Indented);
}

QJsonObject CAccountJson::ItemToJson(const CVemoItem& item)
{
    return {{"key", qint64(item.m_dwKey)},
            {"created", item.m_timeCreated},
            {"priority", item.m_nPriority},
            {"title", item.m_strTitle},
            {"message", item.m_strMessage},
            {"quick_listed", item.m_bQuickListed != 0},
            {"has_sticky", item.m_bHasSticky != 0},
            {"sticky_rect", RectToJson(item.m_rectSticky)},
            {"sticky_back", qint64(item.m_crStickyBack)},
            {"sticky_text", qint64(item.m_crStickyText)},
            {"sticky_font", FontToJson(item.m_lfStickyFont)},
            {"completed", item.m_bCompleted != 0},
            {"reminder", ReminderToJson(item.m_reminder)}};
}

QJsonObject CAccountJson::FontToJson(const CLogFont& font)
{
    return {{"height", font.lfHeight},
            {"width", font.lfWidth},
            {"escapement", font.lfEscapement},
            {"orientation", font.lfOrientation},
            {"weight", font.lfWeight},
            {"italic", font.lfItalic},
            {"underline", font.lfUnderline},
            {"strike_out", font.lfStrikeOut},
            {"char_set", font.lfCharSet},
            {"out_precision", font.lfOutPrecision},
            {"clip_precision", font.lfClipPrecision},
            {"quality", font.lfQuality},
            {"pitch_and_family", font.lfPitchAndFamily},
            {"face_name", font.lfFaceName}};
}

QJsonObject CAccountJson::ReminderToJson(const CReminderSpec& reminder)
{
    return {{"do_by", reminder.m_timeDoBy},
            {"lead_seconds", reminder.m_nLeadSeconds},
            {"message_box", reminder.m_bMessageBox != 0},
            {"sound", reminder.m_bSound != 0},
            {"mail", reminder.m_bMail != 0},
            {"enabled", reminder.m_bEnabled != 0},
            {"repeat", reminder.m_nRepeat}};
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
