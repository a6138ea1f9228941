#pragma once

#include <QString>

class CVemoItem;

// Everything the account asks of the user: message boxes and the name and item dialogs. Each
// dialog fills its out value only when the user confirms.
class IUserPrompts
{
public:
    enum Icon
    {
        NoIcon,
        Information,
        Question,
        Exclamation,
    };

    enum Answer
    {
        Ok,
        Yes,
        No,
    };

    virtual ~IUserPrompts() = default;

    // A plain OK box, or Yes/No when the icon is Question.
    virtual Answer MessageBox(const QString& text, Icon icon) = 0;
    virtual bool AskNewAccountName(QString& name) = 0;
    // The accounts dialog in its open mode: the name of the account to open.
    virtual bool AskAccountToOpen(QString& name) = 0;
    virtual bool AskNewGroupName(QString& name) = 0;
    // The item dialog with the given caption; the item holds the user's edits on OK.
    virtual bool EditItem(const QString& caption, CVemoItem& item) = 0;
};
