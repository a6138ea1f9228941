#include "views/GroupTreeModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

namespace
{
using CItemRow = CGroupTreeModel::CItemRow;

CItemRow Row(const QString& title, quint32 key)
{
    CItemRow row;
    row.m_strTitle = title;
    row.m_dwKey = key;
    return row;
}

QStringList Labels(const CGroupTreeModel& model, const QModelIndex& parent = {})
{
    QStringList labels;
    for (int row = 0; row < model.rowCount(parent); ++row)
        labels.append(CGroupTreeModel::Label(model.index(row, 0, parent)));
    return labels;
}
} // namespace

class TestGroupTreeModel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void rowsComeInOrderOfTheirLabels();
    void rowsAreFoundAndRemoved();
    void changesReachTheView();
    void dropHighlightMarksOneRow();

private:
    std::unique_ptr<CGroupTreeModel> m_model;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
};

// The toolkit's tester checks every index, parent and signal the model gives while it changes.
void TestGroupTreeModel::init()
{
    m_model = std::make_unique<CGroupTreeModel>(std::array<QIcon, CGroupTreeModel::ImageCount>{});
    m_tester = std::make_unique<QAbstractItemModelTester>(
        m_model.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
}

void TestGroupTreeModel::cleanup()
{
    m_tester.reset();
    m_model.reset();
}

// Equal titles keep the order they came in; a later row goes after its equals.
void TestGroupTreeModel::rowsComeInOrderOfTheirLabels()
{
    CGroupTreeModel& model = *m_model;
    model.AddGroup(QStringLiteral("beta"), {Row("b", 1), Row("C", 2), Row("a", 3), Row("B", 4)});
    const QModelIndex alpha = model.AddGroup(QStringLiteral("Alpha"), {});
    model.AddGroup(QStringLiteral("alpha"), {});
    QCOMPARE(Labels(model), QStringList({"Alpha", "alpha", "beta"}));
    const QModelIndex beta = model.FindGroup(QStringLiteral("BETA"));
    QCOMPARE(Labels(model, beta), QStringList({"a", "b", "B", "C"}));
    QCOMPARE(CGroupTreeModel::Key(model.index(2, 0, beta)), 4u);

    model.AddItem(beta, Row("b", 5));
    QCOMPARE(CGroupTreeModel::Key(model.index(3, 0, beta)), 5u);
    model.AddItem(alpha, Row("x", 6));
    QCOMPARE(Labels(model, model.index(0, 0)), QStringList({"x"}));
}

void TestGroupTreeModel::rowsAreFoundAndRemoved()
{
    CGroupTreeModel& model = *m_model;
    model.AddGroup(QStringLiteral("Home"), {Row("Eggs", 1), Row("Milk", 2)});
    model.AddGroup(QStringLiteral("Bills"), {Row("Rent", 7)});
    model.AddGroup(QStringLiteral("Work"), {});

    const QModelIndex milk = model.FindItem(QStringLiteral("home"), 2);
    QCOMPARE(CGroupTreeModel::Label(milk), QStringLiteral("Milk"));
    QCOMPARE(CGroupTreeModel::GroupName(milk), QStringLiteral("Home"));
    QVERIFY(!CGroupTreeModel::IsGroup(milk));
    QVERIFY(CGroupTreeModel::IsGroup(milk.parent()));
    QVERIFY(!model.FindItem(QStringLiteral("Home"), 7).isValid());
    QVERIFY(!model.FindGroup(QStringLiteral("Nowhere")).isValid());

    model.RemoveRow(model.FindGroup(QStringLiteral("Bills")));
    QCOMPARE(Labels(model), QStringList({"Home", "Work"}));
    // Items below a group that moved up still name their group.
    QCOMPARE(CGroupTreeModel::GroupName(model.FindItem(QStringLiteral("Home"), 2)),
             QStringLiteral("Home"));
    QCOMPARE(model.FindItem(QStringLiteral("Home"), 2).parent(),
             model.FindGroup(QStringLiteral("Home")));

    model.RemoveRow(model.FindItem(QStringLiteral("Home"), 1));
    QCOMPARE(Labels(model, model.FindGroup(QStringLiteral("Home"))), QStringList({"Milk"}));
    model.RemoveItems(model.FindGroup(QStringLiteral("Home")));
    QCOMPARE(model.rowCount(model.FindGroup(QStringLiteral("Home"))), 0);
    model.Clear();
    QCOMPARE(model.rowCount(), 0);
}

void TestGroupTreeModel::changesReachTheView()
{
    CGroupTreeModel& model = *m_model;
    const QModelIndex group = model.AddGroup(QStringLiteral("Home"), {Row("Eggs", 1)});
    const QModelIndex eggs = model.index(0, 0, group);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    model.SetCompleted(eggs, true);
    QCOMPARE(eggs.data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QVERIFY(!group.data(Qt::CheckStateRole).isValid());
    model.SetLabel(eggs, QStringLiteral("Ducks"));
    QCOMPARE(eggs.data(Qt::EditRole).toString(), QStringLiteral("Ducks"));
    model.SetLabel(group, QStringLiteral("House"));
    QVERIFY(model.FindGroup(QStringLiteral("House")).isValid());
    model.SetImage(eggs, CGroupTreeModel::StickyItemImage);
    QCOMPARE(changed.size(), 4);
    QCOMPARE(changed.at(0).at(0).value<QModelIndex>(), eggs);
    QCOMPARE(model.flags(group) & Qt::ItemIsDropEnabled, Qt::ItemIsDropEnabled);
    QCOMPARE(model.flags(eggs) & Qt::ItemIsDragEnabled, Qt::ItemIsDragEnabled);
}

void TestGroupTreeModel::dropHighlightMarksOneRow()
{
    CGroupTreeModel& model = *m_model;
    const QModelIndex home = model.AddGroup(QStringLiteral("Home"), {});
    const QModelIndex work = model.AddGroup(QStringLiteral("Work"), {});
    model.SetDropHighlight(home, Qt::blue, Qt::white);
    QCOMPARE(home.data(Qt::BackgroundRole).value<QBrush>(), QBrush(Qt::blue));
    model.SetDropHighlight(work, Qt::blue, Qt::white);
    QVERIFY(!home.data(Qt::BackgroundRole).isValid());
    QCOMPARE(work.data(Qt::ForegroundRole).value<QBrush>(), QBrush(Qt::white));
    model.SetDropHighlight({}, {}, {});
    QVERIFY(!work.data(Qt::BackgroundRole).isValid());
}

QTEST_GUILESS_MAIN(TestGroupTreeModel)
#include "tst_grouptreemodel.moc"
