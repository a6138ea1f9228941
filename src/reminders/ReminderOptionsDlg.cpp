#include "ReminderOptionsDlg.h"

#include "base/Settings.h"
#include "shell/VemoMessageBox.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace
{
const QString NoMailRecipient = QStringLiteral(
    "You have requested that E-Mail be sent to remind you, but you haven't specified an E-Mail "
    "recipient.\nTo do so, select Account->Preferences and enter a mail recipient under the Mail "
    "tab in the Preferences dialog.");

constexpr int NoPeriod = -1;
// Far beyond any lead that fits; the reading stops growing there.
constexpr qint64 MinutesCeiling = qint64(1) << 40;

// As the C library's atoi reads: blanks, a sign, then digits up to the first other character.
qint64 ReadMinutes(const QString& text)
{
    qsizetype at = 0;
    while (at < text.size() && text[at].isSpace())
        ++at;
    const bool negative = at < text.size() && text[at] == u'-';
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+'))
        ++at;
    qint64 minutes = 0;
    for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at)
        minutes = qMin(minutes * 10 + (text[at].unicode() - u'0'), MinutesCeiling);
    return negative ? -minutes : minutes;
}

bool EndsWithLetter(const QString& text)
{
    if (text.isEmpty())
        return false;
    const QChar last = text.back();
    return (last >= u'A' && last <= u'Z') || (last >= u'a' && last <= u'z');
}

QCheckBox* NamedCheck(const char* text, const char* name, QWidget* parent)
{
    auto* check = new QCheckBox(QString::fromLatin1(text), parent);
    check->setObjectName(QString::fromLatin1(name));
    return check;
}
} // namespace

CReminderOptionsDlg::CReminderOptionsDlg(const CReminderSpec& reminder, QWidget* parent)
    : CVemoDialog(parent)
    , m_bSound(reminder.m_bSound)
    , m_bMessageBox(reminder.m_bMessageBox)
    , m_bRepeat(reminder.m_nRepeat != CReminderSpec::RepeatNone ? 1 : 0)
    , m_bMail(reminder.m_bMail)
    , m_nLeadSeconds(reminder.m_nLeadSeconds)
    , m_nRepeat(reminder.m_nRepeat)
{
    setWindowTitle(QStringLiteral("Reminder Options"));
    CreateControls();
    if (m_bRepeat)
        m_nPeriod = m_nRepeat >= CReminderSpec::RepeatDay && m_nRepeat <= CReminderSpec::RepeatYear
                        ? m_nRepeat - CReminderSpec::RepeatDay
                        : 0;
    m_strMinutes = QString::number(m_nLeadSeconds / 60);
    ShowMembers();
    UpdatePeriodButtons();
}

void CReminderOptionsDlg::CreateControls()
{
    m_pSoundCheck = NamedCheck("&Play a sound to remind me", "soundCheck", this);
    m_pMessageBoxCheck = NamedCheck("&Display message box to remind me", "messageBoxCheck", this);
    m_pMailCheck = NamedCheck("Remind me with &E-Mail", "mailCheck", this);

    auto* repeatBox = new QGroupBox(this);
    m_pRepeatCheck = NamedCheck("Remind &me every...", "repeatCheck", repeatBox);
    m_pPeriodButtons = new QButtonGroup(this);
    auto* periods = new QHBoxLayout;
    const char* const periodTexts[] = {"D&ay", "&Week", "M&onth", "&Year"};
    const char* const periodNames[] = {"dayRadio", "weekRadio", "monthRadio", "yearRadio"};
    for (int period = 0; period < 4; ++period)
    {
        auto* button = new QRadioButton(QString::fromLatin1(periodTexts[period]), repeatBox);
        button->setObjectName(QString::fromLatin1(periodNames[period]));
        m_pPeriodButtons->addButton(button, period);
        periods->addWidget(button);
    }
    periods->addStretch(1);
    auto* repeatLayout = new QVBoxLayout(repeatBox);
    repeatLayout->addWidget(m_pRepeatCheck);
    repeatLayout->addLayout(periods);

    m_pMinutesEdit = new QLineEdit(this);
    m_pMinutesEdit->setObjectName(QStringLiteral("minutesEdit"));
    auto* remindLabel = new QLabel(QStringLiteral("&Remind me"), this);
    remindLabel->setBuddy(m_pMinutesEdit);
    auto* minutesRow = new QHBoxLayout;
    minutesRow->addWidget(remindLabel);
    minutesRow->addWidget(m_pMinutesEdit);
    minutesRow->addWidget(new QLabel(QStringLiteral("minutes before the Do By time"), this), 1);

    QDialogButtonBox* buttons = MakeOkCancelButtons();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pSoundCheck);
    layout->addWidget(m_pMessageBoxCheck);
    layout->addWidget(m_pMailCheck);
    layout->addWidget(repeatBox);
    layout->addLayout(minutesRow);
    layout->addWidget(buttons);

    connect(m_pRepeatCheck, &QCheckBox::clicked, this,
            [this]
            {
                TakeControls();
                UpdatePeriodButtons();
            });
    connect(m_pMinutesEdit, &QLineEdit::textEdited, this, &CReminderOptionsDlg::OnMinutesEdited);
    connect(buttons, &QDialogButtonBox::accepted, this, &CReminderOptionsDlg::OnOK);
}

