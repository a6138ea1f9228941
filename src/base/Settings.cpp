#include "Settings.h"

#include "DefaultFont.h"

namespace
{
constexpr QStringView RootKey = CRegistryKey::RootPath;
constexpr QStringView WindowsKey = u"Software\\Quorvex\\Vemo\\Settings\\Windows";
constexpr QStringView GeneralKey = u"Software\\Quorvex\\Vemo\\Preferences\\General";
constexpr QStringView MailKey = u"Software\\Quorvex\\Vemo\\Preferences\\Mail";
constexpr QStringView RemindersKey = u"Software\\Quorvex\\Vemo\\Preferences\\Reminders";

constexpr QStringView DefaultAccountName = u"DefaultAccount";
constexpr QStringView WindowXName = u"MainWindowX";
constexpr QStringView WindowYName = u"MainWindowY";
constexpr QStringView WindowWidthName = u"MainWindowWidth";
constexpr QStringView WindowHeightName = u"MainWindowHeight";
constexpr QStringView WindowShowingName = u"MainWindowShowing";
constexpr QStringView StickyBackName = u"Sticky Background Color";
constexpr QStringView StickyTextName = u"Sticky Foreground Color";
constexpr QStringView StickyFontName = u"Sticky Font";
constexpr QStringView AutoSaveIntervalName = u"AutoSave Interval";
constexpr QStringView StickyOnTopName = u"StickyOnTop";
constexpr QStringView HoverStickyName = u"HoverSticky";
constexpr QStringView WaylandNoticeShownName = u"WaylandNoticeShown";
constexpr QStringView BorderlessStickyName = u"BorderlessSticky";
constexpr QStringView MailToName = u"Mail To";
constexpr QStringView MailFromName = u"Mail From";
constexpr QStringView AddendumName = u"Addendum";
constexpr QStringView ReminderSoundName = u"Reminder Sound";

constexpr quint32 DefaultAutoSaveInterval = 120000;
} // namespace

template <typename Work>
bool CSettings::WithKey(QStringView path, Work&& work)
{
    if (!m_regKey.Open(path))
        return false;
    work(m_regKey);
    m_regKey.Close();
    return true;
}

QString CSettings::GetDefaultAccount()
{
    const bool opened = WithKey(RootKey, [this](const CRegistryKey& key)
                                { key.GetString(DefaultAccountName, m_strDefaultAccount); });
    return opened ? m_strDefaultAccount : QString();
}

bool CSettings::SetDefaultAccount(const QString& path)
{
    m_strDefaultAccount = path;
    return WriteString(RootKey, DefaultAccountName, path);
}

void CSettings::SaveWindowPlacement(const CRect32& rect, bool showing)
{
    // Cached first, so a store that cannot be written still keeps the placement for this run.
    m_rectWindow = rect;
    m_bWindowShowing = showing;
    WithKey(WindowsKey,
            [&rect, showing](CRegistryKey& key)
            {
                key.SetDword(WindowHeightName, static_cast<quint32>(rect.Height()));
                key.SetDword(WindowWidthName, static_cast<quint32>(rect.Width()));
                key.SetDword(WindowXName, static_cast<quint32>(rect.left));
                key.SetDword(WindowYName, static_cast<quint32>(rect.top));
                key.SetDword(WindowShowingName, showing ? 1 : 0);
            });
}

bool CSettings::LoadWindowPlacement(CRect32& rect, bool& showing)
{
    // Once a placement has been loaded or saved in this run, it is the one every activation uses.
    if (m_rectWindow.IsEmpty())
    {
        bool stored = false;
        const bool opened = WithKey(WindowsKey, [this, &stored, showing](const CRegistryKey& key)
                                    { stored = ReadWindowPlacement(key, showing); });
        if (!opened)
            return true;
        if (!stored)
            return false;
    }
    rect = m_rectWindow;
    showing = m_bWindowShowing;
    return true;
}

// False when no geometry has been stored yet. A missing visibility keeps the caller's default.
bool CSettings::ReadWindowPlacement(const CRegistryKey& key, bool callerShowing)
{
    quint32 height = 0;
    quint32 width = 0;
    quint32 x = 0;
    quint32 y = 0;
    quint32 visible = callerShowing ? 1 : 0;
    key.GetDword(WindowHeightName, height);
    key.GetDword(WindowWidthName, width);
    key.GetDword(WindowXName, x);
    key.GetDword(WindowYName, y);
    key.GetDword(WindowShowingName, visible);
    m_bWindowShowing = visible != 0;

    // Added as the unsigned 32-bit values they are stored as, so extreme values wrap instead of
    // overflowing.
    if (x + y + width + height == 0)
        return false;
    m_rectWindow = CRect32{.left = static_cast<qint32>(x),
                           .top = static_cast<qint32>(y),
                           .right = static_cast<qint32>(x + width),
                           .bottom = static_cast<qint32>(y + height)};
    return true;
}

