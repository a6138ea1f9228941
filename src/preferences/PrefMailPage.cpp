#include "PrefMailPage.h"

#include "base/Settings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CPrefMailPage::CPrefMailPage(QWidget* parent)
    : CVemoPropertyPage(parent)
{
    auto* box = new QGroupBox(QStringLiteral("Mail Properties"), this);
    m_pFrom = NamedEdit("fromEdit", box);
    m_pSendTo = NamedCheck(QStringLiteral("&Always send to this address:"), "sendToCheck", box);
    m_pTo = NamedEdit("toEdit", box);
    m_pAddendum = NamedCheck(QStringLiteral("A&ppend this to the beginning of every message:"),
                             "addendumCheck", box);
    m_pAddendumText = NamedEdit("addendumEdit", box);

    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(new QLabel(QStringLiteral("Sender Name (optional):"), box));
    for (QWidget* control :
         std::initializer_list<QWidget*>{m_pFrom, m_pSendTo, m_pTo, m_pAddendum, m_pAddendumText})
        boxLayout->addWidget(control);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addStretch();

    connect(m_pSendTo, &QCheckBox::clicked, m_pTo, &QLineEdit::setEnabled);
    connect(m_pAddendum, &QCheckBox::clicked, m_pAddendumText, &QLineEdit::setEnabled);
}

void CPrefMailPage::OnSetActive()
{
    CSettings& settings = GetSettings();
    m_pFrom->setText(settings.GetMailFrom());
    m_pTo->setText(settings.GetMailTo());
    m_pAddendumText->setText(settings.GetAddendum());
    m_pSendTo->setChecked(!m_pTo->text().isEmpty());
    m_pAddendum->setChecked(!m_pAddendumText->text().isEmpty());
    m_pTo->setEnabled(m_pSendTo->isChecked());
    m_pAddendumText->setEnabled(m_pAddendum->isChecked());
}

void CPrefMailPage::OnOK()
{
    CSettings& settings = GetSettings();
    settings.SetMailTo(m_pSendTo->isChecked() ? m_pTo->text() : QString());
    settings.SetMailFrom(m_pFrom->text());
    settings.SetAddendum(m_pAddendum->isChecked() ? m_pAddendumText->text() : QString());
}
