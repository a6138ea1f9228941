#include "CommandActions.h"

#include "model/AccountCommands.h"
#include "model/CommandIds.h"

#include <QAction>
#include <QCoreApplication>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <algorithm>

namespace
{
// A command's string - the status prompt, then after a newline the tool tip - and its tool-bar
// icon, if it has one.
struct CCommandText
{
    int m_nId;
    const char* m_pszString;
    const char* m_pszIcon = nullptr;
};

constexpr CCommandText CommandTexts[] = {
    {ID_GROUP_ADD, "Add a group to the account\nAdd Group", ":/icons/add-group.svg"},
    {ID_GROUP_REMOVE, "Remove this group from the account"},
    {ID_ITEM_ADD, "Add an item to the group\nAdd Item", ":/icons/add-item.svg"},
    {ID_ITEM_REMOVE, "Remove this item from the group"},
    {ID_QUICKLIST_ADD, "Add this item to the QuickList\nAdd to QuickList",
     ":/icons/add-quicklist.svg"},
    {ID_QUICKLIST_REMOVE, "Remove this item from the QuickList"},
    {ID_WINDOW_SHOW_HIDE, "Hide the main window.\nHide This Window", ":/icons/hide-window.svg"},
    {ID_ITEM_AND_STICKY,
     "Create a new item and 'sticky' in the currently selected group\nCreate Item and Sticky",
     ":/icons/make-sticky.svg"},
    {ID_ITEM_PROPERTIES, "Edit this item's properties"},
    {ID_PREFERENCES, "Tailor the application to suit you"},
    {ID_STICKY_HIDE, "Remove a sticky"},
    {ID_GROUP_SHOW_STICKIES,
     "This will create stickies for all the items in the currently selected group."},
    {ID_GROUP_HIDE_STICKIES, "This will remove all stickies from the currently selected group."},
    {ID_MANAGE_ACCOUNTS, "Organize all available accounts. "},
    {ID_ITEM_SEND, "Send this item as an email message."},
    {ID_STICKIES_ON_TOP,
     "Toggle whether or not stickies always appear on top of other windows..\nStickies Always "
     "On Top",
     ":/icons/on-top.svg"},
    {ID_FILE_PRINT, "Print vemo items"},
    {ID_FILE_NEW, "Create a new account\nNew"},
    {ID_FILE_OPEN, "Open an existing account"},
    {ID_FILE_CLOSE, "Close the active document"},
    {ID_FILE_SAVE, "Save this account", ":/icons/save.svg"},
    {ID_APP_ABOUT, "Display program information"},
    {ID_APP_EXIT, "Quit Vemo"},
    {ID_HELP_FINDER, "List Help topics"},
    {ID_CONTEXT_HELP, "List Help topics"},
    {ID_HELP, "List Help topics"},
};

const CCommandText* FindCommandText(int id)
{
    const auto found = std::ranges::find(CommandTexts, id, &CCommandText::m_nId);
    return found == std::ranges::end(CommandTexts) ? nullptr : found;
}

QString CommandString(int id)
{
    if (id >= ID_QUICKLIST_FIRST && id <= ID_QUICKLIST_LAST)
        return QStringLiteral("Select this Vemo item. ");
    const CCommandText* text = FindCommandText(id);
    return text ? QString::fromUtf8(text->m_pszString) : QString();
}

QString ToolTip(int id)
{
    return CommandString(id).section(QLatin1Char('\n'), 1);
}

QString IconFor(int id)
{
    const CCommandText* text = FindCommandText(id);
    return text && text->m_pszIcon ? QString::fromUtf8(text->m_pszIcon) : QString();
}

bool IsCheckable(int id)
{
    return id == ID_STICKIES_ON_TOP || id == ID_TASK_COMPLETED;
}

struct CShortcut
{
    QKeySequence m_keys;
    int m_nId;
};
} // namespace

CCommandActions::CCommandActions(CAccountCommands& commands, QObject* parent)
    : QObject(parent)
    , m_commands(commands)
{
}

QString CCommandActions::Prompt(int id)
{
    return CommandString(id).section(QLatin1Char('\n'), 0, 0);
}

void CCommandActions::SetShellCommand(int id, CShellCommand command)
{
    m_shellCommands.insert(id, std::move(command));
}

bool CCommandActions::IsEnabled(int id) const
{
    const auto shell = m_shellCommands.constFind(id);
    if (shell != m_shellCommands.cend())
        return !shell->m_enabled || shell->m_enabled();
    return m_commands.IsEnabled(id);
}

bool CCommandActions::IsChecked(int id) const
{
    const auto shell = m_shellCommands.constFind(id);
    if (shell != m_shellCommands.cend())
        return shell->m_checked && shell->m_checked();
    return m_commands.IsChecked(id);
}

void CCommandActions::Execute(int id)
{
    if (!IsEnabled(id))
        return;
    const auto shell = m_shellCommands.constFind(id);
    if (shell != m_shellCommands.cend())
        shell->m_run();
    else
        m_commands.Execute(id);
    UpdateToolBar();
    emit CommandExecuted(id);
}

