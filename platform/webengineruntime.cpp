#include "platform/webengineruntime.h"

#include <QCoreApplication>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace gridlore {

void prepareWebEngine()
{
#ifdef Q_OS_UNIX
    // Chromium refuses to start its sandbox for root and WebEngine then
    // aborts, taking the program with it; as root there is no lesser user for
    // the sandbox to drop to anyway. Everyone else keeps the sandbox.
    if (::geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
#endif
    // WebEngine draws pages through Qt Quick, whose GL contexts must be
    // shared with the widgets'; this too is fixed when the application starts.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

} // namespace gridlore