bool CSettings::GetStickyColors(quint32& back, quint32& text)
{
    bool found = false;
    WithKey(GeneralKey,
            [&](const CRegistryKey& key)
            {
                quint32 storedBack = 0;
                quint32 storedText = 0;
                found = key.GetDword(StickyBackName, storedBack) &&
                        key.GetDword(StickyTextName, storedText);
                if (found)
                {
                    back = storedBack;
                    text = storedText;
                }
            });
    return found;
}

bool CSettings::SetStickyColors(quint32 back, quint32 text)
{
    return WithKey(GeneralKey,
                   [back, text](CRegistryKey& key)
                   {
                       key.SetDword(StickyBackName, back);
                       key.SetDword(StickyTextName, text);
                   });
}

bool CSettings::GetStickyFont(CLogFont& font)
{
    return WithKey(GeneralKey,
                   [&font](const CRegistryKey& key)
                   {
                       // A value longer than a record would not fit the record, so it reads as
                       // absent.
                       QByteArray record;
                       if (!key.GetBinary(StickyFontName, record) || !font.ReadRecord(record))
                           GetDefaultFont(font);
                   });
}

bool CSettings::SetStickyFont(const CLogFont& font)
{
    return WithKey(GeneralKey,
                   [&font](CRegistryKey& key) { key.SetBinary(StickyFontName, font.ToRecord()); });
}

quint32 CSettings::GetAutoSaveInterval()
{
    quint32 interval = DefaultAutoSaveInterval;
    WithKey(GeneralKey,
            [&interval](const CRegistryKey& key) { key.GetDword(AutoSaveIntervalName, interval); });
    // The period is a signed count: a negative one, typed into the settings file, means no
    // auto-save, not a timer of weeks.
    return static_cast<qint32>(interval) < 0 ? 0 : interval;
}

bool CSettings::SetAutoSaveInterval(quint32 milliseconds)
{
    return WithKey(GeneralKey, [milliseconds](CRegistryKey& key)
                   { key.SetDword(AutoSaveIntervalName, milliseconds); });
}

bool CSettings::GetWaylandNoticeShown()
{
    return ReadFlag(m_nWaylandNoticeShown, WaylandNoticeShownName, 0);
}

bool CSettings::SetWaylandNoticeShown(bool flag)
{
    return WriteFlag(m_nWaylandNoticeShown, WaylandNoticeShownName, flag);
}

bool CSettings::GetStickyOnTop()
{
    return ReadFlag(m_nStickyOnTop, StickyOnTopName, 0);
}

bool CSettings::SetStickyOnTop(bool flag)
{
    return WriteFlag(m_nStickyOnTop, StickyOnTopName, flag);
}

bool CSettings::GetHoverSticky()
{
    return ReadFlag(m_nHoverSticky, HoverStickyName, 1);
}

bool CSettings::SetHoverSticky(bool flag)
{
    return WriteFlag(m_nHoverSticky, HoverStickyName, flag);
}

bool CSettings::GetBorderlessSticky()
{
    return ReadFlag(m_nBorderlessSticky, BorderlessStickyName, 1);
}

bool CSettings::SetBorderlessSticky(bool flag)
{
    return WriteFlag(m_nBorderlessSticky, BorderlessStickyName, flag);
}

QString CSettings::GetMailTo()
{
    return ReadString(MailKey, MailToName);
}

bool CSettings::SetMailTo(const QString& text)
{
    return WriteString(MailKey, MailToName, text);
}

QString CSettings::GetMailFrom()
{
    return ReadString(MailKey, MailFromName);
}

bool CSettings::SetMailFrom(const QString& text)
{
    return WriteString(MailKey, MailFromName, text);
}

QString CSettings::GetAddendum()
{
    return ReadString(MailKey, AddendumName);
}

bool CSettings::SetAddendum(const QString& text)
{
    return WriteString(MailKey, AddendumName, text);
}

QString CSettings::GetReminderSound()
{
    return ReadString(RemindersKey, ReminderSoundName);
}

bool CSettings::SetReminderSound(const QString& path)
{
    return WriteString(RemindersKey, ReminderSoundName, path);
}

QString CSettings::ReadString(QStringView path, QStringView name)
{
    QString text;
    WithKey(path, [name, &text](const CRegistryKey& key) { key.GetString(name, text); });
    return text;
}

bool CSettings::WriteString(QStringView path, QStringView name, const QString& text)
{
    return WithKey(path, [name, &text](CRegistryKey& key) { key.SetString(name, text); });
}

// While the store cannot be opened the cache stays unread, so the flag reads as set and the next
// call asks the store again.
bool CSettings::ReadFlag(qint32& cache, QStringView name, quint32 absentValue)
{
    if (cache == NotRead)
        WithKey(GeneralKey,
                [&cache, name, absentValue](const CRegistryKey& key)
                {
                    quint32 value = absentValue;
                    key.GetDword(name, value);
                    cache = static_cast<qint32>(value);
                });
    return cache != 0;
}

bool CSettings::WriteFlag(qint32& cache, QStringView name, bool flag)
{
    return WithKey(GeneralKey,
                   [&cache, name, flag](CRegistryKey& key)
                   {
                       key.SetDword(name, flag ? 1 : 0);
                       cache = flag ? 1 : 0;
                   });
}

CSettings& GetSettings()
{
    static CSettings settings;
    return settings;
}
