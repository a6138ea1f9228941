#include "NewAccountDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace
{
constexpr int MaxNameLength = 256;
constexpr int PictureSize = 64;
constexpr int IconSize = 32;

QLabel* ImageLabel(int size, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setPixmap(QIcon(QStringLiteral(":/icons/vemo.svg")).pixmap(size, size));
    return label;
}
} // namespace

CNewAccountDlg::CNewAccountDlg(QWidget* parent)
    : CVemoDialog(parent)
{
    setWindowTitle(QStringLiteral("Vemo - New Account"));
    auto* prompt = new QLabel(QStringLiteral("&Enter the name of the new account:"), this);
    m_pNameEdit = new QLineEdit(this);
    m_pNameEdit->setObjectName(QStringLiteral("nameEdit"));
    m_pNameEdit->setMaxLength(MaxNameLength);
    prompt->setBuddy(m_pNameEdit);

    QDialogButtonBox* buttons = MakeOkCancelButtons();
    m_pOkButton = buttons->button(QDialogButtonBox::Ok);
    m_pOkButton->setEnabled(false);

    auto* layout = new QGridLayout(this);
    layout->addWidget(ImageLabel(PictureSize, this), 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(prompt, 0, 1);
    layout->addWidget(ImageLabel(IconSize, this), 0, 2, 2, 1, Qt::AlignTop);
    layout->addWidget(m_pNameEdit, 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 3);
    layout->setColumnMinimumWidth(1, 260);

    connect(m_pNameEdit, &QLineEdit::textChanged, this, &CNewAccountDlg::OnNameChanged);
    connect(buttons, &QDialogButtonBox::accepted, this,
            [this]
            {
                if (CheckName(m_pNameEdit, NameKind::Account))
                    accept();
            });
}

void CNewAccountDlg::OnNameChanged(const QString& text)
{
    m_strName = text;
    m_pOkButton->setEnabled(!text.isEmpty());
}
