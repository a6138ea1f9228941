#pragma once

#include <QProxyStyle>

// Measures and draws the entries of an owner-drawn menu: an image at the left edge, the text
// after it, bold for the default entry and for separators, and separators that may carry a title
// across a grey line. The colours come from the entry's palette, which the menu fills.
class COwnerDrawStyle : public QProxyStyle
{
    Q_OBJECT

public:
    COwnerDrawStyle();

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};
