#pragma once

#include <QIcon>
#include <QTreeWidgetItem>

// A node of the group tree that holds its label, key, check and icon in members of its own: a
// large account makes one small object per node instead of a list of values for each.
class CTreeNode : public QTreeWidgetItem
{
public:
    static constexpr int KeyRole = Qt::UserRole;

    // A node without a check box, as groups are; SetCheckable gives it one.
    CTreeNode(const QString& label, quint32 key, const QIcon& icon);
    void SetCheckable(Qt::CheckState state);

    QVariant data(int column, int role) const override;
    void setData(int column, int role, const QVariant& value) override;

private:
    QString m_strLabel;
    QIcon m_icon;
    quint32 m_dwKey;
    bool m_bCheckable = false;
    Qt::CheckState m_check = Qt::Unchecked;
};
