#include "platform/drawingsurface.h"

#include "platform/twips.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace gridlore {

namespace {
constexpr double PointsPerPixel = 72.0 / 96.0;
} // namespace

DrawingSurface::DrawingSurface(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_StaticContents);
    backColor_ = palette().color(QPalette::Window);
    foreColor_ = palette().color(QPalette::WindowText);
    font_ = QWidget::font();
}

double DrawingSurface::scaleWidth() const
{
    return window()->isMinimized() ? 0.0 : twips::fromPixels(width());
}

double DrawingSurface::scaleHeight() const
{
    return window()->isMinimized() ? 0.0 : twips::fromPixels(height());
}

// The image follows the widget's size even before the widget is shown, when
// Qt holds its resize events back.
QImage &DrawingSurface::canvas()
{
    ensureImageCovers(size().expandedTo(QSize(1, 1)));
    return image_;
}

void DrawingSurface::clear()
{
    ownersValid_ = false;
    canvas().fill(backColor_);
    currentX_ = 0;
    currentY_ = 0;
    update();
}

void DrawingSurface::setBackColor(const QColor &colour)
{
    backColor_ = colour;
    clear();
}

QPointF DrawingSurface::logicalPoint(double x, double y) const
{
    return QPointF(twips::toPixels(x), twips::toPixels(y));
}

// Lines land on whole pixels, as on a screen device.
QPoint DrawingSurface::devicePoint(double x, double y) const
{
    return QPoint(static_cast<int>(std::lround(twips::toPixels(x))),
        static_cast<int>(std::lround(twips::toPixels(y))));
}

void DrawingSurface::touched(const QRect &logicalRect)
{
    ownersValid_ = false;
    update(logicalRect.intersected(rect()));
}

void DrawingSurface::line(double x1, double y1, double x2, double y2, const QColor &colour)
{
    const QPoint a = devicePoint(x1, y1);
    const QPoint b = devicePoint(x2, y2);
    QPainter painter(&canvas());
    painter.setPen(QPen(colour, 1));
    painter.drawLine(a, b);
    touched(QRect(a, b).normalized().adjusted(-1, -1, 1, 1));
}

void DrawingSurface::rectangle(double x1, double y1, double x2, double y2, const QColor &colour)
{
    const QRect outline = QRect(devicePoint(x1, y1), devicePoint(x2, y2)).normalized();
    QPainter painter(&canvas());
    painter.setPen(QPen(colour, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(outline.x(), outline.y(), outline.width() - 1, outline.height() - 1);
    touched(outline.adjusted(-1, -1, 1, 1));
}

void DrawingSurface::setFont(const QFont &font)
{
    const double size = font_.pixelSize() > 0 ? fontSize() : font.pointSizeF();
    font_ = font;
    setFontSize(size);
}

void DrawingSurface::setFontSize(double points)
{
    const long pixels = std::lround(std::clamp(points, 0.0, 10000.0) / PointsPerPixel);
    font_.setPixelSize(static_cast<int>(std::max(1L, pixels)));
}

double DrawingSurface::fontSize() const
{
    return font_.pixelSize() * PointsPerPixel;
}

QFontMetricsF DrawingSurface::metrics() const
{
    return image_.isNull() ? QFontMetricsF(font_) : QFontMetricsF(font_, &image_);
}

double DrawingSurface::textWidth(const QString &text) const
{
    return twips::fromPixels(metrics().horizontalAdvance(text));
}

double DrawingSurface::textHeight(const QString &) const
{
    return twips::fromPixels(metrics().height());
}

void DrawingSurface::print(const QString &text)
{
    const QFontMetricsF metrics(font_, &canvas());
    const QPointF topLeft = logicalPoint(currentX_, currentY_);
    QPainter painter(&image_);
    painter.setFont(font_);
    painter.setPen(foreColor_);
    painter.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), text);
    const QRectF box(topLeft, QSizeF(metrics.horizontalAdvance(text), metrics.height()));
    touched(box.toAlignedRect().adjusted(-2, -2, 2, 2));
}

