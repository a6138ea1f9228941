#include "ImageComboBox.h"

namespace
{
// addItem keeps its user data in Qt::UserRole.
constexpr int ValueRole = Qt::UserRole;
constexpr int ImageIndexRole = Qt::UserRole + 1;
} // namespace

CImageComboBox::CImageComboBox(QWidget* parent)
    : QComboBox(parent)
{
}

bool CImageComboBox::AddEntry(const QString& text, int imageIndex, qint32 value)
{
    const int countBefore = count();
    addItem(Image(imageIndex), text, value);
    if (count() == countBefore)
        return false;
    setItemData(countBefore, imageIndex, ImageIndexRole);
    return true;
}

qint32 CImageComboBox::GetEntryValue(int index) const
{
    return itemData(index, ValueRole).toInt();
}

void CImageComboBox::SetImageList(const QList<QIcon>& images)
{
    m_imageList = images;
    for (int index = 0; index < count(); ++index)
        setItemIcon(index, Image(itemData(index, ImageIndexRole).toInt()));
}

QIcon CImageComboBox::Image(int imageIndex) const
{
    return m_imageList.value(imageIndex);
}
