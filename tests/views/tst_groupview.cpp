#include "FakeClock.h"
#include "TestHome.h"
#include "base/ProgramFolder.h"
#include "model/AccountCommands.h"
#include "model/AccountFakes.h"
#include "model/CommandIds.h"
#include "shell/CommandActions.h"
#include "tray/QuickList.h"
#include "views/GroupView.h"

#include <QAbstractEventDispatcher>
#include <QDir>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace
{
constexpr qint32 Noon = 1796817600; // 2026-12-09 12:00 UTC
const QString Home = QStringLiteral("Home");
const QString Bills = QStringLiteral("Bills");

// The account with the real view as its tree and fakes behind every other port.
struct CViewFixture
{
    CGroupView m_view;
    CFakeStickyHost m_stickies;
    CFakePrompts m_prompts;
    CFakeMainWindow m_mainWindow;
    CVemoAccount m_account{{&m_view, &m_stickies, &m_prompts, nullptr, nullptr, &m_mainWindow}};
    CAccountCommands m_commands{m_account};
    CCommandActions m_actions{m_commands};

    CViewFixture()
    {
        g_pAccount = &m_account;
        m_view.Attach(&m_account, &m_commands, &m_actions);
        m_actions.AddShortcuts(&m_view);
    }
    ~CViewFixture() { g_pAccount = nullptr; }
    CViewFixture(const CViewFixture&) = delete;
    CViewFixture& operator=(const CViewFixture&) = delete;
};

QStringList Labels(const CGroupView& view, const QModelIndex& parent = {})
{
    QStringList labels;
    for (int row = 0; row < view.model()->rowCount(parent); ++row)
        labels.append(view.model()->index(row, 0, parent).data().toString());
    return labels;
}

Qt::CheckState CheckOf(const QModelIndex& node)
{
    return Qt::CheckState(node.data(Qt::CheckStateRole).toInt());
}

QStringList GroupNames(const CVemoAccount& account)
{
    QStringList names;
    for (const CVemoGroup& group : account.GetGroups())
        names.append(group.GetName());
    return names;
}

QImage IconImage(const QIcon& icon)
{
    return icon.pixmap(16, 16).toImage();
}

// What the view would do once its pending timers ran out, done now instead of waiting for them.
void FirePendingTimers(QObject* object)
{
    const auto timers = QAbstractEventDispatcher::instance()->registeredTimers(object);
    for (const QAbstractEventDispatcher::TimerInfo& timer : timers)
    {
        QTimerEvent event(timer.timerId);
        QCoreApplication::sendEvent(object, &event);
    }
}

bool IsRenaming(const CGroupView& view)
{
    return view.viewport()->findChild<QLineEdit*>() != nullptr;
}
} // namespace

class TestGroupView : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void insertionSortsIgnoringCaseAndRenameKeepsPlace();
    void loadedGroupIsInTheOrderOfOneByOneInsertion();
    void itemIconFollowsStickyAndQuickList_data();
    void itemIconFollowsStickyAndQuickList();
    void checkClickTogglesCompletionWithoutSelecting();
    void groupRenameInPlace_data();
    void groupRenameInPlace();
    void itemRenameInPlace_data();
    void itemRenameInPlace();
    void clickOnSelectedLabelRenamesAfterDoubleClickTime();
    void doubleClickOnLabel_data();
    void doubleClickOnLabel();
    void clickOnItemFlashesItsNote_data();
    void clickOnItemFlashesItsNote();
    void spaceTogglesCompletionOfSelectedItem_data();
    void spaceTogglesCompletionOfSelectedItem();
    void focusFrameAloneSelectsNothing();
    void dropMovesItemOnlyOntoGroup_data();
    void dropMovesItemOnlyOntoGroup();
    void selectionQueries_data();
    void selectionQueries();

