#include "FakeClock.h"
#include "FindWidget.h"
#include "TestHome.h"
#include "base/ProgramFolder.h"
#include "base/Settings.h"
#include "model/AccountFakes.h"
#include "model/CommandIds.h"
#include "model/VemoAccount.h"
#include "model/VemoGroup.h"
#include "shell/CommandActions.h"
#include "shell/MainFrame.h"
#include "shell/VemoApp.h"
#include "tray/QuickList.h"
#include "tray/SystemTray.h"
#include "tray/TrayMenu.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QStatusBar>
#include <QTest>
#include <QTreeView>

#include <ctime>
#include <memory>

namespace
{
constexpr qint32 Noon = 1796817600; // 2026-12-09 12:00 UTC
const QString Todo = QStringLiteral("Things To Do");
const QColor TrayBack(255, 255, 200);
const QColor Blue(0, 0, 255);

const QStringList Commands = {QStringLiteral("Show/Hide Vemo List"),
                              QStringLiteral("Make Item And Sticky"), QStringLiteral("Exit Vemo")};

QStringList Texts(const QMenu& menu)
{
    QStringList texts;
    for (const QAction* action : menu.actions())
        texts.append(action->isSeparator() ? QLatin1Char('-') + action->text() : action->text());
    return texts;
}

QList<int> QuickListIds(const QMenu& menu)
{
    QList<int> ids;
    for (const QAction* action : menu.actions())
    {
        const int id = action->data().toInt();
        if (id >= ID_QUICKLIST_FIRST && id <= ID_QUICKLIST_LAST)
            ids.append(id);
    }
    return ids;
}

QAction* Entry(const QMenu& menu, const QString& text)
{
    for (QAction* action : menu.actions())
    {
        if (action->text() == text)
            return action;
    }
    qFatal("no entry %s", qPrintable(text));
}

int CountColor(const QImage& image, const QRect& rect, const QColor& color)
{
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
    {
        for (int x = rect.left(); x <= rect.right(); ++x)
            count += image.pixelColor(x, y) == color;
    }
    return count;
}
} // namespace

class TestTrayMenu : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void menuListsCommandsThenQuickList_data();
    void menuListsCommandsThenQuickList();
    void quickListEntryTogglesItsStickyAndSelectsIt();
    void entriesShowTheirPrompts();
    void entriesHaveTheTrayLook();
    void hideWindowHidesIntoTheTrayOrMinimises_data();
    void hideWindowHidesIntoTheTrayOrMinimises();
    void trayGoingAwayShowsTheHiddenWindow();
    void trayAppearingLaterTakesTheWindow();
    void clicksOnTheIconRaiseAndToggle();
    void exitEntryClosesAndSaves();

private:
    void StartApp();
    quint32 AddItem(const QString& title, bool quickListed, bool sticky = false);
    CTrayMenu& Menu() const;
    CSystemTray& Tray() const;
    QSystemTrayIcon& Icon() const;
    // Pops the menu up as the tray does and clicks the entry with the pointer.
    void Choose(const QString& text);

    CTestHome m_home;
    CFakeClock m_clock{Noon};
    CFakePrompts m_prompts;
    bool m_bTray = true;
    std::unique_ptr<CVemoApp> m_app;
};

void TestTrayMenu::initTestCase()
{
    qputenv("TZ", "UTC0");
    tzset();
    CSystemTray::SetTrayProbe([this] { return m_bTray; });
}

void TestTrayMenu::init()
{
    QDir(GetProgramFolder()).removeRecursively();
    GetSettings().SetDefaultAccount(QString());
    GetSettings().SetHoverSticky(false);
    m_prompts = CFakePrompts();
    m_bTray = true;
}

void TestTrayMenu::cleanup()
{
    m_app.reset();
}

void TestTrayMenu::StartApp()
{
    m_app = std::make_unique<CVemoApp>(&m_prompts);
    m_app->Start();
    m_prompts.m_newAccountNames = {QStringLiteral("Home")};
    m_app->GetActions().Execute(ID_FILE_NEW);
    QVERIFY(g_pAccount->RemoveAllItems(Todo));
    QApplication::setActiveWindow(&m_app->GetMainFrame());
    QVERIFY(QTest::qWaitForWindowActive(&m_app->GetMainFrame()));
}

quint32 TestTrayMenu::AddItem(const QString& title, bool quickListed, bool sticky)
{
    CVemoItem item(Noon, Noon, CVemoItem::PriorityNone);
    item.m_strTitle = title;
    item.m_bQuickListed = quickListed;
    item.m_bHasSticky = sticky;
    return g_pAccount->AddItemToGroup(Todo, item);
}

CTrayMenu& TestTrayMenu::Menu() const
{
    auto* menu = m_app->GetMainFrame().findChild<CTrayMenu*>(QStringLiteral("trayMenu"));
    if (!menu)
        qFatal("no tray menu");
    return *menu;
}

CSystemTray& TestTrayMenu::Tray() const
{
    return *m_app->GetMainFrame().findChild<CSystemTray*>();
}

