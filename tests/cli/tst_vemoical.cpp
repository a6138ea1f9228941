#include "CliRun.h"
#include "TestFiles.h"
#include "TestHome.h"
#include "base/LocalTime.h"
#include "model/AccountFile.h"
#include "model/VemoGroup.h"

#include <QDir>
#include <QSet>
#include <QStringDecoder>
#include <QTest>

#include <ctime>

Q_DECLARE_METATYPE(CVemoItem)

namespace
{
using CGroupItems = QList<QPair<QString, QVector<CVemoItem>>>;

qint32 Local(int year, int month, int day, int hour, int minute)
{
    qint32 time = 0;
    if (!MakeLocalTime(QDate(year, month, day), QTime(hour, minute), time))
        qFatal("local time out of range");
    return time;
}

CVemoItem Todo(const QString& title, qint32 doBy, qint32 priority = CVemoItem::PriorityNone,
               const QString& message = {})
{
    CVemoItem item(Qt::Uninitialized);
    item.m_timeCreated = Local(2024, 3, 1, 9, 0);
    item.m_strTitle = title;
    item.m_strMessage = message;
    item.m_nPriority = priority;
    item.m_reminder.m_timeDoBy = doBy;
    return item;
}

CVemoItem Reminding(CVemoItem item, qint32 repeat, qint32 leadMinutes)
{
    item.m_reminder.m_bEnabled = 1;
    item.m_reminder.m_nRepeat = repeat;
    item.m_reminder.m_nLeadSeconds = leadMinutes * 60;
    return item;
}

CVemoItem Done(CVemoItem item)
{
    item.m_bCompleted = 1;
    return item;
}

// The first physical line that is not at most 75 octets of whole UTF-8 characters ended by CRLF;
// empty when there is none.
QByteArray FoldingProblem(const QByteArray& ical)
{
    qsizetype start = 0;
    while (start < ical.size())
    {
        const qsizetype end = ical.indexOf("\r\n", start);
        if (end < 0)
            return "no CRLF after: " + ical.mid(start);
        const QByteArray line = ical.mid(start, end - start);
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8(line);
        if (line.size() > 75 || line.contains('\n') || line.contains('\r') || utf8.hasError())
            return "bad line: " + line;
        start = end + 2;
    }
    return {};
}

// The content lines, folded ones joined again.
QList<QByteArray> ContentLines(const QByteArray& ical)
{
    QList<QByteArray> lines = QByteArray(ical).replace("\r\n ", "").split('\n');
    for (QByteArray& line : lines)
        line.chop(line.endsWith('\r') ? 1 : 0);
    return lines;
}

QList<QByteArray> LinesStartingWith(const QList<QByteArray>& lines, const QByteArray& start)
{
    QList<QByteArray> found;
    for (const QByteArray& line : lines)
    {
        if (line.startsWith(start))
            found.append(line);
    }
    return found;
}

QVector<CVemoGroup> LoadGroups(const QString& folder)
{
    QVector<CVemoGroup> groups;
    for (const QString& fileName : CVemoGroup::ListGroupFiles(folder))
    {
        CVemoGroup group;
        if (!group.LoadFromFile(QDir(folder).filePath(fileName)))
            qFatal("group file cannot be read");
        groups.append(group);
    }
    return groups;
}

QByteArray Calendar(const QByteArray& todoLines)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Test//EN\r\nBEGIN:VTODO\r\n"
           "UID:1\r\nDTSTAMP:20240301T080000Z\r\n" +
           todoLines + "END:VTODO\r\nEND:VCALENDAR\r\n";
}

QStringList IcalArgs(const QStringList& args)
{
    return QStringList{args[0], QStringLiteral("--format"), QStringLiteral("ical")} + args.mid(1);
}
} // namespace

class TestVemoIcal : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void roundTripKeepsWhatACalendarHolds_data();
    void roundTripKeepsWhatACalendarHolds();
    void exportGivesEveryItemAStableUid();
    void importsACalendarClientsExport();
    void importRefusesBadInput_data();
    void importRefusesBadInput();
    void jsonStaysTheDefault();

