#include "MainFrame.h"

namespace
{
constexpr int FirstStartWidth = 200;
constexpr int FirstStartHeight = 300;
} // namespace

CMainFrame::CMainFrame(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainFrame"));
    resize(FirstStartWidth, FirstStartHeight);
    SetDocumentTitle(QStringLiteral("[No Account]"));
}

void CMainFrame::SetDocumentTitle(const QString& documentTitle)
{
    setWindowTitle(documentTitle + QStringLiteral(" - Vemo"));
}
