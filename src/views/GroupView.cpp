#include "GroupView.h"

#include "base/LineBreaks.h"
#include "model/AccountCommands.h"
#include "model/CommandIds.h"
#include "model/ItemTitle.h"
#include "model/StickyHost.h"
#include "model/UserPrompts.h"
#include "model/VemoAccount.h"
#include "shell/CommandActions.h"
#include "tray/QuickList.h"
#include "views/InfoTipWnd.h"

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

#include <memory>
#include <utility>

namespace
{
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

// The selected node shows its icon unchanged rather than tinted with the selection colour.
QIcon NodeIcon(const QString& path)
{
    QIcon icon(path);
    icon.addFile(path, QSize(), QIcon::Selected);
    return icon;
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
    : QTreeView(parent)
    , m_pModel(new CGroupTreeModel({NodeIcon(GroupIcon), NodeIcon(PlainItemIcon),
                                    NodeIcon(StickyItemIcon), NodeIcon(QuickListedItemIcon)},
                                   this))
    , m_pTip(new CInfoTipWnd(this))
{
    setObjectName(QStringLiteral("groupTree"));
    setModel(m_pModel);
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
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
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

CGroupTreeModel::Image CGroupView::ItemImage(bool hasSticky, const QString& group, quint32 key)
{
    if (hasSticky)
        return CGroupTreeModel::StickyItemImage;
    if (GetQuickList().Contains(group, key))
        return CGroupTreeModel::QuickListedItemImage;
    return CGroupTreeModel::PlainItemImage;
}

QModelIndex CGroupView::FindGroupNode(const QString& group) const
{
    return m_pModel->FindGroup(group);
}

QModelIndex CGroupView::FindItemNode(const QString& group, quint32 key) const
{
    return m_pModel->FindItem(group, key);
}

// A node keeps its place when its label changes later; a node so renamed only shifts where
// later insertions land near it.
bool CGroupView::AddGroupNode(const CVemoGroup& group)
{
    QList<CGroupTreeModel::CItemRow> items;
    items.reserve(group.GetItems().size());
    for (const CVemoItem& item : group.GetItems())
        items.append(MakeItemRow(group.GetName(), item));
    expand(m_pModel->AddGroup(group.GetName(), std::move(items)));
    return true;
}

bool CGroupView::AddItemNode(const QString& group, const CVemoItem& item)
{
    const QModelIndex groupNode = FindGroupNode(group);
    if (groupNode.isValid())
        m_pModel->AddItem(groupNode, MakeItemRow(group, item));
    return groupNode.isValid();
}

CGroupTreeModel::CItemRow CGroupView::MakeItemRow(const QString& group, const CVemoItem& item)
{
    return {item.m_strTitle, item.m_dwKey, item.m_bCompleted != 0,
            ItemImage(item.m_bHasSticky != 0, group, item.m_dwKey)};
}

bool CGroupView::DeleteGroupNode(const QString& group)
{
    const QModelIndex node = FindGroupNode(group);
    m_pModel->RemoveRow(node);
    return node.isValid();
}

bool CGroupView::DeleteItemNode(const QString& group, quint32 key)
{
    const QModelIndex node = FindItemNode(group, key);
    m_pModel->RemoveRow(node);
    return node.isValid();
}

bool CGroupView::DeleteGroupItemNodes(const QString& group)
{
    const QModelIndex groupNode = FindGroupNode(group);
    m_pModel->RemoveItems(groupNode);
    return groupNode.isValid();
}

bool CGroupView::DeleteAllNodes()
{
    if (!m_pAccount)
        return false;
    m_pModel->Clear();
    return true;
}

bool CGroupView::SelectItemNode(const QString& group, quint32 key)
{
    const QModelIndex node = FindItemNode(group, key);
    if (node.isValid())
        SelectNode(node);
    return node.isValid();
}

void CGroupView::SelectNode(const QModelIndex& node)
{
    selectionModel()->setCurrentIndex(node, QItemSelectionModel::ClearAndSelect);
}

// Commands act on what the user sees highlighted. The current node alone, which the control
// gives a focus frame when the focus arrives, is not selected.
QModelIndex CGroupView::SelectedNode() const
{
    const QModelIndexList nodes = selectionModel()->selectedIndexes();
    return nodes.isEmpty() ? QModelIndex() : nodes.first();
}

bool CGroupView::UpdateItemIcon(const QString& group, quint32 key)
{
    const QModelIndex node = FindItemNode(group, key);
    if (node.isValid())
        m_pModel->SetImage(node,
                           ItemImage(m_pAccount && m_pAccount->HasSticky(group, key), group, key));
    return node.isValid();
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
        const QModelIndex groupNode = FindGroupNode(group.GetName());
        if (!groupNode.isValid())
            continue;
        for (int row = 0; row < m_pModel->rowCount(groupNode); ++row)
        {
            const QModelIndex node = m_pModel->index(row, 0, groupNode);
            const quint32 key = CGroupTreeModel::Key(node);
            m_pModel->SetImage(node, ItemImage(stickyKeys.contains(key), group.GetName(), key));
        }
    }
    return true;
}

bool CGroupView::SetItemLabel(const QString& group, quint32 key, const QString& title)
{
    const QModelIndex node = FindItemNode(group, key);
    m_pModel->SetLabel(node, title);
    return node.isValid();
}

bool CGroupView::SetItemCheck(const QString& group, quint32 key, bool completed)
{
    const QModelIndex node = FindItemNode(group, key);
    m_pModel->SetCompleted(node, completed);
    return node.isValid();
}

bool CGroupView::GetSelectedGroupNode() const
{
    return CGroupTreeModel::IsGroup(SelectedNode());
}

QString CGroupView::GetSelectedGroupName(bool groupOnly) const
{
    const QModelIndex node = SelectedNode();
    if (!node.isValid())
        return QString();
    if (CGroupTreeModel::IsGroup(node))
        return CGroupTreeModel::Label(node);
    return groupOnly ? QString() : CGroupTreeModel::GroupName(node);
}

quint32 CGroupView::GetSelectedItemKey() const
{
    const QModelIndex node = SelectedNode();
    return !node.isValid() || CGroupTreeModel::IsGroup(node) ? 0 : CGroupTreeModel::Key(node);
}

QStyleOptionViewItem CGroupView::NodeOption(const QModelIndex& node) const
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(node);
    option.text = CGroupTreeModel::Label(node);
    option.icon = node.data(Qt::DecorationRole).value<QIcon>();
    option.features = QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasDecoration;
    if (!CGroupTreeModel::IsGroup(node))
    {
        option.features |= QStyleOptionViewItem::HasCheckIndicator;
        option.checkState = Qt::CheckState(node.data(Qt::CheckStateRole).toInt());
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

CGroupView::HitZone CGroupView::HitTest(const QPoint& point, QModelIndex& node) const
{
    node = indexAt(point);
    if (!node.isValid())
        return OffNode;
    const QStyleOptionViewItem option = NodeOption(node);
    const auto contains = [&](QStyle::SubElement element)
    {
        return style()->subElementRect(element, &option, this).contains(point);
    };
    if (!CGroupTreeModel::IsGroup(node) && contains(QStyle::SE_ItemViewItemCheckIndicator))
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
    QModelIndex node;
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
    QTreeView::mousePressEvent(event);
}

// Shows the user where the item's note is on the desktop.
void CGroupView::FlashSticky(const QModelIndex& node) const
{
    const QString group = CGroupTreeModel::GroupName(node);
    if (!group.isEmpty() && m_pAccount->HasSticky(group, CGroupTreeModel::Key(node)))
        m_pAccount->GetPorts().m_pStickies->FlashSticky(group, CGroupTreeModel::Key(node),
                                                        StickyFlashes);
}

// The release of a check click would otherwise count as a click on the node and start editing.
void CGroupView::mouseReleaseEvent(QMouseEvent* event)
{
    if (std::exchange(m_bSwallowRelease, false))
        return;
    QTreeView::mouseReleaseEvent(event);
}

void CGroupView::ToggleCheck(const QModelIndex& node)
{
    const QString group = CGroupTreeModel::GroupName(node);
    if (group.isEmpty())
        return;
    const bool completed = node.data(Qt::CheckStateRole).toInt() != Qt::Checked;
    m_pModel->SetCompleted(node, completed);
    m_pAccount->SetCompleted(group, CGroupTreeModel::Key(node), completed, false);
}

// Space marks the selected task done or open again, as a click on its check image does.
void CGroupView::paintEvent(QPaintEvent* event)
{
    QTreeView::paintEvent(event);
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
    if (m_pModel->rowCount() > 0)
        return QString();
    if (!m_pAccount || !m_pAccount->IsOpen())
        return QStringLiteral("Press Ctrl+N to make your first account, or Ctrl+O to open one.");
    return QStringLiteral("Press Ctrl+G to add a group.");
}

void CGroupView::keyPressEvent(QKeyEvent* event)
{
    const QModelIndex node = SelectedNode();
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier && node.isValid() &&
        !CGroupTreeModel::IsGroup(node))
    {
        ToggleCheck(node);
        return;
    }
    QTreeView::keyPressEvent(event);
}

void CGroupView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The first click of a double click on the selected node armed a rename; the control's own
    // double-click handling calls it off this way. It goes first, or it would open an editor
    // behind the Add Item dialog or after the sticky.
    edit(currentIndex(), DoubleClicked, nullptr);
    if (event->button() == Qt::LeftButton && DoubleClickCommand(event->position().toPoint()))
        return;
    QTreeView::mouseDoubleClickEvent(event);
}

// Whether the double click ran a command; otherwise it opens or closes a group as usual.
bool CGroupView::DoubleClickCommand(const QPoint& point)
{
    QModelIndex node;
    const HitZone zone = HitTest(point, node);
    if (!node.isValid() || node != SelectedNode())
        return false;
    if (CGroupTreeModel::IsGroup(node))
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
    QModelIndex node;
    CCommandActions::Menu menu = CCommandActions::AccountMenu;
    if (HitTest(event->pos(), node) != OffNode)
    {
        SelectNode(node);
        menu =
            CGroupTreeModel::IsGroup(node) ? CCommandActions::GroupMenu : CCommandActions::ItemMenu;
    }
    std::unique_ptr<QMenu> popup(m_pActions->CreateContextMenu(menu, this));
    popup->exec(event->globalPos());
}

bool CGroupView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    const bool editing = QTreeView::edit(index, trigger, event);
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
    QTreeView::closeEditor(editor, hint);
    const QPersistentModelIndex committed = std::exchange(m_committedIndex, {});
    if (committed.isValid())
        ApplyLabelEdit(committed, m_strCommittedText);
}

