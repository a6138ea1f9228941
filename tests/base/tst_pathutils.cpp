#include "base/PathUtils.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

namespace
{
constexpr auto EveryEntry = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

bool MakeFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("x") == 1;
}

// Files at every level, a hidden one among them, nested folders and an empty one.
bool MakeTree(const QString& root)
{
    return QDir().mkpath(root + "/sub/deeper") && QDir().mkpath(root + "/empty") &&
           MakeFile(root + "/Work.grp") && MakeFile(root + "/.hidden") &&
           MakeFile(root + "/sub/notes.txt") && MakeFile(root + "/sub/deeper/more.txt");
}

QStringList EntriesBelow(const QString& root)
{
    QStringList entries;
    QDirIterator it(root, EveryEntry, QDirIterator::Subdirectories);
    while (it.hasNext())
        entries << QDir(root).relativeFilePath(it.next());
    entries.sort();
    return entries;
}

const QStringList TreeFolders = {"empty", "sub", "sub/deeper"};

bool DeleteWith(bool deleteTree, const QString& path)
{
    return deleteTree ? DeleteFolderTree(path) : DeleteFolderContents(path);
}
} // namespace

class TestPathUtils : public QObject
{
    Q_OBJECT

private slots:
    void findPathSeparator_data();
    void findPathSeparator();
    void splitPath_data();
    void splitPath();
    void getPathTitle_data();
    void getPathTitle();
    void addTrailingBackslash_data();
    void addTrailingBackslash();
    void pathExists();
    void deleteFolderTreeRemovesEverything();
    void deleteFolderTreeNeedsFolder();
    void deleteFolderContentsKeepsFolders();
    void linksAreRemovedNotFollowed_data();
    void linksAreRemovedNotFollowed();
    void linkedRootIsNotEntered_data();
    void linkedRootIsNotEntered();
    void reportsWhatCouldNotBeDeleted_data();
    void reportsWhatCouldNotBeDeleted();
    void isPlainFileName_data();
    void isPlainFileName();
};

void TestPathUtils::findPathSeparator_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("fromFront");
    QTest::addColumn<qsizetype>("start");
    QTest::addColumn<qsizetype>("expected");

    const QString path = QStringLiteral("a/b\\c");
    QTest::newRow("front, from start") << path << true << qsizetype(0) << qsizetype(1);
    QTest::newRow("front, at separator") << path << true << qsizetype(1) << qsizetype(1);
    QTest::newRow("front, after first") << path << true << qsizetype(2) << qsizetype(3);
    QTest::newRow("front, negative start") << path << true << qsizetype(-5) << qsizetype(1);
    QTest::newRow("front, none after") << path << true << qsizetype(4) << qsizetype(-1);
    QTest::newRow("front, past end") << path << true << qsizetype(9) << qsizetype(-1);
    QTest::newRow("back, whole text") << path << false << qsizetype(-1) << qsizetype(3);
    QTest::newRow("back, past end") << path << false << qsizetype(9) << qsizetype(3);
    QTest::newRow("back, at separator") << path << false << qsizetype(1) << qsizetype(1);
    QTest::newRow("back, before second") << path << false << qsizetype(2) << qsizetype(1);
    QTest::newRow("back, none before") << path << false << qsizetype(0) << qsizetype(-1);
    QTest::newRow("no separator") << "abc" << false << qsizetype(-1) << qsizetype(-1);
    QTest::newRow("empty") << "" << true << qsizetype(0) << qsizetype(-1);
}

void TestPathUtils::findPathSeparator()
{
    QFETCH(QString, text);
    QFETCH(bool, fromFront);
    QFETCH(qsizetype, start);
    QFETCH(qsizetype, expected);

    QCOMPARE(FindPathSeparator(text, fromFront, start), expected);
}

void TestPathUtils::splitPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");

    QTest::newRow("no separator") << "Work.grp"
                                  << ""
                                  << "Work.grp";
    QTest::newRow("backslash last") << "a/b\\Work.grp"
                                    << "a/b\\"
                                    << "Work.grp";
    QTest::newRow("slash last") << "a\\b/Work.grp"
                                << "a\\b/"
                                << "Work.grp";
    QTest::newRow("folder only") << "a/b/"
                                 << "a/b/"
                                 << "";
    QTest::newRow("empty") << ""
                           << ""
                           << "";
}

void TestPathUtils::splitPath()
{
    QFETCH(QString, path);
    QFETCH(QString, folder);
    QFETCH(QString, name);

    QString folderOnly;
    SplitPath(path, &folderOnly, nullptr);
    QCOMPARE(folderOnly, folder);

    QString nameOnly;
    SplitPath(path, nullptr, &nameOnly);
    QCOMPARE(nameOnly, name);
}

