#include "FakeClock.h"
#include "FindWidget.h"
#include "TestHome.h"
#include "base/LocalTime.h"
#include "shell/VemoMessageBox.h"
#include "views/ItemDlg.h"
#include "views/PriorityCombo.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>

#include <ctime>
#include <limits>

namespace
{
using Message = QPair<QString, IUserPrompts::Icon>;

const QString Caption = QStringLiteral("Vemo - Properties");
const QString NoTitle = QStringLiteral("You must enter a title for this item.");

qint32 Local(const QDate& date, const QTime& timeOfDay)
{
    qint32 time = 0;
    if (!MakeLocalTime(date, timeOfDay, time))
        qFatal("local time out of range");
    return time;
}

const QDate Day(2024, 3, 5);

void Press(CItemDlg& dialog, const char* button)
{
    QTest::mouseClick(&Find<QPushButton>(dialog, button), Qt::LeftButton);
}

void Click(CItemDlg& dialog, const char* box)
{
    QTest::mouseClick(&Find<QCheckBox>(dialog, box), Qt::LeftButton, {}, QPoint(4, 4));
}

// A stored item, as the Properties command hands it over.
CVemoItem StoredItem()
{
    CVemoItem item(Local(Day.addDays(-10), QTime(8, 0)), Local(Day, QTime(14, 30)),
                   CVemoItem::PriorityHigh);
    item.m_dwKey = 5;
    item.m_strTitle = QStringLiteral("Pay rent");
    item.m_strMessage = QStringLiteral("Landlord\r\nBank transfer");
    item.m_bQuickListed = 1;
    item.m_bCompleted = 1;
    item.m_reminder.m_bEnabled = 1;
    item.m_reminder.m_nLeadSeconds = 900;
    return item;
}
} // namespace

class TestItemDlg : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void showsStoredFields();
    void okReturnsEdits();
    void cancelLeavesItemAlone();
    void newItemStartsWithDefaults();
    void midnightMeansNoTimeOfDay_data();
    void midnightMeansNoTimeOfDay();
    void timeOfDayOffStoresMidnightOfChosenDate();
    void timeOfDayOnStoresChosenTime();
    void priorityEntriesMapToValues_data();
    void priorityEntriesMapToValues();
    void priorityWithoutEntrySurvives_data();
    void priorityWithoutEntrySurvives();
    void messageLineBreaksRoundTrip_data();
    void messageLineBreaksRoundTrip();
    void emptyTitleIsRefused();
    void doByMustFitStoredTime_data();
    void doByMustFitStoredTime();
    void reminderOptionsNeedHookAndRemindMe();
    void reminderOptionsEditOnlyTheirFields_data();
    void reminderOptionsEditOnlyTheirFields();

private:
    CTestHome m_home;
    CFakeClock m_clock{0};
    QList<Message> m_messages;
};

void TestItemDlg::initTestCase()
{
    // Central European time with its summer time, so local and UTC differ and DST is in play.
    qputenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3");
    tzset();
    m_clock.Set(Local(Day, QTime(15, 20, 7)));
}

void TestItemDlg::init()
{
    m_messages.clear();
    SetVemoMessageHandler(
        [this](const QString& text, IUserPrompts::Icon icon)
        {
            m_messages.append({text, icon});
            return IUserPrompts::Ok;
        });
}

void TestItemDlg::cleanup()
{
    SetVemoMessageHandler(nullptr);
}

void TestItemDlg::showsStoredFields()
{
    CItemDlg dialog(Caption, StoredItem());
    dialog.show();

    QCOMPARE(dialog.windowTitle(), Caption);
    QCOMPARE(Find<QLineEdit>(dialog, "titleEdit").text(), QStringLiteral("Pay rent"));
    QCOMPARE(Find<QPlainTextEdit>(dialog, "messageEdit").toPlainText(),
             QStringLiteral("Landlord\nBank transfer"));
    QCOMPARE(Find<QDateEdit>(dialog, "doByDate").date(), Day);
    QCOMPARE(Find<QDateEdit>(dialog, "doByDate").text(), QStringLiteral("Tue, Mar 05 2024"));
    QVERIFY(Find<QCheckBox>(dialog, "atCheck").isChecked());
    QVERIFY(Find<QTimeEdit>(dialog, "timeEdit").isEnabled());
    QCOMPARE(Find<QTimeEdit>(dialog, "timeEdit").time(), QTime(14, 30));
    QCOMPARE(Find<CPriorityCombo>(dialog, "priorityCombo").currentText(), QStringLiteral("High"));
    QVERIFY(Find<QCheckBox>(dialog, "quickListedCheck").isChecked());
    QVERIFY(!Find<QCheckBox>(dialog, "hasStickyCheck").isChecked());
    QVERIFY(Find<QCheckBox>(dialog, "remindCheck").isChecked());
}

