#include "NewGroupDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CNewGroupDlg::CNewGroupDlg(QWidget* parent)
    : CVemoDialog(parent)
{
    setWindowTitle(QStringLiteral("Vemo - New Group"));
    auto* prompt = new QLabel(QStringLiteral("&Enter the name of your new group:"), this);
    m_pNameEdit = new QLineEdit(this);
    m_pNameEdit->setObjectName(QStringLiteral("nameEdit"));
    prompt->setBuddy(m_pNameEdit);

    QDialogButtonBox* buttons = MakeOkCancelButtons();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_pNameEdit);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &CNewGroupDlg::OnOK);
}

void CNewGroupDlg::OnOK()
{
    if (!CheckName(m_pNameEdit, NameKind::Group))
        return;
    m_strName = m_pNameEdit->text();
    accept();
}
