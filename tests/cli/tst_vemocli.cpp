#include "CliRun.h"
#include "TestFiles.h"
#include "TestHome.h"
#include "base/Windows1252.h"
#include "model/AccountFile.h"
#include "model/VemoGroup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

namespace
{
QString AllByteValues()
{
    QByteArray bytes;
    for (int byte = 0; byte < 256; ++byte)
        bytes.append(static_cast<char>(byte));
    return DecodeWindows1252(bytes);
}
} // namespace

class TestVemoCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void exportThenImportGivesIdenticalFiles();
    void exportIsLaidOutAsOneIndentedDocument();
    void listShowsItemsReadably();
    void unreadableAccountFails_data();
    void unreadableAccountFails();
    void fullOutputFails_data();
    void fullOutputFails();
    void importRefusesBadInput_data();
    void importRefusesBadInput();
    void importRefusesExistingFolder_data();
    void importRefusesExistingFolder();
    void errorsStayOneLine();
    void wrongUsageExitsWithTwo_data();
    void wrongUsageExitsWithTwo();

private:
    QString MakeAccount(const QString& name);

    CTestHome m_home;
    int m_nAccounts = 0;
};

void TestVemoCli::initTestCase()
{
    qputenv("TZ", "UTC0");
}

QString TestVemoCli::MakeAccount(const QString& name)
{
    const QString folder = m_home.Path(QStringLiteral("acc%1/").arg(++m_nAccounts) + name);
    QDir().mkpath(folder);
    CAccountFile::Write(folder);

    CVemoGroup chores;
    chores.SetName(QStringLiteral("Chores"));
    CVemoItem item(Qt::Uninitialized);
    item.m_timeCreated = -86400;
    item.m_nPriority = 3;
    item.m_strTitle = QStringLiteral("Pay rent \u4E2D");
    item.m_strMessage = AllByteValues() + QStringLiteral("\r\nend");
    item.m_bQuickListed = 1;
    item.m_bCompleted = 1;
    item.m_rectSticky = {-10, 20, 300, 400};
    item.m_crStickyBack = 0x00FFFFFF;
    item.m_lfStickyFont = {-13, 1, 2, 3, 700, 1, 0, 1, 204, 3, 2, 1, 34, QStringLiteral("Arial")};
    item.m_reminder = {1, 0, 1, 1, 951782400, 900, 3};
    chores.AddItem(item);
    chores.AddItem(CVemoItem(Qt::Uninitialized));
    chores.RemoveItem(1);
    chores.AddItem(item);
    chores.SaveToFile(folder);

    // A hidden one, and two that only Unicode letter case would take for one.
    for (const QString& name : {QStringLiteral("Empty"), QStringLiteral(".Secret"),
                                QStringLiteral("\u00C9mile"), QStringLiteral("\u00E9mile")})
    {
        CVemoGroup empty;
        empty.SetName(name);
        empty.SaveToFile(folder);
    }
    return folder;
}