void TestItemDlg::okReturnsEdits()
{
    const CVemoItem stored = StoredItem();
    CItemDlg dialog(Caption, stored);
    dialog.show();
    QLineEdit& title = Find<QLineEdit>(dialog, "titleEdit");
    title.selectAll();
    QTest::keyClicks(&title, QStringLiteral("Pay the rent"));
    Find<QPlainTextEdit>(dialog, "messageEdit").setPlainText(QStringLiteral("Before Friday"));
    Find<QDateEdit>(dialog, "doByDate").setDate(Day.addDays(3));
    Find<QTimeEdit>(dialog, "timeEdit").setTime(QTime(9, 45, 10));
    Find<CPriorityCombo>(dialog, "priorityCombo").setCurrentIndex(0);
    Click(dialog, "quickListedCheck");
    Click(dialog, "hasStickyCheck");
    Click(dialog, "remindCheck");
    Press(dialog, "okButton");

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    CVemoItem expected = stored;
    expected.m_strTitle = QStringLiteral("Pay the rent");
    expected.m_strMessage = QStringLiteral("Before Friday");
    expected.m_reminder.m_timeDoBy = Local(Day.addDays(3), QTime(9, 45, 10));
    expected.m_nPriority = CVemoItem::PriorityLow;
    expected.m_bQuickListed = 0;
    expected.m_bHasSticky = 1;
    expected.m_reminder.m_bEnabled = 0;
    QCOMPARE(dialog.GetItem(), expected);
}

void TestItemDlg::cancelLeavesItemAlone()
{
    const CVemoItem stored = StoredItem();
    CItemDlg dialog(Caption, stored);
    dialog.show();
    Find<QLineEdit>(dialog, "titleEdit").setText(QStringLiteral("Changed"));
    Find<QDateEdit>(dialog, "doByDate").setDate(Day.addDays(1));
    Click(dialog, "hasStickyCheck");
    Press(dialog, "cancelButton");

    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(dialog.GetItem(), stored);
}

void TestItemDlg::newItemStartsWithDefaults()
{
    CItemDlg dialog(QStringLiteral("Vemo - Add Item"), CVemoItem());
    dialog.show();
    QVERIFY(!Find<QTimeEdit>(dialog, "timeEdit").isEnabled());
    QTest::keyClicks(&Find<QLineEdit>(dialog, "titleEdit"), QStringLiteral("Call Bob"));
    m_clock.Set(m_clock.Now() + 60);
    Press(dialog, "okButton");

    const CVemoItem& item = dialog.GetItem();
    QCOMPARE(item.m_strTitle, QStringLiteral("Call Bob"));
    QCOMPARE(item.m_nPriority, qint32(CVemoItem::PriorityNormal));
    QCOMPARE(item.m_reminder.m_timeDoBy, Local(Day, QTime(0, 0)));
    QCOMPARE(item.m_bHasSticky, 1);
    QCOMPARE(item.m_bQuickListed, 0);
    QCOMPARE(item.m_reminder.m_bEnabled, 0);
    QCOMPARE(item.m_timeCreated, m_clock.Now());
}

void TestItemDlg::midnightMeansNoTimeOfDay_data()
{
    QTest::addColumn<QTime>("stored");
    QTest::addColumn<bool>("timeOfDay");
    QTest::newRow("midnight") << QTime(0, 0) << false;
    QTest::newRow("one second past") << QTime(0, 0, 1) << true;
    QTest::newRow("afternoon") << QTime(14, 30) << true;
}

void TestItemDlg::midnightMeansNoTimeOfDay()
{
    QFETCH(QTime, stored);
    QFETCH(bool, timeOfDay);
    CVemoItem item = StoredItem();
    item.m_reminder.m_timeDoBy = Local(Day, stored);
    CItemDlg dialog(Caption, item);
    dialog.show();

    QCOMPARE(Find<QCheckBox>(dialog, "atCheck").isChecked(), timeOfDay);
    QCOMPARE(Find<QTimeEdit>(dialog, "timeEdit").isEnabled(), timeOfDay);
    QCOMPARE(Find<QTimeEdit>(dialog, "timeEdit").time(), stored);
    Press(dialog, "okButton");
    QCOMPARE(dialog.GetItem(), item);
}

