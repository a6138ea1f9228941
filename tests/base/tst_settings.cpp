#include "base/DefaultFont.h"
#include "base/RegistryKey.h"
#include "base/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <utility>

using StringGetter = QString (CSettings::*)();
using StringSetter = bool (CSettings::*)(const QString&);
using FlagGetter = bool (CSettings::*)();
using FlagSetter = bool (CSettings::*)(bool);

char* toString(const CRect32& rect)
{
    return QTest::toString(QStringLiteral("(%1, %2, %3, %4)")
                               .arg(rect.left)
                               .arg(rect.top)
                               .arg(rect.right)
                               .arg(rect.bottom));
}

char* toString(const CLogFont& font)
{
    return QTest::toString(font.ToRecord().toHex());
}

namespace
{
constexpr quint32 DefaultAutoSaveInterval = 120000;

// Reads and writes the store by the exact value names a user or another program would see.
std::unique_ptr<QSettings> OpenRawStore()
{
    auto store = std::make_unique<QSettings>(QStringLiteral("Quorvex"), QStringLiteral("Vemo"));
    store->setFallbacksEnabled(false);
    return store;
}

QVariant ReadRaw(const QString& key)
{
    const auto store = OpenRawStore();
    return store->value(key);
}

bool RawContains(const QString& key)
{
    const auto store = OpenRawStore();
    return store->contains(key);
}

QStringList RawKeys()
{
    const auto store = OpenRawStore();
    return store->allKeys();
}

void WriteRaw(const QString& key, const QVariant& value)
{
    const auto store = OpenRawStore();
    store->setValue(key, value);
}

void WriteRawGeometry(qint32 x, qint32 y, qint32 width, qint32 height)
{
    WriteRaw(QStringLiteral("Settings/Windows/MainWindowX"), x);
    WriteRaw(QStringLiteral("Settings/Windows/MainWindowY"), y);
    WriteRaw(QStringLiteral("Settings/Windows/MainWindowWidth"), width);
    WriteRaw(QStringLiteral("Settings/Windows/MainWindowHeight"), height);
}

QString StoreFileName()
{
    const auto store = OpenRawStore();
    return store->fileName();
}

// A folder where the store's file belongs: neither reading nor writing gets through, even for
// root, which file permissions would not stop.
bool BreakStore()
{
    return QDir().mkpath(StoreFileName());
}

bool RepairStore()
{
    return QDir(StoreFileName()).removeRecursively();
}

CLogFont SampleFont()
{
    CLogFont font;
    font.lfHeight = -13;
    font.lfWeight = 700;
    font.lfItalic = 1;
    font.lfCharSet = 238;
    font.lfPitchAndFamily = 0x31;
    font.SetFaceName(QStringLiteral("Courier New"));
    return font;
}

CLogFont DefaultFont()
{
    CLogFont font;
    GetDefaultFont(font);
    return font;
}

struct StringSetting
{
    const char* name;
    StringGetter getter;
    StringSetter setter;
    QString rawKey;
};

const StringSetting StringSettings[] = {
    {"DefaultAccount", &CSettings::GetDefaultAccount, &CSettings::SetDefaultAccount,
     QStringLiteral("DefaultAccount")},
    {"Mail To", &CSettings::GetMailTo, &CSettings::SetMailTo,
     QStringLiteral("Preferences/Mail/Mail To")},
    {"Mail From", &CSettings::GetMailFrom, &CSettings::SetMailFrom,
     QStringLiteral("Preferences/Mail/Mail From")},
    {"Addendum", &CSettings::GetAddendum, &CSettings::SetAddendum,
     QStringLiteral("Preferences/Mail/Addendum")},
    {"Reminder Sound", &CSettings::GetReminderSound, &CSettings::SetReminderSound,
     QStringLiteral("Preferences/Reminders/Reminder Sound")},
};

struct FlagSetting
{
    const char* name;
    FlagGetter getter;
    FlagSetter setter;
    QString rawKey;
    bool absentValue;
};

const FlagSetting FlagSettings[] = {
    {"StickyOnTop", &CSettings::GetStickyOnTop, &CSettings::SetStickyOnTop,
     QStringLiteral("Preferences/General/StickyOnTop"), false},
    {"HoverSticky", &CSettings::GetHoverSticky, &CSettings::SetHoverSticky,
     QStringLiteral("Preferences/General/HoverSticky"), true},
    {"BorderlessSticky", &CSettings::GetBorderlessSticky, &CSettings::SetBorderlessSticky,
     QStringLiteral("Preferences/General/BorderlessSticky"), true},
};
} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstRunGivesEveryDefault();
    void stringSettingRoundTripsWhole_data();
    void stringSettingRoundTripsWhole();
    void autoSaveIntervalRoundTrips_data();
    void autoSaveIntervalRoundTrips();
    void negativeAutoSaveIntervalIsOff_data();
    void negativeAutoSaveIntervalIsOff();
    void flagReadsAnyNonZeroAsSet_data();
    void flagReadsAnyNonZeroAsSet();
    void flagSetterStoresOneOrZero_data();
    void flagSetterStoresOneOrZero();
    void flagIsReadOnceAndCached_data();
    void flagIsReadOnceAndCached();
    void stickyColorsNeedBothValues_data();
    void stickyColorsNeedBothValues();
    void stickyColorsAreStoredUnderTheirNames();
    void stickyFontIsStoredAsRecord();
    void stickyFontOfOtherSize_data();
    void stickyFontOfOtherSize();
    void placementIsStoredUnderItsNames_data();
    void placementIsStoredUnderItsNames();
    void placementWithZeroGeometryKeepsCallerDefaults();
    void placementWithoutVisibilityKeepsCallerDefault_data();
    void placementWithoutVisibilityKeepsCallerDefault();
    void laterLoadsUseCachedPlacement_data();
    void laterLoadsUseCachedPlacement();
    void unopenableStoreLeavesCallerValues();
    void unopenableStoreTakesNoWrites();
    void organisationWideValuesStayOut();
    void keyOpensOnlyBelowTheProgramRoot();
    void processWideStoreReadsTheUserStore();

