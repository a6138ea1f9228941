#pragma once

#include "VemoPropertyPage.h"

#include <functional>

class IStickyHost;
class QCheckBox;
class QLineEdit;

// Sticky behaviour, the default look of new notes, and auto-save.
class CGeneralPage : public CVemoPropertyPage
{
    Q_OBJECT

public:
    using PeriodSetter = std::function<void(quint32 milliseconds)>;

    CGeneralPage(IStickyHost* stickies, PeriodSetter setAutoSavePeriod, QWidget* parent = nullptr);

    void OnOK() override;
    // The interval the box's text names: the number at its start, in minutes, as milliseconds
    // that fit 32 bits; anything else counts as 0.
    static quint32 IntervalFromText(const QString& text);

protected:
    void OnSetActive() override;

private:
    void OnIntervalEdited(const QString& text);
    void ChooseStickyLook();
    void StoreAutostart();

    IStickyHost* m_pStickies;
    PeriodSetter m_setAutoSavePeriod;
    QCheckBox* m_pHover;
    QCheckBox* m_pOnTop;
    QCheckBox* m_pBorder;
    QCheckBox* m_pAutoSave;
    QLineEdit* m_pInterval;
    QCheckBox* m_pAutostart;
};
