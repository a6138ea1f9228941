#pragma once

#include "VemoPropertyPage.h"

class QCheckBox;
class QLineEdit;

// The sender's name, a fixed address every item is sent to, and a text put before every message.
class CPrefMailPage : public CVemoPropertyPage
{
    Q_OBJECT

public:
    explicit CPrefMailPage(QWidget* parent = nullptr);

    void OnOK() override;

protected:
    void OnSetActive() override;

private:
    QLineEdit* m_pFrom;
    QCheckBox* m_pSendTo;
    QLineEdit* m_pTo;
    QCheckBox* m_pAddendum;
    QLineEdit* m_pAddendumText;
};
