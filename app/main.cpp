#include "about/applicationicon.h"
#include "app/startup.h"
#include "mainwindow/form1.h"
#include "platform/application.h"
#include "platform/webengineruntime.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    if (const std::optional<int> status = gridlore::answerWithoutWindow(argc, argv))
        return *status;
    gridlore::prepareWebEngine();
    int noArguments = 1; // the program takes no arguments, so Qt is shown none either
    QApplication app = gridlore::openDisplay(noArguments, argv);
    // Wayland finds the window's icon and launcher entry by this name.
    QApplication::setDesktopFileName(QStringLiteral("gridlore"));
    QApplication::setWindowIcon(gridlore::applicationIcon());
    QApplication::setApplicationName(gridlore::applicationTitle());
    gridlore::Form1 window;
    window.show();
    return QApplication::exec();
}
