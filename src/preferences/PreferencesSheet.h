#pragma once

#include "GeneralPage.h"
#include "shell/VemoDialog.h"

class CPrefMailPage;
class CRemindersPage;
class QPushButton;
class QTabWidget;

// The preferences: General, Mail and Reminders. OK and Apply store the pages that were shown;
// Cancel stores nothing.
class CPreferencesSheet : public CVemoDialog
{
    Q_OBJECT

public:
    CPreferencesSheet(IStickyHost* stickies, CGeneralPage::PeriodSetter setAutoSavePeriod,
                      QWidget* parent = nullptr);

private:
    void AddPage(CVemoPropertyPage* page, const QString& caption);
    void Apply();
    void OnOK();

    QTabWidget* m_pTabs;
    QPushButton* m_pApply = nullptr;
    QList<CVemoPropertyPage*> m_pages;
};
