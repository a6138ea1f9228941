#include "InfoTipWnd.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QPainter>
#include <QScreen>
#include <QToolTip>

#include <algorithm>
#include <utility>

namespace
{
// A zero period would spin the event loop while the pointer rests; this is the shortest period
// a window timer has on the platform the tip was made for.
constexpr int PollPeriod = 10;
// The toolkit cannot tell how large the pointer is; this is the common cursor cell.
constexpr int CursorSize = 32;
constexpr int TextLeft = 3;
constexpr int TextTop = 2;
constexpr int Margin = 3;
const QChar BoldSwitch = QLatin1Char('^');
const QChar LineFeed = QLatin1Char('\n');

QFont TipFont(bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(9);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

// A character outside the basic plane takes two units and is measured as one.
qsizetype CharLength(const QString& text, qsizetype index)
{
    const bool pair = text.at(index).isHighSurrogate() && index + 1 < text.size() &&
                      text.at(index + 1).isLowSurrogate();
    return pair ? 2 : 1;
}

// Keeps the tip on the pointer's screen: shifted left at the right edge, above the pointer at
// the bottom.
QRect PlaceNearPointer(const QSize& size, const QPoint& pointer)
{
    QRect rect(pointer + QPoint(CursorSize, CursorSize), size);
    const QScreen* screen = QGuiApplication::screenAt(pointer);
    const QRect area = (screen ? screen : QGuiApplication::primaryScreen())->geometry();
    if (rect.right() > area.right())
        rect.moveRight(area.right());
    if (rect.bottom() > area.bottom())
        rect.moveBottom(pointer.y() - 1);
    return rect;
}
} // namespace

CInfoTipWnd::CInfoTipWnd(QWidget* host)
    : QWidget(host, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
    , m_timer(this)
{
    setObjectName(QStringLiteral("infoTip"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    resize(0, 0);
    m_timer.setObjectName(QStringLiteral("infoTipTimer"));
    connect(&m_timer, &QTimer::timeout, this, &CInfoTipWnd::OnTimer);
}

qsizetype CInfoTipWnd::ToolIndex(const QWidget* window) const
{
    for (qsizetype i = 0; i < m_tools.size(); ++i)
    {
        if (m_tools.at(i).m_pWindow == window)
            return i;
    }
    return -1;
}

const InfoTipTool* CInfoTipWnd::FindTool(const QWidget* window) const
{
    const qsizetype index = window ? ToolIndex(window) : -1;
    return index < 0 ? nullptr : &m_tools.at(index);
}

int CInfoTipWnd::AddTool(const InfoTipTool& tool)
{
    if (!tool.m_pWindow)
        return -1;
    const qsizetype index = ToolIndex(tool.m_pWindow);
    if (index >= 0)
        return int(index);
    m_tools.append(tool);
    return int(m_tools.size() - 1);
}

void CInfoTipWnd::Enable(bool enable)
{
    m_bEnabled = enable;
    if (!enable)
        Hide();
}

void CInfoTipWnd::RelayEvent(QWidget* window, const QEvent* event)
{
    const InfoTipTool* tool = FindTool(window);
    if (!m_bEnabled || event->type() != QEvent::MouseMove || !tool)
        return;
    if (m_pTracked)
    {
        if (m_pTracked == window || !isVisible())
            return;
        Hide();
    }
    else if (isVisible())
        return;
    StartTracking(*tool);
}

void CInfoTipWnd::StartTracking(const InfoTipTool& tool)
{
    m_pTracked = tool.m_pWindow;
    m_bDelayPassed = false;
    m_timer.start(tool.m_nDelay);
}

void CInfoTipWnd::Hide()
{
    m_pTracked = nullptr;
    m_bDelayPassed = false;
    m_rcHot = QRect();
    m_timer.stop();
    hide();
}

// Away from the hot rectangle the timer keeps polling, so the tip comes back at once when the
// pointer does.
void CInfoTipWnd::OnTimer()
{
    if (!std::exchange(m_bDelayPassed, true))
        m_timer.setInterval(PollPeriod);
    const QPoint pointer = QCursor::pos();
    const bool inside = IsPointerInside(pointer);
    if (inside && !isVisible())
        ShowTip(pointer);
    else if (!inside && isVisible())
        Hide();
}

bool CInfoTipWnd::IsPointerInside(const QPoint& pointer) const
{
    if (!m_rcHot.isEmpty())
        return m_rcHot.contains(pointer);
    return m_pTracked && QApplication::widgetAt(pointer) == m_pTracked;
}

void CInfoTipWnd::ShowTip(const QPoint& pointer)
{
    m_strShown = ContentText();
    const QSize size = LayOutMarkedUpText(m_strShown).m_size;
    if (!size.isValid())
    {
        Hide();
        return;
    }
    setGeometry(PlaceNearPointer(size + QSize(Margin, Margin), pointer));
    show();
}

QString CInfoTipWnd::ContentText()
{
    const InfoTipTool* tool = FindTool(m_pTracked);
    if (!tool)
        return QString();
    return tool->m_textCallback ? tool->m_textCallback(m_pTracked, m_rcHot) : tool->m_strText;
}

// Each character is measured on its own, as it is drawn, so the tip is exactly as wide as what
// it paints. An empty text needs no tip and answers an invalid size.
InfoTipLayout CInfoTipWnd::LayOutMarkedUpText(const QString& text) const
{
    InfoTipLayout layout;
    if (text.isEmpty())
        return layout;
    const QFontMetrics regular(TipFont(false), this);
    const QFontMetrics bold(TipFont(true), this);
    const int lineHeight = regular.size(Qt::TextSingleLine, QStringLiteral("Xg")).height();
    QPoint pos(TextLeft, TextTop);
    int largestX = TextLeft;
    bool inBold = false;
    for (qsizetype i = 0, length = 0; i < text.size(); i += length)
    {
        length = CharLength(text, i);
        if (text.at(i) == BoldSwitch)
            inBold = !inBold;
        else if (text.at(i) == LineFeed)
            pos = QPoint(TextLeft, pos.y() + lineHeight);
        else
        {
            const QString glyph = text.mid(i, length);
            layout.m_chars.append({glyph, pos, inBold});
            pos.rx() += (inBold ? bold : regular).horizontalAdvance(glyph);
            largestX = std::max(largestX, pos.x());
        }
    }
    layout.m_size = QSize(largestX + Margin, pos.y() + lineHeight + Margin);
    return layout;
}

void CInfoTipWnd::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette tipPalette = QToolTip::palette();
    painter.fillRect(rect(), tipPalette.color(QPalette::ToolTipBase));
    painter.setPen(tipPalette.color(QPalette::ToolTipText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const QFont fonts[] = {TipFont(false), TipFont(true)};
    for (const InfoTipChar& glyph : LayOutMarkedUpText(m_strShown).m_chars)
    {
        const QFont& font = fonts[glyph.m_bBold ? 1 : 0];
        painter.setFont(font);
        painter.drawText(glyph.m_ptPos + QPoint(0, QFontMetrics(font, this).ascent()),
                         glyph.m_strText);
    }
}
