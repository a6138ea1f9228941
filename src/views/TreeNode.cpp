#include "TreeNode.h"

CTreeNode::CTreeNode(const QString& label, quint32 key, const QIcon& icon)
    : m_strLabel(label)
    , m_icon(icon)
    , m_dwKey(key)
{
}

void CTreeNode::SetCheckable(Qt::CheckState state)
{
    m_bCheckable = true;
    m_check = state;
}

QVariant CTreeNode::data(int column, int role) const
{
    if (column != 0)
        return QTreeWidgetItem::data(column, role);
    switch (role)
    {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_strLabel;
    case KeyRole:
        return m_dwKey;
    case Qt::DecorationRole:
        return m_icon;
    case Qt::CheckStateRole:
        return m_bCheckable ? QVariant(int(m_check)) : QVariant();
    default:
        return QTreeWidgetItem::data(column, role);
    }
}

// Roles the members hold are kept there; the view hears of every change as the base class tells.
void CTreeNode::setData(int column, int role, const QVariant& value)
{
    if (column != 0)
    {
        QTreeWidgetItem::setData(column, role, value);
        return;
    }
    switch (role)
    {
    case Qt::DisplayRole:
    case Qt::EditRole:
        m_strLabel = value.toString();
        break;
    case KeyRole:
        m_dwKey = value.toUInt();
        break;
    case Qt::DecorationRole:
        m_icon = value.value<QIcon>();
        break;
    case Qt::CheckStateRole:
        m_bCheckable = value.isValid();
        m_check = Qt::CheckState(value.toInt());
        break;
    default:
        QTreeWidgetItem::setData(column, role, value);
        return;
    }
    emitDataChanged();
}
