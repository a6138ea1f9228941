#pragma once

#include <QString>

// Messages keep "\r\n" in the model and in files; the toolkit's text widgets, the clipboard and
// the desktop take "\n". The conversion happens at that edge and nowhere else.
inline QString ToShownLineBreaks(const QString& stored)
{
    return QString(stored).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

inline QString ToStoredLineBreaks(const QString& shown)
{
    return QString(shown).replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
}
