#include "platform/webengineruntime.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QLoggingCategory>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace gridlore {

void prepareWebEngine()
{
    // Chromium's switches for this process and its helpers, put before the
    // user's own so that theirs win.
    QByteArray flags;
#ifdef Q_OS_UNIX
    // Chromium will not start its sandbox for root, and WebEngine then aborts
    // and takes the program with it. Every other user keeps the sandbox.
    if (::geteuid() == 0)
        flags += "--no-sandbox ";
#endif
    // The engine reports its set-up, its GPU fallbacks and the pages' script
    // messages on standard error, a screenful each time Help opens, of use
    // only to someone debugging the engine, who asks for them with
    // GRIDLORE_WEBENGINE_LOG=1. Otherwise Chromium logs only fatal errors, and
    // Qt's categories for the engine and for scripts are off (QT_LOGGING_RULES
    // still turns them on).
    if (qEnvironmentVariableIntValue("GRIDLORE_WEBENGINE_LOG") == 0) {
        flags += "--log-level=3 ";
        QLoggingCategory::setFilterRules(QStringLiteral("qt.webengine*=false\njs=false"));
    }
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags + qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"));
    // WebEngine draws pages through Qt Quick, whose GL contexts must be
    // shared with the widgets'; this too is fixed when the application starts.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

} // namespace gridlore
