#include "AccountFakes.h"
#include "FakeClock.h"
#include "TestFiles.h"
#include "TestHome.h"
#include "base/ProgramFolder.h"
#include "base/Settings.h"
#include "model/AccountFile.h"
#include "reminders/AutoSaveTimer.h"
#include "tray/QuickList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <ctime>

namespace
{
constexpr qint32 Noon = 1796817600; // 2026-12-09 12:00 UTC

CVemoItem Item(const QString& title)
{
    CVemoItem item(Noon, Noon, CVemoItem::PriorityNormal);
    item.m_strTitle = title;
    item.m_strMessage = title + QStringLiteral(" message");
    return item;
}

CReminderSpec Reminder(qint32 doBy, qint32 repeat)
{
    CReminderSpec reminder;
    reminder.m_bEnabled = 1;
    reminder.m_timeDoBy = doBy;
    reminder.m_nRepeat = repeat;
    return reminder;
}

// What stands in the account folder under a name.
enum EntryKind
{
    Damaged,
    Folder,
    Link,
    BrokenLink,
};

// An item with a quick-list entry and a reminder an hour ahead, so every list holds it.
CVemoItem ListedItem(const QString& title, qint32 repeat)
{
    CVemoItem item = Item(title);
    item.m_bQuickListed = 1;
    item.m_reminder = Reminder(Noon + 3600, repeat);
    return item;
}
} // namespace

class TestVemoAccount : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void startsWithNoAccountWhenNoneRemembered();
    void startupReportsUnopenableLastAccount();
    void newAccountGetsDefaultGroupAndWelcomeItem();
    void newAccountRefusesUnusableNames_data();
    void newAccountRefusesUnusableNames();
    void newAccountNameInUseOffersToOpenIt_data();
    void newAccountNameInUseOffersToOpenIt();
    void openWithoutPathAsksWhichAccount();
    void saveWritesOnlyModifiedGroups();
    void failedSaveIsReportedOncePerFailure();
    void failedAccountFileWritesNoGroup();
    void closeAndReopenRestoresEverything();
    void accountMovedElsewhereStillOpens();
    void unreadableGroupIsLeftAlone();
    void groupNameIsFreeOnlyWhereNoEntryHasIt_data();
    void groupNameIsFreeOnlyWhereNoEntryHasIt();
    void defaultGroupAvoidsUnreadableGroupFile();
    void openRemovesOnlyLeftOverTemporaryFiles();
    void renameGroupKeepsItemsAndMovesEntries_data();
    void renameGroupKeepsItemsAndMovesEntries();
    void removingItemsDropsTheirEntries_data();
    void removingItemsDropsTheirEntries();
    void hidingStickyKeepsItsText();
    void stickyLookReachesItemAndNote();
    void dueRemindersUpdateTheItem_data();
    void dueRemindersUpdateTheItem();
    void autoSaveSavesOnlyAnOpenAccount();
    void negativeAutoSaveIntervalStartsNoTimer();
    void sendItemMail_data();
    void sendItemMail();

private:
    void NewHome(CAccountFixture& fixture);
    QString HomeFolder() const { return GetProgramFolder() + QStringLiteral("Home"); }

    CTestHome m_home;
    CFakeClock m_clock{Noon};
};

void TestVemoAccount::initTestCase()
{
    qputenv("TZ", "UTC0");
    tzset();
}

void TestVemoAccount::init()
{
    QDir(GetProgramFolder()).removeRecursively();
    GetSettings().SetDefaultAccount(QString());
    GetSettings().SetMailTo(QString());
    GetSettings().SetAddendum(QString());
    GetQuickList().RemoveAll();
    m_clock.Set(Noon);
}

void TestVemoAccount::NewHome(CAccountFixture& fixture)
{
    fixture.m_prompts.m_newAccountNames = {QStringLiteral("Home")};
    QVERIFY(fixture.m_account.NewAccount());
}

void TestVemoAccount::startsWithNoAccountWhenNoneRemembered()
{
    CAccountFixture fixture;
    QVERIFY(fixture.m_account.OnNewDocument());
    QVERIFY(!fixture.m_account.IsOpen());
    QCOMPARE(fixture.m_mainWindow.m_strTitle, QStringLiteral("[No Account]"));
    QVERIFY(fixture.m_account.GetGroups().isEmpty());
    QVERIFY(fixture.m_prompts.m_messages.isEmpty());
}

