#pragma once

#include <QString>

class CVemoAccount;

// Every account command's enable rule, check state and action, acting on the tree's selection
// at the moment it runs. Menus, tool bar, shortcuts and the tray menu bind to these.
class CAccountCommands
{
public:
    explicit CAccountCommands(CVemoAccount& account);

    bool Handles(int id) const;
    bool IsEnabled(int id) const;
    bool IsChecked(int id) const;
    void Execute(int id);

    // In-place rename of the selected group; whether the tree should take the new label.
    bool RenameSelectedGroup(const QString& newName);

private:
    QString ItemGroup() const;
    QString SelectedGroup() const;
    quint32 SelectedKey() const;
    bool SelectedItemInQuickList() const;

    void AddGroup();
    void RemoveGroup();
    void AddItem();
    void RemoveItem();
    void AddToQuickList();
    void RemoveFromQuickList();
    void SelectQuickListEntry(int index);
    void MakeItemAndSticky();
    void DeleteAllItems();
    void EditProperties();
    void SendItem();
    void ToggleStickiesOnTop();
    void ToggleCompleted();
    bool Confirm(const QString& question);
    void Refuse(const QString& text);
    bool CheckNewGroupName(const QString& name, const QString& renamedGroup);

    CVemoAccount& m_account;
};
