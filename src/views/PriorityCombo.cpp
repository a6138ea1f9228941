#include "PriorityCombo.h"

#include "model/VemoItem.h"

namespace
{
constexpr int ImageSize = 12;
} // namespace

CPriorityCombo::CPriorityCombo(QWidget* parent)
    : CImageComboBox(parent)
{
    setIconSize(QSize(ImageSize, ImageSize));
    SetImageList({QIcon(QStringLiteral(":/icons/priority-low.svg")),
                  QIcon(QStringLiteral(":/icons/priority-normal.svg")),
                  QIcon(QStringLiteral(":/icons/priority-high.svg"))});
    AddEntry(QStringLiteral("Low"), 0, CVemoItem::PriorityLow);
    AddEntry(QStringLiteral("Normal"), 1, CVemoItem::PriorityNormal);
    AddEntry(QStringLiteral("High"), 2, CVemoItem::PriorityHigh);
    setCurrentIndex(-1);
}

qint32 CPriorityCombo::GetSelectedValue() const
{
    return currentIndex() < 0 ? 0 : GetEntryValue(currentIndex());
}

void CPriorityCombo::SelectValue(qint32 priority)
{
    for (int index = 0; index < count(); ++index)
    {
        if (GetEntryValue(index) == priority)
        {
            setCurrentIndex(index);
            return;
        }
    }
}
