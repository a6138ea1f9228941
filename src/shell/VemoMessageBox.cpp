#include "VemoMessageBox.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace
{
// A longer text wraps at this width, so a box never spans the screen.
constexpr int WidestText = 360;
constexpr int IconSize = 32;
constexpr int CloseButtonInset = 2;

VemoMessageHandler& Handler()
{
    static VemoMessageHandler handler;
    return handler;
}

QStyle::StandardPixmap BoxIcon(IUserPrompts::Icon icon)
{
    switch (icon)
    {
    case IUserPrompts::Question:
        return QStyle::SP_MessageBoxQuestion;
    case IUserPrompts::Exclamation:
        return QStyle::SP_MessageBoxWarning;
    case IUserPrompts::Information:
    case IUserPrompts::NoIcon:
        break;
    }
    return QStyle::SP_MessageBoxInformation;
}
} // namespace

CVemoMessageBox::CVemoMessageBox(const QString& text, IUserPrompts::Icon icon, QWidget* parent)
    : CVemoDialog(parent)
    , m_bQuestion(icon == IUserPrompts::Question)
    , m_pCloseButton(new QToolButton(this))
{
    setWindowTitle(QStringLiteral("Vemo"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(MakeBody(text, icon));
    layout->addWidget(MakeButtons());
    m_pCloseButton->setObjectName(QStringLiteral("closeButton"));
    m_pCloseButton->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    m_pCloseButton->setAutoRaise(true);
    m_pCloseButton->setFocusPolicy(Qt::NoFocus);
    connect(m_pCloseButton, &QToolButton::clicked, this, &QDialog::reject);
}

QHBoxLayout* CVemoMessageBox::MakeBody(const QString& text, IUserPrompts::Icon icon)
{
    auto* body = new QHBoxLayout;
    if (icon != IUserPrompts::NoIcon)
    {
        auto* picture = new QLabel(this);
        picture->setPixmap(style()->standardIcon(BoxIcon(icon)).pixmap(IconSize));
        body->addWidget(picture, 0, Qt::AlignTop);
    }
    auto* message = new QLabel(text, this);
    message->setObjectName(QStringLiteral("messageText"));
    message->setWordWrap(true);
    const QRect wrapped =
        message->fontMetrics().boundingRect(QRect(0, 0, WidestText, 0), Qt::TextWordWrap, text);
    message->setMinimumWidth(wrapped.width());
    body->addWidget(message, 1);
    return body;
}

QDialogButtonBox* CVemoMessageBox::MakeButtons()
{
    auto* buttons = new QDialogButtonBox(
        m_bQuestion ? QDialogButtonBox::Yes | QDialogButtonBox::No : QDialogButtonBox::Ok, this);
    buttons->setCenterButtons(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return buttons;
}

IUserPrompts::Answer CVemoMessageBox::Ask()
{
    const bool accepted = exec() == QDialog::Accepted;
    if (!m_bQuestion)
        return IUserPrompts::Ok;
    return accepted ? IUserPrompts::Yes : IUserPrompts::No;
}

// The close button sits at the right end of the caption the base draws.
void CVemoMessageBox::resizeEvent(QResizeEvent* event)
{
    const QRect caption = CaptionRect();
    const int side = caption.height() - 2 * CloseButtonInset;
    m_pCloseButton->setGeometry(caption.right() + 1 - CloseButtonInset - side,
                                caption.top() + CloseButtonInset, side, side);
    CVemoDialog::resizeEvent(event);
}

IUserPrompts::Answer ShowVemoMessage(QWidget* parent, const QString& text, IUserPrompts::Icon icon)
{
    if (Handler())
        return Handler()(text, icon);
    CVemoMessageBox box(text, icon, parent);
    return box.Ask();
}

void SetVemoMessageHandler(VemoMessageHandler handler)
{
    Handler() = std::move(handler);
}
