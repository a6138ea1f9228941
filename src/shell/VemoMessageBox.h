#pragma once

#include "VemoDialog.h"
#include "model/UserPrompts.h"

#include <QString>

#include <functional>

class QDialogButtonBox;
class QHBoxLayout;
class QToolButton;
class QWidget;

// The program's message boxes: titled "Vemo", OK alone or Yes/No for a question. The box draws
// its caption itself, with the title and a close button only: a window manager asked for a
// dialog's frame adds minimise and maximise boxes a message has no use for. Closing it answers
// as Escape does, No to a question.
class CVemoMessageBox : public CVemoDialog
{
    Q_OBJECT

public:
    CVemoMessageBox(const QString& text, IUserPrompts::Icon icon, QWidget* parent = nullptr);

    // Runs the box modally.
    IUserPrompts::Answer Ask();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QHBoxLayout* MakeBody(const QString& text, IUserPrompts::Icon icon);
    QDialogButtonBox* MakeButtons();

    bool m_bQuestion;
    QToolButton* m_pCloseButton;
};

IUserPrompts::Answer ShowVemoMessage(QWidget* parent, const QString& text, IUserPrompts::Icon icon);

// Tests answer message boxes through this instead of a modal window; null restores the boxes.
using VemoMessageHandler = std::function<IUserPrompts::Answer(const QString&, IUserPrompts::Icon)>;
void SetVemoMessageHandler(VemoMessageHandler handler);
