#pragma once

#include <QString>

// The user's entry in the desktop's autostart folder, which starts Vemo with the session: a
// reminder program that is not running reminds no one.
class CAutostartEntry
{
public:
    // ~/.config/autostart/com.quorvex.Vemo.desktop, or below $XDG_CONFIG_HOME.
    static QString Path();
    static bool IsEnabled();
    // Writes the entry that runs the program, or removes it; false when that failed.
    static bool SetEnabled(bool enabled, const QString& program);

private:
    static QByteArray EntryText(const QString& program);
};
