#include "platform/webengineruntime.h"

#include <QByteArray>
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

void restartWithoutThreadCaches(char **argv)
{
#ifdef __GLIBC__
    // glibc keeps up to seven freed blocks of each small size for the thread
    // that freed them, and only the thread's end returns them. The engine's
    // long-lived threads refill these caches from every viewer opened and
    // closed, with blocks scattered over the heap that hold their pages after
    // the trim: half a megabyte and more that never came back. The caches can
    // be turned off only in the environment the program starts with, so it
    // starts once more with them off. A setting of the user's own is kept, and
    // the engine's helper processes get the environment as it was given.
    static const char given[] = "GRIDLORE_GIVEN_GLIBC_TUNABLES";
    static const char tunablesName[] = "GLIBC_TUNABLES";
    const QByteArray tunables = qgetenv(tunablesName);
    const auto restore = [](const QByteArray &original) {
        if (original.isEmpty())
            qunsetenv(tunablesName);
        else
            qputenv(tunablesName, original);
        qunsetenv(given);
    };
    if (qEnvironmentVariableIsSet(given)) {
        restore(qgetenv(given));
        return;
    }
    if (tunables.contains("tcache_count"))
        return;
    static const QByteArray off("glibc.malloc.tcache_count=0");
    qputenv(given, tunables);
    qputenv(tunablesName, tunables.isEmpty() ? off : tunables + ':' + off);
    ::execv("/proc/self/exe", argv);
    restore(tunables); // still here: run as started
#else
    Q_UNUSED(argv);
#endif
}

} // namespace gridlore
