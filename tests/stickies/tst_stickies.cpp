#include "FakeClock.h"
#include "FindWidget.h"
#include "TestHome.h"
#include "base/ProgramFolder.h"
#include "base/Settings.h"
#include "model/AccountCommands.h"
#include "model/AccountFakes.h"
#include "shell/CommandActions.h"
#include "stickies/StickyEdit.h"
#include "stickies/StickyList.h"
#include "stickies/StickyLookDlg.h"
#include "stickies/StickyWnd.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <ctime>
#include <memory>

namespace
{
constexpr qint32 Noon = 1796817600; // 2026-12-09 12:00 UTC
const QString Todo = QStringLiteral("Things To Do");
const QSize NoteSize(200, 200);
// On the strip above the text, inside the frame, left of the close button.
const QPoint Strip(CStickyWnd::FrameWidth + 20, CStickyWnd::FrameWidth + 6);

// The account with real notes and fakes behind every other port.
struct CStickyFixture
{
    CStickyList m_stickies;
    CFakeGroupTree m_tree;
    CFakePrompts m_prompts;
    CFakeMainWindow m_mainWindow;
    CVemoAccount m_account{{&m_tree, &m_stickies, &m_prompts, nullptr, nullptr, &m_mainWindow}};
    CAccountCommands m_commands{m_account};
    CCommandActions m_actions{m_commands};

    CStickyFixture()
    {
        g_pAccount = &m_account;
        m_stickies.SetCommandActions(&m_actions);
    }
    ~CStickyFixture() { g_pAccount = nullptr; }
    CStickyFixture(const CStickyFixture&) = delete;
    CStickyFixture& operator=(const CStickyFixture&) = delete;
};

QRect ToQRect(const CRect32& rect)
{
    return QRect(rect.left, rect.top, int(rect.Width()), int(rect.Height()));
}

QColor FrameColor(CStickyWnd& note)
{
    return note.grab().toImage().pixelColor(0, 0);
}

bool Activate(QWidget& window)
{
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window);
}
} // namespace

class TestStickies : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void newNotesFillRowsFromTheCorner();
    void movedNoteFreesItsPlace();
    void textReachesTheItem_data();
    void textReachesTheItem();
    void caseOnlyEditIsKept_data();
    void caseOnlyEditIsKept();
    void reopenedAccountBringsNotesBack();
    void accountClosedBeforeItsNotesCameUp();
    void renamedGroupKeepsItsNotes();
    void noteOffEveryScreenComesBackOnThePrimary();
    void inactiveFrameFollowsBorderlessSetting_data();
    void inactiveFrameFollowsBorderlessSetting();
    void closeButtonClosesTheNote();
    void lookButtonChangesItemAndNote();
    void menuStoresTheTextAndActsOnTheNotesItem();
    void restingPointerActivatesTheNote();
    void droppedTextIsAppended();
    void flashLightsTheFrameThreeTimes_data();
    void flashLightsTheFrameThreeTimes();
    void tipShowsTitleGroupPriorityAndDoBy_data();
    void tipShowsTitleGroupPriorityAndDoBy();
    void tipShowsOverTheStrip();

private:
    quint32 AddNote(const QString& message, const CRect32& rect = {});
    CStickyWnd& Note(quint32 key, const QString& group = Todo);
    CVemoItem Item(quint32 key, const QString& group = Todo);
    void TypeAtEnd(CStickyWnd& note, const QString& text);
    void DragStrip(CStickyWnd& note, const QPoint& by);

    CTestHome m_home;
    CFakeClock m_clock{Noon};
    std::unique_ptr<CStickyFixture> m_fixture;
    QWidget m_other;
};

void TestStickies::initTestCase()
{
    qputenv("TZ", "UTC0");
    tzset();
}

void TestStickies::init()
{
    QDir(GetProgramFolder()).removeRecursively();
    GetSettings().SetStickyOnTop(false);
    GetSettings().SetBorderlessSticky(true);
    // A note that happens to lie under the pointer would take the focus by itself.
    GetSettings().SetHoverSticky(false);
    m_fixture = std::make_unique<CStickyFixture>();
    m_fixture->m_prompts.m_newAccountNames = {QStringLiteral("Home")};
    QVERIFY(m_fixture->m_account.NewAccount());
    // The welcome item's note would take the first place of the grid.
    QVERIFY(m_fixture->m_account.RemoveAllItems(Todo));
    m_other.resize(100, 100);
    m_other.move(500, 400);
}

