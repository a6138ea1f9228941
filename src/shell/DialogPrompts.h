#pragma once

#include "model/UserPrompts.h"

class QWidget;

// Answers the account's questions with the program's message boxes and dialogs.
class CDialogPrompts : public IUserPrompts
{
public:
    explicit CDialogPrompts(QWidget* parent = nullptr);

    Answer MessageBox(const QString& text, Icon icon) override;
    bool AskNewAccountName(QString& name) override;
    bool AskAccountToOpen(QString& name) override;
    bool AskNewGroupName(QString& name) override;
    bool EditItem(const QString& caption, CVemoItem& item) override;

private:
    QWidget* m_pParent;
};