QAction* CCommandActions::CreateAction(int id, const QString& text, QObject* parent)
{
    auto* action = new QAction(text, parent);
    action->setData(id);
    action->setStatusTip(Prompt(id));
    action->setCheckable(IsCheckable(id));
    const QString icon = IconFor(id);
    if (!icon.isEmpty())
        action->setIcon(QIcon(icon));
    connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
    return action;
}

QMenu* CCommandActions::CreateMenu(const QString& title, std::initializer_list<CEntry> entries,
                                   QWidget* parent)
{
    auto* menu = new QMenu(title, parent);
    for (const CEntry& entry : entries)
    {
        if (entry.m_nId == 0)
            menu->addSeparator();
        else
            menu->addAction(CreateAction(entry.m_nId, QString::fromUtf8(entry.m_pszText), menu));
    }
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateMenu(menu); });
    return menu;
}

void CCommandActions::UpdateAction(QAction* action) const
{
    const int id = action->data().toInt();
    action->setEnabled(IsEnabled(id));
    action->setChecked(IsChecked(id));
}

void CCommandActions::UpdateMenu(QMenu* menu)
{
    for (QAction* action : menu->actions())
    {
        if (!action->isSeparator())
            UpdateAction(action);
    }
}

QMenu* CCommandActions::CreateGroupMenu(const QString& title, QWidget* parent)
{
    return CreateMenu(title,
                      {{ID_GROUP_ADD, "&Add Group...\tCtrl+G"},
                       {ID_GROUP_REMOVE, "&Remove Group\tCtrl+R"},
                       {0, nullptr},
                       {ID_GROUP_SHOW_STICKIES, "&Show Group Stickies"},
                       {ID_GROUP_HIDE_STICKIES, "&Hide Group Stickies"},
                       {ID_GROUP_DELETE_ALL_ITEMS, "&Delete All Items In Group"}},
                      parent);
}

void CCommandActions::FillMenuBar(QMenuBar* menuBar)
{
    menuBar->addMenu(CreateMenu(QStringLiteral("&Account"),
                                {{ID_FILE_NEW, "&New...\tCtrl+N"},
                                 {ID_FILE_OPEN, "&Open...\tCtrl+O"},
                                 {ID_FILE_CLOSE, "&Close"},
                                 {ID_FILE_SAVE, "&Save\tCtrl+S"},
                                 {ID_FILE_PRINT, "&Print\tCtrl+P"},
                                 {0, nullptr},
                                 {ID_MANAGE_ACCOUNTS, "&Manage Accounts..."},
                                 {0, nullptr},
                                 {ID_PREFERENCES, "P&references..."},
                                 {ID_WINDOW_SHOW_HIDE, "&Hide Window\tCtrl+H"},
                                 {0, nullptr},
                                 {ID_APP_EXIT, "E&xit"}},
                                menuBar));
    menuBar->addMenu(CreateGroupMenu(QStringLiteral("&Group"), menuBar));
    menuBar->addMenu(CreateMenu(QStringLiteral("&Item"),
                                {{ID_ITEM_ADD, "Add &Item...\tCtrl+I"},
                                 {ID_ITEM_REMOVE, "R&emove Item\tDel"},
                                 {0, nullptr},
                                 {ID_ITEM_AND_STICKY, "M&ake Item And Sticky\tIns"},
                                 {0, nullptr},
                                 {ID_STICKY_SHOW, "&Show Sticky"},
                                 {ID_STICKY_HIDE, "&Hide Sticky\t"},
                                 {0, nullptr},
                                 {ID_QUICKLIST_ADD, "Add to &Quick List\tCtrl+Q"},
                                 {ID_QUICKLIST_REMOVE, "Re&move From Quick List\tCtrl+Shift+Q"},
                                 {0, nullptr},
                                 {ID_ITEM_SEND, "Se&nd Item\tAlt+S"},
                                 {ID_ITEM_PROPERTIES, "P&roperties...\tAlt+Enter"}},
                                menuBar));
    menuBar->addMenu(CreateMenu(
        QStringLiteral("&Help"),
        {{ID_HELP_FINDER, "&Help Topics"}, {0, nullptr}, {ID_APP_ABOUT, "&About Vemo..."}},
        menuBar));
}

QMenu* CCommandActions::CreateContextMenu(Menu menu, QWidget* parent)
{
    QMenu* popup = CreateContextMenuEntries(menu, parent);
    popup->installEventFilter(this);
    return popup;
}

// A menu of its own is a window, where a prompt would stop unseen; the window it was opened from
// shows it in its status bar, as for the main menus.
bool CCommandActions::eventFilter(QObject* watched, QEvent* event)
{
    auto* menu = qobject_cast<QMenu*>(watched);
    if (event->type() != QEvent::StatusTip || !menu || !menu->parentWidget())
        return QObject::eventFilter(watched, event);
    QCoreApplication::sendEvent(menu->parentWidget(), event);
    return true;
}

