#include "app/startfile.h"

#include "mainwindow/form1.h"

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

QString readStartFile(Form1 &window, const QString &name)
{
    if (window.ReadFile(name))
        return QString();
    return QStringLiteral("gridlore: cannot read %1: %2\n").arg(name, whyUnread(QFileInfo(name)));
}

} // namespace gridlore
