#include "AboutDlg.h"

#include "VemoVersion.h"

#include <QDialogButtonBox>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

namespace
{
constexpr int VersionParts = 4;
constexpr int PictureSide = 64;
const char* const Credits[] = {
    "Vemo keeps your task lists, reminders and sticky notes.",
    "Written in C++ on the Qt toolkit.",
    "Thank you for choosing Vemo.",
};
} // namespace

CAboutDlg::CAboutDlg(QWidget* parent)
    : CVemoDialog(parent)
    , m_strVersion(VersionText(QStringLiteral(VEMO_VERSION_STRING)))
{
    setWindowTitle(QStringLiteral("About Vemo"));
    auto* picture = new QLabel(this);
    picture->setFrameShape(QFrame::Box);
    picture->setPixmap(QIcon(QStringLiteral(":/icons/vemo.svg")).pixmap(PictureSide, PictureSide));
    auto* version = new QLabel(m_strVersion, this);
    version->setObjectName(QStringLiteral("versionLabel"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAboutDlg::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picture, 0, Qt::AlignHCenter);
    layout->addWidget(version, 0, Qt::AlignHCenter);
    for (const char* credit : Credits)
        layout->addWidget(new QLabel(QString::fromLatin1(credit), this), 0, Qt::AlignHCenter);
    layout->addWidget(buttons);
}

QString CAboutDlg::VersionText(const QString& version)
{
    const QStringList parts = version.split(QLatin1Char('.'));
    if (version.isEmpty() || parts.size() > VersionParts)
        return QStringLiteral("Undetermined");
    QStringList numbers;
    for (const QString& part : parts)
    {
        bool ok = false;
        const uint number = part.toUInt(&ok);
        if (!ok || number > 0xFFFF)
            return QStringLiteral("Undetermined");
        numbers.append(QString::number(number));
    }
    while (numbers.size() < VersionParts)
        numbers.append(QStringLiteral("0"));
    return QStringLiteral("Version ") + numbers.join(QLatin1Char('.'));
}
