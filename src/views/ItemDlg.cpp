#include "ItemDlg.h"

#include "PriorityCombo.h"
#include "base/Clock.h"
#include "base/LineBreaks.h"
#include "base/LocalTime.h"
#include "model/ItemTitle.h"
#include "shell/VemoMessageBox.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace
{
const QString DoByOutOfRange =
    QStringLiteral("Vemo can't keep a Do By time before December 13, 1901 or after January 19, "
                   "2038.  Please choose another date or time.");

// Every local date that a stored 32-bit time can fall on, in any time zone.
const QDate FirstDate(1901, 12, 13);
const QDate LastDate(2038, 1, 19);

// Sizes in dialog units (quarters of the average character width, eighths of the line height),
// so that the dialog grows with its font.
int DialogUnitsX(const QWidget& widget, int units)
{
    return units * widget.fontMetrics().averageCharWidth() / 4;
}

int DialogUnitsY(const QWidget& widget, int units)
{
    return units * widget.fontMetrics().height() / 8;
}

// The locale's time of day with seconds, less the time zone that its long format adds.
QString TimeFormat()
{
    QString format = QLocale().timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*t+")));
    return format.trimmed();
}

template <typename Widget>
Widget* Named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}
} // namespace

CItemDlg::CItemDlg(const QString& caption, const CVemoItem& item, QWidget* parent)
    : CVemoDialog(parent)
    , m_item(item)
    , m_bNewItem(item.m_dwKey == 0)
{
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CreateTitleBox());
    layout->addWidget(CreatePropertiesBox());
    layout->addWidget(CreateMessageBox());
    layout->addWidget(CreateButtons());

    ShowItem();
    UpdateTimeControl();
    UpdateReminderButton();
    m_pTitleEdit->setFocus();
}

QGroupBox* CItemDlg::CreateTitleBox()
{
    auto* box = new QGroupBox(QStringLiteral("&Title"), this);
    m_pTitleEdit = Named(new QLineEdit(box), "titleEdit");
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(m_pTitleEdit);
    return box;
}

QGroupBox* CItemDlg::CreatePropertiesBox()
{
    auto* box = new QGroupBox(QStringLiteral("&Properties"), this);
    m_pDateEdit = Named(new QDateEdit(box), "doByDate");
    m_pDateEdit->setCalendarPopup(true);
    m_pDateEdit->setDisplayFormat(QStringLiteral("ddd, MMM dd yyyy"));
    m_pDateEdit->setDateRange(FirstDate, LastDate);
    m_pAtCheck = Named(new QCheckBox(QStringLiteral("at"), box), "atCheck");
    m_pTimeEdit = Named(new QTimeEdit(box), "timeEdit");
    m_pTimeEdit->setDisplayFormat(TimeFormat());
    m_pPriorityCombo = Named(new CPriorityCombo(box), "priorityCombo");
    m_pQuickListedCheck =
        Named(new QCheckBox(QStringLiteral("&QuickListed"), box), "quickListedCheck");
    m_pHasStickyCheck = Named(new QCheckBox(QStringLiteral("&Has Sticky"), box), "hasStickyCheck");
    m_pRemindCheck = Named(new QCheckBox(QStringLiteral("&Remind me"), box), "remindCheck");
    m_pReminderOptionsButton = Named(new QPushButton(QStringLiteral("R&eminder Options..."), box),
                                     "reminderOptionsButton");
    m_pReminderOptionsButton->setAutoDefault(false);

    auto* doByLabel = new QLabel(QStringLiteral("&Do By:"), box);
    doByLabel->setBuddy(m_pDateEdit);
    auto* priorityLabel = new QLabel(QStringLiteral("&Priority:"), box);
    priorityLabel->setBuddy(m_pPriorityCombo);

    auto* timeRow = new QHBoxLayout;
    timeRow->addWidget(m_pAtCheck);
    timeRow->addWidget(m_pTimeEdit, 1);
    auto* reminderRow = new QHBoxLayout;
    reminderRow->addWidget(m_pRemindCheck);
    reminderRow->addWidget(m_pReminderOptionsButton);
    reminderRow->addStretch(1);

    auto* layout = new QGridLayout(box);
    layout->addWidget(doByLabel, 0, 0);
    layout->addWidget(m_pDateEdit, 0, 1, 1, 2);
    layout->addLayout(timeRow, 1, 1, 1, 2);
    layout->addWidget(priorityLabel, 2, 0);
    layout->addWidget(m_pPriorityCombo, 2, 1);
    layout->addWidget(m_pQuickListedCheck, 2, 2);
    layout->addWidget(m_pHasStickyCheck, 3, 2);
    layout->addLayout(reminderRow, 4, 0, 1, 3);

    connect(m_pAtCheck, &QCheckBox::toggled, this, &CItemDlg::UpdateTimeControl);
    connect(m_pRemindCheck, &QCheckBox::toggled, this, &CItemDlg::UpdateReminderButton);
    connect(m_pReminderOptionsButton, &QPushButton::clicked, this, &CItemDlg::OnReminderOptions);
    return box;
}

