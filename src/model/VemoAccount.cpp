#include "VemoAccount.h"

#include "AccountFile.h"
#include "GroupName.h"
#include "GroupTree.h"
#include "MainWindow.h"
#include "StickyHost.h"
#include "UserPrompts.h"
#include "base/Clock.h"
#include "base/FileIO.h"
#include "base/PathUtils.h"
#include "base/ProgramFolder.h"
#include "base/Settings.h"
#include "reminders/MailTransport.h"
#include "tray/QuickList.h"

#include <QDir>
#include <QFile>

CVemoAccount* g_pAccount = nullptr;

namespace
{
const QString NoAccountTitle = QStringLiteral("[No Account]");
const QString WelcomeTitle = QStringLiteral("My First Vemo Item");
const QString WelcomeMessage = QStringLiteral(
    "Welcome to Vemo!\r\nTo get started, choose 'Add Item' from the 'Item' menu and enter the "
    "properties for your first item.  That's all there is to it!");
const QString LastAccountFailed = QStringLiteral("The last account used could not be opened.");
const QString AccountExists = QStringLiteral(
    "You already have an account by that name.  Would you like\nto open that account?");
const QString AccountOpenFailed = QStringLiteral("The account could not be opened.");
const QString SaveFailedOnClose =
    QStringLiteral("The account could not be saved.  Continue to close this account?");
const QString KeptForNextSave =
    QStringLiteral("Your changes are kept, and Vemo will try again at the next save.  Check that "
                   "the disk has room and that the account's folder can be written.");
const QString AccountNotSaved =
    QStringLiteral("The account could not be saved.  ") + KeptForNextSave;
const QString GroupsNotSaved =
    QStringLiteral("These groups could not be saved:\n\n%1\n\n") + KeptForNextSave;
const QString GroupsUnreadable =
    QStringLiteral("Some groups of this account could not be read, so they are not shown.  "
                   "Their files have been left as they were.");
} // namespace

CVemoAccount::CVemoAccount(const CPorts& ports)
    : m_ports(ports)
    , m_strTitle(NoAccountTitle)
{
    m_reminderScheduler.Create(this, m_ports.m_pAnnouncer);
    GetQuickList().SetTree(m_ports.m_pTree);
}

CVemoAccount::~CVemoAccount()
{
    GetQuickList().SetTree(nullptr);
}

void CVemoAccount::SetTitle(const QString& title)
{
    m_strTitle = title;
    m_ports.m_pMainWindow->SetDocumentTitle(title);
}

bool CVemoAccount::OnNewDocument()
{
    const QString path = GetSettings().GetDefaultAccount();
    if (path.isEmpty())
    {
        SetTitle(NoAccountTitle);
        return true;
    }
    if (!OpenAccount(path))
    {
        m_strPath.clear();
        SetTitle(NoAccountTitle);
        GetSettings().SetDefaultAccount(QString());
        m_ports.m_pPrompts->MessageBox(LastAccountFailed, IUserPrompts::NoIcon);
    }
    return true;
}

bool CVemoAccount::OpenAccount(const QString& path)
{
    QString folder = path;
    if (folder.isEmpty())
    {
        QString name;
        if (!m_ports.m_pPrompts->AskAccountToOpen(name))
            return false;
        folder = GetProgramFolder() + name;
    }
    if (IsOpen())
        CloseAccount();
    folder = QDir::cleanPath(folder);
    if (!CAccountFile::CheckFolder(folder))
        return false;

    Reset();
    m_strPath = folder;
    RemoveLeftOverTemporaryFiles(m_strPath);
    if (!LoadGroups())
        m_ports.m_pPrompts->MessageBox(GroupsUnreadable, IUserPrompts::Exclamation);
    // By index: a reminder alert shown while loading lets the user change the account.
    for (int i = 0; i < m_groups.size(); ++i)
        ShowLoadedGroup(CVemoGroup(m_groups[i]));
    SetTitle(CAccountFile::AccountName(m_strPath));
    return true;
}

void CVemoAccount::Reset()
{
    m_bSaveFailureReported = false;
    m_ports.m_pTree->DeleteAllNodes();
    m_groups.clear();
    m_ports.m_pStickies->DestroyAllStickies();
    GetQuickList().RemoveAll();
    m_reminderScheduler.RemoveAll();
}

