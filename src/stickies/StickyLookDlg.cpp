#include "StickyLookDlg.h"

#include "StickyEdit.h"
#include "base/DefaultFont.h"
#include "base/Settings.h"
#include "shell/GuiFont.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace
{
quint32 ColorRefFromColor(const QColor& color)
{
    return quint32(color.red()) | quint32(color.green()) << 8 | quint32(color.blue()) << 16;
}

QColor PickToolkitColor(QWidget* parent)
{
    return QColorDialog::getColor(Qt::white, parent);
}

// The toolkit's dialog finds the style by a name made from weight and slant and otherwise takes
// the first style it lists, which for some families is an oblique one; the name of the face
// actually drawn is always among them.
QFont WithDrawnStyleName(QFont font)
{
    font.setStyleName(QFontInfo(font).styleName());
    return font;
}

void HideKeepingPlace(QWidget& widget)
{
    QSizePolicy policy = widget.sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget.setSizePolicy(policy);
    widget.hide();
}

std::optional<QFont> PickToolkitFont(const QFont& initial, QWidget* parent)
{
    QFontDialog dialog(WithDrawnStyleName(initial), parent);
    // The toolkit's dialog has no switch for its effects box, whose only check boxes are
    // underline and strike-out; the notes offer neither. Its place stays, or the sample beside
    // it would shrink away.
    for (QCheckBox* effect : dialog.findChildren<QCheckBox*>())
        HideKeepingPlace(*effect->parentWidget());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedFont();
}

QPushButton* NamedButton(const char* text, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}
} // namespace

CStickyLookDlg::CStickyLookDlg(QWidget* parent)
    : CVemoDialog(parent)
    , m_pickColor(PickToolkitColor)
    , m_pickFont(PickToolkitFont)
{
    setWindowTitle(QStringLiteral("Vemo - Sticky Colors And Font"));
    QPushButton* textButton = NamedButton("&Text Color...", "textColorButton", this);
    QPushButton* backButton = NamedButton("&Background Color...", "backColorButton", this);
    QPushButton* fontButton = NamedButton("&Font...", "fontButton", this);
    QPushButton* defaultsButton = NamedButton("&Use Defaults", "useDefaultsButton", this);
    QDialogButtonBox* buttons = MakeOkCancelButtons();

    auto* layout = new QGridLayout(this);
    layout->addWidget(textButton, 0, 0);
    layout->addWidget(backButton, 1, 0);
    layout->addWidget(fontButton, 2, 0);
    layout->addWidget(CreateSampleBox(), 0, 1, 4, 1);
    layout->addWidget(defaultsButton, 4, 0);
    layout->addWidget(buttons, 4, 1);
    layout->setRowStretch(3, 1);

    connect(textButton, &QPushButton::clicked, this, &CStickyLookDlg::OnTextColor);
    connect(backButton, &QPushButton::clicked, this, &CStickyLookDlg::OnBackColor);
    connect(fontButton, &QPushButton::clicked, this, &CStickyLookDlg::OnFont);
    connect(defaultsButton, &QPushButton::clicked, this, &CStickyLookDlg::OnUseDefaults);
    connect(buttons, &QDialogButtonBox::accepted, this, &CStickyLookDlg::OnOK);
}

QWidget* CStickyLookDlg::CreateSampleBox()
{
    auto* box = new QGroupBox(QStringLiteral("Sample"), this);
    m_pSample = new CStickyEdit(box);
    m_pSample->setObjectName(QStringLiteral("sampleEdit"));
    m_pSample->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_pSample->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The buttons beside it and below it give the sample its size, whatever its font.
    m_pSample->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    m_pSample->setPlainText(QStringLiteral("This is a test."));
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(m_pSample);
    return box;
}

// The caller sets the members after construction, so they reach the sample when it shows.
void CStickyLookDlg::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        ShowMembers();
    CVemoDialog::showEvent(event);
}

void CStickyLookDlg::ShowMembers()
{
    SetSampleBack(m_crBack);
    SetSampleText(m_crText);
    SetSampleFont(m_lfFont);
}

void CStickyLookDlg::SetSampleBack(quint32 color)
{
    m_crSampleBack = color;
    m_pSample->SetBackColor(color);
}

void CStickyLookDlg::SetSampleText(quint32 color)
{
    m_crSampleText = color;
    m_pSample->SetTextColor(color);
}

// The description is kept as given, not read back from the toolkit's font, which would swap a
// face that is not installed here for the one drawn in its place.
void CStickyLookDlg::SetSampleFont(const CLogFont& font)
{
    m_lfSampleFont = font;
    m_pSample->SetLogFont(font);
}

std::optional<quint32> CStickyLookDlg::PickColor()
{
    const QColor color = m_pickColor(this);
    activateWindow();
    if (!color.isValid())
        return std::nullopt;
    return ColorRefFromColor(color);
}

void CStickyLookDlg::OnTextColor()
{
    if (const std::optional<quint32> color = PickColor())
        SetSampleText(*color);
}

void CStickyLookDlg::OnBackColor()
{
    if (const std::optional<quint32> color = PickColor())
        SetSampleBack(*color);
}

void CStickyLookDlg::OnFont()
{
    const std::optional<QFont> font = m_pickFont(FontFromLogFont(m_lfSampleFont), this);
    activateWindow();
    if (font)
        SetSampleFont(LogFontFromFont(*font));
}

// Colours that are not both stored leave the members alone; they still hold what the dialog
// opened with.
void CStickyLookDlg::OnUseDefaults()
{
    CSettings& settings = GetSettings();
    settings.GetStickyColors(m_crBack, m_crText);
    if (!settings.GetStickyFont(m_lfFont))
        GetDefaultFont(m_lfFont);
    ShowMembers();
}

void CStickyLookDlg::OnOK()
{
    m_crBack = m_crSampleBack;
    m_crText = m_crSampleText;
    m_lfFont = m_lfSampleFont;
    accept();
}
