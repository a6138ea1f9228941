#include "model/GroupTree.h"
#include "tray/QuickList.h"

#include <QTest>

namespace
{
// Records the icon updates it is asked for; the list needs nothing else from the tree.
class CIconRecordingTree : public IGroupTree
{
public:
    QStringList m_itemIcons;
    int m_nAllIcons = 0;

    bool UpdateItemIcon(const QString& group, quint32 key) override
    {
        m_itemIcons.append(Entry(group, key));
        return true;
    }
    bool UpdateAllItemIcons() override
    {
        ++m_nAllIcons;
        return true;
    }

    static QString Entry(const QString& group, quint32 key)
    {
        return group + u':' + QString::number(key);
    }

    bool AddGroupNode(const CVemoGroup&) override { return false; }
    bool AddItemNode(const QString&, const CVemoItem&) override { return false; }
    bool DeleteGroupNode(const QString&) override { return false; }
    bool DeleteItemNode(const QString&, quint32) override { return false; }
    bool DeleteGroupItemNodes(const QString&) override { return false; }
    bool DeleteAllNodes() override { return false; }
    bool SelectItemNode(const QString&, quint32) override { return false; }
    bool SetItemLabel(const QString&, quint32, const QString&) override { return false; }
    bool SetItemCheck(const QString&, quint32, bool) override { return false; }
    bool GetSelectedGroupNode() const override { return false; }
    QString GetSelectedGroupName(bool) const override { return {}; }
    quint32 GetSelectedItemKey() const override { return 0; }
};

// Entries as "group:key", read through Get so that its order is the one checked.
QStringList Entries(const CQuickList& list)
{
    QStringList entries;
    QString group;
    quint32 key = 0;
    for (int i = 0; list.Get(i, group, key); ++i)
        entries.append(CIconRecordingTree::Entry(group, key));
    return entries;
}

void Fill(CQuickList& list, const QStringList& entries)
{
    for (const QString& entry : entries)
        QVERIFY(list.Add(entry.section(u':', 0, 0), entry.section(u':', 1).toUInt()));
}
} // namespace

class TestQuickList : public QObject
{
    Q_OBJECT

private slots:
    void acceptsNineEntriesAndRefusesTheTenth();
    void addRefusesAPairAlreadyPresent_data();
    void addRefusesAPairAlreadyPresent();
    void removeClosesTheGapAndKeepsOrder_data();
    void removeClosesTheGapAndKeepsOrder();
    void removeRefusesAnAbsentPair();
    void copyAllGivesBothListsInOrder();
    void copyAllFailsWhenEmpty();
    void getRefusesAnIndexOutOfRange_data();
    void getRefusesAnIndexOutOfRange();
    void addAndRemoveUpdateTheItemIcon();
    void removeAllEmptiesAndUpdatesAllIcons();
    void withoutATreeNoIconIsUpdated();
    void removeGroupDropsEveryEntryOfTheGroup();
    void renameGroupReKeysEntriesInPlace();
};

void TestQuickList::acceptsNineEntriesAndRefusesTheTenth()
{
    CQuickList list;
    for (quint32 key = 1; key <= 8; ++key)
        QVERIFY(list.Add(QStringLiteral("Home"), key));
    QVERIFY(list.Add(QStringLiteral("Work"), 9));
    QCOMPARE(list.GetCount(), CQuickList::Limit - 1);

    QVERIFY(!list.Add(QStringLiteral("Work"), 10));
    QCOMPARE(list.GetCount(), 9);
    QVERIFY(!list.Contains(QStringLiteral("Work"), 10));
}

void TestQuickList::addRefusesAPairAlreadyPresent_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<quint32>("key");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("same pair") << QStringLiteral("Home") << 1u << false;
    QTest::newRow("letter case") << QStringLiteral("HOME") << 1u << false;
    QTest::newRow("other key") << QStringLiteral("Home") << 2u << true;
    QTest::newRow("other group") << QStringLiteral("Work") << 1u << true;
    QTest::newRow("non-ASCII case") << QStringLiteral("Été") << 1u << true;
}

void TestQuickList::addRefusesAPairAlreadyPresent()
{
    QFETCH(QString, group);
    QFETCH(quint32, key);
    QFETCH(bool, accepted);
    CQuickList list;
    QVERIFY(list.Add(QStringLiteral("Home"), 1));
    QVERIFY(list.Add(QStringLiteral("été"), 1));

    QCOMPARE(list.Add(group, key), accepted);
    QCOMPARE(list.GetCount(), accepted ? 3 : 2);
    QVERIFY(list.Contains(group, key));
}

void TestQuickList::removeClosesTheGapAndKeepsOrder_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<quint32>("key");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("first") << QStringLiteral("Home") << 1u << QStringList{"Work:2", "Home:3"};
    QTest::newRow("middle") << QStringLiteral("work") << 2u << QStringList{"Home:1", "Home:3"};
    QTest::newRow("last") << QStringLiteral("HOME") << 3u << QStringList{"Home:1", "Work:2"};
}

