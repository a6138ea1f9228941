#include "StickyList.h"

#include "StickyWnd.h"
#include "base/Settings.h"
#include "model/GroupName.h"
#include "model/VemoAccount.h"
#include "shell/ScreenPlacement.h"

#include <QGuiApplication>
#include <QScreen>

namespace
{
const CRect32 FirstStickyPlace = {0, 0, 200, 200};
// How far into the note a point must be on some screen for its strip to be grabbed.
constexpr int CaptionGrip = CStickyWnd::FrameWidth + 4;
// A damaged file's rectangle cannot make a note wider than any screen could show.
constexpr qint64 LargestSide = 1 << 14;
// Mapping a window costs a few milliseconds under a window manager; a batch this size keeps each
// turn of the event loop short enough for the main window to answer between batches.
constexpr int StickiesPerTurn = 8;

QRect ReachableRect(const CRect32& stored)
{
    QRect rect(stored.left, stored.top, int(qBound<qint64>(1, stored.Width(), LargestSide)),
               int(qBound<qint64>(1, stored.Height(), LargestSide)));
    BringOntoScreen(rect, CaptionGrip);
    return rect;
}
} // namespace

CStickyList::CStickyList()
{
    m_showTimer.setInterval(0);
    QObject::connect(&m_showTimer, &QTimer::timeout, [this] { ShowPendingStickies(); });
}

CStickyList::~CStickyList() = default;

int CStickyList::FindIndex(const QString& group, quint32 key) const
{
    for (std::size_t i = 0; i < m_stickies.size(); ++i)
    {
        if (m_stickies[i]->GetKey() == key && SameGroupName(m_stickies[i]->GetGroup(), group))
            return int(i);
    }
    return -1;
}

CStickyWnd* CStickyList::FindSticky(const QString& group, quint32 key) const
{
    const int index = FindIndex(group, key);
    return index < 0 ? nullptr : m_stickies[std::size_t(index)].get();
}

bool CStickyList::CreateSticky(const QString& group, CVemoItem& item)
{
    if (FindSticky(group, item.m_dwKey))
        return false;
    const QRect rect =
        ReachableRect(item.m_rectSticky.IsEmpty() ? PlaceNewSticky() : item.m_rectSticky);
    auto sticky = std::make_unique<CStickyWnd>(rect, group, item, ButtonIcons(), m_pActions);
    sticky->SetOnTop(GetSettings().GetStickyOnTop());
    item.m_rectSticky = sticky->GetRect();
    m_pendingShows.emplace_back(sticky.get());
    m_stickies.push_back(std::move(sticky));
    m_showTimer.start();
    item.m_bHasSticky = 1;
    return true;
}

// Made with the first note, so an account without notes never reads them.
const CStickyButtonIcons& CStickyList::ButtonIcons()
{
    if (!m_buttonIcons)
        m_buttonIcons = CStickyButtonIcons{QIcon(QStringLiteral(":/icons/sticky-close.svg")),
                                           QIcon(QStringLiteral(":/icons/sticky-look.svg"))};
    return *m_buttonIcons;
}

void CStickyList::ShowPendingStickies()
{
    for (int shown = 0; shown < StickiesPerTurn && !m_pendingShows.empty(); ++shown)
    {
        if (CStickyWnd* sticky = m_pendingShows.front())
            sticky->show();
        m_pendingShows.pop_front();
    }
    if (m_pendingShows.empty())
        m_showTimer.stop();
}

// Each note is compared once, in list order, so a note moved off the grid frees its place.
CRect32 CStickyList::PlaceNewSticky() const
{
    const QScreen* primary = QGuiApplication::primaryScreen();
    const QRect work = primary ? primary->availableGeometry() : QRect();
    const qint64 workRight = qint64(work.left()) + work.width();
    const qint64 workBottom = qint64(work.top()) + work.height();
    CRect32 candidate = FirstStickyPlace;
    for (const auto& sticky : m_stickies)
    {
        const CRect32 placed = sticky->GetRect();
        if (placed != candidate)
            continue;
        const qint32 width = qint32(placed.Width());
        const qint32 height = qint32(placed.Height());
        if (candidate.right + qint64(width) <= workRight)
            candidate = {candidate.left + width, candidate.top, candidate.right + width,
                         candidate.bottom};
        else if (candidate.bottom + qint64(height) <= workBottom)
            candidate = {FirstStickyPlace.left, candidate.top + height, FirstStickyPlace.right,
                         candidate.bottom + height};
        else
            candidate = FirstStickyPlace;
    }
    return candidate;
}

void CStickyList::CloseSticky(std::size_t index)
{
    std::unique_ptr<CStickyWnd> sticky = std::move(m_stickies[index]);
    m_stickies.erase(m_stickies.begin() + std::ptrdiff_t(index));
    sticky->SaveText();
}

bool CStickyList::RemoveSticky(const QString& group, quint32 key)
{
    const int index = FindIndex(group, key);
    if (index < 0)
        return false;
    CloseSticky(std::size_t(index));
    return true;
}

void CStickyList::CloseAllStickies()
{
    SaveStickyTexts();
    for (const auto& sticky : m_stickies)
    {
        if (g_pAccount)
            g_pAccount->SetStickyRect(sticky->GetGroup(), sticky->GetKey(), sticky->GetRect());
    }
    m_stickies.clear();
}

void CStickyList::DestroyAllStickies()
{
    while (!m_stickies.empty())
        CloseSticky(m_stickies.size() - 1);
}

void CStickyList::RemoveGroupStickies(const QString& group)
{
    std::erase_if(m_stickies, [&group](const std::unique_ptr<CStickyWnd>& sticky)
                  { return SameGroupName(sticky->GetGroup(), group); });
}

void CStickyList::SaveStickyTexts()
{
    for (const auto& sticky : m_stickies)
        sticky->SaveText();
}

bool CStickyList::RefreshSticky(const QString& group, quint32 key)
{
    CStickyWnd* sticky = FindSticky(group, key);
    if (!sticky)
        return false;
    sticky->AttachItem();
    sticky->update();
    return true;
}

void CStickyList::FocusSticky(const QString& group, quint32 key)
{
    if (CStickyWnd* sticky = FindSticky(group, key))
        sticky->Focus();
}

void CStickyList::FlashSticky(const QString& group, quint32 key, int count)
{
    if (CStickyWnd* sticky = FindSticky(group, key))
        sticky->Flash(count);
}

bool CStickyList::SetStickyAppearance(const QString& group, quint32 key, quint32 back, quint32 text,
                                      const CLogFont& font)
{
    CStickyWnd* sticky = FindSticky(group, key);
    if (sticky)
        sticky->SetAppearance(back, text, font);
    return sticky != nullptr;
}

void CStickyList::SetStickiesOnTop(bool onTop)
{
    for (const auto& sticky : m_stickies)
        sticky->SetOnTop(onTop);
}

void CStickyList::RedrawStickyFrames()
{
    for (const auto& sticky : m_stickies)
        sticky->update();
}

void CStickyList::RenameGroup(const QString& oldName, const QString& newName)
{
    for (const auto& sticky : m_stickies)
    {
        if (SameGroupName(sticky->GetGroup(), oldName))
            sticky->SetGroup(newName);
    }
}
