#pragma once

#include "VemoGroup.h"
#include "reminders/ReminderManager.h"
#include "reminders/ReminderOwner.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class IGroupTree;
class IMailTransport;
class IMainWindow;
class IReminderAnnouncer;
class IStickyHost;
class IUserPrompts;

// The open account: its folder and its groups. The only way to task data; every change is passed
// on at once to the tree, the sticky notes, the quick list and the reminder scheduler.
class CVemoAccount : public IReminderOwner
{
public:
    // Mail and the announcer may be missing: mail is then unavailable and reminders wait.
    struct CPorts
    {
        IGroupTree* m_pTree = nullptr;
        IStickyHost* m_pStickies = nullptr;
        IUserPrompts* m_pPrompts = nullptr;
        IMailTransport* m_pMail = nullptr;
        IReminderAnnouncer* m_pAnnouncer = nullptr;
        IMainWindow* m_pMainWindow = nullptr;
    };

    // The group a new account starts with, and where items with no group of their own go.
    static const QString DefaultGroupName;

    explicit CVemoAccount(const CPorts& ports);
    ~CVemoAccount() override;
    CVemoAccount(const CVemoAccount&) = delete;
    CVemoAccount& operator=(const CVemoAccount&) = delete;
    const CPorts& GetPorts() const { return m_ports; }

    // Opens the account named by "DefaultAccount", as at program start.
    bool OnNewDocument();
    // With no path, asks the user which account to open.
    bool OpenAccount(const QString& path = QString());
    bool NewAccount();
    // Writes the account file and every modified group file; false when any could not be written.
    // The user is told of a failure once, until a save succeeds again, or again when asked to.
    bool SaveAccount(bool reportAgain = false);
    // Saves without asking and remembers the account for the next start; always true. A save
    // the user asked for reports its failure every time.
    bool SaveModified(bool userAsked = false);
    // Saves before the account is closed; when that fails, asks whether to close all the same,
    // which loses the changes not saved. True to go on closing.
    bool SaveBeforeClosing();
    void CloseAccount();

    bool IsOpen() const { return !m_strPath.isEmpty(); }
    const QString& GetPath() const { return m_strPath; }
    const QString& GetTitle() const { return m_strTitle; }
    const QVector<CVemoGroup>& GetGroups() const { return m_groups; }
    CReminderManager& GetReminderScheduler() { return m_reminderScheduler; }

    int FindGroup(const QString& name) const;
    void AddGroup(const CVemoGroup& group);
    bool AddDefaultGroup(QString& name, bool withWelcomeItem);
    // Writes the group under its new name before the old file goes, so no stored item is lost.
    bool RenameGroup(const QString& oldName, const QString& newName);
    bool RemoveGroup(const QString& name);
    bool RemoveAllItems(const QString& name);
    // Whether a group could be added or renamed to the name: a plain file name, in use by no
    // group and no entry of the account folder.
    bool IsGroupNameFree(const QString& name, const QString& renamedGroup = QString()) const;

    bool GetItemCopy(const QString& group, quint32 key, CVemoItem& item) const;
    // Copies the items of one group (scope 1) or of every group in order (scope 0), for printing;
    // false for another scope or a group that does not exist.
    bool CollectItems(int scope, const QString& group, QVector<CVemoItem>& items) const;
    bool SetItem(const QString& group, quint32 key, const CVemoItem& item);
    bool SetItemTitle(const QString& group, quint32 key, const QString& title);
    bool SetItemMessage(const QString& group, quint32 key, const QString& text);
    bool SetCompleted(const QString& group, quint32 key, bool completed, bool updateView);
    // Completion of the item with the key in the group selected in the tree.
    bool IsCompleted(quint32 key) const;
    bool SetQuickListed(const QString& group, quint32 key, bool quickListed);
    bool SetStickyRect(const QString& group, quint32 key, const CRect32& rect);
    // Stores the note's colours and font in the item and gives them to its open note.
    bool SetStickyLook(const QString& group, quint32 key, quint32 back, quint32 text,
                       const CLogFont& font);
    bool HasSticky(const QString& group, quint32 key) const;
    bool ShowSticky(const QString& group, quint32 key, bool show);
    // Closes the item's note, or opens it and gives it the focus.
    void ToggleSticky(const QString& group, quint32 key);
    bool SetGroupStickies(const QString& group, bool show);
    // Adds a copy under a new key with its node, quick-list entry, sticky and reminder; the new
    // key, or 0 when there is no such group.
    quint32 AddItemToGroup(const QString& group, const CVemoItem& item);
    bool RemoveItem(const QString& group, quint32 key);

    bool ReminderAdvanced(const QString& group, quint32 key, qint32 newDoBy) override;
    bool ReminderFinished(const QString& group, quint32 key) override;

    bool IsMailAvailable() const;
    bool SendItemMail(const QString& group, quint32 key, bool forReminder);

private:
    void SetTitle(const QString& title);
    bool WriteAccountFiles();
    void RememberIfSaved();
    void Reset();
    bool LoadGroups();
    void ShowLoadedGroup(const CVemoGroup& group);
    CVemoGroup* Group(const QString& name);
    const CVemoGroup* Group(const QString& name) const;
    bool ChangeItem(const QString& group, quint32 key,
                    const std::function<void(CVemoItem&)>& change);
    void DropItemEntries(const QString& group, const CVemoGroup& removed);

    CPorts m_ports;
    CReminderManager m_reminderScheduler;
    QString m_strPath;
    QVector<CVemoGroup> m_groups;
    QString m_strTitle;
    // What the last save could not write, and whether the user has heard of it.
    bool m_bAccountFileSaved = false;
    QStringList m_unsavedGroups;
    bool m_bSaveFailureReported = false;
};

// The account document of the running program.
extern CVemoAccount* g_pAccount;
