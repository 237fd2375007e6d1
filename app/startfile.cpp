#include "app/startfile.h"

#include "mainwindow/mainwindow.h"

#include <QFileInfo>

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

} // namespace

QString readStartFile(MainWindow &window, const QString &name)
{
    QString told; // the reason the window gave for a pattern it could not wholly use
    if (!window.readPatternFile(name, &told))
        return QStringLiteral("gridlore: cannot read %1: %2\n")
            .arg(name, told.isEmpty() ? whyUnread(QFileInfo(name)) : told);
    if (!told.isEmpty())
        return QStringLiteral("gridlore: read %1 only in part: %2\n").arg(name, told);
    return QString();
}

} // namespace gridlore
