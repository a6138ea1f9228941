#include "AccountFakes.h"
#include "FakeClock.h"
#include "TestHome.h"
#include "base/ProgramFolder.h"
#include "base/Settings.h"
#include "model/AccountCommands.h"
#include "model/CommandIds.h"
#include "tray/QuickList.h"

#include <QDir>
#include <QTest>

#include <ctime>
#include <memory>

namespace
{
constexpr qint32 Noon = 1796817600; // 2026-12-09 12:00 UTC
const QString Todo = QStringLiteral("Things To Do");

enum Selection
{
    NoAccount,
    Nothing,
    GroupNode,
    PlainItem,
    StickyListedItem,
    SelectionCount,
};
} // namespace

class TestAccountCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void enableRules_data();
    void enableRules();
    void destructiveCommandsAskFirst_data();
    void destructiveCommandsAskFirst();
    void addGroupRefusesTakenAndUnusableNames_data();
    void addGroupRefusesTakenAndUnusableNames();
    void renameSelectedGroup_data();
    void renameSelectedGroup();
    void failedGroupRenameIsReported();
    void quickListRefusalsAreReported();
    void addItemWithFullQuickListKeepsItsFlag();
    void closingAsksWhenSaveFails_data();
    void closingAsksWhenSaveFails();
    void makeItemAndStickyWithNothingSelected();
    void taskCompletedTogglesWithItsCheck();
    void quickListEntryTogglesSticky();
    void propertiesApplyEveryEdit();
    void sendFailureIsReported();
    void stickiesOnTopToggles();

private:
    quint32 AddPlainItem(const QString& title);
    void Select(Selection selection);

    CTestHome m_home;
    CFakeClock m_clock{Noon};
    std::unique_ptr<CAccountFixture> m_fixture;
    std::unique_ptr<CAccountCommands> m_commands;
    quint32 m_dwPlainKey = 0;
};

void TestAccountCommands::initTestCase()
{
    qputenv("TZ", "UTC0");
    tzset();
}

void TestAccountCommands::init()
{
    QDir(GetProgramFolder()).removeRecursively();
    GetSettings().SetStickyOnTop(false);
    GetQuickList().RemoveAll();
    cleanup();
    m_fixture = std::make_unique<CAccountFixture>();
    m_commands = std::make_unique<CAccountCommands>(m_fixture->m_account);
    m_fixture->m_prompts.m_newAccountNames = {QStringLiteral("Home")};
    QVERIFY(m_fixture->m_account.NewAccount());
    m_dwPlainKey = AddPlainItem(QStringLiteral("Plain"));
}

void TestAccountCommands::cleanup()
{
    m_commands.reset();
    m_fixture.reset();
}

quint32 TestAccountCommands::AddPlainItem(const QString& title)
{
    CVemoItem item(Noon, Noon, CVemoItem::PriorityLow);
    item.m_strTitle = title;
    return m_fixture->m_account.AddItemToGroup(Todo, item);
}

void TestAccountCommands::Select(Selection selection)
{
    CFakeGroupTree& tree = m_fixture->m_tree;
    switch (selection)
    {
    case NoAccount:
        m_fixture->m_account.CloseAccount();
        return;
    case Nothing:
        return tree.SelectNothing();
    case GroupNode:
        return tree.SelectGroup(Todo);
    case PlainItem:
        return tree.SelectItem(Todo, m_dwPlainKey);
    default:
        GetQuickList().Add(Todo, 1);
        m_fixture->m_account.SetQuickListed(Todo, 1, true);
        return tree.SelectItem(Todo, 1);
    }
}

