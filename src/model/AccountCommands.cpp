#include "AccountCommands.h"

#include "CommandIds.h"
#include "GroupName.h"
#include "GroupTree.h"
#include "MainWindow.h"
#include "StickyHost.h"
#include "UserPrompts.h"
#include "VemoAccount.h"
#include "base/Clock.h"
#include "base/LocalTime.h"
#include "base/PathUtils.h"
#include "base/Settings.h"
#include "tray/QuickList.h"

namespace
{
const QString ConfirmRemoveGroup =
    QStringLiteral("Are you sure you want to delete this group permanently?");
const QString ConfirmRemoveItem =
    QStringLiteral("Are you sure you want to delete this item permanently?");
const QString ConfirmDeleteAllItems =
    QStringLiteral("Are you sure you want to delete all items in this group?");
const QString GroupNameUsed =
    QStringLiteral("You must use a group name that hasn't already been used in this account.");
const QString GroupRenameFailed =
    QStringLiteral("The group could not be renamed.  Check that the disk has room and that the "
                   "account's folder can be written.");
const QString QuickListFull =
    QStringLiteral("You already have the maximum number of items in the quick list.");
const QString NotInQuickList = QStringLiteral("This item isn't in the quick list.");
const QString SendFailed = QStringLiteral(
    "The item could not be sent via E-Mail.  Check your mail settings in Vemo.  If this doesn't "
    "fix the problem, then check your computer's E-Mail settings.");
const QString AddItemCaption = QStringLiteral("Vemo - Add Item");
const QString PropertiesCaption = QStringLiteral("Vemo - Properties");
const QString QuickItemTitle = QStringLiteral("To Do");

bool IsQuickListEntry(int id)
{
    return id >= ID_QUICKLIST_FIRST && id <= ID_QUICKLIST_LAST;
}
} // namespace

CAccountCommands::CAccountCommands(CVemoAccount& account)
    : m_account(account)
{
}

QString CAccountCommands::ItemGroup() const
{
    return m_account.GetPorts().m_pTree->GetSelectedGroupName(false);
}

QString CAccountCommands::SelectedGroup() const
{
    return m_account.GetPorts().m_pTree->GetSelectedGroupName(true);
}

quint32 CAccountCommands::SelectedKey() const
{
    return m_account.GetPorts().m_pTree->GetSelectedItemKey();
}

bool CAccountCommands::SelectedItemInQuickList() const
{
    return GetQuickList().Contains(ItemGroup(), SelectedKey());
}

bool CAccountCommands::Handles(int id) const
{
    switch (id)
    {
    case ID_FILE_NEW:
    case ID_FILE_OPEN:
    case ID_FILE_CLOSE:
    case ID_FILE_SAVE:
    case ID_GROUP_ADD:
    case ID_GROUP_REMOVE:
    case ID_ITEM_ADD:
    case ID_ITEM_REMOVE:
    case ID_QUICKLIST_ADD:
    case ID_QUICKLIST_REMOVE:
    case ID_ITEM_AND_STICKY:
    case ID_STICKY_SHOW:
    case ID_STICKY_HIDE:
    case ID_GROUP_SHOW_STICKIES:
    case ID_GROUP_HIDE_STICKIES:
    case ID_GROUP_DELETE_ALL_ITEMS:
    case ID_ITEM_PROPERTIES:
    case ID_ITEM_SEND:
    case ID_STICKIES_ON_TOP:
    case ID_TASK_COMPLETED:
    case ID_FILE_PRINT:
        return true;
    default:
        return IsQuickListEntry(id);
    }
}

bool CAccountCommands::IsEnabled(int id) const
{
    const bool open = m_account.IsOpen();
    const quint32 key = SelectedKey();
    const bool groupNode = m_account.GetPorts().m_pTree->GetSelectedGroupNode();
    switch (id)
    {
    case ID_MANAGE_ACCOUNTS:
        return true;
    case ID_FILE_CLOSE:
    case ID_FILE_SAVE:
    case ID_GROUP_ADD:
    case ID_ITEM_AND_STICKY:
    case ID_STICKIES_ON_TOP:
    case ID_FILE_PRINT:
        return open;
    case ID_GROUP_REMOVE:
    case ID_GROUP_DELETE_ALL_ITEMS:
        return groupNode;
    case ID_ITEM_ADD:
        return groupNode || key != 0;
    case ID_ITEM_REMOVE:
    case ID_ITEM_PROPERTIES:
    case ID_TASK_COMPLETED:
        return key != 0;
    case ID_QUICKLIST_ADD:
        return key != 0 && !SelectedItemInQuickList();
    case ID_QUICKLIST_REMOVE:
        return key != 0 && SelectedItemInQuickList();
    case ID_STICKY_SHOW:
        return key != 0 && !m_account.HasSticky(ItemGroup(), key);
    case ID_STICKY_HIDE:
        return key != 0 && m_account.HasSticky(ItemGroup(), key);
    case ID_GROUP_SHOW_STICKIES:
    case ID_GROUP_HIDE_STICKIES:
        return open && !SelectedGroup().isEmpty();
    case ID_ITEM_SEND:
        return key != 0 && m_account.IsMailAvailable();
    default:
        return Handles(id);
    }
}