private:
    QString MakeAccount(const QString& name, const CGroupItems& groups);
    QString NewFolder(const QString& name = QStringLiteral("Home"));

    CTestHome m_home;
    int m_nFolders = 0;
};

void TestVemoIcal::initTestCase()
{
    qputenv("TZ", "Europe/Berlin");
    tzset();
}

QString TestVemoIcal::NewFolder(const QString& name)
{
    return m_home.Path(QStringLiteral("f%1/").arg(++m_nFolders) + name);
}

QString TestVemoIcal::MakeAccount(const QString& name, const CGroupItems& groups)
{
    const QString folder = NewFolder(name);
    QDir().mkpath(folder);
    CAccountFile::Write(folder);
    for (const auto& [groupName, items] : groups)
    {
        CVemoGroup group;
        group.SetName(groupName);
        for (const CVemoItem& item : items)
            group.AddItem(item);
        group.SaveToFile(folder);
    }
    return folder;
}

void TestVemoIcal::roundTripKeepsWhatACalendarHolds_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<CVemoItem>("item");
    QTest::addColumn<QByteArrayList>("lines");

    QTest::newRow("daily, high, with a lead")
        << "Chores"
        << Reminding(Todo(QStringLiteral("Water the plants"), Local(2024, 3, 5, 9, 0),
                          CVemoItem::PriorityHigh,
                          QStringLiteral("Kitchen, hall; and \\ the study\r\nthen the garden")),
                     CReminderSpec::RepeatDay, 15)
        << QByteArrayList{"DUE:20240305T090000",
                          "DTSTART:20240305T090000",
                          "RRULE:FREQ=DAILY",
                          "ACTION:DISPLAY",
                          "TRIGGER;RELATED=END:-PT15M",
                          "PRIORITY:1",
                          "STATUS:NEEDS-ACTION",
                          "CATEGORIES:Chores",
                          "SUMMARY:Water the plants",
                          "DESCRIPTION:Kitchen\\, hall\\; and \\\\ the study\\nthen the garden"};
    QTest::newRow("weekly in summer time, normal")
        << "Chores"
        << Reminding(Todo(QStringLiteral("Team report"), Local(2024, 7, 2, 18, 30),
                          CVemoItem::PriorityNormal),
                     CReminderSpec::RepeatWeek, 0)
        << QByteArrayList{"DUE:20240702T183000", "RRULE:FREQ=WEEKLY", "TRIGGER;RELATED=END:PT0S",
                          "PRIORITY:5"};
    QTest::newRow("monthly from the 31st")
        << "Bills"
        << Reminding(Todo(QStringLiteral("Rent"), Local(2024, 1, 31, 8, 0)),
                     CReminderSpec::RepeatMonth, 60)
        << QByteArrayList{"DUE:20240131T080000", "RRULE:FREQ=MONTHLY", "TRIGGER;RELATED=END:-PT1H"};
    QTest::newRow("yearly, low") << "Bills"
                                 << Reminding(Todo(QStringLiteral("Leap day"),
                                                   Local(2024, 2, 29, 12, 0),
                                                   CVemoItem::PriorityLow),
                                              CReminderSpec::RepeatYear, 1440)
                                 << QByteArrayList{"RRULE:FREQ=YEARLY", "TRIGGER;RELATED=END:-P1D",
                                                   "PRIORITY:9"};
    QTest::newRow("reminder after the Do By")
        << "Bills"
        << Reminding(Todo(QStringLiteral("Late"), Local(2024, 3, 5, 10, 15)),
                     CReminderSpec::RepeatNone, -10)
        << QByteArrayList{"DUE:20240305T101500", "TRIGGER;RELATED=END:PT10M"};
    QTest::newRow("date only") << "Chores"
                               << Todo(QStringLiteral("Some day"), Local(2024, 3, 10, 0, 0))
                               << QByteArrayList{"DUE;VALUE=DATE:20240310"};
    QTest::newRow("done") << "Chores"
                          << Done(Todo(QStringLiteral("Paid"), Local(2024, 3, 4, 17, 0)))
                          << QByteArrayList{"STATUS:COMPLETED"};
    QTest::newRow("Greek") << QStringLiteral("Λογαριασμοί")
                           << Todo(QStringLiteral("Πληρωμή ενοικίου"), Local(2024, 3, 8, 12, 0),
                                   CVemoItem::PriorityHigh,
                                   QStringLiteral("Μέχρι την Παρασκευή\r\nστο γραφείο"))
                           << QByteArrayList{"CATEGORIES:Λογαριασμοί"};
    QTest::newRow("CJK and emoji")
        << QStringLiteral("買い物")
        << Todo(QStringLiteral("买牛奶 🥛"), Local(2024, 3, 9, 7, 45), CVemoItem::PriorityNone,
                QStringLiteral("🎂 生日快乐"))
        << QByteArrayList{"SUMMARY:买牛奶 🥛"};
    const QString longLine = QStringLiteral("αβγ中文😀").repeated(20);
    QTest::newRow("long line folded")
        << "Chores"
        << Todo(QStringLiteral("Long"), Local(2024, 3, 11, 9, 0), CVemoItem::PriorityNone,
                longLine + QStringLiteral("\r\nend"))
        << QByteArrayList{"DESCRIPTION:" + longLine.toUtf8() + "\\nend"};
}

