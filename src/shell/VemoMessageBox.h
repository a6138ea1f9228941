#pragma once

#include "model/UserPrompts.h"

#include <QString>

#include <functional>

class QWidget;

// The program's message boxes: titled "Vemo", OK alone or Yes/No for a question.
IUserPrompts::Answer ShowVemoMessage(QWidget* parent, const QString& text, IUserPrompts::Icon icon);

// Tests answer message boxes through this instead of a modal window; null restores the boxes.
using VemoMessageHandler = std::function<IUserPrompts::Answer(const QString&, IUserPrompts::Icon)>;
void SetVemoMessageHandler(VemoMessageHandler handler);
