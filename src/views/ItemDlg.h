#pragma once

#include "model/VemoItem.h"
#include "shell/VemoDialog.h"

#include <functional>

class CPriorityCombo;
class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimeEdit;

// Creates or edits one item on a working copy; the caller applies the copy after OK. An item
// without a key has not been stored yet and opens with the new-item defaults.
class CItemDlg : public CVemoDialog
{
    Q_OBJECT

public:
    CItemDlg(const QString& caption, const CVemoItem& item, QWidget* parent = nullptr);

    // The working copy; it holds the user's edits once the dialog has ended with OK.
    const CVemoItem& GetItem() const { return m_item; }

    // Edits the reminder's announcements, lead time and repeat; true when the user accepts. The
    // "R&eminder Options..." button stays disabled while this is unset.
    std::function<bool(CReminderSpec&)> m_editReminderOptions;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QGroupBox* CreateTitleBox();
    QGroupBox* CreatePropertiesBox();
    QGroupBox* CreateMessageBox();
    QWidget* CreateButtons();

    void ShowItem();
    void ShowNewItemDefaults();
    void UpdateTimeControl();
    void UpdateReminderButton();
    void OnReminderOptions();
    void OnOK();
    void StoreControls(qint32 doBy);

    CVemoItem m_item;
    const bool m_bNewItem;

    QLineEdit* m_pTitleEdit = nullptr;
    QDateEdit* m_pDateEdit = nullptr;
    QCheckBox* m_pAtCheck = nullptr;
    QTimeEdit* m_pTimeEdit = nullptr;
    CPriorityCombo* m_pPriorityCombo = nullptr;
    QCheckBox* m_pQuickListedCheck = nullptr;
    QCheckBox* m_pHasStickyCheck = nullptr;
    QCheckBox* m_pRemindCheck = nullptr;
    QPushButton* m_pReminderOptionsButton = nullptr;
    QPlainTextEdit* m_pMessageEdit = nullptr;
};
