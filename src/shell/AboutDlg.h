#pragma once

#include "VemoDialog.h"

// The program's picture, its version and who made it.
class CAboutDlg : public CVemoDialog
{
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    // "Version a.b.c.d" from the build's version, missing parts as 0; "Undetermined" when the
    // version is missing or not a version.
    static QString VersionText(const QString& version);

    QString m_strVersion;
};