private:
    void AddGroup(const QString& name);
    quint32 AddItem(const QString& group, const QString& title);
    QPoint CheckPoint(const QModelIndex& node) const;
    QPoint LabelPoint(const QModelIndex& node) const;
    QPoint WindowPoint(const QPoint& viewportPoint) const;
    void ClickLabel(const QModelIndex& node);
    void DoubleClickLabel(const QModelIndex& node);
    void RenameInPlace(const QModelIndex& node, const QString& text);

    CTestHome m_home;
    CFakeClock m_clock{Noon};
    std::unique_ptr<CViewFixture> m_fixture;
};

void TestGroupView::init()
{
    QDir(GetProgramFolder()).removeRecursively();
    GetQuickList().RemoveAll();
    m_fixture = std::make_unique<CViewFixture>();
    m_fixture->m_prompts.m_newAccountNames = {QStringLiteral("Account")};
    QVERIFY(m_fixture->m_account.NewAccount());
    QVERIFY(m_fixture->m_account.RemoveGroup(m_fixture->m_account.GetGroups().first().GetName()));
    m_fixture->m_view.resize(300, 400);
    m_fixture->m_view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_fixture->m_view));
}

void TestGroupView::cleanup()
{
    m_fixture.reset();
}

void TestGroupView::AddGroup(const QString& name)
{
    CVemoGroup group;
    group.SetName(name);
    m_fixture->m_account.AddGroup(group);
}

quint32 TestGroupView::AddItem(const QString& group, const QString& title)
{
    CVemoItem item(Noon, Noon, CVemoItem::PriorityNormal);
    item.m_strTitle = title;
    return m_fixture->m_account.AddItemToGroup(group, item);
}

// A node's cell holds the check image, the icon and the label, each image 16 pixels wide.
QPoint TestGroupView::CheckPoint(const QModelIndex& node) const
{
    const QRect rect = m_fixture->m_view.visualRect(node);
    return {rect.left() + 10, rect.center().y()};
}

QPoint TestGroupView::LabelPoint(const QModelIndex& node) const
{
    const QRect rect = m_fixture->m_view.visualRect(node);
    const int iconsWidth = node.parent().isValid() ? 40 : 22;
    return {rect.left() + iconsWidth + 6, rect.center().y()};
}

QPoint TestGroupView::WindowPoint(const QPoint& viewportPoint) const
{
    const CGroupView& view = m_fixture->m_view;
    return view.viewport()->mapTo(view.window(), viewportPoint);
}

// Clicks go through the window system, as a user's do, so the application itself decides
// which press makes a double click.
void TestGroupView::ClickLabel(const QModelIndex& node)
{
    QTest::mouseClick(m_fixture->m_view.window()->windowHandle(), Qt::LeftButton, {},
                      WindowPoint(LabelPoint(node)));
}

// Two press and release pairs through the window system: the view gets press, release, double
// click and release, as from a mouse.
void TestGroupView::DoubleClickLabel(const QModelIndex& node)
{
    QTest::mouseDClick(m_fixture->m_view.window()->windowHandle(), Qt::LeftButton, {},
                       WindowPoint(LabelPoint(node)));
}

