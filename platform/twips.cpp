#include "platform/twips.h"

#include <cmath>

namespace gridlore::twips {

namespace {
int px(double twips)
{
    return static_cast<int>(std::lround(toPixels(twips)));
}
} // namespace

QRect toRect(double left, double top, double width, double height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

QSize toSize(double width, double height)
{
    return QSize(px(width), px(height));
}

QPoint toPoint(double x, double y)
{
    return QPoint(px(x), px(y));
}

} // namespace gridlore::twips