void DrawingSurface::printMany(const QString &text, const std::vector<TextPrint> &prints)
{
    const double ascent = QFontMetricsF(font_, &canvas()).ascent();
    ownersValid_ = false;
    if (stamper_.prepare(image_, font_, text)) {
        owners_.assign(std::size_t(image_.width()) * image_.height(), -1);
        placements_.resize(prints.size());
        bool full = true;
        bool overlap = false;
        for (std::size_t k = 0; k < prints.size(); ++k) {
            const TextPrint &at = prints[k];
            placements_[k] = stamper_.place(twips::toPixels(at.x), twips::toPixels(at.y) + ascent);
            const TextStamper::Cover cover
                = stamper_.stamp(image_, placements_[k], at.colour, owners_, int(k));
            full = full && cover != TextStamper::Cover::Partly;
            overlap = overlap || cover == TextStamper::Cover::OverOthers;
        }
        ownersValid_ = full;
        printsOverlap_ = overlap;
        printedText_ = text;
        printedFont_ = font_;
    } else {
        QPainter painter(&image_);
        painter.setFont(font_);
        for (const TextPrint &at : prints) {
            painter.setPen(QColor::fromRgb(at.colour));
            painter.drawText(QPointF(twips::toPixels(at.x), twips::toPixels(at.y) + ascent), text);
        }
    }
    update();
}

namespace {

// Lines of the image that Qt copies in one go; from somewhat more on it hands
// a copy to its worker threads, waking them for every generation.
constexpr int StripHeight = 64;

// What to send to the screen for the rectangles `areas`. While they are few:
// bands of those that overlap in height, each cut where two lie more than a
// few pixels apart; added in that order, every rectangle is appended to the
// region in constant time. Past that, for each strip of the surface the
// rectangle around those that start in it: thousands of tiny rectangles cost
// more to build into a region, paint and send than the pixels they spare.
QRegion changedRegion(std::vector<QRect> &areas)
{
    constexpr std::size_t MostRectangles = 256;
    constexpr int Gap = 16;
    QRegion region;
    if (areas.size() > MostRectangles) {
        std::vector<QRect> strips;
        for (const QRect &area : areas) {
            const std::size_t strip = std::size_t(std::max(0, area.top() / StripHeight));
            if (strips.size() <= strip)
                strips.resize(strip + 1);
            strips[strip] |= area;
        }
        for (const QRect &strip : strips)
            region += strip;
        return region;
    }
    std::sort(areas.begin(), areas.end(), [](const QRect &a, const QRect &b) {
        return a.top() < b.top() || (a.top() == b.top() && a.left() < b.left());
    });
    for (auto band = areas.begin(); band != areas.end();) {
        const int top = band->top();
        int bottom = band->bottom();
        auto end = band + 1;
        for (; end != areas.end() && end->top() <= bottom; ++end)
            bottom = std::max(bottom, end->bottom());
        std::sort(band, end, [](const QRect &a, const QRect &b) { return a.left() < b.left(); });
        int left = band->left();
        int right = band->right();
        for (auto area = band + 1; area != end; ++area) {
            if (area->left() > right + Gap) {
                region += QRect(QPoint(left, top), QPoint(right, bottom));
                left = area->left();
            }
            right = std::max(right, area->right());
        }
        region += QRect(QPoint(left, top), QPoint(right, bottom));
        band = end;
    }
    return region;
}

} // namespace