bool CAccountCommands::IsChecked(int id) const
{
    if (id == ID_STICKIES_ON_TOP)
        return GetSettings().GetStickyOnTop();
    if (id == ID_TASK_COMPLETED)
        return m_account.IsCompleted(SelectedKey());
    return false;
}

void CAccountCommands::Execute(int id)
{
    switch (id)
    {
    // Opening or making another account closes this one, so its changes are saved first.
    case ID_FILE_NEW:
        if (m_account.SaveBeforeClosing())
            m_account.NewAccount();
        return;
    case ID_FILE_OPEN:
        if (m_account.SaveBeforeClosing())
            m_account.OpenAccount();
        return;
    case ID_FILE_CLOSE:
        if (m_account.SaveBeforeClosing())
            m_account.CloseAccount();
        return;
    case ID_FILE_SAVE:
        m_account.SaveModified(true);
        return;
    case ID_GROUP_ADD:
        return AddGroup();
    case ID_GROUP_REMOVE:
        return RemoveGroup();
    case ID_ITEM_ADD:
        return AddItem();
    case ID_ITEM_REMOVE:
        return RemoveItem();
    case ID_QUICKLIST_ADD:
        return AddToQuickList();
    case ID_QUICKLIST_REMOVE:
        return RemoveFromQuickList();
    case ID_ITEM_AND_STICKY:
        return MakeItemAndSticky();
    case ID_STICKY_SHOW:
    case ID_STICKY_HIDE:
        m_account.ShowSticky(ItemGroup(), SelectedKey(), id == ID_STICKY_SHOW);
        return;
    case ID_GROUP_SHOW_STICKIES:
    case ID_GROUP_HIDE_STICKIES:
        m_account.SetGroupStickies(SelectedGroup(), id == ID_GROUP_SHOW_STICKIES);
        return;
    case ID_GROUP_DELETE_ALL_ITEMS:
        return DeleteAllItems();
    case ID_ITEM_PROPERTIES:
        return EditProperties();
    case ID_ITEM_SEND:
        return SendItem();
    case ID_STICKIES_ON_TOP:
        return ToggleStickiesOnTop();
    case ID_TASK_COMPLETED:
        return ToggleCompleted();
    case ID_FILE_PRINT:
        m_account.GetPorts().m_pMainWindow->RunPrintJob();
        return;
    default:
        if (IsQuickListEntry(id))
            SelectQuickListEntry(id - ID_QUICKLIST_FIRST);
    }
}

bool CAccountCommands::Confirm(const QString& question)
{
    return m_account.GetPorts().m_pPrompts->MessageBox(question, IUserPrompts::Question) ==
           IUserPrompts::Yes;
}

void CAccountCommands::Refuse(const QString& text)
{
    m_account.GetPorts().m_pPrompts->MessageBox(text, IUserPrompts::Exclamation);
}

// A name must be able to name the group's file, and neither a group nor a file may have it yet.
bool CAccountCommands::CheckNewGroupName(const QString& name, const QString& renamedGroup)
{
    const QString refusal = NameRefusal(name, NameKind::Group);
    if (!refusal.isEmpty())
    {
        Refuse(refusal);
        return false;
    }
    if (!m_account.IsGroupNameFree(name, renamedGroup))
    {
        m_account.GetPorts().m_pPrompts->MessageBox(GroupNameUsed, IUserPrompts::Information);
        return false;
    }
    return true;
}

void CAccountCommands::AddGroup()
{
    QString name;
    if (!m_account.GetPorts().m_pPrompts->AskNewGroupName(name) ||
        !CheckNewGroupName(name, QString()))
        return;
    CVemoGroup group;
    group.SetName(name);
    m_account.AddGroup(group);
}

