#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <functional>

// The child a GUI test drives, by object name; a missing one ends the test at once.
template <typename Widget>
Widget& Find(QWidget& parent, const char* name)
{
    auto* widget = parent.findChild<Widget*>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no widget %s", name);
    return *widget;
}

// Runs the step on the modal dialog of that class once it is up, looking again at every turn of
// the event loop until then: a dialog opened through a queued call is not up at once.
template <typename Dialog>
void WhenModalShown(std::function<void(Dialog&)> step)
{
    QTimer::singleShot(0,
                       [step = std::move(step)]() mutable
                       {
                           if (auto* dialog =
                                   qobject_cast<Dialog*>(QApplication::activeModalWidget()))
                               step(*dialog);
                           else
                               WhenModalShown<Dialog>(std::move(step));
                       });
}

// Every sticky note has come up: notes show on later turns of the event loop, after the window,
// and the offscreen platform hands each the activation as it does.
inline bool AllNotesUp()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::none_of(windows.begin(), windows.end(),
                        [](const QWidget* window)
                        { return window->objectName() == "stickyWnd" && !window->isVisible(); });
}
