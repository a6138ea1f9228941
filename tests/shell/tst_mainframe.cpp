#include "FakeClock.h"
#include "FindWidget.h"
#include "RecordMessages.h"
#include "TestHome.h"
#include "base/FileIO.h"
#include "base/ProgramFolder.h"
#include "base/QuitSignals.h"
#include "base/Settings.h"
#include "model/AccountCommands.h"
#include "model/AccountFakes.h"
#include "model/CommandIds.h"
#include "model/VemoAccount.h"
#include "shell/CommandActions.h"
#include "shell/MainFrame.h"
#include "shell/SingleInstance.h"
#include "shell/VemoApp.h"
#include "shell/VemoMessageBox.h"
#include "tray/QuickList.h"
#include "views/GroupView.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScopeGuard>
#include <QScreen>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolTip>
#include <QTreeView>

#include <csignal>
#include <ctime>
#include <memory>

namespace
{
constexpr qint32 Noon = 1796817600; // 2026-12-09 12:00 UTC
const QString Todo = QStringLiteral("Things To Do");

QTreeView* Tree(CVemoApp& app)
{
    return app.GetMainFrame().findChild<QTreeView*>(QStringLiteral("groupTree"));
}

// A group's node, or with item given, one of its items' nodes.
QModelIndex Node(const QTreeView* tree, int group, int item = -1)
{
    const QModelIndex groupNode = tree->model()->index(group, 0);
    return item < 0 ? groupNode : tree->model()->index(item, 0, groupNode);
}

QStringList Labels(const QTreeView* tree, int group)
{
    QStringList labels;
    for (int row = 0; row < tree->model()->rowCount(Node(tree, group)); ++row)
        labels.append(Node(tree, group, row).data().toString());
    return labels;
}

QMenu* MainMenu(CVemoApp& app, const QString& title)
{
    for (QAction* action : app.GetMainFrame().menuBar()->actions())
    {
        if (action->text() == title)
            return action->menu();
    }
    return nullptr;
}

// The enable states a user sees when the menu opens, by entry text without its shortcut.
QMap<QString, bool> EnabledEntries(QMenu* menu)
{
    emit menu->aboutToShow();
    QMap<QString, bool> entries;
    for (QAction* action : menu->actions())
    {
        if (!action->isSeparator())
            entries.insert(action->text().section(QLatin1Char('\t'), 0, 0), action->isEnabled());
    }
    return entries;
}

constexpr QFile::Permissions OwnerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
constexpr QFile::Permissions Others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;

bool MakeFolder(const QString& path, QFile::Permissions permissions)
{
    return QDir().mkpath(path) && QFile::setPermissions(path, permissions);
}

enum FolderKind
{
    OwnFolder,
    GroupWritable,
    WorldWritable,
    LinkToOwnFolder,
    MissingFolder,
    UnwritableFolder,
    TooLongForSocket,
};

// The folder the single-instance lock and socket go to, made as the test row asks.
QString InstanceFolder(const QTemporaryDir& base, int kind)
{
    const QString own = base.filePath(QStringLiteral("own"));
    MakeFolder(own, OwnerOnly);
    const QString shared = base.filePath(QStringLiteral("shared"));
    switch (kind)
    {
    case GroupWritable:
        MakeFolder(shared, OwnerOnly | QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup);
        return shared;
    case WorldWritable:
        MakeFolder(shared, OwnerOnly | Others);
        return shared;
    case LinkToOwnFolder:
        QFile::link(own, base.filePath(QStringLiteral("link")));
        return base.filePath(QStringLiteral("link"));
    case MissingFolder:
        return base.filePath(QStringLiteral("missing"));
    case UnwritableFolder:
        // The user's own and closed to others, yet not even root may create a file there.
        return QStringLiteral("/proc/%1/fdinfo").arg(QCoreApplication::applicationPid());
    case TooLongForSocket:
    {
        const QString deep = own + QLatin1Char('/') + QString(120, QLatin1Char('f'));
        MakeFolder(deep, OwnerOnly);
        return deep;
    }
    }
    return own;
}

QStringList Entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

} // namespace

