#pragma once

#include "LogFont.h"
#include "Rect32.h"
#include "RegistryKey.h"

#include <QString>
#include <QStringView>

// Typed access to every per-user setting. Each call opens its key and closes it again; the main
// window placement, the default account path and the three sticky flags are also cached here.
class CSettings
{
public:
    QString GetDefaultAccount();
    bool SetDefaultAccount(const QString& path);

    void SaveWindowPlacement(const CRect32& rect, bool showing);
    // The caller fills rect and showing with its defaults; false means nothing has been stored.
    bool LoadWindowPlacement(CRect32& rect, bool& showing);

    bool GetStickyColors(quint32& back, quint32& text);
    bool SetStickyColors(quint32 back, quint32 text);
    bool GetStickyFont(CLogFont& font);
    bool SetStickyFont(const CLogFont& font);

    // Milliseconds; a stored negative value reads as 0, auto-save off.
    quint32 GetAutoSaveInterval();
    bool SetAutoSaveInterval(quint32 milliseconds);

    bool GetStickyOnTop();
    bool SetStickyOnTop(bool flag);
    bool GetHoverSticky();
    bool SetHoverSticky(bool flag);
    // Whether the user has been told that this desktop cannot keep notes in their places.
    bool GetWaylandNoticeShown();
    bool SetWaylandNoticeShown(bool flag);
    bool GetBorderlessSticky();
    bool SetBorderlessSticky(bool flag);

    QString GetMailTo();
    bool SetMailTo(const QString& text);
    QString GetMailFrom();
    bool SetMailFrom(const QString& text);
    QString GetAddendum();
    bool SetAddendum(const QString& text);

    QString GetReminderSound();
    bool SetReminderSound(const QString& path);

private:
    static constexpr qint32 NotRead = -1;

    template <typename Work>
    bool WithKey(QStringView path, Work&& work);
    bool ReadWindowPlacement(const CRegistryKey& key, bool callerShowing);
    QString ReadString(QStringView path, QStringView name);
    bool WriteString(QStringView path, QStringView name, const QString& text);
    bool ReadFlag(qint32& cache, QStringView name, quint32 absentValue);
    bool WriteFlag(qint32& cache, QStringView name, bool flag);

    CRegistryKey m_regKey;
    CRect32 m_rectWindow;
    QString m_strDefaultAccount;
    bool m_bWindowShowing = true;
    qint32 m_nStickyOnTop = NotRead;
    qint32 m_nHoverSticky = NotRead;
    qint32 m_nWaylandNoticeShown = NotRead;
    qint32 m_nBorderlessSticky = NotRead;
};

// The one store of the running program.
CSettings& GetSettings();
