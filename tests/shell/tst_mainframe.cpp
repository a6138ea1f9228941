#include "FakeClock.h"
#include "TestHome.h"
#include "model/AccountCommands.h"
#include "model/AccountFakes.h"
#include "model/CommandIds.h"
#include "model/FileIO.h"
#include "model/VemoAccount.h"
#include "shell/CommandActions.h"
#include "shell/MainFrame.h"
#include "shell/ProgramFolder.h"
#include "shell/QuitSignals.h"
#include "shell/Settings.h"
#include "shell/SingleInstance.h"
#include "shell/VemoApp.h"
#include "tray/QuickList.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <csignal>
#include <ctime>
#include <memory>

namespace
{
constexpr qint32 Noon = 1796817600; // 2026-12-09 12:00 UTC
const QString Todo = QStringLiteral("Things To Do");

QTreeWidget* Tree(CVemoApp& app)
{
    return app.GetMainFrame().findChild<QTreeWidget*>(QStringLiteral("groupTree"));
}

QStringList Labels(QTreeWidgetItem* parent)
{
    QStringList labels;
    for (int i = 0; i < parent->childCount(); ++i)
        labels.append(parent->child(i)->text(0));
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
    void placementIsSavedAndRestored_data();
    void placementIsSavedAndRestored();
    void hiddenWindowStaysHiddenAtNextStart_data();
    void hiddenWindowStaysHiddenAtNextStart();
    void droppedAccountOpens_data();
    void droppedAccountOpens();
    void secondInstanceIsRefusedAndShowsTheFirst();
    void sessionEndSignalsAskToQuit_data();
    void sessionEndSignalsAskToQuit();
    void quitCancelsWhatIsOpenAndSaves_data();
    void quitCancelsWhatIsOpenAndSaves();
    void closingWindowAsksWhenSaveFails();
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
}

void TestMainFrame::StartApp(const QString& accountPath)
{
    m_app = std::make_unique<CVemoApp>(&m_prompts);
    m_app->Start(accountPath);
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
    QCOMPARE(Tree(*m_app)->topLevelItemCount(), 0);
    QVERIFY(m_prompts.m_messages.isEmpty());
}

void TestMainFrame::newAccountShowsDefaultGroupAndWelcomeItem()
{
    StartApp();
    NewHome();
    QCOMPARE(m_app->GetMainFrame().windowTitle(), QStringLiteral("Home - Vemo"));
    QTreeWidget* tree = Tree(*m_app);
    QCOMPARE(tree->topLevelItemCount(), 1);
    QCOMPARE(tree->topLevelItem(0)->text(0), Todo);
    QCOMPARE(Labels(tree->topLevelItem(0)), QStringList{QStringLiteral("My First Vemo Item")});
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
    QTreeWidget* tree = Tree(*m_app);
    tree->setCurrentItem(selection == 0   ? nullptr
                         : selection == 1 ? tree->topLevelItem(0)
                                          : tree->topLevelItem(0)->child(0));

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
    QTreeWidget* tree = Tree(*m_app);
    tree->setCurrentItem(tree->topLevelItem(0));
    m_prompts.m_editItem = [](CVemoItem& item)
    {
        item.m_strTitle = QStringLiteral("Call the bank");
        return true;
    };
    QTest::keyClick(&m_app->GetMainFrame(), Qt::Key_I, Qt::ControlModifier);
    QCOMPARE(Labels(tree->topLevelItem(0)),
             QStringList({QStringLiteral("Call the bank"), QStringLiteral("My First Vemo Item")}));

    tree->setCurrentItem(tree->topLevelItem(0)->child(0));
    m_app->GetActions().Execute(ID_TASK_COMPLETED);
    m_prompts.m_answers = {IUserPrompts::Yes};
    tree->setCurrentItem(tree->topLevelItem(0)->child(1));
    QTest::keyClick(&m_app->GetMainFrame(), Qt::Key_Delete);
    QCOMPARE(Labels(tree->topLevelItem(0)), QStringList{QStringLiteral("Call the bank")});

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
    QCOMPARE(Labels(Tree(*m_app)->topLevelItem(0)), QStringList{QStringLiteral("Call the bank")});
}

void TestMainFrame::placementIsSavedAndRestored_data()
{
    QTest::addColumn<QPoint>("closedAt");
    QTest::addColumn<QPoint>("reopenedAt");
    QTest::newRow("on the screen") << QPoint(40, 50) << QPoint(40, 50);
    QTest::newRow("screen since gone") << QPoint(9000, 7000) << QPoint(0, 0);
}

void TestMainFrame::placementIsSavedAndRestored()
{
    QFETCH(QPoint, closedAt);
    QFETCH(QPoint, reopenedAt);
    StartApp();
    CMainFrame& frame = m_app->GetMainFrame();
    frame.move(closedAt);
    frame.resize(320, 410);
    frame.close();
    m_app.reset();

    StartApp();
    QCOMPARE(m_app->GetMainFrame().pos(), reopenedAt);
    QCOMPARE(m_app->GetMainFrame().size(), QSize(320, 410));
    m_app->GetMainFrame().close();
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
    CSingleInstance first(key);
    QVERIFY(first.TryBecomePrimary());
    StartApp();
    m_app->ServeLaterStarts(first);
    m_app->GetMainFrame().showMinimized();

    CSingleInstance second(key);
    QVERIFY(!second.TryBecomePrimary());
    QVERIFY(second.AskPrimaryToShow());
    QTRY_VERIFY(!m_app->GetMainFrame().isMinimized());
    QVERIFY(m_app->GetMainFrame().isVisible());
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
    QTest::newRow("message at start-up") << 0 << "QMessageBox";
    QTest::newRow("item dialog") << int(ID_ITEM_ADD) << "CItemDlg";
    QTest::newRow("question") << int(ID_ITEM_REMOVE) << "QMessageBox";
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
        Tree(*m_app)->setCurrentItem(Tree(*m_app)->topLevelItem(0)->child(0));
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
