#include "FakeClock.h"
#include "FindWidget.h"
#include "TestHome.h"
#include "base/ProgramFolder.h"
#include "model/AccountFakes.h"
#include "views/GroupView.h"
#include "views/InfoTipWnd.h"

#include <QDir>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace
{
constexpr qint32 Noon = 1796817600; // 2026-12-09 12:00 UTC
constexpr int TextLeft = 3;
constexpr int TextTop = 2;
constexpr int CursorSize = 32;
const QString Home = QStringLiteral("Home");

// The tree with an account behind it; the tip needs nothing else of the program.
struct CTipFixture
{
    CGroupView m_view;
    CFakeStickyHost m_stickies;
    CFakePrompts m_prompts;
    CFakeMainWindow m_mainWindow;
    CVemoAccount m_account{{&m_view, &m_stickies, &m_prompts, nullptr, nullptr, &m_mainWindow}};

    CTipFixture()
    {
        g_pAccount = &m_account;
        m_view.Attach(&m_account, nullptr, nullptr);
    }
    ~CTipFixture() { g_pAccount = nullptr; }
    CTipFixture(const CTipFixture&) = delete;
    CTipFixture& operator=(const CTipFixture&) = delete;
};

QFont TipFont(bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(9);
    font.setBold(bold);
    return font;
}

// What the timer does when it runs out, done now instead of waiting for it.
void RunOut(QTimer& timer)
{
    QVERIFY(timer.isActive());
    QTimerEvent event(timer.timerId());
    QCoreApplication::sendEvent(&timer, &event);
}

enum PointerPlace
{
    ItemLabel,
    ItemIcon,
    GroupLabel,
    EmptySpace,
};
} // namespace

Q_DECLARE_METATYPE(PointerPlace)

class TestInfoTip : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void markUpSwitchesTypeAndLines_data();
    void markUpSwitchesTypeAndLines();
    void makeTipText_data();
    void makeTipText();
    void showsAfterDelayOnlyOverItem_data();
    void showsAfterDelayOnlyOverItem();
    void hidesWhenPointerLeavesHotRectangle();
    void staysOnScreenNearEdge_data();
    void staysOnScreenNearEdge();

private:
    quint32 AddItem(const QString& title, const QString& message);
    QModelIndex ItemNode(quint32 key) const;
    QPoint LabelPoint(quint32 key) const;
    QPoint PointAt(PointerPlace place) const;
    void MovePointer(const QPoint& viewportPoint);
    CInfoTipWnd& Tip() const;
    QTimer& Timer() const;

    CTestHome m_home;
    CFakeClock m_clock{Noon};
    std::unique_ptr<CTipFixture> m_fixture;
    quint32 m_dwKey = 0;
};

void TestInfoTip::init()
{
    QDir(GetProgramFolder()).removeRecursively();
    m_fixture = std::make_unique<CTipFixture>();
    m_fixture->m_prompts.m_newAccountNames = {QStringLiteral("Account")};
    CVemoAccount& account = m_fixture->m_account;
    QVERIFY(account.NewAccount());
    QVERIFY(account.RemoveGroup(account.GetGroups().first().GetName()));
    CVemoGroup group;
    group.SetName(Home);
    account.AddGroup(group);
    m_dwKey = AddItem(QStringLiteral("Water plants"), QStringLiteral("Both ^ferns^\r\nand cacti"));
    m_fixture->m_view.setGeometry(100, 100, 300, 200);
    m_fixture->m_view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_fixture->m_view));
}

void TestInfoTip::cleanup()
{
    m_fixture.reset();
}

quint32 TestInfoTip::AddItem(const QString& title, const QString& message)
{
    CVemoItem item(Noon, Noon, CVemoItem::PriorityNormal);
    item.m_strTitle = title;
    item.m_strMessage = message;
    return m_fixture->m_account.AddItemToGroup(Home, item);
}

QModelIndex TestInfoTip::ItemNode(quint32 key) const
{
    return m_fixture->m_view.FindItemNode(Home, key);
}

// An item's cell holds the check image, the icon and the label, each image 16 pixels wide; a
// group's has no check image.
QPoint TestInfoTip::LabelPoint(quint32 key) const
{
    const QRect item = m_fixture->m_view.visualRect(ItemNode(key));
    return {item.left() + 46, item.center().y()};
}

