#pragma once

#include "model/StickyHost.h"

#include <memory>
#include <vector>

class CCommandActions;
class CStickyWnd;
struct CRect32;

// The open sticky notes in the order they were made, each named by its item's (group, key).
class CStickyList : public IStickyHost
{
public:
    CStickyList();
    ~CStickyList() override;
    CStickyList(const CStickyList&) = delete;
    CStickyList& operator=(const CStickyList&) = delete;

    // The commands of the notes' own menu; notes made before have none.
    void SetCommandActions(CCommandActions* actions) { m_pActions = actions; }
    CStickyWnd* FindSticky(const QString& group, quint32 key) const;

    bool CreateSticky(const QString& group, CVemoItem& item) override;
    bool RemoveSticky(const QString& group, quint32 key) override;
    void CloseAllStickies() override;
    void DestroyAllStickies() override;
    void RemoveGroupStickies(const QString& group) override;
    void SaveStickyTexts() override;
    bool RefreshSticky(const QString& group, quint32 key) override;
    void FocusSticky(const QString& group, quint32 key) override;
    void FlashSticky(const QString& group, quint32 key, int count) override;
    void SetStickiesOnTop(bool onTop) override;
    bool SetStickyAppearance(const QString& group, quint32 key, quint32 back, quint32 text,
                             const CLogFont& font) override;
    void RenameGroup(const QString& oldName, const QString& newName) override;

private:
    int FindIndex(const QString& group, quint32 key) const;
    // The next free place of a grid of 200 x 200 notes, in rows from the screen's corner.
    CRect32 PlaceNewSticky() const;
    void CloseSticky(std::size_t index);

    CCommandActions* m_pActions = nullptr;
    std::vector<std::unique_ptr<CStickyWnd>> m_stickies;
};
