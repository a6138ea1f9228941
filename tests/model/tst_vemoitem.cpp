#include "FakeClock.h"
#include "ItemRecord.h"
#include "TestHome.h"
#include "base/Archive.h"
#include "base/DefaultFont.h"
#include "base/LocalTime.h"
#include "base/Settings.h"
#include "model/VemoItem.h"

#include <QTest>

#include <cstdlib>
#include <ctime>

namespace
{
constexpr qint32 Y2K = 946684800;

// Key 1, created 2000-01-01, high priority, title "A", a sticky at (0,0)-(200,200) in the
// default colours, Arial -11 weight 400, and a weekly reminder 15 minutes ahead.
const QByteArray ItemRecord = CItemRecord{.priority = 3,
                                          .title = "A",
                                          .hasSticky = 1,
                                          .stickyRight = 200,
                                          .stickyBottom = 200,
                                          .leadSeconds = 900,
                                          .enabled = 1,
                                          .repeat = 2}
                                  .Bytes();

CVemoItem FixtureItem()
{
    CVemoItem item(Qt::Uninitialized);
    item.m_dwKey = 1;
    item.m_timeCreated = Y2K;
    item.m_nPriority = CVemoItem::PriorityHigh;
    item.m_strTitle = QStringLiteral("A");
    item.m_bHasSticky = 1;
    item.m_rectSticky = {0, 0, 200, 200};
    item.m_crStickyBack = CVemoItem::DefaultStickyBack;
    item.m_lfStickyFont.lfHeight = -11;
    item.m_lfStickyFont.lfWeight = 400;
    item.m_lfStickyFont.SetFaceName(QStringLiteral("Arial"));
    item.m_reminder.m_timeDoBy = Y2K;
    item.m_reminder.m_nLeadSeconds = CReminderSpec::LeadSecondsFromMinutes(15);
    item.m_reminder.m_bEnabled = 1;
    item.m_reminder.m_nRepeat = CReminderSpec::RepeatWeek;
    return item;
}

QByteArray Store(CVemoItem item)
{
    CArchive ar;
    item.Serialize(ar);
    return ar.Bytes();
}

void SetTimeZone(const char* zone)
{
    qputenv("TZ", zone);
    tzset();
}
} // namespace

class TestVemoItem : public QObject
{
    Q_OBJECT

private slots:
    void freshItemHasDefaults();
    void freshItemTakesStickyLookFromPreferences();
    void recordLayout();
    void recordRoundTripsEveryField();
    void longFaceNameIsCutTo31();
    void priorityText_data();
    void priorityText();
    void leadMinutesAreStoredAsSeconds_data();
    void leadMinutesAreStoredAsSeconds();
    void doByAtLocalMidnightHasNoTimeOfDay_data();
    void doByAtLocalMidnightHasNoTimeOfDay();

private:
    CTestHome m_home;
};

void TestVemoItem::freshItemHasDefaults()
{
    CFakeClock clock(Y2K + 77);
    const CVemoItem item;
    QCOMPARE(item.GetPriorityText(), QStringLiteral("None"));
    QVERIFY(item.GetTitle().isEmpty());
    QVERIFY(item.GetMessage().isEmpty());
    QCOMPARE(item.m_bHasSticky, 0);
    QCOMPARE(item.m_bQuickListed, 0);
    QCOMPARE(item.m_bCompleted, 0);
    QCOMPARE(item.m_rectSticky, CRect32());
    QCOMPARE(item.m_crStickyBack, 0x0080FFFFu);
    QCOMPARE(item.m_crStickyText, 0x00000000u);
    CLogFont defaultFont;
    QVERIFY(GetDefaultFont(defaultFont));
    QCOMPARE(item.m_lfStickyFont, defaultFont);

    CReminderSpec reminder;
    reminder.m_timeDoBy = Y2K + 77;
    QCOMPARE(item.m_reminder, reminder);
    QCOMPARE(reminder.m_bMessageBox, 1);
    QCOMPARE(reminder.m_bEnabled, 0);
}

void TestVemoItem::freshItemTakesStickyLookFromPreferences()
{
    CLogFont font;
    font.lfHeight = -20;
    font.lfWeight = 700;
    font.SetFaceName(QStringLiteral("Courier New"));
    GetSettings().SetStickyColors(0x00123456, 0x00FF0000);
    GetSettings().SetStickyFont(font);

    const CVemoItem item(Y2K, Y2K + 3600, CVemoItem::PriorityLow);
    QCOMPARE(item.m_crStickyBack, 0x00123456u);
    QCOMPARE(item.m_crStickyText, 0x00FF0000u);
    QCOMPARE(item.m_lfStickyFont, font);
    QCOMPARE(item.m_timeCreated, Y2K);
    QCOMPARE(item.m_reminder.m_timeDoBy, Y2K + 3600);
    QCOMPARE(item.m_nPriority, qint32(CVemoItem::PriorityLow));
}