void TestGroupView::RenameInPlace(const QModelIndex& node, const QString& text)
{
    CGroupView& view = m_fixture->m_view;
    view.setCurrentIndex(node);
    QTest::keyClick(&view, Qt::Key_F2);
    auto* editor = view.viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->setText(text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate commits a confirmed edit from the event loop.
    QCoreApplication::processEvents();
}

void TestGroupView::insertionSortsIgnoringCaseAndRenameKeepsPlace()
{
    CGroupView& view = m_fixture->m_view;
    AddGroup(QStringLiteral("beta"));
    AddGroup(QStringLiteral("Alpha"));
    AddItem(QStringLiteral("beta"), QStringLiteral("b"));
    AddItem(QStringLiteral("beta"), QStringLiteral("C"));
    AddItem(QStringLiteral("beta"), QStringLiteral("a"));
    QCOMPARE(Labels(view), QStringList({"Alpha", "beta"}));
    QCOMPARE(Labels(view, view.FindGroupNode(QStringLiteral("beta"))),
             QStringList({"a", "b", "C"}));
    QVERIFY(view.isExpanded(view.FindGroupNode(QStringLiteral("Alpha"))));

    RenameInPlace(view.FindGroupNode(QStringLiteral("Alpha")), QStringLiteral("zeta"));
    QCOMPARE(Labels(view), QStringList({"zeta", "beta"}));
    QVERIFY(m_fixture->m_account.FindGroup(QStringLiteral("zeta")) >= 0);
}

// Equal labels keep the order they are stored in, as inserting them one by one would.
void TestGroupView::loadedGroupIsInTheOrderOfOneByOneInsertion()
{
    CVemoGroup group;
    group.SetName(QStringLiteral("Loaded"));
    for (const char* title : {"b", "C", "a", "B", "c"})
    {
        CVemoItem item(Noon, Noon, CVemoItem::PriorityNormal);
        item.m_strTitle = QLatin1String(title);
        item.m_strMessage = QLatin1String(title) + QStringLiteral(" first");
        group.AddItem(item);
    }
    CGroupView& view = m_fixture->m_view;
    QVERIFY(view.AddGroupNode(group));
    const QModelIndex node = view.FindGroupNode(QStringLiteral("Loaded"));
    QCOMPARE(Labels(view, node), QStringList({"a", "b", "B", "C", "c"}));
    QVERIFY(view.isExpanded(node));
    QCOMPARE(node.model()->index(1, 0, node).data(Qt::UserRole).toUInt(),
             group.GetItems().at(0).m_dwKey);
    QCOMPARE(node.model()->index(2, 0, node).data(Qt::UserRole).toUInt(),
             group.GetItems().at(3).m_dwKey);
}

void TestGroupView::itemIconFollowsStickyAndQuickList_data()
{
    QTest::addColumn<bool>("sticky");
    QTest::addColumn<bool>("quickListed");
    QTest::addColumn<QString>("icon");
    QTest::newRow("plain") << false << false << ":/icons/item.svg";
    QTest::newRow("quick-listed") << false << true << ":/icons/item-quicklisted.svg";
    QTest::newRow("sticky") << true << false << ":/icons/item-sticky.svg";
    QTest::newRow("sticky and quick-listed") << true << true << ":/icons/item-sticky.svg";
}

void TestGroupView::itemIconFollowsStickyAndQuickList()
{
    QFETCH(bool, sticky);
    QFETCH(bool, quickListed);
    QFETCH(QString, icon);
    AddGroup(Home);
    const quint32 key = AddItem(Home, QStringLiteral("Task"));
    if (sticky)
        QVERIFY(m_fixture->m_account.ShowSticky(Home, key, true));
    if (quickListed)
        QVERIFY(GetQuickList().Add(Home, key));
    const QModelIndex node = m_fixture->m_view.FindItemNode(Home, key);
    QCOMPARE(IconImage(node.data(Qt::DecorationRole).value<QIcon>()), IconImage(QIcon(icon)));
}

void TestGroupView::checkClickTogglesCompletionWithoutSelecting()
{
    CGroupView& view = m_fixture->m_view;
    AddGroup(Home);
    const quint32 selected = AddItem(Home, QStringLiteral("Selected"));
    const quint32 checked = AddItem(Home, QStringLiteral("Checked"));
    const QModelIndex checkedNode = view.FindItemNode(Home, checked);
    view.setCurrentIndex(view.FindItemNode(Home, selected));

    for (const bool completed : {true, false})
    {
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, CheckPoint(checkedNode));
        CVemoItem item(Qt::Uninitialized);
        QVERIFY(m_fixture->m_account.GetItemCopy(Home, checked, item));
        QCOMPARE(item.m_bCompleted != 0, completed);
        QCOMPARE(CheckOf(checkedNode), completed ? Qt::Checked : Qt::Unchecked);
        QCOMPARE(view.GetSelectedItemKey(), selected);
    }

    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, LabelPoint(checkedNode));
    QCOMPARE(view.GetSelectedItemKey(), checked);
    QCOMPARE(CheckOf(checkedNode), Qt::Unchecked);
}

