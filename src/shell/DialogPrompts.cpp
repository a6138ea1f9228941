#include "DialogPrompts.h"

#include "AccountsDlg.h"
#include "NewAccountDlg.h"
#include "NewGroupDlg.h"
#include "VemoMessageBox.h"
#include "reminders/ReminderOptionsDlg.h"
#include "views/ItemDlg.h"

CDialogPrompts::CDialogPrompts(QWidget* parent)
    : m_pParent(parent)
{
}

IUserPrompts::Answer CDialogPrompts::MessageBox(const QString& text, Icon icon)
{
    return ShowVemoMessage(m_pParent, text, icon);
}

bool CDialogPrompts::AskNewAccountName(QString& name)
{
    CNewAccountDlg dialog(m_pParent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    name = dialog.m_strName;
    return true;
}

bool CDialogPrompts::AskAccountToOpen(QString& name)
{
    CAccountsDlg dialog(m_pParent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    name = dialog.m_strSelected;
    return true;
}

bool CDialogPrompts::AskNewGroupName(QString& name)
{
    CNewGroupDlg dialog(m_pParent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    name = dialog.m_strName;
    return true;
}

bool CDialogPrompts::EditItem(const QString& caption, CVemoItem& item)
{
    CItemDlg dialog(caption, item, m_pParent);
    dialog.m_editReminderOptions = [&dialog](CReminderSpec& reminder)
    {
        CReminderOptionsDlg options(reminder, &dialog);
        if (options.exec() != QDialog::Accepted)
            return false;
        options.CopyTo(reminder);
        return true;
    };
    if (dialog.exec() != QDialog::Accepted)
        return false;
    item = dialog.GetItem();
    return true;
}
