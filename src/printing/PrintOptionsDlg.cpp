#include "PrintOptionsDlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace
{
const QString HeaderPrompt = QStringLiteral(
    "&Header:\nNote that if you leave this box empty, Vemo will use the title of the account, the "
    "title of the group or the title of the account depending on which radio button is selected "
    "above.");
} // namespace

CPrintOptionsDlg::CPrintOptionsDlg(const QString& itemTitle, bool itemSelected,
                                   const QString& groupName, QWidget* parent)
    : CVemoDialog(parent)
    , m_pScopeButtons(new QButtonGroup(this))
    , m_pHeaderEdit(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Vemo - Print Options"));
    auto* scopeBox = new QGroupBox(QStringLiteral("Items to Print"), this);
    auto* scopeLayout = new QVBoxLayout(scopeBox);
    const QString itemText = itemSelected ? QStringLiteral("Print current item (%1)").arg(itemTitle)
                                          : QStringLiteral("&Print currently selected item");
    const QString texts[] = {itemText, QStringLiteral("Print current group (%1)").arg(groupName),
                             QStringLiteral("Print &all")};
    const char* const names[] = {"itemRadio", "groupRadio", "allRadio"};
    for (int scope = CurrentItem; scope <= All; ++scope)
    {
        auto* radio = new QRadioButton(texts[scope], scopeBox);
        radio->setObjectName(QLatin1String(names[scope]));
        m_pScopeButtons->addButton(radio, scope);
        scopeLayout->addWidget(radio);
    }
    m_pScopeButtons->button(CurrentItem)->setEnabled(itemSelected);
    m_pScopeButtons->button(All)->setChecked(true);

    auto* optionsBox = new QGroupBox(QStringLiteral("Options"), this);
    auto* optionsLayout = new QVBoxLayout(optionsBox);
    auto* prompt = new QLabel(HeaderPrompt, optionsBox);
    prompt->setWordWrap(true);
    prompt->setBuddy(m_pHeaderEdit);
    m_pHeaderEdit->setObjectName(QStringLiteral("headerEdit"));
    optionsLayout->addWidget(prompt);
    optionsLayout->addWidget(m_pHeaderEdit);

    QDialogButtonBox* buttons = MakeOkCancelButtons();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scopeBox);
    layout->addWidget(optionsBox);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPrintOptionsDlg::OnOK);
}

void CPrintOptionsDlg::OnOK()
{
    m_strHeader = m_pHeaderEdit->text();
    const int scope = m_pScopeButtons->checkedId();
    if (scope >= CurrentItem && scope <= All)
        m_nScope = scope;
    accept();
}
