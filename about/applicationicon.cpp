#include "about/applicationicon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// The resource lives in a static library, where nothing else would pull it in.
static void initAboutResources()
{
    Q_INIT_RESOURCE(about);
}

namespace gridlore {

QImage iconImage(const QSize &size)
{
    static const bool resourcesReady = (initAboutResources(), true);
    Q_UNUSED(resourcesReady);

    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/about/gridlore.svg"));
    if (!renderer.isValid())
        return image; // a blank icon rather than none
    const QSizeF fitted = QSizeF(IconSize).scaled(QSizeF(size), Qt::KeepAspectRatio);
    const QPointF corner(
        (size.width() - fitted.width()) / 2, (size.height() - fitted.height()) / 2);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(corner, fitted));
    return image;
}

QIcon applicationIcon()
{
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(iconImage(IconSize)));
    for (int side : { 16, 22, 24, 32, 48, 64, 128, 256 })
        icon.addPixmap(QPixmap::fromImage(iconImage(QSize(side, side))));
    return icon;
}

} // namespace gridlore