void DrawingSurface::reprintMany(const QString &text, const std::vector<TextPrint> &prints,
    const std::vector<std::size_t> &changed)
{
    if (!ownersValid_ || text != printedText_ || font_ != printedFont_
        || prints.size() != placements_.size() || !stamper_.prepare(image_, font_, text)) {
        printMany(text, prints);
        return;
    }
    const qreal ratio = image_.devicePixelRatio();
    // Where no two prints share a pixel, each owns all of its own.
    const int *owners = printsOverlap_ ? owners_.data() : nullptr;
    std::vector<QRect> areas;
    areas.reserve(changed.size());
    // The changed prints lie scattered over the image: fetching ahead keeps
    // the processor from waiting for memory at every one.
    constexpr std::size_t Ahead = 8;
    const std::size_t count = changed.size();
    for (std::size_t n = 0; n < count; ++n) {
        if (n + 2 * Ahead < count)
            __builtin_prefetch(&placements_[changed[n + 2 * Ahead]]);
        if (n + Ahead < count)
            stamper_.prefetch(image_, placements_[changed[n + Ahead]]);
        const std::size_t k = changed[n];
        const QRect area
            = stamper_.restamp(image_, placements_[k], prints[k].colour, owners, int(k));
        if (area.isEmpty())
            continue;
        if (ratio == 1)
            areas.push_back(area);
        else
            areas.push_back(QRectF(
                area.x() / ratio, area.y() / ratio, area.width() / ratio, area.height() / ratio)
                                .toAlignedRect());
    }
    if (!areas.empty())
        update(changedRegion(areas));
}

// The image covers the widget and keeps what was drawn beyond it as far as the
// screen reaches, so that a window shrunk and enlarged again still shows its
// drawing. Past that, an image of more than twice the area it must keep is
// given back: a window once made huge does not hold a huge image for ever.
void DrawingSurface::ensureImageCovers(QSize logicalSize)
{
    const qreal ratio = devicePixelRatioF();
    const bool sameRatio = !image_.isNull() && image_.devicePixelRatio() == ratio;
    const QSize held = sameRatio ? image_.deviceIndependentSize().toSize() : QSize(0, 0);
    const QSize screenSize = screen() ? screen()->size() : QSize(0, 0);
    const QSize wanted = logicalSize.expandedTo(held.boundedTo(logicalSize.expandedTo(screenSize)));
    const auto area = [](QSize s) { return qint64(s.width()) * s.height(); };
    if (sameRatio && held.expandedTo(wanted) == held && area(held) <= 2 * area(wanted))
        return;
    ownersValid_ = false;
    QImage resized(wanted * ratio, QImage::Format_RGB32);
    resized.setDevicePixelRatio(ratio);
    resized.fill(backColor_);
    if (!image_.isNull()) {
        QPainter painter(&resized);
        painter.drawImage(QPointF(0, 0), image_);
    }
    image_ = std::move(resized);
}

void DrawingSurface::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const qreal ratio = image_.devicePixelRatio();
    // Rectangle by rectangle and strip by strip: copies small enough for Qt
    // to make on this thread.
    for (const QRect &rect : event->region()) {
        for (int top = rect.top(); top <= rect.bottom(); top += StripHeight) {
            const QRect area(
                rect.left(), top, rect.width(), std::min(StripHeight, rect.bottom() + 1 - top));
            const QRectF source(
                area.x() * ratio, area.y() * ratio, area.width() * ratio, area.height() * ratio);
            painter.drawImage(QRectF(area), image_, source);
        }
    }
}

void DrawingSurface::resizeEvent(QResizeEvent *event)
{
    ensureImageCovers(event->size().expandedTo(QSize(1, 1)));
    emit resized();
}

void DrawingSurface::mousePressEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    emit mousePressed(
        event->button(), event->modifiers(), twips::fromPixels(at.x()), twips::fromPixels(at.y()));
}

void DrawingSurface::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() == Qt::NoButton)
        return;
    const QPointF at = event->position();
    emit mouseMoved(twips::fromPixels(at.x()), twips::fromPixels(at.y()));
}

void DrawingSurface::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->buttons() == Qt::NoButton)
        emit mouseReleased();
}

} // namespace gridlore
