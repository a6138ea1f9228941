#include "StickyWnd.h"

#include "StickyEdit.h"
#include "StickyLookDlg.h"
#include "base/LineBreaks.h"
#include "base/LocalTime.h"
#include "base/Settings.h"
#include "model/GroupTree.h"
#include "model/VemoAccount.h"
#include "shell/CommandActions.h"
#include "shell/MainFrame.h"
#include "shell/VemoDialog.h"
#include "tray/HoverButton.h"
#include "views/InfoTipWnd.h"

#include <QContextMenuEvent>
#include <QEvent>
#include <QIcon>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QSizeGrip>
#include <QWindow>
#include <qdrawutil.h>

namespace
{
const QSize CloseButtonSize(14, 13);
const QSize LookButtonSize(12, 13);
constexpr int SizeGripSize = 13;
// The grip lines end short of the strip's right end, where the buttons sit.
constexpr int GripLinesEnd = 34;
constexpr int TipDelay = 50;
// The first flash comes at once; each flash and each pause then lasts half a second.
constexpr int FlashStartDelay = 1;
constexpr int FlashPeriod = 500;
const QColor FlashColor(255, 0, 0);
// A red note flashes in blue, or the flash would not show.
const QColor FlashColorOnRed(0, 0, 255);
const QString TipFormat = QStringLiteral("^%1^\n^Group^: %2\n^Priority^: %3\n^Do By^: %4");
const QString CompletedMark = QStringLiteral(" (COMPLETED)");
// A Do By without a reminder has no time of day worth showing.
constexpr const char* DateFormat = "%A, %B %d, %Y";

QByteArray DoByFormat(bool reminded)
{
    if (reminded)
        return QByteArray(ReminderTimeFormat) + "(R)";
    return DateFormat;
}
} // namespace

CStickyWnd::CStickyWnd(const QRect& rect, const QString& group, const CVemoItem& item,
                       const CStickyButtonIcons& icons, CCommandActions* actions)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint)
    , m_pActions(actions)
    , m_pEdit(new CStickyEdit(this))
    , m_pCloseButton(new CHoverButton(this))
    , m_pLookButton(new CHoverButton(this))
    , m_pSizeGrip(new QSizeGrip(this))
    , m_strGroup(group)
    , m_dwKey(item.m_dwKey)
    , m_flashTimer(this)
{
    setObjectName(QStringLiteral("stickyWnd"));
    setWindowTitle(QStringLiteral("Sticky"));
    // Notes open with the account; none of them should take the focus from the main window.
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_pEdit->SetBackColor(item.m_crStickyBack);
    m_pEdit->SetTextColor(item.m_crStickyText);
    m_pEdit->SetLogFont(item.m_lfStickyFont);
    m_pCloseButton->setObjectName(QStringLiteral("closeButton"));
    m_pCloseButton->setFocusPolicy(Qt::NoFocus);
    m_pCloseButton->setIcon(icons.m_close);
    m_pCloseButton->setIconSize(QSize(9, 8));
    m_pSizeGrip->setObjectName(QStringLiteral("sizeGrip"));
    // Queued: closing the note deletes it, which must not happen inside its own button's click.
    // The name is copied for the same reason: the account still uses it once the note is gone.
    connect(
        m_pCloseButton, &QToolButton::clicked, this,
        [this]
        {
            const QString group = m_strGroup;
            g_pAccount->ShowSticky(group, m_dwKey, false);
        },
        Qt::QueuedConnection);
    m_pLookButton->setObjectName(QStringLiteral("lookButton"));
    m_pLookButton->setFocusPolicy(Qt::NoFocus);
    m_pLookButton->setIcon(icons.m_look);
    m_pLookButton->setIconSize(QSize(9, 8));
    // Queued too: the dialog runs its own loop, which must not run inside the button's click.
    connect(m_pLookButton, &QToolButton::clicked, this, &CStickyWnd::ChooseLook,
            Qt::QueuedConnection);
    connect(m_pEdit, &CStickyEdit::TextDropped, this, &CStickyWnd::AppendText);
    m_flashTimer.setObjectName(QStringLiteral("flashTimer"));
    m_flashTimer.setSingleShot(true);
    connect(&m_flashTimer, &QTimer::timeout, this, &CStickyWnd::FlashStep);
    move(rect.topLeft());
    resize(rect.size());
    AttachItem();
    LayOut();
    // The tip reads the strip and the frame; the text area and the buttons keep their own moves.
    setMouseTracking(true);
}

// Made when the pointer first comes by: an account opens with many notes, and every window more
// slows the showing of all of them.
CInfoTipWnd& CStickyWnd::Tip()
{
    if (!m_pTip)
    {
        m_pTip = new CInfoTipWnd(this);
        m_pTip->AddTool({this, TipDelay, QString(),
                         [this](QWidget*, QRect&)
                         {
                             return TipText();
                         }});
        m_pTip->Enable(true);
    }
    return *m_pTip;
}

CRect32 CStickyWnd::GetRect() const
{
    const QPoint corner = pos();
    return {corner.x(), corner.y(), corner.x() + width(), corner.y() + height()};
}

