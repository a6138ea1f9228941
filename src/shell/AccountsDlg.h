#pragma once

#include "VemoDialog.h"

class QListWidget;
class QListWidgetItem;
class QPushButton;

// Lists the accounts in the program folder, to open one or, in manage mode, to delete and
// rename them.
class CAccountsDlg : public CVemoDialog
{
    Q_OBJECT

public:
    explicit CAccountsDlg(QWidget* parent = nullptr);

    // Rejected at once, without showing the dialog, when there is no account to list.
    int exec() override;

    bool m_bManageMode = false;
    QString m_strSelected;

private:
    bool FillList();
    void ApplyMode();
    QListWidgetItem* SelectedItem() const;
    void OnSelectionChanged();
    void OnDoubleClick();
    void OnOK();
    void OnDelete();
    void OnRename();
    void OnLabelEdited(QListWidgetItem* item);

    QListWidget* m_pList = nullptr;
    QPushButton* m_pOkButton = nullptr;
    QPushButton* m_pCancelButton = nullptr;
    QPushButton* m_pDeleteButton = nullptr;
    QPushButton* m_pRenameButton = nullptr;
};