void TestStickies::cleanup()
{
    m_fixture.reset();
}

quint32 TestStickies::AddNote(const QString& message, const CRect32& rect)
{
    CVemoItem item(Noon, Noon, CVemoItem::PriorityNone);
    item.m_strTitle = message;
    item.m_strMessage = message;
    item.m_rectSticky = rect;
    item.m_bHasSticky = 1;
    return m_fixture->m_account.AddItemToGroup(Todo, item);
}

CStickyWnd& TestStickies::Note(quint32 key, const QString& group)
{
    CStickyWnd* note = m_fixture->m_stickies.FindSticky(group, key);
    // A new note comes up on a later turn of the event loop.
    if (!note || !QTest::qWaitFor([note] { return note->isVisible(); }))
        qFatal("no note %u", key);
    return *note;
}

CVemoItem TestStickies::Item(quint32 key, const QString& group)
{
    CVemoItem item(Qt::Uninitialized);
    m_fixture->m_account.GetItemCopy(group, key, item);
    return item;
}

void TestStickies::TypeAtEnd(CStickyWnd& note, const QString& text)
{
    QVERIFY(Activate(note));
    auto& edit = Find<CStickyEdit>(note, "stickyEdit");
    QTest::mouseClick(edit.viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::keyClick(&edit, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_Return);
    QTest::keyClicks(&edit, text);
}

void TestStickies::DragStrip(CStickyWnd& note, const QPoint& by)
{
    QTest::mousePress(&note, Qt::LeftButton, {}, Strip);
    QTest::mouseMove(&note, Strip + by);
    QTest::mouseRelease(&note, Qt::LeftButton, {}, Strip);
}

void TestStickies::newNotesFillRowsFromTheCorner()
{
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    const int perRow = (work.left() + work.width()) / NoteSize.width();
    QVERIFY(perRow >= 3);
    QList<quint32> keys;
    for (int i = 0; i <= perRow; ++i)
        keys.append(AddNote(QStringLiteral("Note %1").arg(i)));

    const QList<QPoint> expected = {{0, 0}, {200, 0}, {400, 0}};
    for (int i = 0; i < expected.size(); ++i)
    {
        QCOMPARE(Note(keys[i]).geometry(), QRect(expected[i], NoteSize));
        QCOMPARE(ToQRect(Item(keys[i]).m_rectSticky), QRect(expected[i], NoteSize));
    }
    QCOMPARE(Note(keys.last()).geometry(), QRect(QPoint(0, 200), NoteSize));
}

void TestStickies::movedNoteFreesItsPlace()
{
    const quint32 first = AddNote(QStringLiteral("First"));
    QVERIFY(Activate(Note(first)));
    DragStrip(Note(first), QPoint(30, 40));
    QCOMPARE(Note(first).pos(), QPoint(30, 40));
    QCOMPARE(ToQRect(Item(first).m_rectSticky), QRect(QPoint(30, 40), NoteSize));

    const quint32 second = AddNote(QStringLiteral("Second"));
    QCOMPARE(Note(second).pos(), QPoint(0, 0));
}

void TestStickies::textReachesTheItem_data()
{
    QTest::addColumn<int>("how");
    QTest::newRow("note deactivated") << 0;
    QTest::newRow("texts saved") << 1;
    QTest::newRow("all notes closed") << 2;
}

void TestStickies::textReachesTheItem()
{
    QFETCH(int, how);
    const quint32 key = AddNote(QStringLiteral("Eggs"));
    TypeAtEnd(Note(key), QStringLiteral("Milk"));
    if (how == 0)
        QVERIFY(Activate(m_other));
    else if (how == 1)
        m_fixture->m_stickies.SaveStickyTexts();
    else
        m_fixture->m_stickies.CloseAllStickies();
    QCOMPARE(Item(key).m_strMessage, QStringLiteral("Eggs\r\nMilk"));
}

void TestStickies::caseOnlyEditIsKept_data()
{
    QTest::addColumn<bool>("inTheNote");
    QTest::newRow("typed in the note") << true;
    QTest::newRow("made to the item") << false;
}

void TestStickies::caseOnlyEditIsKept()
{
    QFETCH(bool, inTheNote);
    const quint32 key = AddNote(QStringLiteral("eggs"));
    CStickyWnd& note = Note(key);
    QVERIFY(Activate(note));
    auto& edit = Find<CStickyEdit>(note, "stickyEdit");
    if (inTheNote)
    {
        QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(&edit, QStringLiteral("EGGS"));
    }
    else
    {
        m_fixture->m_account.SetItemMessage(Todo, key, QStringLiteral("EGGS"));
        QVERIFY(m_fixture->m_stickies.RefreshSticky(Todo, key));
        QCOMPARE(edit.toPlainText(), QStringLiteral("EGGS"));
    }
    QVERIFY(Activate(m_other));
    QCOMPARE(Item(key).m_strMessage, QStringLiteral("EGGS"));
}

void TestStickies::reopenedAccountBringsNotesBack()
{
    const quint32 moved = AddNote(QStringLiteral("Moved"));
    const quint32 stayed = AddNote(QStringLiteral("Stayed"));
    DragStrip(Note(moved), QPoint(250, 300));
    TypeAtEnd(Note(stayed), QStringLiteral("and typed"));
    const QRect movedAt = Note(moved).geometry();
    const QRect stayedAt = Note(stayed).geometry();
    const QString path = m_fixture->m_account.GetPath();

    m_fixture->m_account.CloseAccount();
    QVERIFY(!m_fixture->m_stickies.FindSticky(Todo, moved));
    QVERIFY(m_fixture->m_account.OpenAccount(path));

    QCOMPARE(Note(moved).geometry(), movedAt);
    QCOMPARE(Note(stayed).geometry(), stayedAt);
    QCOMPARE(movedAt, QRect(QPoint(250, 300), NoteSize));
    QCOMPARE(Find<CStickyEdit>(Note(stayed), "stickyEdit").toPlainText(),
             QStringLiteral("Stayed\nand typed"));
}

void TestStickies::accountClosedBeforeItsNotesCameUp()
{
    QList<quint32> keys;
    for (int i = 0; i < 20; ++i)
        keys.append(AddNote(QStringLiteral("Note %1").arg(i)));
    const QString path = m_fixture->m_account.GetPath();
    m_fixture->m_account.CloseAccount();
    QApplication::processEvents();

    QVERIFY(m_fixture->m_account.OpenAccount(path));
    QVERIFY(!m_fixture->m_stickies.FindSticky(Todo, keys.last())->isVisible());
    for (int i = 0; i < keys.size(); ++i)
        QCOMPARE(Find<CStickyEdit>(Note(keys[i]), "stickyEdit").toPlainText(),
                 QStringLiteral("Note %1").arg(i));
}

void TestStickies::renamedGroupKeepsItsNotes()
{
    const quint32 key = AddNote(QStringLiteral("Eggs"));
    const QString renamed = QStringLiteral("Shopping");
    QVERIFY(m_fixture->m_account.RenameGroup(Todo, renamed));
    TypeAtEnd(Note(key, renamed), QStringLiteral("Milk"));
    QVERIFY(Activate(m_other));
    QCOMPARE(Item(key, renamed).m_strMessage, QStringLiteral("Eggs\r\nMilk"));
    QVERIFY(m_fixture->m_stickies.RemoveSticky(renamed, key));
    QVERIFY(!m_fixture->m_stickies.FindSticky(renamed, key));
}

void TestStickies::noteOffEveryScreenComesBackOnThePrimary()
{
    const quint32 key = AddNote(QStringLiteral("Lost"), {9000, 7000, 9250, 7150});
    const QRect expected(QGuiApplication::primaryScreen()->availableGeometry().topLeft(),
                         QSize(250, 150));
    QCOMPARE(Note(key).geometry(), expected);
    QCOMPARE(ToQRect(Item(key).m_rectSticky), expected);
}

void TestStickies::inactiveFrameFollowsBorderlessSetting_data()
{
    QTest::addColumn<bool>("borderless");
    QTest::newRow("borderless") << true;
    QTest::newRow("with border") << false;
}

void TestStickies::inactiveFrameFollowsBorderlessSetting()
{
    QFETCH(bool, borderless);
    GetSettings().SetBorderlessSticky(borderless);
    const quint32 key = AddNote(QStringLiteral("Eggs"));
    CStickyWnd& note = Note(key);
    QVERIFY(Activate(note));
    QVERIFY(Activate(m_other));
    const QColor back = Find<CStickyEdit>(note, "stickyEdit").GetBackColor();
    const QColor expected = borderless ? back : note.palette().color(QPalette::Button);
    QCOMPARE(note.grab().toImage().pixelColor(0, 0), expected);

    QVERIFY(Activate(note));
    QCOMPARE(note.grab().toImage().pixelColor(0, 0), QColor(Qt::black));
}

void TestStickies::closeButtonClosesTheNote()
{
    const quint32 key = AddNote(QStringLiteral("Eggs"));
    TypeAtEnd(Note(key), QStringLiteral("Milk"));
    QTest::mouseClick(&Find<QWidget>(Note(key), "closeButton"), Qt::LeftButton);
    QTRY_VERIFY(!m_fixture->m_stickies.FindSticky(Todo, key));
    QCOMPARE(Item(key).m_strMessage, QStringLiteral("Eggs\r\nMilk"));
    QCOMPARE(Item(key).m_bHasSticky, 0);
}

// The colour picked in the look dialog reaches the item and the open note.
void TestStickies::lookButtonChangesItemAndNote()
{
    const quint32 key = AddNote(QStringLiteral("Eggs"));
    Note(key).Focus();
    WhenModalShown<CStickyLookDlg>(
        [](CStickyLookDlg& dialog)
        {
            dialog.m_pickColor = [](QWidget*)
            {
                return QColor(Qt::red);
            };
            Find<QPushButton>(dialog, "backColorButton").click();
            Find<QPushButton>(dialog, "okButton").click();
        });
    QTest::mouseClick(&Find<QWidget>(Note(key), "lookButton"), Qt::LeftButton);
    QTRY_COMPARE(Item(key).m_crStickyBack, quint32(0x000000FF));
    QCOMPARE(Find<CStickyEdit>(Note(key), "stickyEdit").GetBackColorRef(), quint32(0x000000FF));
}

void TestStickies::menuStoresTheTextAndActsOnTheNotesItem()
{
    const quint32 other = AddNote(QStringLiteral("Other"));
    const quint32 key = AddNote(QStringLiteral("Eggs"));
    TypeAtEnd(Note(key), QStringLiteral("Milk"));
    m_fixture->m_tree.SelectItem(Todo, other);
    // Through the window, as the window system delivers a right click, so the menu opens on press.
    QTest::mousePress(Note(key).windowHandle(), Qt::RightButton, {}, Strip);
    QTest::mouseRelease(Note(key).windowHandle(), Qt::RightButton, {}, Strip);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    QCOMPARE(menu->objectName(), QStringLiteral("stickyMenu"));
    QCOMPARE(Item(key).m_strMessage, QStringLiteral("Eggs\r\nMilk"));

    QAction* completed = nullptr;
    for (QAction* action : menu->actions())
    {
        if (action->text() == QStringLiteral("Task Completed"))
            completed = action;
    }
    QVERIFY(completed);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(completed).center());
    QTRY_VERIFY(!QApplication::activePopupWidget());
    QCOMPARE(Item(key).m_bCompleted, 1);
    QCOMPARE(Item(other).m_bCompleted, 0);
}