void TestVemoCli::exportThenImportGivesIdenticalFiles()
{
    const QString source = MakeAccount(QStringLiteral("Home"));
    const CRun exported = RunCli({QStringLiteral("export"), source});
    QCOMPARE(exported.exitCode, 0);
    QVERIFY(exported.err.isEmpty());

    const QJsonObject root = QJsonDocument::fromJson(exported.out).object();
    QCOMPARE(root.value("format").toString(), QStringLiteral("vemo-account"));
    QCOMPARE(root.value("account").toString(), QStringLiteral("Home"));
    QCOMPARE(root.value("stored_path").toString(), source);
    // Sorted by name as the program shows them; the hidden group comes first.
    const QJsonArray groups = root.value("groups").toArray();
    QCOMPARE(groups[0].toObject().value("name").toString(), QStringLiteral(".Secret"));
    const QJsonObject chores = groups[1].toObject();
    QCOMPARE(chores.value("name").toString(), QStringLiteral("Chores"));
    const QJsonObject item = chores.value("items").toArray()[1].toObject();
    QCOMPARE(item.value("key").toInt(), 3);
    QCOMPARE(item.value("sticky_font").toObject().value("char_set").toInt(), 204);
    QCOMPARE(item.value("reminder").toObject().value("repeat").toInt(), 3);

    const QString jsonFile = m_home.Path(QStringLiteral("export.json"));
    QVERIFY(WriteFile(jsonFile, exported.out));
    const QString target = m_home.Path(QStringLiteral("restored/Home"));
    const CRun imported = RunCli({QStringLiteral("import"), jsonFile, target});
    QCOMPARE(imported.exitCode, 0);
    QVERIFY2(imported.err.isEmpty(), imported.err.constData());

    const QStringList groupFiles = CVemoGroup::ListGroupFiles(source);
    QCOMPARE(groupFiles.size(), 5);
    QCOMPARE(CVemoGroup::ListGroupFiles(target), groupFiles);
    for (const QString& name : groupFiles)
        QCOMPARE(ReadFile(target + QLatin1Char('/') + name),
                 ReadFile(source + QLatin1Char('/') + name));
    // Built aside and renamed into place, leaving nothing else beside it.
    QCOMPARE(QDir(m_home.Path(QStringLiteral("restored")))
                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("Home")});
    QString storedPath;
    QVERIFY(CAccountFile::Read(target + QStringLiteral("/Home.acf"), storedPath));
    QCOMPARE(storedPath, target);

    const QString piped = m_home.Path(QStringLiteral("piped/Home"));
    QCOMPARE(RunCli({QStringLiteral("import"), QStringLiteral("-"), piped}, exported.out).exitCode,
             0);
    QCOMPARE(ReadFile(piped + QStringLiteral("/Chores.grp")),
             ReadFile(source + QStringLiteral("/Chores.grp")));
}

// Written a group at a time, the export still reads byte for byte as the whole document would.
void TestVemoCli::exportIsLaidOutAsOneIndentedDocument()
{
    const QString noGroups = m_home.Path(QStringLiteral("bare/Bare"));
    QDir().mkpath(noGroups);
    QVERIFY(CAccountFile::Write(noGroups));
    // Text that UTF-8 carries in four bytes, and a lone surrogate that it cannot carry at all.
    const QString odd = m_home.Path(QStringLiteral("odd/Odd"));
    QDir().mkpath(odd);
    QVERIFY(CAccountFile::Write(odd));
    CVemoGroup group;
    group.SetName(QStringLiteral("\U0001F600 faces"));
    CVemoItem item(Qt::Uninitialized);
    item.m_strTitle = QStringLiteral("a\U0001F600b") + QChar(0xD800) + QStringLiteral("\x7f\t\"");
    item.m_strMessage = QString(QChar(0xDC00)) + QStringLiteral("\u00e9\u20ac\\/");
    group.AddItem(item);
    QVERIFY(group.SaveToFile(odd));
    for (const QString& folder : {MakeAccount(QStringLiteral("Home")), noGroups, odd})
    {
        const CRun exported = RunCli({QStringLiteral("export"), folder});
        QCOMPARE(exported.exitCode, 0);
        QCOMPARE(exported.out,
                 QJsonDocument::fromJson(exported.out).toJson(QJsonDocument::Indented));
    }
}

