#include "platform/application.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>

namespace gridlore {

QString applicationTitle()
{
    return QStringLiteral("gridlore");
}

QString applicationFolder()
{
    const QDir bin(QCoreApplication::applicationDirPath());
    return QDir::cleanPath(bin.filePath(QStringLiteral("../share/gridlore")));
}

namespace {
QString chooseJapaneseFamily()
{
    const QStringList families = QFontDatabase::families();
    for (const QString &wanted :
        { QString::fromUtf16(PreferredFace), QStringLiteral("IPAPGothic") }) {
        if (families.contains(wanted, Qt::CaseInsensitive))
            return wanted;
    }
    for (const QString &family : families) {
        if (QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese))
            return family;
    }
    return QString::fromUtf16(PreferredFace); // let the font matcher pick
}
} // namespace

QFont japaneseFont(double pointSize)
{
    static const QString family = chooseJapaneseFamily(); // fonts do not change while we run
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace gridlore
