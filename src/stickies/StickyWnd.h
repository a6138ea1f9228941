#pragma once

#include "base/Rect32.h"
#include "shell/WindowMover.h"

#include <QIcon>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <QWidget>

class CCommandActions;
class CInfoTipWnd;
struct CLogFont;
class CStickyEdit;
class CVemoItem;
class QSizeGrip;
class CHoverButton;

// The pictures of a note's buttons, made once for all notes: making one reads its file.
struct CStickyButtonIcons
{
    QIcon m_close;
    QIcon m_look;
};

// One item's note on the desktop: a frameless, resizable window that shows and edits the item's
// message in the item's colours and font. While active it shows a caption strip that moves it.
class CStickyWnd : public QWidget
{
    Q_OBJECT

public:
    // The system sizing frame and the strip above the text, in pixels.
    static constexpr int FrameWidth = 4;
    static constexpr int CaptionHeight = 15;

    // Without actions the note has no menu of its own.
    CStickyWnd(const QRect& rect, const QString& group, const CVemoItem& item,
               const CStickyButtonIcons& icons, CCommandActions* actions = nullptr);

    const QString& GetGroup() const { return m_strGroup; }
    quint32 GetKey() const { return m_dwKey; }
    // The corner and size the toolkit takes back, as the item stores them.
    CRect32 GetRect() const;
    void SetGroup(const QString& group) { m_strGroup = group; }

    // Shows the item's message; when the item is gone, the text last exchanged with it.
    void AttachItem();
    QString GetText();
    // Adds a line to the text last exchanged with the item, not to what is typed since.
    void AppendText(const QString& text);
    // Writes the text into the item when it differs from the item's message in any way.
    void SaveText();
    void SetOnTop(bool onTop);
    // Activates the note and puts the cursor in its text.
    void Focus();
    // Lights the frame the given number of times, half a second on and half a second off.
    void Flash(int count);
    // Colours as the items keep them, 0x00BBGGRR.
    void SetAppearance(quint32 back, quint32 text, const CLogFont& font);

    // The hover tip of a note, in the tip's mark-up: title, group, priority and Do By.
    static QString MakeTipText(const QString& group, const CVemoItem& item);

protected:
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void ShowText();
    QRect ClientRect() const;
    QColor FrameColor() const;
    Qt::Edges FrameEdgesAt(const QPoint& point) const;
    void LayOut();
    void ShowCaption(bool shown);
    void PaintCaption(QPainter& painter) const;
    void StoreRect();
    void SelectItemNode() const;
    void Activated();
    void Deactivated();
    void FlashStep();
    CInfoTipWnd& Tip();
    QString TipText() const;
    void HideTip();
    void ChooseLook();

    CCommandActions* m_pActions = nullptr;
    CStickyEdit* m_pEdit = nullptr;
    CHoverButton* m_pCloseButton = nullptr;
    CHoverButton* m_pLookButton = nullptr;
    QSizeGrip* m_pSizeGrip = nullptr;
    CInfoTipWnd* m_pTip = nullptr;
    bool m_bCaptionShown = false;
    QString m_strGroup;
    quint32 m_dwKey = 0;
    // The text last exchanged between the edit and the item.
    QString m_strText;
    CWindowMover m_mover;
    // Flashes not yet begun, and whether the frame is lit now.
    int m_nFlashCount = 0;
    bool m_bFlashLit = false;
    QTimer m_flashTimer;
};
