#pragma once

#include "VemoDialog.h"

class QLineEdit;

// Asks for the name of a new group; a name that cannot be one is refused with its reason, and
// the account checks that no group has it yet.
class CNewGroupDlg : public CVemoDialog
{
    Q_OBJECT

public:
    explicit CNewGroupDlg(QWidget* parent = nullptr);

    QString m_strName;

private:
    void OnOK();

    QLineEdit* m_pNameEdit = nullptr;
};
