#pragma once

#include "AccountSnapshot.h"

#include <QByteArray>
#include <QIODevice>
#include <QJsonObject>
#include <QString>

// The account as JSON: every stored field of every item, so that an account exported and
// imported again gives the same group files.
class CAccountJson
{
public:
    // False when the output could not be written.
    static bool WriteJson(const CAccountSnapshot& account, QIODevice& out);
    // False with a one-line reason when the JSON is not a complete, valid account.
    static bool FromJson(const QByteArray& json, CAccountSnapshot& account, QString& error);

private:
    static QByteArray GroupToJson(const CVemoGroup& group);
    static QJsonObject ItemToJson(const CVemoItem& item);
    static QJsonObject FontToJson(const CLogFont& font);
    static QJsonObject ReminderToJson(const CReminderSpec& reminder);
};
