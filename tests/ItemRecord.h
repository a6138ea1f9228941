#pragma once

#include <QByteArray>
#include <QtEndian>

// An item's record as a group file stores it, field by field in the stored order, so that a
// hand-made fixture names only the fields it is about. The defaults: key 1, made and due
// 2000-01-01, normal priority, empty texts, no sticky, the default sticky colours, Arial -11
// weight 400, and the reminder off with its alert on.
struct CItemRecord
{
    quint32 key = 1;
    qint32 created = 946684800;
    qint32 priority = 2;
    // Plain ASCII shorter than 255 characters, as a one-byte length and the characters; "= {}"
    // lets a fixture leave them out without a warning.
    QByteArray title = {};
    QByteArray message = {};
    qint32 quickListed = 0;
    qint32 hasSticky = 0;
    qint32 stickyLeft = 0;
    qint32 stickyTop = 0;
    qint32 stickyRight = 0;
    qint32 stickyBottom = 0;
    quint32 stickyBack = 0x0080FFFF;
    quint32 stickyText = 0;
    // The sticky's font, its members in alphabetical order.
    quint8 charSet = 0;
    quint8 clipPrecision = 0;
    qint32 escapement = 0;
    QByteArray faceName = "Arial";
    qint32 height = -11;
    quint8 italic = 0;
    qint32 orientation = 0;
    quint8 outPrecision = 0;
    quint8 pitchAndFamily = 0;
    quint8 quality = 0;
    quint8 strikeOut = 0;
    quint8 underline = 0;
    qint32 weight = 400;
    qint32 width = 0;
    qint32 completed = 0;
    // The reminder.
    qint32 doBy = 946684800;
    qint32 leadSeconds = 0;
    qint32 messageBox = 1;
    qint32 sound = 0;
    qint32 enabled = 0;
    qint32 repeat = 0;
    qint32 mail = 0;

    QByteArray Bytes() const
    {
        QByteArray bytes;
        Append(bytes, key, created, priority, title, message, quickListed, hasSticky, stickyLeft,
               stickyTop, stickyRight, stickyBottom, stickyBack, stickyText, charSet, clipPrecision,
               escapement, faceName, height, italic, orientation, outPrecision, pitchAndFamily,
               quality, strikeOut, underline, weight, width, completed, doBy, leadSeconds,
               messageBox, sound, enabled, repeat, mail);
        return bytes;
    }

private:
    template <typename... Fields>
    static void Append(QByteArray& bytes, const Fields&... fields)
    {
        (AppendField(bytes, fields), ...);
    }

    static void AppendField(QByteArray& bytes, const QByteArray& text)
    {
        Q_ASSERT(text.size() < 255);
        bytes.append(char(text.size())).append(text);
    }

    template <typename Number>
    static void AppendField(QByteArray& bytes, Number value)
    {
        const Number stored = qToLittleEndian(value);
        bytes.append(reinterpret_cast<const char*>(&stored), sizeof stored);
    }
};
