#include "GroupTreeModel.h"

#include "base/CompareCaseless.h"
#include "model/GroupName.h"

#include <algorithm>

namespace
{
// Group rows take drops, item rows are dragged; neither may be checked by the control itself.
constexpr Qt::ItemFlags GroupFlags =
    Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable | Qt::ItemIsDropEnabled;
constexpr Qt::ItemFlags ItemFlags =
    Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable | Qt::ItemIsDragEnabled;

// After the rows whose labels sort before or equal to the new one, found by halving.
template <typename Rows, typename LabelOf>
int SortedPlace(const Rows& rows, const QString& label, LabelOf labelOf)
{
    const auto place = std::upper_bound(rows.begin(), rows.end(), label,
                                        [&](const QString& wanted, const auto& row)
                                        { return CompareCaseless(wanted, labelOf(row)) < 0; });
    return int(place - rows.begin());
}
} // namespace

CGroupTreeModel::CGroupTreeModel(const std::array<QIcon, ImageCount>& images, QObject* parent)
    : QAbstractItemModel(parent)
    , m_images(images)
{
}

QModelIndex CGroupTreeModel::AddGroup(const QString& name, QList<CItemRow> items)
{
    std::stable_sort(items.begin(), items.end(),
                     [](const CItemRow& left, const CItemRow& right)
                     { return CompareCaseless(left.m_strTitle, right.m_strTitle) < 0; });
    const int row = SortedPlace(
        m_groups, name, [](const auto& group) -> const QString& { return group->m_strName; });
    beginInsertRows({}, row, row);
    auto group = std::make_unique<CGroupRow>();
    group->m_strName = name;
    group->m_items = std::move(items);
    m_groups.insert(m_groups.begin() + row, std::move(group));
    Renumber(row);
    endInsertRows();
    return index(row, 0);
}

QModelIndex CGroupTreeModel::AddItem(const QModelIndex& group, const CItemRow& item)
{
    CGroupRow* groupRow = GroupAt(group);
    if (!groupRow)
        return {};
    const int row =
        SortedPlace(groupRow->m_items, item.m_strTitle,
                    [](const CItemRow& sibling) -> const QString& { return sibling.m_strTitle; });
    beginInsertRows(group, row, row);
    groupRow->m_items.insert(row, item);
    endInsertRows();
    return index(row, 0, group);
}

void CGroupTreeModel::RemoveRow(const QModelIndex& index)
{
    if (CGroupRow* group = GroupOf(index))
    {
        beginRemoveRows(parent(index), index.row(), index.row());
        group->m_items.removeAt(index.row());
        endRemoveRows();
    }
    else if (GroupAt(index))
    {
        beginRemoveRows({}, index.row(), index.row());
        m_groups.erase(m_groups.begin() + index.row());
        Renumber(index.row());
        endRemoveRows();
    }
}

void CGroupTreeModel::RemoveItems(const QModelIndex& group)
{
    CGroupRow* groupRow = GroupAt(group);
    if (!groupRow || groupRow->m_items.isEmpty())
        return;
    beginRemoveRows(group, 0, int(groupRow->m_items.size()) - 1);
    groupRow->m_items.clear();
    endRemoveRows();
}

void CGroupTreeModel::Clear()
{
    beginResetModel();
    m_groups.clear();
    endResetModel();
}

QModelIndex CGroupTreeModel::FindGroup(const QString& name) const
{
    for (const auto& group : m_groups)
    {
        if (SameGroupName(group->m_strName, name))
            return index(group->m_nRow, 0);
    }
    return {};
}

QModelIndex CGroupTreeModel::FindItem(const QString& group, quint32 key) const
{
    const QModelIndex groupIndex = FindGroup(group);
    if (!groupIndex.isValid())
        return {};
    const QList<CItemRow>& items = m_groups[groupIndex.row()]->m_items;
    for (qsizetype row = 0; row < items.size(); ++row)
    {
        if (items[row].m_dwKey == key)
            return index(int(row), 0, groupIndex);
    }
    return {};
}

bool CGroupTreeModel::IsGroup(const QModelIndex& index)
{
    return index.isValid() && !GroupOf(index);
}

quint32 CGroupTreeModel::Key(const QModelIndex& index)
{
    return index.data(KeyRole).toUInt();
}

QString CGroupTreeModel::Label(const QModelIndex& index)
{
    return index.data(Qt::DisplayRole).toString();
}

