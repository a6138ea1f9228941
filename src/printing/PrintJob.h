#pragma once

#include <QRect>
#include <QString>

class QPainter;
class QPrinter;
class QWidget;

// The print loop: the printer dialog, the document, its pages with the progress window between
// them, and Cancel. What is printed comes from the subclass.
class CPrintJob
{
public:
    // The parent owns the progress window; the main window when null.
    explicit CPrintJob(QWidget* parent = nullptr);
    virtual ~CPrintJob();
    CPrintJob(const CPrintJob&) = delete;
    CPrintJob& operator=(const CPrintJob&) = delete;

    void Print();

protected:
    // Asks what to print and where; false stops the job with nothing printed.
    virtual bool PreparePrinting(QPrinter& printer);
    // Lays the pages out for the printer and returns their count.
    virtual int BeginPrinting(QPrinter& printer);
    virtual void PrintPage(QPainter& painter, int page);
    virtual void EndPrinting();
    // The toolkit's printer dialog; tests stand in for it.
    virtual bool RunPrinterDialog(QPrinter& printer);

    QWidget* Parent() const;
    // Where a page is drawn, in the printer's device units.
    const QRect& DrawRect() const { return m_rectDraw; }

    QString m_strDocName = QStringLiteral("[Vemo]");

private:
    // The destination is the printer's name, or the file the document goes to.
    bool PrintPages(QPrinter& printer, QPainter& painter, int pageCount,
                    const QString& destination);

    QWidget* m_pParent;
    QRect m_rectDraw;
};
