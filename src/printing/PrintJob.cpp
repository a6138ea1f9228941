#include "PrintJob.h"

#include "PrintProgressDlg.h"
#include "shell/MainFrame.h"
#include "shell/VemoMessageBox.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <cstdio>

namespace
{
const QString StartFailed = QStringLiteral("Could not start print job.");
// The layout's sizes are device units of a 600-dpi page.
constexpr int PrintResolution = 600;
// Beside the chosen file until the last page is done, so a cancelled or failed job leaves the
// file that was there before, or none.
const QString PartialSuffix = QStringLiteral(".part");

struct CPageRange
{
    int m_nFrom = 1;
    int m_nEnd = 1;
    int m_nStep = 1;
};

// The dialog's range within the pages there are; a range given backwards prints backwards.
CPageRange ClampRange(int from, int to, int pageCount)
{
    if (from == 0 && to == 0)
        to = pageCount;
    to = qBound(1, to, pageCount);
    from = qBound(1, from, pageCount);
    const int step = to < from ? -1 : 1;
    return {from, to + step, step};
}

void FinishOutputFile(const QString& partial, const QString& target, bool printed)
{
    if (partial.isEmpty())
        return;
    if (!printed || std::rename(QFile::encodeName(partial).constData(),
                                QFile::encodeName(target).constData()) != 0)
        QFile::remove(partial);
}
} // namespace

CPrintJob::CPrintJob(QWidget* parent)
    : m_pParent(parent)
{
}

CPrintJob::~CPrintJob() = default;

QWidget* CPrintJob::Parent() const
{
    return m_pParent ? m_pParent : g_pMainFrame;
}

bool CPrintJob::PreparePrinting(QPrinter& printer)
{
    return RunPrinterDialog(printer);
}

int CPrintJob::BeginPrinting(QPrinter&)
{
    return 1;
}

void CPrintJob::PrintPage(QPainter&, int) {}

void CPrintJob::EndPrinting() {}

bool CPrintJob::RunPrinterDialog(QPrinter& printer)
{
    QPrintDialog dialog(&printer, Parent());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    return dialog.exec() == QDialog::Accepted;
}

void CPrintJob::Print()
{
    QPrinter printer(QPrinter::HighResolution);
    // The dialog names its default file after the document, and may change the resolution.
    printer.setDocName(m_strDocName);
    if (!PreparePrinting(printer))
        return;
    printer.setResolution(PrintResolution);
    const QString target = printer.outputFileName();
    const QString partial = target.isEmpty() ? QString() : target + PartialSuffix;
    if (!partial.isEmpty())
        printer.setOutputFileName(partial);
    m_rectDraw =
        QRect(QPoint(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    const int pageCount = BeginPrinting(printer);

    QWidget* frame = Parent();
    if (frame)
        frame->setEnabled(false);
    QPainter painter;
    bool printed = false;
    if (!painter.begin(&printer))
        ShowVemoMessage(frame, StartFailed, IUserPrompts::Exclamation);
    else
        printed = PrintPages(printer, painter, pageCount,
                             target.isEmpty() ? printer.printerName() : target);
    if (frame)
        frame->setEnabled(true);
    EndPrinting();
    FinishOutputFile(partial, target, printed);
}

// Between pages the program answers, so the progress window moves and its Cancel is taken.
bool CPrintJob::PrintPages(QPrinter& printer, QPainter& painter, int pageCount,
                           const QString& destination)
{
    CPrintProgressDlg progress(m_strDocName, destination, Parent());
    progress.show();
    const CPageRange range = ClampRange(printer.fromPage(), printer.toPage(), pageCount);
    const int pages = qAbs(range.m_nEnd - range.m_nFrom);
    progress.SetPageCount(pages);
    QElapsedTimer clock;
    clock.start();
    qint64 averageMs = 0;
    int k = 1;
    for (int page = range.m_nFrom; page != range.m_nEnd; page += range.m_nStep, ++k)
    {
        progress.ShowPage(k, averageMs);
        QApplication::processEvents();
        if (progress.IsCancelled() || (k > 1 && !printer.newPage()))
            break;
        painter.save();
        PrintPage(painter, page);
        painter.restore();
        QApplication::processEvents();
        averageMs = clock.elapsed() / k;
        if (progress.IsCancelled())
            break;
    }
    if (k <= pages)
    {
        printer.abort();
        painter.end();
        return false;
    }
    return painter.end();
}
