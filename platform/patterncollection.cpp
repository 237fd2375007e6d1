#include "platform/patterncollection.h"

#include "platform/application.h"

#include <QDir>
#include <QFileInfo>

namespace gridlore {

QString patternCollectionFolder()
{
    return QDir(applicationFolder()).filePath(QStringLiteral("patterns"));
}

QStringList patternCollectionNames()
{
    return QDir(patternCollectionFolder()).entryList(QDir::Files, QDir::Name);
}

QString resolvePatternName(const QString &name)
{
    if (name.isEmpty() || name.contains(u'/') || QFileInfo::exists(name))
        return name;
    const QString bundled = QDir(patternCollectionFolder()).filePath(name);
    return QFileInfo(bundled).isFile() ? bundled : name;
}

} // namespace gridlore
