#include "VemoMessageBox.h"

#include <QMessageBox>

namespace
{
VemoMessageHandler& Handler()
{
    static VemoMessageHandler handler;
    return handler;
}

QMessageBox::Icon BoxIcon(IUserPrompts::Icon icon)
{
    switch (icon)
    {
    case IUserPrompts::Information:
        return QMessageBox::Information;
    case IUserPrompts::Question:
        return QMessageBox::Question;
    case IUserPrompts::Exclamation:
        return QMessageBox::Warning;
    case IUserPrompts::NoIcon:
        break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

IUserPrompts::Answer ShowVemoMessage(QWidget* parent, const QString& text, IUserPrompts::Icon icon)
{
    if (Handler())
        return Handler()(text, icon);
    const bool question = icon == IUserPrompts::Question;
    QMessageBox box(BoxIcon(icon), QStringLiteral("Vemo"), text,
                    question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
    const int result = box.exec();
    if (!question)
        return IUserPrompts::Ok;
    return result == QMessageBox::Yes ? IUserPrompts::Yes : IUserPrompts::No;
}

void SetVemoMessageHandler(VemoMessageHandler handler)
{
    Handler() = std::move(handler);
}
