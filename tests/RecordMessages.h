#pragma once

#include "shell/VemoMessageBox.h"

#include <QStringList>

#include <memory>

// The message boxes shown from now on, answered OK, until the handler is set again.
inline std::shared_ptr<QStringList> RecordMessages()
{
    auto shown = std::make_shared<QStringList>();
    SetVemoMessageHandler(
        [shown](const QString& text, IUserPrompts::Icon)
        {
            shown->append(text);
            return IUserPrompts::Ok;
        });
    return shown;
}
