#pragma once

#include "AccountSnapshot.h"

#include <QByteArray>
#include <QIODevice>
#include <QJsonObject>
#include <QString>

#include <functional>

class CJsonTextWriter;

// The account as JSON: every stored field of every item, so that an account exported and
// imported again gives the same group files.
class CAccountJson
{
public:
    // Gives the index-th group to write; false ends the writing.
    using GroupSource = std::function<bool(qsizetype index, CVemoGroup& group)>;

    // False when the output could not be written.
    static bool WriteJson(const CAccountSnapshot& account, QIODevice& out);
    // The same with the groups handed over one at a time, so only one is held at once.
    static bool WriteJson(const CAccountSnapshot& account, qsizetype groupCount,
                          const GroupSource& groupAt, QIODevice& out);
    // False with a one-line reason when the JSON is not a complete, valid account.
    static bool FromJson(const QByteArray& json, CAccountSnapshot& account, QString& error);

private:
    static void WriteGroup(CJsonTextWriter& json, const CVemoGroup& group);
    static void WriteItem(CJsonTextWriter& json, const CVemoItem& item);
    static void WriteFont(CJsonTextWriter& json, const CLogFont& font);
    static void WriteReminder(CJsonTextWriter& json, const CReminderSpec& reminder);
};