private:
    bool Restart();

    std::unique_ptr<QTemporaryDir> m_storeDir;
};

// Qt keeps what this process wrote in memory, so the store file moves to a new folder: there the
// next reader takes every value from the file's text, as the program's next run would.
bool TestSettings::Restart()
{
    const QString written = StoreFileName();
    auto next = std::make_unique<QTemporaryDir>();
    const QString moved = next->filePath(QDir(m_storeDir->path()).relativeFilePath(written));
    if (!QDir().mkpath(QFileInfo(moved).path()) || !QFile::copy(written, moved))
        return false;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, next->path());
    m_storeDir = std::move(next);
    return true;
}

void TestSettings::init()
{
    m_storeDir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_storeDir->isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_storeDir->path());
}

void TestSettings::cleanup()
{
    m_storeDir.reset();
}

void TestSettings::firstRunGivesEveryDefault()
{
    CSettings settings;
    QCOMPARE(settings.GetDefaultAccount(), QString());
    QCOMPARE(settings.GetAutoSaveInterval(), DefaultAutoSaveInterval);
    QCOMPARE(settings.GetStickyOnTop(), false);
    QCOMPARE(settings.GetHoverSticky(), true);
    QCOMPARE(settings.GetBorderlessSticky(), true);
    QCOMPARE(settings.GetMailTo(), QString());
    QCOMPARE(settings.GetMailFrom(), QString());
    QCOMPARE(settings.GetAddendum(), QString());
    QCOMPARE(settings.GetReminderSound(), QString());

    quint32 back = 0x00010203;
    quint32 text = 0x00040506;
    QVERIFY(!settings.GetStickyColors(back, text));
    QCOMPARE(back, 0x00010203u);
    QCOMPARE(text, 0x00040506u);

    CLogFont font = SampleFont();
    QVERIFY(settings.GetStickyFont(font));
    QCOMPARE(font, DefaultFont());

    CRect32 rect{.left = 1, .top = 2, .right = 3, .bottom = 4};
    bool showing = true;
    QVERIFY(!settings.LoadWindowPlacement(rect, showing));
    QCOMPARE(rect, (CRect32{.left = 1, .top = 2, .right = 3, .bottom = 4}));
    QCOMPARE(showing, true);
}

