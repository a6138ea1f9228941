#pragma once

#include <QString>

// What the account needs of the main window and the rest of the shell.
class IMainWindow
{
public:
    virtual ~IMainWindow() = default;

    // The window shows "<title> - Vemo".
    virtual void SetDocumentTitle(const QString& title) = 0;
    virtual void ShowMainWindow() = 0;
    virtual void RunPrintJob() = 0;
};
