// Renders the application icon into a hicolor icon tree at build time, from
// the same drawing and the same code the About dialog shows it with.
//   gridlore_rendericons <hicolor folder> <size>...
// writes <hicolor folder>/<size>x<size>/apps/gridlore.png for each size.

#include "about/applicationicon.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>

#include <cstdio>

// iconImage() gives a blank image rather than none when the drawing cannot be
// read; an installed blank icon would go unnoticed.
static bool isBlank(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0)
                return false;
        }
    }
    return true;
}

int main(int argc, char *argv[])
{
    // Painting into a QImage needs no window system, which a build machine may lack.
    const QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 3) {
        std::fputs("usage: gridlore_rendericons <hicolor folder> <size>...\n", stderr);
        return 2;
    }
    const QDir hicolor(arguments.at(1));
    for (const QString &sizeText : arguments.mid(2)) {
        bool number = false;
        const int side = sizeText.toInt(&number);
        if (!number || side < 1 || side > 1024) {
            std::fprintf(stderr, "gridlore_rendericons: bad size %s\n", qPrintable(sizeText));
            return 2;
        }
        const QString folder = QStringLiteral("%1x%1/apps").arg(side);
        const QString file = hicolor.filePath(folder + QStringLiteral("/gridlore.png"));
        const QImage image = gridlore::iconImage(QSize(side, side));
        if (isBlank(image)) {
            std::fputs("gridlore_rendericons: the icon drawing cannot be read\n", stderr);
            return 1;
        }
        if (!hicolor.mkpath(folder) || !image.save(file, "PNG")) {
            std::fprintf(stderr, "gridlore_rendericons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
