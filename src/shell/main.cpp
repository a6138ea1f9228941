#include "GuiFont.h"
#include "MainFrame.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quorvex"));
    QApplication::setApplicationName(QStringLiteral("Vemo"));
    InstallGuiDefaultFontProvider();

    CMainFrame frame;
    frame.show();
    return app.exec();
}
