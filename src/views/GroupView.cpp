#include "GroupView.h"

#include "base/CompareCaseless.h"
#include "base/LineBreaks.h"
#include "model/AccountCommands.h"
#include "model/CommandIds.h"
#include "model/GroupName.h"
#include "model/ItemTitle.h"
#include "model/StickyHost.h"
#include "model/UserPrompts.h"
#include "model/VemoAccount.h"
#include "shell/CommandActions.h"
#include "tray/QuickList.h"
#include "views/InfoTipWnd.h"
#include "views/TreeNode.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QDrag>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QSet>

#include <algorithm>
#include <memory>
#include <utility>

namespace
{
constexpr int KeyRole = CTreeNode::KeyRole;
constexpr int ImageSize = 16;
// Room either side of a label's text, so a click at its edge still counts as on the label.
constexpr int LabelPadding = 6;
constexpr int TipDelay = 1000;
// The tip stays up while the pointer is on the label or on the icon left of it.
constexpr int TipIconWidth = 20;
constexpr int EmptyHintMargin = 12;
constexpr qsizetype TipTextLimit = 255;
constexpr int StickyFlashes = 3;

// Check images are drawn by the style sheet, so a click on them can be told from one on the icon.
const QString CheckImages =
    QStringLiteral("QTreeView::indicator { width: 16px; height: 16px; }"
                   "QTreeView::indicator:unchecked { image: url(:/icons/check-open.svg); }"
                   "QTreeView::indicator:checked { image: url(:/icons/check-done.svg); }");

const QString GroupIcon = QStringLiteral(":/icons/group.svg");
const QString PlainItemIcon = QStringLiteral(":/icons/item.svg");
const QString StickyItemIcon = QStringLiteral(":/icons/item-sticky.svg");
const QString QuickListedItemIcon = QStringLiteral(":/icons/item-quicklisted.svg");

// Group nodes take drops, item nodes are dragged; neither may be checked by the control itself.
constexpr Qt::ItemFlags GroupFlags =
    Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable | Qt::ItemIsDropEnabled;
constexpr Qt::ItemFlags ItemFlags =
    Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable | Qt::ItemIsDragEnabled;

// The selected node shows its icon unchanged rather than tinted with the selection colour.
QIcon NodeIcon(const QString& path)
{
    QIcon icon(path);
    icon.addFile(path, QSize(), QIcon::Selected);
    return icon;
}

Qt::CheckState CheckFor(bool completed)
{
    return completed ? Qt::Checked : Qt::Unchecked;
}

const QChar Blank = QLatin1Char(' ');
const QChar LineFeed = QLatin1Char('\n');

bool BecomesBlank(QChar ch)
{
    return ch == QLatin1Char('\t') || ch == QLatin1Char('\f') || ch == QLatin1Char('\r');
}

bool EndsEmptyLine(QChar ch)
{
    return ch == LineFeed || ch == QLatin1Char('\f') || ch == QLatin1Char('\r');
}
} // namespace

CGroupView::CGroupView(QWidget* parent)
    : QTreeWidget(parent)
    , m_groupIcon(NodeIcon(GroupIcon))
    , m_plainItemIcon(NodeIcon(PlainItemIcon))
    , m_stickyItemIcon(NodeIcon(StickyItemIcon))
    , m_quickListedItemIcon(NodeIcon(QuickListedItemIcon))
    , m_pTip(new CInfoTipWnd(this))
{
    setObjectName(QStringLiteral("groupTree"));
    setHeaderHidden(true);
    setIconSize(QSize(ImageSize, ImageSize));
    // Every row is one line with one image, so the tree need not measure each row to find one:
    // in a large account that measuring made every selection slow.
    setUniformRowHeights(true);
    setStyleSheet(CheckImages);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    connect(this, &QTreeWidget::itemSelectionChanged, this,
            &CGroupView::SelectionChangedForCommands);
    viewport()->setMouseTracking(true);
    m_pTip->AddTool({viewport(), TipDelay, QString(),
                     [this](QWidget*, QRect& hotRect)
                     {
                         return TipText(hotRect);
                     }});
    m_pTip->Enable(true);
}

