#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <memory>

class QSettings;
class QVariant;

// One open key of the program's per-user settings store, named by its registry path below
// "Software\Quorvex\Vemo\". A getter changes its out value only when the value could be read.
class CRegistryKey
{
public:
    static constexpr QStringView RootPath = u"Software\\Quorvex\\Vemo\\";

    CRegistryKey();
    ~CRegistryKey();

    // Creates the key when it is missing; fails for a path outside RootPath or when the store
    // cannot be written.
    bool Open(QStringView path);
    void Close();

    void SetDword(QStringView name, quint32 value);
    void SetString(QStringView name, const QString& text);
    void SetBinary(QStringView name, const QByteArray& bytes);

    bool GetDword(QStringView name, quint32& value) const;
    bool GetString(QStringView name, QString& text) const;
    bool GetBinary(QStringView name, QByteArray& bytes) const;

private:
    QVariant Value(QStringView name) const;

    std::unique_ptr<QSettings> m_hKey;
};
