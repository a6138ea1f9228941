#include "OwnerDrawStyle.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

namespace
{
// The height of a menu bar entry, which no entry is lower than.
constexpr int MenuBarHeight = 19;
constexpr int ImageSide = 16;
constexpr int ImageGap = 2;
constexpr int UntitledSeparatorHeight = 10;

bool IsBold(const QStyleOptionMenuItem& item)
{
    return item.menuItemType == QStyleOptionMenuItem::Separator ||
           item.menuItemType == QStyleOptionMenuItem::DefaultItem;
}

QFont EntryFont(const QStyleOptionMenuItem& item)
{
    QFont font = item.font;
    font.setBold(IsBold(item));
    return font;
}

// The text before the tab; a shortcut after it has no place in these menus.
QString EntryText(const QStyleOptionMenuItem& item)
{
    return item.text.section(QLatin1Char('\t'), 0, 0);
}

void DrawTitledSeparator(const QStyleOptionMenuItem& item, QPainter& painter)
{
    const QRect& rect = item.rect;
    const int middle = rect.top() + rect.height() / 2;
    painter.setPen(item.palette.color(QPalette::Disabled, QPalette::WindowText));
    painter.drawLine(rect.left(), middle, rect.right(), middle);
    const QString title = EntryText(item);
    if (title.isEmpty())
        return;
    const QString padded = QLatin1Char(' ') + title + QLatin1Char(' ');
    const QRect titleRect =
        QFontMetrics(painter.font()).boundingRect(rect, Qt::AlignCenter, padded);
    painter.fillRect(titleRect, item.palette.color(QPalette::Window));
    painter.setPen(item.palette.color(QPalette::WindowText));
    painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, padded);
}

// Grey text with a light shadow below and to the right, as a disabled entry is drawn.
void DrawEmbossedText(const QStyleOptionMenuItem& item, QPainter& painter, const QRect& rect)
{
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextHideMnemonic;
    painter.setPen(item.palette.color(QPalette::Light));
    painter.drawText(rect.translated(1, 1), flags, EntryText(item));
    painter.setPen(item.palette.color(QPalette::Disabled, QPalette::WindowText));
    painter.drawText(rect, flags, EntryText(item));
}

void DrawEntry(const QStyleOptionMenuItem& item, QPainter& painter)
{
    const bool highlighted = item.state & QStyle::State_Selected;
    const bool enabled = item.state & QStyle::State_Enabled;
    QFont font = EntryFont(item);
    font.setUnderline(highlighted && enabled);
    painter.setFont(font);
    painter.fillRect(item.rect,
                     item.palette.color(highlighted ? QPalette::Highlight : QPalette::Window));
    if (item.menuItemType == QStyleOptionMenuItem::Separator)
    {
        DrawTitledSeparator(item, painter);
        return;
    }
    if (!item.icon.isNull())
    {
        const QRect image(item.rect.left(), item.rect.top() + (item.rect.height() - ImageSide) / 2,
                          ImageSide, ImageSide);
        item.icon.paint(&painter, image, Qt::AlignCenter,
                        enabled ? QIcon::Normal : QIcon::Disabled);
    }
    const QRect textRect = item.rect.adjusted(ImageSide + ImageGap, 0, 0, 0);
    if (!enabled)
    {
        DrawEmbossedText(item, painter, textRect);
        return;
    }
    painter.setPen(
        item.palette.color(highlighted ? QPalette::HighlightedText : QPalette::WindowText));
    painter.drawText(textRect,
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic,
                     EntryText(item));
}
} // namespace

// Fusion under it for the menu's frame and scrolling, so the menu looks the same on every desktop.
COwnerDrawStyle::COwnerDrawStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
}

QSize COwnerDrawStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                        const QSize& size, const QWidget* widget) const
{
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (type != CT_MenuItem || !item)
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    if (item->menuItemType == QStyleOptionMenuItem::Separator && EntryText(*item).isEmpty())
        return {0, UntitledSeparatorHeight};
    const QFontMetrics metrics(EntryFont(*item));
    const QString text = QLatin1Char(' ') + EntryText(*item) + QLatin1Char(' ');
    return {metrics.horizontalAdvance(text) + ImageSide + ImageGap,
            qMax(qMax(metrics.height(), MenuBarHeight), ImageSide)};
}

void COwnerDrawStyle::drawControl(ControlElement element, const QStyleOption* option,
                                  QPainter* painter, const QWidget* widget) const
{
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element != CE_MenuItem || !item || item->menuItemType == QStyleOptionMenuItem::EmptyArea ||
        item->menuItemType == QStyleOptionMenuItem::Margin)
    {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    painter->save();
    DrawEntry(*item, *painter);
    painter->restore();
}