void CGroupView::Attach(CVemoAccount* account, CAccountCommands* commands, CCommandActions* actions)
{
    m_pAccount = account;
    m_pCommands = commands;
    m_pActions = actions;
}

bool CGroupView::IsGroupNode(const QTreeWidgetItem* node)
{
    return node->parent() == nullptr;
}

quint32 CGroupView::NodeKey(const QTreeWidgetItem* node)
{
    return node->data(0, KeyRole).toUInt();
}

QString CGroupView::GetParentGroupName(const QTreeWidgetItem* node)
{
    const QTreeWidgetItem* parent = node->parent();
    return parent && IsGroupNode(parent) ? parent->text(0) : QString();
}

// After the siblings whose labels sort before or equal to its own, found by halving so that large
// groups load at once. A node keeps its place when its label changes later; a node so renamed
// only shifts where later insertions land near it.
void CGroupView::InsertSorted(QTreeWidgetItem* parent, QTreeWidgetItem* node)
{
    const QString label = node->text(0);
    int low = 0;
    int high = parent->childCount();
    while (low < high)
    {
        const int middle = low + (high - low) / 2;
        if (CompareCaseless(parent->child(middle)->text(0), label) <= 0)
            low = middle + 1;
        else
            high = middle;
    }
    parent->insertChild(low, node);
}

const QIcon& CGroupView::ItemIcon(bool hasSticky, const QString& group, quint32 key) const
{
    if (hasSticky)
        return m_stickyItemIcon;
    if (GetQuickList().Contains(group, key))
        return m_quickListedItemIcon;
    return m_plainItemIcon;
}

QTreeWidgetItem* CGroupView::FindGroupNode(const QString& group) const
{
    for (int i = 0; i < topLevelItemCount(); ++i)
    {
        if (SameGroupName(topLevelItem(i)->text(0), group))
            return topLevelItem(i);
    }
    return nullptr;
}

QTreeWidgetItem* CGroupView::FindItemNode(const QString& group, quint32 key) const
{
    const QTreeWidgetItem* groupNode = FindGroupNode(group);
    for (int i = 0; groupNode && i < groupNode->childCount(); ++i)
    {
        if (NodeKey(groupNode->child(i)) == key)
            return groupNode->child(i);
    }
    return nullptr;
}

bool CGroupView::AddGroupNode(const CVemoGroup& group)
{
    auto* node = new CTreeNode(group.GetName(), 0, m_groupIcon);
    node->setFlags(GroupFlags);
    // The items are made and put in order before the group joins the tree, so the view hears of
    // them once instead of row by row.
    QVector<const CVemoItem*> items;
    items.reserve(group.GetItems().size());
    for (const CVemoItem& item : group.GetItems())
        items.append(&item);
    std::stable_sort(items.begin(), items.end(),
                     [](const CVemoItem* left, const CVemoItem* right)
                     { return CompareCaseless(left->m_strTitle, right->m_strTitle) < 0; });
    QList<QTreeWidgetItem*> children;
    children.reserve(items.size());
    for (const CVemoItem* item : std::as_const(items))
        children.append(MakeItemNode(group.GetName(), *item));
    node->addChildren(children);
    InsertSorted(invisibleRootItem(), node);
    node->setExpanded(true);
    return true;
}

bool CGroupView::AddItemNode(const QString& group, const CVemoItem& item)
{
    QTreeWidgetItem* groupNode = FindGroupNode(group);
    if (groupNode)
        AddItemNodeTo(groupNode, group, item);
    return groupNode != nullptr;
}

void CGroupView::AddItemNodeTo(QTreeWidgetItem* groupNode, const QString& group,
                               const CVemoItem& item)
{
    InsertSorted(groupNode, MakeItemNode(group, item));
}

