#include "FindWidget.h"
#include "TestHome.h"
#include "base/Settings.h"
#include "model/AccountFakes.h"
#include "preferences/PreferencesSheet.h"
#include "preferences/RemindersPage.h"
#include "shell/AutostartEntry.h"
#include "stickies/StickyLookDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <memory>

namespace
{
constexpr quint32 Red = 0x000000FF;
constexpr quint32 Unset = 0xFFFFFFFF;

// A check box takes clicks on its box and text only, not on the rest of its row.
void ClickCheck(QCheckBox& check)
{
    QTest::mouseClick(&check, Qt::LeftButton, {}, QPoint(6, check.height() / 2));
}
} // namespace

class TestPreferences : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void generalPageShowsAndStoresTheInterval_data();
    void generalPageShowsAndStoresTheInterval();
    void letterInTheIntervalMakesItZero();
    void intervalTextIsReadAsMinutes_data();
    void intervalTextIsReadAsMinutes();
    void onlyVisitedPagesAreStored();
    void uncheckedMailAddressIsStoredEmpty();
    void stickyLookIsStoredEvenWhenTheSheetIsCancelled();
    void stickySettingsReachTheOpenNotes_data();
    void stickySettingsReachTheOpenNotes();
    void startAtLoginWritesAndRemovesTheEntry();
    void browsedSoundIsStoredOnlyWhenChecked_data();
    void browsedSoundIsStoredOnlyWhenChecked();

private:
    void OpenSheet();
    void ShowTab(const QString& caption);
    void Press(QDialogButtonBox::StandardButton which);
    template <typename W>
    W& Control(const char* name)
    {
        return Find<W>(*m_sheet, name);
    }

    CTestHome m_home;
    CFakeStickyHost m_stickies;
    QList<quint32> m_periods;
    std::unique_ptr<CPreferencesSheet> m_sheet;
};

void TestPreferences::init()
{
    m_stickies = CFakeStickyHost();
    m_periods.clear();
    CSettings& settings = GetSettings();
    settings.SetAutoSaveInterval(0);
    settings.SetMailTo(QString());
    settings.SetReminderSound(QString());
    settings.SetStickyOnTop(false);
    settings.SetHoverSticky(true);
    settings.SetBorderlessSticky(true);
}

void TestPreferences::cleanup()
{
    m_sheet.reset();
}

void TestPreferences::OpenSheet()
{
    m_sheet = std::make_unique<CPreferencesSheet>(&m_stickies, [this](quint32 milliseconds)
                                                  { m_periods.append(milliseconds); });
    m_sheet->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_sheet.get()));
}

void TestPreferences::ShowTab(const QString& caption)
{
    QTabBar* tabs = m_sheet->findChild<QTabBar*>();
    for (int i = 0; i < tabs->count(); ++i)
    {
        if (tabs->tabText(i) == caption)
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(i).center());
    }
    QCOMPARE(tabs->tabText(tabs->currentIndex()), caption);
}

