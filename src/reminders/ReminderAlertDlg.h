#pragma once

#include "shell/VemoDialog.h"

class CLabelStatic;
class QPlainTextEdit;

// Tells the user that a reminder fell due: the item's title and message, the time it was due
// and the time now. It changes no data.
class CReminderAlertDlg : public CVemoDialog
{
    Q_OBJECT

public:
    // The message with the editor's line breaks, "\n".
    CReminderAlertDlg(const QString& title, const QString& message, const QString& reminderTime,
                      QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    CLabelStatic* AddLabel(const QString& text, const char* name);

    QPlainTextEdit* m_pMessageEdit = nullptr;
};