class TestMainFrame : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void firstStartShowsNoAccountAtTopLeft();
    void newAccountShowsDefaultGroupAndWelcomeItem();
    void itemMenuFollowsTheSelection_data();
    void itemMenuFollowsTheSelection();
    void itemLifecycleReachesTheFiles();
    void contextMenuEntriesShowTheirPrompts_data();
    void contextMenuEntriesShowTheirPrompts();
    void toolButtonsShowOnlyTheirTips_data();
    void toolButtonsShowOnlyTheirTips();
    void placementIsSavedAndRestored_data();
    void placementIsSavedAndRestored();
    void hiddenWindowStaysHiddenAtNextStart_data();
    void hiddenWindowStaysHiddenAtNextStart();
    void droppedAccountOpens_data();
    void droppedAccountOpens();
    void secondInstanceIsRefusedAndShowsTheFirst();
    void startNeedsAPrivateFolder_data();
    void startNeedsAPrivateFolder();
    void missingRuntimeFolderFallsBackToAPrivateOne_data();
    void missingRuntimeFolderFallsBackToAPrivateOne();
    void sessionEndSignalsAskToQuit_data();
    void sessionEndSignalsAskToQuit();
    void quitCancelsWhatIsOpenAndSaves_data();
    void quitCancelsWhatIsOpenAndSaves();
    void closingWindowAsksWhenSaveFails();
    void messageBoxHasTitleAndCloseOnly_data();
    void messageBoxHasTitleAndCloseOnly();
    void namedAccountThatFailsOpensTheRemembered();

private:
    void StartApp(const QString& accountPath = QString());
    void NewHome();

    CTestHome m_home;
    CFakeClock m_clock{Noon};
    CFakePrompts m_prompts;
    std::unique_ptr<CVemoApp> m_app;
};

void TestMainFrame::initTestCase()
{
    qputenv("TZ", "UTC0");
    tzset();
}

void TestMainFrame::init()
{
    QDir(GetProgramFolder()).removeRecursively();
    GetSettings().SetDefaultAccount(QString());
    m_prompts = CFakePrompts();
}

void TestMainFrame::cleanup()
{
    m_app.reset();
    SetVemoMessageHandler(nullptr);
}

void TestMainFrame::StartApp(const QString& accountPath)
{
    m_app = std::make_unique<CVemoApp>(&m_prompts);
    m_app->Start(accountPath);
    QVERIFY(QTest::qWaitFor(AllNotesUp));
    QApplication::setActiveWindow(&m_app->GetMainFrame());
    QVERIFY(QTest::qWaitForWindowActive(&m_app->GetMainFrame()));
}

void TestMainFrame::NewHome()
{
    m_prompts.m_newAccountNames = {QStringLiteral("Home")};
    m_app->GetActions().Execute(ID_FILE_NEW);
}

void TestMainFrame::firstStartShowsNoAccountAtTopLeft()
{
    StartApp();
    CMainFrame& frame = m_app->GetMainFrame();
    QCOMPARE(frame.windowTitle(), QStringLiteral("[No Account] - Vemo"));
    QVERIFY(frame.isVisible());
    QCOMPARE(frame.pos(), QPoint(0, 0));
    QCOMPARE(frame.size(), QSize(200, 300));
    QCOMPARE(Tree(*m_app)->model()->rowCount(), 0);
    QVERIFY(m_prompts.m_messages.isEmpty());
    // A newcomer's empty window says how to begin, and stops once there is something to show.
    QVERIFY(frame.GetView()->EmptyTreeHint().contains(QLatin1String("Ctrl+N")));
    NewHome();
    QCOMPARE(frame.GetView()->EmptyTreeHint(), QString());
}

void TestMainFrame::newAccountShowsDefaultGroupAndWelcomeItem()
{
    StartApp();
    NewHome();
    QCOMPARE(m_app->GetMainFrame().windowTitle(), QStringLiteral("Home - Vemo"));
    QTreeView* tree = Tree(*m_app);
    QCOMPARE(tree->model()->rowCount(), 1);
    QCOMPARE(Node(tree, 0).data().toString(), Todo);
    QCOMPARE(Labels(tree, 0), QStringList{QStringLiteral("My First Vemo Item")});
}

void TestMainFrame::itemMenuFollowsTheSelection_data()
{
    QTest::addColumn<int>("selection");
    QTest::addColumn<bool>("groupEntries");
    QTest::addColumn<bool>("itemEntries");
    QTest::newRow("nothing") << 0 << false << false;
    QTest::newRow("group") << 1 << true << false;
    QTest::newRow("item") << 2 << false << true;
}