QPoint TestInfoTip::PointAt(PointerPlace place) const
{
    const CGroupView& view = m_fixture->m_view;
    const QRect item = view.visualRect(ItemNode(m_dwKey));
    switch (place)
    {
    case ItemLabel:
        return LabelPoint(m_dwKey);
    case ItemIcon:
        return {item.left() + 26, item.center().y()};
    case GroupLabel:
    {
        const QRect group = view.visualRect(view.FindGroupNode(Home));
        return {group.left() + 28, group.center().y()};
    }
    case EmptySpace:
        break;
    }
    return {item.left() + 46, item.bottom() + 60};
}

// The pointer moves as the user's does: the view hears of it and the cursor is there.
void TestInfoTip::MovePointer(const QPoint& viewportPoint)
{
    QTest::mouseMove(m_fixture->m_view.viewport(), viewportPoint);
    QCOMPARE(QCursor::pos(), m_fixture->m_view.viewport()->mapToGlobal(viewportPoint));
}

CInfoTipWnd& TestInfoTip::Tip() const
{
    return Find<CInfoTipWnd>(m_fixture->m_view, "infoTip");
}

QTimer& TestInfoTip::Timer() const
{
    auto* timer = Tip().findChild<QTimer*>(QStringLiteral("infoTipTimer"));
    if (!timer)
        qFatal("no tip timer");
    return *timer;
}

void TestInfoTip::markUpSwitchesTypeAndLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("drawn");
    // Per drawn character: r regular, b bold; and the line it is on.
    QTest::addColumn<QString>("types");
    QTest::addColumn<QList<int>>("lines");
    QTest::newRow("bold middle") << "A^b^c"
                                 << "Abc"
                                 << "rbr" << QList<int>{0, 0, 0};
    QTest::newRow("odd marks end bold") << "ab\n^cd"
                                        << "abcd"
                                        << "rrbb" << QList<int>{0, 0, 1, 1};
    QTest::newRow("last mark shows nothing") << "x^"
                                             << "x"
                                             << "r" << QList<int>{0};
    QTest::newRow("widest line counts")
        << "^Do By^: today\nno\n"
        << "Do By: todayno"
        << "bbbbbrrrrrrrrr" << QList<int>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1};
}

void TestInfoTip::markUpSwitchesTypeAndLines()
{
    QFETCH(QString, text);
    QFETCH(QString, drawn);
    QFETCH(QString, types);
    QFETCH(QList<int>, lines);
    const InfoTipLayout layout = Tip().LayOutMarkedUpText(text);
    const QFontMetrics regular(TipFont(false));
    const QFontMetrics bold(TipFont(true));
    QCOMPARE(layout.m_chars.size(), drawn.size());
    int x = TextLeft;
    int widest = TextLeft;
    for (qsizetype i = 0; i < drawn.size(); ++i)
    {
        const InfoTipChar& glyph = layout.m_chars.at(i);
        const bool isBold = types.at(i) == QLatin1Char('b');
        if (i > 0 && lines.at(i) != lines.at(i - 1))
            x = TextLeft;
        QCOMPARE(glyph.m_strText, QString(drawn.at(i)));
        QCOMPARE(glyph.m_bBold, isBold);
        QCOMPARE(glyph.m_ptPos, QPoint(x, TextTop + lines.at(i) * regular.height()));
        x += (isBold ? bold : regular).horizontalAdvance(drawn.at(i));
        widest = std::max(widest, x);
    }
    const int lineCount = int(text.count(QLatin1Char('\n'))) + 1;
    QCOMPARE(layout.m_size, QSize(widest + 3, TextTop + lineCount * regular.height() + 3));
}

void TestInfoTip::makeTipText_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("tip");
    QTest::newRow("tab, form feed, return") << "a\tb\fc\rd"
                                            << "a b c d";
    QTest::newRow("line break") << "one\r\ntwo"
                                << "one \ntwo";
    QTest::newRow("leading line feed") << "\nabc"
                                       << " abc";
    QTest::newRow("leading empty line") << "\n\nabc"
                                        << "  abc";
    QTest::newRow("line feed, line feed") << "a\n\nb"
                                          << "a\n b";
    QTest::newRow("line feed, return") << "a\n\rb"
                                       << "a\n b";
    QTest::newRow("line feed, form feed") << "a\n\fb"
                                          << "a\n b";
    QTest::newRow("three line feeds") << "a\n\n\nb"
                                      << "a\n \nb";
    QTest::newRow("empty line between") << "a\r\n\r\nb"
                                        << "a \n \nb";
    QTest::newRow("marks kept") << "A^b^c"
                                << "A^b^c";
    QTest::newRow("255 kept") << QString(255, QLatin1Char('x')) << QString(255, QLatin1Char('x'));
    QTest::newRow("300 cut") << QString(300, QLatin1Char('x'))
                             << QString(255, QLatin1Char('x')) + QStringLiteral("...");
}