void TestAccountCommands::enableRules_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("enabled");
    // One letter per selection: no account, nothing selected, a group, a plain item, an item with
    // a sticky that is in the quick list.
    QTest::newRow("new") << int(ID_FILE_NEW) << "YYYYY";
    QTest::newRow("open") << int(ID_FILE_OPEN) << "YYYYY";
    QTest::newRow("manage accounts") << int(ID_MANAGE_ACCOUNTS) << "YYYYY";
    QTest::newRow("close") << int(ID_FILE_CLOSE) << "-YYYY";
    QTest::newRow("save") << int(ID_FILE_SAVE) << "-YYYY";
    QTest::newRow("print") << int(ID_FILE_PRINT) << "-YYYY";
    QTest::newRow("add group") << int(ID_GROUP_ADD) << "-YYYY";
    QTest::newRow("make item and sticky") << int(ID_ITEM_AND_STICKY) << "-YYYY";
    QTest::newRow("stickies on top") << int(ID_STICKIES_ON_TOP) << "-YYYY";
    QTest::newRow("remove group") << int(ID_GROUP_REMOVE) << "--Y--";
    QTest::newRow("delete all items") << int(ID_GROUP_DELETE_ALL_ITEMS) << "--Y--";
    QTest::newRow("show group stickies") << int(ID_GROUP_SHOW_STICKIES) << "--Y--";
    QTest::newRow("hide group stickies") << int(ID_GROUP_HIDE_STICKIES) << "--Y--";
    QTest::newRow("add item") << int(ID_ITEM_ADD) << "--YYY";
    QTest::newRow("remove item") << int(ID_ITEM_REMOVE) << "---YY";
    QTest::newRow("properties") << int(ID_ITEM_PROPERTIES) << "---YY";
    QTest::newRow("task completed") << int(ID_TASK_COMPLETED) << "---YY";
    QTest::newRow("send item") << int(ID_ITEM_SEND) << "---YY";
    QTest::newRow("add to quick list") << int(ID_QUICKLIST_ADD) << "---Y-";
    QTest::newRow("remove from quick list") << int(ID_QUICKLIST_REMOVE) << "----Y";
    QTest::newRow("show sticky") << int(ID_STICKY_SHOW) << "---Y-";
    QTest::newRow("hide sticky") << int(ID_STICKY_HIDE) << "----Y";
}

void TestAccountCommands::enableRules()
{
    QFETCH(int, id);
    QFETCH(QString, enabled);
    for (int selection = NoAccount; selection < SelectionCount; ++selection)
    {
        init();
        Select(Selection(selection));
        QVERIFY2(m_commands->IsEnabled(id) == (enabled[selection] == QLatin1Char('Y')),
                 qPrintable(QStringLiteral("selection %1").arg(selection)));
        cleanup();
    }
}

void TestAccountCommands::destructiveCommandsAskFirst_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("question");
    QTest::newRow("remove item") << int(ID_ITEM_REMOVE)
                                 << "Are you sure you want to delete this item permanently?";
    QTest::newRow("remove group") << int(ID_GROUP_REMOVE)
                                  << "Are you sure you want to delete this group permanently?";
    QTest::newRow("delete all items") << int(ID_GROUP_DELETE_ALL_ITEMS)
                                      << "Are you sure you want to delete all items in this group?";
}

void TestAccountCommands::destructiveCommandsAskFirst()
{
    QFETCH(int, id);
    QFETCH(QString, question);
    Select(id == ID_ITEM_REMOVE ? PlainItem : GroupNode);
    CVemoItem item(Qt::Uninitialized);

    m_fixture->m_prompts.m_answers = {IUserPrompts::No};
    m_commands->Execute(id);
    QCOMPARE(m_fixture->m_prompts.m_messages.last().m_strText, question);
    QVERIFY(m_fixture->m_account.GetItemCopy(Todo, m_dwPlainKey, item));

    m_fixture->m_prompts.m_answers = {IUserPrompts::Yes};
    m_commands->Execute(id);
    QVERIFY(!m_fixture->m_account.GetItemCopy(Todo, m_dwPlainKey, item));
    QCOMPARE(m_fixture->m_account.FindGroup(Todo) >= 0, id != ID_GROUP_REMOVE);
}

void TestAccountCommands::addGroupRefusesTakenAndUnusableNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("refusal");
    const auto row = [](const char* title, const QString& name, const char* refusal)
    {
        QTest::newRow(title) << name << QString::fromUtf8(refusal);
    };
    row("taken in other case", QStringLiteral("things to do"),
        "You must use a group name that hasn't already been used in this account.");
    row("colon", QStringLiteral("a:b"),
        "You must use a group name without any of the characters \\ / : * ? \" < > |.");
    row("empty", QString(), "You must enter a group name.");
    row("next-line control", QStringLiteral("a\u0085b"),
        "You must use a group name without invisible characters or characters that turn text "
        "around; this one has U+0085.");
    row("right-to-left override", QStringLiteral("gpj\u202Etxt"),
        "You must use a group name without invisible characters or characters that turn text "
        "around; this one has U+202E.");
    row("trailing blank", QStringLiteral("Bills "),
        "You must use a group name that doesn't end with a period or a space.");
    row("device", QStringLiteral("nul.txt"),
        "You must use another group name: \"nul.txt\" is the name of a device on Windows.");
    row("too long", QString(245, u'g'),
        "You must use a shorter group name: this one is too long to be a file name.");
    row("free", QStringLiteral("Bills"), "");
}