void TestGroupView::groupRenameInPlace_data()
{
    QTest::addColumn<QString>("newName");
    QTest::addColumn<bool>("renamed");
    QTest::newRow("letter case only") << "HOME" << true;
    QTest::newRow("new name") << "Errands" << true;
    QTest::newRow("other group") << "Bills" << false;
    QTest::newRow("other group in other case") << "bILLS" << false;
}

void TestGroupView::groupRenameInPlace()
{
    QFETCH(QString, newName);
    QFETCH(bool, renamed);
    AddGroup(Home);
    AddGroup(Bills);
    const QModelIndex node = m_fixture->m_view.FindGroupNode(Home);
    RenameInPlace(node, newName);
    const QString name = renamed ? newName : Home;
    QCOMPARE(node.data().toString(), name);
    QCOMPARE(GroupNames(m_fixture->m_account), QStringList({name, Bills}));
    const QStringList nameUsed(
        "You must use a group name that hasn't already been used in this account.");
    QCOMPARE(m_fixture->m_prompts.MessageTexts(), renamed ? QStringList() : nameUsed);
}

void TestGroupView::itemRenameInPlace_data()
{
    QTest::addColumn<QString>("newTitle");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("new title") << "New title"
                               << "New title" << QStringList();
    QTest::newRow("empty") << ""
                           << "Old" << QStringList("You must enter a title for this item.");
}

void TestGroupView::itemRenameInPlace()
{
    QFETCH(QString, newTitle);
    QFETCH(QString, title);
    QFETCH(QStringList, messages);
    AddGroup(Home);
    const quint32 key = AddItem(Home, QStringLiteral("Old"));
    const QModelIndex node = m_fixture->m_view.FindItemNode(Home, key);
    RenameInPlace(node, newTitle);
    CVemoItem item(Qt::Uninitialized);
    QVERIFY(m_fixture->m_account.GetItemCopy(Home, key, item));
    QCOMPARE(item.m_strTitle, title);
    QCOMPARE(node.data().toString(), title);
    QCOMPARE(m_fixture->m_prompts.MessageTexts(), messages);
    for (const CFakePrompts::CMessage& message : m_fixture->m_prompts.m_messages)
        QCOMPARE(message.m_icon, IUserPrompts::NoIcon);
}

// The control's own way into renaming, which a double click must not take as well.
void TestGroupView::clickOnSelectedLabelRenamesAfterDoubleClickTime()
{
    AddGroup(Home);
    const QModelIndex node = m_fixture->m_view.FindGroupNode(Home);
    ClickLabel(node);
    ClickLabel(node);
    QVERIFY(!IsRenaming(m_fixture->m_view));
    FirePendingTimers(&m_fixture->m_view);
    QVERIFY(IsRenaming(m_fixture->m_view));
}

void TestGroupView::doubleClickOnLabel_data()
{
    QTest::addColumn<bool>("onItem");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<bool>("sticky");
    QTest::newRow("group opens add item") << false << QStringList("Vemo - Add Item") << false;
    QTest::newRow("item shows its sticky") << true << QStringList() << true;
}

void TestGroupView::doubleClickOnLabel()
{
    QFETCH(bool, onItem);
    QFETCH(QStringList, captions);
    QFETCH(bool, sticky);
    CGroupView& view = m_fixture->m_view;
    AddGroup(Home);
    const quint32 key = AddItem(Home, QStringLiteral("Task"));
    const QModelIndex groupNode = view.FindGroupNode(Home);
    const QModelIndex node = onItem ? view.FindItemNode(Home, key) : groupNode;
    ClickLabel(node);
    DoubleClickLabel(node);
    QCOMPARE(m_fixture->m_prompts.m_captions, captions);
    QCOMPARE(m_fixture->m_account.HasSticky(Home, key), sticky);
    QCOMPARE(m_fixture->m_stickies.m_focused.m_dwKey, sticky ? key : 0u);
    QVERIFY(view.isExpanded(groupNode));
    FirePendingTimers(&view);
    QVERIFY(!IsRenaming(view));
}