QTreeWidgetItem* CGroupView::MakeItemNode(const QString& group, const CVemoItem& item) const
{
    auto* node = new CTreeNode(item.m_strTitle, item.m_dwKey,
                               ItemIcon(item.m_bHasSticky != 0, group, item.m_dwKey));
    node->setFlags(ItemFlags);
    node->SetCheckable(CheckFor(item.m_bCompleted != 0));
    return node;
}

bool CGroupView::DeleteGroupNode(const QString& group)
{
    std::unique_ptr<QTreeWidgetItem> node(FindGroupNode(group));
    return node != nullptr;
}

bool CGroupView::DeleteItemNode(const QString& group, quint32 key)
{
    std::unique_ptr<QTreeWidgetItem> node(FindItemNode(group, key));
    return node != nullptr;
}

bool CGroupView::DeleteGroupItemNodes(const QString& group)
{
    QTreeWidgetItem* groupNode = FindGroupNode(group);
    if (!groupNode)
        return false;
    qDeleteAll(groupNode->takeChildren());
    return true;
}

bool CGroupView::DeleteAllNodes()
{
    if (!m_pAccount)
        return false;
    clear();
    return true;
}

bool CGroupView::SelectItemNode(const QString& group, quint32 key)
{
    QTreeWidgetItem* node = FindItemNode(group, key);
    if (node)
        SelectNode(node);
    return node != nullptr;
}

void CGroupView::SelectNode(QTreeWidgetItem* node)
{
    setCurrentItem(node, 0, QItemSelectionModel::ClearAndSelect);
}

// Commands act on what the user sees highlighted. The current node alone, which the control
// gives a focus frame when the focus arrives, is not selected.
QTreeWidgetItem* CGroupView::SelectedNode() const
{
    const QList<QTreeWidgetItem*> nodes = selectedItems();
    return nodes.isEmpty() ? nullptr : nodes.first();
}

bool CGroupView::UpdateItemIcon(const QString& group, quint32 key)
{
    QTreeWidgetItem* node = FindItemNode(group, key);
    if (node)
        node->setIcon(0, ItemIcon(m_pAccount && m_pAccount->HasSticky(group, key), group, key));
    return node != nullptr;
}

bool CGroupView::UpdateAllItemIcons()
{
    if (!m_pAccount)
        return true;
    // One pass over each group's items, so refreshing stays linear in the size of the account.
    for (const CVemoGroup& group : m_pAccount->GetGroups())
    {
        QSet<quint32> stickyKeys;
        for (const CVemoItem& item : group.GetItems())
        {
            if (item.m_bHasSticky != 0)
                stickyKeys.insert(item.m_dwKey);
        }
        QTreeWidgetItem* groupNode = FindGroupNode(group.GetName());
        for (int j = 0; groupNode && j < groupNode->childCount(); ++j)
        {
            const quint32 key = NodeKey(groupNode->child(j));
            groupNode->child(j)->setIcon(0,
                                         ItemIcon(stickyKeys.contains(key), group.GetName(), key));
        }
    }
    return true;
}

bool CGroupView::SetItemLabel(const QString& group, quint32 key, const QString& title)
{
    QTreeWidgetItem* node = FindItemNode(group, key);
    if (node)
        node->setText(0, title);
    return node != nullptr;
}

bool CGroupView::SetItemCheck(const QString& group, quint32 key, bool completed)
{
    QTreeWidgetItem* node = FindItemNode(group, key);
    if (node)
        node->setCheckState(0, CheckFor(completed));
    return node != nullptr;
}

bool CGroupView::GetSelectedGroupNode() const
{
    const QTreeWidgetItem* node = SelectedNode();
    return node && IsGroupNode(node);
}

QString CGroupView::GetSelectedGroupName(bool groupOnly) const
{
    const QTreeWidgetItem* node = SelectedNode();
    if (!node)
        return QString();
    if (IsGroupNode(node))
        return node->text(0);
    return groupOnly ? QString() : GetParentGroupName(node);
}

quint32 CGroupView::GetSelectedItemKey() const
{
    const QTreeWidgetItem* node = SelectedNode();
    return !node || IsGroupNode(node) ? 0 : NodeKey(node);
}

