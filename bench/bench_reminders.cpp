// Times opening a large account whose reminders all lie ahead, and one minute tick with nothing
// due, each beside the same account with no reminder enabled.
// Run: build/bench_reminders [groups] [items per group] [rounds] [reminder counts...]

#include "BenchAccount.h"
#include "base/Clock.h"
#include "model/AccountFakes.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <limits>

using namespace BenchAccount;

namespace
{
constexpr qint32 Day = 86400;
constexpr qint32 Minute = 60;
// A prime, so the reminders' times come in no particular order.
constexpr qint64 TimeScatter = 7919;

struct COpenTimes
{
    double m_openMs = std::numeric_limits<double>::max();
    double m_tickMs = std::numeric_limits<double>::max();
};

// Every step-th item reminds, on a minute of the coming weeks; returns how many do.
qint64 EnableReminders(QVector<CVemoGroup>& groups, qint64 step)
{
    const qint32 firstDay = GetClock().Now() + Day;
    const qint64 total = qint64(groups.size()) * groups.value(0).GetItems().size();
    qint64 index = 0;
    qint64 enabled = 0;
    for (CVemoGroup& group : groups)
    {
        for (CVemoItem item : group.GetItems())
        {
            item.m_reminder.m_bEnabled = step > 0 && index % step == 0;
            item.m_reminder.m_timeDoBy = qint32(firstDay + index * TimeScatter % total * Minute);
            group.SetItem(item.m_dwKey, item);
            enabled += item.m_reminder.m_bEnabled;
            ++index;
        }
    }
    return enabled;
}

// Opens the account in a document of its own, which goes only after the timing, and keeps the
// fastest times seen.
void TimeOpen(const QString& folder, int tickRounds, COpenTimes& fastest)
{
    CAccountFixture fixture;
    const double openMs = MedianMs(1, [&] { fixture.m_account.OpenAccount(folder); });
    CReminderManager& scheduler = fixture.m_account.GetReminderScheduler();
    const double tickMs = MedianMs(tickRounds, [&] { scheduler.OnTick(); });
    fastest.m_openMs = std::min(fastest.m_openMs, openMs);
    fastest.m_tickMs = std::min(fastest.m_tickMs, tickMs);
}
} // namespace

int main(int argc, char* argv[])
{
    // Opening by path reads no setting; should it ever write one, it lands here, not in the user's.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const auto [groupCount, itemCount, rounds] = SizeFromArguments(args);
    QStringList counts = args.mid(4);
    if (counts.isEmpty())
        counts = {QStringLiteral("1000"), QStringLiteral("10000"), QStringLiteral("100000")};

    const qint64 total = qint64(groupCount) * itemCount;
    QVector<CVemoGroup> groups = MakeAccount(groupCount, itemCount);
    EnableReminders(groups, 0);
    const QString none = WriteAccount(home.filePath(QStringLiteral("None")), groups);

    QTextStream out(stdout);
    out << groupCount << " groups x " << itemCount << " items, reminders all ahead, fastest of "
        << rounds << " rounds with the two accounts taking turns\n"
        << "reminders  open ms  (none ms)  ratio  tick us  (none us)\n"
        << Qt::fixed;
    for (const QString& count : counts)
    {
        const qint64 step = total / std::clamp(count.toLongLong(), qint64(1), total);
        const qint64 enabled = EnableReminders(groups, step);
        const QString folder = WriteAccount(home.filePath(count), groups);
        // Taking turns, the two accounts share whatever load other programs put on the machine,
        // and load only ever adds time.
        COpenTimes without;
        COpenTimes with;
        for (int round = 0; round < rounds; ++round)
        {
            TimeOpen(none, rounds, without);
            TimeOpen(folder, rounds, with);
        }
        out << qSetFieldWidth(9) << enabled << qSetFieldWidth(0) << qSetRealNumberPrecision(1)
            << "  " << with.m_openMs << "  (" << without.m_openMs << ")  "
            << qSetRealNumberPrecision(2) << with.m_openMs / without.m_openMs << "  "
            << qSetRealNumberPrecision(3) << with.m_tickMs * 1000 << "  ("
            << without.m_tickMs * 1000 << ")\n";
        out.flush();
        QDir(folder).removeRecursively();
    }
    out << "goals at 100000: open ratio at most 1.20, tick under 1000 us\n";
    return 0;
}
