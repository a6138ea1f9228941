#include "FakeClock.h"
#include "base/LocalTime.h"
#include "reminders/ReminderAnnouncer.h"
#include "reminders/ReminderManager.h"
#include "reminders/ReminderOwner.h"

#include <QDate>
#include <QStringList>
#include <QTest>

#include <ctime>
#include <functional>
#include <limits>
#include <utility>

namespace
{
constexpr qint32 Minute = 60;
constexpr qint32 Day = 86400;
const QByteArray Cet = "CET-1CEST,M3.5.0,M10.5.0/3";

qint32 Utc(int year, int month, int day, int hour = 0, int minute = 0)
{
    const qint64 days = QDate(year, month, day).toJulianDay() - QDate(1970, 1, 1).toJulianDay();
    return qint32(days * Day + hour * 3600 + minute * Minute);
}

// Every test starts at noon on a summer day.
const qint32 Noon = Utc(2026, 6, 15, 12);

void SetTimeZone(const QByteArray& zone)
{
    qputenv("TZ", zone);
    tzset();
}

CReminderSpec Reminder(qint32 doBy, qint32 repeat = CReminderSpec::RepeatNone, qint32 lead = 0)
{
    CReminderSpec spec;
    spec.m_bEnabled = 1;
    spec.m_timeDoBy = doBy;
    spec.m_nLeadSeconds = lead;
    spec.m_nRepeat = repeat;
    return spec;
}

// Plays the document: it turns the item's reminder off or moves it on, and keeps the manager's
// entry in step from inside the call, as the real document does.
class CFakeOwner : public IReminderOwner
{
public:
    explicit CFakeOwner(CReminderManager& manager)
        : m_manager(manager)
    {
    }

    bool ReminderFinished(const QString& group, quint32 key) override
    {
        m_calls << QStringLiteral("finished %1/%2").arg(group).arg(key);
        return m_manager.RemoveReminder(group, key);
    }

    bool ReminderAdvanced(const QString& group, quint32 key, qint32 newDoBy) override
    {
        m_calls << QStringLiteral("advanced %1/%2 %3").arg(group).arg(key).arg(newDoBy);
        CReminderSpec spec;
        if (!m_manager.GetReminder(group, key, spec))
            return false;
        spec.m_timeDoBy = newDoBy;
        return m_manager.UpdateReminder(group, key, spec);
    }

    QStringList m_calls;

private:
    CReminderManager& m_manager;
};

// Records announcements; the alert can run a scripted action, as a modal loop runs ticks.
class CFakeAnnouncer : public IReminderAnnouncer
{
public:
    void PlayReminderSound() override { m_calls << QStringLiteral("sound"); }

    void MailReminder(const QString& group, quint32 key) override
    {
        m_calls << QStringLiteral("mail %1/%2").arg(group).arg(key);
    }

    void ShowReminderAlert(const QString& group, quint32 key,
                           const CReminderSpec& firedSpec) override
    {
        m_calls << QStringLiteral("alert %1/%2 %3").arg(group).arg(key).arg(firedSpec.m_timeDoBy);
        if (m_duringAlert)
            std::exchange(m_duringAlert, nullptr)();
    }

    QStringList m_calls;
    std::function<void()> m_duringAlert;
};

QString Alert(const QString& group, quint32 key, qint32 doBy)
{
    return QStringLiteral("alert %1/%2 %3").arg(group).arg(key).arg(doBy);
}

enum DuringAlert
{
    ClockMovesOn,
    DoByMovesEarlier,
    EntryRemoved,
    EntryAdded,
    EntryAddedAgain,
};
} // namespace

class TestReminderManager : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void dueTestSubtractsLead_data();
    void dueTestSubtractsLead();
    void duplicateKeyIgnoringCaseIsRefused();
    void overdueDailyCatchesUpOnePerTick();
    void repeatStepsLocalCalendar_data();
    void repeatStepsLocalCalendar();
    void repeatPast2038Finishes_data();
    void repeatPast2038Finishes();
    void announcementsFollowFlagsInFixedOrder_data();
    void announcementsFollowFlagsInFixedOrder();
    void adjacentDueEntriesFireInOnePass();
    void nestedPassFiresEachEntryOncePerPass();
    void timerRunsOnlyWhileEntriesExist();
    void uncreatedManagerKeepsEntriesWithoutFiring();
    void renameGroupRekeysEntries();
    void updatedDoByMovesTheDueTime_data();
    void updatedDoByMovesTheDueTime();
    void manyDueAtOnceFireInInsertionOrder();
    void changesWhileAlertIsOpen_data();
    void changesWhileAlertIsOpen();
    void renamedGroupKeepsItsDueTimes();
    void emptiedOrRenamedGroupTakesNewEntries();

