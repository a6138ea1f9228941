#include "RegistryKey.h"

#include <QSettings>
#include <QVariant>

CRegistryKey::CRegistryKey() = default;
CRegistryKey::~CRegistryKey() = default;

bool CRegistryKey::Open(QStringView path)
{
    Close();
    if (!path.startsWith(RootPath))
        return false;

    auto settings = std::make_unique<QSettings>(QStringLiteral("Quorvex"), QStringLiteral("Vemo"));
    // Only the user's own key holds settings; organisation-wide and system-wide files must not
    // leak values in.
    settings->setFallbacksEnabled(false);
    // The one check that means "opened with full access" everywhere: on Windows it creates the
    // key, elsewhere it creates the folder and proves that the file can be written.
    if (!settings->isWritable())
        return false;

    settings->beginGroup(path.sliced(RootPath.size()).toString().replace(u'\\', u'/'));
    m_hKey = std::move(settings);
    return true;
}

void CRegistryKey::Close()
{
    m_hKey.reset();
}

void CRegistryKey::SetDword(QStringView name, quint32 value)
{
    // Signed, so a window edge left of the screen reads as -8 rather than 4294967288 in the file.
    if (m_hKey)
        m_hKey->setValue(name, static_cast<qint32>(value));
}

void CRegistryKey::SetString(QStringView name, const QString& text)
{
    if (m_hKey)
        m_hKey->setValue(name, text);
}

void CRegistryKey::SetBinary(QStringView name, const QByteArray& bytes)
{
    if (m_hKey)
        m_hKey->setValue(name, bytes);
}

bool CRegistryKey::GetDword(QStringView name, quint32& value) const
{
    bool ok = false;
    // A wider number keeps its low 32 bits, as a registry read takes only the first 4 bytes.
    const qlonglong number = Value(name).toLongLong(&ok);
    if (ok)
        value = static_cast<quint32>(number);
    return ok;
}

bool CRegistryKey::GetString(QStringView name, QString& text) const
{
    const QVariant stored = Value(name);
    if (!stored.isValid())
        return false;
    text = stored.toString();
    return true;
}

bool CRegistryKey::GetBinary(QStringView name, QByteArray& bytes) const
{
    const QVariant stored = Value(name);
    if (!stored.isValid())
        return false;
    bytes = stored.toByteArray();
    return true;
}

QVariant CRegistryKey::Value(QStringView name) const
{
    return m_hKey ? m_hKey->value(name) : QVariant();
}