QSystemTrayIcon& TestTrayMenu::Icon() const
{
    return *Tray().findChild<QSystemTrayIcon*>(QStringLiteral("trayIcon"));
}

void TestTrayMenu::Choose(const QString& text)
{
    CTrayMenu& menu = Menu();
    menu.popup(QPoint(300, 300));
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    const QRect entry = menu.actionGeometry(Entry(menu, text));
    QTest::mouseMove(&menu, entry.center());
    QTest::mouseClick(&menu, Qt::LeftButton, {}, entry.center());
}

void TestTrayMenu::menuListsCommandsThenQuickList_data()
{
    QTest::addColumn<int>("quickListed");
    QTest::addColumn<bool>("missingSecond");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QList<int>>("ids");

    QTest::newRow("empty quick list") << 0 << false << QStringList() << QList<int>();
    QStringList nine;
    QList<int> nineIds;
    for (int i = 0; i < 9; ++i)
    {
        nine.append(QStringLiteral("Item %1").arg(i));
        nineIds.append(ID_QUICKLIST_FIRST + i);
    }
    QTest::newRow("full quick list") << 9 << false << nine << nineIds;
    // The gone item leaves its id unused, so the later entry keeps its place in the list.
    QTest::newRow("item gone") << 2 << true << QStringList{QStringLiteral("Item 0")}
                               << QList<int>{ID_QUICKLIST_FIRST};
}

void TestTrayMenu::menuListsCommandsThenQuickList()
{
    QFETCH(int, quickListed);
    QFETCH(bool, missingSecond);
    QFETCH(QStringList, entries);
    QFETCH(QList<int>, ids);
    StartApp();
    for (int i = 0; i < quickListed; ++i)
    {
        if (i == 1 && missingSecond)
            QVERIFY(GetQuickList().Add(Todo, 4000));
        else
            AddItem(QStringLiteral("Item %1").arg(i), true);
    }
    if (missingSecond)
        AddItem(QStringLiteral("Item 2"), true);
    AddItem(QStringLiteral("Not listed"), false);

    CTrayMenu& menu = Menu();
    emit menu.aboutToShow();
    QStringList expected = Commands;
    expected.append(QStringLiteral("-QuickList"));
    expected.append(entries);
    if (missingSecond)
    {
        expected.append(QStringLiteral("Item 2"));
        ids.append(ID_QUICKLIST_FIRST + 2);
    }
    QCOMPARE(Texts(menu), expected);
    QCOMPARE(QuickListIds(menu), ids);
    QCOMPARE(menu.defaultAction(), menu.actions().constFirst());
}

void TestTrayMenu::quickListEntryTogglesItsStickyAndSelectsIt()
{
    StartApp();
    AddItem(QStringLiteral("Other"), true);
    const quint32 key = AddItem(QStringLiteral("Salt & pepper"), true);
    CMainFrame& frame = m_app->GetMainFrame();
    m_app->GetActions().Execute(ID_WINDOW_SHOW_HIDE);
    QVERIFY(!frame.isVisible());

    Choose(QStringLiteral("Salt && pepper"));
    QVERIFY(g_pAccount->HasSticky(Todo, key));
    QVERIFY(frame.isVisible());
    const QModelIndex selected = frame.findChild<QTreeView*>()->currentIndex();
    QCOMPARE(selected.data().toString(), QStringLiteral("Salt & pepper"));

    Choose(QStringLiteral("Salt && pepper"));
    QVERIFY(!g_pAccount->HasSticky(Todo, key));
}

void TestTrayMenu::entriesShowTheirPrompts()
{
    StartApp();
    AddItem(QStringLiteral("Eggs"), true);
    AddItem(QStringLiteral("Milk"), true, true);
    // The note comes up on a later turn and, offscreen, takes the activation from the menu.
    QVERIFY(QTest::qWaitFor(AllNotesUp));
    CTrayMenu& menu = Menu();
    menu.popup(QPoint(300, 300));
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    const QStatusBar* status = m_app->GetMainFrame().statusBar();
    // The keys walk the entries from the top, passing over the separator.
    const QStringList prompts = {
        QStringLiteral("Hide the main window."), CCommandActions::Prompt(ID_ITEM_AND_STICKY),
        CCommandActions::Prompt(ID_TRAY_EXIT), QStringLiteral("Set sticky for 'Eggs'"),
        QStringLiteral("Remove sticky for 'Milk'")};
    for (const QString& prompt : prompts)
    {
        QTest::keyClick(&menu, Qt::Key_Down);
        QCOMPARE(status->currentMessage(), prompt);
    }
    menu.close();
}

