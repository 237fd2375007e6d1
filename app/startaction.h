#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace gridlore {

// What one start of the program does. It is settled before Qt touches any
// window system, so the answers that need no window work without a display.
enum class StartAction {
    OpenWindow, // the program proper
    PrintHelp, // --help
    PrintVersion, // --version
    NoDisplay, // Qt would look for an X11 or Wayland display that nothing names
};

// arguments are those after the program name: the first --help or --version
// decides; anything else is left for startFile or ignored.
StartAction chooseStartAction(const QStringList &arguments, const QProcessEnvironment &environment);

// The pattern file to read once the window is up: the first argument that is
// not an option (no leading '-'), or nothing.
QString startFile(const QStringList &arguments);

// The answer to --help: usage, options, and the help page the viewer would
// open, marked when it is missing.
QString helpText(const QString &helpPage, bool helpPageFound);

// The answer to --version.
QString versionText();

// The one line printed when no display is named.
QString noDisplayText();

// The one line printed when Qt cannot open the display it was given.
QString displayFailedText();

} // namespace gridlore