// A group file that cannot be read is left out and left alone: keeping it in the account would
// sooner or later write the few items read over the rest. False when any was left out.
bool CVemoAccount::LoadGroups()
{
    const QDir dir(m_strPath);
    bool allRead = true;
    for (const QString& file : CVemoGroup::ListGroupFiles(m_strPath))
    {
        CVemoGroup group;
        if (!group.LoadFromFile(dir.filePath(file)))
        {
            allRead = false;
            continue;
        }
        for (const CVemoItem& item : group.GetItems())
        {
            if (item.m_bQuickListed)
                GetQuickList().Add(group.GetName(), item.m_dwKey);
        }
        m_groups.append(std::move(group));
    }
    return allRead;
}

// Works on a copy: reminders that fire while they are added change the stored items.
void CVemoAccount::ShowLoadedGroup(const CVemoGroup& group)
{
    for (const CVemoItem& loaded : group.GetItems())
    {
        if (loaded.m_bHasSticky)
        {
            CVemoItem item = loaded;
            if (m_ports.m_pStickies->CreateSticky(group.GetName(), item) &&
                item.m_rectSticky != loaded.m_rectSticky)
                SetStickyRect(group.GetName(), item.m_dwKey, item.m_rectSticky);
        }
        if (loaded.m_reminder.m_bEnabled)
            m_reminderScheduler.AddReminder(group.GetName(), loaded.m_dwKey, loaded.m_reminder);
    }
    const CVemoGroup* current = Group(group.GetName());
    m_ports.m_pTree->AddGroupNode(current ? *current : group);
}

bool CVemoAccount::NewAccount()
{
    QString name;
    if (!m_ports.m_pPrompts->AskNewAccountName(name))
        return false;
    const QString refusal = NameRefusal(name, NameKind::Account);
    if (!refusal.isEmpty())
    {
        m_ports.m_pPrompts->MessageBox(refusal, IUserPrompts::Exclamation);
        return false;
    }
    // Names that differ only in letter case name one account, as they name one group.
    const QString existing = FindEntryNamed(GetProgramFolder(), name);
    if (!existing.isEmpty())
    {
        if (m_ports.m_pPrompts->MessageBox(AccountExists, IUserPrompts::Question) !=
            IUserPrompts::Yes)
            return false;
        if (OpenAccount(GetProgramFolder() + existing))
            return true;
        m_ports.m_pPrompts->MessageBox(AccountOpenFailed, IUserPrompts::Exclamation);
        return false;
    }
    const QString folder = GetProgramFolder() + name;
    if (!QDir().mkpath(folder) || !CAccountFile::Write(folder))
        return false;

    Reset();
    m_strPath = folder;
    SetTitle(name);
    QString groupName;
    AddDefaultGroup(groupName, true);
    return true;
}

bool CVemoAccount::SaveAccount(bool reportAgain)
{
    if (WriteAccountFiles())
        return true;
    if (m_bSaveFailureReported && !reportAgain)
        return false;
    // Set first: an auto-save while the message is up must not show it again.
    m_bSaveFailureReported = true;
    const QString text = m_unsavedGroups.isEmpty()
                             ? AccountNotSaved
                             : GroupsNotSaved.arg(m_unsavedGroups.join(u'\n'));
    m_ports.m_pPrompts->MessageBox(text, IUserPrompts::Exclamation);
    return false;
}

// The account file first, without which no group file is written. A group that could not be
// written stays modified and is tried again at the next save; a save that writes everything
// ends the failure, so the next one is reported again.
bool CVemoAccount::WriteAccountFiles()
{
    m_unsavedGroups.clear();
    m_bAccountFileSaved = CAccountFile::Write(m_strPath);
    for (CVemoGroup& group : m_groups)
    {
        if (group.IsModified() && (!m_bAccountFileSaved || !group.SaveToFile(m_strPath)))
            m_unsavedGroups.append(group.GetName());
    }
    const bool saved = m_bAccountFileSaved && m_unsavedGroups.isEmpty();
    if (saved)
        m_bSaveFailureReported = false;
    return saved;
}

bool CVemoAccount::SaveModified(bool userAsked)
{
    if (!IsOpen())
    {
        GetSettings().SetDefaultAccount(QString());
        return true;
    }
    m_ports.m_pStickies->SaveStickyTexts();
    SaveAccount(userAsked);
    RememberIfSaved();
    return true;
}

