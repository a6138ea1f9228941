#include "TestFiles.h"
#include "TestHome.h"
#include "base/PathUtils.h"
#include "base/ProgramFolder.h"
#include "model/AccountFakes.h"
#include "model/AccountFile.h"
#include "shell/AccountFolders.h"

#include <QDir>
#include <QTest>

namespace
{
const QByteArray GroupBytes("group file bytes");

QString Folder(const QString& name)
{
    return GetProgramFolder() + name;
}

// An account folder with its account file and one group file.
bool MakeAccount(const QString& name)
{
    return QDir().mkpath(Folder(name)) && CAccountFile::Write(Folder(name)) &&
           WriteFile(Folder(name) + QStringLiteral("/Work.grp"), GroupBytes);
}
} // namespace

class TestAccountFolders : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void deleteRemovesWholeTree();
    void deleteMissingAccountReports();
    void openAccountIsRefused_data();
    void openAccountIsRefused();
    void renameMovesFolderAndAccountFile();
    void renameRefusesNames_data();
    void renameRefusesNames();

private:
    CTestHome m_home;
};

void TestAccountFolders::init()
{
    QDir(GetProgramFolder()).removeRecursively();
    QVERIFY(QDir().mkpath(GetProgramFolder()));
}

void TestAccountFolders::deleteRemovesWholeTree()
{
    QVERIFY(MakeAccount(QStringLiteral("Home")));
    QVERIFY(QDir().mkpath(Folder(QStringLiteral("Home/sub/deeper"))));
    QVERIFY(WriteFile(Folder(QStringLiteral("Home/sub/deeper/notes.txt")), "x"));
    CFakePrompts prompts;

    QVERIFY(CAccountFolders::DeleteAccount(QStringLiteral("Home"), prompts));
    QVERIFY(!PathExists(Folder(QStringLiteral("Home"))));
    QVERIFY(prompts.m_messages.isEmpty());
}

void TestAccountFolders::deleteMissingAccountReports()
{
    CFakePrompts prompts;
    QVERIFY(!CAccountFolders::DeleteAccount(QStringLiteral("Nobody"), prompts));
    QCOMPARE(prompts.MessageTexts(), QStringList{QStringLiteral("This account does not exist.")});
    QCOMPARE(prompts.m_messages[0].m_icon, IUserPrompts::Exclamation);
}

void TestAccountFolders::openAccountIsRefused_data()
{
    QTest::addColumn<bool>("rename");
    QTest::addColumn<QString>("message");
    QTest::newRow("delete") << false
                            << QStringLiteral("This account is currently open.  First close the "
                                              "account,\nthen try deleting it.");
    QTest::newRow("rename") << true
                            << QStringLiteral("This account is currently open.  First close the "
                                              "account,\nthen try renaming it.");
}

void TestAccountFolders::openAccountIsRefused()
{
    QFETCH(bool, rename);
    QFETCH(QString, message);
    CAccountFixture fixture;
    fixture.m_prompts.m_newAccountNames = {QStringLiteral("Home")};
    QVERIFY(fixture.m_account.NewAccount());
    CFakePrompts prompts;

    // Account names are compared ignoring case.
    const QString name = QStringLiteral("HOME");
    QVERIFY(rename ? !CAccountFolders::RenameAccount(name, QStringLiteral("Office"), prompts)
                   : !CAccountFolders::DeleteAccount(name, prompts));
    QCOMPARE(prompts.MessageTexts(), QStringList{message});
    QCOMPARE(prompts.m_messages[0].m_icon, IUserPrompts::Exclamation);
    QVERIFY(CAccountFile::CheckFolder(Folder(QStringLiteral("Home"))));
    QVERIFY(!PathExists(Folder(QStringLiteral("Office"))));
}

void TestAccountFolders::renameMovesFolderAndAccountFile()
{
    QVERIFY(MakeAccount(QStringLiteral("Home")));
    CFakePrompts prompts;

    QVERIFY(
        CAccountFolders::RenameAccount(QStringLiteral("Home"), QStringLiteral("Office"), prompts));
    const QString office = Folder(QStringLiteral("Office"));
    QVERIFY(!PathExists(Folder(QStringLiteral("Home"))));
    QString storedPath;
    QVERIFY(CAccountFile::Read(office + QStringLiteral("/Office.acf"), storedPath));
    QCOMPARE(storedPath, office);
    QVERIFY(!PathExists(office + QStringLiteral("/Home.acf")));
    QCOMPARE(ReadFile(office + QStringLiteral("/Work.grp")), GroupBytes);
    QVERIFY(prompts.m_messages.isEmpty());
}

void TestAccountFolders::renameRefusesNames_data()
{
    QTest::addColumn<QString>("oldName");
    QTest::addColumn<QString>("newName");
    QTest::addColumn<QString>("message");
    const QString failed = QStringLiteral("Failed to rename the account.");
    const auto row =
        [&](const char* title, const char* oldName, const char* newName, const QString& message)
    {
        QTest::newRow(title) << QString::fromUtf8(oldName) << QString::fromUtf8(newName) << message;
    };
    row("another account", "Home", "Work", failed);
    row("another account in other case", "Home", "WORK", failed);
    row("case only", "Home", "HOME", failed);
    row("missing account", "Nobody", "Office", failed);
    row("parent folder as the old name", "..", "Office", failed);
    row("empty", "Home", "", QStringLiteral("You must enter an account name."));
    row("separator", "Home", "a/b",
        QStringLiteral(
            "You must use an account name without any of the characters \\ / : * ? \" < > |."));
    row("parent folder", "Home", "..",
        QStringLiteral("You must use an account name that doesn't end with a period or a space."));
    row("device", "Home", "COM1",
        QStringLiteral("You must use another account name: \"COM1\" is the name of a device on "
                       "Windows."));
}

void TestAccountFolders::renameRefusesNames()
{
    QFETCH(QString, oldName);
    QFETCH(QString, newName);
    QFETCH(QString, message);
    QVERIFY(MakeAccount(QStringLiteral("Home")));
    QVERIFY(MakeAccount(QStringLiteral("Work")));
    const QStringList before = CAccountFile::ListAccounts(GetProgramFolder());
    CFakePrompts prompts;

    QVERIFY(!CAccountFolders::RenameAccount(oldName, newName, prompts));
    QCOMPARE(CAccountFile::ListAccounts(GetProgramFolder()), before);
    QCOMPARE(QDir(GetProgramFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QVERIFY(PathExists(Folder(QStringLiteral("Home/Home.acf"))));
    QCOMPARE(ReadFile(Folder(QStringLiteral("Work/Work.grp"))), GroupBytes);
    QCOMPARE(prompts.MessageTexts(), QStringList{message});
}

QTEST_GUILESS_MAIN(TestAccountFolders)
#include "tst_accountfolders.moc"