void TestStickies::restingPointerActivatesTheNote()
{
    GetSettings().SetHoverSticky(true);
    const quint32 key = AddNote(QStringLiteral("Eggs"));
    auto& edit = Find<CStickyEdit>(Note(key), "stickyEdit");
    QVERIFY(Activate(m_other));
    QTest::mouseMove(edit.viewport(), QPoint(20, 20));
    QTRY_VERIFY(Note(key).isActiveWindow());
    QVERIFY(edit.hasFocus());
}

void TestStickies::droppedTextIsAppended()
{
    const quint32 key = AddNote(QStringLiteral("Milk"));
    auto& edit = Find<CStickyEdit>(Note(key), "stickyEdit");
    QWidget* viewport = edit.viewport();
    const QPoint at(5, 5);
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a.txt"))});
    QDragEnterEvent refused(at, Qt::CopyAction | Qt::MoveAction, &files, Qt::LeftButton, {});
    QApplication::sendEvent(viewport, &refused);
    QVERIFY(!refused.isAccepted());

    QMimeData text;
    text.setText(QStringLiteral("abc\ndef"));
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &text, Qt::LeftButton, {});
    QApplication::sendEvent(viewport, &enter);
    QVERIFY(enter.isAccepted());
    QCOMPARE(enter.dropAction(), Qt::CopyAction);
    QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &text, Qt::LeftButton, {});
    QApplication::sendEvent(viewport, &drop);
    QCOMPARE(drop.dropAction(), Qt::CopyAction);
    QCOMPARE(edit.toPlainText(), QStringLiteral("Milk\nabc\ndef"));
    m_fixture->m_stickies.SaveStickyTexts();
    QCOMPARE(Item(key).m_strMessage, QStringLiteral("Milk\r\nabc\r\ndef"));
}

