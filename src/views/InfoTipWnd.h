#pragma once

#include <QPointer>
#include <QRect>
#include <QString>
#include <QTimer>
#include <QVector>
#include <QWidget>

#include <functional>

// A window the tip shows for, how long the pointer must rest on it, and where its text comes
// from. The callback is asked as the tip is about to show; it may set the hot rectangle (screen
// coordinates) the pointer has to stay in for the tip to stay up.
struct InfoTipTool
{
    QPointer<QWidget> m_pWindow;
    int m_nDelay = 0;
    QString m_strText;
    std::function<QString(QWidget* window, QRect& hotRect)> m_textCallback;
};

// One character of a marked-up tip text, where it is drawn and in which type.
struct InfoTipChar
{
    QString m_strText;
    QPoint m_ptPos;
    bool m_bBold = false;
};

// The characters of a marked-up text as placed in the tip, and the size they need.
struct InfoTipLayout
{
    QVector<InfoTipChar> m_chars;
    QSize m_size;
};

// A hover tip that shows a text near the pointer once it has rested on a host's window; a "^"
// in the text switches between regular and bold type. The host relays its mouse moves here.
class CInfoTipWnd : public QWidget
{
    Q_OBJECT

public:
    explicit CInfoTipWnd(QWidget* host);

    // The tool's position; a window already registered keeps its first record.
    int AddTool(const InfoTipTool& tool);
    void Enable(bool enable);
    void RelayEvent(QWidget* window, const QEvent* event);
    void Hide();

    InfoTipLayout LayOutMarkedUpText(const QString& text) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const InfoTipTool* FindTool(const QWidget* window) const;
    void StartTracking(const InfoTipTool& tool);
    void OnTimer();
    bool IsPointerInside(const QPoint& pointer) const;
    void ShowTip(const QPoint& pointer);
    qsizetype ToolIndex(const QWidget* window) const;
    QString ContentText();

    QVector<InfoTipTool> m_tools;
    QPointer<QWidget> m_pTracked;
    QRect m_rcHot;
    // Painted as measured: asked again at paint time, the host would answer for wherever the
    // pointer has moved since, in a window sized for the first text.
    QString m_strShown;
    bool m_bEnabled = false;
    bool m_bDelayPassed = false;
    // Runs first once after the tracked tool's delay, then polls the pointer.
    QTimer m_timer;
};