void TestSettings::stringSettingRoundTripsWhole_data()
{
    QTest::addColumn<StringGetter>("getter");
    QTest::addColumn<StringSetter>("setter");
    QTest::addColumn<QString>("rawKey");
    QTest::addColumn<QString>("text");
    const std::pair<const char*, QString> texts[] = {
        {"long path", QStringLiteral("C:\\Accounts\\") + QString(1000, u'x')},
        {"path with blanks and wide letters",
         QStringLiteral("C:\\Users\\Smith, John\\@Vemo\\Zo\u00eb \u6771\u4eac.wav")},
        {"quotes and line break",
         QStringLiteral("  first line\r\nsecond line = \"quoted\"; ; #  ")},
        {"empty", QString()},
    };
    for (const StringSetting& setting : StringSettings)
    {
        for (const auto& [textName, text] : texts)
            QTest::addRow("%s, %s", setting.name, textName)
                << setting.getter << setting.setter << setting.rawKey << text;
    }
}

void TestSettings::stringSettingRoundTripsWhole()
{
    QFETCH(StringGetter, getter);
    QFETCH(StringSetter, setter);
    QFETCH(QString, rawKey);
    QFETCH(QString, text);

    // Each text replaces an earlier value; the empty text must replace it, not remove it.
    QVERIFY((CSettings().*setter)(QStringLiteral("earlier")));
    QVERIFY(Restart());
    CSettings writer;
    QVERIFY((writer.*setter)(text));
    QVERIFY(Restart());
    QVERIFY(RawContains(rawKey));
    QCOMPARE(ReadRaw(rawKey).toString(), text);

    CSettings reader;
    QCOMPARE((reader.*getter)(), text);
}

void TestSettings::autoSaveIntervalRoundTrips_data()
{
    QTest::addColumn<quint32>("interval");
    QTest::newRow("off") << 0u;
    QTest::newRow("five minutes") << 300000u;
}

void TestSettings::autoSaveIntervalRoundTrips()
{
    QFETCH(quint32, interval);
    QVERIFY(CSettings().SetAutoSaveInterval(interval));
    QVERIFY(Restart());
    QCOMPARE(ReadRaw(QStringLiteral("Preferences/General/AutoSave Interval")).toUInt(), interval);
    QCOMPARE(CSettings().GetAutoSaveInterval(), interval);
}

void TestSettings::negativeAutoSaveIntervalIsOff_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<quint32>("interval");
    QTest::newRow("-1 typed in") << QVariant(-1) << 0u;
    QTest::newRow("-1 as 32 bits") << QVariant(0xFFFFFFFFu) << 0u;
    QTest::newRow("most negative") << QVariant(-2147483647 - 1) << 0u;
    QTest::newRow("longest") << QVariant(2147483647) << 2147483647u;
}

void TestSettings::negativeAutoSaveIntervalIsOff()
{
    QFETCH(QVariant, stored);
    QFETCH(quint32, interval);
    WriteRaw(QStringLiteral("Preferences/General/AutoSave Interval"), stored);
    QCOMPARE(CSettings().GetAutoSaveInterval(), interval);
}

static void AddFlagColumns()
{
    QTest::addColumn<FlagGetter>("getter");
    QTest::addColumn<FlagSetter>("setter");
    QTest::addColumn<QString>("rawKey");
    QTest::addColumn<bool>("absentValue");
    for (const FlagSetting& flag : FlagSettings)
        QTest::newRow(flag.name) << flag.getter << flag.setter << flag.rawKey << flag.absentValue;
}

void TestSettings::flagReadsAnyNonZeroAsSet_data()
{
    QTest::addColumn<FlagGetter>("getter");
    QTest::addColumn<QString>("rawKey");
    QTest::addColumn<int>("stored");
    for (const FlagSetting& flag : FlagSettings)
    {
        for (const int stored : {0, 1, 5, -1})
            QTest::addRow("%s %d", flag.name, stored) << flag.getter << flag.rawKey << stored;
    }
}

void TestSettings::flagReadsAnyNonZeroAsSet()
{
    QFETCH(FlagGetter, getter);
    QFETCH(QString, rawKey);
    QFETCH(int, stored);
    WriteRaw(rawKey, stored);
    QVERIFY(Restart());
    CSettings settings;
    QCOMPARE((settings.*getter)(), stored != 0);
}

void TestSettings::flagSetterStoresOneOrZero_data()
{
    AddFlagColumns();
}