void TestPathUtils::getPathTitle_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");

    QTest::newRow("dots in name") << "My.List.grp"
                                  << "My.List";
    QTest::newRow("dot in folder") << "C:\\acc.d/Work.grp"
                                   << "Work";
    QTest::newRow("no extension") << "acc.d/Work"
                                  << "Work";
    QTest::newRow("extension only") << ".grp"
                                    << "";
}

void TestPathUtils::getPathTitle()
{
    QFETCH(QString, path);
    QFETCH(QString, title);

    QCOMPARE(GetPathTitle(path), title);
}

void TestPathUtils::addTrailingBackslash_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("added");

    const QString separator = QDir::separator();
    QTest::newRow("empty") << "" << separator << true;
    QTest::newRow("folder") << "accounts"
                            << "accounts" + separator << true;
    QTest::newRow("ends in slash") << "accounts/"
                                   << "accounts/" << false;
    QTest::newRow("ends in backslash") << "accounts\\"
                                       << "accounts\\" << false;
}

void TestPathUtils::addTrailingBackslash()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QFETCH(bool, added);

    QCOMPARE(AddTrailingBackslash(text), added);
    QCOMPARE(text, expected);
}

void TestPathUtils::pathExists()
{
    QTemporaryDir temp;
    QVERIFY(MakeFile(temp.filePath("file")));
    QVERIFY(QFile::link(temp.filePath("missing"), temp.filePath("broken")));

    QVERIFY(PathExists(temp.path()));
    QVERIFY(PathExists(temp.filePath("file")));
    QVERIFY(PathExists(temp.filePath("broken")));
    QVERIFY(!PathExists(temp.filePath("missing")));
    QVERIFY(!PathExists(QString()));
}

void TestPathUtils::deleteFolderTreeRemovesEverything()
{
    QTemporaryDir temp;
    const QString root = temp.filePath("tree");
    QVERIFY(MakeTree(root));

    QVERIFY(DeleteFolderTree(root));
    QVERIFY(!QFileInfo::exists(root));
}

void TestPathUtils::deleteFolderTreeNeedsFolder()
{
    QTemporaryDir temp;
    const QString file = temp.filePath("Work.grp");
    QVERIFY(MakeFile(file));

    QVERIFY(!DeleteFolderTree(temp.filePath("missing")));
    QVERIFY(!DeleteFolderTree(file));
    QVERIFY(QFileInfo::exists(file));
}

void TestPathUtils::deleteFolderContentsKeepsFolders()
{
    QTemporaryDir temp;
    const QString root = temp.filePath("tree");
    QVERIFY(MakeTree(root));

    QVERIFY(DeleteFolderContents(root));
    QCOMPARE(EntriesBelow(root), TreeFolders);
}

void TestPathUtils::linksAreRemovedNotFollowed_data()
{
    QTest::addColumn<bool>("deleteTree");
    QTest::newRow("tree") << true;
    QTest::newRow("contents") << false;
}

void TestPathUtils::linksAreRemovedNotFollowed()
{
    QFETCH(bool, deleteTree);

    QTemporaryDir temp;
    const QString outside = temp.filePath("outside");
    const QString root = temp.filePath("tree");
    QVERIFY(QDir().mkpath(outside + "/inner"));
    QVERIFY(MakeFile(outside + "/keep.txt"));
    QVERIFY(MakeFile(outside + "/inner/keep.txt"));
    QVERIFY(MakeTree(root));
    QVERIFY(QFile::link(outside, root + "/toFolder"));
    QVERIFY(QFile::link(outside + "/keep.txt", root + "/sub/toFile"));
    QVERIFY(QFile::link(temp.filePath("missing"), root + "/broken"));

    QVERIFY(DeleteWith(deleteTree, root));

    QCOMPARE(EntriesBelow(outside), QStringList({"inner", "inner/keep.txt", "keep.txt"}));
    if (deleteTree)
        QVERIFY(!QFileInfo::exists(root));
    else
        QCOMPARE(EntriesBelow(root), TreeFolders);
}

void TestPathUtils::linkedRootIsNotEntered_data()
{
    QTest::addColumn<bool>("deleteTree");
    QTest::addColumn<bool>("linkGone");
    // Removing the link is removing the folder the caller named; emptying it would reach outside.
    QTest::newRow("tree") << true << true;
    QTest::newRow("contents") << false << false;
}

