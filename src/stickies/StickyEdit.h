#pragma once

#include "base/LogFont.h"

#include <QBasicTimer>
#include <QPlainTextEdit>

// The text area of a sticky note: a borderless multi-line edit in the note's own colours and font.
// With "HoverSticky" set, resting the pointer on it activates the note.
class CStickyEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit CStickyEdit(QWidget* parent = nullptr);

    // Colours as the items keep them, 0x00BBGGRR.
    void SetBackColor(quint32 color);
    void SetTextColor(quint32 color);
    void SetLogFont(const CLogFont& logFont);

    QColor GetBackColor() const;
    quint32 GetBackColorRef() const { return m_crBack; }
    quint32 GetTextColorRef() const { return m_crText; }
    // The description as it was given, not as the toolkit matched it, so a face that is not
    // installed here is kept.
    const CLogFont& GetLogFont() const { return m_lfFont; }

signals:
    // Plain text dropped on the note, with the line breaks of the edit.
    void TextDropped(const QString& text);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void WaitForHover();

    QBasicTimer m_hoverTimer;
    quint32 m_crBack = 0;
    quint32 m_crText = 0;
    CLogFont m_lfFont;
};