void TestSettings::flagSetterStoresOneOrZero()
{
    QFETCH(FlagGetter, getter);
    QFETCH(FlagSetter, setter);
    QFETCH(QString, rawKey);

    WriteRaw(rawKey, 5);
    CSettings settings;
    QVERIFY((settings.*getter)());
    QVERIFY((settings.*setter)(true));
    QCOMPARE(ReadRaw(rawKey).toInt(), 1);
    QVERIFY((settings.*setter)(false));
    QCOMPARE(ReadRaw(rawKey).toInt(), 0);
    QCOMPARE((settings.*getter)(), false);
}

void TestSettings::flagIsReadOnceAndCached_data()
{
    AddFlagColumns();
}

void TestSettings::flagIsReadOnceAndCached()
{
    QFETCH(FlagGetter, getter);
    QFETCH(QString, rawKey);
    QFETCH(bool, absentValue);

    CSettings settings;
    QCOMPARE((settings.*getter)(), absentValue);
    WriteRaw(rawKey, absentValue ? 0 : 1);
    QCOMPARE((settings.*getter)(), absentValue);
}

void TestSettings::stickyColorsNeedBothValues_data()
{
    QTest::addColumn<bool>("backStored");
    QTest::addColumn<bool>("textStored");
    QTest::newRow("both") << true << true;
    QTest::newRow("background only") << true << false;
    QTest::newRow("text only") << false << true;
}

void TestSettings::stickyColorsNeedBothValues()
{
    QFETCH(bool, backStored);
    QFETCH(bool, textStored);
    if (backStored)
        WriteRaw(QStringLiteral("Preferences/General/Sticky Background Color"), 0x00112233);
    if (textStored)
        WriteRaw(QStringLiteral("Preferences/General/Sticky Foreground Color"), 0x00445566);
    QVERIFY(Restart());

    quint32 back = 0x00AAAAAA;
    quint32 text = 0x00BBBBBB;
    const bool found = backStored && textStored;
    QCOMPARE(CSettings().GetStickyColors(back, text), found);
    QCOMPARE(back, found ? 0x00112233u : 0x00AAAAAAu);
    QCOMPARE(text, found ? 0x00445566u : 0x00BBBBBBu);
}

void TestSettings::stickyColorsAreStoredUnderTheirNames()
{
    QVERIFY(CSettings().SetStickyColors(0x0080FFFF, 0x00FFFFFF));
    QVERIFY(Restart());
    QCOMPARE(ReadRaw(QStringLiteral("Preferences/General/Sticky Background Color")).toUInt(),
             0x0080FFFFu);
    QCOMPARE(ReadRaw(QStringLiteral("Preferences/General/Sticky Foreground Color")).toUInt(),
             0x00FFFFFFu);
}

void TestSettings::stickyFontIsStoredAsRecord()
{
    QVERIFY(CSettings().SetStickyFont(SampleFont()));
    QVERIFY(Restart());
    const QByteArray record =
        ReadRaw(QStringLiteral("Preferences/General/Sticky Font")).toByteArray();
    QCOMPARE(record.size(), CLogFont::RecordSize);
    QCOMPARE(record, SampleFont().ToRecord());

    CLogFont font;
    QVERIFY(CSettings().GetStickyFont(font));
    QCOMPARE(font, SampleFont());
}

void TestSettings::stickyFontOfOtherSize_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<CLogFont>("expected");

    CLogFont taller = SampleFont();
    taller.lfHeight = -20;
    QTest::newRow("first field only") << QByteArray::fromHex("ecffffff") << taller;
    QTest::newRow("longer than a record")
        << QByteArray(CLogFont::RecordSize + 1, '\x01') << DefaultFont();
}

// A shorter value overlays the caller's record; a longer one does not fit and reads as absent.
void TestSettings::stickyFontOfOtherSize()
{
    QFETCH(QByteArray, stored);
    QFETCH(CLogFont, expected);
    WriteRaw(QStringLiteral("Preferences/General/Sticky Font"), stored);
    QVERIFY(Restart());

    CLogFont font = SampleFont();
    QVERIFY(CSettings().GetStickyFont(font));
    QCOMPARE(font, expected);
}

void TestSettings::placementIsStoredUnderItsNames_data()
{
    QTest::addColumn<bool>("showing");
    QTest::newRow("visible") << true;
    QTest::newRow("hidden to the tray") << false;
}