void TestPathUtils::linkedRootIsNotEntered()
{
    QFETCH(bool, deleteTree);
    QFETCH(bool, linkGone);

    QTemporaryDir temp;
    const QString target = temp.filePath("target");
    const QString link = temp.filePath("link");
    QVERIFY(MakeTree(target));
    const QStringList before = EntriesBelow(target);
    QVERIFY(QFile::link(target, link));

    QCOMPARE(DeleteWith(deleteTree, link), linkGone);
    QCOMPARE(QFileInfo(link).isSymLink(), !linkGone);
    QCOMPARE(EntriesBelow(target), before);
}

void TestPathUtils::reportsWhatCouldNotBeDeleted_data()
{
    QTest::addColumn<bool>("deleteTree");
    QTest::addColumn<QStringList>("remaining");
    QTest::newRow("tree") << true << QStringList({"locked", "locked/stuck.txt"});
    QTest::newRow("contents") << false
                              << QStringList(
                                     {"empty", "locked", "locked/stuck.txt", "sub", "sub/deeper"});
}

void TestPathUtils::reportsWhatCouldNotBeDeleted()
{
    QFETCH(bool, deleteTree);
    QFETCH(QStringList, remaining);

    QTemporaryDir temp;
    const QString root = temp.filePath("tree");
    const QString locked = root + "/locked";
    QVERIFY(MakeTree(root));
    QVERIFY(QDir().mkpath(locked));
    QVERIFY(MakeFile(locked + "/stuck.txt"));
    QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
    const auto unlock = qScopeGuard(
        [&]
        { QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
    if (MakeFile(locked + "/probe"))
        QSKIP("This user may change a read-only folder");

    QVERIFY(!DeleteWith(deleteTree, root));
    QCOMPARE(EntriesBelow(root), remaining);
}

void TestPathUtils::isPlainFileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("plain");

    QTest::newRow("word") << "Work" << true;
    QTest::newRow("blank inside") << "My List" << true;
    QTest::newRow("dots inside") << "v1.2 plans" << true;
    QTest::newRow("leading dot") << ".hidden" << true;
    QTest::newRow("accented") << QStringLiteral("Ébauches") << true;
    QTest::newRow("device name inside word") << "console" << true;
    QTest::newRow("not a device number") << "COM10" << true;
    QTest::newRow("longest") << QString(244, u'a') << true;
    QTest::newRow("longest two-byte") << QString(122, QChar(0xE9)) << true;

    QTest::newRow("empty") << "" << false;
    QTest::newRow("dot") << "." << false;
    QTest::newRow("dot dot") << ".." << false;
    QTest::newRow("trailing dot") << "Work." << false;
    QTest::newRow("trailing blank") << "Work " << false;
    QTest::newRow("too long") << QString(245, u'a') << false;
    QTest::newRow("too long two-byte") << QString(123, QChar(0xE9)) << false;
    for (const QChar ch : QStringLiteral("/\\:*?\"<>|"))
        QTest::addRow("has %c", ch.toLatin1()) << QString("a") + ch + "b" << false;
    for (const char16_t control : {u'\x01', u'\t', u'\x1F', u'\x7F'})
        QTest::addRow("control %#x", unsigned(control)) << QString("a") + QChar(control) << false;
    QTest::newRow("next-line control") << QStringLiteral("a\u0085b") << false;
    QTest::newRow("last C1 control") << QStringLiteral("a\u009Fb") << false;
    QTest::newRow("right-to-left override") << QStringLiteral("a\u202Eb") << false;
    QTest::newRow("left-to-right embedding") << QStringLiteral("a\u202Ab") << false;
    QTest::newRow("first isolate") << QStringLiteral("a\u2066b") << false;
    QTest::newRow("pop isolate") << QStringLiteral("a\u2069b") << false;
    QTest::newRow("non-breaking space inside") << QStringLiteral("a\u00A0b") << true;
    QTest::newRow("device") << "CON" << false;
    QTest::newRow("device, lower case") << "nul" << false;
    QTest::newRow("device with extension") << "Con.txt" << false;
    QTest::newRow("device with blank and extension") << "aux .grp" << false;
    QTest::newRow("numbered device") << "lpt9" << false;
    QTest::newRow("numbered device with extension") << "COM1.tar.gz" << false;
}

void TestPathUtils::isPlainFileName()
{
    QFETCH(QString, name);
    QFETCH(bool, plain);

    QCOMPARE(IsPlainFileName(name), plain);
}

QTEST_GUILESS_MAIN(TestPathUtils)
#include "tst_pathutils.moc"