private:
    CFakeClock m_clock{Noon};
    CReminderManager m_manager;
    CFakeOwner m_owner{m_manager};
    CFakeAnnouncer m_announcer;
};

void TestReminderManager::init()
{
    SetTimeZone("UTC0");
    m_clock.Set(Noon);
    m_manager.Create(&m_owner, &m_announcer);
}

void TestReminderManager::cleanup()
{
    m_manager.RemoveAll();
    m_owner.m_calls.clear();
    m_announcer.m_calls.clear();
    m_announcer.m_duringAlert = nullptr;
}

void TestReminderManager::dueTestSubtractsLead_data()
{
    QTest::addColumn<qint32>("ahead");
    QTest::addColumn<qint32>("lead");
    QTest::addColumn<bool>("fires");
    QTest::newRow("10 minutes ahead, 15 lead") << 10 * Minute << 15 * Minute << true;
    QTest::newRow("lead reached exactly") << 15 * Minute << 15 * Minute << true;
    QTest::newRow("one second before lead") << 15 * Minute + 1 << 15 * Minute << false;
    QTest::newRow("long overdue") << -400 * Day << 0 << true;
    QTest::newRow("lead beyond 32-bit start")
        << std::numeric_limits<qint32>::max() - Noon << std::numeric_limits<qint32>::min() << false;
}

void TestReminderManager::dueTestSubtractsLead()
{
    QFETCH(qint32, ahead);
    QFETCH(qint32, lead);
    QFETCH(bool, fires);
    const qint32 doBy = m_clock.Now() + ahead;
    QVERIFY(m_manager.AddReminder(QStringLiteral("Work"), 1, Reminder(doBy, 0, lead)));
    QCOMPARE(m_announcer.m_calls.contains(Alert(QStringLiteral("Work"), 1, doBy)), fires);
    QCOMPARE(m_manager.GetCount(), fires ? 0 : 1);
}

void TestReminderManager::duplicateKeyIgnoringCaseIsRefused()
{
    const CReminderSpec first = Reminder(m_clock.Now() + Day);
    QVERIFY(m_manager.AddReminder(QStringLiteral("Work"), 1, first));
    QVERIFY(!m_manager.AddReminder(QStringLiteral("WORK"), 1, Reminder(m_clock.Now() + 2 * Day)));
    QVERIFY(m_manager.AddReminder(QStringLiteral("Work"), 2, first));
    QVERIFY(m_manager.AddReminder(QStringLiteral("Home"), 1, first));

    CReminderSpec stored;
    QVERIFY(m_manager.GetReminder(QStringLiteral("wORK"), 1, stored));
    QCOMPARE(stored, first);
    QCOMPARE(m_manager.FindReminder(QStringLiteral("home"), 1), 2);
    QCOMPARE(m_manager.FindReminder(QStringLiteral("Home"), 2), -1);
    // Only ASCII letters fold.
    QVERIFY(m_manager.AddReminder(QStringLiteral("\u00e9t\u00e9"), 1, first));
    QVERIFY(m_manager.AddReminder(QStringLiteral("\u00c9T\u00c9"), 1, first));
}

void TestReminderManager::overdueDailyCatchesUpOnePerTick()
{
    const qint32 now = m_clock.Now();
    QVERIFY(m_manager.AddReminder(QStringLiteral("Work"), 1,
                                  Reminder(now - 3 * Day, CReminderSpec::RepeatDay)));
    QCOMPARE(m_announcer.m_calls, QStringList{Alert(QStringLiteral("Work"), 1, now - 3 * Day)});

    for (qint32 tick = 1; tick <= 4; ++tick)
    {
        m_clock.Set(now + tick * Minute);
        m_manager.OnTick();
    }
    const QStringList expected = {
        Alert(QStringLiteral("Work"), 1, now - 3 * Day),
        Alert(QStringLiteral("Work"), 1, now - 2 * Day),
        Alert(QStringLiteral("Work"), 1, now - Day),
        Alert(QStringLiteral("Work"), 1, now),
    };
    QCOMPARE(m_announcer.m_calls, expected);
    CReminderSpec stored;
    QVERIFY(m_manager.GetReminder(QStringLiteral("Work"), 1, stored));
    QCOMPARE(stored.m_timeDoBy, now + Day);
}