void TestVemoAccount::startupReportsUnopenableLastAccount()
{
    GetSettings().SetDefaultAccount(GetProgramFolder() + QStringLiteral("Gone"));
    CAccountFixture fixture;
    QVERIFY(fixture.m_account.OnNewDocument());
    QVERIFY(!fixture.m_account.IsOpen());
    QCOMPARE(fixture.m_account.GetTitle(), QStringLiteral("[No Account]"));
    QCOMPARE(fixture.m_prompts.m_messages.size(), 1);
    QCOMPARE(fixture.m_prompts.m_messages[0].m_strText,
             QStringLiteral("The last account used could not be opened."));
    QCOMPARE(fixture.m_prompts.m_messages[0].m_icon, IUserPrompts::NoIcon);
    QVERIFY(GetSettings().GetDefaultAccount().isEmpty());
}

void TestVemoAccount::newAccountGetsDefaultGroupAndWelcomeItem()
{
    CAccountFixture fixture;
    NewHome(fixture);
    CVemoAccount& account = fixture.m_account;
    QCOMPARE(account.GetTitle(), QStringLiteral("Home"));
    QCOMPARE(fixture.m_mainWindow.m_strTitle, QStringLiteral("Home"));
    QVERIFY(CAccountFile::CheckFolder(HomeFolder()));
    QCOMPARE(account.GetGroups().size(), 1);

    const CVemoGroup& group = account.GetGroups()[0];
    QCOMPARE(group.GetName(), QStringLiteral("Things To Do"));
    QCOMPARE(group.GetItems().size(), 1);
    const CVemoItem& welcome = group.GetItems()[0];
    QCOMPARE(welcome.m_strTitle, QStringLiteral("My First Vemo Item"));
    QVERIFY(welcome.m_strMessage.startsWith(QStringLiteral("Welcome to Vemo!\r\nTo get started")));
    QCOMPARE(welcome.m_nPriority, qint32(CVemoItem::PriorityHigh));
    QCOMPARE(welcome.m_timeCreated, Noon);
    QCOMPARE(welcome.m_reminder.m_timeDoBy, Noon);
    QCOMPARE(welcome.m_bHasSticky, 1);
    QVERIFY(fixture.m_stickies.IsOpen(QStringLiteral("Things To Do"), welcome.m_dwKey));
    QCOMPARE(fixture.m_tree.GroupLabels(), QStringList{QStringLiteral("Things To Do")});
    QCOMPARE(fixture.m_tree.m_groups[0].m_items[0].m_strLabel, welcome.m_strTitle);

    QString name;
    QVERIFY(account.AddDefaultGroup(name, false));
    QCOMPARE(name, QStringLiteral("Things To Do1"));
    QVERIFY(account.GetGroups()[1].GetItems().isEmpty());
    QVERIFY(account.AddDefaultGroup(name, false));
    QCOMPARE(name, QStringLiteral("Things To Do12"));
}

void TestVemoAccount::newAccountRefusesUnusableNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("separator") << "a/b";
    QTest::newRow("parent folder") << "..";
    QTest::newRow("empty") << "";
    QTest::newRow("trailing dot") << "Home.";
    QTest::newRow("next-line control") << QStringLiteral("Ho\u0085me");
    QTest::newRow("isolate mark") << QStringLiteral("\u2066Home");
}