void TestPreferences::Press(QDialogButtonBox::StandardButton which)
{
    QPushButton* button = m_sheet->findChild<QDialogButtonBox*>()->button(which);
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

void TestPreferences::generalPageShowsAndStoresTheInterval_data()
{
    QTest::addColumn<quint32>("stored");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<quint32>("storedAfterOk");

    QTest::newRow("two minutes") << quint32(120000) << true << "2" << quint32(120000);
    QTest::newRow("rounded down") << quint32(90000) << true << "1" << quint32(60000);
    QTest::newRow("off") << quint32(0) << false << "" << quint32(0);
}

void TestPreferences::generalPageShowsAndStoresTheInterval()
{
    QFETCH(quint32, stored);
    QFETCH(bool, checked);
    QFETCH(QString, shown);
    QFETCH(quint32, storedAfterOk);
    GetSettings().SetAutoSaveInterval(stored);
    OpenSheet();
    QCOMPARE(Control<QCheckBox>("autoSaveCheck").isChecked(), checked);
    QCOMPARE(Control<QLineEdit>("intervalEdit").text(), shown);
    QCOMPARE(Control<QLineEdit>("intervalEdit").isEnabled(), checked);
    // The sticky settings show whatever auto-save does.
    QVERIFY(Control<QCheckBox>("hoverCheck").isChecked());
    QVERIFY(!Control<QCheckBox>("borderCheck").isChecked());
    Press(QDialogButtonBox::Ok);
    QCOMPARE(GetSettings().GetAutoSaveInterval(), storedAfterOk);
    QCOMPARE(m_periods, QList<quint32>{storedAfterOk});
}

void TestPreferences::letterInTheIntervalMakesItZero()
{
    GetSettings().SetAutoSaveInterval(120000);
    OpenSheet();
    auto& edit = Control<QLineEdit>("intervalEdit");
    edit.clear();
    QTest::keyClick(&edit, Qt::Key_5);
    QCOMPARE(edit.text(), QStringLiteral("5"));
    QVERIFY(Control<QPushButton>("applyButton").isEnabled());
    QTest::keyClick(&edit, Qt::Key_M);
    QCOMPARE(edit.text(), QStringLiteral("0"));
}

void TestPreferences::intervalTextIsReadAsMinutes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<quint32>("interval");

    QTest::newRow("plain") << "15" << quint32(900000);
    QTest::newRow("blanks and sign") << " +3" << quint32(180000);
    QTest::newRow("fraction counts to its point") << "2.9" << quint32(120000);
    QTest::newRow("negative") << "-4" << quint32(0);
    QTest::newRow("empty") << "" << quint32(0);
    // The timer counts milliseconds in 31 bits; a longer period would stop it.
    QTest::newRow("too long") << "99999999" << quint32(35791 * 60000);
}

void TestPreferences::intervalTextIsReadAsMinutes()
{
    QFETCH(QString, text);
    QFETCH(quint32, interval);
    QCOMPARE(CGeneralPage::IntervalFromText(text), interval);
}

// Unchecked, the box still holds its number, yet auto-save is off.
void TestPreferences::onlyVisitedPagesAreStored()
{
    GetSettings().SetAutoSaveInterval(120000);
    GetSettings().SetMailTo(QStringLiteral("me@example.org"));
    GetSettings().SetReminderSound(QStringLiteral("/sounds/bell.wav"));
    OpenSheet();
    ClickCheck(Control<QCheckBox>("autoSaveCheck"));
    QVERIFY(!Control<QLineEdit>("intervalEdit").isEnabled());
    QCOMPARE(Control<QLineEdit>("intervalEdit").text(), QStringLiteral("2"));
    Press(QDialogButtonBox::Ok);
    QCOMPARE(GetSettings().GetAutoSaveInterval(), quint32(0));
    QCOMPARE(GetSettings().GetMailTo(), QStringLiteral("me@example.org"));
    QCOMPARE(GetSettings().GetReminderSound(), QStringLiteral("/sounds/bell.wav"));
}

void TestPreferences::uncheckedMailAddressIsStoredEmpty()
{
    GetSettings().SetMailTo(QStringLiteral("me@example.org"));
    OpenSheet();
    ShowTab(QStringLiteral("Mail"));
    QVERIFY(Control<QCheckBox>("sendToCheck").isChecked());
    QVERIFY(Control<QLineEdit>("toEdit").isEnabled());
    ClickCheck(Control<QCheckBox>("sendToCheck"));
    QVERIFY(!Control<QLineEdit>("toEdit").isEnabled());
    Press(QDialogButtonBox::Ok);
    QCOMPARE(GetSettings().GetMailTo(), QString());
}

void TestPreferences::stickyLookIsStoredEvenWhenTheSheetIsCancelled()
{
    OpenSheet();
    WhenModalShown<CStickyLookDlg>(
        [](CStickyLookDlg& look)
        {
            look.m_pickColor = [](QWidget*)
            {
                return QColor(Qt::red);
            };
            QTest::mouseClick(&Find<QPushButton>(look, "backColorButton"), Qt::LeftButton);
            QTest::keyClick(&look, Qt::Key_Return);
        });
    QTest::mouseClick(&Control<QPushButton>("stickyLookButton"), Qt::LeftButton);
    Press(QDialogButtonBox::Cancel);
    quint32 back = Unset;
    quint32 text = Unset;
    QVERIFY(GetSettings().GetStickyColors(back, text));
    QCOMPARE(back, Red);
    QCOMPARE(m_periods, QList<quint32>());
}

