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
    QString told; // the reason the window gave for a pattern it could not wholly use
    QString why;
    if (!window.readPatternFile(name, &told))
        why = told.isEmpty() ? whyUnread(QFileInfo(name)) : told;
    else if (cells(window.life()) == before)
        why = told.isEmpty() ? QStringLiteral("it holds no pattern that gridlore reads") : told;
    else if (!told.isEmpty())
        return QStringLiteral("gridlore: read %1 only in part: %2\n").arg(name, told);
    else
        return QString();
    return QStringLiteral("gridlore: cannot read %1: %2\n").arg(name, why);
}

} // namespace gridlore