void TestVemoItem::recordLayout()
{
    QCOMPARE(ItemRecord.size(), 113);
    QCOMPARE(Store(FixtureItem()), ItemRecord);

    CArchive ar(ItemRecord);
    CVemoItem loaded(Qt::Uninitialized);
    loaded.Serialize(ar);
    QVERIFY(ar.IsOk());
    QCOMPARE(loaded, FixtureItem());
}

void TestVemoItem::recordRoundTripsEveryField()
{
    CVemoItem item = FixtureItem();
    item.m_dwKey = 0xFFFFFFFF;
    item.m_timeCreated = -1;
    item.m_nPriority = 9;
    item.m_strTitle = QStringLiteral("Caf\u00E9 \u20AC5 \u4E2D");
    item.m_strMessage = QStringLiteral("line one\r\nline two");
    item.m_bQuickListed = 1;
    item.m_bCompleted = 1;
    item.m_rectSticky = {-5, -6, 7, 8};
    item.m_crStickyText = 0x00FFFFFF;
    item.m_lfStickyFont = {-1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, QStringLiteral("X")};
    item.m_reminder = {0, 1, 1, 0, -100, 600, CReminderSpec::RepeatYear};

    CArchive ar(Store(item));
    CVemoItem loaded(Qt::Uninitialized);
    loaded.Serialize(ar);
    QVERIFY(ar.IsOk());
    QCOMPARE(loaded, item);
}

void TestVemoItem::longFaceNameIsCutTo31()
{
    CVemoItem item = FixtureItem();
    item.m_lfStickyFont.lfFaceName = QString(40, QLatin1Char('F'));
    CArchive ar(Store(item));
    CVemoItem loaded(Qt::Uninitialized);
    loaded.Serialize(ar);
    QVERIFY(ar.IsOk());
    QCOMPARE(loaded.m_lfStickyFont.lfFaceName, QString(31, QLatin1Char('F')));
    QCOMPARE(loaded.m_lfStickyFont.ToRecord().size(), 60);
}

void TestVemoItem::priorityText_data()
{
    QTest::addColumn<int>("priority");
    QTest::addColumn<QString>("text");
    QTest::newRow("none") << 0 << "None";
    QTest::newRow("low") << 1 << "Low";
    QTest::newRow("normal") << 2 << "Normal";
    QTest::newRow("high") << 3 << "High";
    QTest::newRow("above") << 4 << "Unknown";
    QTest::newRow("negative") << -1 << "Unknown";
}

void TestVemoItem::priorityText()
{
    QFETCH(int, priority);
    QFETCH(QString, text);
    QCOMPARE(CVemoItem::PriorityText(priority), text);
}

void TestVemoItem::leadMinutesAreStoredAsSeconds_data()
{
    QTest::addColumn<qint64>("minutes");
    QTest::addColumn<qint32>("seconds");
    QTest::newRow("15 minutes") << qint64(15) << 900;
    QTest::newRow("none") << qint64(0) << 0;
    QTest::newRow("largest that fits") << qint64(35791394) << 2147483640;
    QTest::newRow("too many clamps") << qint64(35791395) << 2147483640;
    QTest::newRow("negative starts after the Do By time") << qint64(-10) << -600;
    QTest::newRow("too many before clamps") << qint64(-35791395) << -2147483640;
}

void TestVemoItem::leadMinutesAreStoredAsSeconds()
{
    QFETCH(qint64, minutes);
    QFETCH(qint32, seconds);
    QCOMPARE(CReminderSpec::LeadSecondsFromMinutes(minutes), seconds);
}

void TestVemoItem::doByAtLocalMidnightHasNoTimeOfDay_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<qint32>("time");
    QTest::addColumn<bool>("midnight");
    QTest::newRow("UTC midnight") << QByteArray("UTC0") << Y2K << true;
    QTest::newRow("one second past") << QByteArray("UTC0") << Y2K + 1 << false;
    QTest::newRow("UTC midnight is 01:00 in CET") << QByteArray("CET-1") << Y2K << false;
    QTest::newRow("CET midnight") << QByteArray("CET-1") << Y2K - 3600 << true;
}

void TestVemoItem::doByAtLocalMidnightHasNoTimeOfDay()
{
    QFETCH(QByteArray, zone);
    QFETCH(qint32, time);
    QFETCH(bool, midnight);
    SetTimeZone(zone.constData());
    QCOMPARE(IsLocalMidnight(time), midnight);
}

QTEST_APPLESS_MAIN(TestVemoItem)
#include "tst_vemoitem.moc"
