#include "platform/textstamper.h"

#include <QFontMetricsF>
#include <QPainter>

namespace gridlore {

bool TextStamper::prepare(const QImage &target, const QFont &font, const QString &text)
{
    if (font == font_ && text == text_ && target.devicePixelRatio() == ratio_
        && target.format() == format_)
        return usable_;
    font_ = font;
    text_ = text;
    ratio_ = target.devicePixelRatio();
    format_ = target.format();
    usable_ = false;
    if (!(font_.styleStrategy() & QFont::NoAntialias) || format_ != QImage::Format_RGB32)
        return false;
    const QFontMetricsF metrics(font_);
    margin_ = qCeil(qMax(metrics.height(), metrics.horizontalAdvance(text_))) + 2;
    // Four logical pixels across and one device pixel down, in 64ths: every
    // 64th of a device pixel where text can land at ratios of quarters.
    lefts_.fill(Unknown);
    tops_.fill(Unknown);
    const double down = qCeil(margin_ * ratio_);
    mask_ = render(margin_, down / ratio_);
    if (mask_.size.isEmpty())
        return false;
    for (int step = 0; step < 4 * 64; ++step) {
        const double x = margin_ + (step + 0.5) / 64;
        const Mask shifted = render(x, down / ratio_);
        if (shifted.pixels != mask_.pixels || shifted.topLeft.y() != mask_.topLeft.y()
            || !learn(lefts_, landingX(x), shifted.topLeft.x()))
            return false;
    }
    for (int step = 0; step < 64; ++step) {
        const double baseline = (down + (step + 0.5) / 64) / ratio_;
        const Mask shifted = render(margin_, baseline);
        if (shifted.pixels != mask_.pixels || shifted.topLeft.x() != mask_.topLeft.x()
            || !learn(tops_, landingY(baseline), shifted.topLeft.y()))
            return false;
    }
    usable_ = true;
    return true;
}

// Records that text landing at `landed` 64ths of a device pixel has its
// mask's corner at `corner`; false where an earlier landing said otherwise.
bool TextStamper::learn(std::array<int, 64> &offsets, int landed, int corner)
{
    int &offset = offsets[landed & 63];
    if (offset != Unknown && offset != corner - (landed >> 6))
        return false;
    offset = corner - (landed >> 6);
    return true;
}

// drawText(QPointF, QString) keeps x in 64ths of a logical pixel; both
// coordinates then land in 64ths of a device pixel, cut off towards zero.
int TextStamper::landingX(double x) const
{
    return static_cast<int>(static_cast<int>(x * 64) / 64.0 * ratio_ * 64);
}

int TextStamper::corner(int landed, const std::array<int, 64> &offsets)
{
    return offsets[landed & 63] == Unknown ? Unknown : (landed >> 6) + offsets[landed & 63];
}

// Qt prints the text in black on white with its baseline's left end at the
// logical point (x, baseline). A mask it is while every pixel is black or
// white; its size is empty when one is neither.
TextStamper::Mask TextStamper::render(double x, double baseline) const
{
    QImage scratch(QSize(2 * margin_ + 6, 2 * margin_ + 2) * ratio_, QImage::Format_RGB32);
    scratch.fill(Qt::white);
    scratch.setDevicePixelRatio(ratio_);
    {
        QPainter painter(&scratch);
        painter.setFont(font_);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(x, baseline), text_);
    }
    Mask mask { QPoint(), QSize(0, 0), {} };
    QRect ink;
    for (int y = 0; y < scratch.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(scratch.constScanLine(y));
        for (int x = 0; x < scratch.width(); ++x) {
            if (line[x] == 0xffffffff)
                continue;
            if (line[x] != 0xff000000)
                return mask;
            mask.pixels.push_back(QPoint(x, y));
            ink |= QRect(x, y, 1, 1);
        }
    }
    for (QPoint &p : mask.pixels)
        p -= ink.topLeft();
    mask.topLeft = ink.topLeft();
    mask.size = ink.size();
    return mask;
}

QRect TextStamper::stamp(QImage &target, QPoint at, QRgb colour) const
{
    const QRect area = QRect(at, mask_.size) & target.rect();
    uchar *bits = target.bits();
    const qsizetype stride = target.bytesPerLine();
    for (const QPoint &p : mask_.pixels) {
        const QPoint on = p + at;
        if (area.contains(on))
            reinterpret_cast<QRgb *>(bits + on.y() * stride)[on.x()] = colour;
    }
    return area;
}

} // namespace gridlore
