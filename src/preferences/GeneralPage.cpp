#include "GeneralPage.h"

#include "base/DefaultFont.h"
#include "base/Settings.h"
#include "model/StickyHost.h"
#include "shell/AutostartEntry.h"
#include "shell/VemoMessageBox.h"
#include "stickies/StickyLookDlg.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

namespace
{
constexpr quint32 MsPerMinute = 60000;
// What a new note looks like when no default has been stored yet.
constexpr quint32 FirstStickyBack = 0x0080FFFF;
constexpr quint32 FirstStickyText = 0;
const QString AutostartFailed =
    QStringLiteral("Vemo could not change whether it starts when you log in.  Make sure that "
                   "your settings folder can be written to.");
const QString LookHint = QStringLiteral(
    "Select the button labeled 'Sticky Colors and Font...' to set the default colors and font "
    "for all new stickies created in Vemo.");

} // namespace

CGeneralPage::CGeneralPage(IStickyHost* stickies, PeriodSetter setAutoSavePeriod, QWidget* parent)
    : CVemoPropertyPage(parent)
    , m_pStickies(stickies)
    , m_setAutoSavePeriod(std::move(setAutoSavePeriod))
    , m_pHover(NamedCheck(QStringLiteral("&Hover over sticky to set focus."), "hoverCheck", this))
    , m_pOnTop(
          NamedCheck(QStringLiteral("&Stickies stay on top of all windows."), "onTopCheck", this))
    , m_pBorder(NamedCheck(QStringLiteral("&Display border on sticky when it doesn't have focus."),
                           "borderCheck", this))
    , m_pAutoSave(NamedCheck(QStringLiteral("&Automatically save the currently open account"),
                             "autoSaveCheck", this))
    , m_pInterval(NamedEdit("intervalEdit", this))
    , m_pAutostart(NamedCheck(QStringLiteral("&Start Vemo when I log in"), "autostartCheck", this))
{
    auto* stickiesBox = new QGroupBox(QStringLiteral("Stickies"), this);
    auto* hint = new QLabel(LookHint, stickiesBox);
    hint->setWordWrap(true);
    auto* lookButton = new QPushButton(QStringLiteral("Sticky Colors and Font..."), stickiesBox);
    lookButton->setObjectName(QStringLiteral("stickyLookButton"));
    auto* stickiesLayout = new QVBoxLayout(stickiesBox);
    stickiesLayout->addWidget(hint);
    stickiesLayout->addWidget(lookButton, 0, Qt::AlignLeft);
    for (QCheckBox* check : {m_pHover, m_pOnTop, m_pBorder})
    {
        check->setParent(stickiesBox);
        stickiesLayout->addWidget(check);
        connect(check, &QCheckBox::clicked, this, &CGeneralPage::Modified);
    }

    auto* autoSaveBox = new QGroupBox(QStringLiteral("Auto Save"), this);
    m_pAutoSave->setParent(autoSaveBox);
    m_pInterval->setParent(autoSaveBox);
    auto* every = new QHBoxLayout;
    every->addWidget(
        new QLabel(QStringLiteral("Save the currently open account every"), autoSaveBox));
    every->addWidget(m_pInterval);
    every->addWidget(new QLabel(QStringLiteral("minutes."), autoSaveBox));
    auto* autoSaveLayout = new QVBoxLayout(autoSaveBox);
    autoSaveLayout->addWidget(m_pAutoSave);
    autoSaveLayout->addLayout(every);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(stickiesBox);
    layout->addWidget(autoSaveBox);
    layout->addWidget(m_pAutostart);
    layout->addStretch();

    connect(lookButton, &QPushButton::clicked, this, &CGeneralPage::ChooseStickyLook);
    connect(m_pAutoSave, &QCheckBox::clicked, m_pInterval, &QLineEdit::setEnabled);
    connect(m_pAutoSave, &QCheckBox::clicked, this, &CGeneralPage::Modified);
    connect(m_pAutostart, &QCheckBox::clicked, this, &CGeneralPage::Modified);
    connect(m_pInterval, &QLineEdit::textEdited, this, &CGeneralPage::OnIntervalEdited);
}