void TestItemDlg::timeOfDayOffStoresMidnightOfChosenDate()
{
    CItemDlg dialog(Caption, StoredItem());
    dialog.show();
    // Into summer time, so midnight is not a whole number of days from the stored time.
    const QDate summerDay(2024, 7, 1);
    Find<QDateEdit>(dialog, "doByDate").setDate(summerDay);
    Click(dialog, "atCheck");

    QVERIFY(!Find<QTimeEdit>(dialog, "timeEdit").isEnabled());
    QCOMPARE(Find<QTimeEdit>(dialog, "timeEdit").time(), QTime(0, 0));
    Press(dialog, "okButton");
    QCOMPARE(dialog.GetItem().m_reminder.m_timeDoBy, Local(summerDay, QTime(0, 0)));
    QVERIFY(IsLocalMidnight(dialog.GetItem().m_reminder.m_timeDoBy));
}

void TestItemDlg::timeOfDayOnStoresChosenTime()
{
    CVemoItem item = StoredItem();
    item.m_reminder.m_timeDoBy = Local(Day, QTime(0, 0));
    CItemDlg dialog(Caption, item);
    dialog.show();
    Click(dialog, "atCheck");
    QVERIFY(Find<QTimeEdit>(dialog, "timeEdit").isEnabled());
    Find<QTimeEdit>(dialog, "timeEdit").setTime(QTime(0, 0, 1));
    Press(dialog, "okButton");

    QCOMPARE(dialog.GetItem().m_reminder.m_timeDoBy, Local(Day, QTime(0, 0, 1)));
}

void TestItemDlg::priorityEntriesMapToValues_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint32>("priority");
    QTest::newRow("low") << 0 << QStringLiteral("Low") << qint32(CVemoItem::PriorityLow);
    QTest::newRow("normal") << 1 << QStringLiteral("Normal") << qint32(CVemoItem::PriorityNormal);
    QTest::newRow("high") << 2 << QStringLiteral("High") << qint32(CVemoItem::PriorityHigh);
}

void TestItemDlg::priorityEntriesMapToValues()
{
    QFETCH(int, entry);
    QFETCH(QString, text);
    QFETCH(qint32, priority);
    CVemoItem item = StoredItem();
    item.m_nPriority = CVemoItem::PriorityNone;
    CItemDlg dialog(Caption, item);
    dialog.show();
    auto& combo = Find<CPriorityCombo>(dialog, "priorityCombo");
    QCOMPARE(combo.currentIndex(), -1);
    QCOMPARE(combo.itemText(entry), text);
    QVERIFY(!combo.itemIcon(entry).isNull());
    combo.setCurrentIndex(entry);
    Press(dialog, "okButton");

    QCOMPARE(dialog.GetItem().m_nPriority, priority);
}

void TestItemDlg::priorityWithoutEntrySurvives_data()
{
    QTest::addColumn<qint32>("priority");
    QTest::newRow("none") << qint32(CVemoItem::PriorityNone);
    QTest::newRow("unknown") << qint32(7);
    QTest::newRow("negative") << qint32(-1);
}

void TestItemDlg::priorityWithoutEntrySurvives()
{
    QFETCH(qint32, priority);
    CVemoItem item = StoredItem();
    item.m_nPriority = priority;
    CItemDlg dialog(Caption, item);
    dialog.show();
    QCOMPARE(Find<CPriorityCombo>(dialog, "priorityCombo").currentIndex(), -1);
    Press(dialog, "okButton");

    QCOMPARE(dialog.GetItem().m_nPriority, priority);
}

void TestItemDlg::messageLineBreaksRoundTrip_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("one line") << QStringLiteral("Milk") << QStringLiteral("Milk");
    QTest::newRow("two lines") << QStringLiteral("Milk\r\nEggs") << QStringLiteral("Milk\nEggs");
    QTest::newRow("blank lines") << QStringLiteral("\r\nMilk\r\n\r\n")
                                 << QStringLiteral("\nMilk\n\n");
}

void TestItemDlg::messageLineBreaksRoundTrip()
{
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    CVemoItem item = StoredItem();
    item.m_strMessage = stored;
    CItemDlg dialog(Caption, item);
    dialog.show();
    auto& edit = Find<QPlainTextEdit>(dialog, "messageEdit");
    QCOMPARE(edit.toPlainText(), shown);
    edit.moveCursor(QTextCursor::End);
    QTest::keyClick(&edit, Qt::Key_Return);
    QTest::keyClicks(&edit, QStringLiteral("Bread"));
    Press(dialog, "okButton");

    QCOMPARE(dialog.GetItem().m_strMessage, stored + QStringLiteral("\r\nBread"));
}

