#include "TestFiles.h"
#include "TestHome.h"
#include "model/AccountFile.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <sys/stat.h>

namespace
{
const QByteArray SignatureBytes = "{3305BA81-99A6-11d2-BCF4-0008C7C9955E}";
} // namespace

class TestAccountFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void layoutIsSignatureThenPath();
    void checkFolder_data();
    void checkFolder();
    void listsFoldersWithValidAccountFile();
    void unchangedAccountFileIsNotRewritten();

private:
    QString MakeFolder(const QString& name);

    CTestHome m_home;
    QString m_programFolder;
};

void TestAccountFile::init()
{
    static int run = 0;
    m_programFolder = m_home.Path(QStringLiteral("program%1").arg(++run));
    QVERIFY(QDir().mkpath(m_programFolder));
}

QString TestAccountFile::MakeFolder(const QString& name)
{
    const QString folder = m_programFolder + QLatin1Char('/') + name;
    QDir().mkpath(folder);
    return folder;
}

void TestAccountFile::layoutIsSignatureThenPath()
{
    const QString folder = MakeFolder(QStringLiteral("Home"));
    QVERIFY(CAccountFile::Write(folder));
    QCOMPARE(CAccountFile::FilePath(folder), folder + QStringLiteral("/Home.acf"));

    const QByteArray path = folder.toLatin1();
    const QByteArray expected = "\x26" + SignatureBytes + char(path.size()) + path;
    QCOMPARE(ReadFile(folder + QStringLiteral("/Home.acf")), expected);
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("Home.acf")});

    QString stored;
    QVERIFY(CAccountFile::Read(folder + QStringLiteral("/Home.acf"), stored));
    QCOMPARE(stored, folder);
}

void TestAccountFile::checkFolder_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("valid");
    const QByteArray good = CAccountFile::ToBytes(QStringLiteral("/old/place/Home"));
    QTest::newRow("stored path elsewhere still opens") << good << true;
    QTest::newRow("signature in other case")
        << CAccountFile::ToBytes(QStringLiteral("x")).replace("11d2", "11D2") << false;
    QTest::newRow("another first string") << QByteArray::fromHex("0378797a00") << false;
    QTest::newRow("path cut short") << good.left(good.size() - 1) << false;
    QTest::newRow("signature only") << good.left(39) << false;
    QTest::newRow("empty") << QByteArray() << false;
}

void TestAccountFile::checkFolder()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, valid);
    const QString folder = MakeFolder(QStringLiteral("Home"));
    QVERIFY(WriteFile(folder + QStringLiteral("/Home.acf"), bytes));
    QCOMPARE(CAccountFile::CheckFolder(folder), valid);
}

// The folders that would open, hidden ones too; a folder holding another folder's account file
// (renamed by hand, or an import being built) would not open and is not offered.
void TestAccountFile::listsFoldersWithValidAccountFile()
{
    QVERIFY(CAccountFile::Write(MakeFolder(QStringLiteral("Work"))));
    QVERIFY(CAccountFile::Write(MakeFolder(QStringLiteral("Home"))));
    QVERIFY(CAccountFile::Write(MakeFolder(QStringLiteral(".Secret"))));
    QVERIFY(CAccountFile::Write(MakeFolder(QStringLiteral("apple"))));
    const QString renamed = MakeFolder(QStringLiteral("Renamed"));
    QVERIFY(WriteFile(renamed + QStringLiteral("/Other.acf"),
                      CAccountFile::ToBytes(QStringLiteral("/gone"))));
    QVERIFY(WriteFile(MakeFolder(QStringLiteral("Junk")) + QStringLiteral("/Junk.acf"), "junk"));
    MakeFolder(QStringLiteral("Empty"));
    QVERIFY(WriteFile(m_programFolder + QStringLiteral("/Stray.acf"),
                      CAccountFile::ToBytes(QStringLiteral("/x"))));

    // Sorted as a user reads them, whatever the letter case.
    const QStringList expected{QStringLiteral(".Secret"), QStringLiteral("apple"),
                               QStringLiteral("Home"), QStringLiteral("Work")};
    QCOMPARE(CAccountFile::ListAccounts(m_programFolder), expected);
    QVERIFY(CAccountFile::ListAccounts(MakeFolder(QStringLiteral("Empty"))).isEmpty());
}

// A save rewrites the file only when its bytes change: a moved account gets its new path.
void TestAccountFile::unchangedAccountFileIsNotRewritten()
{
    const QString folder = MakeFolder(QStringLiteral("Home"));
    QVERIFY(CAccountFile::Write(folder));
    const QString path = folder + QStringLiteral("/Home.acf");
    struct stat before = {};
    QCOMPARE(::stat(QFile::encodeName(path).constData(), &before), 0);
    QVERIFY(CAccountFile::Write(folder));
    struct stat again = {};
    QCOMPARE(::stat(QFile::encodeName(path).constData(), &again), 0);
    QCOMPARE(again.st_ino, before.st_ino);

    const QString moved = m_programFolder + QStringLiteral("/Moved");
    QVERIFY(QDir().rename(folder, moved));
    QVERIFY(
        QFile::rename(moved + QStringLiteral("/Home.acf"), moved + QStringLiteral("/Moved.acf")));
    QVERIFY(CAccountFile::Write(moved));
    QString stored;
    QFile file(moved + QStringLiteral("/Moved.acf"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(CAccountFile::FromBytes(file.readAll(), stored));
    QCOMPARE(stored, moved);
}

QTEST_APPLESS_MAIN(TestAccountFile)
#include "tst_accountfile.moc"