void TestSettings::placementIsStoredUnderItsNames()
{
    QFETCH(bool, showing);
    // A maximised window's edges lie just off the screen.
    const CRect32 rect{.left = -8, .top = -8, .right = 1928, .bottom = 1048};
    CSettings().SaveWindowPlacement(rect, showing);
    QVERIFY(Restart());

    QCOMPARE(ReadRaw(QStringLiteral("Settings/Windows/MainWindowX")).toInt(), -8);
    QCOMPARE(ReadRaw(QStringLiteral("Settings/Windows/MainWindowY")).toInt(), -8);
    QCOMPARE(ReadRaw(QStringLiteral("Settings/Windows/MainWindowWidth")).toInt(), 1936);
    QCOMPARE(ReadRaw(QStringLiteral("Settings/Windows/MainWindowHeight")).toInt(), 1056);
    QCOMPARE(ReadRaw(QStringLiteral("Settings/Windows/MainWindowShowing")).toInt(),
             showing ? 1 : 0);

    CRect32 loaded;
    bool loadedShowing = !showing;
    QVERIFY(CSettings().LoadWindowPlacement(loaded, loadedShowing));
    QCOMPARE(loaded, rect);
    QCOMPARE(loadedShowing, showing);
}

void TestSettings::placementWithZeroGeometryKeepsCallerDefaults()
{
    WriteRawGeometry(0, 0, 0, 0);
    WriteRaw(QStringLiteral("Settings/Windows/MainWindowShowing"), 0);
    QVERIFY(Restart());

    CSettings settings;
    const CRect32 defaults{.left = 100, .top = 100, .right = 740, .bottom = 580};
    CRect32 rect = defaults;
    bool showing = true;
    QVERIFY(!settings.LoadWindowPlacement(rect, showing));
    QCOMPARE(rect, defaults);
    QCOMPARE(showing, true);

    // Nothing was cached, so a placement stored later is found.
    WriteRawGeometry(10, 20, 300, 200);
    QVERIFY(settings.LoadWindowPlacement(rect, showing));
    QCOMPARE(rect, (CRect32{.left = 10, .top = 20, .right = 310, .bottom = 220}));
    QCOMPARE(showing, false);
}

void TestSettings::placementWithoutVisibilityKeepsCallerDefault_data()
{
    QTest::addColumn<bool>("callerShowing");
    QTest::newRow("caller shows") << true;
    QTest::newRow("caller hides") << false;
}

void TestSettings::placementWithoutVisibilityKeepsCallerDefault()
{
    QFETCH(bool, callerShowing);
    WriteRawGeometry(10, 20, 300, 200);
    QVERIFY(Restart());

    CRect32 rect;
    bool showing = callerShowing;
    QVERIFY(CSettings().LoadWindowPlacement(rect, showing));
    QCOMPARE(rect, (CRect32{.left = 10, .top = 20, .right = 310, .bottom = 220}));
    QCOMPARE(showing, callerShowing);
}

void TestSettings::laterLoadsUseCachedPlacement_data()
{
    QTest::addColumn<bool>("savedFirst");
    QTest::newRow("after a load") << false;
    QTest::newRow("after a save") << true;
}

void TestSettings::laterLoadsUseCachedPlacement()
{
    QFETCH(bool, savedFirst);
    const CRect32 first{.left = 10, .top = 20, .right = 410, .bottom = 320};
    CSettings settings;
    CRect32 rect;
    bool showing = true;
    if (savedFirst)
    {
        settings.SaveWindowPlacement(first, false);
    }
    else
    {
        WriteRawGeometry(10, 20, 400, 300);
        WriteRaw(QStringLiteral("Settings/Windows/MainWindowShowing"), 0);
        QVERIFY(settings.LoadWindowPlacement(rect, showing));
    }

    // Changed behind the store's back: this run keeps its first placement.
    WriteRawGeometry(50, 60, 700, 500);
    WriteRaw(QStringLiteral("Settings/Windows/MainWindowShowing"), 1);
    rect = CRect32();
    showing = true;
    QVERIFY(settings.LoadWindowPlacement(rect, showing));
    QCOMPARE(rect, first);
    QCOMPARE(showing, false);
}

