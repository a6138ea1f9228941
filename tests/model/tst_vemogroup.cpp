#include "ItemRecord.h"
#include "TestFiles.h"
#include "TestHome.h"
#include "base/PathUtils.h"
#include "model/VemoGroup.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace
{
// An item with empty strings and the face name "Arial": 112 bytes.
QByteArray ItemWithKey(quint32 key)
{
    return CItemRecord{.key = key}.Bytes();
}

const QByteArray TwoItems = QByteArray::fromHex("02000000") + ItemWithKey(5) + ItemWithKey(2);

} // namespace

class TestVemoGroup : public QObject
{
    Q_OBJECT

private slots:
    void keysCountUpAndAreNeverReused();
    void loadContinuesKeysAboveHighestStored();
    void emptyGroupIsFourZeroBytes();
    void everyChangeMarksModified();
    void setItemKeepsTheStoredKey();
    void loadRejectsFileCutAnywhere();
    void loadRejectsBadCounts_data();
    void loadRejectsBadCounts();
    void failedLoadKeepsItemsReadAndNoName();
    void fileNameIsGroupName();
    void loadAndSaveLeavesFileUnchanged();
    void saveClearsModifiedOnlyOnSuccess();
    void longestAcceptedNameSavesAndLoads_data();
    void longestAcceptedNameSavesAndLoads();
    void deleteGroupFileRemovesIt();

private:
    CTestHome m_home;
};

void TestVemoGroup::keysCountUpAndAreNeverReused()
{
    CVemoGroup group;
    QCOMPARE(group.AddNewItem(0, 0, 0, QStringLiteral("one"), QString()), 1u);
    QCOMPARE(group.AddItem(CVemoItem(Qt::Uninitialized)), 2u);
    QCOMPARE(group.AddNewItem(0, 0, 0, QStringLiteral("three"), QString()), 3u);
    QVERIFY(group.RemoveItem(3));
    QCOMPARE(group.AddNewItem(0, 0, 0, QStringLiteral("four"), QString()), 4u);
    QCOMPARE(group.FindItem(3), -1);
    QCOMPARE(group.FindItem(4), 2);

    CVemoItem item(Qt::Uninitialized);
    QVERIFY(group.GetItem(1, item));
    QCOMPARE(item.GetTitle(), QStringLiteral("one"));
    QVERIFY(!group.GetItem(3, item));
}

void TestVemoGroup::loadContinuesKeysAboveHighestStored()
{
    CVemoGroup group;
    QVERIFY(group.LoadFromBytes(TwoItems));
    QCOMPARE(group.GetItems().size(), 2);
    QCOMPARE(group.GetItems()[0].m_dwKey, 5u);
    QCOMPARE(group.GetItems()[1].m_dwKey, 2u);
    QCOMPARE(group.GetLastKey(), 5u);
    QVERIFY(!group.IsModified());
    QCOMPARE(group.AddItem(CVemoItem(Qt::Uninitialized)), 6u);
}

void TestVemoGroup::emptyGroupIsFourZeroBytes()
{
    CVemoGroup group;
    QCOMPARE(group.SaveToBytes(), QByteArray(4, '\0'));
    QVERIFY(group.LoadFromBytes(QByteArray(4, '\0')));
    QCOMPARE(group.GetLastKey(), 0u);
    QVERIFY(group.GetItems().isEmpty());
}

void TestVemoGroup::everyChangeMarksModified()
{
    const auto loaded = []
    {
        CVemoGroup group;
        group.LoadFromBytes(TwoItems);
        return group;
    };
    CVemoGroup group = loaded();
    QVERIFY(!group.RemoveItem(99));
    QVERIFY(group.IsModified());

    group = loaded();
    QVERIFY(group.SetQuickListed(2, true));
    QVERIFY(group.IsModified());
    CVemoItem item(Qt::Uninitialized);
    QVERIFY(group.GetItem(2, item));
    QCOMPARE(item.m_bQuickListed, 1);

    group = loaded();
    QVERIFY(group.RemoveAllItems());
    QVERIFY(group.IsModified());
    QVERIFY(group.GetItems().isEmpty());

    group = loaded();
    group.SetName(QStringLiteral("Renamed"));
    QVERIFY(group.IsModified());

    group = loaded();
    CVemoItem copy(Qt::Uninitialized);
    QVERIFY(group.GetItem(5, copy));
    QVERIFY(!group.IsModified());
}

void TestVemoGroup::setItemKeepsTheStoredKey()
{
    CVemoGroup group;
    group.LoadFromBytes(TwoItems);
    CVemoItem other(Qt::Uninitialized);
    QVERIFY(group.GetItem(5, other));
    other.m_strTitle = QStringLiteral("changed");
    QVERIFY(group.SetItem(2, other));

    CVemoItem stored(Qt::Uninitialized);
    QVERIFY(group.GetItem(2, stored));
    QCOMPARE(stored.GetTitle(), QStringLiteral("changed"));
    QCOMPARE(stored.m_dwKey, 2u);
    QVERIFY(group.GetItem(5, stored));
    QVERIFY(stored.GetTitle().isEmpty());
    QVERIFY(!group.SetItem(77, other));
}

void TestVemoGroup::loadRejectsFileCutAnywhere()
{
    for (int size = 0; size < TwoItems.size(); ++size)
    {
        CVemoGroup group;
        QVERIFY2(!group.LoadFromBytes(TwoItems.left(size)), qPrintable(QString::number(size)));
    }
}

