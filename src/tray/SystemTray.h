#pragma once

#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>

#include <functional>

class QMenu;

// The program's icon in the desktop's notification area, with its tip and menu. A desktop may
// have no tray, or gain or lose one while the program runs; the icon follows, and says so.
class CSystemTray : public QObject
{
    Q_OBJECT

public:
    explicit CSystemTray(QObject* parent = nullptr);
    ~CSystemTray() override;

    // Puts the icon in the tray, now or once there is one. True when it is in a tray now.
    bool AddIcon(const QString& tip, const QIcon& icon, QMenu* menu);
    void RemoveIcon();
    // The icon is in a tray the user can see.
    bool IsInstalled() const { return m_bAdded && m_bTrayAvailable; }

    // Tests stand in for the desktop: the probe says whether there is a tray.
    static void SetTrayProbe(std::function<bool()> probe);
    // Asks again whether there is a tray, as the desktop's change notices do.
    void CheckTray();

signals:
    void InstalledChanged(bool installed);
    // A single click, which brings the main window to the front.
    void RaiseRequested();
    // Shows a hidden main window or hides a shown one.
    void ShowHideRequested();

private:
    void WatchTray();
    void OnActivated(QSystemTrayIcon::ActivationReason reason);

    QSystemTrayIcon m_icon;
    QTimer m_pollTimer;
    bool m_bAdded = false;
    bool m_bTrayAvailable = false;
    // A StatusNotifier host sends one kind of click and shows the menu itself.
    bool m_bHostSendsActivate = false;
};
