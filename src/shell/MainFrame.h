#pragma once

#include <QMainWindow>

// The program's one top-level window; it shows the open account.
class CMainFrame : public QMainWindow
{
    Q_OBJECT

public:
    explicit CMainFrame(QWidget* parent = nullptr);

    void SetDocumentTitle(const QString& documentTitle);
};