void TestReminderManager::repeatStepsLocalCalendar_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<qint32>("repeat");
    QTest::addColumn<qint32>("doBy");
    QTest::addColumn<qint32>("next");
    // In CET 09:00 is 08:00 UTC in winter and 07:00 UTC in summer.
    QTest::newRow("day keeps 09:00 into summer time")
        << Cet << qint32(CReminderSpec::RepeatDay) << Utc(2026, 3, 28, 8) << Utc(2026, 3, 29, 7);
    QTest::newRow("day keeps 09:00 into winter time")
        << Cet << qint32(CReminderSpec::RepeatDay) << Utc(2026, 10, 24, 7) << Utc(2026, 10, 25, 8);
    QTest::newRow("week keeps 09:00 into summer time")
        << Cet << qint32(CReminderSpec::RepeatWeek) << Utc(2026, 3, 25, 8) << Utc(2026, 4, 1, 7);
    QTest::newRow("month keeps 09:00 into summer time")
        << Cet << qint32(CReminderSpec::RepeatMonth) << Utc(2026, 3, 15, 8) << Utc(2026, 4, 15, 7);
    QTest::newRow("month from 31 January")
        << Cet << qint32(CReminderSpec::RepeatMonth) << Utc(2026, 1, 31, 8) << Utc(2026, 3, 3, 8);
    QTest::newRow("month from 31 January, leap year")
        << Cet << qint32(CReminderSpec::RepeatMonth) << Utc(2028, 1, 31, 8) << Utc(2028, 3, 2, 8);
    QTest::newRow("month from December")
        << Cet << qint32(CReminderSpec::RepeatMonth) << Utc(2026, 12, 15, 8) << Utc(2027, 1, 15, 8);
    QTest::newRow("year from 29 February")
        << QByteArray("UTC0") << qint32(CReminderSpec::RepeatYear) << Utc(2000, 2, 29, 9)
        << Utc(2001, 3, 1, 9);
    QTest::newRow("unknown repeat keeps the time")
        << Cet << qint32(7) << Utc(2026, 3, 28, 8) << Utc(2026, 3, 28, 8);
}

void TestReminderManager::repeatStepsLocalCalendar()
{
    QFETCH(QByteArray, zone);
    QFETCH(qint32, repeat);
    QFETCH(qint32, doBy);
    QFETCH(qint32, next);
    SetTimeZone(zone);
    m_clock.Set(doBy);
    QVERIFY(m_manager.AddReminder(QStringLiteral("Work"), 1, Reminder(doBy, repeat)));
    QCOMPARE(m_owner.m_calls, QStringList{QStringLiteral("advanced Work/1 %1").arg(next)});
    CReminderSpec stored;
    QVERIFY(m_manager.GetReminder(QStringLiteral("Work"), 1, stored));
    QCOMPARE(stored.m_timeDoBy, next);
}

void TestReminderManager::repeatPast2038Finishes_data()
{
    QTest::addColumn<qint32>("repeat");
    QTest::addColumn<qint32>("doBy");
    QTest::newRow("year") << qint32(CReminderSpec::RepeatYear) << Utc(2037, 6, 1, 9);
    QTest::newRow("day, one second too far")
        << qint32(CReminderSpec::RepeatDay) << std::numeric_limits<qint32>::max() - Day + 1;
}

// The last storable second is 2038-01-19 03:14:07 UTC; a step beyond it must not wrap to 1901.
void TestReminderManager::repeatPast2038Finishes()
{
    QFETCH(qint32, repeat);
    QFETCH(qint32, doBy);
    m_clock.Set(doBy);
    QVERIFY(m_manager.AddReminder(QStringLiteral("Work"), 1, Reminder(doBy, repeat)));
    QCOMPARE(m_owner.m_calls, QStringList{QStringLiteral("finished Work/1")});
    QCOMPARE(m_announcer.m_calls, QStringList{Alert(QStringLiteral("Work"), 1, doBy)});
    QCOMPARE(m_manager.GetCount(), 0);
}

