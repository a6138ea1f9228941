#pragma once

#include "shell/VemoDialog.h"

#include <QTimer>

class QLabel;
class QProgressBar;

// Stays up, without blocking the program, while the pages are sent: an animation, the progress
// bar, the percentage and the time left, and Cancel, which stops the job after its current page.
class CPrintProgressDlg : public CVemoDialog
{
    Q_OBJECT

public:
    CPrintProgressDlg(const QString& documentName, const QString& printerName,
                      QWidget* parent = nullptr);

    bool IsCancelled() const { return m_bCancelled; }
    void SetPageCount(int pageCount);
    // Shows that the k-th page of the job is being sent, with the time the rest should take.
    void ShowPage(int k, qint64 averageMsPerPage);

    // What is left, from the average time of a page and the pages still to send with this one.
    // A job of one page has no average to go by, so it keeps the previous text.
    static QString TimeLeftText(qint64 averageMsPerPage, int pagesLeft, int pageCount,
                                const QString& previous);

protected:
    void reject() override;

private:
    void NextFrame();

    QLabel* m_pAnimation;
    QProgressBar* m_pProgress;
    QLabel* m_pPercent;
    QLabel* m_pPageLine;
    QTimer m_animationTimer;
    int m_nFrame = 0;
    int m_nPageCount = 0;
    QString m_strTimeLeft;
    bool m_bCancelled = false;
};
