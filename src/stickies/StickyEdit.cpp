#include "StickyEdit.h"

#include "base/Settings.h"
#include "shell/GuiFont.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimerEvent>

namespace
{
// The window system's usual time for a pointer at rest to count as hovering.
constexpr int HoverTime = 400;

// Plain text proper: hasText() also takes a list of files for text.
bool OffersPlainText(const QMimeData* data)
{
    return data->hasFormat(QStringLiteral("text/plain"));
}

// Takes the event when it offers plain text, as a copy; whether it did.
bool AcceptPlainText(QDropEvent* event)
{
    if (!OffersPlainText(event->mimeData()))
    {
        event->ignore();
        return false;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
}

QColor ColorFromColorRef(quint32 color)
{
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}
} // namespace

CStickyEdit::CStickyEdit(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setObjectName(QStringLiteral("stickyEdit"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setMouseTracking(true);
}

// Set for every colour group, so the note keeps its colours while it is not active.
void CStickyEdit::SetBackColor(quint32 color)
{
    m_crBack = color;
    QPalette colors = palette();
    colors.setColor(QPalette::Base, ColorFromColorRef(color));
    setPalette(colors);
}

void CStickyEdit::SetTextColor(quint32 color)
{
    m_crText = color;
    QPalette colors = palette();
    colors.setColor(QPalette::Text, ColorFromColorRef(color));
    setPalette(colors);
}

void CStickyEdit::SetLogFont(const CLogFont& logFont)
{
    m_lfFont = logFont;
    setFont(FontFromLogFont(logFont));
}

QColor CStickyEdit::GetBackColor() const
{
    return palette().color(QPalette::Base);
}

void CStickyEdit::WaitForHover()
{
    if (hasFocus())
        m_hoverTimer.stop();
    else
        m_hoverTimer.start(HoverTime, this);
}

void CStickyEdit::enterEvent(QEnterEvent* event)
{
    WaitForHover();
    QPlainTextEdit::enterEvent(event);
}

void CStickyEdit::leaveEvent(QEvent* event)
{
    m_hoverTimer.stop();
    QPlainTextEdit::leaveEvent(event);
}

// A pointer still moving is not hovering yet.
void CStickyEdit::mouseMoveEvent(QMouseEvent* event)
{
    WaitForHover();
    QPlainTextEdit::mouseMoveEvent(event);
}

void CStickyEdit::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_hoverTimer.timerId())
    {
        QPlainTextEdit::timerEvent(event);
        return;
    }
    m_hoverTimer.stop();
    if (!GetSettings().GetHoverSticky())
        return;
    window()->activateWindow();
    setFocus();
}

// Dropped text is added to the note's end, wherever it was let go, so it is only ever copied.
void CStickyEdit::dragEnterEvent(QDragEnterEvent* event)
{
    dragMoveEvent(event);
}

void CStickyEdit::dragMoveEvent(QDragMoveEvent* event)
{
    AcceptPlainText(event);
}

void CStickyEdit::dropEvent(QDropEvent* event)
{
    if (AcceptPlainText(event))
        emit TextDropped(event->mimeData()->text());
}