void TestReminderManager::announcementsFollowFlagsInFixedOrder_data()
{
    QTest::addColumn<bool>("sound");
    QTest::addColumn<bool>("mail");
    QTest::addColumn<bool>("alert");
    QTest::addColumn<QStringList>("announced");
    const QString alert = Alert(QStringLiteral("Work"), 1, Noon);
    QTest::newRow("all") << true << true << true
                         << QStringList{QStringLiteral("sound"), QStringLiteral("mail Work/1"),
                                        alert};
    QTest::newRow("sound and alert")
        << true << false << true << QStringList{QStringLiteral("sound"), alert};
    QTest::newRow("mail only") << false << true << false
                               << QStringList{QStringLiteral("mail Work/1")};
    QTest::newRow("none") << false << false << false << QStringList{};
}

void TestReminderManager::announcementsFollowFlagsInFixedOrder()
{
    QFETCH(bool, sound);
    QFETCH(bool, mail);
    QFETCH(bool, alert);
    QFETCH(QStringList, announced);
    const qint32 doBy = Noon;
    CReminderSpec spec = Reminder(doBy, CReminderSpec::RepeatWeek);
    spec.m_bSound = sound;
    spec.m_bMail = mail;
    spec.m_bMessageBox = alert;
    QVERIFY(m_manager.AddReminder(QStringLiteral("Work"), 1, spec));
    QCOMPARE(m_announcer.m_calls, announced);
    QCOMPARE(m_owner.m_calls,
             QStringList{QStringLiteral("advanced Work/1 %1").arg(doBy + 7 * Day)});
}

void TestReminderManager::adjacentDueEntriesFireInOnePass()
{
    const qint32 now = m_clock.Now();
    QVERIFY(m_manager.AddReminder(QStringLiteral("Work"), 1, Reminder(now + 2 * Day)));
    QVERIFY(m_manager.AddReminder(QStringLiteral("Work"), 2, Reminder(now + Day)));
    QVERIFY(m_manager.AddReminder(QStringLiteral("Work"), 3, Reminder(now + Day)));
    QVERIFY(m_manager.AddReminder(QStringLiteral("Work"), 4, Reminder(now + 2 * Day)));

    m_clock.Set(now + Day);
    m_manager.OnTick();
    const QStringList expected = {Alert(QStringLiteral("Work"), 2, now + Day),
                                  Alert(QStringLiteral("Work"), 3, now + Day)};
    QCOMPARE(m_announcer.m_calls, expected);
    QCOMPARE(m_manager.GetCount(), 2);
    QCOMPARE(m_manager.FindReminder(QStringLiteral("Work"), 4), 1);
}

// A tick that arrives while the first alert is open runs a whole pass inside it. Each pass may
// fire an entry once; the outer pass then neither repeats what the inner one fired nor misses
// anything after the removed entry.
void TestReminderManager::nestedPassFiresEachEntryOncePerPass()
{
    const qint32 now = m_clock.Now();
    QVERIFY(m_manager.AddReminder(QStringLiteral("Work"), 1,
                                  Reminder(now + Day, CReminderSpec::RepeatDay)));
    QVERIFY(m_manager.AddReminder(QStringLiteral("Work"), 2, Reminder(now + Day)));
    QVERIFY(m_manager.AddReminder(QStringLiteral("Work"), 3,
                                  Reminder(now + Day, CReminderSpec::RepeatDay)));
    QVERIFY(m_manager.AddReminder(QStringLiteral("Work"), 4, Reminder(now + 4 * Day)));

    m_clock.Set(now + 3 * Day);
    m_announcer.m_duringAlert = [this]
    {
        m_clock.Set(m_clock.Now() + Minute);
        m_manager.OnTick();
    };
    m_manager.OnTick();

    const QStringList expected = {
        Alert(QStringLiteral("Work"), 1, now + Day),     // outer pass, alert stays open
        Alert(QStringLiteral("Work"), 1, now + 2 * Day), // inner pass: next occurrence
        Alert(QStringLiteral("Work"), 2, now + Day),
        Alert(QStringLiteral("Work"), 3, now + Day),
    };
    QCOMPARE(m_announcer.m_calls, expected);
    CReminderSpec stored;
    QVERIFY(m_manager.GetReminder(QStringLiteral("Work"), 3, stored));
    QCOMPARE(stored.m_timeDoBy, now + 2 * Day);

    m_manager.OnTick();
    QCOMPARE(m_announcer.m_calls.mid(expected.size()),
             (QStringList{Alert(QStringLiteral("Work"), 1, now + 3 * Day),
                          Alert(QStringLiteral("Work"), 3, now + 2 * Day)}));
}

