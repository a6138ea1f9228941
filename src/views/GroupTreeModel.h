#pragma once

#include <QAbstractItemModel>
#include <QBrush>
#include <QIcon>
#include <QList>
#include <QPersistentModelIndex>

#include <array>
#include <memory>
#include <vector>

// The rows of the group tree: groups at the top, their items below, each kept in order of its
// label as it was added. A row holds only what the tree shows, so a large account costs the
// tree little more than its titles, which it shares with the document.
class CGroupTreeModel : public QAbstractItemModel
{
public:
    static constexpr int KeyRole = Qt::UserRole;

    enum Image : quint8
    {
        GroupImage,
        PlainItemImage,
        StickyItemImage,
        QuickListedItemImage,
        ImageCount,
    };

    struct CItemRow
    {
        QString m_strTitle;
        quint32 m_dwKey = 0;
        bool m_bCompleted = false;
        Image m_image = PlainItemImage;
    };

    explicit CGroupTreeModel(const std::array<QIcon, ImageCount>& images,
                             QObject* parent = nullptr);

    // The items come in any order and are shown in order of their titles.
    QModelIndex AddGroup(const QString& name, QList<CItemRow> items);
    QModelIndex AddItem(const QModelIndex& group, const CItemRow& item);
    void RemoveRow(const QModelIndex& index);
    void RemoveItems(const QModelIndex& group);
    void Clear();

    QModelIndex FindGroup(const QString& name) const;
    QModelIndex FindItem(const QString& group, quint32 key) const;
    static bool IsGroup(const QModelIndex& index);
    static quint32 Key(const QModelIndex& index);
    static QString Label(const QModelIndex& index);
    // The name of the group an item belongs to; empty for a group.
    static QString GroupName(const QModelIndex& index);

    void SetLabel(const QModelIndex& index, const QString& label);
    void SetCompleted(const QModelIndex& index, bool completed);
    void SetImage(const QModelIndex& index, Image image);
    // One row at a time is marked as the place a drag would drop; an invalid index marks none.
    void SetDropHighlight(const QModelIndex& index, const QBrush& back, const QBrush& text);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    struct CGroupRow
    {
        QString m_strName;
        QList<CItemRow> m_items;
        int m_nRow = 0;
    };

    static CGroupRow* GroupOf(const QModelIndex& index);
    CItemRow* ItemAt(const QModelIndex& index) const;
    CGroupRow* GroupAt(const QModelIndex& index) const;
    void Renumber(int fromRow);
    void Changed(const QModelIndex& index, const QList<int>& roles);

    const std::array<QIcon, ImageCount> m_images;
    // Each group keeps its address while rows come and go, as item indexes point to it.
    std::vector<std::unique_ptr<CGroupRow>> m_groups;
    QPersistentModelIndex m_dropHighlight;
    QBrush m_dropBack;
    QBrush m_dropText;
};
