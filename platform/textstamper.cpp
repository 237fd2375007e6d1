#include "platform/textstamper.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace gridlore {

namespace {

// A coordinate in Qt's 26.6 fixed-point form, truncated as Qt does.
int fixedPoint(double deviceCoordinate)
{
    return static_cast<int>(deviceCoordinate * 64.0);
}

// x * a / 255 per 8-bit channel, rounded as Qt's raster engine does.
inline quint32 byteMul(quint32 x, quint32 a)
{
    quint64 t = ((quint64(x) | (quint64(x) << 24)) & 0x00ff00ff00ff00ffULL) * a;
    t = (t + ((t >> 8) & 0x00ff00ff00ff00ffULL) + 0x0080008000800080ULL) >> 8;
    t &= 0x00ff00ff00ff00ffULL;
    return quint32(t) | quint32(t >> 24);
}

// The colour at a coverage: byteMul(src, coverage), without the multiply for
// the two colours a board is painted in.
inline quint32 colourAt(quint32 src, quint32 coverage)
{
    if (src == 0xff000000u)
        return coverage << 24;
    if (src == 0xffffffffu)
        return coverage * 0x01010101u;
    return byteMul(src, coverage);
}

inline quint32 blendPixel(quint32 dst, quint32 src, quint32 coverage)
{
    if (coverage == 255)
        return src;
    const quint32 s = colourAt(src, coverage);
    return s + byteMul(dst, 255 - qAlpha(s));
}

} // namespace

TextStamper::TextStamper() = default;
TextStamper::~TextStamper() = default;

bool TextStamper::prepare(const QImage &target, const QFont &font, const QString &text)
{
    if (font == font_ && text == text_ && target.devicePixelRatio() == ratio_)
        return usable_;
    font_ = font;
    text_ = text;
    ratio_ = target.devicePixelRatio();
    for (auto &stamp : stamps_)
        stamp.reset();
    const QFontMetricsF metrics(font_);
    margin_ = qCeil(metrics.height() * ratio_ / 2) + 2;
    ascent_ = qCeil(metrics.ascent() * ratio_);
    box_
        = QSize(qCeil(metrics.horizontalAdvance(text_) * ratio_), qCeil(metrics.height() * ratio_));
    // Qt paints glyphs beyond its cache's size as outlines, with other
    // arithmetic: those go the ordinary way (and are few on any board).
    constexpr int LargestCachedGlyph = 64;
    usable_ = target.format() == QImage::Format_RGB32
        && QFontInfo(font_).pixelSize() * ratio_ <= LargestCachedGlyph && blendingMatchesQt();
    return usable_;
}

