#include "app/startaction.h"

namespace gridlore {

namespace {

// Whether Qt, asked for this platform plugin, opens a display the environment
// names. Plugins that draw without one (offscreen, vnc, eglfs, ...) and names
// Qt may not even know are left for Qt to judge.
bool platformHasDisplay(QString platform, const QProcessEnvironment &environment)
{
    platform = platform.section(QLatin1Char(':'), 0, 0).trimmed(); // drop "xcb:option=..."
    if (platform == QLatin1String("xcb"))
        return !environment.value(QStringLiteral("DISPLAY")).isEmpty();
    if (platform.startsWith(QLatin1String("wayland")))
        return !environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty();
    return true;
}

} // namespace

StartAction chooseStartAction(const QStringList &arguments, const QProcessEnvironment &environment)
{
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("--help"))
            return StartAction::PrintHelp;
        if (argument == QLatin1String("--version"))
            return StartAction::PrintVersion;
    }

    const QString platforms = environment.value(QStringLiteral("QT_QPA_PLATFORM")).trimmed();
    if (platforms.isEmpty()) {
        // Qt's own choice is X11 or Wayland, whichever the session has.
        const bool either = !environment.value(QStringLiteral("DISPLAY")).isEmpty()
            || !environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty();
        return either ? StartAction::OpenWindow : StartAction::NoDisplay;
    }
    // Qt tries a list such as "wayland;xcb" in order; one usable entry will do.
    for (const QString &platform : platforms.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (platformHasDisplay(platform, environment))
            return StartAction::OpenWindow;
    }
    return StartAction::NoDisplay;
}

QString startFile(const QStringList &arguments)
{
    for (const QString &argument : arguments) {
        if (!argument.startsWith(QLatin1Char('-')))
            return argument;
    }
    return QString();
}

QString helpText(const QString &helpPage, bool helpPageFound)
{
    return QStringLiteral(
        "Usage: gridlore [FILE]\n"
        "       gridlore --help | --version\n"
        "Plays Conway's Game of Life in a window (Japanese user interface).\n"
        "FILE, a pattern file, is read once the window is shown, as File > Read\n"
        "would read it; if it cannot be read, the board stays empty and one line\n"
        "on standard error says why. Only the first argument that does not start\n"
        "with '-' is taken; other arguments are ignored.\n"
        "\n"
        "  --help     print this text and exit\n"
        "  --version  print the version and exit\n"
        "\n"
        "Set GRIDLORE_WEBENGINE_LOG=1 to see the web engine's diagnostics.\n"
        "Help page: %1%2\n")
        .arg(helpPage, helpPageFound ? QString() : QStringLiteral(" (missing)"));
}

QString versionText()
{
    return QStringLiteral("gridlore " GRIDLORE_VERSION "\n");
}

QString noDisplayText()
{
    return QStringLiteral(
        "gridlore: cannot start: it needs a graphical display (X11 or Wayland) and none is set\n");
}

QString displayFailedText()
{
    return QStringLiteral("gridlore: cannot start: it needs a graphical display (X11 or Wayland) "
                          "and Qt could not open the one it was given\n");
}

} // namespace gridlore
