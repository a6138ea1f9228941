#include "AutostartEntry.h"

#include "base/FileIO.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace
{
const QString EntryName = QStringLiteral("autostart/com.quorvex.Vemo.desktop");

// Quoted as desktop entries quote an argument, so a path with blanks stays one argument.
QString QuotedProgram(QString program)
{
    for (const char* special : {"\\", "\"", "`", "$"})
        program.replace(QLatin1String(special), QLatin1String("\\") + QLatin1String(special));
    return QLatin1Char('"') + program + QLatin1Char('"');
}
} // namespace

QString CAutostartEntry::Path()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(EntryName);
}

bool CAutostartEntry::IsEnabled()
{
    return QFileInfo(Path()).isFile();
}

QByteArray CAutostartEntry::EntryText(const QString& program)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Vemo\n"
                          "Comment=Task lists with reminders and sticky notes\n"
                          "Icon=com.quorvex.Vemo\n"
                          "Exec=%1\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(QuotedProgram(program))
        .toUtf8();
}

bool CAutostartEntry::SetEnabled(bool enabled, const QString& program)
{
    const QString path = Path();
    if (!enabled)
        return !QFileInfo::exists(path) || QFile::remove(path);
    return QDir().mkpath(QFileInfo(path).path()) && WriteFileAtomically(path, EntryText(program));
}
