#pragma once

#include <QString>

struct CLogFont;
class CVemoItem;

// The open sticky notes, as the account and its commands reach them. Notes are named by the
// (group name, key) of their item.
class IStickyHost
{
public:
    virtual ~IStickyHost() = default;

    // Makes the item's note; on success writes the rectangle it got into the item and sets its
    // has-sticky flag, and the caller stores the item.
    virtual bool CreateSticky(const QString& group, CVemoItem& item) = 0;
    // Closes one note, storing its text in its item first.
    virtual bool RemoveSticky(const QString& group, quint32 key) = 0;
    // Stores every note's text and rectangle, then closes them all; the has-sticky flags stay.
    virtual void CloseAllStickies() = 0;
    // Closes every note when the account is being replaced.
    virtual void DestroyAllStickies() = 0;
    // Closes the group's notes without storing anything, for a group whose items are gone.
    virtual void RemoveGroupStickies(const QString& group) = 0;
    virtual void SaveStickyTexts() = 0;
    // Reloads a note from its item after the item changed.
    virtual bool RefreshSticky(const QString& group, quint32 key) = 0;
    virtual void FocusSticky(const QString& group, quint32 key) = 0;
    // Flashes the note's frame the given number of times, so the user can find it on the desktop.
    virtual void FlashSticky(const QString& group, quint32 key, int count) = 0;
    virtual void SetStickiesOnTop(bool onTop) = 0;
    // Paints every note's frame again, after the border setting changed.
    virtual void RedrawStickyFrames() = 0;
    // Gives an open note new colours (0x00BBGGRR) and a new font.
    virtual bool SetStickyAppearance(const QString& group, quint32 key, quint32 back, quint32 text,
                                     const CLogFont& font) = 0;
    // Moves a renamed group's notes to the new name.
    virtual void RenameGroup(const QString& oldName, const QString& newName) = 0;
};