void CReminderOptionsDlg::ShowMembers()
{
    m_pSoundCheck->setChecked(m_bSound != 0);
    m_pMessageBoxCheck->setChecked(m_bMessageBox != 0);
    m_pMailCheck->setChecked(m_bMail != 0);
    m_pRepeatCheck->setChecked(m_bRepeat != 0);
    // No button at all is a state an exclusive group cannot take by unchecking.
    m_pPeriodButtons->setExclusive(false);
    for (QAbstractButton* button : m_pPeriodButtons->buttons())
        button->setChecked(m_pPeriodButtons->id(button) == m_nPeriod);
    m_pPeriodButtons->setExclusive(true);
    m_pMinutesEdit->setText(m_strMinutes);
}

void CReminderOptionsDlg::TakeControls()
{
    m_bSound = m_pSoundCheck->isChecked() ? 1 : 0;
    m_bMessageBox = m_pMessageBoxCheck->isChecked() ? 1 : 0;
    m_bMail = m_pMailCheck->isChecked() ? 1 : 0;
    m_bRepeat = m_pRepeatCheck->isChecked() ? 1 : 0;
    m_nPeriod = m_pPeriodButtons->checkedId();
    m_strMinutes = m_pMinutesEdit->text();
}

void CReminderOptionsDlg::UpdatePeriodButtons()
{
    for (QAbstractButton* button : m_pPeriodButtons->buttons())
        button->setEnabled(m_bRepeat != 0);
}

void CReminderOptionsDlg::OnMinutesEdited()
{
    TakeControls();
    if (!EndsWithLetter(m_strMinutes))
        return;
    m_strMinutes = QStringLiteral("0");
    ShowMembers();
}

void CReminderOptionsDlg::OnOK()
{
    TakeControls();
    if (!m_bRepeat)
        m_nRepeat = CReminderSpec::RepeatNone;
    else
        m_nRepeat = CReminderSpec::RepeatDay + (m_nPeriod == NoPeriod ? 0 : m_nPeriod);
    m_nLeadSeconds = CReminderSpec::LeadSecondsFromMinutes(ReadMinutes(m_strMinutes));
    // A warning only: the reminder is kept, and fires without mail until a recipient is set.
    if (m_bMail && GetSettings().GetMailTo().isEmpty())
        ShowVemoMessage(this, NoMailRecipient, IUserPrompts::NoIcon);
    accept();
}

void CReminderOptionsDlg::CopyTo(CReminderSpec& reminder) const
{
    reminder.m_bSound = m_bSound;
    reminder.m_bMessageBox = m_bMessageBox;
    reminder.m_bMail = m_bMail;
    reminder.m_nLeadSeconds = m_nLeadSeconds;
    reminder.m_nRepeat = m_nRepeat;
}
