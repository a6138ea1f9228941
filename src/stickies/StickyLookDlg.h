#pragma once

#include "base/LogFont.h"
#include "shell/VemoDialog.h"

#include <QColor>
#include <QFont>

#include <functional>
#include <optional>

class CStickyEdit;

// Chooses a sticky note's background colour, text colour and font on a sample note that shows
// each choice at once. The caller fills the three members before running it and reads them
// after OK; what becomes of them is the caller's business.
class CStickyLookDlg : public CVemoDialog
{
    Q_OBJECT

public:
    // An invalid colour or no font means the user cancelled the picker.
    using ColorPicker = std::function<QColor(QWidget* parent)>;
    using FontPicker = std::function<std::optional<QFont>(const QFont& initial, QWidget* parent)>;

    explicit CStickyLookDlg(QWidget* parent = nullptr);

    // Colours as the items keep them, 0x00BBGGRR.
    quint32 m_crBack = 0;
    quint32 m_crText = 0;
    CLogFont m_lfFont;

    // The toolkit's colour and font dialogs unless replaced.
    ColorPicker m_pickColor;
    FontPicker m_pickFont;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* CreateSampleBox();
    void ShowMembers();
    void SetSampleBack(quint32 color);
    void SetSampleText(quint32 color);
    void SetSampleFont(const CLogFont& font);
    std::optional<quint32> PickColor();
    void OnTextColor();
    void OnBackColor();
    void OnFont();
    void OnUseDefaults();
    void OnOK();

    CStickyEdit* m_pSample = nullptr;
    // What the sample shows; the members take it on OK.
    quint32 m_crSampleBack = 0;
    quint32 m_crSampleText = 0;
    CLogFont m_lfSampleFont;
};