// The message is taken as it is, so a change of letter case alone reaches the note too.
void CStickyWnd::AttachItem()
{
    CVemoItem item(Qt::Uninitialized);
    if (g_pAccount && g_pAccount->GetItemCopy(m_strGroup, m_dwKey, item))
        m_strText = item.m_strMessage;
    ShowText();
}

void CStickyWnd::ShowText()
{
    m_pEdit->setPlainText(ToShownLineBreaks(m_strText));
}

void CStickyWnd::AppendText(const QString& text)
{
    m_strText += ToStoredLineBreaks(QStringLiteral("\n") + text);
    ShowText();
}

QString CStickyWnd::GetText()
{
    m_strText = ToStoredLineBreaks(m_pEdit->toPlainText());
    return m_strText;
}

// An edit that changes only letter case is an edit too, so the texts are compared exactly.
void CStickyWnd::SaveText()
{
    const QString text = GetText();
    CVemoItem item(Qt::Uninitialized);
    if (g_pAccount && g_pAccount->GetItemCopy(m_strGroup, m_dwKey, item) &&
        item.m_strMessage != text)
        g_pAccount->SetItemMessage(m_strGroup, m_dwKey, text);
}

// Changing the widget's own flags would hide the note and show it again; the window system
// takes the hint while the note stays where it is.
void CStickyWnd::SetOnTop(bool onTop)
{
    const Qt::WindowFlags flags = windowFlags().setFlag(Qt::WindowStaysOnTopHint, onTop);
    overrideWindowFlags(flags);
    if (QWindow* window = windowHandle())
        window->setFlags(flags);
}

void CStickyWnd::Focus()
{
    show();
    raise();
    activateWindow();
    m_pEdit->setFocus();
}

void CStickyWnd::SetAppearance(quint32 back, quint32 text, const CLogFont& font)
{
    m_pEdit->SetBackColor(back);
    m_pEdit->SetTextColor(text);
    m_pEdit->SetLogFont(font);
    update();
}

// The item's look is what the note shows; the account stores the choice and hands it back.
void CStickyWnd::ChooseLook()
{
    CStickyLookDlg dialog;
    dialog.m_crBack = m_pEdit->GetBackColorRef();
    dialog.m_crText = m_pEdit->GetTextColorRef();
    dialog.m_lfFont = m_pEdit->GetLogFont();
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString group = m_strGroup;
    g_pAccount->SetStickyLook(group, m_dwKey, dialog.m_crBack, dialog.m_crText, dialog.m_lfFont);
}

void CStickyWnd::Flash(int count)
{
    m_nFlashCount = count;
    m_bFlashLit = false;
    m_flashTimer.start(FlashStartDelay);
}

void CStickyWnd::FlashStep()
{
    m_bFlashLit = !m_bFlashLit;
    if (m_bFlashLit)
        --m_nFlashCount;
    update();
    if (m_bFlashLit || m_nFlashCount > 0)
        m_flashTimer.start(FlashPeriod);
}

QString CStickyWnd::MakeTipText(const QString& group, const CVemoItem& item)
{
    QString title = item.m_strTitle;
    if (item.m_bCompleted)
        title += CompletedMark;
    const QString doBy = FormatLocalTime(item.m_reminder.m_timeDoBy,
                                         DoByFormat(item.m_reminder.m_bEnabled != 0).constData());
    return TipFormat.arg(title, group, item.GetPriorityText(), doBy);
}

QString CStickyWnd::TipText() const
{
    CVemoItem item(Qt::Uninitialized);
    if (!g_pAccount || !g_pAccount->GetItemCopy(m_strGroup, m_dwKey, item))
        return QString();
    return MakeTipText(m_strGroup, item);
}

void CStickyWnd::HideTip()
{
    if (m_pTip && m_pTip->isVisible())
        m_pTip->Hide();
}

QRect CStickyWnd::ClientRect() const
{
    return rect().adjusted(FrameWidth, FrameWidth, -FrameWidth, -FrameWidth);
}

void CStickyWnd::LayOut()
{
    const QRect client = ClientRect();
    const int top = m_bCaptionShown ? CaptionHeight : 0;
    m_pEdit->setGeometry(client.adjusted(0, top, 0, 0));
    m_pCloseButton->setGeometry(
        QRect(QPoint(client.right() + 1 - CloseButtonSize.width(), client.top()), CloseButtonSize));
    m_pSizeGrip->setGeometry(client.right() + 1 - SizeGripSize, client.bottom() + 1 - SizeGripSize,
                             SizeGripSize, SizeGripSize);
    m_pLookButton->setGeometry(QRect(
        QPoint(client.right() + 1 - CloseButtonSize.width() - LookButtonSize.width(), client.top()),
        LookButtonSize));
    m_pCloseButton->setVisible(m_bCaptionShown);
    m_pLookButton->setVisible(m_bCaptionShown);
    m_pSizeGrip->setVisible(m_bCaptionShown);
    update();
}

