#include "FindWidget.h"
#include "TestHome.h"
#include "base/Settings.h"
#include "shell/GuiFont.h"
#include "stickies/StickyEdit.h"
#include "stickies/StickyLookDlg.h"

#include <QFontDatabase>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace
{
constexpr quint32 OpeningBack = 0x0080FFFF;
constexpr quint32 OpeningText = 0x00004080;
constexpr quint32 StoredBack = 0x00C0FFC0;
constexpr quint32 StoredText = 0x00800000;
const QColor PickedColor(0x12, 0x34, 0x56);
constexpr quint32 PickedColorRef = 0x00563412;

CLogFont Font(const char* face, qint32 height, qint32 weight)
{
    CLogFont font;
    font.lfHeight = height;
    font.lfWeight = weight;
    font.SetFaceName(QString::fromLatin1(face));
    return font;
}

// The description of the font the sample draws with, to compare with what it was given.
CLogFont Drawn(const QWidget& sample)
{
    return LogFontFromFont(sample.font());
}

CLogFont DrawnFrom(const CLogFont& font)
{
    return LogFontFromFont(FontFromLogFont(font));
}

void Click(CStickyLookDlg& dialog, const char* name)
{
    QTest::mouseClick(&Find<QPushButton>(dialog, name), Qt::LeftButton);
}

// Colours as the sample shows them: text and background, in the items' byte order.
QPair<QColor, QColor> Shown(const CStickyEdit& sample)
{
    return {sample.palette().color(QPalette::Text), sample.palette().color(QPalette::Base)};
}

QColor FromColorRef(quint32 color)
{
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}
} // namespace

class TestStickyLook : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void okAtOnceReturnsTheCallersLook();
    void pickedColorShowsAtOnceAndReturnsOnOk_data();
    void pickedColorShowsAtOnceAndReturnsOnOk();
    void pickedFontShowsAtOnceAndReturnsOnOk();
    void cancelledPickerChangesNothing_data();
    void cancelledPickerChangesNothing();
    void useDefaultsTakesTheStoredDefaults();
    void useDefaultsWithNothingStoredKeepsOpeningColors();
    void cancelLeavesTheCallersLook();

private:
    CStickyEdit& Sample() { return Find<CStickyEdit>(*m_dialog, "sampleEdit"); }
    void ShowsThenReturns(quint32 back, quint32 text, const CLogFont& font);
    void MembersUntouched();

    std::unique_ptr<CTestHome> m_home;
    std::unique_ptr<CStickyLookDlg> m_dialog;
    const CLogFont m_openingFont = Font("Courier New", -13, 400);
    QList<QColor> m_colorAnswers;
    QList<std::optional<QFont>> m_fontAnswers;
    QList<QFont> m_fontsOffered;
};

void TestStickyLook::initTestCase()
{
    InstallGuiDefaultFontProvider();
}

void TestStickyLook::init()
{
    m_home = std::make_unique<CTestHome>();
    m_colorAnswers.clear();
    m_fontAnswers.clear();
    m_fontsOffered.clear();
    m_dialog = std::make_unique<CStickyLookDlg>();
    m_dialog->m_crBack = OpeningBack;
    m_dialog->m_crText = OpeningText;
    m_dialog->m_lfFont = m_openingFont;
    m_dialog->m_pickColor = [this](QWidget*)
    {
        return m_colorAnswers.takeFirst();
    };
    m_dialog->m_pickFont = [this](const QFont& initial, QWidget*)
    {
        m_fontsOffered.append(initial);
        return m_fontAnswers.takeFirst();
    };
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
}

void TestStickyLook::cleanup()
{
    m_dialog.reset();
    m_home.reset();
}

// The sample shows the look, and OK hands that look back.
void TestStickyLook::ShowsThenReturns(quint32 back, quint32 text, const CLogFont& font)
{
    QCOMPARE(Shown(Sample()), qMakePair(FromColorRef(text), FromColorRef(back)));
    QCOMPARE(Drawn(Sample()), DrawnFrom(font));
    Click(*m_dialog, "okButton");
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    QCOMPARE(m_dialog->m_crBack, back);
    QCOMPARE(m_dialog->m_crText, text);
    QCOMPARE(m_dialog->m_lfFont, font);
}

