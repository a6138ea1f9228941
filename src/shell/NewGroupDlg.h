#pragma once

#include "VemoDialog.h"

class QLineEdit;

// Asks for the name of a new group; the account checks the name, so any text is taken.
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