void TestQuickList::removeClosesTheGapAndKeepsOrder()
{
    QFETCH(QString, group);
    QFETCH(quint32, key);
    QFETCH(QStringList, left);
    CQuickList list;
    Fill(list, {"Home:1", "Work:2", "Home:3"});

    QVERIFY(list.Remove(group, key));
    QCOMPARE(Entries(list), left);
    QCOMPARE(list.IndexOf(group, key), -1);
}

void TestQuickList::removeRefusesAnAbsentPair()
{
    CIconRecordingTree tree;
    CQuickList list;
    Fill(list, {"Home:1", "Work:2"});
    list.SetTree(&tree);

    QVERIFY(!list.Remove(QStringLiteral("Home"), 2));
    QVERIFY(!list.Remove(QStringLiteral("Away"), 1));
    QCOMPARE(Entries(list), (QStringList{"Home:1", "Work:2"}));
    QVERIFY(tree.m_itemIcons.isEmpty());
}

void TestQuickList::copyAllGivesBothListsInOrder()
{
    CQuickList list;
    Fill(list, {"Work:7", "Home:1", "Work:3"});

    QStringList names;
    QList<quint32> keys;
    QVERIFY(list.CopyAll(names, keys));
    QCOMPARE(names, (QStringList{"Work", "Home", "Work"}));
    QCOMPARE(keys, (QList<quint32>{7, 1, 3}));
    QCOMPARE(Entries(list), (QStringList{"Work:7", "Home:1", "Work:3"}));
    QCOMPARE(list.IndexOf(QStringLiteral("WORK"), 3), 2);
}

void TestQuickList::copyAllFailsWhenEmpty()
{
    CQuickList list;
    QStringList names{"untouched"};
    QList<quint32> keys{5};

    QVERIFY(!list.CopyAll(names, keys));
    Fill(list, {"Home:1"});
    QVERIFY(list.Remove(QStringLiteral("Home"), 1));
    QVERIFY(!list.CopyAll(names, keys));
    QCOMPARE(names, QStringList{"untouched"});
    QCOMPARE(keys, QList<quint32>{5});
}

void TestQuickList::getRefusesAnIndexOutOfRange_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("negative") << -1;
    QTest::newRow("count") << 2;
    QTest::newRow("limit") << CQuickList::Limit;
}

void TestQuickList::getRefusesAnIndexOutOfRange()
{
    QFETCH(int, index);
    CQuickList list;
    Fill(list, {"Home:1", "Work:2"});
    QString group;
    quint32 key = 0;

    QVERIFY(!list.Get(index, group, key));
}

void TestQuickList::addAndRemoveUpdateTheItemIcon()
{
    CIconRecordingTree tree;
    CQuickList list;
    list.SetTree(&tree);

    QVERIFY(list.Add(QStringLiteral("Home"), 1));
    QVERIFY(!list.Add(QStringLiteral("HOME"), 1));
    QVERIFY(list.Add(QStringLiteral("Work"), 2));
    QVERIFY(list.Remove(QStringLiteral("Home"), 1));

    QCOMPARE(tree.m_itemIcons, (QStringList{"Home:1", "Work:2", "Home:1"}));
    QCOMPARE(tree.m_nAllIcons, 0);
}

void TestQuickList::removeAllEmptiesAndUpdatesAllIcons()
{
    CIconRecordingTree tree;
    CQuickList list;
    Fill(list, {"Home:1", "Work:2"});
    list.SetTree(&tree);

    list.RemoveAll();

    QCOMPARE(list.GetCount(), 0);
    QVERIFY(!list.Contains(QStringLiteral("Home"), 1));
    QCOMPARE(tree.m_nAllIcons, 1);
    QVERIFY(tree.m_itemIcons.isEmpty());
}

void TestQuickList::withoutATreeNoIconIsUpdated()
{
    CIconRecordingTree tree;
    CQuickList list;
    list.SetTree(&tree);
    list.SetTree(nullptr);

    QVERIFY(list.Add(QStringLiteral("Home"), 1));
    QVERIFY(list.Remove(QStringLiteral("Home"), 1));
    list.RemoveAll();

    QVERIFY(tree.m_itemIcons.isEmpty());
    QCOMPARE(tree.m_nAllIcons, 0);
}

void TestQuickList::removeGroupDropsEveryEntryOfTheGroup()
{
    CQuickList list;
    Fill(list, {"Home:1", "Work:2", "HOME:3", "Work:4", "Home:5"});

    list.RemoveGroup(QStringLiteral("home"));

    QCOMPARE(Entries(list), (QStringList{"Work:2", "Work:4"}));
    QVERIFY(list.Add(QStringLiteral("Home"), 1));
}

void TestQuickList::renameGroupReKeysEntriesInPlace()
{
    CQuickList list;
    Fill(list, {"Home:1", "Work:2", "home:3"});

    list.RenameGroup(QStringLiteral("HOME"), QStringLiteral("House"));

    QCOMPARE(Entries(list), (QStringList{"House:1", "Work:2", "House:3"}));
    QVERIFY(!list.Contains(QStringLiteral("Home"), 1));
    QVERIFY(!list.Add(QStringLiteral("house"), 3));
}

QTEST_APPLESS_MAIN(TestQuickList)
#include "tst_quicklist.moc"