void TestStickies::flashLightsTheFrameThreeTimes_data()
{
    QTest::addColumn<quint32>("back");
    QTest::addColumn<QColor>("flash");
    QTest::newRow("yellow note flashes red") << CVemoItem::DefaultStickyBack << QColor(255, 0, 0);
    QTest::newRow("red note flashes blue") << 0x0000FFu << QColor(0, 0, 255);
}

// An inactive borderless note, whose frame is otherwise the colour of the note itself.
void TestStickies::flashLightsTheFrameThreeTimes()
{
    QFETCH(quint32, back);
    QFETCH(QColor, flash);
    const quint32 key = AddNote(QStringLiteral("Eggs"));
    CStickyWnd& note = Note(key);
    QVERIFY(Activate(m_other));
    auto& edit = Find<CStickyEdit>(note, "stickyEdit");
    edit.SetBackColor(back);
    auto& timer = Find<QTimer>(note, "flashTimer");
    m_fixture->m_stickies.FlashSticky(Todo, key, 3);

    QList<int> intervals;
    QList<QColor> frames;
    while (timer.isActive() && intervals.size() < 10)
    {
        intervals.append(timer.interval());
        QTimerEvent tick(timer.timerId());
        QCoreApplication::sendEvent(&timer, &tick);
        frames.append(FrameColor(note));
    }
    const QColor face = note.palette().color(QPalette::Button);
    QCOMPARE(intervals, QList<int>({1, 500, 500, 500, 500, 500}));
    QCOMPARE(frames, QList<QColor>({flash, face, flash, face, flash, edit.GetBackColor()}));
}

