#include "VemoApp.h"

#include "AboutDlg.h"
#include "AccountsDlg.h"
#include "CommandActions.h"
#include "HelpPages.h"
#include "MainFrame.h"
#include "SingleInstance.h"
#include "VemoMessageBox.h"
#include "base/Settings.h"
#include "model/AccountCommands.h"
#include "model/AccountFile.h"
#include "model/CommandIds.h"
#include "model/VemoAccount.h"
#include "preferences/PreferencesSheet.h"
#include "views/GroupView.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

namespace
{
const QString AccountOpenFailed = QStringLiteral("The account could not be opened.");

// Each is cancelled: a question is answered No, a dialog left without its changes. True when
// any was open.
bool CancelOpenWindows()
{
    bool cancelled = false;
    while (QWidget* popup = QApplication::activePopupWidget())
    {
        popup->close();
        popup->hide();
        cancelled = true;
    }
    while (QWidget* modal = QApplication::activeModalWidget())
    {
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->done(QDialog::Rejected);
        modal->hide();
        cancelled = true;
    }
    return cancelled;
}
} // namespace

CVemoApp::CVemoApp(IUserPrompts* prompts)
    : m_pFrame(std::make_unique<CMainFrame>())
    , m_dialogPrompts(m_pFrame.get())
    , m_mailTransport(m_pFrame.get())
{
    CVemoAccount::CPorts ports;
    ports.m_pTree = m_pFrame->GetView();
    ports.m_pStickies = &m_stickyList;
    ports.m_pPrompts = prompts ? prompts : &m_dialogPrompts;
    ports.m_pMainWindow = m_pFrame.get();
    ports.m_pMail = &m_mailTransport;
    ports.m_pAnnouncer = &m_announcer;
    m_pAccount = std::make_unique<CVemoAccount>(ports);
    m_announcer.SetAccount(m_pAccount.get());
    g_pAccount = m_pAccount.get();
    m_pCommands = std::make_unique<CAccountCommands>(*m_pAccount);
    m_pActions = std::make_unique<CCommandActions>(*m_pCommands);
    m_stickyList.SetCommandActions(m_pActions.get());
    RegisterShellCommands();
    m_pFrame->Attach(m_pAccount.get(), m_pCommands.get(), m_pActions.get(), &m_stickyList);
    // Queued, so the drag's source is not kept waiting while the account opens.
    connect(m_pFrame.get(), &CMainFrame::AccountDropped, this, &CVemoApp::OpenNamedAccount,
            Qt::QueuedConnection);
}

CVemoApp::~CVemoApp()
{
    m_autoSaveTimer.Stop();
    m_pFrame.reset();
    g_pAccount = nullptr;
    g_pMainFrame = nullptr;
}

void CVemoApp::RegisterShellCommands()
{
    CMainFrame* frame = m_pFrame.get();
    m_pActions->SetShellCommand(ID_WINDOW_SHOW_HIDE, {[frame] { frame->ToggleVisible(); }, {}, {}});
    m_pActions->SetShellCommand(ID_APP_EXIT, {[frame] { frame->close(); }, {}, {}});
    m_pActions->SetShellCommand(ID_TRAY_EXIT, {[frame] { frame->close(); }, {}, {}});
    m_pActions->SetShellCommand(ID_MANAGE_ACCOUNTS, {[this] { ManageAccounts(); }, {}, {}});
    m_pActions->SetShellCommand(ID_PREFERENCES, {[this] { ShowPreferences(); }, {}, {}});
    m_pActions->SetShellCommand(ID_APP_ABOUT, {[]
                                               {
                                                   CAboutDlg about;
                                                   about.exec();
                                               },
                                               {},
                                               {}});
    for (int id : {ID_HELP_FINDER, ID_CONTEXT_HELP, ID_HELP})
        m_pActions->SetShellCommand(id, {[frame] { OpenHelp(frame, FindHelpContents()); }, {}, {}});
}

void CVemoApp::ShowPreferences()
{
    CPreferencesSheet sheet(
        &m_stickyList, [this](quint32 milliseconds) { SetAutoSavePeriod(milliseconds); },
        m_pFrame.get());
    sheet.exec();
}

void CVemoApp::ManageAccounts()
{
    CAccountsDlg dialog(m_pFrame.get());
    dialog.m_bManageMode = true;
    dialog.exec();
}

void CVemoApp::Start(const QString& accountPath)
{
    // A path that does not open leaves the remembered account to open, and remembered.
    if (accountPath.isEmpty() || !OpenNamedAccount(accountPath))
        m_pAccount->OnNewDocument();
    m_pFrame->PlaceFrame();
    m_pActions->UpdateToolBar();
    if (GetSettings().GetAutoSaveInterval() != 0)
        m_autoSaveTimer.Start();
}

// An account named on the command line or dropped on the window: its folder, or a file inside it.
bool CVemoApp::OpenNamedAccount(const QString& accountPath)
{
    if (!m_pAccount->SaveBeforeClosing())
        return false;
    if (m_pAccount->OpenAccount(CAccountFile::FolderOf(accountPath)))
        return true;
    m_pAccount->GetPorts().m_pPrompts->MessageBox(AccountOpenFailed, IUserPrompts::Exclamation);
    return false;
}

void CVemoApp::Quit()
{
    // The loops of the windows just cancelled end only after this returns; whoever opened them
    // finishes first, and then the window closes.
    if (CancelOpenWindows())
    {
        QTimer::singleShot(0, this, &CVemoApp::Quit);
        return;
    }
    m_bQuit = true;
    m_pFrame->CloseWithoutAsking();
    QCoreApplication::quit();
}

void CVemoApp::ServeLaterStarts(CSingleInstance& instance)
{
    connect(&instance, &CSingleInstance::ShowRequested, m_pFrame.get(),
            &CMainFrame::ShowMainWindow);
}
