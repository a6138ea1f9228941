#pragma once

#include "model/GroupName.h"
#include "model/GroupTree.h"
#include "model/MainWindow.h"
#include "model/StickyHost.h"
#include "model/UserPrompts.h"
#include "model/VemoAccount.h"
#include "reminders/MailTransport.h"
#include "reminders/ReminderAnnouncer.h"

#include <QList>
#include <QStringList>

#include <functional>

// Small stand-ins for the windows behind the account's ports. Each records what it was asked
// and answers from what the test set up.

// A two-level tree that keeps labels, checks and the selection as the real one would.
class CFakeGroupTree : public IGroupTree
{
public:
    struct CItemNode
    {
        quint32 m_dwKey = 0;
        QString m_strLabel;
        bool m_bChecked = false;
    };
    struct CGroupNode
    {
        QString m_strLabel;
        QList<CItemNode> m_items;
    };

    void SelectNothing() { SelectItem(QString(), 0); }
    void SelectGroup(const QString& group) { SelectItem(group, 0); }
    void SelectItem(const QString& group, quint32 key)
    {
        m_strSelectedGroup = group;
        m_dwSelectedKey = key;
    }

    CGroupNode* FindGroupNode(const QString& group)
    {
        for (CGroupNode& node : m_groups)
        {
            if (SameGroupName(node.m_strLabel, group))
                return &node;
        }
        return nullptr;
    }
    CItemNode* FindItemNode(const QString& group, quint32 key)
    {
        CGroupNode* node = FindGroupNode(group);
        if (!node)
            return nullptr;
        for (CItemNode& item : node->m_items)
        {
            if (item.m_dwKey == key)
                return &item;
        }
        return nullptr;
    }
    QStringList GroupLabels() const
    {
        QStringList labels;
        for (const CGroupNode& node : m_groups)
            labels.append(node.m_strLabel);
        return labels;
    }

    bool AddGroupNode(const CVemoGroup& group) override
    {
        m_groups.append({group.GetName(), {}});
        for (const CVemoItem& item : group.GetItems())
            AddItemNode(group.GetName(), item);
        return true;
    }
    bool AddItemNode(const QString& group, const CVemoItem& item) override
    {
        CGroupNode* node = FindGroupNode(group);
        if (!node)
            return false;
        node->m_items.append({item.m_dwKey, item.m_strTitle, item.m_bCompleted != 0});
        return true;
    }
    bool DeleteGroupNode(const QString& group) override
    {
        for (int i = 0; i < m_groups.size(); ++i)
        {
            if (SameGroupName(m_groups[i].m_strLabel, group))
            {
                m_groups.removeAt(i);
                SelectNothing();
                return true;
            }
        }
        return false;
    }
    bool DeleteItemNode(const QString& group, quint32 key) override
    {
        CGroupNode* node = FindGroupNode(group);
        if (!node || !FindItemNode(group, key))
            return false;
        node->m_items.removeIf([key](const CItemNode& item) { return item.m_dwKey == key; });
        if (m_dwSelectedKey == key)
            SelectNothing();
        return true;
    }
    bool DeleteGroupItemNodes(const QString& group) override
    {
        CGroupNode* node = FindGroupNode(group);
        if (!node)
            return false;
        node->m_items.clear();
        return true;
    }
    bool DeleteAllNodes() override
    {
        m_groups.clear();
        SelectNothing();
        return true;
    }
    bool SelectItemNode(const QString& group, quint32 key) override
    {
        if (!FindItemNode(group, key))
            return false;
        SelectItem(group, key);
        return true;
    }
    bool UpdateItemIcon(const QString& group, quint32 key) override
    {
        ++m_nIconUpdates;
        return FindItemNode(group, key) != nullptr;
    }
    bool UpdateAllItemIcons() override { return true; }
    bool SetItemLabel(const QString& group, quint32 key, const QString& title) override
    {
        CItemNode* item = FindItemNode(group, key);
        if (item)
            item->m_strLabel = title;
        return item != nullptr;
    }
    bool SetItemCheck(const QString& group, quint32 key, bool completed) override
    {
        CItemNode* item = FindItemNode(group, key);
        if (item)
            item->m_bChecked = completed;
        return item != nullptr;
    }
    bool GetSelectedGroupNode() const override
    {
        return !m_strSelectedGroup.isEmpty() && m_dwSelectedKey == 0;
    }
    QString GetSelectedGroupName(bool groupOnly) const override
    {
        return groupOnly && m_dwSelectedKey != 0 ? QString() : m_strSelectedGroup;
    }
    quint32 GetSelectedItemKey() const override { return m_dwSelectedKey; }

