#pragma once

#include "VemoItem.h"

#include <QString>
#include <QStringList>
#include <QVector>

class CArchive;

// A named list of task items that hands out item keys and reads and writes its own group file.
class CVemoGroup
{
public:
    int FindItem(quint32 key) const;
    bool GetItem(quint32 key, CVemoItem& item) const;
    bool SetItem(quint32 key, const CVemoItem& item);
    quint32 AddItem(const CVemoItem& item);
    quint32 AddNewItem(qint32 created, qint32 doBy, qint32 priority, const QString& title,
                       const QString& message);
    bool RemoveItem(quint32 key);
    bool RemoveAllItems();
    bool SetQuickListed(quint32 key, bool quickListed);
    quint32 NextKey();

    const QVector<CVemoItem>& GetItems() const { return m_items; }
    const QString& GetName() const { return m_strName; }
    void SetName(const QString& name);
    bool IsModified() const { return m_bModified; }
    quint32 GetLastKey() const { return m_dwLastKey; }

    QString GetFilePath(const QString& accountFolder) const;
    // The group files of an account folder, sorted: every entry named "*.grp" that is not a
    // folder, hidden ones and ones that cannot be read included, so none is passed over unseen.
    static QStringList ListGroupFiles(const QString& accountFolder);
    bool LoadFromFile(const QString& path);
    // Loads a group file's bytes; false when they are not one complete group record.
    bool LoadFromBytes(const QByteArray& bytes);
    bool SaveToFile(const QString& accountFolder);
    QByteArray SaveToBytes();
    bool DeleteGroupFile(const QString& accountFolder) const;

    void Serialize(CArchive& ar);

private:
    void StoreItems(CArchive& ar);
    void LoadItems(CArchive& ar);

    QVector<CVemoItem> m_items;
    quint32 m_dwLastKey = 0;
    bool m_bModified = false;
    QString m_strName;
};
