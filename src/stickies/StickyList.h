#pragma once

#include "model/StickyHost.h"
#include "stickies/StickyWnd.h"

#include <QPointer>
#include <QTimer>

#include <deque>
#include <memory>
#include <optional>
#include <vector>

class CCommandActions;

// The open sticky notes in the order they were made, each named by its item's (group, key).
// A new note comes up on a later turn of the event loop, a few at a time, so that an account with
// a desktop full of notes shows its window first; a note asked for focus comes up at once.
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
    void RedrawStickyFrames() override;
    bool SetStickyAppearance(const QString& group, quint32 key, quint32 back, quint32 text,
                             const CLogFont& font) override;
    void RenameGroup(const QString& oldName, const QString& newName) override;

private:
    int FindIndex(const QString& group, quint32 key) const;
    // The next free place of a grid of 200 x 200 notes, in rows from the screen's corner.
    CRect32 PlaceNewSticky() const;
    void CloseSticky(std::size_t index);
    void ShowPendingStickies();
    const CStickyButtonIcons& ButtonIcons();

    CCommandActions* m_pActions = nullptr;
    std::vector<std::unique_ptr<CStickyWnd>> m_stickies;
    std::optional<CStickyButtonIcons> m_buttonIcons;
    // A note closed before it came up leaves a null entry.
    std::deque<QPointer<CStickyWnd>> m_pendingShows;
    QTimer m_showTimer;
};