    QList<CGroupNode> m_groups;
    QString m_strSelectedGroup;
    quint32 m_dwSelectedKey = 0;
    int m_nIconUpdates = 0;
};

// Open notes keep their own text, which the account receives back when a note closes.
class CFakeStickyHost : public IStickyHost
{
public:
    struct CNote
    {
        QString m_strGroup;
        quint32 m_dwKey = 0;
        QString m_strText;
        CRect32 m_rect;
        quint32 m_crBack = 0;
    };

    int Find(const QString& group, quint32 key) const
    {
        for (int i = 0; i < m_notes.size(); ++i)
        {
            if (m_notes[i].m_dwKey == key && SameGroupName(m_notes[i].m_strGroup, group))
                return i;
        }
        return -1;
    }
    bool IsOpen(const QString& group, quint32 key) const { return Find(group, key) >= 0; }

    bool CreateSticky(const QString& group, CVemoItem& item) override
    {
        if (IsOpen(group, item.m_dwKey))
            return false;
        if (item.m_rectSticky.IsEmpty())
            item.m_rectSticky = {0, 0, 200, 200};
        item.m_bHasSticky = 1;
        m_notes.append({group, item.m_dwKey, item.m_strMessage, item.m_rectSticky});
        return true;
    }
    bool RemoveSticky(const QString& group, quint32 key) override
    {
        const int index = Find(group, key);
        if (index < 0)
            return false;
        g_pAccount->SetItemMessage(group, key, m_notes[index].m_strText);
        m_notes.removeAt(index);
        return true;
    }
    void CloseAllStickies() override
    {
        SaveStickyTexts();
        for (const CNote& note : std::as_const(m_notes))
            g_pAccount->SetStickyRect(note.m_strGroup, note.m_dwKey, note.m_rect);
        m_notes.clear();
    }
    void DestroyAllStickies() override { m_notes.clear(); }
    void RemoveGroupStickies(const QString& group) override
    {
        m_notes.removeIf([&](const CNote& note) { return SameGroupName(note.m_strGroup, group); });
    }
    void SaveStickyTexts() override
    {
        for (const CNote& note : std::as_const(m_notes))
            g_pAccount->SetItemMessage(note.m_strGroup, note.m_dwKey, note.m_strText);
    }
    bool RefreshSticky(const QString& group, quint32 key) override
    {
        const int index = Find(group, key);
        CVemoItem item(Qt::Uninitialized);
        if (index < 0 || !g_pAccount->GetItemCopy(group, key, item))
            return false;
        m_notes[index].m_strText = item.m_strMessage;
        return true;
    }
    void FocusSticky(const QString& group, quint32 key) override
    {
        m_focused = {group, key, {}, {}};
    }
    void FlashSticky(const QString& group, quint32 key, int count) override
    {
        m_flashed = {group, key, {}, {}};
        m_nFlashCount = count;
    }
    void SetStickiesOnTop(bool onTop) override { m_bOnTop = onTop; }
    void RedrawStickyFrames() override { ++m_nFrameRedraws; }
    bool SetStickyAppearance(const QString& group, quint32 key, quint32 back, quint32,
                             const CLogFont&) override
    {
        const int index = Find(group, key);
        if (index < 0)
            return false;
        m_notes[index].m_crBack = back;
        return true;
    }
    void RenameGroup(const QString& oldName, const QString& newName) override
    {
        for (CNote& note : m_notes)
        {
            if (SameGroupName(note.m_strGroup, oldName))
                note.m_strGroup = newName;
        }
    }

