#include "PrintProgressDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{
const QString PageLineFormat = QStringLiteral("Page %1 of %2, %3 left to end ..");
constexpr int AnimationFrames = 8;
constexpr int AnimationPeriod = 120;
const QSize AnimationSize(48, 32);

// A sheet passing under the print head, a little further at each frame.
QPixmap AnimationFrame(int frame)
{
    QPixmap pixmap(AnimationSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.setBrush(QColor(200, 200, 200));
    painter.drawRect(2, 10, 44, 12);
    const int printed = 4 + frame * 4;
    painter.setBrush(Qt::white);
    painter.drawRect(10, 22, 28, 9);
    for (int y = 24; y < 24 + printed / 6 && y < 30; y += 2)
        painter.drawLine(13, y, 35, y);
    painter.setBrush(Qt::black);
    painter.drawRect(8 + frame * 4, 6, 4, 4);
    return pixmap;
}
} // namespace

CPrintProgressDlg::CPrintProgressDlg(const QString& documentName, const QString& printerName,
                                     QWidget* parent)
    : CVemoDialog(parent)
    , m_pAnimation(new QLabel(this))
    , m_pProgress(new QProgressBar(this))
    , m_pPercent(new QLabel(this))
    , m_pPageLine(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Printing %1...").arg(documentName));
    setModal(false);
    auto* printing =
        new QLabel(QStringLiteral("Printing %1 on %2").arg(documentName, printerName), this);
    m_pProgress->setObjectName(QStringLiteral("progressBar"));
    m_pProgress->setTextVisible(false);
    m_pPercent->setObjectName(QStringLiteral("percent"));
    m_pPageLine->setObjectName(QStringLiteral("pageLine"));
    m_pAnimation->setPixmap(AnimationFrame(0));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
    connect(buttons, &QDialogButtonBox::rejected, this, &CPrintProgressDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pAnimation, 0, Qt::AlignHCenter);
    layout->addWidget(printing);
    layout->addWidget(m_pProgress);
    layout->addWidget(m_pPercent, 0, Qt::AlignHCenter);
    layout->addWidget(m_pPageLine);
    layout->addWidget(buttons);

    connect(&m_animationTimer, &QTimer::timeout, this, &CPrintProgressDlg::NextFrame);
    m_animationTimer.start(AnimationPeriod);
}

void CPrintProgressDlg::NextFrame()
{
    m_nFrame = (m_nFrame + 1) % AnimationFrames;
    m_pAnimation->setPixmap(AnimationFrame(m_nFrame));
}

void CPrintProgressDlg::SetPageCount(int pageCount)
{
    m_nPageCount = pageCount;
    m_pProgress->setRange(0, pageCount);
    m_pProgress->setValue(0);
}

void CPrintProgressDlg::ShowPage(int k, qint64 averageMsPerPage)
{
    m_pProgress->setValue(k);
    m_pPercent->setText(QStringLiteral("%1 %").arg(100 * k / qMax(1, m_nPageCount)));
    m_strTimeLeft =
        TimeLeftText(averageMsPerPage, m_nPageCount - k + 1, m_nPageCount, m_strTimeLeft);
    m_pPageLine->setText(PageLineFormat.arg(k).arg(m_nPageCount).arg(m_strTimeLeft));
}

QString CPrintProgressDlg::TimeLeftText(qint64 averageMsPerPage, int pagesLeft, int pageCount,
                                        const QString& previous)
{
    const qint64 ms = averageMsPerPage * pagesLeft;
    const qint64 seconds = ms / 1000;
    if (seconds > 60)
        return QStringLiteral("\"%1 minutes, %2 seconds\"").arg(ms / 60000).arg(seconds % 60);
    if (pageCount > 1)
        return seconds == 0 ? QString() : QStringLiteral("%1 seconds").arg(seconds);
    return previous;
}

// Cancel, or Escape: the job stops after the page it is sending.
void CPrintProgressDlg::reject()
{
    m_bCancelled = true;
    QDialog::reject();
}
