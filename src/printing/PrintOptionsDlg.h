#pragma once

#include "shell/VemoDialog.h"

class QButtonGroup;
class QLineEdit;

// Asks what to print - the selected item, its group or the whole account - and the header text.
class CPrintOptionsDlg : public CVemoDialog
{
    Q_OBJECT

public:
    enum Scope
    {
        CurrentItem = 0,
        CurrentGroup = 1,
        All = 2,
    };

    // The selected item's title is empty when no item is selected; the current-item choice is
    // then not offered.
    CPrintOptionsDlg(const QString& itemTitle, bool itemSelected, const QString& groupName,
                     QWidget* parent = nullptr);

    int m_nScope = -1;
    QString m_strHeader;

private:
    void OnOK();

    QButtonGroup* m_pScopeButtons;
    QLineEdit* m_pHeaderEdit;
};