void TestVemoGroup::loadRejectsBadCounts_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("count 3, two records")
        << QByteArray::fromHex("03000000") + ItemWithKey(5) + ItemWithKey(2);
    QTest::newRow("count near 2^32") << QByteArray::fromHex("ffffffff") + ItemWithKey(1);
    QByteArray hugeTitle = QByteArray::fromHex("01000000") + ItemWithKey(1);
    hugeTitle.replace(16, 1, QByteArray::fromHex("ffffffffffff7f"));
    QTest::newRow("title length beyond file") << hugeTitle;
}

void TestVemoGroup::loadRejectsBadCounts()
{
    QFETCH(QByteArray, bytes);
    CVemoGroup group;
    QVERIFY(!group.LoadFromBytes(bytes));
}

void TestVemoGroup::failedLoadKeepsItemsReadAndNoName()
{
    const QString path = m_home.Path(QStringLiteral("Cut.grp"));
    QVERIFY(WriteFile(path, TwoItems.left(TwoItems.size() - 1)));
    CVemoGroup group;
    QVERIFY(!group.LoadFromFile(path));
    QCOMPARE(group.GetItems().size(), 1);
    QVERIFY(group.GetName().isEmpty());
    QVERIFY(!group.LoadFromFile(m_home.Path(QStringLiteral("Missing.grp"))));
}

void TestVemoGroup::fileNameIsGroupName()
{
    QDir().mkpath(m_home.Path(QStringLiteral("Home")));
    const QString folder = m_home.Path(QStringLiteral("Home"));
    QVERIFY(WriteFile(folder + QStringLiteral("/My.List.grp"), TwoItems));
    CVemoGroup group;
    QVERIFY(group.LoadFromFile(folder + QStringLiteral("/My.List.grp")));
    QCOMPARE(group.GetName(), QStringLiteral("My.List"));
    QVERIFY(!group.IsModified());

    group.SetName(QStringLiteral("Bills"));
    QCOMPARE(group.GetFilePath(folder), folder + QStringLiteral("/Bills.grp"));
    QCOMPARE(group.GetFilePath(folder + QLatin1Char('/')), folder + QStringLiteral("/Bills.grp"));
}

void TestVemoGroup::loadAndSaveLeavesFileUnchanged()
{
    // Values a new item never has: a has-sticky flag of 7, a character set and an escapement.
    const QByteArray odd =
        QByteArray::fromHex("02000000") +
        CItemRecord{.key = 5, .hasSticky = 7, .charSet = 2, .escapement = 16}.Bytes() +
        ItemWithKey(2);
    const QString folder = m_home.Path(QString());
    QVERIFY(WriteFile(folder + QStringLiteral("/Odd.grp"), odd));
    CVemoGroup group;
    QVERIFY(group.LoadFromFile(folder + QStringLiteral("/Odd.grp")));
    QCOMPARE(group.SaveToBytes(), odd);
}

void TestVemoGroup::saveClearsModifiedOnlyOnSuccess()
{
    const QString folder = m_home.Path(QStringLiteral("Save"));
    CVemoGroup group;
    group.SetName(QStringLiteral("Bills"));
    group.AddNewItem(1, 2, 3, QStringLiteral("Rent"), QStringLiteral("due\r\nsoon"));
    QVERIFY(!group.SaveToFile(folder));
    QVERIFY(group.IsModified());

    QVERIFY(QDir().mkpath(folder));
    QVERIFY(group.SaveToFile(folder));
    QVERIFY(!group.IsModified());
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("Bills.grp")});
    QCOMPARE(ReadFile(folder + QStringLiteral("/Bills.grp")), group.SaveToBytes());

    CVemoGroup reloaded;
    QVERIFY(reloaded.LoadFromFile(folder + QStringLiteral("/Bills.grp")));
    QCOMPARE(reloaded.GetItems(), group.GetItems());
}

void TestVemoGroup::longestAcceptedNameSavesAndLoads_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("one-byte letters") << QString(244, u'G');
    QTest::newRow("two-byte letters") << QString(122, QChar(0xE9));
}

// The name check is only right if the longest name it lets through can really be saved.
void TestVemoGroup::longestAcceptedNameSavesAndLoads()
{
    QFETCH(QString, name);
    QVERIFY(IsPlainFileName(name));
    QVERIFY(!IsPlainFileName(name + u'G'));
    const QString folder = m_home.Path(QStringLiteral("Long"));
    QVERIFY(QDir().mkpath(folder));
    CVemoGroup group;
    group.SetName(name);
    group.AddNewItem(1, 2, 3, QStringLiteral("Rent"), QStringLiteral("due"));
    QVERIFY(group.SaveToFile(folder));

    CVemoGroup reloaded;
    QVERIFY(reloaded.LoadFromFile(group.GetFilePath(folder)));
    QCOMPARE(reloaded.GetName(), name);
    QCOMPARE(reloaded.GetItems(), group.GetItems());
}

void TestVemoGroup::deleteGroupFileRemovesIt()
{
    const QString folder = m_home.Path(QStringLiteral("Delete"));
    QVERIFY(QDir().mkpath(folder));
    CVemoGroup group;
    group.SetName(QStringLiteral("Gone"));
    QVERIFY(group.SaveToFile(folder));
    QVERIFY(group.DeleteGroupFile(folder));
    QVERIFY(!QFile::exists(folder + QStringLiteral("/Gone.grp")));
    QVERIFY(!group.DeleteGroupFile(folder));
}

QTEST_APPLESS_MAIN(TestVemoGroup)
#include "tst_vemogroup.moc"
