#include "VemoDialog.h"

#include "VemoMessageBox.h"
#include "model/GroupName.h"

#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QFont>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace
{
constexpr int CaptionLineInset = 5;
const QColor InactiveCaptionColor(0x80, 0x80, 0x80);

QFont CaptionFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(16);
    font.setBold(true);
    return font;
}
} // namespace

CVemoDialog::CVemoDialog(QWidget* parent)
    // Frameless, so there is no system menu for Alt+Space or the caption to open.
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    QPalette colors = palette();
    colors.setColor(QPalette::Window, DialogColor());
    colors.setColor(QPalette::WindowText, Qt::black);
    setPalette(colors);
    setContentsMargins(FrameWidth, FrameWidth + CaptionHeight, FrameWidth, FrameWidth);
}

QDialogButtonBox* CVemoDialog::MakeOkCancelButtons()
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return buttons;
}

bool CVemoDialog::CheckName(QLineEdit* edit, NameKind kind)
{
    const QString refusal = NameRefusal(edit->text(), kind);
    if (refusal.isEmpty())
        return true;
    ShowVemoMessage(this, refusal, IUserPrompts::Exclamation);
    edit->setFocus();
    edit->selectAll();
    return false;
}

QColor CVemoDialog::DialogColor()
{
    return QColor(255, 255, 200);
}

QColor CVemoDialog::FrameColor()
{
    return QColor(255, 128, 64);
}

void CVemoDialog::FillFrameBorder(QPainter& painter, const QRect& rect, int width, int height,
                                  const QColor& color)
{
    const int innerWidth = rect.width() - 2 * width;
    painter.fillRect(rect.left(), rect.top(), width, rect.height(), color);
    painter.fillRect(rect.right() + 1 - width, rect.top(), width, rect.height(), color);
    painter.fillRect(rect.left() + width, rect.top(), innerWidth, height, color);
    painter.fillRect(rect.left() + width, rect.bottom() + 1 - height, innerWidth, height, color);
}

void CVemoDialog::DrawCaptionBar(QPainter& painter, const QRect& rect, const QString& title,
                                 bool active)
{
    const QColor textColor = active ? QColor(Qt::black) : InactiveCaptionColor;
    painter.fillRect(rect, DialogColor());
    painter.setFont(CaptionFont());
    painter.setPen(textColor);
    painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, title);
    painter.drawLine(rect.left() + CaptionLineInset, rect.bottom(), rect.right() - CaptionLineInset,
                     rect.bottom());
}

QRect CVemoDialog::CaptionRect() const
{
    return QRect(FrameWidth, FrameWidth, width() - 2 * FrameWidth, CaptionHeight);
}

void CVemoDialog::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), DialogColor());
    FillFrameBorder(painter, rect(), FrameWidth, FrameWidth, FrameColor());
    DrawCaptionBar(painter, CaptionRect(), windowTitle(), isActiveWindow());
}

void CVemoDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange || event->type() == QEvent::WindowTitleChange)
        update(CaptionRect());
    QDialog::changeEvent(event);
}

void CVemoDialog::contextMenuEvent(QContextMenuEvent* event)
{
    if (CaptionRect().contains(event->pos()))
        event->accept();
    else
        QDialog::contextMenuEvent(event);
}

void CVemoDialog::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !CaptionRect().contains(event->position().toPoint()))
    {
        QDialog::mousePressEvent(event);
        return;
    }
    m_mover.Start(this, event);
    event->accept();
}

void CVemoDialog::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_mover.Follow(this, event))
        QDialog::mouseMoveEvent(event);
}

void CVemoDialog::mouseReleaseEvent(QMouseEvent* event)
{
    m_mover.Stop();
    QDialog::mouseReleaseEvent(event);
}