void TestMainFrame::itemMenuFollowsTheSelection()
{
    QFETCH(int, selection);
    QFETCH(bool, groupEntries);
    QFETCH(bool, itemEntries);
    StartApp();
    NewHome();
    QTreeView* tree = Tree(*m_app);
    tree->setCurrentIndex(selection == 0   ? QModelIndex()
                          : selection == 1 ? Node(tree, 0)
                                           : Node(tree, 0, 0));

    const QMap<QString, bool> group = EnabledEntries(MainMenu(*m_app, QStringLiteral("&Group")));
    QCOMPARE(group.value(QStringLiteral("&Add Group...")), true);
    QCOMPARE(group.value(QStringLiteral("&Remove Group")), groupEntries);
    QCOMPARE(group.value(QStringLiteral("&Delete All Items In Group")), groupEntries);
    const QMap<QString, bool> item = EnabledEntries(MainMenu(*m_app, QStringLiteral("&Item")));
    QCOMPARE(item.value(QStringLiteral("Add &Item...")), groupEntries || itemEntries);
    QCOMPARE(item.value(QStringLiteral("R&emove Item")), itemEntries);
    QCOMPARE(item.value(QStringLiteral("P&roperties...")), itemEntries);
    QCOMPARE(item.value(QStringLiteral("Add to &Quick List")), itemEntries);
    QCOMPARE(item.value(QStringLiteral("M&ake Item And Sticky")), true);
}

void TestMainFrame::itemLifecycleReachesTheFiles()
{
    StartApp();
    NewHome();
    QTreeView* tree = Tree(*m_app);
    tree->setCurrentIndex(Node(tree, 0));
    m_prompts.m_editItem = [](CVemoItem& item)
    {
        item.m_strTitle = QStringLiteral("Call the bank");
        return true;
    };
    QTest::keyClick(&m_app->GetMainFrame(), Qt::Key_I, Qt::ControlModifier);
    QCOMPARE(Labels(tree, 0),
             QStringList({QStringLiteral("Call the bank"), QStringLiteral("My First Vemo Item")}));

    tree->setCurrentIndex(Node(tree, 0, 0));
    m_app->GetActions().Execute(ID_TASK_COMPLETED);
    m_prompts.m_answers = {IUserPrompts::Yes};
    tree->setCurrentIndex(Node(tree, 0, 1));
    QTest::keyClick(&m_app->GetMainFrame(), Qt::Key_Delete);
    QCOMPARE(Labels(tree, 0), QStringList{QStringLiteral("Call the bank")});

    QTest::keyClick(&m_app->GetMainFrame(), Qt::Key_S, Qt::ControlModifier);
    CVemoGroup saved;
    QVERIFY(saved.LoadFromFile(GetProgramFolder() + QStringLiteral("Home/Things To Do.grp")));
    QCOMPARE(saved.GetItems().size(), 1);
    QCOMPARE(saved.GetItems()[0].m_strTitle, QStringLiteral("Call the bank"));
    QCOMPARE(saved.GetItems()[0].m_bCompleted, 1);

    m_app->GetMainFrame().close();
    m_app.reset();
    StartApp();
    QCOMPARE(m_app->GetMainFrame().windowTitle(), QStringLiteral("Home - Vemo"));
    QCOMPARE(Labels(Tree(*m_app), 0), QStringList{QStringLiteral("Call the bank")});
}

void TestMainFrame::contextMenuEntriesShowTheirPrompts_data()
{
    QTest::addColumn<int>("selection");
    QTest::addColumn<QString>("prompt");
    QTest::newRow("account menu") << 0 << QStringLiteral("Create a new account");
    QTest::newRow("group menu") << 1 << QStringLiteral("Add a group to the account");
    QTest::newRow("item menu") << 2 << QStringLiteral("Add this item to the QuickList");
}