void TestVemoAccount::newAccountRefusesUnusableNames()
{
    QFETCH(QString, name);
    CAccountFixture fixture;
    fixture.m_prompts.m_newAccountNames = {name};
    QVERIFY(!fixture.m_account.NewAccount());
    QVERIFY(!fixture.m_account.IsOpen());
    QCOMPARE(fixture.m_prompts.m_messages.size(), 1);
    QCOMPARE(fixture.m_prompts.m_messages[0].m_icon, IUserPrompts::Exclamation);
    QVERIFY(QDir(GetProgramFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

void TestVemoAccount::newAccountNameInUseOffersToOpenIt_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("same name") << "Home";
    QTest::newRow("other letter case") << "hOME";
}

void TestVemoAccount::newAccountNameInUseOffersToOpenIt()
{
    QFETCH(QString, name);
    CAccountFixture fixture;
    NewHome(fixture);
    fixture.m_account.CloseAccount();

    fixture.m_prompts.m_newAccountNames = {name};
    fixture.m_prompts.m_answers = {IUserPrompts::No};
    QVERIFY(!fixture.m_account.NewAccount());
    QVERIFY(!fixture.m_account.IsOpen());
    QCOMPARE(fixture.m_prompts.m_messages.last().m_strText,
             QStringLiteral("You already have an account by that name.  Would you like\nto "
                            "open that account?"));

    fixture.m_prompts.m_newAccountNames = {name};
    fixture.m_prompts.m_answers = {IUserPrompts::Yes};
    QVERIFY(fixture.m_account.NewAccount());
    QCOMPARE(fixture.m_account.GetPath(), HomeFolder());
    QCOMPARE(QDir(GetProgramFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("Home")});
    QCOMPARE(fixture.m_account.GetGroups()[0].GetItems().size(), 1);
}

void TestVemoAccount::openWithoutPathAsksWhichAccount()
{
    CAccountFixture fixture;
    NewHome(fixture);
    QVERIFY(!fixture.m_account.OpenAccount());
    QVERIFY(fixture.m_account.IsOpen());

    fixture.m_account.CloseAccount();
    fixture.m_prompts.m_accountsToOpen = {QStringLiteral("Home")};
    QVERIFY(fixture.m_account.OpenAccount());
    QCOMPARE(fixture.m_account.GetPath(), HomeFolder());
    QCOMPARE(fixture.m_tree.GroupLabels(), QStringList{QStringLiteral("Things To Do")});
}

void TestVemoAccount::saveWritesOnlyModifiedGroups()
{
    CAccountFixture fixture;
    NewHome(fixture);
    CVemoAccount& account = fixture.m_account;
    CVemoGroup bills;
    bills.SetName(QStringLiteral("Bills"));
    account.AddGroup(bills);
    QVERIFY(account.SaveAccount());
    const QString folder = HomeFolder();
    QVERIFY(QFile::exists(folder + QStringLiteral("/Bills.grp")));

    QVERIFY(QFile::remove(folder + QStringLiteral("/Bills.grp")));
    QVERIFY(QFile::remove(folder + QStringLiteral("/Home.acf")));
    QVERIFY(account.SetItemTitle(QStringLiteral("things to do"), 1, QStringLiteral("Renamed")));
    QVERIFY(account.SaveAccount());
    QVERIFY(QFile::exists(folder + QStringLiteral("/Home.acf")));
    QVERIFY(!QFile::exists(folder + QStringLiteral("/Bills.grp")));
    CVemoGroup saved;
    QVERIFY(saved.LoadFromFile(folder + QStringLiteral("/Things To Do.grp")));
    QCOMPARE(saved.GetItems()[0].m_strTitle, QStringLiteral("Renamed"));
}

// A directory where the group file belongs makes every save of that group fail, even for root.
void TestVemoAccount::failedSaveIsReportedOncePerFailure()
{
    CAccountFixture fixture;
    NewHome(fixture);
    CVemoAccount& account = fixture.m_account;
    CVemoGroup bills;
    bills.SetName(QStringLiteral("Bills"));
    account.AddGroup(bills);
    const QString blocked = HomeFolder() + QStringLiteral("/Things To Do.grp");
    QVERIFY(QDir().mkpath(blocked));
    const auto messages = [&]
    {
        return fixture.m_prompts.m_messages.size();
    };

    QVERIFY(!account.SaveAccount());
    QCOMPARE(messages(), 1);
    QCOMPARE(fixture.m_prompts.m_messages[0].m_icon, IUserPrompts::Exclamation);
    const QString text = fixture.m_prompts.m_messages[0].m_strText;
    QVERIFY2(
        text.startsWith(QStringLiteral("These groups could not be saved:\n\nThings To Do\n\n")),
        qPrintable(text));
    QVERIFY(account.GetGroups()[0].IsModified());
    QVERIFY(QFile::exists(HomeFolder() + QStringLiteral("/Bills.grp")));

    QVERIFY(!account.SaveAccount());
    account.SaveModified();
    QCOMPARE(messages(), 1);
    account.SaveModified(true);
    QCOMPARE(messages(), 2);

    QVERIFY(QDir().rmdir(blocked));
    QVERIFY(account.SaveAccount());
    CVemoGroup saved;
    QVERIFY(saved.LoadFromFile(blocked));
    QCOMPARE(saved.GetItems().size(), 1);

    QVERIFY(account.SetItemTitle(QStringLiteral("Things To Do"), 1, QStringLiteral("Changed")));
    QVERIFY(QFile::remove(blocked) && QDir().mkpath(blocked));
    QVERIFY(!account.SaveAccount());
    QCOMPARE(messages(), 3);
}

void TestVemoAccount::failedAccountFileWritesNoGroup()
{
    CAccountFixture fixture;
    NewHome(fixture);
    const QString accountFile = HomeFolder() + QStringLiteral("/Home.acf");
    QVERIFY(QFile::remove(accountFile) && QDir().mkpath(accountFile));
    QVERIFY(!fixture.m_account.SaveAccount());
    QCOMPARE(fixture.m_prompts.MessageTexts().value(0).section(u'\n', 0, 2),
             QStringLiteral("These groups could not be saved:\n\nThings To Do"));
    QVERIFY(!QFile::exists(HomeFolder() + QStringLiteral("/Things To Do.grp")));
    QVERIFY(QDir().rmdir(accountFile));
    QVERIFY(fixture.m_account.SaveAccount());
    QVERIFY(QFile::remove(accountFile) && QDir().mkpath(accountFile));
    QVERIFY(!fixture.m_account.SaveAccount());
    QVERIFY(fixture.m_prompts.MessageTexts().value(1).startsWith(
        QStringLiteral("The account could not be saved.  Your changes are kept")));
}

void TestVemoAccount::closeAndReopenRestoresEverything()
{
    CAccountFixture fixture;
    NewHome(fixture);
    CVemoAccount& account = fixture.m_account;
    const QString group = QStringLiteral("Things To Do");
    const quint32 listed = account.AddItemToGroup(
        group, ListedItem(QStringLiteral("Listed"), CReminderSpec::RepeatNone));
    fixture.m_stickies.m_notes[0].m_rect = {10, 20, 110, 220};
    fixture.m_stickies.m_notes[0].m_strText = QStringLiteral("typed on the note");

    account.CloseAccount();
    QVERIFY(!account.IsOpen());
    QCOMPARE(fixture.m_mainWindow.m_strTitle, QStringLiteral("[No Account]"));
    QVERIFY(fixture.m_stickies.m_notes.isEmpty());
    QVERIFY(fixture.m_tree.m_groups.isEmpty());
    QCOMPARE(GetQuickList().GetCount(), 0);
    QCOMPARE(account.GetReminderScheduler().GetCount(), 0);
    QCOMPARE(GetSettings().GetDefaultAccount(), HomeFolder());

    QVERIFY(account.OpenAccount(HomeFolder()));
    QCOMPARE(fixture.m_stickies.m_notes.size(), 1);
    QCOMPARE(fixture.m_stickies.m_notes[0].m_rect, CRect32({10, 20, 110, 220}));
    QCOMPARE(fixture.m_stickies.m_notes[0].m_strText, QStringLiteral("typed on the note"));
    QVERIFY(GetQuickList().Contains(group, listed));
    QVERIFY(account.GetReminderScheduler().FindReminder(group, listed) >= 0);
    QCOMPARE(fixture.m_tree.m_groups[0].m_items.size(), 2);
}

void TestVemoAccount::accountMovedElsewhereStillOpens()
{
    const QString folder = GetProgramFolder() + QStringLiteral("Moved");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(WriteFile(folder + QStringLiteral("/Moved.acf"),
                      CAccountFile::ToBytes(QStringLiteral("/other/machine/Moved"))));
    CAccountFixture fixture;
    QVERIFY(fixture.m_account.OpenAccount(folder));
    QCOMPARE(fixture.m_account.GetTitle(), QStringLiteral("Moved"));
    QVERIFY(fixture.m_account.GetGroups().isEmpty());
    QVERIFY(fixture.m_account.SaveAccount());
    QString stored;
    QVERIFY(CAccountFile::Read(folder + QStringLiteral("/Moved.acf"), stored));
    QCOMPARE(stored, folder);

    fixture.m_account.CloseAccount();
    QVERIFY(WriteFile(folder + QStringLiteral("/Moved.acf"), "not an account"));
    QVERIFY(!fixture.m_account.OpenAccount(folder));
    QVERIFY(!fixture.m_account.IsOpen());
}

void TestVemoAccount::unreadableGroupIsLeftAlone()
{
    {
        CAccountFixture fixture;
        NewHome(fixture);
        fixture.m_account.CloseAccount();
    }
    const QString damaged = HomeFolder() + QStringLiteral("/Damaged.grp");
    const QByteArray bytes = QByteArray::fromHex("05000000") + "short";
    QVERIFY(WriteFile(damaged, bytes));

    CAccountFixture fixture;
    QVERIFY(fixture.m_account.OpenAccount(HomeFolder()));
    QCOMPARE(fixture.m_account.GetGroups().size(), 1);
    QCOMPARE(fixture.m_prompts.m_messages.size(), 1);
    QCOMPARE(fixture.m_prompts.m_messages[0].m_icon, IUserPrompts::Exclamation);
    QVERIFY(!fixture.m_account.IsGroupNameFree(QStringLiteral("damaged")));
    fixture.m_account.CloseAccount();
    QCOMPARE(ReadFile(damaged), bytes);
}

void TestVemoAccount::groupNameIsFreeOnlyWhereNoEntryHasIt_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("renamed");
    QTest::addColumn<bool>("free");
    const QString ours = QStringLiteral("Things To Do");
    const auto row = [](const char* title, EntryKind kind, const char* entry, const char* name,
                        const QString& renamed, bool free)
    {
        QTest::newRow(title) << int(kind) << QString::fromUtf8(entry) << QString::fromUtf8(name)
                             << renamed << free;
    };
    row("unreadable file", Damaged, "Bills.grp", "BILLS", {}, false);
    row("unreadable hidden file", Damaged, ".Old.grp", ".old", {}, false);
    row("folder", Folder, "Evil.grp", "evil", {}, false);
    row("link", Link, "Evil.grp", "Evil", {}, false);
    row("broken link", BrokenLink, "Evil.grp", "EVIL", ours, false);
    row("case-only rename onto an unreadable file", Damaged, "THINGS TO DO.grp", "THINGS TO DO",
        ours, false);
    row("case-only rename onto its own file", Damaged, "Notes.txt", "THINGS TO DO", ours, true);
    row("loaded group", Damaged, "Notes.txt", "things to do", {}, false);
    row("other extension", Folder, "Evil.txt", "Evil", {}, true);
    row("unusable name", Damaged, "Notes.txt", "a/b", {}, false);
}

// Every entry of the folder takes its name, so no save can write over a file it could not read.
void TestVemoAccount::groupNameIsFreeOnlyWhereNoEntryHasIt()
{
    QFETCH(int, kind);
    QFETCH(QString, entry);
    QFETCH(QString, name);
    QFETCH(QString, renamed);
    QFETCH(bool, free);
    CAccountFixture fixture;
    NewHome(fixture);
    QVERIFY(fixture.m_account.SaveAccount());
    const QString path = HomeFolder() + QLatin1Char('/') + entry;
    switch (kind)
    {
    case Damaged:
        QVERIFY(WriteFile(path, "bad"));
        break;
    case Folder:
        QVERIFY(QDir().mkpath(path));
        break;
    case Link:
        QVERIFY(QFile::link(HomeFolder() + QStringLiteral("/Home.acf"), path));
        break;
    default:
        QVERIFY(QFile::link(m_home.Path(QStringLiteral("nowhere")), path));
    }
    QCOMPARE(fixture.m_account.IsGroupNameFree(name, renamed), free);
}

// With nothing selected, Make Item And Sticky makes the default group: never over a file of that
// name that could not be read.
void TestVemoAccount::defaultGroupAvoidsUnreadableGroupFile()
{
    {
        CAccountFixture fixture;
        NewHome(fixture);
        fixture.m_account.RemoveGroup(QStringLiteral("Things To Do"));
        fixture.m_account.CloseAccount();
    }
    const QString damaged = HomeFolder() + QStringLiteral("/Things To Do.grp");
    QVERIFY(WriteFile(damaged, "bad"));
    CAccountFixture fixture;
    QVERIFY(fixture.m_account.OpenAccount(HomeFolder()));
    QString name;
    QVERIFY(fixture.m_account.AddDefaultGroup(name, false));
    QCOMPARE(name, QStringLiteral("Things To Do1"));
    QVERIFY(fixture.m_account.SaveAccount());
    QCOMPARE(ReadFile(damaged), QByteArray("bad"));
}

void TestVemoAccount::openRemovesOnlyLeftOverTemporaryFiles()
{
    {
        CAccountFixture fixture;
        NewHome(fixture);
        fixture.m_account.CloseAccount();
    }
    const QDir home(HomeFolder());
    const QStringList leftOver = {"Things To Do.grp.aB3dE9", "Home.acf.Zz09yx", ".Old.grp.qwerty"};
    const QStringList kept = {"Notes.grp.txt", "Work.grp.abcde", "Work.grp.abcdefg",
                              "Notes.txt.abcdef", "Work.grp.ab-def"};
    for (const QString& name : leftOver + kept)
        QVERIFY(WriteFile(home.filePath(name), "x"));
    QVERIFY(QFile::link(home.filePath(QStringLiteral("Home.acf")),
                        home.filePath(QStringLiteral("Link.grp.abcdef"))));

    CAccountFixture fixture;
    QVERIFY(fixture.m_account.OpenAccount(HomeFolder()));
    for (const QString& name : leftOver)
        QVERIFY2(!QFileInfo::exists(home.filePath(name)), qPrintable(name));
    for (const QString& name : kept + QStringList{QStringLiteral("Link.grp.abcdef")})
        QVERIFY2(QFileInfo(home.filePath(name)).exists(), qPrintable(name));
    QCOMPARE(fixture.m_account.GetGroups().size(), 1);
}

void TestVemoAccount::renameGroupKeepsItemsAndMovesEntries_data()
{
    QTest::addColumn<QString>("newName");
    QTest::newRow("new name") << "Errands";
    QTest::newRow("letter case only") << "THINGS TO DO";
}

void TestVemoAccount::renameGroupKeepsItemsAndMovesEntries()
{
    QFETCH(QString, newName);
    CAccountFixture fixture;
    NewHome(fixture);
    CVemoAccount& account = fixture.m_account;
    const QString oldName = QStringLiteral("Things To Do");
    const quint32 key = account.AddItemToGroup(
        oldName, ListedItem(QStringLiteral("Post"), CReminderSpec::RepeatDay));

    QVERIFY(account.RenameGroup(oldName, newName));
    const QStringList files = QDir(HomeFolder()).entryList({QStringLiteral("*.grp")});
    QCOMPARE(files, QStringList{newName + QStringLiteral(".grp")});
    CVemoGroup saved;
    QVERIFY(saved.LoadFromFile(HomeFolder() + QLatin1Char('/') + files[0]));
    QCOMPARE(saved.GetItems().size(), 2);
    QCOMPARE(saved.GetName(), newName);

    QString listedGroup;
    quint32 listedKey = 0;
    QVERIFY(GetQuickList().Get(0, listedGroup, listedKey));
    QCOMPARE(listedGroup, newName);
    QCOMPARE(account.GetReminderScheduler().FindReminder(newName, key), 0);
    QCOMPARE(fixture.m_stickies.m_notes[0].m_strGroup, newName);
}

void TestVemoAccount::removingItemsDropsTheirEntries_data()
{
    QTest::addColumn<int>("how");
    QTest::newRow("remove item") << 0;
    QTest::newRow("delete all items") << 1;
    QTest::newRow("remove group") << 2;
}

void TestVemoAccount::removingItemsDropsTheirEntries()
{
    QFETCH(int, how);
    CAccountFixture fixture;
    NewHome(fixture);
    CVemoAccount& account = fixture.m_account;
    const QString group = QStringLiteral("Things To Do");
    CVemoItem item = ListedItem(QStringLiteral("Doomed"), CReminderSpec::RepeatWeek);
    item.m_bHasSticky = 1;
    const quint32 key = account.AddItemToGroup(group, item);
    QVERIFY(account.SaveAccount());

    if (how == 0)
        QVERIFY(account.RemoveItem(group, key));
    else if (how == 1)
        QVERIFY(account.RemoveAllItems(group));
    else
        QVERIFY(account.RemoveGroup(group));

    CVemoItem gone(Qt::Uninitialized);
    QVERIFY(!account.GetItemCopy(group, key, gone));
    QVERIFY(!GetQuickList().Contains(group, key));
    QCOMPARE(account.GetReminderScheduler().GetCount(), 0);
    QVERIFY(!fixture.m_stickies.IsOpen(group, key));
    QVERIFY(!fixture.m_tree.FindItemNode(group, key));
    QCOMPARE(QFile::exists(HomeFolder() + QStringLiteral("/Things To Do.grp")), how != 2);
}

void TestVemoAccount::stickyLookReachesItemAndNote()
{
    CAccountFixture fixture;
    NewHome(fixture);
    CLogFont font;
    font.SetFaceName(QStringLiteral("Courier"));
    QVERIFY(fixture.m_account.SetStickyLook(QStringLiteral("Things To Do"), 1, 0x00FF0000,
                                            0x000000FF, font));
    CVemoItem item(Qt::Uninitialized);
    QVERIFY(fixture.m_account.GetItemCopy(QStringLiteral("Things To Do"), 1, item));
    QCOMPARE(item.m_crStickyBack, quint32(0x00FF0000));
    QCOMPARE(item.m_crStickyText, quint32(0x000000FF));
    QCOMPARE(item.m_lfStickyFont.lfFaceName, QStringLiteral("Courier"));
    QCOMPARE(fixture.m_stickies.m_notes[0].m_crBack, quint32(0x00FF0000));
    QVERIFY(!fixture.m_account.SetStickyLook(QStringLiteral("Gone"), 1, 0, 0, font));
}

void TestVemoAccount::hidingStickyKeepsItsText()
{
    CAccountFixture fixture;
    NewHome(fixture);
    const QString group = QStringLiteral("Things To Do");
    fixture.m_stickies.m_notes[0].m_strText = QStringLiteral("edited on the note");
    QVERIFY(fixture.m_account.ShowSticky(group, 1, false));
    CVemoItem item(Qt::Uninitialized);
    QVERIFY(fixture.m_account.GetItemCopy(group, 1, item));
    QCOMPARE(item.m_strMessage, QStringLiteral("edited on the note"));
    QCOMPARE(item.m_bHasSticky, 0);
    QVERIFY(!fixture.m_account.ShowSticky(group, 1, false));
}

void TestVemoAccount::dueRemindersUpdateTheItem_data()
{
    QTest::addColumn<qint32>("repeat");
    QTest::addColumn<qint32>("enabledAfter");
    QTest::addColumn<qint32>("doByAfter");
    QTest::newRow("one time") << qint32(CReminderSpec::RepeatNone) << 0 << Noon - 60;
    QTest::newRow("weekly") << qint32(CReminderSpec::RepeatWeek) << 1 << Noon - 60 + 7 * 86400;
}

void TestVemoAccount::dueRemindersUpdateTheItem()
{
    QFETCH(qint32, repeat);
    QFETCH(qint32, enabledAfter);
    QFETCH(qint32, doByAfter);
    CAccountFixture fixture;
    NewHome(fixture);
    CVemoItem item = Item(QStringLiteral("Due"));
    item.m_reminder = Reminder(Noon - 60, repeat);
    const QString group = QStringLiteral("Things To Do");
    const quint32 key = fixture.m_account.AddItemToGroup(group, item);

    QCOMPARE(fixture.m_announcer.m_calls,
             QStringList{QStringLiteral("alert Things To Do %1").arg(key)});
    CVemoItem stored(Qt::Uninitialized);
    QVERIFY(fixture.m_account.GetItemCopy(group, key, stored));
    QCOMPARE(stored.m_reminder.m_bEnabled, enabledAfter);
    QCOMPARE(stored.m_reminder.m_timeDoBy, doByAfter);
    QCOMPARE(fixture.m_account.GetReminderScheduler().GetCount(), enabledAfter);
}

void TestVemoAccount::autoSaveSavesOnlyAnOpenAccount()
{
    CAccountFixture fixture;
    CAutoSaveTimer timer;
    GetSettings().SetAutoSaveInterval(0);
    QVERIFY(!timer.Start());
    timer.SetPeriod(120000);
    QVERIFY(timer.IsRunning());
    timer.SetPeriod(0);
    QVERIFY(!timer.IsRunning());
    timer.OnTick();
    QVERIFY(QDir(GetProgramFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());

    NewHome(fixture);
    fixture.m_stickies.m_notes[0].m_strText = QStringLiteral("from the note");
    timer.OnTick();
    CVemoGroup saved;
    QVERIFY(saved.LoadFromFile(HomeFolder() + QStringLiteral("/Things To Do.grp")));
    QCOMPARE(saved.GetItems()[0].m_strMessage, QStringLiteral("from the note"));
}

// A negative interval from the settings file, or from the preferences, is auto-save off.
void TestVemoAccount::negativeAutoSaveIntervalStartsNoTimer()
{
    CAutoSaveTimer timer;
    GetSettings().SetAutoSaveInterval(0xFFFFFFFFu);
    QVERIFY(!timer.Start());
    QVERIFY(!timer.IsRunning());
    timer.SetPeriod(120000);
    timer.SetPeriod(-60000);
    QVERIFY(!timer.IsRunning());
    GetSettings().SetAutoSaveInterval(0);
}

void TestVemoAccount::sendItemMail_data()
{
    QTest::addColumn<QString>("addendum");
    QTest::addColumn<QString>("mailTo");
    QTest::addColumn<bool>("forReminder");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QString>("body");
    const QString message = QStringLiteral("Buy message");
    QTest::newRow("plain") << ""
                           << "me@example.org" << false << int(IMailTransport::Sent) << true
                           << message;
    QTest::newRow("addendum") << "Hello"
                              << "" << false << int(IMailTransport::Sent) << true
                              << QStringLiteral("Hello\r\n") + message;
    QTest::newRow("cancelled") << ""
                               << "" << false << int(IMailTransport::Cancelled) << true << message;
    QTest::newRow("failed") << ""
                            << "" << false << int(IMailTransport::Failed) << false << message;
    QTest::newRow("reminder without address")
        << ""
        << "" << true << int(IMailTransport::Sent) << false << QString();
}

void TestVemoAccount::sendItemMail()
{
    QFETCH(QString, addendum);
    QFETCH(QString, mailTo);
    QFETCH(bool, forReminder);
    QFETCH(int, outcome);
    QFETCH(bool, result);
    QFETCH(QString, body);
    GetSettings().SetAddendum(addendum);
    GetSettings().SetMailTo(mailTo);
    CAccountFixture fixture;
    NewHome(fixture);
    fixture.m_mail.m_outcome = IMailTransport::Outcome(outcome);
    const quint32 key = fixture.m_account.AddItemToGroup(QStringLiteral("Things To Do"),
                                                         Item(QStringLiteral("Buy")));

    QCOMPARE(fixture.m_account.SendItemMail(QStringLiteral("Things To Do"), key, forReminder),
             result);
    if (body.isNull())
    {
        QVERIFY(fixture.m_mail.m_sent.isEmpty());
        return;
    }
    QCOMPARE(fixture.m_mail.m_sent.size(), 1);
    QCOMPARE(fixture.m_mail.m_sent[0].m_strBody, body);
    QCOMPARE(fixture.m_mail.m_sent[0].m_strSubject, QStringLiteral("Buy"));
    QCOMPARE(fixture.m_mail.m_sent[0].m_strTo, mailTo);
    QCOMPARE(fixture.m_mail.m_modes[0],
             forReminder ? IMailTransport::SendSilently : IMailTransport::OpenCompose);
}

QTEST_GUILESS_MAIN(TestVemoAccount)
#include "tst_vemoaccount.moc"
