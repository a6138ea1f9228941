#pragma once

#include <QHash>
#include <QObject>

#include <functional>

class CAccountCommands;
class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

// The program's command vocabulary as menus, tool bar and shortcuts. Every entry carries a
// command id; enable and check states come from the account's rules or from the shell command
// that owns the id, and are refreshed before a menu shows and after every command.
class CCommandActions : public QObject
{
    Q_OBJECT

public:
    enum Menu
    {
        ItemMenu = 145,
        GroupMenu = 146,
        AccountMenu = 147,
        StickyMenu = 148,
    };

    struct CShellCommand
    {
        std::function<void()> m_run;
        std::function<bool()> m_enabled;
        std::function<bool()> m_checked;
    };

    explicit CCommandActions(CAccountCommands& commands, QObject* parent = nullptr);

    // Commands the window and the application carry out themselves (hide, exit, about ...).
    void SetShellCommand(int id, CShellCommand command);

    bool IsEnabled(int id) const;
    bool IsChecked(int id) const;
    // Runs the command when its rule allows it now, as a disabled menu entry would not.
    void Execute(int id);

    void FillMenuBar(QMenuBar* menuBar);
    void FillToolBar(QToolBar* toolBar);
    // Shortcuts that act only while the given window is the active window.
    void AddShortcuts(QWidget* window);
    QMenu* CreateContextMenu(Menu menu, QWidget* parent);
    // An entry that runs the command and shows its prompt, for menus built elsewhere.
    QAction* CreateAction(int id, const QString& text, QObject* parent);
    void UpdateToolBar();

    // The status-bar prompt of a command: the first line of its string.
    static QString Prompt(int id);

signals:
    void CommandExecuted(int id);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct CEntry
    {
        int m_nId;
        const char* m_pszText;
    };

    QMenu* CreateMenu(const QString& title, std::initializer_list<CEntry> entries, QWidget* parent);
    QMenu* CreateGroupMenu(const QString& title, QWidget* parent);
    QMenu* CreateContextMenuEntries(Menu menu, QWidget* parent);
    void UpdateAction(QAction* action) const;
    void UpdateMenu(QMenu* menu);

    CAccountCommands& m_commands;
    QHash<int, CShellCommand> m_shellCommands;
    QList<QAction*> m_toolBarActions;
};
