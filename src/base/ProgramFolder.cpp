#include "ProgramFolder.h"

#include "PathUtils.h"

#include <QDir>
#include <QStandardPaths>

QString GetProgramFolder()
{
    QString folder = qEnvironmentVariable("VEMO_HOME");
    if (folder.isEmpty())
    {
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                 QStringLiteral("/Quorvex/Vemo");
    }
    folder = QDir::cleanPath(QDir(folder).absolutePath());
    AddTrailingBackslash(folder);
    return folder;
}
