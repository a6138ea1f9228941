#pragma once

#include "model/StickyHost.h"

// The open sticky notes. Until the note windows exist it opens none: an item's has-sticky flag is
// kept, so its note appears once notes can be shown.
class CStickyList : public IStickyHost
{
public:
    bool CreateSticky(const QString& group, CVemoItem& item) override;
    bool RemoveSticky(const QString& group, quint32 key) override;
    void CloseAllStickies() override;
    void DestroyAllStickies() override;
    void RemoveGroupStickies(const QString& group) override;
    void SaveStickyTexts() override;
    bool RefreshSticky(const QString& group, quint32 key) override;
    void FocusSticky(const QString& group, quint32 key) override;
    void SetStickiesOnTop(bool onTop) override;
    void RenameGroup(const QString& oldName, const QString& newName) override;
};