// The prompt of the highlighted entry shows in the status bar, as it does for the main menus.
void TestMainFrame::contextMenuEntriesShowTheirPrompts()
{
    QFETCH(int, selection);
    QFETCH(QString, prompt);
    StartApp();
    NewHome();
    QTreeView* tree = Tree(*m_app);
    tree->expandAll();
    QWidget* viewport = tree->viewport();
    const QPoint at = selection == 0   ? QPoint(5, viewport->height() - 5)
                      : selection == 1 ? tree->visualRect(Node(tree, 0)).center()
                                       : tree->visualRect(Node(tree, 0, 0)).center();
    CMainFrame& frame = m_app->GetMainFrame();
    QString shown = QStringLiteral("no menu");
    QTimer::singleShot(0,
                       [&]
                       {
                           QWidget* menu = QApplication::activePopupWidget();
                           if (!menu)
                               return;
                           QTest::keyClick(menu, Qt::Key_Down);
                           shown = frame.statusBar()->currentMessage();
                           QTest::keyClick(menu, Qt::Key_Escape);
                       });
    // Through the window, as the window system delivers a right click, so the menu opens on press.
    const QPoint inWindow = viewport->mapTo(&frame, at);
    QTest::mousePress(frame.windowHandle(), Qt::RightButton, {}, inWindow);
    QTest::mouseRelease(frame.windowHandle(), Qt::RightButton, {}, inWindow);
    QCOMPARE(shown, prompt);
    QCOMPARE(frame.statusBar()->currentMessage(), QString());
}

void TestMainFrame::toolButtonsShowOnlyTheirTips_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("tip");
    QTest::newRow("Save") << int(ID_FILE_SAVE) << QString();
    QTest::newRow("Add Group") << int(ID_GROUP_ADD) << QStringLiteral("Add Group");
    QTest::newRow("Hide Window") << int(ID_WINDOW_SHOW_HIDE) << QStringLiteral("Hide This Window");
}

void TestMainFrame::toolButtonsShowOnlyTheirTips()
{
    QFETCH(int, command);
    QFETCH(QString, tip);
    StartApp();
    auto* toolBar = m_app->GetMainFrame().findChild<QToolBar*>(QStringLiteral("toolBar"));
    QWidget* button = nullptr;
    for (QAction* action : toolBar->actions())
    {
        if (action->data().toInt() == command)
            button = toolBar->widgetForAction(action);
    }
    QVERIFY(button);
    // What the toolkit sends once the pointer has rested on the button.
    const QPoint centre = button->rect().center();
    QHelpEvent rested(QEvent::ToolTip, centre, button->mapToGlobal(centre));
    QApplication::sendEvent(button, &rested);
    QCOMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(), tip);
    QToolTip::hideText();
}

// A reopened width or height of 0 stands for all the room the screen's free area leaves inside
// the window manager's frame.
void TestMainFrame::placementIsSavedAndRestored_data()
{
    QTest::addColumn<QRect>("closedAt");
    QTest::addColumn<QRect>("reopenedAt");
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize size(320, 410);
    QTest::newRow("on the screen") << QRect(QPoint(40, 50), size) << QRect(QPoint(40, 50), size);
    QTest::newRow("screen since gone")
        << QRect(QPoint(9000, 7000), size) << QRect(area.topLeft(), size);
    QTest::newRow("taller than the screen")
        << QRect(40, 50, 320, area.height() + 500) << QRect(40, area.top(), 320, 0);
    QTest::newRow("wider than the screen")
        << QRect(40, 50, area.width() * 2, 410) << QRect(area.left(), 50, 0, 410);
    QTest::newRow("larger, on a screen since gone")
        << QRect(QPoint(9000, 7000), area.size() * 3) << QRect(area.topLeft(), QSize(0, 0));
}

// The status bar and the caption stay in reach whatever screen the window was closed on.
void TestMainFrame::placementIsSavedAndRestored()
{
    QFETCH(QRect, closedAt);
    QFETCH(QRect, reopenedAt);
    StartApp();
    CMainFrame& frame = m_app->GetMainFrame();
    frame.move(closedAt.topLeft());
    frame.resize(closedAt.size());
    frame.close();
    m_app.reset();

    StartApp();
    CMainFrame& reopened = m_app->GetMainFrame();
    const QSize room = QGuiApplication::primaryScreen()->availableGeometry().size() -
                       (reopened.frameGeometry().size() - reopened.size());
    QCOMPARE(reopened.pos(), reopenedAt.topLeft());
    QCOMPARE(reopened.width(), reopenedAt.width() ? reopenedAt.width() : room.width());
    QCOMPARE(reopened.height(), reopenedAt.height() ? reopenedAt.height() : room.height());
    reopened.close();
}

void TestMainFrame::hiddenWindowStaysHiddenAtNextStart_data()
{
    QTest::addColumn<bool>("byHideWindow");
    QTest::newRow("Hide Window") << true;
    QTest::newRow("minimised by the user") << false;
}