void TestGroupView::clickOnItemFlashesItsNote_data()
{
    QTest::addColumn<bool>("sticky");
    QTest::addColumn<int>("flashes");
    QTest::newRow("with a note") << true << 3;
    QTest::newRow("without a note") << false << 0;
}

void TestGroupView::clickOnItemFlashesItsNote()
{
    QFETCH(bool, sticky);
    QFETCH(int, flashes);
    AddGroup(Home);
    const quint32 key = AddItem(Home, QStringLiteral("Task"));
    if (sticky)
        QVERIFY(m_fixture->m_account.ShowSticky(Home, key, true));
    ClickLabel(m_fixture->m_view.FindItemNode(Home, key));
    QCOMPARE(m_fixture->m_stickies.m_nFlashCount, flashes);
    QCOMPARE(m_fixture->m_stickies.m_flashed.m_dwKey, sticky ? key : 0u);
    QCOMPARE(m_fixture->m_view.GetSelectedItemKey(), key);
}

void TestGroupView::spaceTogglesCompletionOfSelectedItem_data()
{
    QTest::addColumn<bool>("onItem");
    QTest::newRow("item") << true;
    QTest::newRow("group") << false;
}

void TestGroupView::spaceTogglesCompletionOfSelectedItem()
{
    QFETCH(bool, onItem);
    CGroupView& view = m_fixture->m_view;
    AddGroup(Home);
    const quint32 key = AddItem(Home, QStringLiteral("Task"));
    const QModelIndex itemNode = view.FindItemNode(Home, key);
    const QModelIndex node = onItem ? itemNode : view.FindGroupNode(Home);
    ClickLabel(node);

    for (const bool completed : {true, false})
    {
        QTest::keyClick(&view, Qt::Key_Space);
        CVemoItem item(Qt::Uninitialized);
        QVERIFY(m_fixture->m_account.GetItemCopy(Home, key, item));
        QCOMPARE(item.m_bCompleted != 0, onItem && completed);
        QCOMPARE(CheckOf(itemNode), onItem && completed ? Qt::Checked : Qt::Unchecked);
        QVERIFY(view.selectionModel()->isSelected(node));
    }
}

// Focus arriving from another window makes the first group the current node, drawn with a
// focus frame but not highlighted; commands must find nothing selected.
void TestGroupView::focusFrameAloneSelectsNothing()
{
    CGroupView& view = m_fixture->m_view;
    const QString todo = QStringLiteral("Things To Do");
    AddGroup(todo);
    view.clearFocus();
    view.setFocus(Qt::ActiveWindowFocusReason);
    const QModelIndex todoNode = view.FindGroupNode(todo);
    QCOMPARE(view.currentIndex(), todoNode);
    QVERIFY(!view.selectionModel()->isSelected(todoNode));

    QVERIFY(!view.GetSelectedGroupNode());
    QCOMPARE(view.GetSelectedGroupName(false), QString());
    QVERIFY(!m_fixture->m_actions.IsEnabled(ID_ITEM_ADD));
    QTest::keyClick(&view, Qt::Key_Insert);
    QCOMPARE(view.model()->rowCount(todoNode), 0);
    const QModelIndex newGroupNode = view.FindGroupNode(todo + QStringLiteral("1"));
    QVERIFY(newGroupNode.isValid());
    QCOMPARE(Labels(view, newGroupNode), QStringList(QStringLiteral("To Do")));
}

void TestGroupView::dropMovesItemOnlyOntoGroup_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("moved");
    QTest::newRow("other group") << "group" << true;
    QTest::newRow("item node") << "item" << false;
    QTest::newRow("empty space") << "nowhere" << false;
}

