#include "about/applicationicon.h"
#include "app/startaction.h"
#include "app/startfile.h"
#include "app/startup.h"
#include "mainwindow/mainwindow.h"
#include "platform/application.h"
#include "platform/webengineruntime.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    if (const std::optional<int> status = gridlore::answerWithoutWindow(argc, argv))
        return *status;
    const QString file = gridlore::startFile(gridlore::programArguments(argc, argv));
    gridlore::prepareWebEngine();
    int noArguments = 1; // the arguments are the program's own, so Qt is shown none
    QApplication app = gridlore::openDisplay(noArguments, argv);
    // Wayland finds the window's icon and launcher entry by this name.
    QApplication::setDesktopFileName(QStringLiteral("gridlore"));
    QApplication::setWindowIcon(gridlore::applicationIcon());
    QApplication::setApplicationName(gridlore::applicationTitle());
    gridlore::MainWindow window;
    window.show();
    if (!file.isEmpty()) {
        // Once the event loop runs, the window is up and laid out.
        QTimer::singleShot(0, &window,
            [&window, file] { gridlore::printError(gridlore::readStartFile(window, file)); });
    }
    return QApplication::exec();
}
