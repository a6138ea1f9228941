#include "ReminderAlertDlg.h"

#include "LabelStatic.h"
#include "base/Clock.h"
#include "base/LocalTime.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace
{
constexpr int IconSize = 32;

QFont HeadingFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(12);
    return font;
}
} // namespace

CReminderAlertDlg::CReminderAlertDlg(const QString& title, const QString& message,
                                     const QString& reminderTime, QWidget* parent)
    : CVemoDialog(parent)
{
    setObjectName(QStringLiteral("reminderAlert"));
    setWindowTitle(QStringLiteral("Vemo - ") + title);
    // Above other programs' windows, even while the main window is hidden or minimised.
    setWindowFlag(Qt::WindowStaysOnTopHint);

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/vemo.svg")).pixmap(IconSize, IconSize));
    CLabelStatic* heading =
        AddLabel(QStringLiteral("You asked me to remind you about this."), "headingLabel");
    heading->SetFont(HeadingFont());

    m_pMessageEdit = new QPlainTextEdit(message, this);
    m_pMessageEdit->setObjectName(QStringLiteral("messageEdit"));
    m_pMessageEdit->setReadOnly(true);
    m_pMessageEdit->setMinimumHeight(m_pMessageEdit->fontMetrics().height() * 4);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0);
    layout->addWidget(heading, 0, 1, 1, 2);
    layout->addWidget(m_pMessageEdit, 1, 0, 1, 3);
    layout->addWidget(AddLabel(QStringLiteral("Reminder Time:"), "reminderTimeCaption"), 2, 0, 1,
                      2);
    layout->addWidget(AddLabel(reminderTime, "reminderTimeLabel"), 2, 2);
    layout->addWidget(AddLabel(QStringLiteral("Current Time:"), "currentTimeCaption"), 3, 0, 1, 2);
    layout->addWidget(
        AddLabel(FormatLocalTime(GetClock().Now(), ReminderTimeFormat), "currentTimeLabel"), 3, 2);
    layout->addWidget(line, 4, 0, 1, 3);
    layout->addWidget(buttons, 5, 0, 1, 3);
    layout->setColumnStretch(2, 1);
    ok->setFocus();
}

// Comes to the front with the focus, whatever window the user is in.
void CReminderAlertDlg::showEvent(QShowEvent* event)
{
    CVemoDialog::showEvent(event);
    raise();
    activateWindow();
}

CLabelStatic* CReminderAlertDlg::AddLabel(const QString& text, const char* name)
{
    auto* label = new CLabelStatic(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->SetBackgroundColor(DialogColor());
    return label;
}
