#include "OwnerDrawMenu.h"

#include <QStyleOptionMenuItem>

COwnerDrawMenu::COwnerDrawMenu(QWidget* parent)
    : QMenu(parent)
    , m_crBack(palette().color(QPalette::Window))
    , m_crText(palette().color(QPalette::WindowText))
    , m_crHighlight(palette().color(QPalette::Highlight))
    , m_crHighlightText(palette().color(QPalette::HighlightedText))
{
    setStyle(&m_style);
    ApplyColors();
}

void COwnerDrawMenu::SetBackColor(const QColor& color)
{
    m_crBack = color;
    ApplyColors();
}

void COwnerDrawMenu::SetTextColor(const QColor& color)
{
    m_crText = color;
    ApplyColors();
}

void COwnerDrawMenu::SetHighlightTextColor(const QColor& color)
{
    m_crHighlightText = color;
    ApplyColors();
}

void COwnerDrawMenu::SetFlatHighlight(bool flat)
{
    m_bFlatHighlight = flat;
    ApplyColors();
}

// The style draws from the palette, so the colours reach it, and the menu's own frame and margins,
// through the palette.
void COwnerDrawMenu::ApplyColors()
{
    QPalette colors = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    {
        colors.setColor(group, QPalette::Window, m_crBack);
        colors.setColor(group, QPalette::Base, m_crBack);
        colors.setColor(group, QPalette::Highlight, m_bFlatHighlight ? m_crBack : m_crHighlight);
        colors.setColor(group, QPalette::HighlightedText, m_crHighlightText);
    }
    colors.setColor(QPalette::Active, QPalette::WindowText, m_crText);
    colors.setColor(QPalette::Inactive, QPalette::WindowText, m_crText);
    setPalette(colors);
    update();
}

// A separator's title is its text, which the toolkit leaves out of the option.
void COwnerDrawMenu::initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const
{
    QMenu::initStyleOption(option, action);
    if (action->isSeparator())
        option->text = action->text();
}
