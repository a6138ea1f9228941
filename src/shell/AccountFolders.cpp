#include "AccountFolders.h"

#include "base/PathUtils.h"
#include "base/ProgramFolder.h"
#include "model/AccountFile.h"
#include "model/GroupName.h"
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
    const QString refusal = NameRefusal(newName, NameKind::Account);
    if (!refusal.isEmpty())
    {
        prompts.MessageBox(refusal, IUserPrompts::Exclamation);
        return false;
    }
    // A name taken in any letter case is in use: account names are compared ignoring case.
    if (!IsFolderName(oldName) || !PathExists(AccountFolder(oldName)) || IsNameInUse(newName) ||
        !MoveAccount(oldName, newName))
    {
        prompts.MessageBox(QStringLiteral("Failed to rename the account."),
                           IUserPrompts::Exclamation);
        return false;
    }
    return true;
}

QString CAccountFolders::AccountFolder(const QString& name)
{
    return GetProgramFolder() + name;
}

bool CAccountFolders::IsOpenAccount(const QString& name)
{
    return g_pAccount && g_pAccount->IsOpen() &&
           SameGroupName(CAccountFile::AccountName(g_pAccount->GetPath()), name);
}

// Anything else would reach outside the program folder or be the program folder itself.
bool CAccountFolders::IsFolderName(const QString& name)
{
    return !name.isEmpty() && name != u"." && name != u".." && FindPathSeparator(name, true, 0) < 0;
}

bool CAccountFolders::IsNameInUse(const QString& name)
{
    return !FindEntryNamed(GetProgramFolder(), name).isEmpty();
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