// Only Hide Window hides; a window the user minimised comes back as a normal window.
void TestMainFrame::hiddenWindowStaysHiddenAtNextStart()
{
    QFETCH(bool, byHideWindow);
    StartApp();
    m_app->GetMainFrame().ShowMainWindow();
    if (byHideWindow)
        QTest::keyClick(&m_app->GetMainFrame(), Qt::Key_H, Qt::ControlModifier);
    else
        m_app->GetMainFrame().showMinimized();
    QVERIFY(m_app->GetMainFrame().isMinimized());
    m_app->GetMainFrame().close();
    m_app.reset();

    m_app = std::make_unique<CVemoApp>(&m_prompts);
    m_app->Start();
    QCOMPARE(m_app->GetMainFrame().isMinimized(), byHideWindow);
    m_app->GetActions().Execute(ID_WINDOW_SHOW_HIDE);
    QCOMPARE(m_app->GetMainFrame().isMinimized(), !byHideWindow);
}

void TestMainFrame::droppedAccountOpens_data()
{
    QTest::addColumn<QString>("dropped");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<QString>("title");
    QTest::newRow("account folder")
        << QStringLiteral("Work") << true << QStringLiteral("Work - Vemo");
    QTest::newRow("account file") << QStringLiteral("Work/Work.acf") << true
                                  << QStringLiteral("Work - Vemo");
    QTest::newRow("other file") << QStringLiteral("notes.txt") << false
                                << QStringLiteral("Home - Vemo");
}

// A drop names an account to open; anything else leaves the open account alone.
void TestMainFrame::droppedAccountOpens()
{
    QFETCH(QString, dropped);
    QFETCH(bool, taken);
    QFETCH(QString, title);
    StartApp();
    m_prompts.m_newAccountNames = {QStringLiteral("Work")};
    m_app->GetActions().Execute(ID_FILE_NEW);
    NewHome();
    const QString folder = GetProgramFolder();
    QVERIFY(WriteFileAtomically(folder + QStringLiteral("notes.txt"), "text"));

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(folder + dropped)});
    CMainFrame& frame = m_app->GetMainFrame();
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &enter);
    QCOMPARE(enter.isAccepted(), taken);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &drop);
    QTRY_COMPARE(frame.windowTitle(), title);
    QVERIFY(m_prompts.m_messages.isEmpty());
}

void TestMainFrame::secondInstanceIsRefusedAndShowsTheFirst()
{
    const QString key = CSingleInstance::KeyFor(GetProgramFolder());
    const QTemporaryDir base;
    const QString folder = InstanceFolder(base, OwnFolder);
    CSingleInstance first(key, folder);
    QCOMPARE(first.TryBecomePrimary(), CSingleInstance::Primary);
    StartApp();
    m_app->ServeLaterStarts(first);
    m_app->GetMainFrame().showMinimized();

    const auto shown = RecordMessages();
    CSingleInstance second(key, folder);
    QVERIFY(!second.MayRun());
    QCOMPARE(*shown, QStringList{QStringLiteral(
                         "There's another instance of Vemo running.  It is recommended (and "
                         "required) that only one instance of Vemo is running at any time.")});
    QTRY_VERIFY(!m_app->GetMainFrame().isMinimized());
    QVERIFY(m_app->GetMainFrame().isVisible());
}

void TestMainFrame::startNeedsAPrivateFolder_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("runs");
    QTest::addColumn<QString>("message");
    const QString notPrivate = QStringLiteral(
        "Vemo could not make sure that only one instance of Vemo is running, because the folder "
        "%1 is missing or not private to you.  Set XDG_RUNTIME_DIR to a folder that only you can "
        "write to, and start Vemo again.");
    QTest::newRow("own folder") << int(OwnFolder) << true << QString();
    QTest::newRow("group may write") << int(GroupWritable) << false << notPrivate;
    QTest::newRow("anyone may write") << int(WorldWritable) << false << notPrivate;
    QTest::newRow("link") << int(LinkToOwnFolder) << false << notPrivate;
    QTest::newRow("missing") << int(MissingFolder) << false << notPrivate;
    QTest::newRow("no lock file possible")
        << int(UnwritableFolder) << false
        << QStringLiteral("Vemo could not make sure that only one instance of Vemo is running, "
                          "because it could not create its lock file in the folder %1.  Check "
                          "that you may write to this folder, and start Vemo again.");
    QTest::newRow("socket cannot listen")
        << int(TooLongForSocket) << true
        << QStringLiteral("Vemo could not open its connection for later starts in the folder %1, "
                          "so starting Vemo again will not bring the running Vemo forward.");
}

