#pragma once

#include "VemoDialog.h"

class QLineEdit;
class QPushButton;

// Asks for the name of a new account; OK is offered only once a name is typed, and a name that
// cannot be an account's is refused with its reason.
class CNewAccountDlg : public CVemoDialog
{
    Q_OBJECT

public:
    explicit CNewAccountDlg(QWidget* parent = nullptr);

    QString m_strName;

private:
    void OnNameChanged(const QString& text);

    QLineEdit* m_pNameEdit = nullptr;
    QPushButton* m_pOkButton = nullptr;
};