void TestVemoCli::listShowsItemsReadably()
{
    const QString folder = MakeAccount(QStringLiteral("Home"));
    CVemoGroup later;
    later.SetName(QStringLiteral("Later"));
    CVemoItem item(Qt::Uninitialized);
    item.m_strTitle = QStringLiteral("Dentist");
    item.m_reminder.m_timeDoBy = 951782400 + 9 * 3600 + 5 * 60;
    later.AddItem(item);
    QVERIFY(later.SaveToFile(folder));
    QProcessEnvironment utc;
    utc.insert(QStringLiteral("TZ"), QStringLiteral("UTC"));
    const CRun listed = RunCli({QStringLiteral("list"), folder}, {}, utc);
    QCOMPARE(listed.exitCode, 0);
    const QString text = QString::fromUtf8(listed.out);
    // A Do By at midnight is a day; any other time shows its hour and minute.
    QVERIFY(
        text.contains(QStringLiteral("Later\n  [ ] Dentist  (Do By 2000-02-29 09:05, None)\n")));
    QVERIFY2(text.contains(QStringLiteral("\n  [x] Pay rent \u4E2D  (Do By 2000-02-29, High)\n")),
             qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Chores\n  [ ]   (Do By 1970-01-01, None)\n")));
    QVERIFY(text.indexOf(QStringLiteral("Chores")) < text.indexOf(QStringLiteral("Empty")));
}

void TestVemoCli::unreadableAccountFails_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("no account file") << "Home.acf";
    QTest::newRow("group file cut short") << "Chores.grp";
    QTest::newRow("hidden group file cut short") << ".Secret.grp";
    QTest::newRow("group file a broken link") << "Gone.grp";
}

void TestVemoCli::unreadableAccountFails()
{
    QFETCH(QString, damage);
    const QString folder = MakeAccount(QStringLiteral("Home"));
    const QString path = folder + QLatin1Char('/') + damage;
    const QByteArray bytes = ReadFile(path);
    if (damage == QLatin1String("Gone.grp"))
        QVERIFY(QFile::link(m_home.Path(QStringLiteral("nowhere")), path));
    else
        QVERIFY(QFile::remove(path));
    if (damage.endsWith(QLatin1String(".grp")) && !bytes.isEmpty())
        QVERIFY(WriteFile(path, bytes.left(bytes.size() / 2)));

    for (const QString& command : {QStringLiteral("list"), QStringLiteral("export")})
    {
        const CRun run = RunCli({command, folder});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.isEmpty());
        QCOMPARE(run.err.count('\n'), 1);
    }
}

void TestVemoCli::fullOutputFails_data()
{
    QTest::addColumn<QStringList>("command");
    QTest::newRow("list") << QStringList{QStringLiteral("list")};
    QTest::newRow("export json") << QStringList{QStringLiteral("export")};
    QTest::newRow("export ical") << QStringList{QStringLiteral("export"),
                                                QStringLiteral("--format"), QStringLiteral("ical")};
}

// A listing or export that could not be written is no success.
void TestVemoCli::fullOutputFails()
{
    QFETCH(QStringList, command);
    QProcess process;
    process.setStandardOutputFile(QStringLiteral("/dev/full"));
    process.start(QStringLiteral(VEMO_CLI_PATH), command << MakeAccount(QStringLiteral("Home")));
    QVERIFY(process.waitForFinished());
    QCOMPARE(process.exitCode(), 1);
    QCOMPARE(process.readAllStandardError(),
             QByteArray("vemo-cli: standard output cannot be written\n"));
}