void TestReminderManager::timerRunsOnlyWhileEntriesExist()
{
    const qint32 now = m_clock.Now();
    QVERIFY(!m_manager.IsRunning());
    QVERIFY(m_manager.AddReminder(QStringLiteral("Work"), 1, Reminder(now + Day)));
    QVERIFY(m_manager.IsRunning());
    QVERIFY(m_manager.AddReminder(QStringLiteral("Work"), 2, Reminder(now + Day)));
    QVERIFY(m_manager.RemoveReminder(QStringLiteral("Work"), 1));
    QVERIFY(m_manager.IsRunning());
    QVERIFY(!m_manager.RemoveReminder(QStringLiteral("Work"), 1));
    QVERIFY(m_manager.RemoveReminder(QStringLiteral("Work"), 2));
    QVERIFY(!m_manager.IsRunning());

    QVERIFY(m_manager.AddReminder(QStringLiteral("Work"), 3, Reminder(now + Day)));
    QVERIFY(m_manager.IsRunning());
    m_manager.RemoveAll();
    QVERIFY(!m_manager.IsRunning());
    QCOMPARE(m_manager.GetCount(), 0);

    // A due one-time reminder is gone again before the add returns.
    QVERIFY(m_manager.AddReminder(QStringLiteral("Work"), 4, Reminder(now)));
    QVERIFY(!m_manager.IsRunning());
}

void TestReminderManager::uncreatedManagerKeepsEntriesWithoutFiring()
{
    CReminderManager manager;
    QVERIFY(manager.AddReminder(QStringLiteral("Work"), 1, Reminder(m_clock.Now() - Day)));
    QCOMPARE(manager.GetCount(), 1);
    QVERIFY(!manager.IsRunning());
}

void TestReminderManager::renameGroupRekeysEntries()
{
    const qint32 now = m_clock.Now();
    QVERIFY(m_manager.AddReminder(QStringLiteral("Work"), 1, Reminder(now + Day)));
    QVERIFY(m_manager.AddReminder(QStringLiteral("Home"), 1, Reminder(now + Day)));
    QVERIFY(m_manager.AddReminder(QStringLiteral("Work"), 2, Reminder(now + Day)));

    QVERIFY(m_manager.RenameGroup(QStringLiteral("work"), QStringLiteral("Office")));
    QCOMPARE(m_manager.FindReminder(QStringLiteral("Work"), 1), -1);
    QCOMPARE(m_manager.FindReminder(QStringLiteral("Office"), 1), 0);
    QCOMPARE(m_manager.FindReminder(QStringLiteral("Home"), 1), 1);
    QCOMPARE(m_manager.FindReminder(QStringLiteral("Office"), 2), 2);

    QVERIFY(!m_manager.RenameGroup(QStringLiteral("Office"), QStringLiteral("HOME")));
    QCOMPARE(m_manager.FindReminder(QStringLiteral("Office"), 1), 0);
    QVERIFY(m_manager.RenameGroup(QStringLiteral("Office"), QStringLiteral("OFFICE")));

    m_clock.Set(now + Day);
    m_manager.OnTick();
    const QStringList expected = {QStringLiteral("finished OFFICE/1"),
                                  QStringLiteral("finished Home/1"),
                                  QStringLiteral("finished OFFICE/2")};
    QCOMPARE(m_owner.m_calls, expected);
}

void TestReminderManager::updatedDoByMovesTheDueTime_data()
{
    QTest::addColumn<qint32>("doBy");
    QTest::addColumn<qint32>("lead");
    QTest::addColumn<int>("firingTick");
    QTest::newRow("unchanged") << 2 * Day << 0 << 2;
    QTest::newRow("earlier") << Day << 0 << 1;
    QTest::newRow("later") << 3 * Day << 0 << 3;
    QTest::newRow("longer lead") << 2 * Day << Day << 1;
    QTest::newRow("into the past") << -Day << 0 << 0;
}

