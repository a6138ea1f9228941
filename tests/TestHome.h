#pragma once

#include <QSettings>
#include <QTemporaryDir>
#include <QtGlobal>

// Gives a test its own settings and data folders, so nothing it does reaches the user's files.
// Create it before anything reads a setting.
class CTestHome
{
public:
    CTestHome()
    {
        qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toLocal8Bit());
        qputenv("XDG_DATA_HOME", m_dir.filePath(QStringLiteral("data")).toLocal8Bit());
        qputenv("VEMO_HOME", m_dir.filePath(QStringLiteral("vemo")).toLocal8Bit());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           m_dir.filePath(QStringLiteral("config")));
    }

    QString Path(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};