void TestVemoIcal::roundTripKeepsWhatACalendarHolds()
{
    QFETCH(QString, group);
    QFETCH(CVemoItem, item);
    QFETCH(QByteArrayList, lines);
    const QString source = MakeAccount(QStringLiteral("Home"), {{group, {item}}});
    const CRun exported = RunCli(IcalArgs({QStringLiteral("export"), source}));
    QCOMPARE(exported.exitCode, 0);
    QVERIFY2(exported.err.isEmpty(), exported.err.constData());
    const QByteArray problem = FoldingProblem(exported.out);
    QVERIFY2(problem.isEmpty(), problem.constData());
    const QList<QByteArray> content = ContentLines(exported.out);
    for (const QByteArray& line : lines)
        QVERIFY2(content.contains(line), line.constData());
    QCOMPARE(LinesStartingWith(content, "COMPLETED:").size(), item.m_bCompleted);

    const QString target = NewFolder();
    const CRun imported =
        RunCli(IcalArgs({QStringLiteral("import"), QStringLiteral("-"), target}), exported.out);
    QCOMPARE(imported.exitCode, 0);
    QVERIFY2(imported.err.isEmpty(), imported.err.constData());
    QVERIFY(CAccountFile::CheckFolder(target));
    const QVector<CVemoGroup> groups = LoadGroups(target);
    QCOMPARE(groups.size(), 1);
    QCOMPARE(groups[0].GetName(), group);
    QCOMPARE(groups[0].GetItems().size(), 1);
    const CVemoItem& back = groups[0].GetItems()[0];
    QCOMPARE(back.m_strTitle, item.m_strTitle);
    QCOMPARE(back.m_strMessage, item.m_strMessage);
    QCOMPARE(back.m_nPriority, item.m_nPriority);
    QCOMPARE(back.m_timeCreated, item.m_timeCreated);
    QCOMPARE(back.m_reminder.m_timeDoBy, item.m_reminder.m_timeDoBy);
    QCOMPARE(back.m_bCompleted, item.m_bCompleted);
    QCOMPARE(back.m_reminder.m_bEnabled, item.m_reminder.m_bEnabled);
    QCOMPARE(back.m_reminder.m_nLeadSeconds, item.m_reminder.m_nLeadSeconds);
    QCOMPARE(back.m_reminder.m_nRepeat, item.m_reminder.m_nRepeat);
}

