#pragma once

#include <QApplication>
#include <QStringList>

#include <optional>

namespace gridlore {

// The arguments after the program name.
QStringList programArguments(int argc, char *argv[]);

// Writes `line` to standard error at once.
void printError(const QString &line);

// Answers --help and --version, and refuses to start without a display, all
// before any window system is touched. Returns the exit status when the
// program is to end here, nothing when it is to open its window.
std::optional<int> answerWithoutWindow(int argc, char *argv[]);

// The application, built while a display Qt cannot open ends the program with
// one line and status 1 rather than Qt's abort. argc must outlive it.
QApplication openDisplay(int &argc, char *argv[]);

} // namespace gridlore
