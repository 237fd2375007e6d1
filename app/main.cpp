#include "about/applicationicon.h"
#include "mainwindow/form1.h"
#include "platform/application.h"
#include "platform/webengineruntime.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    gridlore::prepareWebEngine();
    QApplication app(argc, argv);
    QApplication::setWindowIcon(gridlore::applicationIcon());
    QApplication::setApplicationName(gridlore::applicationTitle());
    gridlore::Form1 window;
    window.show();
    return QApplication::exec();
}