QStyleOptionViewItem CGroupView::NodeOption(const QTreeWidgetItem* node) const
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualItemRect(node);
    option.text = node->text(0);
    option.icon = node->icon(0);
    option.features = QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasDecoration;
    if (!IsGroupNode(node))
    {
        option.features |= QStyleOptionViewItem::HasCheckIndicator;
        option.checkState = node->checkState(0);
    }
    return option;
}

// The style's text rectangle runs to the edge of the view; the label is only as wide as its text.
QRect CGroupView::LabelRect(const QStyleOptionViewItem& option) const
{
    QRect rect = style()->subElementRect(QStyle::SE_ItemViewItemText, &option, this);
    rect.setWidth(qMin(rect.width(), fontMetrics().horizontalAdvance(option.text) + LabelPadding));
    return rect;
}

CGroupView::HitZone CGroupView::HitTest(const QPoint& point, QTreeWidgetItem*& node) const
{
    node = itemAt(point);
    if (!node)
        return OffNode;
    const QStyleOptionViewItem option = NodeOption(node);
    const auto contains = [&](QStyle::SubElement element)
    {
        return style()->subElementRect(element, &option, this).contains(point);
    };
    if (!IsGroupNode(node) && contains(QStyle::SE_ItemViewItemCheckIndicator))
        return OnCheck;
    if (contains(QStyle::SE_ItemViewItemDecoration))
        return OnIcon;
    return LabelRect(option).contains(point) ? OnLabel : OffNode;
}

void CGroupView::mousePressEvent(QMouseEvent* event)
{
    // The right button selects nothing by itself; the context menu decides.
    if (event->button() == Qt::RightButton)
        return;
    QTreeWidgetItem* node = nullptr;
    const HitZone zone =
        event->button() == Qt::LeftButton ? HitTest(event->position().toPoint(), node) : OffNode;
    if (zone == OnCheck)
    {
        ToggleCheck(node);
        m_bSwallowRelease = true;
        return;
    }
    if (zone == OnIcon || zone == OnLabel)
        FlashSticky(node);
    QTreeWidget::mousePressEvent(event);
}

// Shows the user where the item's note is on the desktop.
void CGroupView::FlashSticky(const QTreeWidgetItem* node) const
{
    const QString group = GetParentGroupName(node);
    if (!group.isEmpty() && m_pAccount->HasSticky(group, NodeKey(node)))
        m_pAccount->GetPorts().m_pStickies->FlashSticky(group, NodeKey(node), StickyFlashes);
}

// The release of a check click would otherwise count as a click on the node and start editing.
void CGroupView::mouseReleaseEvent(QMouseEvent* event)
{
    if (std::exchange(m_bSwallowRelease, false))
        return;
    QTreeWidget::mouseReleaseEvent(event);
}

void CGroupView::ToggleCheck(QTreeWidgetItem* node)
{
    const QString group = GetParentGroupName(node);
    if (group.isEmpty())
        return;
    const bool completed = node->checkState(0) != Qt::Checked;
    node->setCheckState(0, CheckFor(completed));
    m_pAccount->SetCompleted(group, NodeKey(node), completed, false);
}

// Space marks the selected task done or open again, as a click on its check image does.
void CGroupView::paintEvent(QPaintEvent* event)
{
    QTreeWidget::paintEvent(event);
    const QString hint = EmptyTreeHint();
    if (hint.isEmpty())
        return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
    const QRect area = viewport()->rect().adjusted(EmptyHintMargin, EmptyHintMargin,
                                                   -EmptyHintMargin, -EmptyHintMargin);
    painter.drawText(area, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, hint);
}

QString CGroupView::EmptyTreeHint() const
{
    if (topLevelItemCount() > 0)
        return QString();
    if (!m_pAccount || !m_pAccount->IsOpen())
        return QStringLiteral("Press Ctrl+N to make your first account, or Ctrl+O to open one.");
    return QStringLiteral("Press Ctrl+G to add a group.");
}

