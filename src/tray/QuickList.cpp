#include "QuickList.h"

#include "model/GroupName.h"
#include "model/GroupTree.h"

void CQuickList::SetTree(IGroupTree* tree)
{
    m_pTree = tree;
}

int CQuickList::IndexOf(const QString& group, quint32 key) const
{
    for (int i = 0; i < m_itemKeys.size(); ++i)
    {
        if (m_itemKeys[i] == key && SameGroupName(m_groupNames[i], group))
            return i;
    }
    return -1;
}

bool CQuickList::Contains(const QString& group, quint32 key) const
{
    return IndexOf(group, key) != -1;
}

bool CQuickList::Add(const QString& group, quint32 key)
{
    if (GetCount() == Limit - 1 || Contains(group, key))
        return false;
    m_groupNames.append(group);
    m_itemKeys.append(key);
    if (m_pTree)
        m_pTree->UpdateItemIcon(group, key);
    return true;
}

bool CQuickList::Remove(const QString& group, quint32 key)
{
    const int index = IndexOf(group, key);
    if (index == -1)
        return false;
    m_groupNames.removeAt(index);
    m_itemKeys.removeAt(index);
    if (m_pTree)
        m_pTree->UpdateItemIcon(group, key);
    return true;
}

bool CQuickList::CopyAll(QStringList& names, QList<quint32>& keys) const
{
    if (m_itemKeys.isEmpty())
        return false;
    names = m_groupNames;
    keys = m_itemKeys;
    return true;
}

bool CQuickList::Get(int index, QString& group, quint32& key) const
{
    if (index < 0 || index >= GetCount())
        return false;
    group = m_groupNames[index];
    key = m_itemKeys[index];
    return true;
}

int CQuickList::GetCount() const
{
    return int(m_itemKeys.size());
}

void CQuickList::RemoveAll()
{
    m_groupNames.clear();
    m_itemKeys.clear();
    if (m_pTree)
        m_pTree->UpdateAllItemIcons();
}

// No icon updates: the group's item nodes leave the tree along with its items.
void CQuickList::RemoveGroup(const QString& group)
{
    for (int i = GetCount() - 1; i >= 0; --i)
    {
        if (SameGroupName(m_groupNames[i], group))
        {
            m_groupNames.removeAt(i);
            m_itemKeys.removeAt(i);
        }
    }
}

void CQuickList::RenameGroup(const QString& oldName, const QString& newName)
{
    for (QString& name : m_groupNames)
    {
        if (SameGroupName(name, oldName))
            name = newName;
    }
}

CQuickList& GetQuickList()
{
    static CQuickList quickList;
    return quickList;
}