    QList<CNote> m_notes;
    CNote m_focused;
    CNote m_flashed;
    int m_nFlashCount = 0;
    bool m_bOnTop = false;
    int m_nFrameRedraws = 0;
};

// Answers questions from a queue (No once it runs dry) and the dialogs from the test's script.
class CFakePrompts : public IUserPrompts
{
public:
    struct CMessage
    {
        QString m_strText;
        Icon m_icon = NoIcon;
    };

    Answer MessageBox(const QString& text, Icon icon) override
    {
        m_messages.append({text, icon});
        if (icon != Question)
            return Ok;
        return m_answers.isEmpty() ? No : m_answers.takeFirst();
    }
    bool AskNewAccountName(QString& name) override { return Take(m_newAccountNames, name); }
    bool AskAccountToOpen(QString& name) override { return Take(m_accountsToOpen, name); }
    bool AskNewGroupName(QString& name) override { return Take(m_newGroupNames, name); }
    bool EditItem(const QString& caption, CVemoItem& item) override
    {
        m_captions.append(caption);
        return m_editItem && m_editItem(item);
    }

    QStringList MessageTexts() const
    {
        QStringList texts;
        for (const CMessage& message : m_messages)
            texts.append(message.m_strText);
        return texts;
    }

    QList<CMessage> m_messages;
    QList<Answer> m_answers;
    QStringList m_newAccountNames;
    QStringList m_accountsToOpen;
    QStringList m_newGroupNames;
    QStringList m_captions;
    std::function<bool(CVemoItem&)> m_editItem;

private:
    static bool Take(QStringList& queue, QString& value)
    {
        if (queue.isEmpty())
            return false;
        value = queue.takeFirst();
        return true;
    }
};

class CFakeMail : public IMailTransport
{
public:
    bool IsAvailable(Mode) const override { return m_bAvailable; }
    Outcome Send(const CMailMessage& message, Mode mode) override
    {
        m_sent.append(message);
        m_modes.append(mode);
        return m_outcome;
    }

    bool m_bAvailable = true;
    Outcome m_outcome = Sent;
    QList<CMailMessage> m_sent;
    QList<Mode> m_modes;
};

class CFakeAnnouncer : public IReminderAnnouncer
{
public:
    void PlayReminderSound() override { m_calls.append(QStringLiteral("sound")); }
    void MailReminder(const QString& group, quint32 key) override
    {
        m_calls.append(QStringLiteral("mail %1 %2").arg(group).arg(key));
    }
    void ShowReminderAlert(const QString& group, quint32 key, const CReminderSpec&) override
    {
        m_calls.append(QStringLiteral("alert %1 %2").arg(group).arg(key));
    }

    QStringList m_calls;
};

class CFakeMainWindow : public IMainWindow
{
public:
    void SetDocumentTitle(const QString& title) override { m_strTitle = title; }
    void ShowMainWindow() override { ++m_nShown; }
    void RunPrintJob() override { ++m_nPrinted; }

    QString m_strTitle;
    int m_nShown = 0;
    int m_nPrinted = 0;
};

// One account wired to a full set of fakes, installed as the program's account.
struct CAccountFixture
{
    CFakeGroupTree m_tree;
    CFakeStickyHost m_stickies;
    CFakePrompts m_prompts;
    CFakeMail m_mail;
    CFakeAnnouncer m_announcer;
    CFakeMainWindow m_mainWindow;
    CVemoAccount m_account{
        {&m_tree, &m_stickies, &m_prompts, &m_mail, &m_announcer, &m_mainWindow}};

    CAccountFixture() { g_pAccount = &m_account; }
    ~CAccountFixture()
    {
        if (g_pAccount == &m_account)
            g_pAccount = nullptr;
    }
    CAccountFixture(const CAccountFixture&) = delete;
    CAccountFixture& operator=(const CAccountFixture&) = delete;
};