// Qt renders the text in black on white with its baseline at a whole pixel
// plus the given 64ths; what it left is the coverage, white being none.
TextStamper::Stamp TextStamper::render(int fractionX, int fractionY) const
{
    const int side = 2 * margin_ + std::max(box_.width(), box_.height()) + ascent_;
    QImage scratch(side, side, QImage::Format_RGB32);
    scratch.fill(Qt::white);
    scratch.setDevicePixelRatio(ratio_);
    {
        QPainter painter(&scratch);
        painter.setFont(font_);
        painter.setPen(Qt::black);
        painter.drawText(QPointF((margin_ + fractionX / 64.0) / ratio_,
                             (margin_ + ascent_ + fractionY / 64.0) / ratio_),
            text_);
    }
    int left = side, top = side, right = -1, bottom = -1;
    for (int y = 0; y < side; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(scratch.constScanLine(y));
        for (int x = 0; x < side; ++x) {
            if (line[x] != 0xffffffff) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    Stamp stamp;
    if (right < 0)
        return stamp; // nothing visible, a blank for instance
    const QPoint origin(margin_, margin_ + ascent_);
    stamp.bounds = QRect(QPoint(left, top) - origin, QPoint(right, bottom) - origin);
    for (int y = top; y <= bottom; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(scratch.constScanLine(y));
        for (int x = left; x <= right; ++x) {
            if (line[x] != 0xffffffff) {
                stamp.pixels.push_back(QPoint(x, y) - origin);
                stamp.coverage.push_back(uchar(255 - qRed(line[x])));
            }
        }
    }
    return stamp;
}

// Prints the text with Qt over a spread of grey levels and the board's own
// greys, in black and in white, and compares with our own blending of the
// derived coverage.
bool TextStamper::blendingMatchesQt() const
{
    QList<int> greys { 150, 200, 255 };
    for (int grey = 0; grey < 256; grey += 4)
        greys << grey;
    const int across = qCeil(std::sqrt(double(greys.size())));
    Stamp stamp = render(0, 0);
    const int tile = 2 * margin_ + std::max(box_.width(), box_.height()) + ascent_;
    for (const QRgb colour : { qRgb(0, 0, 0), qRgb(255, 255, 255) }) {
        QImage byQt(tile * across, tile * across, QImage::Format_RGB32);
        byQt.setDevicePixelRatio(ratio_);
        QImage ours;
        {
            QPainter painter(&byQt);
            for (int k = 0; k < greys.size(); ++k)
                painter.fillRect(QRectF((k % across) * tile / ratio_, (k / across) * tile / ratio_,
                                     tile / ratio_, tile / ratio_),
                    QColor(greys[k], greys[k], greys[k]));
            ours = byQt.copy();
            painter.setFont(font_);
            painter.setPen(QColor::fromRgb(colour));
            for (int k = 0; k < greys.size(); ++k)
                painter.drawText(QPointF(((k % across) * tile + margin_) / ratio_,
                                     ((k / across) * tile + margin_ + ascent_) / ratio_),
                    text_);
        }
        for (int k = 0; k < greys.size(); ++k)
            blend(ours, stamp, (k % across) * tile + margin_,
                (k / across) * tile + margin_ + ascent_, colour);
        if (ours != byQt)
            return false;
    }
    return true;
}

TextStamper::Stamp &TextStamper::stampFor(int fractionX, int fractionY)
{
    std::unique_ptr<Stamp> &slot = stamps_[std::size_t(fractionY) * 64 + fractionX];
    if (!slot)
        slot = std::make_unique<Stamp>(render(fractionX, fractionY));
    return *slot;
}

TextStamper::Placement TextStamper::place(double x, double baseline)
{
    const int fx = fixedPoint(x * ratio_);
    const int fy = fixedPoint(baseline * ratio_);
    // Floor division: the whole pixel, and the 64ths beyond it.
    return { QPoint(fx >> 6, fy >> 6), &stampFor(fx & 63, fy & 63) };
}

TextStamper::Cover TextStamper::stamp(
    QImage &target, const Placement &at, QRgb colour, std::vector<int> &owners, int index)
{
    const Stamp &s = *at.stamp;
    blend(target, *at.stamp, at.origin.x(), at.origin.y(), colour);
    Cover cover = Cover::Alone;
    for (std::size_t k = 0; k < s.pixels.size(); ++k) {
        const QPoint p = s.pixels[k] + at.origin;
        if (s.coverage[k] != 255)
            cover = Cover::Partly;
        if (!target.rect().contains(p))
            continue;
        int &owner = owners[std::size_t(p.y()) * target.width() + p.x()];
        if (owner != -1 && cover == Cover::Alone)
            cover = Cover::OverOthers;
        owner = index;
    }
    return cover;
}

QRect TextStamper::restamp(
    QImage &target, const Placement &at, QRgb colour, const int *owners, int index)
{
    Stamp &s = *at.stamp;
    const QPoint origin = at.origin;
    const QRect area = s.bounds.translated(origin);
    const qsizetype stride = target.bytesPerLine() / qsizetype(sizeof(QRgb));
    QRgb *bits = reinterpret_cast<QRgb *>(target.bits());
    if (area.left() >= 0 && area.top() >= 0 && area.right() < target.width()
        && area.bottom() < target.height() && stride == target.width()) {
        if (s.stride != stride) {
            s.offsets.clear();
            for (const QPoint &p : s.pixels)
                s.offsets.push_back(p.y() * stride + p.x());
            s.stride = stride;
        }
        QRgb *first = bits + origin.y() * stride + origin.x();
        if (!owners) {
            for (const qsizetype offset : s.offsets)
                first[offset] = colour;
            return area;
        }
        const int *owner = owners + (first - bits);
        for (const qsizetype offset : s.offsets)
            if (owner[offset] == index)
                first[offset] = colour;
        return area;
    }
    // Partly off the image: pixel by pixel, keeping to what is on it.
    for (const QPoint &p : s.pixels) {
        const QPoint on = p + origin;
        const qsizetype k = on.y() * qsizetype(target.width()) + on.x();
        if (target.rect().contains(on) && (!owners || owners[k] == index))
            bits[on.y() * stride + on.x()] = colour;
    }
    return area & target.rect();
}

void TextStamper::prefetch(const QImage &target, const Placement &at) const
{
    const Stamp &s = *at.stamp;
    __builtin_prefetch(s.offsets.data());
    const QRect area = s.bounds.translated(at.origin) & target.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        __builtin_prefetch(target.constScanLine(y) + qsizetype(area.left()) * sizeof(QRgb), 1);
}

void TextStamper::blend(QImage &target, Stamp &stamp, int x, int y, QRgb colour)
{
    // Black or white over itself stays as it is at any coverage, which
    // spares most pixels of a board repainted generation after generation.
    const bool fixedOverItself = colour == 0xff000000u || colour == 0xffffffffu;
    const std::size_t count = stamp.coverage.size();
    const uchar *coverage = stamp.coverage.data();
    const QRect &b = stamp.bounds;
    if (x + b.left() >= 0 && y + b.top() >= 0 && x + b.right() < target.width()
        && y + b.bottom() < target.height()) {
        const qsizetype stride = target.bytesPerLine() / qsizetype(sizeof(QRgb));
        if (stamp.stride != stride) {
            stamp.offsets.clear();
            for (const QPoint &p : stamp.pixels)
                stamp.offsets.push_back(p.y() * stride + p.x());
            stamp.stride = stride;
        }
        QRgb *origin = reinterpret_cast<QRgb *>(target.bits()) + y * stride + x;
        const qsizetype *offsets = stamp.offsets.data();
        for (std::size_t k = 0; k < count; ++k) {
            QRgb &pixel = origin[offsets[k]];
            if (!(fixedOverItself && pixel == colour))
                pixel = blendPixel(pixel, colour, coverage[k]);
        }
        return;
    }
    // Partly off the image: pixel by pixel, keeping to what is on it.
    for (std::size_t k = 0; k < count; ++k) {
        const QPoint at = stamp.pixels[k] + QPoint(x, y);
        if (!target.rect().contains(at))
            continue;
        QRgb &pixel = reinterpret_cast<QRgb *>(target.scanLine(at.y()))[at.x()];
        if (!(fixedOverItself && pixel == colour))
            pixel = blendPixel(pixel, colour, coverage[k]);
    }
}

} // namespace gridlore