QMenu* CCommandActions::CreateContextMenuEntries(Menu menu, QWidget* parent)
{
    switch (menu)
    {
    case ItemMenu:
        return CreateMenu(QString(),
                          {{ID_QUICKLIST_ADD, "Add to &Quick List"},
                           {ID_QUICKLIST_REMOVE, "Re&move From Quick List"},
                           {0, nullptr},
                           {ID_ITEM_AND_STICKY, "&Show Sticky"},
                           {ID_STICKY_HIDE, "&Hide Sticky"},
                           {0, nullptr},
                           {ID_ITEM_REMOVE, "&Delete Item"},
                           {ID_ITEM_SEND, "Se&nd Item"},
                           {0, nullptr},
                           {ID_ITEM_PROPERTIES, "P&roperties..."}},
                          parent);
    case GroupMenu:
        return CreateGroupMenu(QString(), parent);
    case AccountMenu:
        return CreateMenu(QString(),
                          {{ID_FILE_NEW, "&New Account...\tCtrl+N"},
                           {ID_FILE_OPEN, "&Open Account...\tCtrl+O"},
                           {ID_FILE_SAVE, "&Save Account\tCtrl+S"},
                           {0, nullptr},
                           {ID_PREFERENCES, "P&references..."}},
                          parent);
    case StickyMenu:
        break;
    }
    return CreateMenu(QString(),
                      {{ID_QUICKLIST_ADD, "Add to &Quick List"},
                       {ID_QUICKLIST_REMOVE, "Re&move From Quick List"},
                       {0, nullptr},
                       {ID_ITEM_SEND, "Se&nd Item"},
                       {ID_ITEM_PROPERTIES, "P&roperties..."},
                       {0, nullptr},
                       {ID_TASK_COMPLETED, "Task Completed"},
                       {ID_STICKIES_ON_TOP, "Stickies Always On &Top"},
                       {ID_WINDOW_SHOW_HIDE, "&Show/Hide Main Window"}},
                      parent);
}

void CCommandActions::FillToolBar(QToolBar* toolBar)
{
    for (int id :
         std::initializer_list<int>{ID_FILE_SAVE, ID_GROUP_ADD, 0, ID_ITEM_ADD, ID_QUICKLIST_ADD, 0,
                                    ID_WINDOW_SHOW_HIDE, ID_STICKIES_ON_TOP, ID_ITEM_AND_STICKY})
    {
        if (id == 0)
        {
            toolBar->addSeparator();
            continue;
        }
        // A tip falls back to the text, so a command whose string has no tip part gets no text.
        QAction* action = CreateAction(id, ToolTip(id), toolBar);
        toolBar->addAction(action);
        m_toolBarActions.append(action);
    }
    UpdateToolBar();
}

void CCommandActions::UpdateToolBar()
{
    for (QAction* action : std::as_const(m_toolBarActions))
        UpdateAction(action);
}

void CCommandActions::AddShortcuts(QWidget* window)
{
    const CShortcut shortcuts[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_G), ID_GROUP_ADD},
        {QKeySequence(Qt::CTRL | Qt::Key_H), ID_WINDOW_SHOW_HIDE},
        {QKeySequence(Qt::CTRL | Qt::Key_I), ID_ITEM_ADD},
        {QKeySequence(Qt::CTRL | Qt::Key_N), ID_FILE_NEW},
        {QKeySequence(Qt::CTRL | Qt::Key_O), ID_FILE_OPEN},
        {QKeySequence(Qt::CTRL | Qt::Key_P), ID_FILE_PRINT},
        {QKeySequence(Qt::CTRL | Qt::Key_Q), ID_QUICKLIST_ADD},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Q), ID_QUICKLIST_REMOVE},
        {QKeySequence(Qt::CTRL | Qt::Key_R), ID_GROUP_REMOVE},
        {QKeySequence(Qt::CTRL | Qt::Key_S), ID_FILE_SAVE},
        {QKeySequence(Qt::ALT | Qt::Key_S), ID_ITEM_SEND},
        {QKeySequence(Qt::Key_Delete), ID_ITEM_REMOVE},
        {QKeySequence(Qt::Key_Insert), ID_ITEM_AND_STICKY},
        {QKeySequence(Qt::ALT | Qt::Key_Return), ID_ITEM_PROPERTIES},
        {QKeySequence(Qt::ALT | Qt::Key_Enter), ID_ITEM_PROPERTIES},
        {QKeySequence(Qt::Key_F1), ID_HELP},
        {QKeySequence(Qt::SHIFT | Qt::Key_F1), ID_CONTEXT_HELP},
    };
    for (const CShortcut& shortcut : shortcuts)
    {
        auto* action = new QAction(window);
        action->setShortcut(shortcut.m_keys);
        action->setShortcutContext(Qt::WindowShortcut);
        const int id = shortcut.m_nId;
        connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
        window->addAction(action);
    }
}