void TestGroupView::dropMovesItemOnlyOntoGroup()
{
    QFETCH(QString, target);
    QFETCH(bool, moved);
    CGroupView& view = m_fixture->m_view;
    CVemoAccount& account = m_fixture->m_account;
    AddGroup(Home);
    AddGroup(Bills);
    const quint32 otherKey = AddItem(Bills, QStringLiteral("Other"));
    CVemoItem item(Noon, Noon + 3600, CVemoItem::PriorityHigh);
    item.m_strTitle = QStringLiteral("Moving");
    item.m_bHasSticky = 1;
    item.m_bQuickListed = 1;
    item.m_reminder.m_bEnabled = 1;
    item.m_reminder.m_timeDoBy = Noon + 3600;
    const quint32 key = account.AddItemToGroup(Home, item);
    view.setCurrentIndex(view.FindItemNode(Home, key));

    const QMap<QString, QPoint> points = {
        {"group", view.visualRect(view.FindGroupNode(Bills)).center()},
        {"item", view.visualRect(view.FindItemNode(Bills, otherKey)).center()},
        {"nowhere", QPoint(10, view.viewport()->height() - 5)}};
    QCOMPARE(view.MoveSelectedItemTo(points[target]), moved);

    CVemoItem stored(Qt::Uninitialized);
    QCOMPARE(account.GetItemCopy(Home, key, stored), !moved);
    QCOMPARE(!view.FindItemNode(Home, key).isValid(), moved);
    const QString group = moved ? Bills : Home;
    const quint32 newKey = moved ? otherKey + 1 : key;
    QVERIFY(account.GetItemCopy(group, newKey, stored));
    QCOMPARE(stored.m_strTitle, item.m_strTitle);
    QVERIFY(view.FindItemNode(group, newKey).isValid());
    QCOMPARE(view.GetSelectedGroupName(false), group);
    QCOMPARE(view.GetSelectedItemKey(), newKey);
    QVERIFY(GetQuickList().Contains(group, newKey));
    QCOMPARE(GetQuickList().GetCount(), 1);
    QVERIFY(m_fixture->m_stickies.IsOpen(group, newKey));
    QCOMPARE(m_fixture->m_stickies.m_notes.size(), 1);
    QVERIFY(account.GetReminderScheduler().FindReminder(group, newKey) >= 0);
    QCOMPARE(account.GetReminderScheduler().FindReminder(Home, key) >= 0, !moved);
}

void TestGroupView::selectionQueries_data()
{
    QTest::addColumn<QString>("select");
    QTest::addColumn<bool>("groupNode");
    QTest::addColumn<QString>("groupOnly");
    QTest::addColumn<QString>("itemGroup");
    QTest::addColumn<bool>("itemKey");
    QTest::newRow("nothing") << "nothing" << false << ""
                             << "" << false;
    QTest::newRow("group") << "group" << true << "Home"
                           << "Home" << false;
    QTest::newRow("item") << "item" << false << ""
                          << "Home" << true;
}

void TestGroupView::selectionQueries()
{
    QFETCH(QString, select);
    QFETCH(bool, groupNode);
    QFETCH(QString, groupOnly);
    QFETCH(QString, itemGroup);
    QFETCH(bool, itemKey);
    CGroupView& view = m_fixture->m_view;
    AddGroup(Home);
    const quint32 key = AddItem(Home, QStringLiteral("Task"));
    QSignalSpy changed(&view, &CGroupView::SelectionChangedForCommands);
    if (select == "group")
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                          LabelPoint(view.FindGroupNode(Home)));
    if (select == "item")
        QVERIFY(view.SelectItemNode(Home, key));
    QCOMPARE(changed.isEmpty(), select == "nothing");
    QCOMPARE(view.GetSelectedGroupNode(), groupNode);
    QCOMPARE(view.GetSelectedGroupName(true), groupOnly);
    QCOMPARE(view.GetSelectedGroupName(false), itemGroup);
    QCOMPARE(view.GetSelectedItemKey(), itemKey ? key : 0u);
}

QTEST_MAIN(TestGroupView)
#include "tst_groupview.moc"
