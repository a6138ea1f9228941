#pragma once

#include <QComboBox>
#include <QIcon>
#include <QList>

// A drop-down list whose entries each show an image from the derived class's image list and
// carry a 32-bit value for the program.
class CImageComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit CImageComboBox(QWidget* parent = nullptr);

    bool AddEntry(const QString& text, int imageIndex, qint32 value);
    // The entry's value; 0 when there is no such entry.
    qint32 GetEntryValue(int index) const;

protected:
    // An empty list shows the entries without images.
    void SetImageList(const QList<QIcon>& images);

private:
    QIcon Image(int imageIndex) const;

    QList<QIcon> m_imageList;
};
