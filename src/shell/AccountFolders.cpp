#include "AccountFolders.h"

#include "PathUtils.h"
#include "ProgramFolder.h"
#include "model/AccountFile.h"
#include "model/UserPrompts.h"
#include "model/VemoAccount.h"

#include <QDir>
#include <QFile>

bool CAccountFolders::DeleteAccount(const QString& name, IUserPrompts& prompts)
{
    if (IsOpenAccount(name))
    {
        prompts.MessageBox(QStringLiteral("This account is currently open.  First close the "
                                          "account,\nthen try deleting it."),
                           IUserPrompts::Exclamation);
        return false;
    }
    const QString folder = AccountFolder(name);
    if (!IsFolderName(name) || !PathExists(folder))
    {
        prompts.MessageBox(QStringLiteral("This account does not exist."),
                           IUserPrompts::Exclamation);
        return false;
    }
    if (DeleteFolderTree(folder))
        return true;
    prompts.MessageBox(QStringLiteral("The account could not be deleted due to OS error."),
                       IUserPrompts::Exclamation);
    return false;
}

bool CAccountFolders::RenameAccount(const QString& oldName, const QString& newName,
                                    IUserPrompts& prompts)
{
    if (IsOpenAccount(oldName))
    {
        prompts.MessageBox(QStringLiteral("This account is currently open.  First close the "
                                          "account,\nthen try renaming it."),
                           IUserPrompts::Exclamation);
        return false;
    }
    if (!IsFolderName(oldName) || !PathExists(AccountFolder(oldName)))
        return false;
    // A name taken in any letter case is in use: account names are compared ignoring case.
    if (!IsPlainFileName(newName) || IsNameInUse(newName))
        return false;
    return MoveAccount(oldName, newName);
}

QString CAccountFolders::AccountFolder(const QString& name)
{
    return GetProgramFolder() + name;
}

bool CAccountFolders::IsOpenAccount(const QString& name)
{
    return g_pAccount && g_pAccount->IsOpen() &&
           CAccountFile::AccountName(g_pAccount->GetPath()).compare(name, Qt::CaseInsensitive) == 0;
}

// Anything else would reach outside the program folder or be the program folder itself.
bool CAccountFolders::IsFolderName(const QString& name)
{
    return !name.isEmpty() && name != u"." && name != u".." && FindPathSeparator(name, true, 0) < 0;
}

bool CAccountFolders::IsNameInUse(const QString& name)
{
    return ListFolderEntries(GetProgramFolder()).contains(name, Qt::CaseInsensitive);
}

bool CAccountFolders::MoveAccount(const QString& oldName, const QString& newName)
{
    const QString oldFolder = AccountFolder(oldName);
    const QString newFolder = AccountFolder(newName);
    if (!QDir().rename(oldFolder, newFolder))
        return false;
    if (!CAccountFile::Write(newFolder))
    {
        QDir().rename(newFolder, oldFolder);
        return false;
    }
    QString oldFile = newFolder;
    AddTrailingBackslash(oldFile);
    QFile::remove(oldFile + oldName + QStringLiteral(".acf"));
    return true;
}
