#include "MainFrame.h"

#include "CommandActions.h"
#include "ScreenPlacement.h"
#include "base/Settings.h"
#include "model/AccountFile.h"
#include "model/CommandIds.h"
#include "model/StickyHost.h"
#include "model/VemoAccount.h"
#include "printing/ItemPrintJob.h"
#include "tray/TrayMenu.h"
#include "views/GroupView.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

CMainFrame* g_pMainFrame = nullptr;

namespace
{
const CRect32 FirstStartPlacement = {0, 0, 200, 300};
const QString TrayTip = QStringLiteral("Things to do");
// How far into the window a point must be on some screen for the caption to be grabbed.
constexpr int CaptionGrip = 16;

// The position is the outer corner and the size the window's own, the pair that move() and resize()
// take back, so a window manager's frame can never make the window creep from start to start.
CRect32 ToRect32(const QPoint& corner, const QSize& size)
{
    return {corner.x(), corner.y(), corner.x() + size.width(), corner.y() + size.height()};
}

// A window larger than the free area of its screen, after a display or scale change, shrinks to
// fit and moves only as far as that needs, so its status bar shows. The frame is what the window
// manager adds around the window.
QRect FitToArea(QRect placed, const QRect& area, const QSize& frame)
{
    const QSize fitted = placed.size().boundedTo(area.size() - frame);
    if (fitted.width() < placed.width())
        placed.moveLeft(area.left());
    if (fitted.height() < placed.height())
        placed.moveTop(area.top());
    placed.setSize(fitted);
    return placed;
}

QRect ReachablePlacement(const CRect32& stored, const QSize& frame)
{
    QRect placed(stored.left, stored.top, static_cast<int>(stored.Width()),
                 static_cast<int>(stored.Height()));
    const QScreen* screen = BringOntoScreen(placed, CaptionGrip);
    return screen ? FitToArea(placed, screen->availableGeometry(), frame) : placed;
}

// Only a real account is taken, so a stray file dropped on the window cannot close the account.
QString DroppedAccount(const QMimeData* data)
{
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return {};
    const QString path = urls.front().toLocalFile();
    return CAccountFile::CheckFolder(CAccountFile::FolderOf(path)) ? path : QString();
}
} // namespace

CMainFrame::CMainFrame(QWidget* parent)
    : QMainWindow(parent)
    , m_pView(new CGroupView(this))
    , m_trayIcon(this)
{
    g_pMainFrame = this;
    setObjectName(QStringLiteral("MainFrame"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/vemo.svg")));
    setCentralWidget(m_pView);
    setAcceptDrops(true);
    BuildStatusBar();
    SetDocumentTitle(QStringLiteral("[No Account]"));
}

void CMainFrame::BuildStatusBar()
{
    // A normal status-bar widget steps aside while a prompt shows and returns when it goes.
    auto* idle = new QLabel(QStringLiteral("For Help, press F1"), statusBar());
    idle->setObjectName(QStringLiteral("idlePrompt"));
    statusBar()->addWidget(idle, 1);
}

void CMainFrame::Attach(CVemoAccount* account, CAccountCommands* commands, CCommandActions* actions,
                        IStickyHost* stickies)
{
    m_pAccount = account;
    m_pActions = actions;
    m_pStickies = stickies;
    actions->FillMenuBar(menuBar());
    auto* toolBar = addToolBar(QStringLiteral("Vemo"));
    toolBar->setObjectName(QStringLiteral("toolBar"));
    toolBar->setIconSize(QSize(16, 16));
    toolBar->setMovable(false);
    actions->FillToolBar(toolBar);
    actions->AddShortcuts(this);
    m_pView->Attach(account, commands, actions);
    connect(m_pView, &CGroupView::SelectionChangedForCommands, actions,
            &CCommandActions::UpdateToolBar);
    AddTrayIcon();
}

// The program starts without a tray too; the icon comes once the desktop has one.
void CMainFrame::AddTrayIcon()
{
    m_pTrayMenu = new CTrayMenu(*m_pActions, *m_pAccount, this);
    connect(&m_trayIcon, &CSystemTray::InstalledChanged, this, &CMainFrame::TrayInstalledChanged);
    connect(&m_trayIcon, &CSystemTray::RaiseRequested, this,
            [this]
            {
                if (isVisible())
                    raise();
            });
    connect(&m_trayIcon, &CSystemTray::ShowHideRequested, this,
            [this] { m_pActions->Execute(ID_WINDOW_SHOW_HIDE); });
    m_trayIcon.AddIcon(TrayTip, windowIcon(), m_pTrayMenu);
}

// A window hidden into a tray that has gone would be out of reach.
void CMainFrame::TrayInstalledChanged(bool installed)
{
    if (!installed && m_bHidden && !isVisible())
        ShowMainWindow();
}

void CMainFrame::PlaceFrame()
{
    CRect32 rect = FirstStartPlacement;
    bool showing = true;
    GetSettings().LoadWindowPlacement(rect, showing);
    m_bFitWhenFramed = true;
    FitPlacement(rect);
    if (showing)
        ShowMainWindow();
    else
        HideMainWindow();
}

void CMainFrame::FitPlacement(const CRect32& rect)
{
    const QRect placed = ReachablePlacement(rect, frameGeometry().size() - size());
    move(placed.topLeft());
    resize(placed.size());
}

// The window manager's frame is known only once the window shows; a window that fits the screen
// without it may not with it.
void CMainFrame::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    if (!m_bFitWhenFramed || frameGeometry().size() == size())
        return;
    m_bFitWhenFramed = false;
    FitPlacement(ToRect32(pos(), size()));
}

void CMainFrame::ToggleVisible()
{
    if (m_bHidden || !isVisible())
        ShowMainWindow();
    else
        HideMainWindow();
}

// With no tray to come back from, hiding minimises, so the taskbar still leads back.
void CMainFrame::HideMainWindow()
{
    m_bHidden = true;
    if (m_trayIcon.IsInstalled())
        hide();
    else
        showMinimized();
}

void CMainFrame::SetDocumentTitle(const QString& documentTitle)
{
    setWindowTitle(documentTitle + QStringLiteral(" - Vemo"));
}

void CMainFrame::ShowMainWindow()
{
    m_bHidden = false;
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void CMainFrame::RunPrintJob()
{
    if (!m_pAccount)
        return;
    CItemPrintJob job(*m_pAccount, *m_pView, this);
    job.Print();
}

void CMainFrame::SaveState()
{
    // The normal geometry leaves out the window manager's frame, which the stored corner includes.
    const QRect normal = normalGeometry();
    const QPoint corner = normal.topLeft() + (pos() - geometry().topLeft());
    GetSettings().SaveWindowPlacement(ToRect32(corner, normal.size()), isVisible() && !m_bHidden);
    if (m_pStickies)
        m_pStickies->CloseAllStickies();
    if (m_pAccount)
        m_pAccount->SaveModified();
}

// A window brought back from the taskbar is no longer hidden; one the user minimised never was.
void CMainFrame::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange && !isMinimized())
        m_bHidden = false;
    QMainWindow::changeEvent(event);
}

void CMainFrame::CloseWithoutAsking()
{
    m_bClosingWithoutAsking = true;
    close();
}

// A save that fails lets the user keep the window, and the changes, instead.
void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!m_bClosingWithoutAsking && m_pAccount && !m_pAccount->SaveBeforeClosing())
    {
        event->ignore();
        return;
    }
    SaveState();
    event->accept();
    emit Closed();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (DroppedAccount(event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QString path = DroppedAccount(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    emit AccountDropped(path);
}