void TestAccountCommands::addGroupRefusesTakenAndUnusableNames()
{
    QFETCH(QString, name);
    QFETCH(QString, refusal);
    m_fixture->m_prompts.m_newGroupNames = {name};
    m_commands->Execute(ID_GROUP_ADD);
    if (refusal.isEmpty())
    {
        QVERIFY(m_fixture->m_prompts.m_messages.isEmpty());
        QCOMPARE(m_fixture->m_tree.GroupLabels().last(), name);
        QVERIFY(m_fixture->m_account.GetGroups().last().IsModified());
        return;
    }
    QCOMPARE(m_fixture->m_prompts.MessageTexts(), QStringList{refusal});
    // A name in use is told as information, one that can never be used as a refusal.
    const bool taken = refusal.contains(QLatin1String("already been used"));
    QCOMPARE(m_fixture->m_prompts.m_messages[0].m_icon,
             taken ? IUserPrompts::Information : IUserPrompts::Exclamation);
    QCOMPARE(m_fixture->m_account.GetGroups().size(), 1);
}

void TestAccountCommands::renameSelectedGroup_data()
{
    QTest::addColumn<QString>("newName");
    QTest::addColumn<bool>("renamed");
    QTest::newRow("other group's name") << "BILLS" << false;
    QTest::newRow("letter case only") << "THINGS to do" << true;
    QTest::newRow("not a file name") << "a|b" << false;
    QTest::newRow("new name") << "Errands" << true;
}

void TestAccountCommands::renameSelectedGroup()
{
    QFETCH(QString, newName);
    QFETCH(bool, renamed);
    CVemoGroup bills;
    bills.SetName(QStringLiteral("Bills"));
    m_fixture->m_account.AddGroup(bills);
    Select(GroupNode);
    QCOMPARE(m_commands->RenameSelectedGroup(newName), renamed);
    QCOMPARE(m_fixture->m_account.FindGroup(newName) >= 0, renamed || newName == "BILLS");
    QCOMPARE(m_fixture->m_prompts.m_messages.isEmpty(), renamed);
}

void TestAccountCommands::failedGroupRenameIsReported()
{
    const QString folder = m_fixture->m_account.GetPath();
    QVERIFY(QDir().rename(folder, folder + QStringLiteral("-away")));
    Select(GroupNode);
    QVERIFY(!m_commands->RenameSelectedGroup(QStringLiteral("Errands")));
    QCOMPARE(m_fixture->m_prompts.MessageTexts(),
             QStringList{QStringLiteral("The group could not be renamed.  Check that the disk has "
                                        "room and that the account's folder can be written.")});
    QCOMPARE(m_fixture->m_tree.GroupLabels(), QStringList{Todo});
    QVERIFY(m_fixture->m_account.FindGroup(Todo) >= 0);
}

void TestAccountCommands::quickListRefusalsAreReported()
{
    for (int i = 0; i < 9; ++i)
    {
        m_fixture->m_tree.SelectItem(Todo, AddPlainItem(QStringLiteral("Item %1").arg(i)));
        m_commands->Execute(ID_QUICKLIST_ADD);
    }
    QVERIFY(m_fixture->m_prompts.m_messages.isEmpty());
    QCOMPARE(GetQuickList().GetCount(), 9);

    Select(PlainItem);
    m_commands->Execute(ID_QUICKLIST_ADD);
    QCOMPARE(m_fixture->m_prompts.m_messages.last().m_strText,
             QStringLiteral("You already have the maximum number of items in the quick list."));
    CVemoItem item(Qt::Uninitialized);
    QVERIFY(m_fixture->m_account.GetItemCopy(Todo, m_dwPlainKey, item));
    QCOMPARE(item.m_bQuickListed, 0);

    m_commands->Execute(ID_QUICKLIST_REMOVE);
    QCOMPARE(m_fixture->m_prompts.m_messages.last().m_strText,
             QStringLiteral("This item isn't in the quick list."));
    QCOMPARE(m_fixture->m_prompts.m_messages.last().m_icon, IUserPrompts::Exclamation);
}

