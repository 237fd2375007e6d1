#pragma once

#include <QFont>
#include <QImage>
#include <QString>

#include <array>
#include <vector>

namespace gridlore {

// Prints one short text many times into an image with the pixels that
// QPainter::drawText gives, where the font is drawn without antialiasing:
// every pixel of the text is then either fully painted or left alone, so the
// text is a one-bit mask that Qt renders once. Where drawText puts it for each
// 64th of a pixel is read off Qt's own output, once for x and once for y.
class TextStamper
{
public:
    // Prepares for `text` in `font` on images like `target` (its format and
    // device pixel ratio). False when stamps cannot give drawText's pixels:
    // the font is antialiased, or the text is not one mask shifted by whole
    // pixels wherever it lands.
    bool prepare(const QImage &target, const QFont &font, const QString &text);

    // The device pixel of the mask's top-left corner for the text printed
    // with its baseline's left end at logical x, or at the logical baseline;
    // Unknown where no text landed so in prepare().
    static constexpr int Unknown = -(1 << 30);
    int left(double x) const { return corner(landingX(x), lefts_); }
    int top(double baseline) const { return corner(landingY(baseline), tops_); }
    QSize size() const { return mask_.size; }

    // Paints the mask with its top-left corner at `at` in `colour`; returns
    // the rectangle it lies in, clipped to the image.
    QRect stamp(QImage &target, QPoint at, QRgb colour) const;

private:
    struct Mask
    {
        QPoint topLeft; // in device pixels
        QSize size; // empty where the text is not a mask
        std::vector<QPoint> pixels; // from the top-left corner
    };
    Mask render(double x, double baseline) const;
    // Where the baseline's left end lands, in 64ths of a device pixel.
    int landingX(double x) const;
    int landingY(double baseline) const { return static_cast<int>(baseline * ratio_ * 64); }
    static bool learn(std::array<int, 64> &offsets, int landed, int corner);
    static int corner(int landed, const std::array<int, 64> &offsets);

    QFont font_;
    QString text_;
    qreal ratio_ = 0;
    QImage::Format format_ = QImage::Format_Invalid;
    bool usable_ = false;
    int margin_ = 0; // logical pixels of room around the text's box
    Mask mask_;
    // For each 64th of a device pixel where the baseline's left end lands,
    // the mask's top-left corner from that whole pixel.
    std::array<int, 64> lefts_ {};
    std::array<int, 64> tops_ {};
};

} // namespace gridlore
