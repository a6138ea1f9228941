#include "LabelStatic.h"

#include <QPainter>
#include <QPalette>

namespace
{
// The label's own font when none is set: 14-pixel Arial of normal weight.
QFont DefaultLabelFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(14);
    font.setStyleStrategy(QFont::PreferQuality);
    return font;
}
} // namespace

CLabelStatic::CLabelStatic(const QString& text, QWidget* parent)
    : QWidget(parent)
    , m_crBackground(palette().color(QPalette::Button))
    , m_crText(palette().color(QPalette::WindowText))
    , m_strText(text)
    , m_font(DefaultLabelFont())
{
}

void CLabelStatic::SetBackgroundColor(const QColor& color)
{
    m_crBackground = color;
    update();
}

void CLabelStatic::SetTextColor(const QColor& color)
{
    m_crText = color;
    update();
}

void CLabelStatic::SetText(const QString& text)
{
    m_strText = text;
    updateGeometry();
    update();
}

void CLabelStatic::SetFont(const QFont& font)
{
    m_font = font;
    updateGeometry();
    update();
}

void CLabelStatic::SetAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    update();
}

QSize CLabelStatic::sizeHint() const
{
    const QFontMetrics metrics(m_font);
    return {metrics.horizontalAdvance(m_strText) + 2, metrics.height() + 2};
}

void CLabelStatic::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_crBackground);
    painter.setPen(m_crText);
    painter.setFont(m_font);
    painter.drawText(rect(),
                     int(m_alignment | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextExpandTabs),
                     m_strText);
}