void CGroupView::keyPressEvent(QKeyEvent* event)
{
    QTreeWidgetItem* node = SelectedNode();
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier && node &&
        !IsGroupNode(node))
    {
        ToggleCheck(node);
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void CGroupView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The first click of a double click on the selected node armed a rename; the control's own
    // double-click handling calls it off this way. It goes first, or it would open an editor
    // behind the Add Item dialog or after the sticky.
    edit(currentIndex(), DoubleClicked, nullptr);
    if (event->button() == Qt::LeftButton && DoubleClickCommand(event->position().toPoint()))
        return;
    QTreeWidget::mouseDoubleClickEvent(event);
}

// Whether the double click ran a command; otherwise it opens or closes a group as usual.
bool CGroupView::DoubleClickCommand(const QPoint& point)
{
    QTreeWidgetItem* node = nullptr;
    const HitZone zone = HitTest(point, node);
    if (!node || node != SelectedNode())
        return false;
    if (IsGroupNode(node))
    {
        if (zone != OnLabel)
            return false;
        m_pActions->Execute(ID_ITEM_ADD);
        return true;
    }
    if (zone != OnLabel && zone != OnIcon)
        return false;
    m_pAccount->ToggleSticky(GetSelectedGroupName(false), GetSelectedItemKey());
    return true;
}

void CGroupView::contextMenuEvent(QContextMenuEvent* event)
{
    QTreeWidgetItem* node = nullptr;
    CCommandActions::Menu menu = CCommandActions::AccountMenu;
    if (HitTest(event->pos(), node) != OffNode)
    {
        SelectNode(node);
        menu = IsGroupNode(node) ? CCommandActions::GroupMenu : CCommandActions::ItemMenu;
    }
    std::unique_ptr<QMenu> popup(m_pActions->CreateContextMenu(menu, this));
    popup->exec(event->globalPos());
}

bool CGroupView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    const bool editing = QTreeWidget::edit(index, trigger, event);
    if (editing)
        m_editedIndex = index;
    return editing;
}

// The text is taken here but applied only once the editor is gone: a refusal shows a modal
// message, and the editor losing its focus to it would commit a second time.
void CGroupView::commitData(QWidget* editor)
{
    const auto* lineEdit = qobject_cast<QLineEdit*>(editor);
    if (!lineEdit)
        return;
    m_committedIndex = m_editedIndex;
    m_strCommittedText = lineEdit->text();
}

void CGroupView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    QTreeWidget::closeEditor(editor, hint);
    const QPersistentModelIndex committed = std::exchange(m_committedIndex, {});
    if (committed.isValid())
        ApplyLabelEdit(itemFromIndex(committed), m_strCommittedText);
}

void CGroupView::ApplyLabelEdit(QTreeWidgetItem* node, const QString& text)
{
    // The account renames what is selected, so an edit whose node lost the selection is dropped.
    if (node != SelectedNode())
        return;
    if (IsGroupNode(node))
    {
        if (m_pCommands->RenameSelectedGroup(text))
            node->setText(0, text);
        return;
    }
    const QString refusal = TitleRefusal(text);
    if (!refusal.isEmpty())
    {
        m_pAccount->GetPorts().m_pPrompts->MessageBox(refusal, IUserPrompts::NoIcon);
        return;
    }
    m_pAccount->SetItemTitle(GetParentGroupName(node), NodeKey(node), text);
    node->setText(0, text);
}

void CGroupView::startDrag(Qt::DropActions)
{
    QTreeWidgetItem* node = SelectedNode();
    CVemoItem item(Qt::Uninitialized);
    if (!node || IsGroupNode(node) ||
        !m_pAccount->GetItemCopy(GetParentGroupName(node), NodeKey(node), item))
        return;
    auto* data = new QMimeData;
    data->setText(ToShownLineBreaks(item.m_strMessage));
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    const QRect nodeRect = visualItemRect(node);
    drag->setPixmap(viewport()->grab(nodeRect));
    drag->setHotSpot(viewport()->mapFromGlobal(QCursor::pos()) - nodeRect.topLeft());
    m_bDragging = true;
    drag->exec(Qt::MoveAction);
    m_bDragging = false;
    SetDropHighlight(nullptr);
}

