#include "HelpPages.h"

#include "VemoMessageBox.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace
{
const QString HelpFailed =
    QStringLiteral("Vemo was not able to open the help file.\n\n Tip : Make sure that you have a "
                   "web browser installed on your system (e.g. Firefox or Chromium).");
const char* const HelpFolders[] = {"help", "../share/vemo/help"};
const QString ContentsPage = QStringLiteral("contents.html");
} // namespace

QString FindHelpContents()
{
    const QDir programFolder(QCoreApplication::applicationDirPath());
    for (const char* folder : HelpFolders)
    {
        const QString page =
            programFolder.filePath(QLatin1String(folder) + QLatin1Char('/') + ContentsPage);
        if (QFileInfo(page).isFile())
            return QDir::cleanPath(page);
    }
    return QString();
}

void OpenHelp(QWidget* parent, const QString& contents)
{
    if (contents.isEmpty() || !QFileInfo(contents).isFile() ||
        !QDesktopServices::openUrl(QUrl::fromLocalFile(contents)))
        ShowVemoMessage(parent, HelpFailed, IUserPrompts::Exclamation);
}