QString CGroupTreeModel::GroupName(const QModelIndex& index)
{
    const CGroupRow* group = GroupOf(index);
    return group ? group->m_strName : QString();
}

void CGroupTreeModel::SetLabel(const QModelIndex& index, const QString& label)
{
    if (CItemRow* item = ItemAt(index))
        item->m_strTitle = label;
    else if (CGroupRow* group = GroupAt(index))
        group->m_strName = label;
    else
        return;
    Changed(index, {Qt::DisplayRole, Qt::EditRole});
}

void CGroupTreeModel::SetCompleted(const QModelIndex& index, bool completed)
{
    if (CItemRow* item = ItemAt(index))
    {
        item->m_bCompleted = completed;
        Changed(index, {Qt::CheckStateRole});
    }
}

void CGroupTreeModel::SetImage(const QModelIndex& index, Image image)
{
    CItemRow* item = ItemAt(index);
    if (item && item->m_image != image)
    {
        item->m_image = image;
        Changed(index, {Qt::DecorationRole});
    }
}

void CGroupTreeModel::SetDropHighlight(const QModelIndex& index, const QBrush& back,
                                       const QBrush& text)
{
    const QPersistentModelIndex old = m_dropHighlight;
    if (old == index)
        return;
    m_dropHighlight = index;
    m_dropBack = back;
    m_dropText = text;
    for (const QModelIndex& changed : {QModelIndex(old), index})
    {
        if (changed.isValid())
            Changed(changed, {Qt::BackgroundRole, Qt::ForegroundRole});
    }
}

QModelIndex CGroupTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid())
        return row < int(m_groups.size()) ? createIndex(row, 0) : QModelIndex();
    CGroupRow* group = GroupAt(parent);
    if (!group || row >= group->m_items.size())
        return {};
    return createIndex(row, 0, group);
}

QModelIndex CGroupTreeModel::parent(const QModelIndex& index) const
{
    const CGroupRow* group = GroupOf(index);
    return group ? createIndex(group->m_nRow, 0) : QModelIndex();
}

int CGroupTreeModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return int(m_groups.size());
    const CGroupRow* group = GroupAt(parent);
    return group ? int(group->m_items.size()) : 0;
}

int CGroupTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant CGroupTreeModel::data(const QModelIndex& index, int role) const
{
    const CItemRow* item = ItemAt(index);
    const CGroupRow* group = item ? nullptr : GroupAt(index);
    if (!item && !group)
        return {};
    if ((role == Qt::BackgroundRole || role == Qt::ForegroundRole) && index == m_dropHighlight)
        return role == Qt::BackgroundRole ? m_dropBack : m_dropText;
    switch (role)
    {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return item ? item->m_strTitle : group->m_strName;
    case KeyRole:
        return item ? item->m_dwKey : 0u;
    case Qt::DecorationRole:
        return m_images[item ? item->m_image : GroupImage];
    case Qt::CheckStateRole:
        return item ? QVariant(int(item->m_bCompleted ? Qt::Checked : Qt::Unchecked)) : QVariant();
    default:
        return {};
    }
}

Qt::ItemFlags CGroupTreeModel::flags(const QModelIndex& index) const
{
    if (ItemAt(index))
        return ItemFlags;
    return GroupAt(index) ? GroupFlags : Qt::NoItemFlags;
}

CGroupTreeModel::CGroupRow* CGroupTreeModel::GroupOf(const QModelIndex& index)
{
    return static_cast<CGroupRow*>(index.internalPointer());
}

CGroupTreeModel::CItemRow* CGroupTreeModel::ItemAt(const QModelIndex& index) const
{
    CGroupRow* group = GroupOf(index);
    if (!index.isValid() || index.model() != this || !group || index.row() >= group->m_items.size())
        return nullptr;
    return &group->m_items[index.row()];
}

CGroupTreeModel::CGroupRow* CGroupTreeModel::GroupAt(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this || GroupOf(index) ||
        index.row() >= int(m_groups.size()))
        return nullptr;
    return m_groups[index.row()].get();
}

void CGroupTreeModel::Renumber(int fromRow)
{
    for (int row = fromRow; row < int(m_groups.size()); ++row)
        m_groups[row]->m_nRow = row;
}

void CGroupTreeModel::Changed(const QModelIndex& index, const QList<int>& roles)
{
    emit dataChanged(index, index, roles);
}