// Only a lock held by another instance means another instance; any other failure says what it is.
void TestMainFrame::startNeedsAPrivateFolder()
{
    QFETCH(int, kind);
    QFETCH(bool, runs);
    QFETCH(QString, message);
    const QTemporaryDir base;
    const QString folder = InstanceFolder(base, kind);
    if (kind == UnwritableFolder && !QFileInfo(folder).isDir())
        QSKIP("No process folder to stand for a folder nobody may write to");
    const QStringList before = Entries(folder);
    const auto shown = RecordMessages();
    CSingleInstance instance(CSingleInstance::KeyFor(GetProgramFolder()), folder);
    QCOMPARE(instance.MayRun(), runs);
    QCOMPARE(*shown, message.isEmpty() ? QStringList() : QStringList{message.arg(folder)});
    if (!runs)
        QCOMPARE(Entries(folder), before);
}

void TestMainFrame::missingRuntimeFolderFallsBackToAPrivateOne_data()
{
    QTest::addColumn<bool>("planted");
    QTest::newRow("made for the purpose") << false;
    QTest::newRow("planted by another") << true;
}

void TestMainFrame::missingRuntimeFolderFallsBackToAPrivateOne()
{
    QFETCH(bool, planted);
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray temp = qgetenv("TMPDIR");
    const auto restore = qScopeGuard(
        [&]
        {
            qputenv("XDG_RUNTIME_DIR", runtime);
            qputenv("TMPDIR", temp);
        });
    const QTemporaryDir scratchDir;
    const QString scratch = scratchDir.path();
    // The toolkit's own stand-in is refused when others may write to it: no runtime folder then.
    const QFileInfo user(scratch);
    QVERIFY(MakeFolder(scratch + QStringLiteral("/runtime-") + user.owner(), OwnerOnly | Others));
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", scratch.toLocal8Bit());
    const QString fallback = scratch + QStringLiteral("/vemo-%1").arg(user.ownerId());
    if (planted)
        QVERIFY(MakeFolder(fallback, OwnerOnly | Others));

    QCOMPARE(CSingleInstance::PrivateFolder(), fallback);
    CSingleInstance instance(CSingleInstance::KeyFor(GetProgramFolder()));
    QCOMPARE(instance.TryBecomePrimary(),
             planted ? CSingleInstance::FolderNotPrivate : CSingleInstance::Primary);
    QCOMPARE(QFileInfo(fallback).permissions() & Others, planted ? Others : QFile::Permissions());
    QCOMPARE(Entries(fallback).size(), planted ? 0 : 2);
}

void TestMainFrame::sessionEndSignalsAskToQuit_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGHUP") << SIGHUP;
    QTest::newRow("SIGINT") << SIGINT;
}

void TestMainFrame::sessionEndSignalsAskToQuit()
{
    QFETCH(int, signalNumber);
    CQuitSignals quitSignals;
    QSignalSpy asked(&quitSignals, &CQuitSignals::QuitRequested);
    QCOMPARE(std::raise(signalNumber), 0);
    QVERIFY(asked.wait(5000));
    QCOMPARE(asked.count(), 1);
}

void TestMainFrame::quitCancelsWhatIsOpenAndSaves_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("windowClass");
    QTest::newRow("message at start-up") << 0 << "CVemoMessageBox";
    QTest::newRow("item dialog") << int(ID_ITEM_ADD) << "CItemDlg";
    QTest::newRow("question") << int(ID_ITEM_REMOVE) << "CVemoMessageBox";
}

