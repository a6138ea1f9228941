#pragma once

#include <QString>

class CVemoGroup;
class CVemoItem;

// The tree of groups and items as the account feeds it and asks it what is selected. Groups are
// named by name, items by (group name, key); every operation answers whether it found its node.
class IGroupTree
{
public:
    virtual ~IGroupTree() = default;

    virtual bool AddGroupNode(const CVemoGroup& group) = 0;
    virtual bool AddItemNode(const QString& group, const CVemoItem& item) = 0;
    virtual bool DeleteGroupNode(const QString& group) = 0;
    virtual bool DeleteItemNode(const QString& group, quint32 key) = 0;
    virtual bool DeleteGroupItemNodes(const QString& group) = 0;
    virtual bool DeleteAllNodes() = 0;
    virtual bool SelectItemNode(const QString& group, quint32 key) = 0;
    virtual bool UpdateItemIcon(const QString& group, quint32 key) = 0;
    virtual bool UpdateAllItemIcons() = 0;
    virtual bool SetItemLabel(const QString& group, quint32 key, const QString& title) = 0;
    virtual bool SetItemCheck(const QString& group, quint32 key, bool completed) = 0;

    // Whether the selected node is a group node.
    virtual bool GetSelectedGroupNode() const = 0;
    // The selected group's name; unless groupOnly, also the group of a selected item.
    virtual QString GetSelectedGroupName(bool groupOnly) const = 0;
    // 0 unless an item node is selected.
    virtual quint32 GetSelectedItemKey() const = 0;
};