bool CVemoAccount::SaveBeforeClosing()
{
    if (!IsOpen())
        return true;
    m_ports.m_pStickies->SaveStickyTexts();
    const bool saved = WriteAccountFiles();
    RememberIfSaved();
    if (saved)
        return true;
    // The question tells of the failure, so the saves of the close itself need not.
    m_bSaveFailureReported = true;
    return m_ports.m_pPrompts->MessageBox(SaveFailedOnClose, IUserPrompts::Question) ==
           IUserPrompts::Yes;
}

// An account whose account file is written opens at the next start, even while some of its
// groups wait for a save that works.
void CVemoAccount::RememberIfSaved()
{
    if (m_bAccountFileSaved)
        GetSettings().SetDefaultAccount(m_strPath);
}

void CVemoAccount::CloseAccount()
{
    m_ports.m_pStickies->CloseAllStickies();
    SaveModified();
    m_strPath.clear();
    m_bSaveFailureReported = false;
    SetTitle(NoAccountTitle);
    m_ports.m_pTree->DeleteAllNodes();
    m_groups.clear();
    GetQuickList().RemoveAll();
    m_reminderScheduler.RemoveAll();
}

int CVemoAccount::FindGroup(const QString& name) const
{
    for (int i = 0; i < m_groups.size(); ++i)
    {
        if (SameGroupName(m_groups[i].GetName(), name))
            return i;
    }
    return -1;
}

CVemoGroup* CVemoAccount::Group(const QString& name)
{
    const int index = FindGroup(name);
    return index < 0 ? nullptr : &m_groups[index];
}

const CVemoGroup* CVemoAccount::Group(const QString& name) const
{
    const int index = FindGroup(name);
    return index < 0 ? nullptr : &m_groups[index];
}

void CVemoAccount::AddGroup(const CVemoGroup& group)
{
    m_groups.append(group);
    m_ports.m_pTree->AddGroupNode(group);
}

bool CVemoAccount::AddDefaultGroup(QString& name, bool withWelcomeItem)
{
    name = DefaultGroupName;
    for (int counter = 1; !IsGroupNameFree(name); ++counter)
        name += QString::number(counter);

    CVemoGroup group;
    group.SetName(name);
    quint32 welcomeKey = 0;
    if (withWelcomeItem)
    {
        const qint32 now = GetClock().Now();
        welcomeKey =
            group.AddNewItem(now, now, CVemoItem::PriorityHigh, WelcomeTitle, WelcomeMessage);
    }
    AddGroup(group);
    ShowSticky(name, welcomeKey, true);
    return true;
}

bool CVemoAccount::IsGroupNameFree(const QString& name, const QString& renamedGroup) const
{
    QStringList names;
    for (const CVemoGroup& group : m_groups)
        names.append(group.GetName());
    const CVemoGroup* renamed = renamedGroup.isEmpty() ? nullptr : Group(renamedGroup);
    return ::IsGroupNameFree(name, names, ListFolderEntries(m_strPath),
                             renamed ? renamed->GetName() : renamedGroup);
}

bool CVemoAccount::RenameGroup(const QString& oldName, const QString& newName)
{
    CVemoGroup* group = Group(oldName);
    if (!group)
        return false;
    const QString storedName = group->GetName();
    const QString oldFile = group->GetFilePath(m_strPath);
    group->SetName(newName);
    // Letter case alone: one file on some systems, so it is moved rather than written twice.
    const bool caseOnly = SameGroupName(storedName, newName);
    if (caseOnly && QFile::exists(oldFile))
        QFile::rename(oldFile, group->GetFilePath(m_strPath));
    if (!group->SaveToFile(m_strPath))
    {
        if (caseOnly)
            QFile::rename(group->GetFilePath(m_strPath), oldFile);
        group->SetName(storedName);
        return false;
    }
    if (!caseOnly)
        QFile::remove(oldFile);
    GetQuickList().RenameGroup(storedName, newName);
    m_reminderScheduler.RenameGroup(storedName, newName);
    m_ports.m_pStickies->RenameGroup(storedName, newName);
    return true;
}

// The group's removed items also leave the quick list and the scheduler.
void CVemoAccount::DropItemEntries(const QString& group, const CVemoGroup& removed)
{
    for (const CVemoItem& item : removed.GetItems())
        m_reminderScheduler.RemoveReminder(group, item.m_dwKey);
    GetQuickList().RemoveGroup(group);
}