QGroupBox* CItemDlg::CreateMessageBox()
{
    auto* box = new QGroupBox(QStringLiteral("&Message"), this);
    m_pMessageEdit = Named(new QPlainTextEdit(box), "messageEdit");
    // Tab leaves the box as in the other fields; Enter still breaks the line.
    m_pMessageEdit->setTabChangesFocus(true);
    m_pMessageEdit->setMinimumSize(DialogUnitsX(*this, 169), DialogUnitsY(*this, 32));
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(m_pMessageEdit);
    return box;
}

QWidget* CItemDlg::CreateButtons()
{
    QDialogButtonBox* buttons = MakeOkCancelButtons();
    connect(buttons, &QDialogButtonBox::accepted, this, &CItemDlg::OnOK);
    return buttons;
}

void CItemDlg::ShowItem()
{
    QDate date;
    QTime timeOfDay;
    SplitLocalTime(m_item.m_reminder.m_timeDoBy, date, timeOfDay);
    m_pDateEdit->setDate(date);
    m_pTimeEdit->setTime(timeOfDay);
    m_pAtCheck->setChecked(!IsLocalMidnight(m_item.m_reminder.m_timeDoBy));
    m_pPriorityCombo->SelectValue(m_item.m_nPriority);
    m_pTitleEdit->setText(m_item.m_strTitle);
    m_pMessageEdit->setPlainText(ToShownLineBreaks(m_item.m_strMessage));
    m_pHasStickyCheck->setChecked(m_item.m_bHasSticky != 0);
    m_pQuickListedCheck->setChecked(m_item.m_bQuickListed != 0);
    m_pRemindCheck->setChecked(m_item.m_reminder.m_bEnabled != 0);
    if (m_bNewItem)
        ShowNewItemDefaults();
}

void CItemDlg::ShowNewItemDefaults()
{
    QDate today;
    QTime timeOfDay;
    SplitLocalTime(GetClock().Now(), today, timeOfDay);
    m_pDateEdit->setDate(today);
    m_pAtCheck->setChecked(false);
    m_pPriorityCombo->SelectValue(CVemoItem::PriorityNormal);
    m_pHasStickyCheck->setChecked(true);
    m_pQuickListedCheck->setChecked(false);
    m_pRemindCheck->setChecked(false);
}

void CItemDlg::UpdateTimeControl()
{
    const bool timeOfDay = m_pAtCheck->isChecked();
    m_pTimeEdit->setEnabled(timeOfDay);
    if (!timeOfDay)
        m_pTimeEdit->setTime(QTime(0, 0));
}

void CItemDlg::UpdateReminderButton()
{
    m_pReminderOptionsButton->setEnabled(m_pRemindCheck->isChecked() &&
                                         m_editReminderOptions != nullptr);
}

void CItemDlg::showEvent(QShowEvent* event)
{
    // The caller may set the options hook after construction.
    UpdateReminderButton();
    CVemoDialog::showEvent(event);
}

void CItemDlg::OnReminderOptions()
{
    CReminderSpec options = m_item.m_reminder;
    if (!m_editReminderOptions(options))
        return;
    // Whether the reminder is on and when the item is due stay this dialog's own fields.
    CReminderSpec& reminder = m_item.m_reminder;
    reminder.m_bMessageBox = options.m_bMessageBox;
    reminder.m_bSound = options.m_bSound;
    reminder.m_bMail = options.m_bMail;
    reminder.m_nLeadSeconds = options.m_nLeadSeconds;
    reminder.m_nRepeat = options.m_nRepeat;
}

void CItemDlg::OnOK()
{
    const QString refusal = TitleRefusal(m_pTitleEdit->text());
    if (!refusal.isEmpty())
    {
        ShowVemoMessage(this, refusal, IUserPrompts::NoIcon);
        return;
    }
    const QTime timeOfDay = m_pAtCheck->isChecked() ? m_pTimeEdit->time() : QTime(0, 0);
    qint32 doBy = 0;
    if (!MakeLocalTime(m_pDateEdit->date(), timeOfDay, doBy))
    {
        ShowVemoMessage(this, DoByOutOfRange, IUserPrompts::Exclamation);
        return;
    }
    StoreControls(doBy);
    accept();
}

void CItemDlg::StoreControls(qint32 doBy)
{
    // A priority without an entry, kept from a file, stays unless the user picks another.
    if (m_pPriorityCombo->currentIndex() >= 0)
        m_item.m_nPriority = m_pPriorityCombo->GetSelectedValue();
    if (m_bNewItem)
        m_item.m_timeCreated = GetClock().Now();
    m_item.m_strTitle = m_pTitleEdit->text();
    m_item.m_strMessage = ToStoredLineBreaks(m_pMessageEdit->toPlainText());
    m_item.m_bQuickListed = m_pQuickListedCheck->isChecked() ? 1 : 0;
    m_item.m_bHasSticky = m_pHasStickyCheck->isChecked() ? 1 : 0;
    m_item.m_reminder.m_bEnabled = m_pRemindCheck->isChecked() ? 1 : 0;
    m_item.m_reminder.m_timeDoBy = doBy;
}
