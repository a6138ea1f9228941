#include "AccountsDlg.h"

#include "AccountFolders.h"
#include "DialogPrompts.h"
#include "VemoMessageBox.h"
#include "base/ProgramFolder.h"
#include "model/AccountFile.h"
#include "model/GroupName.h"

#include <QDialogButtonBox>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace
{
constexpr int AccountIconSize = 32;
// Room for the icon and two lines of label, so entries line up as on a desktop.
const QSize EntryCellSize(84, 68);
// The name the entry's folder has on disk; the label shows it unless an edit is being undone.
constexpr int FolderNameRole = Qt::UserRole;
} // namespace

CAccountsDlg::CAccountsDlg(QWidget* parent)
    : CVemoDialog(parent)
{
    setWindowTitle(QStringLiteral("Vemo - Open Account"));
    auto* prompt = new QLabel(QStringLiteral("&Select an account:"), this);
    m_pList = new QListWidget(this);
    m_pList->setObjectName(QStringLiteral("accountList"));
    m_pList->setViewMode(QListView::IconMode);
    m_pList->setMovement(QListView::Static);
    m_pList->setResizeMode(QListView::Adjust);
    m_pList->setWordWrap(true);
    m_pList->setIconSize(QSize(AccountIconSize, AccountIconSize));
    m_pList->setGridSize(EntryCellSize);
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pList->setSortingEnabled(true);
    prompt->setBuddy(m_pList);

    QDialogButtonBox* buttons = MakeOkCancelButtons();
    m_pOkButton = buttons->button(QDialogButtonBox::Ok);
    m_pCancelButton = buttons->button(QDialogButtonBox::Cancel);
    m_pDeleteButton = buttons->addButton(QStringLiteral("&Delete"), QDialogButtonBox::ActionRole);
    m_pDeleteButton->setObjectName(QStringLiteral("deleteButton"));
    m_pRenameButton = buttons->addButton(QStringLiteral("&Rename"), QDialogButtonBox::ActionRole);
    m_pRenameButton->setObjectName(QStringLiteral("renameButton"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_pList);
    layout->addWidget(buttons);
    resize(420, 280);

    connect(m_pList, &QListWidget::itemSelectionChanged, this, &CAccountsDlg::OnSelectionChanged);
    connect(m_pList, &QListWidget::itemDoubleClicked, this, &CAccountsDlg::OnDoubleClick);
    connect(m_pList, &QListWidget::itemChanged, this, &CAccountsDlg::OnLabelEdited);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAccountsDlg::OnOK);
    connect(m_pDeleteButton, &QPushButton::clicked, this, &CAccountsDlg::OnDelete);
    connect(m_pRenameButton, &QPushButton::clicked, this, &CAccountsDlg::OnRename);
}

int CAccountsDlg::exec()
{
    if (!FillList())
    {
        ShowVemoMessage(parentWidget(), QStringLiteral("There are no Vemo accounts!"),
                        IUserPrompts::Exclamation);
        setResult(Rejected);
        return Rejected;
    }
    ApplyMode();
    return CVemoDialog::exec();
}

bool CAccountsDlg::FillList()
{
    const QIcon icon(QStringLiteral(":/icons/vemo.svg"));
    const QStringList accounts = CAccountFile::ListAccounts(GetProgramFolder());
    const QSignalBlocker blocker(m_pList);
    m_pList->clear();
    for (const QString& account : accounts)
    {
        auto* item = new QListWidgetItem(icon, account, m_pList);
        item->setData(FolderNameRole, account);
    }
    if (m_pList->count() == 0)
        return false;
    m_pList->setCurrentRow(0);
    return true;
}

void CAccountsDlg::ApplyMode()
{
    if (m_bManageMode)
    {
        setWindowTitle(QStringLiteral("Vemo - Manage Accounts"));
        m_pOkButton->setText(QStringLiteral("&Done"));
        m_pCancelButton->hide();
        // Labels are edited only through Rename or F2, and only here.
        m_pList->setEditTriggers(QAbstractItemView::EditKeyPressed);
        const QSignalBlocker blocker(m_pList);
        for (int row = 0; row < m_pList->count(); ++row)
            m_pList->item(row)->setFlags(m_pList->item(row)->flags() | Qt::ItemIsEditable);
    }
    else
    {
        m_pDeleteButton->hide();
        m_pRenameButton->hide();
    }
    OnSelectionChanged();
}

QListWidgetItem* CAccountsDlg::SelectedItem() const
{
    const QList<QListWidgetItem*> selected = m_pList->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

void CAccountsDlg::OnSelectionChanged()
{
    const bool selected = SelectedItem() != nullptr;
    m_pDeleteButton->setEnabled(selected);
    m_pRenameButton->setEnabled(selected);
    m_pOkButton->setEnabled(selected || m_bManageMode);
}

void CAccountsDlg::OnDoubleClick()
{
    if (!m_bManageMode && SelectedItem())
        OnOK();
}

void CAccountsDlg::OnOK()
{
    if (m_bManageMode)
    {
        accept();
        return;
    }
    const QListWidgetItem* item = SelectedItem();
    if (!item)
    {
        ShowVemoMessage(this, QStringLiteral("You must select an account to open."),
                        IUserPrompts::Exclamation);
        return;
    }
    m_strSelected = item->text();
    accept();
}

void CAccountsDlg::OnDelete()
{
    QListWidgetItem* item = SelectedItem();
    if (!item)
        return;
    const QString name = item->text();
    const QString question =
        QStringLiteral("Are you sure you want to delete the '%1' account?").arg(name);
    if (ShowVemoMessage(this, question, IUserPrompts::Question) != IUserPrompts::Yes)
        return;
    CDialogPrompts prompts(this);
    if (!CAccountFolders::DeleteAccount(name, prompts))
        return;
    delete item;
    OnSelectionChanged();
}

void CAccountsDlg::OnRename()
{
    QListWidgetItem* item = SelectedItem();
    if (!m_bManageMode || !item)
        return;
    m_pList->setFocus();
    m_pList->editItem(item);
}

// The edit has already reached the item; the folder's name goes back on before anything else
// happens, so the label changes only when the folder did.
void CAccountsDlg::OnLabelEdited(QListWidgetItem* item)
{
    const QString oldName = item->data(FolderNameRole).toString();
    const QString newName = item->text();
    const QSignalBlocker blocker(m_pList);
    item->setText(oldName);
    if (SameGroupName(oldName, newName))
        return;
    CDialogPrompts prompts(this);
    if (!CAccountFolders::RenameAccount(oldName, newName, prompts))
        return;
    item->setText(newName);
    item->setData(FolderNameRole, newName);
}
