#include "platform/webengineruntime.h"

#include <QCoreApplication>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#ifdef __GLIBC__
#include <malloc.h>
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
#ifdef __GLIBC__
    // The engine's threads would each get a heap of their own, and malloc_trim
    // gives back nothing from the top of those: every help viewer opened and
    // closed left more of them in memory. One heap for all threads is trimmed
    // whole. This must be set before the engine starts its threads.
    mallopt(M_ARENA_MAX, 1);
#endif
}

} // namespace gridlore
