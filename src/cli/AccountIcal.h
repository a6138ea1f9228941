#pragma once

#include "AccountSnapshot.h"

#include <QByteArray>
#include <QString>

// The account as an iCalendar document with one to-do per item, for calendar programs. It holds
// what a calendar can show; the JSON export stays the one that keeps every field.
class CAccountIcal
{
public:
    static QByteArray ToIcal(const CAccountSnapshot& account);
    // False with a one-line reason when the text is not iCalendar or holds a to-do that cannot
    // become an item. Events and journals are passed over and counted in skipped.
    static bool FromIcal(const QByteArray& ical, CAccountSnapshot& account, QString& error,
                         int& skipped);
};