void TestPreferences::stickySettingsReachTheOpenNotes_data()
{
    QTest::addColumn<bool>("toggleOnTop");
    QTest::newRow("on top changed") << true;
    QTest::newRow("on top unchanged") << false;
}

// The notes' frames are painted again either way, for a changed border.
void TestPreferences::stickySettingsReachTheOpenNotes()
{
    QFETCH(bool, toggleOnTop);
    m_stickies.m_bOnTop = false;
    OpenSheet();
    ClickCheck(Control<QCheckBox>("borderCheck"));
    if (toggleOnTop)
        ClickCheck(Control<QCheckBox>("onTopCheck"));
    Press(QDialogButtonBox::Apply);
    QVERIFY(m_sheet->isVisible());
    QVERIFY(!Control<QPushButton>("applyButton").isEnabled());
    QCOMPARE(m_stickies.m_bOnTop, toggleOnTop);
    QCOMPARE(GetSettings().GetStickyOnTop(), toggleOnTop);
    QVERIFY(!GetSettings().GetBorderlessSticky());
    QCOMPARE(m_stickies.m_nFrameRedraws, 1);
}

void TestPreferences::startAtLoginWritesAndRemovesTheEntry()
{
    QVERIFY(CAutostartEntry::Path().startsWith(m_home.Path(QStringLiteral("config"))));
    OpenSheet();
    QVERIFY(!Control<QCheckBox>("autostartCheck").isChecked());
    ClickCheck(Control<QCheckBox>("autostartCheck"));
    Press(QDialogButtonBox::Ok);
    QFile entry(CAutostartEntry::Path());
    QVERIFY(entry.open(QIODevice::ReadOnly));
    const QByteArray text = entry.readAll();
    QVERIFY(text.startsWith("[Desktop Entry]\n"));
    QVERIFY(text.contains("\nExec=\"" + QCoreApplication::applicationFilePath().toUtf8() + "\"\n"));

    OpenSheet();
    QVERIFY(Control<QCheckBox>("autostartCheck").isChecked());
    ClickCheck(Control<QCheckBox>("autostartCheck"));
    Press(QDialogButtonBox::Ok);
    QVERIFY(!QFileInfo::exists(CAutostartEntry::Path()));
}

void TestPreferences::browsedSoundIsStoredOnlyWhenChecked_data()
{
    QTest::addColumn<bool>("check");
    QTest::addColumn<QString>("stored");
    QTest::newRow("checked") << true << "/sounds/gong.wav";
    QTest::newRow("unchecked") << false << "";
}

void TestPreferences::browsedSoundIsStoredOnlyWhenChecked()
{
    QFETCH(bool, check);
    QFETCH(QString, stored);
    OpenSheet();
    ShowTab(QStringLiteral("Reminders"));
    auto* page = m_sheet->findChild<CRemindersPage*>();
    page->m_pickFile = [](QWidget*)
    {
        return QStringLiteral("/sounds/gong.wav");
    };
    QVERIFY(!Control<QPushButton>("browseButton").isEnabled());
    ClickCheck(Control<QCheckBox>("playSoundCheck"));
    QTest::mouseClick(&Control<QPushButton>("browseButton"), Qt::LeftButton);
    QCOMPARE(Control<QLineEdit>("soundEdit").text(), QStringLiteral("/sounds/gong.wav"));
    if (!check)
        ClickCheck(Control<QCheckBox>("playSoundCheck"));
    Press(QDialogButtonBox::Ok);
    QCOMPARE(GetSettings().GetReminderSound(), stored);
}

QTEST_MAIN(TestPreferences)
#include "tst_preferences.moc"
