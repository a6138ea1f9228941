#pragma once

#include "OwnerDrawStyle.h"

#include <QColor>
#include <QMenu>

// A popup menu in colours of its own: an image beside each entry, the default entry bold, and
// titled separators. With the flat highlight, the entry under the pointer keeps the menu's
// background and is drawn underlined in the highlight text colour.
class COwnerDrawMenu : public QMenu
{
    Q_OBJECT

public:
    explicit COwnerDrawMenu(QWidget* parent = nullptr);

    void SetBackColor(const QColor& color);
    void SetTextColor(const QColor& color);
    void SetHighlightTextColor(const QColor& color);
    void SetFlatHighlight(bool flat);

protected:
    void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override;

private:
    void ApplyColors();

    COwnerDrawStyle m_style;
    QColor m_crBack;
    QColor m_crText;
    QColor m_crHighlight;
    QColor m_crHighlightText;
    bool m_bFlatHighlight = false;
};
