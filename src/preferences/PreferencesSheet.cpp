#include "PreferencesSheet.h"

#include "PrefMailPage.h"
#include "RemindersPage.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace
{
constexpr int TabFontPoints = 9;

// The tabs in the dialog's pale yellow, their captions in 9-point Arial.
QString TabLook()
{
    const QString color = CVemoDialog::DialogColor().name();
    return QStringLiteral("QTabWidget::pane { background: %1; }"
                          "QTabBar::tab { background: %1; color: black; padding: 3px 12px;"
                          " border: 1px solid gray; border-bottom: none; }"
                          "QTabBar::tab:!selected { margin-top: 2px; }")
        .arg(color);
}
} // namespace

CPreferencesSheet::CPreferencesSheet(IStickyHost* stickies,
                                     CGeneralPage::PeriodSetter setAutoSavePeriod, QWidget* parent)
    : CVemoDialog(parent)
    , m_pTabs(new QTabWidget(this))
{
    setWindowTitle(QStringLiteral("Vemo - Preferences"));
    QFont tabFont(QStringLiteral("Arial"), TabFontPoints);
    tabFont.setStyleHint(QFont::SansSerif);
    m_pTabs->tabBar()->setFont(tabFont);
    m_pTabs->tabBar()->setElideMode(Qt::ElideRight);
    m_pTabs->setStyleSheet(TabLook());
    AddPage(new CGeneralPage(stickies, std::move(setAutoSavePeriod)), QStringLiteral("General"));
    AddPage(new CPrefMailPage, QStringLiteral("Mail"));
    AddPage(new CRemindersPage, QStringLiteral("Reminders"));

    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    m_pApply = buttons->button(QDialogButtonBox::Apply);
    m_pApply->setObjectName(QStringLiteral("applyButton"));
    m_pApply->setEnabled(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPreferencesSheet::OnOK);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPreferencesSheet::reject);
    connect(m_pApply, &QPushButton::clicked, this, &CPreferencesSheet::Apply);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTabs);
    layout->addWidget(buttons);
}

void CPreferencesSheet::AddPage(CVemoPropertyPage* page, const QString& caption)
{
    m_pTabs->addTab(page, caption);
    m_pages.append(page);
    connect(page, &CVemoPropertyPage::Modified, this, [this] { m_pApply->setEnabled(true); });
}

void CPreferencesSheet::Apply()
{
    for (CVemoPropertyPage* page : std::as_const(m_pages))
    {
        if (page->WasVisited())
            page->OnOK();
    }
    m_pApply->setEnabled(false);
}

void CPreferencesSheet::OnOK()
{
    Apply();
    accept();
}
