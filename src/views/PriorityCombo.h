#pragma once

#include "ImageComboBox.h"

// The item dialog's choice of Low, Normal or High, each with its picture. Other stored
// priorities have no entry.
class CPriorityCombo : public CImageComboBox
{
    Q_OBJECT

public:
    explicit CPriorityCombo(QWidget* parent = nullptr);

    // The chosen priority; 0 when no entry is selected.
    qint32 GetSelectedValue() const;
    // Selects the entry of the priority; keeps the selection when there is none.
    void SelectValue(qint32 priority);
};
