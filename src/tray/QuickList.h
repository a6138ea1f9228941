#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class IGroupTree;

// The short, ordered list of items the tray menu offers, each named by (group name, item key).
class CQuickList
{
public:
    // One more than the number of entries the list accepts.
    static constexpr int Limit = 10;

    // Null while there is no tree; the list then asks for no icon updates.
    void SetTree(IGroupTree* tree);

    int IndexOf(const QString& group, quint32 key) const;
    bool Contains(const QString& group, quint32 key) const;
    bool Add(const QString& group, quint32 key);
    bool Remove(const QString& group, quint32 key);
    bool CopyAll(QStringList& names, QList<quint32>& keys) const;
    bool Get(int index, QString& group, quint32& key) const;
    int GetCount() const;
    void RemoveAll();

    void RemoveGroup(const QString& group);
    void RenameGroup(const QString& oldName, const QString& newName);

private:
    QStringList m_groupNames;
    QList<quint32> m_itemKeys;
    IGroupTree* m_pTree = nullptr;
};

CQuickList& GetQuickList();
