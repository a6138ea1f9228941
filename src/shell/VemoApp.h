#pragma once

#include "DialogPrompts.h"
#include "reminders/AutoSaveTimer.h"
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
    CVemoAccount& GetAccount() const { return *m_pAccount; }
    CCommandActions& GetActions() const { return *m_pActions; }
    CAutoSaveTimer& GetAutoSaveTimer() { return m_autoSaveTimer; }

    // Later starts of the program bring this one's window forward.
    void ServeLaterStarts(CSingleInstance& instance);

    // A new auto-save period from the preferences; 0 switches auto-save off.
    void SetAutoSavePeriod(quint32 milliseconds);

private:
    void RegisterShellCommands();
    void ManageAccounts();
    void OpenNamedAccount(const QString& accountPath);

    CStickyList m_stickyList;
    CAutoSaveTimer m_autoSaveTimer;
    std::unique_ptr<CMainFrame> m_pFrame;
    CDialogPrompts m_dialogPrompts;
    std::unique_ptr<CVemoAccount> m_pAccount;
    std::unique_ptr<CAccountCommands> m_pCommands;
    std::unique_ptr<CCommandActions> m_pActions;
};
