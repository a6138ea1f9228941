#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>

// A one-line label that paints its own background, so it keeps the dialogs' pale yellow where
// a style would draw its own.
class CLabelStatic : public QWidget
{
    Q_OBJECT

public:
    explicit CLabelStatic(const QString& text, QWidget* parent = nullptr);

    void SetBackgroundColor(const QColor& color);
    void SetTextColor(const QColor& color);
    void SetText(const QString& text);
    void SetFont(const QFont& font);
    void SetAlignment(Qt::Alignment alignment);
    const QString& GetText() const { return m_strText; }
    const QFont& GetFont() const { return m_font; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_crBackground;
    QColor m_crText;
    QString m_strText;
    QFont m_font;
    Qt::Alignment m_alignment = Qt::AlignLeft;
};
