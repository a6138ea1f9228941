#pragma once

#include <QString>

class IUserPrompts;

// Deletes and renames account folders in the program folder, never the open account's, and
// tells the user, once, why when it refuses or fails.
class CAccountFolders
{
public:
    static bool DeleteAccount(const QString& name, IUserPrompts& prompts);
    static bool RenameAccount(const QString& oldName, const QString& newName,
                              IUserPrompts& prompts);

private:
    static QString AccountFolder(const QString& name);
    static bool IsOpenAccount(const QString& name);
    static bool IsFolderName(const QString& name);
    static bool IsNameInUse(const QString& name);
    static bool MoveAccount(const QString& oldName, const QString& newName);
};
