#include "app/startup.h"

#include "app/startaction.h"
#include "helpviewer/helpviewer.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>

namespace gridlore {

namespace {

void print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

// Qt ends with qFatal when no platform plugin can open its display; this turns
// that into one plain line and an ordinary failure status. Other messages still
// reach standard error, in Qt's format.
void reportDisplayFailure(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtFatalMsg) {
        print(stderr, qFormatLogMessage(type, context, message) + QLatin1Char('\n'));
        return;
    }
    print(stderr, displayFailedText());
    std::_Exit(EXIT_FAILURE);
}

} // namespace

void printError(const QString &line)
{
    print(stderr, line);
}

QStringList programArguments(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QFile::decodeName(argv[i]));
    return arguments;
}

std::optional<int> answerWithoutWindow(int argc, char *argv[])
{
    switch (
        chooseStartAction(programArguments(argc, argv), QProcessEnvironment::systemEnvironment())) {
    case StartAction::OpenWindow:
        return std::nullopt;
    case StartAction::PrintHelp: {
        int noArguments = 1;
        const QCoreApplication core(noArguments, argv); // where the program lies, hence its data
        const QString page = HelpViewer::startAddress();
        print(stdout, helpText(page, QFileInfo(page).isFile()));
        return EXIT_SUCCESS;
    }
    case StartAction::PrintVersion:
        print(stdout, versionText());
        return EXIT_SUCCESS;
    case StartAction::NoDisplay:
        print(stderr, noDisplayText());
        return EXIT_FAILURE;
    }
    return std::nullopt;
}

QApplication openDisplay(int &argc, char *argv[])
{
    struct Watch
    {
        Watch() { qInstallMessageHandler(reportDisplayFailure); }
        ~Watch() { qInstallMessageHandler(nullptr); }
    } watch;
    return QApplication(argc, argv);
}

} // namespace gridlore