void TestInfoTip::makeTipText()
{
    QFETCH(QString, message);
    QFETCH(QString, tip);
    QCOMPARE(CGroupView::MakeTipText(message), tip);
}

void TestInfoTip::showsAfterDelayOnlyOverItem_data()
{
    QTest::addColumn<PointerPlace>("place");
    QTest::addColumn<bool>("shown");
    QTest::newRow("item label") << ItemLabel << true;
    QTest::newRow("item icon") << ItemIcon << true;
    QTest::newRow("group label") << GroupLabel << false;
    QTest::newRow("empty space") << EmptySpace << false;
}

void TestInfoTip::showsAfterDelayOnlyOverItem()
{
    QFETCH(PointerPlace, place);
    QFETCH(bool, shown);
    MovePointer(PointAt(place));
    QVERIFY(!Tip().isVisible());
    QCOMPARE(Timer().interval(), 1000);
    RunOut(Timer());
    QCOMPARE(Tip().isVisible(), shown);
    // With nothing to show the tip stops tracking until the pointer moves again.
    QCOMPARE(Timer().isActive(), shown);
    if (shown)
    {
        const QString tip = CGroupView::MakeTipText(QStringLiteral("Both ^ferns^\r\nand cacti"));
        QCOMPARE(Tip().size(), Tip().LayOutMarkedUpText(tip).m_size + QSize(3, 3));
    }
}

void TestInfoTip::hidesWhenPointerLeavesHotRectangle()
{
    const quint32 other = AddItem(QStringLiteral("Wash car"), QStringLiteral("Soap"));
    MovePointer(PointAt(ItemLabel));
    RunOut(Timer());
    QVERIFY(Tip().isVisible());

    MovePointer(LabelPoint(other));
    RunOut(Timer());
    QVERIFY(!Tip().isVisible());
    QVERIFY(!Timer().isActive());

    // The next item's tip waits a delay of its own.
    MovePointer(LabelPoint(other) + QPoint(1, 0));
    QVERIFY(!Tip().isVisible());
    QCOMPARE(Timer().interval(), 1000);
    RunOut(Timer());
    QVERIFY(Tip().isVisible());
    QCOMPARE(Tip().width(), Tip().LayOutMarkedUpText(QStringLiteral("Soap")).m_size.width() + 3);
}

void TestInfoTip::staysOnScreenNearEdge_data()
{
    QTest::addColumn<bool>("atRight");
    QTest::addColumn<bool>("atBottom");
    QTest::newRow("clear of edges") << false << false;
    QTest::newRow("right edge") << true << false;
    QTest::newRow("bottom edge") << false << true;
    QTest::newRow("corner") << true << true;
}

void TestInfoTip::staysOnScreenNearEdge()
{
    QFETCH(bool, atRight);
    QFETCH(bool, atBottom);
    CGroupView& view = m_fixture->m_view;
    const QRect area = view.screen()->geometry();
    m_dwKey = AddItem(QStringLiteral("Call"), QString(60, QLatin1Char('w')));
    view.move(atRight ? area.right() - view.width() : 0, atBottom ? area.bottom() - 80 : 0);
    MovePointer(PointAt(ItemLabel));
    RunOut(Timer());
    QVERIFY(Tip().isVisible());
    const QPoint pointer = QCursor::pos();
    const QRect tip = Tip().geometry();
    QVERIFY(area.contains(tip));
    if (atRight)
        QCOMPARE(tip.right(), area.right());
    else
        QCOMPARE(tip.left(), pointer.x() + CursorSize);
    if (atBottom)
        QCOMPARE(tip.bottom(), pointer.y() - 1);
    else
        QCOMPARE(tip.top(), pointer.y() + CursorSize);
}

QTEST_MAIN(TestInfoTip)
#include "tst_infotip.moc"