// With the program's own windows: the quit comes while one of them is waiting for the user.
void TestMainFrame::quitCancelsWhatIsOpenAndSaves()
{
    QFETCH(int, command);
    QFETCH(QString, windowClass);
    StartApp();
    NewHome();
    m_app->GetMainFrame().close();
    m_app.reset();
    const QString home = GetProgramFolder() + QStringLiteral("Home/");
    if (command == 0)
        QVERIFY(WriteFileAtomically(home + QStringLiteral("Damaged.grp"), "bad"));

    QString openWindow;
    QTimer::singleShot(0,
                       [&]
                       {
                           if (QWidget* modal = QApplication::activeModalWidget())
                               openWindow = QString::fromLatin1(modal->metaObject()->className());
                           m_app->Quit();
                       });
    m_app = std::make_unique<CVemoApp>();
    m_app->Start();
    if (command != 0)
    {
        QVERIFY(g_pAccount->SetItemTitle(Todo, 1, QStringLiteral("Changed")));
        Tree(*m_app)->setCurrentIndex(Node(Tree(*m_app), 0, 0));
        m_app->GetActions().Execute(command);
    }
    QTRY_VERIFY(m_app->HasQuit());
    QCOMPARE(openWindow, windowClass);
    QVERIFY(!m_app->GetMainFrame().isVisible());
    QCOMPARE(GetSettings().GetDefaultAccount(), GetProgramFolder() + QStringLiteral("Home"));
    CVemoGroup saved;
    QVERIFY(saved.LoadFromFile(home + QStringLiteral("Things To Do.grp")));
    QCOMPARE(saved.GetItems().size(), 1);
    if (command != 0)
        QCOMPARE(saved.GetItems()[0].m_strTitle, QStringLiteral("Changed"));
}

void TestMainFrame::closingWindowAsksWhenSaveFails()
{
    StartApp();
    NewHome();
    QVERIFY(QDir().mkpath(GetProgramFolder() + QStringLiteral("Home/Things To Do.grp")));
    CMainFrame& frame = m_app->GetMainFrame();
    m_prompts.m_answers = {IUserPrompts::No};
    QVERIFY(!frame.close());
    QVERIFY(frame.isVisible());
    QCOMPARE(m_prompts.MessageTexts(),
             QStringList{QStringLiteral(
                 "The account could not be saved.  Continue to close this account?")});
    m_prompts.m_answers = {IUserPrompts::Yes};
    QVERIFY(frame.close());
    QVERIFY(!frame.isVisible());
}

void TestMainFrame::messageBoxHasTitleAndCloseOnly_data()
{
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("closingAnswers");
    QTest::newRow("refusal") << int(IUserPrompts::Exclamation) << int(IUserPrompts::Ok);
    QTest::newRow("question") << int(IUserPrompts::Question) << int(IUserPrompts::No);
}

// No window manager is asked for a frame, so none can add minimise and maximise boxes; the box's
// own caption holds the title and a close button.
void TestMainFrame::messageBoxHasTitleAndCloseOnly()
{
    QFETCH(int, icon);
    QFETCH(int, closingAnswers);
    const QString text = QStringLiteral("The account could not be saved.");
    Qt::WindowFlags flags;
    QString title;
    QString shownText;
    bool closeButtonFound = false;
    QTimer::singleShot(0,
                       [&]
                       {
                           QWidget* box = QApplication::activeModalWidget();
                           if (!box)
                               return;
                           flags = box->windowFlags();
                           title = box->windowTitle();
                           if (auto* label = box->findChild<QLabel*>(QStringLiteral("messageText")))
                               shownText = label->text();
                           auto* close =
                               box->findChild<QAbstractButton*>(QStringLiteral("closeButton"));
                           closeButtonFound = close != nullptr;
                           if (close)
                               QTest::mouseClick(close, Qt::LeftButton);
                           else
                               QTest::keyClick(box, Qt::Key_Escape);
                       });
    const IUserPrompts::Answer answer =
        ShowVemoMessage(nullptr, text, static_cast<IUserPrompts::Icon>(icon));
    QVERIFY(flags.testFlag(Qt::FramelessWindowHint));
    QCOMPARE(title, QStringLiteral("Vemo"));
    QCOMPARE(shownText, text);
    QVERIFY(closeButtonFound);
    QCOMPARE(int(answer), closingAnswers);
}

void TestMainFrame::namedAccountThatFailsOpensTheRemembered()
{
    StartApp();
    NewHome();
    m_app->GetMainFrame().close();
    m_app.reset();
    const QString home = GetProgramFolder() + QStringLiteral("Home");
    QCOMPARE(GetSettings().GetDefaultAccount(), home);

    StartApp(m_home.Path(QStringLiteral("nonexistent")));
    QCOMPARE(m_prompts.MessageTexts(),
             QStringList{QStringLiteral("The account could not be opened.")});
    QCOMPARE(m_app->GetMainFrame().windowTitle(), QStringLiteral("Home - Vemo"));
    m_app->GetMainFrame().close();
    QCOMPARE(GetSettings().GetDefaultAccount(), home);
}

QTEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"