// Only a drag started here may be dropped here; without accepting the enter no moves arrive.
void CGroupView::dragEnterEvent(QDragEnterEvent* event)
{
    if (m_bDragging)
        event->accept();
    else
        event->ignore();
}

void CGroupView::dragMoveEvent(QDragMoveEvent* event)
{
    QTreeWidgetItem* node = itemAt(event->position().toPoint());
    if (!m_bDragging || !node || !IsGroupNode(node))
    {
        SetDropHighlight(nullptr);
        event->ignore();
        return;
    }
    SetDropHighlight(node);
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void CGroupView::dragLeaveEvent(QDragLeaveEvent* event)
{
    SetDropHighlight(nullptr);
    event->accept();
}

void CGroupView::dropEvent(QDropEvent* event)
{
    SetDropHighlight(nullptr);
    if (!m_bDragging)
    {
        event->ignore();
        return;
    }
    MoveSelectedItemTo(event->position().toPoint());
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

bool CGroupView::MoveSelectedItemTo(const QPoint& point)
{
    const QTreeWidgetItem* target = itemAt(point);
    const QString source = GetSelectedGroupName(false);
    const quint32 key = GetSelectedItemKey();
    CVemoItem item(Qt::Uninitialized);
    if (!target || !IsGroupNode(target) || !m_pAccount->GetItemCopy(source, key, item))
        return false;
    const QString targetGroup = target->text(0);
    const quint32 movedKey = m_pAccount->AddItemToGroup(targetGroup, item);
    m_pAccount->RemoveItem(source, key);
    SelectItemNode(targetGroup, movedKey);
    return true;
}

void CGroupView::SetDropHighlight(QTreeWidgetItem* node)
{
    QTreeWidgetItem* old = itemFromIndex(m_dropHighlight);
    if (old == node)
        return;
    if (old)
    {
        old->setData(0, Qt::BackgroundRole, QVariant());
        old->setData(0, Qt::ForegroundRole, QVariant());
    }
    m_dropHighlight = indexFromItem(node);
    if (node)
    {
        node->setBackground(0, palette().highlight());
        node->setForeground(0, palette().highlightedText());
    }
}

bool CGroupView::viewportEvent(QEvent* event)
{
    m_pTip->RelayEvent(viewport(), event);
    return QTreeWidget::viewportEvent(event);
}

QString CGroupView::TipText(QRect& hotRect) const
{
    QTreeWidgetItem* node = nullptr;
    const HitZone zone = HitTest(viewport()->mapFromGlobal(QCursor::pos()), node);
    CVemoItem item(Qt::Uninitialized);
    if ((zone != OnIcon && zone != OnLabel) || IsGroupNode(node) || !m_pAccount ||
        !m_pAccount->GetItemCopy(GetParentGroupName(node), NodeKey(node), item))
        return QString();
    const QRect label = LabelRect(NodeOption(node)).adjusted(-TipIconWidth, 0, 0, 0);
    hotRect = QRect(viewport()->mapToGlobal(label.topLeft()), label.size());
    return MakeTipText(item.m_strMessage);
}

QString CGroupView::MakeTipText(const QString& text)
{
    QString tip = text;
    for (qsizetype i = 0; i < tip.size(); ++i)
    {
        if (BecomesBlank(tip.at(i)))
            tip[i] = Blank;
        else if (tip.at(i) == LineFeed)
        {
            if (i == 0)
                tip[i] = Blank;
            // A blank keeps an empty line from collapsing in the tip.
            if (i + 1 < tip.size() && EndsEmptyLine(tip.at(i + 1)))
                tip[++i] = Blank;
        }
    }
    if (tip.size() > TipTextLimit)
        tip = tip.left(TipTextLimit) + QStringLiteral("...");
    return tip;
}
