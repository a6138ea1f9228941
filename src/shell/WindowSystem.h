#pragma once

#include <QProcessEnvironment>

// How the program asks for its window system before the toolkit starts.
enum class WindowSystemChoice
{
    // Whatever the toolkit picks, or the user named.
    AsIs,
    // A Wayland session with an X11 server beside it: X11, where notes keep their places.
    UseX11,
    // A Wayland session alone: notes work, but cannot keep their places or stay on top.
    WaylandOnly,
};

// Notes need window positions and stay-on-top, which a Wayland session keeps from programs. A
// user's own QT_QPA_PLATFORM always wins.
WindowSystemChoice ChooseWindowSystem(const QProcessEnvironment& environment);