bool CVemoAccount::RemoveGroup(const QString& name)
{
    const int index = FindGroup(name);
    if (index < 0)
        return false;
    SetGroupStickies(name, false);
    const CVemoGroup group = m_groups[index];
    DropItemEntries(group.GetName(), group);
    group.DeleteGroupFile(m_strPath);
    m_groups.removeAt(index);
    m_ports.m_pTree->DeleteGroupNode(group.GetName());
    return true;
}

bool CVemoAccount::RemoveAllItems(const QString& name)
{
    CVemoGroup* group = Group(name);
    if (!group)
        return false;
    DropItemEntries(group->GetName(), *group);
    group->RemoveAllItems();
    m_ports.m_pTree->DeleteGroupItemNodes(group->GetName());
    m_ports.m_pStickies->RemoveGroupStickies(group->GetName());
    return true;
}

bool CVemoAccount::CollectItems(int scope, const QString& group, QVector<CVemoItem>& items) const
{
    if (scope == 0)
    {
        for (const CVemoGroup& each : m_groups)
            items += each.GetItems();
        return true;
    }
    const CVemoGroup* one = scope == 1 ? Group(group) : nullptr;
    if (!one)
        return false;
    items += one->GetItems();
    return true;
}

bool CVemoAccount::GetItemCopy(const QString& group, quint32 key, CVemoItem& item) const
{
    const CVemoGroup* source = Group(group);
    return source && source->GetItem(key, item);
}

bool CVemoAccount::SetItem(const QString& group, quint32 key, const CVemoItem& item)
{
    CVemoGroup* target = Group(group);
    return target && target->SetItem(key, item);
}

bool CVemoAccount::ChangeItem(const QString& group, quint32 key,
                              const std::function<void(CVemoItem&)>& change)
{
    CVemoItem item(Qt::Uninitialized);
    if (!GetItemCopy(group, key, item))
        return false;
    change(item);
    return SetItem(group, key, item);
}

bool CVemoAccount::SetItemTitle(const QString& group, quint32 key, const QString& title)
{
    return ChangeItem(group, key, [&](CVemoItem& item) { item.m_strTitle = title; });
}

bool CVemoAccount::SetItemMessage(const QString& group, quint32 key, const QString& text)
{
    return ChangeItem(group, key, [&](CVemoItem& item) { item.m_strMessage = text; });
}

bool CVemoAccount::SetCompleted(const QString& group, quint32 key, bool completed, bool updateView)
{
    if (!ChangeItem(group, key, [&](CVemoItem& item) { item.m_bCompleted = completed ? 1 : 0; }))
        return false;
    if (updateView)
        m_ports.m_pTree->SetItemCheck(group, key, completed);
    return true;
}

bool CVemoAccount::IsCompleted(quint32 key) const
{
    CVemoItem item(Qt::Uninitialized);
    return GetItemCopy(m_ports.m_pTree->GetSelectedGroupName(false), key, item) &&
           item.m_bCompleted != 0;
}

bool CVemoAccount::SetQuickListed(const QString& group, quint32 key, bool quickListed)
{
    CVemoGroup* target = Group(group);
    return target && target->SetQuickListed(key, quickListed);
}

bool CVemoAccount::SetStickyRect(const QString& group, quint32 key, const CRect32& rect)
{
    return ChangeItem(group, key, [&](CVemoItem& item) { item.m_rectSticky = rect; });
}

bool CVemoAccount::SetStickyLook(const QString& group, quint32 key, quint32 back, quint32 text,
                                 const CLogFont& font)
{
    const bool stored = ChangeItem(group, key,
                                   [&](CVemoItem& item)
                                   {
                                       item.m_crStickyBack = back;
                                       item.m_crStickyText = text;
                                       item.m_lfStickyFont = font;
                                   });
    if (stored)
        m_ports.m_pStickies->SetStickyAppearance(group, key, back, text, font);
    return stored;
}

bool CVemoAccount::HasSticky(const QString& group, quint32 key) const
{
    CVemoItem item(Qt::Uninitialized);
    return GetItemCopy(group, key, item) && item.m_bHasSticky != 0;
}