void TestStickies::tipShowsTitleGroupPriorityAndDoBy_data()
{
    QTest::addColumn<bool>("completed");
    QTest::addColumn<bool>("reminded");
    QTest::addColumn<QString>("tip");
    QTest::newRow("open, no reminder")
        << false << false
        << "^Eggs^\n^Group^: Things To Do\n^Priority^: High\n^Do By^: Wednesday, December 09, 2026";
    QTest::newRow("completed, reminded") << true << true
                                         << "^Eggs (COMPLETED)^\n^Group^: Things To Do\n"
                                            "^Priority^: High\n^Do By^: 12:00 PM, Wednesday, "
                                            "December 09, 2026(R)";
}

void TestStickies::tipShowsTitleGroupPriorityAndDoBy()
{
    QFETCH(bool, completed);
    QFETCH(bool, reminded);
    QFETCH(QString, tip);
    CVemoItem item(Noon, Noon, CVemoItem::PriorityHigh);
    item.m_strTitle = QStringLiteral("Eggs");
    item.m_bCompleted = completed;
    item.m_reminder.m_bEnabled = reminded;
    QCOMPARE(CStickyWnd::MakeTipText(Todo, item), tip);
}

void TestStickies::tipShowsOverTheStrip()
{
    const quint32 key = AddNote(QStringLiteral("Eggs"));
    CStickyWnd& note = Note(key);
    QVERIFY(Activate(note));
    QCursor::setPos(note.mapToGlobal(Strip));
    QTest::mouseMove(&note, Strip);
    auto& tip = Find<QWidget>(note, "infoTip");
    QTRY_VERIFY(tip.isVisible());
    DragStrip(note, QPoint(30, 40));
    QVERIFY(!tip.isVisible());
}

QTEST_MAIN(TestStickies)
#include "tst_stickies.moc"