// A calendar that imports the file again updates its to-dos instead of doubling them.
void TestVemoIcal::exportGivesEveryItemAStableUid()
{
    const CGroupItems groups{
        {QStringLiteral("Chores"),
         {Todo(QStringLiteral("One"), Local(2024, 3, 5, 9, 0)),
          Todo(QStringLiteral("Two"), Local(2024, 3, 6, 9, 0))}},
        {QStringLiteral("Work"), {Todo(QStringLiteral("One"), Local(2024, 3, 5, 9, 0))}}};
    const QString home = MakeAccount(QStringLiteral("Home"), groups);
    const QList<QByteArray> first =
        ContentLines(RunCli(IcalArgs({QStringLiteral("export"), home})).out);
    const QList<QByteArray> again =
        ContentLines(RunCli(IcalArgs({QStringLiteral("export"), home})).out);
    const QList<QByteArray> other = ContentLines(
        RunCli(IcalArgs({QStringLiteral("export"), MakeAccount(QStringLiteral("Work"), groups)}))
            .out);

    const QList<QByteArray> uids = LinesStartingWith(first, "UID:");
    QCOMPARE(uids.size(), 3);
    QCOMPARE(QSet<QByteArray>(uids.cbegin(), uids.cend()).size(), 3);
    QCOMPARE(LinesStartingWith(again, "UID:"), uids);
    for (const QByteArray& uid : LinesStartingWith(other, "UID:"))
        QVERIFY(!uids.contains(uid));

    QCOMPARE(first.first(), QByteArray("BEGIN:VCALENDAR"));
    QVERIFY(first.contains("VERSION:2.0"));
    QCOMPARE(LinesStartingWith(first, "PRODID:").size(), 1);
    QCOMPARE(LinesStartingWith(first, "DTSTAMP:").size(), 3);
    QCOMPARE(LinesStartingWith(first, "CREATED:20240301T080000Z").size(), 3);
}

void TestVemoIcal::importsACalendarClientsExport()
{
    const QString target = NewFolder();
    QProcessEnvironment elsewhere;
    elsewhere.insert(QStringLiteral("TZ"), QStringLiteral("Asia/Tokyo"));
    const CRun run =
        RunCli(IcalArgs({QStringLiteral("import"), QFINDTESTDATA("client-tasks.ics"), target}), {},
               elsewhere);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray("vemo-cli: 2 events and journals were skipped\n"));

    const QVector<CVemoGroup> groups = LoadGroups(target);
    QCOMPARE(groups.size(), 3);
    QCOMPARE(groups[0].GetName(), QStringLiteral("Finance"));
    QCOMPARE(groups[1].GetName(), QStringLiteral("Things To Do"));
    QCOMPARE(groups[2].GetName(), QStringLiteral("Work"));
    QCOMPARE(groups[0].GetItems().size(), 2);
    QCOMPARE(groups[1].GetItems().size(), 1);
    QCOMPARE(groups[2].GetItems().size(), 2);

    // Instants as the file's own zone, the system's zone database, UTC and Tokyo's midnight
    // make them.
    const CVemoItem& tax = groups[0].GetItems()[0];
    QCOMPARE(tax.m_strTitle, QStringLiteral("Submit tax return"));
    QCOMPARE(tax.m_strMessage, QStringLiteral("Forms are in the top drawer of the desk in the "
                                              "study, next to the old receipts."));
    QCOMPARE(tax.m_nPriority, CVemoItem::PriorityHigh);
    QCOMPARE(tax.m_timeCreated, 1709280000);
    QCOMPARE(tax.m_reminder.m_timeDoBy, 1721028600);
    QCOMPARE(tax.m_reminder.m_bEnabled, 1);
    QCOMPARE(tax.m_reminder.m_nLeadSeconds, 1800);
    QCOMPARE(tax.m_reminder.m_nRepeat, CReminderSpec::RepeatNone);
    QCOMPARE(tax.m_bCompleted, 0);

    const CVemoItem& bank = groups[0].GetItems()[1];
    QCOMPARE(bank.m_strTitle, QStringLiteral("Call the bank"));
    QCOMPARE(bank.m_nPriority, CVemoItem::PriorityNormal);
    QCOMPARE(bank.m_reminder.m_timeDoBy, 1718006400);
    QCOMPARE(bank.m_bCompleted, 1);
    QCOMPARE(bank.m_reminder.m_bEnabled, 0);

    const CVemoItem& passport = groups[1].GetItems()[0];
    QCOMPARE(passport.m_strTitle, QStringLiteral("Renew passport"));
    QCOMPARE(passport.m_strMessage, QStringLiteral("Bring photos\r\nand the old passport"));
    QCOMPARE(passport.m_nPriority, CVemoItem::PriorityLow);
    QCOMPARE(passport.m_reminder.m_timeDoBy, 1722438000);

    const CVemoItem& meeting = groups[2].GetItems()[0];
    QCOMPARE(meeting.m_strTitle, QStringLiteral("Winter meeting prep"));
    QCOMPARE(meeting.m_nPriority, CVemoItem::PriorityNone);
    QCOMPARE(meeting.m_reminder.m_timeDoBy, 1733835600);
    QCOMPARE(meeting.m_reminder.m_nRepeat, CReminderSpec::RepeatWeek);
    // The alarm counts from the start, an hour before the Do By.
    QCOMPARE(meeting.m_reminder.m_bEnabled, 1);
    QCOMPARE(meeting.m_reminder.m_nLeadSeconds, 75 * 60);

    const CVemoItem& newYork = groups[2].GetItems()[1];
    QCOMPARE(newYork.m_strTitle, QStringLiteral("Call the New York office"));
    QCOMPARE(newYork.m_reminder.m_timeDoBy, 1721050200);
    QCOMPARE(newYork.m_reminder.m_bEnabled, 1);
    QCOMPARE(newYork.m_reminder.m_nLeadSeconds, 1800);
}