void CGroupView::ApplyLabelEdit(const QModelIndex& node, const QString& text)
{
    // The account renames what is selected, so an edit whose node lost the selection is dropped.
    if (node != SelectedNode())
        return;
    if (CGroupTreeModel::IsGroup(node))
    {
        if (m_pCommands->RenameSelectedGroup(text))
            m_pModel->SetLabel(node, text);
        return;
    }
    const QString refusal = TitleRefusal(text);
    if (!refusal.isEmpty())
    {
        m_pAccount->GetPorts().m_pPrompts->MessageBox(refusal, IUserPrompts::NoIcon);
        return;
    }
    m_pAccount->SetItemTitle(CGroupTreeModel::GroupName(node), CGroupTreeModel::Key(node), text);
    m_pModel->SetLabel(node, text);
}

void CGroupView::startDrag(Qt::DropActions)
{
    const QModelIndex node = SelectedNode();
    CVemoItem item(Qt::Uninitialized);
    if (!node.isValid() || CGroupTreeModel::IsGroup(node) ||
        !m_pAccount->GetItemCopy(CGroupTreeModel::GroupName(node), CGroupTreeModel::Key(node),
                                 item))
        return;
    auto* data = new QMimeData;
    data->setText(ToShownLineBreaks(item.m_strMessage));
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    const QRect nodeRect = visualRect(node);
    drag->setPixmap(viewport()->grab(nodeRect));
    drag->setHotSpot(viewport()->mapFromGlobal(QCursor::pos()) - nodeRect.topLeft());
    m_bDragging = true;
    drag->exec(Qt::MoveAction);
    m_bDragging = false;
    SetDropHighlight({});
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
    const QModelIndex node = indexAt(event->position().toPoint());
    if (!m_bDragging || !CGroupTreeModel::IsGroup(node))
    {
        SetDropHighlight({});
        event->ignore();
        return;
    }
    SetDropHighlight(node);
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void CGroupView::dragLeaveEvent(QDragLeaveEvent* event)
{
    SetDropHighlight({});
    event->accept();
}

void CGroupView::dropEvent(QDropEvent* event)
{
    SetDropHighlight({});
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
    const QModelIndex target = indexAt(point);
    const QString source = GetSelectedGroupName(false);
    const quint32 key = GetSelectedItemKey();
    CVemoItem item(Qt::Uninitialized);
    if (!CGroupTreeModel::IsGroup(target) || !m_pAccount->GetItemCopy(source, key, item))
        return false;
    const QString targetGroup = CGroupTreeModel::Label(target);
    const quint32 movedKey = m_pAccount->AddItemToGroup(targetGroup, item);
    m_pAccount->RemoveItem(source, key);
    SelectItemNode(targetGroup, movedKey);
    return true;
}

void CGroupView::SetDropHighlight(const QModelIndex& node)
{
    m_pModel->SetDropHighlight(node, palette().highlight(), palette().highlightedText());
}

bool CGroupView::viewportEvent(QEvent* event)
{
    m_pTip->RelayEvent(viewport(), event);
    return QTreeView::viewportEvent(event);
}

QString CGroupView::TipText(QRect& hotRect) const
{
    QModelIndex node;
    const HitZone zone = HitTest(viewport()->mapFromGlobal(QCursor::pos()), node);
    CVemoItem item(Qt::Uninitialized);
    if ((zone != OnIcon && zone != OnLabel) || CGroupTreeModel::IsGroup(node) || !m_pAccount ||
        !m_pAccount->GetItemCopy(CGroupTreeModel::GroupName(node), CGroupTreeModel::Key(node),
                                 item))
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
