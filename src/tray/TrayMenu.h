#pragma once

#include "OwnerDrawMenu.h"

class CCommandActions;
class CVemoAccount;

// The tray icon's menu: show or hide the main window (the default), make an item and sticky,
// exit, and below the "QuickList" title the quick list's items. It is filled again each time it
// is about to show, so it offers the quick list as it is at that moment.
class CTrayMenu : public COwnerDrawMenu
{
    Q_OBJECT

public:
    // The parent is the window that shows the entries' prompts in its status bar.
    CTrayMenu(CCommandActions& actions, const CVemoAccount& account, QWidget* parent);

    void Refill();

private:
    void AppendCommand(int id, const QString& text);
    void AppendQuickListEntries();

    CCommandActions& m_actions;
    const CVemoAccount& m_account;
};
