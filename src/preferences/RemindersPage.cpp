#include "RemindersPage.h"

#include "base/Settings.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{
const QString SoundFilter = QStringLiteral("Sound Files (*.wav);;All Files (*)");

QString PickSoundFile(QWidget* parent)
{
    return QFileDialog::getOpenFileName(parent, QString(), QString(), SoundFilter);
}
} // namespace

CRemindersPage::CRemindersPage(QWidget* parent)
    : CVemoPropertyPage(parent)
    , m_pickFile(PickSoundFile)
    , m_pPlaySound(
          NamedCheck(QStringLiteral("&Play this sound for reminders"), "playSoundCheck", this))
    , m_pSound(NamedEdit("soundEdit", this))
    , m_pBrowse(new QPushButton(QStringLiteral("&Browse..."), this))
{
    m_pSound->setReadOnly(true);
    m_pBrowse->setObjectName(QStringLiteral("browseButton"));
    auto* row = new QHBoxLayout;
    row->addWidget(m_pSound);
    row->addWidget(m_pBrowse);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pPlaySound);
    layout->addLayout(row);
    layout->addStretch();
    connect(m_pPlaySound, &QCheckBox::clicked, this, &CRemindersPage::EnableSound);
    connect(m_pBrowse, &QPushButton::clicked, this, &CRemindersPage::Browse);
}

void CRemindersPage::OnSetActive()
{
    m_pSound->setText(GetSettings().GetReminderSound());
    m_pPlaySound->setChecked(!m_pSound->text().isEmpty());
    EnableSound(m_pPlaySound->isChecked());
}

void CRemindersPage::EnableSound(bool enabled)
{
    m_pSound->setEnabled(enabled);
    m_pBrowse->setEnabled(enabled);
}

void CRemindersPage::Browse()
{
    const QString path = m_pickFile ? m_pickFile(this) : QString();
    if (!path.isEmpty())
        m_pSound->setText(path);
}

void CRemindersPage::OnOK()
{
    GetSettings().SetReminderSound(m_pPlaySound->isChecked() ? m_pSound->text() : QString());
}
