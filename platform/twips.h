#pragma once

#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>

// Layouts are measured in twips (1/1440 inch). Qt's device-independent pixel
// is 1/96 inch, so 15 twips make one pixel; high-DPI screens scale from there.
namespace gridlore::twips {

inline constexpr double PerPixel = 15.0;

constexpr double toPixels(double twips)
{
    return twips / PerPixel;
}

constexpr double fromPixels(double pixels)
{
    return pixels * PerPixel;
}

// Layout rectangles land on whole pixels, rounded to the nearest.
QRect toRect(double left, double top, double width, double height);
QSize toSize(double width, double height);
QPoint toPoint(double x, double y);

// Names a control and puts it at its layout place, given in twips.
template <typename Control>
Control *placed(
    Control *control, const char *name, double left, double top, double width, double height)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(toRect(left, top, width, height));
    return control;
}

} // namespace gridlore::twips
