#pragma once

#include "model/ReminderSpec.h"
#include "shell/VemoDialog.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;

// Chooses how a reminder is announced, whether it repeats and how long before the Do By time it
// starts, on a working copy; the Do By time and the on switch stay the item dialog's.
class CReminderOptionsDlg : public CVemoDialog
{
    Q_OBJECT

public:
    explicit CReminderOptionsDlg(const CReminderSpec& reminder, QWidget* parent = nullptr);

    // The announcements, lead time and repeat kind the user chose; call after OK.
    void CopyTo(CReminderSpec& reminder) const;

    qint32 m_bSound = 0;
    qint32 m_bMessageBox = 0;
    // -1 no button, 0 Day, 1 Week, 2 Month, 3 Year.
    int m_nPeriod = -1;
    qint32 m_bRepeat = 0;
    QString m_strMinutes;
    qint32 m_bMail = 0;
    qint32 m_nLeadSeconds = 0;
    qint32 m_nRepeat = CReminderSpec::RepeatNone;

private:
    void CreateControls();
    void ShowMembers();
    void TakeControls();
    void UpdatePeriodButtons();
    void OnMinutesEdited();
    void OnOK();

    QCheckBox* m_pSoundCheck = nullptr;
    QCheckBox* m_pMessageBoxCheck = nullptr;
    QCheckBox* m_pMailCheck = nullptr;
    QCheckBox* m_pRepeatCheck = nullptr;
    QButtonGroup* m_pPeriodButtons = nullptr;
    QLineEdit* m_pMinutesEdit = nullptr;
};