// The entry starts two days ahead; ticks come now and on each of the next three days.
void TestReminderManager::updatedDoByMovesTheDueTime()
{
    QFETCH(qint32, doBy);
    QFETCH(qint32, lead);
    QFETCH(int, firingTick);
    const qint32 now = m_clock.Now();
    QVERIFY(m_manager.AddReminder(QStringLiteral("Work"), 1, Reminder(now + 2 * Day)));
    QVERIFY(m_manager.UpdateReminder(QStringLiteral("Work"), 1, Reminder(now + doBy, 0, lead)));
    for (int tick = 0; tick <= 3; ++tick)
    {
        m_clock.Set(now + tick * Day);
        m_manager.OnTick();
        const QStringList fired = tick < firingTick
                                      ? QStringList{}
                                      : QStringList{Alert(QStringLiteral("Work"), 1, now + doBy)};
        QCOMPARE(m_announcer.m_calls, fired);
    }
}

// Later keys fall due sooner, so the order of due times is the reverse of insertion order.
void TestReminderManager::manyDueAtOnceFireInInsertionOrder()
{
    const qint32 now = m_clock.Now();
    constexpr quint32 count = 50;
    QStringList expected;
    for (quint32 key = 1; key <= count; ++key)
    {
        const qint32 doBy = now + Day + qint32(count - key) * Minute;
        QVERIFY(m_manager.AddReminder(QStringLiteral("Work"), key,
                                      Reminder(doBy, 0, qint32(key % 3) * Minute)));
        expected.append(Alert(QStringLiteral("Work"), key, doBy));
    }
    QVERIFY(m_manager.AddReminder(QStringLiteral("Work"), count + 1, Reminder(now + 3 * Day)));

    m_clock.Set(now + 2 * Day);
    m_manager.OnTick();
    QCOMPARE(m_announcer.m_calls, expected);
    QCOMPARE(m_manager.GetCount(), 1);
}

void TestReminderManager::changesWhileAlertIsOpen_data()
{
    const qint32 due = Noon + Day;
    QTest::addColumn<int>("change");
    QTest::addColumn<QStringList>("alerts");
    QTest::newRow("clock moves on") << int(ClockMovesOn)
                                    << QStringList{Alert(QStringLiteral("Work"), 2, due),
                                                   Alert(QStringLiteral("Work"), 3, due + Minute)};
    QTest::newRow("Do By moves earlier") << int(DoByMovesEarlier)
                                         << QStringList{Alert(QStringLiteral("Work"), 2, due),
                                                        Alert(QStringLiteral("Work"), 3, due)};
    QTest::newRow("entry removed")
        << int(EntryRemoved) << QStringList{Alert(QStringLiteral("Work"), 2, due)};
    QTest::newRow("entry added") << int(EntryAdded)
                                 << QStringList{Alert(QStringLiteral("Work"), 2, due),
                                                Alert(QStringLiteral("Work"), 3, due + Minute)};
    QTest::newRow("entry added again")
        << int(EntryAddedAgain)
        << QStringList{Alert(QStringLiteral("Work"), 2, due),
                       Alert(QStringLiteral("Work"), 3, due - 3 * Day)};
}