void CStickyWnd::ShowCaption(bool shown)
{
    m_bCaptionShown = shown;
    LayOut();
}

// Borderless notes let an inactive frame vanish into the note; the active note always shows its
// frame, with a black outline. A flash shows on every frame, the last one too.
QColor CStickyWnd::FrameColor() const
{
    QColor caption = palette().color(QPalette::Button);
    if (m_bFlashLit)
        caption = m_pEdit->GetBackColor() == FlashColor ? FlashColorOnRed : FlashColor;
    const bool flashing = m_bFlashLit || m_nFlashCount > 0;
    if (m_bCaptionShown || flashing || !GetSettings().GetBorderlessSticky())
        return caption;
    return m_pEdit->GetBackColor();
}

void CStickyWnd::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QRect band = rect();
    int thickness = FrameWidth;
    if (m_bCaptionShown)
    {
        painter.setPen(Qt::black);
        painter.drawRect(band.adjusted(0, 0, -1, -1));
        band.adjust(1, 1, -1, -1);
        --thickness;
    }
    CVemoDialog::FillFrameBorder(painter, band, thickness, thickness, FrameColor());
    if (m_bCaptionShown)
        PaintCaption(painter);
}

void CStickyWnd::PaintCaption(QPainter& painter) const
{
    const QRect client = ClientRect();
    painter.fillRect(QRect(client.topLeft(), QSize(client.width(), CaptionHeight)),
                     palette().color(QPalette::Button));
    const int lineWidth = client.width() - GripLinesEnd - 2;
    if (lineWidth <= 0)
        return;
    for (int y : {2, 8})
        qDrawShadePanel(&painter, QRect(client.left() + 2, client.top() + y, lineWidth, 3),
                        palette(), false, 1);
}

void CStickyWnd::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange)
    {
        if (isActiveWindow())
            Activated();
        else
            Deactivated();
    }
    QWidget::changeEvent(event);
}

void CStickyWnd::SelectItemNode() const
{
    if (g_pAccount && g_pAccount->GetPorts().m_pTree)
        g_pAccount->GetPorts().m_pTree->SelectItemNode(m_strGroup, m_dwKey);
}

void CStickyWnd::Activated()
{
    ShowCaption(true);
    SelectItemNode();
    SetOnTop(true);
    raise();
}

void CStickyWnd::Deactivated()
{
    ShowCaption(false);
    SaveText();
    if (GetSettings().GetStickyOnTop())
        return;
    SetOnTop(false);
    lower();
}

// The commands act on the item selected in the tree, so the note's item is selected first: the
// press may come before the activation that would select it. The menu belongs to the main window
// and runs its command after this returns, because a command may close the note.
void CStickyWnd::contextMenuEvent(QContextMenuEvent* event)
{
    if (!m_pActions)
    {
        QWidget::contextMenuEvent(event);
        return;
    }
    HideTip();
    SaveText();
    SelectItemNode();
    QMenu* popup = m_pActions->CreateContextMenu(CCommandActions::StickyMenu, g_pMainFrame);
    popup->setObjectName(QStringLiteral("stickyMenu"));
    connect(popup, &QMenu::aboutToHide, popup, &QObject::deleteLater);
    popup->popup(event->globalPos());
    event->accept();
}

void CStickyWnd::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayOut();
    StoreRect();
}

void CStickyWnd::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    HideTip();
    StoreRect();
}

// Stored only when it changed, so showing a note where it was does not count as a change.
void CStickyWnd::StoreRect()
{
    const CRect32 rect = GetRect();
    CVemoItem item(Qt::Uninitialized);
    if (g_pAccount && g_pAccount->GetItemCopy(m_strGroup, m_dwKey, item) &&
        item.m_rectSticky != rect)
        g_pAccount->SetStickyRect(m_strGroup, m_dwKey, rect);
}

Qt::Edges CStickyWnd::FrameEdgesAt(const QPoint& point) const
{
    const QRect client = ClientRect();
    Qt::Edges edges;
    edges.setFlag(Qt::LeftEdge, point.x() < client.left());
    edges.setFlag(Qt::RightEdge, point.x() > client.right());
    edges.setFlag(Qt::TopEdge, point.y() < client.top());
    edges.setFlag(Qt::BottomEdge, point.y() > client.bottom());
    return edges;
}

// A press on the strip is a press on a title bar, one on the frame a press on a sizing border.
void CStickyWnd::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
    {
        QWidget::mousePressEvent(event);
        return;
    }
    const Qt::Edges edges = FrameEdgesAt(event->position().toPoint());
    if (!edges)
        m_mover.Start(this, event);
    else if (QWindow* window = windowHandle())
        window->startSystemResize(edges);
    event->accept();
}

void CStickyWnd::mouseMoveEvent(QMouseEvent* event)
{
    Tip().RelayEvent(this, event);
    if (!m_mover.Follow(this, event))
        QWidget::mouseMoveEvent(event);
}

void CStickyWnd::mouseReleaseEvent(QMouseEvent* event)
{
    m_mover.Stop();
    QWidget::mouseReleaseEvent(event);
}
