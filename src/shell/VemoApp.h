#pragma once

#include "DialogPrompts.h"
#include "reminders/AutoSaveTimer.h"
#include "reminders/DesktopAnnouncer.h"
#include "reminders/SendmailTransport.h"
#include "stickies/StickyList.h"

#include <QObject>
#include <QString>

#include <memory>

class CAccountCommands;
class CCommandActions;
class CMainFrame;
class CSingleInstance;
class CVemoAccount;

// The application object: builds the main window and the account document, wires them to the
// program's commands, and owns what lives as long as the process.
class CVemoApp : public QObject
{
    Q_OBJECT

public:
    // Tests may answer the account's questions themselves; null uses the program's dialogs.
    explicit CVemoApp(IUserPrompts* prompts = nullptr);
    ~CVemoApp() override;

    // Opens the remembered account, or the account folder or file named, and shows the window.
    void Start(const QString& accountPath = QString());

    CMainFrame& GetMainFrame() const { return *m_pFrame; }
    CCommandActions& GetActions() const { return *m_pActions; }

    // 0 turns auto-save off; the preferences change the period this way.
    void SetAutoSavePeriod(quint32 milliseconds) { m_autoSaveTimer.SetPeriod(milliseconds); }

    // Later starts of the program bring this one's window forward.
    void ServeLaterStarts(CSingleInstance& instance);

    // Ends the program at any moment, as a quit signal asks: every open dialog, message and menu
    // is cancelled first, then the window closes the normal way, saving, and asks nothing.
    void Quit();
    // Whether Quit has closed the window, so there is no event loop left to run.
    bool HasQuit() const { return m_bQuit; }

private:
    void RegisterShellCommands();
    void ManageAccounts();
    void ShowPreferences();
    bool OpenNamedAccount(const QString& accountPath);

    CStickyList m_stickyList;
    CAutoSaveTimer m_autoSaveTimer;
    CDesktopAnnouncer m_announcer;
    std::unique_ptr<CMainFrame> m_pFrame;
    CDialogPrompts m_dialogPrompts;
    CSendmailTransport m_mailTransport;
    std::unique_ptr<CVemoAccount> m_pAccount;
    std::unique_ptr<CAccountCommands> m_pCommands;
    std::unique_ptr<CCommandActions> m_pActions;
    bool m_bQuit = false;
};
