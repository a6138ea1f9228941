#pragma once

#include "model/MainWindow.h"
#include "tray/SystemTray.h"

#include <QMainWindow>

class CAccountCommands;
class CCommandActions;
class CGroupView;
class CTrayMenu;
class CVemoAccount;
class IStickyHost;
struct CRect32;

// The program's one top-level window: the group tree with the menus, tool bar and status bar,
// and the tray icon. It restores its placement when first shown and stores it, with every note,
// when closed; closing it ends the program.
class CMainFrame : public QMainWindow, public IMainWindow
{
    Q_OBJECT

public:
    explicit CMainFrame(QWidget* parent = nullptr);

    CGroupView* GetView() const { return m_pView; }
    // Binds the window to the open-account document once both exist.
    void Attach(CVemoAccount* account, CAccountCommands* commands, CCommandActions* actions,
                IStickyHost* stickies);
    // Moves the window to its stored or first-start placement and shows or hides it.
    void PlaceFrame();
    // Hide Window, and back: into the tray, or minimised while the desktop has no tray.
    void ToggleVisible();

    // Stores the placement and every note, and saves the account: the close steps that do not
    // end the program, also run when the desktop session ends.
    void SaveState();
    // Closes the normal way but asks nothing, as a quit signal must: a failed save cannot keep
    // the window open.
    void CloseWithoutAsking();

    void SetDocumentTitle(const QString& documentTitle) override;
    void ShowMainWindow() override;
    void RunPrintJob() override;

signals:
    // An account folder, or a file in one, dropped on the window from the desktop.
    void AccountDropped(const QString& path);
    void Closed();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildStatusBar();
    // Moves and sizes the window to the rectangle, brought within reach of the user.
    void FitPlacement(const CRect32& rect);
    void HideMainWindow();
    void AddTrayIcon();
    void TrayInstalledChanged(bool installed);

    CGroupView* m_pView = nullptr;
    CVemoAccount* m_pAccount = nullptr;
    CCommandActions* m_pActions = nullptr;
    IStickyHost* m_pStickies = nullptr;
    CSystemTray m_trayIcon;
    CTrayMenu* m_pTrayMenu = nullptr;
    // Hidden by Hide Window, as against minimised by the user.
    bool m_bHidden = false;
    bool m_bClosingWithoutAsking = false;
    // Placed before the window manager's frame was known, so placed again once it is.
    bool m_bFitWhenFramed = false;
};

// The main window of the running program.
extern CMainFrame* g_pMainFrame;
