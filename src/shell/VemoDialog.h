#pragma once

#include <QDialog>

// The base of every dialog of the program: a pale yellow client area inside an orange frame, and
// a caption bar of its own that shows the title and moves the dialog when dragged.
class CVemoDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CVemoDialog(QWidget* parent = nullptr);

    // The pale yellow of every dialog, 0x00C8FFFF as the files write colours.
    static QColor DialogColor();
    // The orange of the frame around the caption.
    static QColor FrameColor();
};
