#include "StickyList.h"

bool CStickyList::CreateSticky(const QString&, CVemoItem&)
{
    return false;
}

bool CStickyList::RemoveSticky(const QString&, quint32)
{
    return false;
}

void CStickyList::CloseAllStickies() {}

void CStickyList::DestroyAllStickies() {}

void CStickyList::RemoveGroupStickies(const QString&) {}

void CStickyList::SaveStickyTexts() {}

bool CStickyList::RefreshSticky(const QString&, quint32)
{
    return false;
}

void CStickyList::FocusSticky(const QString&, quint32) {}

void CStickyList::SetStickiesOnTop(bool) {}

void CStickyList::RenameGroup(const QString&, const QString&) {}
