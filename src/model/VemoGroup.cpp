#include "VemoGroup.h"

#include "base/Archive.h"
#include "base/FileIO.h"
#include "base/PathUtils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

int CVemoGroup::FindItem(quint32 key) const
{
    for (int i = 0; i < m_items.size(); ++i)
    {
        if (m_items[i].m_dwKey == key)
            return i;
    }
    return -1;
}

bool CVemoGroup::GetItem(quint32 key, CVemoItem& item) const
{
    const int index = FindItem(key);
    if (index < 0)
        return false;
    item = m_items[index];
    return true;
}

// The stored key stays: a copy carrying another key must not make two items share one.
bool CVemoGroup::SetItem(quint32 key, const CVemoItem& item)
{
    m_bModified = true;
    const int index = FindItem(key);
    if (index < 0)
        return false;
    m_items[index] = item;
    m_items[index].m_dwKey = key;
    return true;
}

quint32 CVemoGroup::AddItem(const CVemoItem& item)
{
    m_bModified = true;
    m_items.append(item);
    m_items.last().m_dwKey = NextKey();
    return m_items.last().m_dwKey;
}

quint32 CVemoGroup::AddNewItem(qint32 created, qint32 doBy, qint32 priority, const QString& title,
                               const QString& message)
{
    CVemoItem item(created, doBy, priority);
    item.m_strTitle = title;
    item.m_strMessage = message;
    return AddItem(item);
}

bool CVemoGroup::RemoveItem(quint32 key)
{
    m_bModified = true;
    const int index = FindItem(key);
    if (index < 0)
        return false;
    m_items.removeAt(index);
    m_items.squeeze();
    return true;
}

bool CVemoGroup::RemoveAllItems()
{
    m_bModified = true;
    m_items = {};
    return true;
}

bool CVemoGroup::SetQuickListed(quint32 key, bool quickListed)
{
    m_bModified = true;
    const int index = FindItem(key);
    if (index < 0)
        return false;
    m_items[index].m_bQuickListed = quickListed ? 1 : 0;
    return true;
}

// Keys continue above the highest stored key, so a (group, key) pair still held by the
// quick list or a reminder never comes to name another item.
quint32 CVemoGroup::NextKey()
{
    return ++m_dwLastKey;
}

void CVemoGroup::SetName(const QString& name)
{
    m_bModified = true;
    m_strName = name;
}

QString CVemoGroup::GetFilePath(const QString& accountFolder) const
{
    QString path = accountFolder;
    AddTrailingBackslash(path);
    return path + m_strName + QStringLiteral(".grp");
}

QStringList CVemoGroup::ListGroupFiles(const QString& accountFolder)
{
    QStringList files = ListFolderEntries(accountFolder);
    const QDir folder(accountFolder);
    files.removeIf(
        [&](const QString& name) {
            return !name.endsWith(QLatin1String(".grp")) ||
                   QFileInfo(folder.filePath(name)).isDir();
        });
    return files;
}

bool CVemoGroup::LoadFromFile(const QString& path)
{
    // A file named just ".grp" would make a group without a name, which names no group at all.
    const QString name = GetPathTitle(path);
    QByteArray bytes;
    if (name.isEmpty() || !ReadFileBytes(path, bytes) || !LoadFromBytes(bytes))
        return false;
    m_strName = name;
    return true;
}

bool CVemoGroup::LoadFromBytes(const QByteArray& bytes)
{
    CArchive ar(bytes);
    Serialize(ar);
    return ar.IsOk();
}

bool CVemoGroup::SaveToFile(const QString& accountFolder)
{
    if (!WriteFileAtomically(GetFilePath(accountFolder), SaveToBytes()))
        return false;
    m_bModified = false;
    return true;
}

QByteArray CVemoGroup::SaveToBytes()
{
    CArchive ar;
    StoreItems(ar);
    return ar.Bytes();
}

bool CVemoGroup::DeleteGroupFile(const QString& accountFolder) const
{
    return QFile::remove(GetFilePath(accountFolder));
}

void CVemoGroup::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        StoreItems(ar);
    else
        LoadItems(ar);
}

void CVemoGroup::StoreItems(CArchive& ar)
{
    auto count = static_cast<quint32>(m_items.size());
    ar.Exchange(count);
    for (CVemoItem& item : m_items)
        item.Serialize(ar);
}

// Items read before a fault stay; the caller learns of the fault from the archive.
void CVemoGroup::LoadItems(CArchive& ar)
{
    m_dwLastKey = 0;
    m_items = {};
    quint32 count = 0;
    ar.Exchange(count);
    if (!ar.CanHold(count, CVemoItem::MinStoredSize))
        return;
    m_items.reserve(count);
    for (quint32 i = 0; i < count; ++i)
    {
        CVemoItem& item = m_items.emplace_back(Qt::Uninitialized);
        item.Serialize(ar);
        if (!ar.IsOk())
        {
            m_items.removeLast();
            return;
        }
        m_dwLastKey = qMax(m_dwLastKey, item.m_dwKey);
    }
}
