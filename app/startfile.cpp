#include "app/startfile.h"

#include "mainwindow/mainwindow.h"
#include "patterns/patternfile.h"

#include <QFileInfo>

#include <sstream>

namespace gridlore {

namespace {

// Why a file that Read left alone could not be read. Only looks at the file:
// opening it again could block on a pipe.
QString whyUnread(const QFileInfo &file)
{
    if (!file.exists())
        return QStringLiteral("no such file");
    if (file.isDir())
        return QStringLiteral("it is a folder");
    if (!file.isReadable())
        return QStringLiteral("permission denied");
    return QStringLiteral("it holds no pattern that gridlore reads");
}

// The board as Save would write it, to tell whether a read changed anything.
std::string cells(const Life &life)
{
    std::ostringstream text;
    writePattern(text, life);
    return text.str();
}

} // namespace

QString readStartFile(MainWindow &window, const QString &name)
{
    const std::string before = cells(window.life());
    QString why;
    if (!window.readPatternFile(name))
        why = whyUnread(QFileInfo(name));
    else if (cells(window.life()) == before)
        why = QStringLiteral("it holds no pattern that gridlore reads");
    else
        return QString();
    return QStringLiteral("gridlore: cannot read %1: %2\n").arg(name, why);
}

} // namespace gridlore
