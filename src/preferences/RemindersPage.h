#pragma once

#include "VemoPropertyPage.h"

#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;

// The sound a reminder plays, chosen with Browse: the box itself cannot be typed in.
class CRemindersPage : public CVemoPropertyPage
{
    Q_OBJECT

public:
    // Asks for a sound file; empty when the user cancelled.
    using FilePicker = std::function<QString(QWidget* parent)>;

    explicit CRemindersPage(QWidget* parent = nullptr);

    void OnOK() override;

    // The toolkit's file dialog unless replaced.
    FilePicker m_pickFile;

protected:
    void OnSetActive() override;

private:
    void EnableSound(bool enabled);
    void Browse();

    QCheckBox* m_pPlaySound;
    QLineEdit* m_pSound;
    QPushButton* m_pBrowse;
};
