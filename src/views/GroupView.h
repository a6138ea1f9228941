#pragma once

#include "model/GroupTree.h"
#include "views/GroupTreeModel.h"

#include <QPersistentModelIndex>
#include <QStyleOptionViewItem>
#include <QTreeView>

class CAccountCommands;
class CCommandActions;
class CInfoTipWnd;
class CVemoAccount;

// The main window's tree of groups and their items: the program's selection, in-place renaming,
// completion checks, double-click shortcuts, context menus and moving items by drag and drop.
class CGroupView : public QTreeView, public IGroupTree
{
    Q_OBJECT

public:
    // What to do first, drawn in the empty tree of a new user's window.
    QString EmptyTreeHint() const;
    explicit CGroupView(QWidget* parent = nullptr);

    // The account is made with this view as its tree, so it arrives after construction.
    void Attach(CVemoAccount* account, CAccountCommands* commands, CCommandActions* actions);

    bool AddGroupNode(const CVemoGroup& group) override;
    bool AddItemNode(const QString& group, const CVemoItem& item) override;
    bool DeleteGroupNode(const QString& group) override;
    bool DeleteItemNode(const QString& group, quint32 key) override;
    bool DeleteGroupItemNodes(const QString& group) override;
    bool DeleteAllNodes() override;
    bool SelectItemNode(const QString& group, quint32 key) override;
    bool UpdateItemIcon(const QString& group, quint32 key) override;
    bool UpdateAllItemIcons() override;
    bool SetItemLabel(const QString& group, quint32 key, const QString& title) override;
    bool SetItemCheck(const QString& group, quint32 key, bool completed) override;

    bool GetSelectedGroupNode() const override;
    QString GetSelectedGroupName(bool groupOnly) const override;
    quint32 GetSelectedItemKey() const override;

    QModelIndex FindGroupNode(const QString& group) const;
    QModelIndex FindItemNode(const QString& group, quint32 key) const;

    // What a drop of the dragged item at the point (viewport coordinates) does: a drop on a
    // group node moves the selected item there; whether it moved.
    bool MoveSelectedItemTo(const QPoint& point);

    // An item's message as its hover tip shows it: one line per line of the message, blanks for
    // the other control characters, and at most 255 characters before "...".
    static QString MakeTipText(const QString& text);

signals:
    void SelectionChangedForCommands();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    bool viewportEvent(QEvent* event) override;

protected slots:
    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    enum HitZone
    {
        OffNode,
        OnCheck,
        OnIcon,
        OnLabel,
    };

    static CGroupTreeModel::CItemRow MakeItemRow(const QString& group, const CVemoItem& item);
    static CGroupTreeModel::Image ItemImage(bool hasSticky, const QString& group, quint32 key);
    void SelectNode(const QModelIndex& node);
    QModelIndex SelectedNode() const;

    QStyleOptionViewItem NodeOption(const QModelIndex& node) const;
    QRect LabelRect(const QStyleOptionViewItem& option) const;
    HitZone HitTest(const QPoint& point, QModelIndex& node) const;

    void ToggleCheck(const QModelIndex& node);
    void FlashSticky(const QModelIndex& node) const;
    bool DoubleClickCommand(const QPoint& point);
    void ApplyLabelEdit(const QModelIndex& node, const QString& text);
    void SetDropHighlight(const QModelIndex& node);
    QString TipText(QRect& hotRect) const;

    CGroupTreeModel* const m_pModel;
    CInfoTipWnd* const m_pTip;
    CVemoAccount* m_pAccount = nullptr;
    CAccountCommands* m_pCommands = nullptr;
    CCommandActions* m_pActions = nullptr;
    bool m_bDragging = false;
    bool m_bSwallowRelease = false;
    QPersistentModelIndex m_editedIndex;
    QPersistentModelIndex m_committedIndex;
    QString m_strCommittedText;
};