void TestAccountCommands::addItemWithFullQuickListKeepsItsFlag()
{
    for (int i = 0; i < 9; ++i)
        GetQuickList().Add(Todo, 100 + i);
    Select(GroupNode);
    m_fixture->m_prompts.m_editItem = [](CVemoItem& item)
    {
        item.m_strTitle = QStringLiteral("Listed");
        item.m_bQuickListed = 1;
        return true;
    };
    m_commands->Execute(ID_ITEM_ADD);
    QCOMPARE(m_fixture->m_prompts.m_captions, QStringList{QStringLiteral("Vemo - Add Item")});
    const CVemoItem& added = m_fixture->m_account.GetGroups()[0].GetItems().last();
    QCOMPARE(added.m_strTitle, QStringLiteral("Listed"));
    QCOMPARE(added.m_bQuickListed, 1);
    QCOMPARE(added.m_timeCreated, Noon);
    QVERIFY(!GetQuickList().Contains(Todo, added.m_dwKey));
    QVERIFY(m_fixture->m_prompts.m_messages.isEmpty());
}

void TestAccountCommands::closingAsksWhenSaveFails_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<bool>("groupFails");
    QTest::newRow("close, account file") << int(ID_FILE_CLOSE) << false;
    QTest::newRow("close, group file") << int(ID_FILE_CLOSE) << true;
    QTest::newRow("open another, group file") << int(ID_FILE_OPEN) << true;
    QTest::newRow("new account, group file") << int(ID_FILE_NEW) << true;
}

// Every command that closes the account asks before changes that could not be saved are lost.
void TestAccountCommands::closingAsksWhenSaveFails()
{
    QFETCH(int, command);
    QFETCH(bool, groupFails);
    const QString folder = m_fixture->m_account.GetPath();
    if (groupFails)
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/Things To Do.grp")));
    else
        QVERIFY(QDir().rename(folder, folder + QStringLiteral("-away")));
    CFakePrompts& prompts = m_fixture->m_prompts;
    prompts.m_accountsToOpen = {QStringLiteral("Other")};
    prompts.m_newAccountNames = {QStringLiteral("Other")};
    prompts.m_answers = {IUserPrompts::No};
    m_commands->Execute(command);
    QCOMPARE(prompts.MessageTexts(),
             QStringList{QStringLiteral(
                 "The account could not be saved.  Continue to close this account?")});
    QVERIFY(m_fixture->m_account.IsOpen());
    QCOMPARE(prompts.m_accountsToOpen.size() + prompts.m_newAccountNames.size(), 2);

    if (command != ID_FILE_CLOSE)
        return;
    prompts.m_answers = {IUserPrompts::Yes};
    m_commands->Execute(ID_FILE_CLOSE);
    QVERIFY(!m_fixture->m_account.IsOpen());
    QCOMPARE(prompts.m_messages.size(), 2);
}

void TestAccountCommands::makeItemAndStickyWithNothingSelected()
{
    Select(Nothing);
    m_commands->Execute(ID_ITEM_AND_STICKY);
    const CVemoAccount& account = m_fixture->m_account;
    QCOMPARE(account.GetGroups().size(), 2);
    const CVemoGroup& group = account.GetGroups()[1];
    QCOMPARE(group.GetName(), QStringLiteral("Things To Do1"));
    QCOMPARE(group.GetItems().size(), 1);
    const CVemoItem& item = group.GetItems()[0];
    QCOMPARE(item.m_strTitle, QStringLiteral("To Do"));
    QCOMPARE(item.m_nPriority, qint32(CVemoItem::PriorityNormal));
    QCOMPARE(item.m_reminder.m_timeDoBy, Noon);
    QCOMPARE(item.m_reminder.m_bEnabled, 0);
    QVERIFY(m_fixture->m_stickies.IsOpen(group.GetName(), item.m_dwKey));
    QVERIFY(m_fixture->m_tree.FindItemNode(group.GetName(), item.m_dwKey));
}

void TestAccountCommands::taskCompletedTogglesWithItsCheck()
{
    Select(PlainItem);
    m_commands->Execute(ID_TASK_COMPLETED);
    QVERIFY(m_commands->IsChecked(ID_TASK_COMPLETED));
    QVERIFY(m_fixture->m_tree.FindItemNode(Todo, m_dwPlainKey)->m_bChecked);
    m_commands->Execute(ID_TASK_COMPLETED);
    QVERIFY(!m_commands->IsChecked(ID_TASK_COMPLETED));
    QVERIFY(!m_fixture->m_tree.FindItemNode(Todo, m_dwPlainKey)->m_bChecked);
}