void CGeneralPage::OnSetActive()
{
    CSettings& settings = GetSettings();
    m_pHover->setChecked(settings.GetHoverSticky());
    m_pOnTop->setChecked(settings.GetStickyOnTop());
    m_pBorder->setChecked(!settings.GetBorderlessSticky());
    const quint32 minutes = settings.GetAutoSaveInterval() / MsPerMinute;
    m_pAutoSave->setChecked(minutes != 0);
    m_pInterval->setEnabled(minutes != 0);
    m_pInterval->setText(minutes != 0 ? QString::number(minutes) : QString());
    m_pAutostart->setChecked(CAutostartEntry::IsEnabled());
}

// A letter typed after the number makes the whole text "0", so "5m" cannot be read as 5.
void CGeneralPage::OnIntervalEdited(const QString& text)
{
    if (!text.isEmpty() && text.back().isLetter())
        m_pInterval->setText(QStringLiteral("0"));
    emit Modified();
}

quint32 CGeneralPage::IntervalFromText(const QString& text)
{
    const QString trimmed = text.trimmed();
    int end = 0;
    if (end < trimmed.size() &&
        (trimmed[end] == QLatin1Char('+') || trimmed[end] == QLatin1Char('-')))
        ++end;
    while (end < trimmed.size() && trimmed[end].isDigit())
        ++end;
    bool ok = false;
    const qlonglong minutes = trimmed.left(end).toLongLong(&ok);
    if (!ok || minutes <= 0)
        return 0;
    // Within what the timer can count as well as what the setting can hold.
    constexpr qlonglong Largest = std::numeric_limits<qint32>::max() / MsPerMinute;
    return quint32(qMin(minutes, Largest)) * MsPerMinute;
}

// Unchecked, auto-save is off whatever number the box still holds.
void CGeneralPage::OnOK()
{
    CSettings& settings = GetSettings();
    settings.SetHoverSticky(m_pHover->isChecked());
    if (m_pOnTop->isChecked() != settings.GetStickyOnTop())
    {
        settings.SetStickyOnTop(m_pOnTop->isChecked());
        if (m_pStickies)
            m_pStickies->SetStickiesOnTop(m_pOnTop->isChecked());
    }
    settings.SetBorderlessSticky(!m_pBorder->isChecked());
    const quint32 interval = m_pAutoSave->isChecked() ? IntervalFromText(m_pInterval->text()) : 0;
    settings.SetAutoSaveInterval(interval);
    if (m_setAutoSavePeriod)
        m_setAutoSavePeriod(interval);
    if (m_pStickies)
        m_pStickies->RedrawStickyFrames();
    StoreAutostart();
}

// The entry in the autostart folder is the setting: nothing else records it.
void CGeneralPage::StoreAutostart()
{
    const bool wanted = m_pAutostart->isChecked();
    if (wanted == CAutostartEntry::IsEnabled())
        return;
    if (!CAutostartEntry::SetEnabled(wanted, QCoreApplication::applicationFilePath()))
        ShowVemoMessage(this, AutostartFailed, IUserPrompts::Exclamation);
}

// Stored at once: the defaults are chosen here, whatever becomes of the rest of the sheet.
void CGeneralPage::ChooseStickyLook()
{
    CSettings& settings = GetSettings();
    CStickyLookDlg dialog(this);
    dialog.m_crBack = FirstStickyBack;
    dialog.m_crText = FirstStickyText;
    settings.GetStickyColors(dialog.m_crBack, dialog.m_crText);
    if (!settings.GetStickyFont(dialog.m_lfFont))
        GetDefaultFont(dialog.m_lfFont);
    if (dialog.exec() != QDialog::Accepted)
        return;
    settings.SetStickyColors(dialog.m_crBack, dialog.m_crText);
    settings.SetStickyFont(dialog.m_lfFont);
}