bool CAccountCommands::RenameSelectedGroup(const QString& newName)
{
    const QString oldName = SelectedGroup();
    if (oldName.isEmpty() || !CheckNewGroupName(newName, oldName))
        return false;
    if (m_account.RenameGroup(oldName, newName))
        return true;
    Refuse(GroupRenameFailed);
    return false;
}

void CAccountCommands::RemoveGroup()
{
    if (Confirm(ConfirmRemoveGroup))
        m_account.RemoveGroup(SelectedGroup());
}

void CAccountCommands::AddItem()
{
    CVemoItem item;
    if (!m_account.GetPorts().m_pPrompts->EditItem(AddItemCaption, item))
        return;
    item.m_timeCreated = GetClock().Now();
    m_account.AddItemToGroup(ItemGroup(), item);
}

void CAccountCommands::RemoveItem()
{
    if (Confirm(ConfirmRemoveItem))
        m_account.RemoveItem(ItemGroup(), SelectedKey());
}

void CAccountCommands::AddToQuickList()
{
    const QString group = ItemGroup();
    const quint32 key = SelectedKey();
    if (GetQuickList().Add(group, key))
        m_account.SetQuickListed(group, key, true);
    else
        Refuse(QuickListFull);
}

void CAccountCommands::RemoveFromQuickList()
{
    const QString group = ItemGroup();
    const quint32 key = SelectedKey();
    if (GetQuickList().Remove(group, key))
        m_account.SetQuickListed(group, key, false);
    else
        Refuse(NotInQuickList);
}

void CAccountCommands::SelectQuickListEntry(int index)
{
    m_account.GetPorts().m_pMainWindow->ShowMainWindow();
    QString group;
    quint32 key = 0;
    if (!GetQuickList().Get(index, group, key))
        return;
    m_account.GetPorts().m_pTree->SelectItemNode(group, key);
    m_account.ToggleSticky(group, key);
}

void CAccountCommands::MakeItemAndSticky()
{
    QString group = ItemGroup();
    if (group.isEmpty() && !m_account.AddDefaultGroup(group, false))
        return;
    if (m_account.FindGroup(group) < 0)
        return;
    const qint32 now = GetClock().Now();
    // Midnight would read as a date without a time of day.
    const qint32 doBy = IsLocalMidnight(now) ? now + 1 : now;
    CVemoItem item(now, doBy, CVemoItem::PriorityNormal);
    item.m_strTitle = QuickItemTitle;
    item.m_bHasSticky = 1;
    m_account.AddItemToGroup(group, item);
}

void CAccountCommands::DeleteAllItems()
{
    if (Confirm(ConfirmDeleteAllItems))
        m_account.RemoveAllItems(SelectedGroup());
}

void CAccountCommands::EditProperties()
{
    const QString group = ItemGroup();
    const quint32 key = SelectedKey();
    CVemoItem item(Qt::Uninitialized);
    if (!m_account.GetItemCopy(group, key, item) ||
        !m_account.GetPorts().m_pPrompts->EditItem(PropertiesCaption, item))
        return;
    const CVemoAccount::CPorts& ports = m_account.GetPorts();
    m_account.SetItem(group, key, item);
    ports.m_pStickies->RefreshSticky(group, key);
    ports.m_pTree->SetItemLabel(group, key, item.m_strTitle);
    if (item.m_bQuickListed)
        GetQuickList().Add(group, key);
    else
        GetQuickList().Remove(group, key);
    m_account.ShowSticky(group, key, item.m_bHasSticky != 0);

    CReminderManager& scheduler = m_account.GetReminderScheduler();
    CReminderSpec scheduled;
    if (!item.m_reminder.m_bEnabled)
        scheduler.RemoveReminder(group, key);
    else if (scheduler.GetReminder(group, key, scheduled))
        scheduler.UpdateReminder(group, key, item.m_reminder);
    else
        scheduler.AddReminder(group, key, item.m_reminder);
}

void CAccountCommands::SendItem()
{
    if (!m_account.SendItemMail(ItemGroup(), SelectedKey(), false))
        Refuse(SendFailed);
}

void CAccountCommands::ToggleStickiesOnTop()
{
    const bool onTop = !GetSettings().GetStickyOnTop();
    GetSettings().SetStickyOnTop(onTop);
    m_account.GetPorts().m_pStickies->SetStickiesOnTop(onTop);
}

void CAccountCommands::ToggleCompleted()
{
    const quint32 key = SelectedKey();
    if (key != 0)
        m_account.SetCompleted(ItemGroup(), key, !m_account.IsCompleted(key), true);
}