void TestSettings::unopenableStoreLeavesCallerValues()
{
    QVERIFY(BreakStore());
    CSettings settings;

    quint32 back = 0x00010203;
    quint32 text = 0x00040506;
    QVERIFY(!settings.GetStickyColors(back, text));
    QCOMPARE(back, 0x00010203u);
    QCOMPARE(text, 0x00040506u);

    CLogFont font = SampleFont();
    QVERIFY(!settings.GetStickyFont(font));
    QCOMPARE(font, SampleFont());

    const CRect32 defaults{.left = 1, .top = 2, .right = 3, .bottom = 4};
    CRect32 rect = defaults;
    bool showing = false;
    QVERIFY(settings.LoadWindowPlacement(rect, showing));
    QCOMPARE(rect, defaults);
    QCOMPARE(showing, false);

    QCOMPARE(settings.GetDefaultAccount(), QString());
    QCOMPARE(settings.GetAutoSaveInterval(), DefaultAutoSaveInterval);
    QCOMPARE(settings.GetMailTo(), QString());
    QCOMPARE(settings.GetReminderSound(), QString());

    // Unread flags count as set, and are asked for again once the store can be opened.
    QCOMPARE(settings.GetStickyOnTop(), true);
    QVERIFY(RepairStore());
    QCOMPARE(settings.GetStickyOnTop(), false);
}

void TestSettings::unopenableStoreTakesNoWrites()
{
    QVERIFY(BreakStore());
    CSettings settings;
    const CRect32 placed{.left = 10, .top = 20, .right = 410, .bottom = 320};
    settings.SaveWindowPlacement(placed, false);
    QVERIFY(!settings.SetDefaultAccount(QStringLiteral("C:\\Vemo\\Home")));
    QVERIFY(!settings.SetStickyColors(1, 2));
    QVERIFY(!settings.SetStickyFont(SampleFont()));
    QVERIFY(!settings.SetAutoSaveInterval(0));
    QVERIFY(!settings.SetStickyOnTop(true));
    QVERIFY(!settings.SetHoverSticky(false));
    QVERIFY(!settings.SetBorderlessSticky(false));
    QVERIFY(!settings.SetMailTo(QStringLiteral("a@example.org")));
    QVERIFY(!settings.SetMailFrom(QStringLiteral("A")));
    QVERIFY(!settings.SetAddendum(QStringLiteral("B")));
    QVERIFY(!settings.SetReminderSound(QStringLiteral("C")));
    QVERIFY(RepairStore());

    QCOMPARE(RawKeys(), QStringList());
    // A refused flag write leaves the flag unread; the placement and the account path are
    // cached before their writes are tried.
    QCOMPARE(settings.GetStickyOnTop(), false);
    QCOMPARE(settings.GetHoverSticky(), true);
    CRect32 rect;
    bool showing = true;
    QVERIFY(settings.LoadWindowPlacement(rect, showing));
    QCOMPARE(rect, placed);
    QCOMPARE(showing, false);
    QCOMPARE(settings.GetDefaultAccount(), QStringLiteral("C:\\Vemo\\Home"));
}

void TestSettings::organisationWideValuesStayOut()
{
    QSettings organisation(QStringLiteral("Quorvex"));
    organisation.setValue(QStringLiteral("Preferences/Mail/Mail To"),
                          QStringLiteral("everyone@example.org"));
    organisation.sync();
    QCOMPARE(CSettings().GetMailTo(), QString());
}

void TestSettings::keyOpensOnlyBelowTheProgramRoot()
{
    WriteRaw(QStringLiteral("Settings/Windows/MainWindowX"), 5);
    CRegistryKey key;
    quint32 value = 7;
    QVERIFY(!key.Open(u"Software\\Other\\Vemo\\Settings\\Windows"));
    QVERIFY(!key.GetDword(u"MainWindowX", value));
    QCOMPARE(value, 7u);

    QVERIFY(key.Open(u"Software\\Quorvex\\Vemo\\Settings\\Windows"));
    QVERIFY(key.GetDword(u"MainWindowX", value));
    QCOMPARE(value, 5u);

    key.Close();
    value = 7;
    QVERIFY(!key.GetDword(u"MainWindowX", value));
    QCOMPARE(value, 7u);
}

void TestSettings::processWideStoreReadsTheUserStore()
{
    WriteRaw(QStringLiteral("Preferences/Mail/Mail To"), QStringLiteral("user@example.org"));
    QCOMPARE(GetSettings().GetMailTo(), QStringLiteral("user@example.org"));
    QCOMPARE(&GetSettings(), &GetSettings());
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