void TestVemoCli::importRefusesBadInput_data()
{
    QTest::addColumn<QByteArray>("json");
    const QByteArray item = R"({"key": 1, "created": 0, "priority": 0, "title": "", "message": "",
        "quick_listed": false, "has_sticky": false, "sticky_rect": [0, 0, 0, 0],
        "sticky_back": 0, "sticky_text": 0, "sticky_font": {"height": 0, "width": 0,
        "escapement": 0, "orientation": 0, "weight": 0, "italic": 0, "underline": 0,
        "strike_out": 0, "char_set": 0, "out_precision": 0, "clip_precision": 0, "quality": 0,
        "pitch_and_family": 0, "face_name": ""}, "completed": false, "reminder": {"do_by": 0,
        "lead_seconds": 0, "message_box": true, "sound": false, "mail": false, "enabled": false,
        "repeat": 0}})";
    const auto account = [](const QByteArray& groups)
    {
        return R"({"format": "vemo-account", "version": 1, "groups": [)" + groups + "]}";
    };
    QTest::newRow("not JSON") << QByteArray("{");
    QTest::newRow("wrong format") << QByteArray(
        R"({"format": "other", "version": 1, "groups": []})");
    QTest::newRow("group name with a slash") << account(R"({"name": "a/b", "items": []})");
    QTest::newRow("same group twice")
        << account(R"({"name": "A", "items": []}, {"name": "a", "items": []})");
    QTest::newRow("key used twice")
        << account(R"({"name": "A", "items": [)" + item + "," + item + "]}");
    QTest::newRow("byte out of range")
        << account(R"({"name": "A", "items": [)" +
                   QByteArray(item).replace(R"("italic": 0)", R"("italic": 256)") + "]}");
    QTest::newRow("flag as a number")
        << account(R"({"name": "A", "items": [)" +
                   QByteArray(item).replace(R"("completed": false)", R"("completed": 0)") + "]}");
    QTest::newRow("missing field") << account(
        R"({"name": "A", "items": [)" + QByteArray(item).replace(R"("priority": 0,)", "") + "]}");
}

void TestVemoCli::importRefusesBadInput()
{
    QFETCH(QByteArray, json);
    const QString target = m_home.Path(QStringLiteral("bad/Home"));
    const CRun run = RunCli({QStringLiteral("import"), QStringLiteral("-"), target}, json);
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.out.isEmpty());
    QCOMPARE(run.err.count('\n'), 1);
    QVERIFY(!QFile::exists(target));
}

void TestVemoCli::importRefusesExistingFolder_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("same name") << "Home";
    QTest::newRow("other letter case") << "HOME";
}

// Names that differ only in letter case name one account.
void TestVemoCli::importRefusesExistingFolder()
{
    QFETCH(QString, target);
    const QString folder = MakeAccount(QStringLiteral("Home"));
    const QByteArray before = ReadFile(folder + QStringLiteral("/Chores.grp"));
    const CRun exported = RunCli({QStringLiteral("export"), folder});
    const QString targetFolder = QFileInfo(folder).path() + QLatin1Char('/') + target;
    const CRun run =
        RunCli({QStringLiteral("import"), QStringLiteral("-"), targetFolder}, exported.out);
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(ReadFile(folder + QStringLiteral("/Chores.grp")), before);
    QCOMPARE(QDir(QFileInfo(folder).path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("Home")});
}

// A name or path quoted in an error holds what it holds; the error stays one line.
void TestVemoCli::errorsStayOneLine()
{
    const QString folder = m_home.Path(QStringLiteral("two\nlines\u2028here"));
    const CRun run = RunCli({QStringLiteral("list"), folder});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.err.count('\n'), 1);
    QVERIFY2(run.err.contains("two\\u000alines\\u2028here"), run.err.constData());
}

void TestVemoCli::wrongUsageExitsWithTwo_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("nothing") << QStringList();
    QTest::newRow("unknown command") << QStringList{QStringLiteral("remove"), QStringLiteral("x")};
    QTest::newRow("missing folder") << QStringList{QStringLiteral("import"), QStringLiteral("f")};
    QTest::newRow("unknown format") << QStringList{"export", "--format", "xml", "F"};
    QTest::newRow("format without a name") << QStringList{"export", "F", "--format"};
    QTest::newRow("format twice") << QStringList{"export",   "--format", "json",
                                                 "--format", "ical",     "F"};
    QTest::newRow("import with a format but no folder")
        << QStringList{"import", "--format", "ical", "F"};
    QTest::newRow("list has no format") << QStringList{"list", "--format", "ical", "F"};
}

void TestVemoCli::wrongUsageExitsWithTwo()
{
    QFETCH(QStringList, args);
    const CRun run = RunCli(args);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
    QVERIFY(!run.err.isEmpty());
}

QTEST_GUILESS_MAIN(TestVemoCli)
#include "tst_vemocli.moc"
