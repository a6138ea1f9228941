#pragma once

#include <QWidget>

// The child a GUI test drives, by object name; a missing one ends the test at once.
template <typename Widget>
Widget& Find(QWidget& parent, const char* name)
{
    auto* widget = parent.findChild<Widget*>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no widget %s", name);
    return *widget;
}
