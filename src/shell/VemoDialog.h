#pragma once

#include "WindowMover.h"
#include "model/GroupName.h"

#include <QDialog>

class QDialogButtonBox;
class QLineEdit;
class QPainter;

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

    static constexpr int FrameWidth = 3;
    static constexpr int CaptionHeight = 22;

    // Strips of the given width and height along the four edges of the rectangle.
    static void FillFrameBorder(QPainter& painter, const QRect& rect, int width, int height,
                                const QColor& color);
    static void DrawCaptionBar(QPainter& painter, const QRect& rect, const QString& title,
                               bool active);

protected:
    QRect CaptionRect() const;
    // The OK and Cancel buttons the dialogs end with; Cancel rejects, OK is for the caller.
    QDialogButtonBox* MakeOkCancelButtons();
    // Whether the edit holds a name that can be a group's or an account's; when not, says why
    // and leaves the text there to be mended.
    bool CheckName(QLineEdit* edit, NameKind kind);

    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    CWindowMover m_mover;
};