void TestTrayMenu::entriesHaveTheTrayLook()
{
    StartApp();
    AddItem(QStringLiteral("Eggs"), true);
    CTrayMenu& menu = Menu();
    menu.popup(QPoint(300, 300));
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    QAction* eggs = Entry(menu, QStringLiteral("Eggs"));
    QTest::mouseMove(&menu, menu.actionGeometry(eggs).center());
    QTRY_COMPARE(menu.activeAction(), eggs);
    const QImage image = menu.grab().toImage();
    menu.close();

    // Flat highlight: the entry keeps the pale background, and its text and underline are blue.
    const QRect highlighted = menu.actionGeometry(eggs);
    QVERIFY(CountColor(image, highlighted, TrayBack) >
            highlighted.width() * highlighted.height() / 2);
    QVERIFY(CountColor(image, highlighted, Blue) > 20);
    const QRect plain = menu.actionGeometry(Entry(menu, QStringLiteral("Make Item And Sticky")));
    QCOMPARE(CountColor(image, plain, Blue), 0);

    // The title breaks the separator's grey line in the middle, and the line runs on either side.
    const QRect separator = menu.actionGeometry(menu.actions().at(3));
    const int middle = separator.top() + separator.height() / 2;
    const QColor grey = image.pixelColor(separator.left() + 2, middle);
    QVERIFY(grey != TrayBack);
    QCOMPARE(image.pixelColor(separator.right() - 2, middle), grey);
    const QRect titleGap(separator.center().x() - 3, middle, 7, 1);
    QVERIFY(CountColor(image, titleGap, grey) < titleGap.width());

    // The default entry is bold, so it is wider than in the plain font.
    QFont bold = menu.font();
    bold.setBold(true);
    QVERIFY(QFontMetrics(bold).horizontalAdvance(Commands[0]) >
            QFontMetrics(menu.font()).horizontalAdvance(Commands[0]));
    QCOMPARE(menu.defaultAction()->text(), Commands[0]);
}

void TestTrayMenu::hideWindowHidesIntoTheTrayOrMinimises_data()
{
    QTest::addColumn<bool>("tray");
    QTest::newRow("tray") << true;
    QTest::newRow("no tray") << false;
}

void TestTrayMenu::hideWindowHidesIntoTheTrayOrMinimises()
{
    QFETCH(bool, tray);
    m_bTray = tray;
    StartApp();
    CMainFrame& frame = m_app->GetMainFrame();
    QCOMPARE(Tray().IsInstalled(), tray);
    m_app->GetActions().Execute(ID_WINDOW_SHOW_HIDE);
    QCOMPARE(frame.isVisible(), !tray);
    QCOMPARE(frame.isMinimized(), !tray);
    m_app->GetActions().Execute(ID_WINDOW_SHOW_HIDE);
    QVERIFY(frame.isVisible());
    QVERIFY(!frame.isMinimized());
}

void TestTrayMenu::trayGoingAwayShowsTheHiddenWindow()
{
    StartApp();
    CMainFrame& frame = m_app->GetMainFrame();
    m_app->GetActions().Execute(ID_WINDOW_SHOW_HIDE);
    QVERIFY(!frame.isVisible());
    m_bTray = false;
    Tray().CheckTray();
    QVERIFY(frame.isVisible());
    QVERIFY(!Tray().IsInstalled());
}

void TestTrayMenu::trayAppearingLaterTakesTheWindow()
{
    m_bTray = false;
    StartApp();
    m_bTray = true;
    Tray().CheckTray();
    QVERIFY(Tray().IsInstalled());
    m_app->GetActions().Execute(ID_WINDOW_SHOW_HIDE);
    QVERIFY(!m_app->GetMainFrame().isVisible());
    QVERIFY(!m_app->GetMainFrame().isMinimized());
}

// A double click comes as a click, then a double click: the window is raised, then toggled.
void TestTrayMenu::clicksOnTheIconRaiseAndToggle()
{
    StartApp();
    CMainFrame& frame = m_app->GetMainFrame();
    emit Icon().activated(QSystemTrayIcon::Trigger);
    QVERIFY(frame.isVisible());
    emit Icon().activated(QSystemTrayIcon::DoubleClick);
    QVERIFY(!frame.isVisible());
    emit Icon().activated(QSystemTrayIcon::Trigger);
    QVERIFY(!frame.isVisible());
    emit Icon().activated(QSystemTrayIcon::DoubleClick);
    QVERIFY(frame.isVisible());
}

void TestTrayMenu::exitEntryClosesAndSaves()
{
    StartApp();
    AddItem(QStringLiteral("Eggs"), true);
    m_app->GetActions().Execute(ID_WINDOW_SHOW_HIDE);
    const QString file = QDir(g_pAccount->GetPath()).filePath(Todo + QStringLiteral(".grp"));
    Choose(QStringLiteral("Exit Vemo"));
    QVERIFY(!m_app->GetMainFrame().isVisible());
    CVemoGroup saved;
    QVERIFY(saved.LoadFromFile(file));
    QCOMPARE(saved.GetItems().size(), 1);
    QCOMPARE(saved.GetItems().front().m_strTitle, QStringLiteral("Eggs"));
}

QTEST_MAIN(TestTrayMenu)
#include "tst_traymenu.moc"
