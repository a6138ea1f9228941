#include "VemoDialog.h"

CVemoDialog::CVemoDialog(QWidget* parent)
    : QDialog(parent)
{
}

QColor CVemoDialog::DialogColor()
{
    return QColor(255, 255, 200);
}

QColor CVemoDialog::FrameColor()
{
    return QColor(255, 128, 64);
}
