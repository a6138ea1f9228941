#include "TrayMenu.h"

#include "QuickList.h"
#include "model/CommandIds.h"
#include "model/VemoAccount.h"
#include "shell/CommandActions.h"

#include <QAction>
#include <QIcon>

namespace
{
const QColor TrayBackColor(255, 255, 200);
const QColor TrayHighlightTextColor(0, 0, 255);
const QString StickyImage = QStringLiteral(":/icons/item-sticky.svg");
const QString NoStickyImage = QStringLiteral(":/icons/item-quicklisted.svg");
// A title of any length fits the menu; a very long one is cut with an ellipsis.
constexpr int LongestEntryText = 60;

QString EntryText(const QString& title)
{
    QString text = title.size() > LongestEntryText
                       ? title.left(LongestEntryText - 3) + QStringLiteral("...")
                       : title;
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return text;
}

QString QuickListPrompt(const CVemoItem& item)
{
    const QString format = item.m_bHasSticky ? QStringLiteral("Remove sticky for '%1'")
                                             : QStringLiteral("Set sticky for '%1'");
    return format.arg(item.m_strTitle);
}
} // namespace

CTrayMenu::CTrayMenu(CCommandActions& actions, const CVemoAccount& account, QWidget* parent)
    : COwnerDrawMenu(parent)
    , m_actions(actions)
    , m_account(account)
{
    setObjectName(QStringLiteral("trayMenu"));
    SetBackColor(TrayBackColor);
    SetTextColor(Qt::black);
    SetHighlightTextColor(TrayHighlightTextColor);
    SetFlatHighlight(true);
    // The prompts reach the parent's status bar, as those of the program's other menus do.
    installEventFilter(&actions);
    connect(this, &QMenu::aboutToShow, this, &CTrayMenu::Refill);
    Refill();
}

void CTrayMenu::Refill()
{
    clear();
    AppendCommand(ID_WINDOW_SHOW_HIDE, QStringLiteral("Show/Hide Vemo List"));
    AppendCommand(ID_ITEM_AND_STICKY, QStringLiteral("Make Item And Sticky"));
    AppendCommand(ID_TRAY_EXIT, QStringLiteral("Exit Vemo"));
    addSection(QStringLiteral("QuickList"));
    AppendQuickListEntries();
    setDefaultAction(actions().constFirst());
}

// The commands go without the tool bar's images, which only some of them have.
void CTrayMenu::AppendCommand(int id, const QString& text)
{
    QAction* command = m_actions.CreateAction(id, text, this);
    command->setIcon(QIcon());
    addAction(command);
}

// An entry whose item is gone is left out, and its id with it, so id 150 + i is always entry i.
void CTrayMenu::AppendQuickListEntries()
{
    QStringList groups;
    QList<quint32> keys;
    if (!GetQuickList().CopyAll(groups, keys))
        return;
    for (int i = 0; i < groups.size() && i <= ID_QUICKLIST_LAST - ID_QUICKLIST_FIRST; ++i)
    {
        CVemoItem item(Qt::Uninitialized);
        if (!m_account.GetItemCopy(groups[i], keys[i], item))
            continue;
        QAction* entry =
            m_actions.CreateAction(ID_QUICKLIST_FIRST + i, EntryText(item.m_strTitle), this);
        entry->setIcon(QIcon(item.m_bHasSticky ? StickyImage : NoStickyImage));
        entry->setStatusTip(QuickListPrompt(item));
        addAction(entry);
    }
}