void TestStickyLook::MembersUntouched()
{
    QCOMPARE(m_dialog->m_crBack, OpeningBack);
    QCOMPARE(m_dialog->m_crText, OpeningText);
    QCOMPARE(m_dialog->m_lfFont, m_openingFont);
}

void TestStickyLook::okAtOnceReturnsTheCallersLook()
{
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Vemo - Sticky Colors And Font"));
    QCOMPARE(Sample().toPlainText(), QStringLiteral("This is a test."));
    ShowsThenReturns(OpeningBack, OpeningText, m_openingFont);
}

void TestStickyLook::pickedColorShowsAtOnceAndReturnsOnOk_data()
{
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<quint32>("back");
    QTest::addColumn<quint32>("text");
    QTest::newRow("text colour") << QByteArray("textColorButton") << OpeningBack << PickedColorRef;
    QTest::newRow("background colour")
        << QByteArray("backColorButton") << PickedColorRef << OpeningText;
}

void TestStickyLook::pickedColorShowsAtOnceAndReturnsOnOk()
{
    QFETCH(QByteArray, button);
    QFETCH(quint32, back);
    QFETCH(quint32, text);
    m_colorAnswers = {PickedColor};

    Click(*m_dialog, button.constData());

    MembersUntouched();
    ShowsThenReturns(back, text, m_openingFont);
}

void TestStickyLook::pickedFontShowsAtOnceAndReturnsOnOk()
{
    QFont picked = FontFromLogFont(Font("Serif", -24, 700));
    picked.setItalic(true);
    m_fontAnswers = {picked};

    Click(*m_dialog, "fontButton");

    QCOMPARE(m_fontsOffered, QList<QFont>{FontFromLogFont(m_openingFont)});
    MembersUntouched();
    ShowsThenReturns(OpeningBack, OpeningText, LogFontFromFont(picked));
}

void TestStickyLook::cancelledPickerChangesNothing_data()
{
    QTest::addColumn<QByteArray>("button");
    QTest::newRow("text colour") << QByteArray("textColorButton");
    QTest::newRow("background colour") << QByteArray("backColorButton");
    QTest::newRow("font") << QByteArray("fontButton");
}

void TestStickyLook::cancelledPickerChangesNothing()
{
    QFETCH(QByteArray, button);
    m_colorAnswers = {QColor()};
    m_fontAnswers = {std::nullopt};

    Click(*m_dialog, button.constData());

    ShowsThenReturns(OpeningBack, OpeningText, m_openingFont);
}

void TestStickyLook::useDefaultsTakesTheStoredDefaults()
{
    const CLogFont storedFont = Font("Monospace", -16, 700);
    QVERIFY(GetSettings().SetStickyColors(StoredBack, StoredText));
    QVERIFY(GetSettings().SetStickyFont(storedFont));

    Click(*m_dialog, "useDefaultsButton");

    ShowsThenReturns(StoredBack, StoredText, storedFont);
}

void TestStickyLook::useDefaultsWithNothingStoredKeepsOpeningColors()
{
    m_colorAnswers = {PickedColor, PickedColor};
    Click(*m_dialog, "textColorButton");
    Click(*m_dialog, "backColorButton");

    Click(*m_dialog, "useDefaultsButton");

    ShowsThenReturns(OpeningBack, OpeningText,
                     LogFontFromFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont)));
}

void TestStickyLook::cancelLeavesTheCallersLook()
{
    m_colorAnswers = {PickedColor, PickedColor};
    m_fontAnswers = {FontFromLogFont(Font("Serif", -24, 700))};
    Click(*m_dialog, "textColorButton");
    Click(*m_dialog, "backColorButton");
    Click(*m_dialog, "fontButton");

    Click(*m_dialog, "cancelButton");

    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    MembersUntouched();
}

QTEST_MAIN(TestStickyLook)
#include "tst_stickylook.moc"