void TestItemDlg::emptyTitleIsRefused()
{
    const CVemoItem stored = StoredItem();
    CItemDlg dialog(Caption, stored);
    dialog.show();
    Find<QLineEdit>(dialog, "titleEdit").clear();
    Click(dialog, "hasStickyCheck");
    Press(dialog, "okButton");

    QCOMPARE(m_messages, QList<Message>({{NoTitle, IUserPrompts::NoIcon}}));
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.GetItem(), stored);
}

void TestItemDlg::doByMustFitStoredTime_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QTime>("timeOfDay");
    QTest::addColumn<bool>("fits");
    // The zone is an hour ahead of UTC in winter.
    QTest::newRow("last second") << QDate(2038, 1, 19) << QTime(4, 14, 7) << true;
    QTest::newRow("past the last second") << QDate(2038, 1, 19) << QTime(4, 14, 8) << false;
    QTest::newRow("first second") << QDate(1901, 12, 13) << QTime(21, 45, 52) << true;
    QTest::newRow("before the first second") << QDate(1901, 12, 13) << QTime(21, 45, 51) << false;
}

void TestItemDlg::doByMustFitStoredTime()
{
    QFETCH(QDate, date);
    QFETCH(QTime, timeOfDay);
    QFETCH(bool, fits);
    const CVemoItem stored = StoredItem();
    CItemDlg dialog(Caption, stored);
    dialog.show();
    Find<QDateEdit>(dialog, "doByDate").setDate(date);
    Find<QTimeEdit>(dialog, "timeEdit").setTime(timeOfDay);
    Press(dialog, "okButton");

    QCOMPARE(dialog.isVisible(), !fits);
    QCOMPARE(m_messages.size(), fits ? 0 : 1);
    if (fits)
    {
        QCOMPARE(dialog.GetItem().m_reminder.m_timeDoBy, timeOfDay.hour() == 4
                                                             ? std::numeric_limits<qint32>::max()
                                                             : std::numeric_limits<qint32>::min());
        return;
    }
    QCOMPARE(m_messages.first().second, IUserPrompts::Exclamation);
    QCOMPARE(dialog.GetItem(), stored);
}

void TestItemDlg::reminderOptionsNeedHookAndRemindMe()
{
    CItemDlg dialog(Caption, StoredItem());
    dialog.show();
    auto& button = Find<QPushButton>(dialog, "reminderOptionsButton");
    QCOMPARE(button.text(), QStringLiteral("R&eminder Options..."));
    QVERIFY(!button.isEnabled());

    CItemDlg hooked(Caption, StoredItem());
    hooked.m_editReminderOptions = [](CReminderSpec&)
    {
        return true;
    };
    hooked.show();
    auto& hookedButton = Find<QPushButton>(hooked, "reminderOptionsButton");
    QVERIFY(hookedButton.isEnabled());
    Click(hooked, "remindCheck");
    QVERIFY(!hookedButton.isEnabled());
}

void TestItemDlg::reminderOptionsEditOnlyTheirFields_data()
{
    QTest::addColumn<bool>("accepted");
    QTest::newRow("accepted") << true;
    QTest::newRow("cancelled") << false;
}

void TestItemDlg::reminderOptionsEditOnlyTheirFields()
{
    QFETCH(bool, accepted);
    const CVemoItem stored = StoredItem();
    CItemDlg dialog(Caption, stored);
    int calls = 0;
    dialog.m_editReminderOptions = [&](CReminderSpec& options)
    {
        ++calls;
        options = CReminderSpec{0, 1, 1, 0, 12345, 3600, CReminderSpec::RepeatWeek};
        return accepted;
    };
    dialog.show();
    Press(dialog, "reminderOptionsButton");
    QCOMPARE(calls, 1);
    // Options chosen are kept even when the reminder is then switched off.
    Click(dialog, "remindCheck");
    Press(dialog, "okButton");

    CVemoItem expected = stored;
    expected.m_reminder.m_bEnabled = 0;
    if (accepted)
    {
        expected.m_reminder.m_bMessageBox = 0;
        expected.m_reminder.m_bSound = 1;
        expected.m_reminder.m_bMail = 1;
        expected.m_reminder.m_nLeadSeconds = 3600;
        expected.m_reminder.m_nRepeat = CReminderSpec::RepeatWeek;
    }
    QCOMPARE(dialog.GetItem(), expected);
}

QTEST_MAIN(TestItemDlg)
#include "tst_itemdlg.moc"
