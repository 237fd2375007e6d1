#pragma once

#include <QFont>
#include <QImage>
#include <QString>

#include <array>
#include <memory>
#include <vector>

namespace gridlore {

// Prints one short text many times into an image much faster than QPainter's
// drawText, with exactly the pixels drawText would give. The text is rendered
// by Qt once per sub-pixel offset; its coverage is then blended in place with
// the same arithmetic as Qt's raster engine. Before first use with a font the
// arithmetic is checked against Qt itself over every grey level, and where Qt
// blends otherwise (gamma-corrected text, for one) the stamper declines and
// the caller prints the ordinary way.
class TextStamper
{
    struct Stamp;

public:
    TextStamper();
    ~TextStamper();

    // Prepares for `text` in `font` on images like `target` (its device pixel
    // ratio). Returns false when stamping cannot match drawText.
    bool prepare(const QImage &target, const QFont &font, const QString &text);

    // Where the prepared text lands when printed with its baseline's left end
    // at the logical point (x, baseline), as drawText(QPointF(x, baseline),
    // text) would print it: its whole device pixel and the coverage for the
    // 64ths beyond it. Holds until the next prepare() for another font, text
    // or pixel ratio.
    struct Placement
    {
        QPoint origin;
        Stamp *stamp = nullptr;
    };
    Placement place(double x, double baseline);

    // Prints the text at `at` in `colour`, and records `index` in `owners` (one entry per device
    // pixel of `target`, line by line, -1 for none) for every pixel the text covers. Tells whether
    // it covered every such pixel fully, and whether any had an owner already.
    enum class Cover { Partly, OverOthers, Alone };
    Cover stamp(
        QImage &target, const Placement &at, QRgb colour, std::vector<int> &owners, int index);
    // Paints in `colour`, as full coverage does, those pixels of the text at
    // `at` that `owners` gives to `index`, or all of them if `owners` is
    // null. Returns their bounding rectangle in device pixels.
    QRect restamp(QImage &target, const Placement &at, QRgb colour, const int *owners, int index);
    // Asks the processor to fetch what restamp() at `at` will touch, so that a
    // run of restamps scattered over a large image need not wait for memory.
    void prefetch(const QImage &target, const Placement &at) const;

private:
    // The pixels the text touches, relative to the whole-pixel origin of its
    // baseline, with their coverage; untouched pixels are left out.
    struct Stamp
    {
        QRect bounds;
        std::vector<QPoint> pixels;
        std::vector<uchar> coverage;
        std::vector<qsizetype> offsets; // of each pixel, for lines `stride` apart
        qsizetype stride = 0;
    };

    Stamp &stampFor(int fractionX, int fractionY);
    Stamp render(int fractionX, int fractionY) const;
    bool blendingMatchesQt() const;
    static void blend(QImage &target, Stamp &stamp, int x, int y, QRgb colour);

    QFont font_;
    QString text_;
    qreal ratio_ = 0;
    int margin_ = 0; // device pixels of room around the text's box
    int ascent_ = 0;
    QSize box_;
    bool usable_ = false;
    // One stamp per 1/64-pixel offset in x and y, made when first needed.
    std::array<std::unique_ptr<Stamp>, 64 * 64> stamps_;
};

} // namespace gridlore
