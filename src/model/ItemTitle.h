#pragma once

#include <QString>

// What the user is told when a text cannot be an item's title; empty when it can. The item
// dialog and renaming in the tree refuse a title alike.
inline QString TitleRefusal(const QString& title)
{
    return title.isEmpty() ? QStringLiteral("You must enter a title for this item.") : QString();
}