void TestVemoIcal::importRefusesBadInput_data()
{
    QTest::addColumn<QByteArray>("ical");
    QTest::newRow("garbage") << QByteArray("this is not a calendar\n");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("broken property") << Calendar("SUMMARY:x\r\nDUE:tomorrow\r\n");
    QTest::newRow("no VCALENDAR") << QByteArray("BEGIN:VTODO\r\nSUMMARY:x\r\nEND:VTODO\r\n");
    QTest::newRow("cut short") << Calendar("SUMMARY:x\r\n").chopped(30);
    QTest::newRow("unknown time zone") << Calendar("DUE;TZID=Mars/Olympus:20240715T093000\r\n");
    QTest::newRow("after 2038") << Calendar("DUE:20400101T000000Z\r\n");
    QTest::newRow("not UTF-8") << Calendar("SUMMARY:caf\xE9\r\n");
    QTest::newRow("category no group can have") << Calendar("CATEGORIES:Home/Work\r\n");
}

void TestVemoIcal::importRefusesBadInput()
{
    QFETCH(QByteArray, ical);
    const QString target = NewFolder();
    const CRun run =
        RunCli(IcalArgs({QStringLiteral("import"), QStringLiteral("-"), target}), ical);
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.err.count('\n') == 1, run.err.constData());
    QVERIFY(!QFile::exists(target));
    QCOMPARE(QDir(target + QStringLiteral("/.."))
                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
}

void TestVemoIcal::jsonStaysTheDefault()
{
    const QString folder = MakeAccount(
        QStringLiteral("Home"),
        {{QStringLiteral("Chores"), {Todo(QStringLiteral("One"), Local(2024, 3, 5, 9, 0))}}});
    const CRun plain = RunCli({QStringLiteral("export"), folder});
    const CRun json = RunCli(
        {QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("json"), folder});
    QCOMPARE(json.exitCode, 0);
    QVERIFY(plain.out.startsWith('{'));
    QCOMPARE(json.out, plain.out);
}

QTEST_GUILESS_MAIN(TestVemoIcal)
#include "tst_vemoical.moc"
