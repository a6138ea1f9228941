#include "SystemTray.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusServiceWatcher>
#include <QGuiApplication>
#include <QMenu>

namespace
{
const QString NotifierWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString NotifierWatcherPath = QStringLiteral("/StatusNotifierWatcher");
// An X11 tray's coming and going is looked for this often; the look is a cached answer.
constexpr int TrayPollInterval = 2000;

std::function<bool()>& TrayProbe()
{
    static std::function<bool()> probe;
    return probe;
}

bool IsTrayAvailable()
{
    return TrayProbe() ? TrayProbe()() : QSystemTrayIcon::isSystemTrayAvailable();
}

// The toolkit shows its icon through a StatusNotifier host when one is registered at the start.
bool IsNotifierHostRegistered()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(NotifierWatcher))
        return false;
    QDBusInterface watcher(NotifierWatcher, NotifierWatcherPath, NotifierWatcher, bus);
    return watcher.isValid() && watcher.property("IsStatusNotifierHostRegistered").toBool();
}
} // namespace

CSystemTray::CSystemTray(QObject* parent)
    : QObject(parent)
    , m_icon(this)
{
    m_icon.setObjectName(QStringLiteral("trayIcon"));
    connect(&m_pollTimer, &QTimer::timeout, this, &CSystemTray::CheckTray);
    connect(&m_icon, &QSystemTrayIcon::activated, this, &CSystemTray::OnActivated);
}

CSystemTray::~CSystemTray()
{
    RemoveIcon();
}

void CSystemTray::SetTrayProbe(std::function<bool()> probe)
{
    TrayProbe() = std::move(probe);
}

bool CSystemTray::AddIcon(const QString& tip, const QIcon& icon, QMenu* menu)
{
    m_icon.setToolTip(tip);
    m_icon.setIcon(icon);
    m_icon.setContextMenu(menu);
    m_bHostSendsActivate = !TrayProbe() && IsNotifierHostRegistered();
    m_bTrayAvailable = IsTrayAvailable();
    m_bAdded = true;
    // Shown even with no tray: the toolkit docks the icon once a tray appears.
    m_icon.show();
    WatchTray();
    return IsInstalled();
}

void CSystemTray::RemoveIcon()
{
    if (!m_bAdded)
        return;
    m_bAdded = false;
    m_pollTimer.stop();
    m_icon.hide();
}

// A StatusNotifier host comes and goes on the bus, which says so. An X11 tray is asked after
// now and then, since the toolkit keeps its notice of one to itself.
void CSystemTray::WatchTray()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (m_bHostSendsActivate && bus.isConnected())
    {
        if (findChild<QDBusServiceWatcher*>())
            return;
        auto* watcher = new QDBusServiceWatcher(NotifierWatcher, bus,
                                                QDBusServiceWatcher::WatchForOwnerChange, this);
        connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, &CSystemTray::CheckTray);
        return;
    }
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        m_pollTimer.start(TrayPollInterval);
}

void CSystemTray::CheckTray()
{
    const bool wasInstalled = IsInstalled();
    m_bTrayAvailable = IsTrayAvailable();
    if (IsInstalled() != wasInstalled)
        emit InstalledChanged(IsInstalled());
}

// An X11 tray reports each press: a double click comes as a click and then a double click. A
// StatusNotifier host sends a single "activate" and no double click, so that is the show/hide.
void CSystemTray::OnActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::DoubleClick ||
        (reason == QSystemTrayIcon::Trigger && m_bHostSendsActivate))
        emit ShowHideRequested();
    else if (reason == QSystemTrayIcon::Trigger)
        emit RaiseRequested();
}