// Hiding lets the note store its text in the item first, so the item is read after that.
bool CVemoAccount::ShowSticky(const QString& group, quint32 key, bool show)
{
    CVemoItem item(Qt::Uninitialized);
    if (!GetItemCopy(group, key, item))
        return false;
    bool done = false;
    if (show)
    {
        item.m_bHasSticky = 1;
        done = m_ports.m_pStickies->CreateSticky(group, item);
    }
    else
    {
        done = m_ports.m_pStickies->RemoveSticky(group, key);
        GetItemCopy(group, key, item);
        item.m_bHasSticky = 0;
    }
    SetItem(group, key, item);
    m_ports.m_pTree->UpdateItemIcon(group, key);
    return done;
}

void CVemoAccount::ToggleSticky(const QString& group, quint32 key)
{
    const bool hadSticky = HasSticky(group, key);
    if (ShowSticky(group, key, !hadSticky) && !hadSticky)
        m_ports.m_pStickies->FocusSticky(group, key);
}

bool CVemoAccount::SetGroupStickies(const QString& group, bool show)
{
    const CVemoGroup* source = Group(group);
    if (!source)
        return false;
    const QVector<CVemoItem> items = source->GetItems();
    for (const CVemoItem& item : items)
    {
        if ((item.m_bHasSticky != 0) != show)
            ShowSticky(group, item.m_dwKey, show);
    }
    return true;
}

quint32 CVemoAccount::AddItemToGroup(const QString& group, const CVemoItem& item)
{
    CVemoGroup* target = Group(group);
    if (!target)
        return 0;
    const quint32 key = target->AddItem(item);
    CVemoItem stored(Qt::Uninitialized);
    target->GetItem(key, stored);
    m_ports.m_pTree->AddItemNode(group, stored);
    if (stored.m_bQuickListed)
        GetQuickList().Add(group, key);
    if (stored.m_bHasSticky)
        ShowSticky(group, key, true);
    if (stored.m_reminder.m_bEnabled)
        m_reminderScheduler.AddReminder(group, key, stored.m_reminder);
    return key;
}

bool CVemoAccount::RemoveItem(const QString& group, quint32 key)
{
    CVemoGroup* target = Group(group);
    if (!target)
        return false;
    m_ports.m_pTree->DeleteItemNode(group, key);
    ShowSticky(group, key, false);
    m_reminderScheduler.RemoveReminder(group, key);
    GetQuickList().Remove(group, key);
    return target->RemoveItem(key);
}

bool CVemoAccount::ReminderAdvanced(const QString& group, quint32 key, qint32 newDoBy)
{
    CVemoItem item(Qt::Uninitialized);
    if (!GetItemCopy(group, key, item))
        return false;
    item.m_reminder.m_timeDoBy = newDoBy;
    SetItem(group, key, item);
    m_reminderScheduler.UpdateReminder(group, key, item.m_reminder);
    return true;
}

bool CVemoAccount::ReminderFinished(const QString& group, quint32 key)
{
    if (!ChangeItem(group, key, [](CVemoItem& item) { item.m_reminder.m_bEnabled = 0; }))
        return false;
    m_reminderScheduler.RemoveReminder(group, key);
    return true;
}

bool CVemoAccount::IsMailAvailable() const
{
    return m_ports.m_pMail && m_ports.m_pMail->IsAvailable(IMailTransport::OpenCompose);
}

bool CVemoAccount::SendItemMail(const QString& group, quint32 key, bool forReminder)
{
    CVemoItem item(Qt::Uninitialized);
    if (!GetItemCopy(group, key, item))
        return false;
    CSettings& settings = GetSettings();
    const QString addendum = settings.GetAddendum();
    IMailTransport::CMailMessage message;
    message.m_strBody = addendum.isEmpty() ? item.m_strMessage
                                           : addendum + QStringLiteral("\r\n") + item.m_strMessage;
    message.m_strFromName = settings.GetMailFrom();
    message.m_strTo = settings.GetMailTo();
    message.m_strSubject = item.m_strTitle;
    if (forReminder && message.m_strTo.isEmpty())
        return false;
    const auto mode = forReminder ? IMailTransport::SendSilently : IMailTransport::OpenCompose;
    if (!m_ports.m_pMail || !m_ports.m_pMail->IsAvailable(mode))
        return false;
    return m_ports.m_pMail->Send(message, mode) != IMailTransport::Failed;
}

const QString CVemoAccount::DefaultGroupName = QStringLiteral("Things To Do");
