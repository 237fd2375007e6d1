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
    // threads refill these caches from every viewer opened and closed with
    // blocks scattered over the heap, each holding its page in memory after
    // the trim: about half a megabyte more over the first few dozen viewers.
    // The caches can be turned off only in the environment the program starts
    // with. The variable that marks the restart keeps the settings the program
    // was given, for the engine's helper processes.
    static const char given[] = "GRIDLORE_GIVEN_GLIBC_TUNABLES";
    static const char tunablesName[] = "GLIBC_TUNABLES";
    const auto setTunables = [](const QByteArray &tunables) {
        if (tunables.isEmpty())
            qunsetenv(tunablesName);
        else
            qputenv(tunablesName, tunables);
    };
    if (qEnvironmentVariableIsSet(given)) {
        setTunables(qgetenv(given));
        qunsetenv(given);
        return;
    }
    static const QByteArray off("glibc.malloc.tcache_count=0");
    const QByteArray tunables = qgetenv(tunablesName);
    if (tunables.contains(off))
        return;
    qputenv(given, tunables);
    qputenv(tunablesName, tunables.isEmpty() ? off : tunables + ':' + off);
    ::execv("/proc/self/exe", argv);
    // Still here: run as started.
    setTunables(tunables);
    qunsetenv(given);
#else
    Q_UNUSED(argv);
#endif
}

} // namespace gridlore