void TestAccountCommands::quickListEntryTogglesSticky()
{
    GetQuickList().Add(Todo, m_dwPlainKey);
    m_commands->Execute(ID_QUICKLIST_FIRST);
    QCOMPARE(m_fixture->m_mainWindow.m_nShown, 1);
    QCOMPARE(m_fixture->m_tree.GetSelectedItemKey(), m_dwPlainKey);
    QVERIFY(m_fixture->m_stickies.IsOpen(Todo, m_dwPlainKey));
    QCOMPARE(m_fixture->m_stickies.m_focused.m_dwKey, m_dwPlainKey);

    m_commands->Execute(ID_QUICKLIST_FIRST);
    QVERIFY(!m_fixture->m_stickies.IsOpen(Todo, m_dwPlainKey));
    m_commands->Execute(ID_QUICKLIST_FIRST + 1);
    QCOMPARE(m_fixture->m_mainWindow.m_nShown, 3);
}

void TestAccountCommands::propertiesApplyEveryEdit()
{
    Select(PlainItem);
    m_fixture->m_prompts.m_editItem = [](CVemoItem& item)
    {
        item.m_strTitle = QStringLiteral("Edited");
        item.m_bQuickListed = 1;
        item.m_bHasSticky = 1;
        item.m_reminder.m_bEnabled = 1;
        item.m_reminder.m_timeDoBy = Noon + 86400;
        return true;
    };
    m_commands->Execute(ID_ITEM_PROPERTIES);
    QCOMPARE(m_fixture->m_prompts.m_captions, QStringList{QStringLiteral("Vemo - Properties")});
    QCOMPARE(m_fixture->m_tree.FindItemNode(Todo, m_dwPlainKey)->m_strLabel,
             QStringLiteral("Edited"));
    QVERIFY(GetQuickList().Contains(Todo, m_dwPlainKey));
    QVERIFY(m_fixture->m_stickies.IsOpen(Todo, m_dwPlainKey));
    CReminderSpec scheduled;
    QVERIFY(m_fixture->m_account.GetReminderScheduler().GetReminder(Todo, m_dwPlainKey, scheduled));
    QCOMPARE(scheduled.m_timeDoBy, Noon + 86400);

    m_fixture->m_prompts.m_editItem = [](CVemoItem& item)
    {
        item.m_bQuickListed = 0;
        item.m_bHasSticky = 0;
        item.m_reminder.m_bEnabled = 0;
        return true;
    };
    m_commands->Execute(ID_ITEM_PROPERTIES);
    QVERIFY(!GetQuickList().Contains(Todo, m_dwPlainKey));
    QVERIFY(!m_fixture->m_stickies.IsOpen(Todo, m_dwPlainKey));
    QCOMPARE(m_fixture->m_account.GetReminderScheduler().FindReminder(Todo, m_dwPlainKey), -1);

    m_fixture->m_prompts.m_editItem = [](CVemoItem&)
    {
        return false;
    };
    m_commands->Execute(ID_ITEM_PROPERTIES);
    CVemoItem item(Qt::Uninitialized);
    QVERIFY(m_fixture->m_account.GetItemCopy(Todo, m_dwPlainKey, item));
    QCOMPARE(item.m_strTitle, QStringLiteral("Edited"));
    QCOMPARE(item.m_timeCreated, Noon);
}

void TestAccountCommands::sendFailureIsReported()
{
    Select(PlainItem);
    m_fixture->m_mail.m_outcome = IMailTransport::Failed;
    m_commands->Execute(ID_ITEM_SEND);
    QCOMPARE(m_fixture->m_prompts.m_messages.size(), 1);
    QVERIFY(m_fixture->m_prompts.m_messages[0].m_strText.startsWith(
        QStringLiteral("The item could not be sent via E-Mail.")));
    m_fixture->m_mail.m_outcome = IMailTransport::Cancelled;
    m_commands->Execute(ID_ITEM_SEND);
    QCOMPARE(m_fixture->m_prompts.m_messages.size(), 1);
}

void TestAccountCommands::stickiesOnTopToggles()
{
    QVERIFY(!m_commands->IsChecked(ID_STICKIES_ON_TOP));
    m_commands->Execute(ID_STICKIES_ON_TOP);
    QVERIFY(m_commands->IsChecked(ID_STICKIES_ON_TOP));
    QVERIFY(m_fixture->m_stickies.m_bOnTop);
    m_commands->Execute(ID_STICKIES_ON_TOP);
    QVERIFY(!GetSettings().GetStickyOnTop());
    QVERIFY(!m_fixture->m_stickies.m_bOnTop);
}

QTEST_GUILESS_MAIN(TestAccountCommands)
#include "tst_accountcommands.moc"