// Entry 2 is due at the tick, 1 and 3 a minute later, and the alert of 2 changes things. The pass
// then fires what is due when it gets there, but never goes back to 1, and an entry added during
// the pass fires only in the pass that its own add runs.
void TestReminderManager::changesWhileAlertIsOpen()
{
    QFETCH(int, change);
    QFETCH(QStringList, alerts);
    const qint32 due = m_clock.Now() + Day;
    const QString work = QStringLiteral("Work");
    QVERIFY(m_manager.AddReminder(work, 1, Reminder(due + Minute)));
    QVERIFY(m_manager.AddReminder(work, 2, Reminder(due)));
    QVERIFY(m_manager.AddReminder(work, 3, Reminder(due + Minute)));
    m_announcer.m_duringAlert = [&]
    {
        switch (change)
        {
        case ClockMovesOn:
            m_clock.Set(due + Minute);
            break;
        case DoByMovesEarlier:
            QVERIFY(m_manager.UpdateReminder(work, 1, Reminder(due)));
            QVERIFY(m_manager.UpdateReminder(work, 3, Reminder(due)));
            break;
        case EntryRemoved:
            QVERIFY(m_manager.RemoveReminder(work, 3));
            m_clock.Set(due + Minute);
            break;
        case EntryAdded:
            QVERIFY(m_manager.AddReminder(work, 4, Reminder(due + Minute)));
            m_clock.Set(due + Minute);
            break;
        case EntryAddedAgain:
            QVERIFY(m_manager.RemoveReminder(work, 3));
            QVERIFY(
                m_manager.AddReminder(work, 3, Reminder(due - 3 * Day, CReminderSpec::RepeatDay)));
            break;
        }
    };
    m_clock.Set(due);
    m_manager.OnTick();
    QCOMPARE(m_announcer.m_calls, alerts);
    QVERIFY(m_manager.FindReminder(work, 1) >= 0);
}

void TestReminderManager::renamedGroupKeepsItsDueTimes()
{
    const qint32 now = m_clock.Now();
    QVERIFY(m_manager.AddReminder(QStringLiteral("Work"), 1, Reminder(now + Day)));
    QVERIFY(m_manager.AddReminder(QStringLiteral("work"), 2, Reminder(now + 2 * Day)));
    QVERIFY(m_manager.AddReminder(QStringLiteral("Home"), 1, Reminder(now + Day)));
    QVERIFY(m_manager.RenameGroup(QStringLiteral("WORK"), QStringLiteral("Office")));

    CReminderSpec stored;
    QVERIFY(!m_manager.GetReminder(QStringLiteral("Work"), 2, stored));
    QVERIFY(m_manager.GetReminder(QStringLiteral("office"), 2, stored));
    QCOMPARE(stored.m_timeDoBy, now + 2 * Day);
    QVERIFY(!m_manager.AddReminder(QStringLiteral("OFFICE"), 1, Reminder(now + 3 * Day)));
    QVERIFY(m_manager.AddReminder(QStringLiteral("Work"), 1, Reminder(now + 3 * Day)));

    m_clock.Set(now + Day);
    m_manager.OnTick();
    QCOMPARE(m_owner.m_calls,
             (QStringList{QStringLiteral("finished Office/1"), QStringLiteral("finished Home/1")}));
    m_clock.Set(now + 2 * Day);
    m_manager.OnTick();
    QCOMPARE(m_owner.m_calls.mid(2), QStringList{QStringLiteral("finished Office/2")});
    QCOMPARE(m_manager.FindReminder(QStringLiteral("Work"), 1), 0);
}

// An open adds to one group after another, and the scheduler keeps the group it added to last at
// hand; the group must still be the right one after it empties or changes its name.
void TestReminderManager::emptiedOrRenamedGroupTakesNewEntries()
{
    const CReminderSpec later = Reminder(m_clock.Now() + Day);
    QVERIFY(m_manager.AddReminder(QStringLiteral("Home"), 1, later));
    QVERIFY(m_manager.AddReminder(QStringLiteral("Work"), 1, later));
    QVERIFY(m_manager.RemoveReminder(QStringLiteral("Work"), 1));
    QVERIFY(m_manager.AddReminder(QStringLiteral("Work"), 2, later));
    QVERIFY(!m_manager.AddReminder(QStringLiteral("WORK"), 2, later));
    QVERIFY(m_manager.RenameGroup(QStringLiteral("Work"), QStringLiteral("WORK")));
    QVERIFY(m_manager.AddReminder(QStringLiteral("WORK"), 3, later));
    QVERIFY(!m_manager.AddReminder(QStringLiteral("work"), 2, later));

    CReminderSpec stored;
    QVERIFY(m_manager.GetReminder(QStringLiteral("work"), 3, stored));
    QCOMPARE(m_manager.FindReminder(QStringLiteral("Work"), 2), 1);
    QCOMPARE(m_manager.FindReminder(QStringLiteral("Work"), 3), 2);
    QCOMPARE(m_manager.GetCount(), 3);
}

QTEST_GUILESS_MAIN(TestReminderManager)
#include "tst_remindermanager.moc"
