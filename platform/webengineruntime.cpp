#include "platform/webengineruntime.h"

#include <QByteArray>
#include <QCoreApplication>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace gridlore {

void prepareWebEngine()
{
#ifdef Q_OS_UNIX
    // Chromium will not start its sandbox for root, and WebEngine then aborts
    // and takes the program with it. Every other user keeps the sandbox.
    if (::geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
#endif
    // WebEngine draws pages through Qt Quick, whose GL contexts must be
    // shared with the widgets'; this too is fixed when the application starts.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

} // namespace gridlore
