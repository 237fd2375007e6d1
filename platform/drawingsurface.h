#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QWidget>

#include "platform/textstamper.h"

#include <vector>

namespace gridlore {

// A window's client area that keeps what is drawn on it. Every drawing call
// paints into a backing image; the widget only ever repaints from that image,
// so covered and uncovered parts come back as they were. All lengths are
// twips from the top-left corner, y downwards.
class DrawingSurface : public QWidget
{
    Q_OBJECT

public:
    explicit DrawingSurface(QWidget *parent = nullptr);

    // The client extent; 0 by 0 while the window is minimised.
    double scaleWidth() const;
    double scaleHeight() const;

    // Paints everything in the background colour.
    void clear();
    // Setting the background colour repaints the whole surface in it.
    void setBackColor(const QColor &colour);

    // One-pixel solid lines: between two points, or the outline of the
    // rectangle they span.
    void line(double x1, double y1, double x2, double y2, const QColor &colour);
    void rectangle(double x1, double y1, double x2, double y2, const QColor &colour);

    // Text: printed with its top-left corner at the text position, in the
    // fore colour, with a transparent background.
    QFont font() const { return font_; }
    void setFont(const QFont &font);
    // Sizes take effect in whole pixels, as a screen font does; fontSize()
    // reads back the size in effect.
    void setFontSize(double points);
    double fontSize() const;
    static constexpr double SmallestFontSize = 0.75; // one pixel
    void setForeColor(const QColor &colour) { foreColor_ = colour; }
    void setCurrentX(double x) { currentX_ = x; }
    void setCurrentY(double y) { currentY_ = y; }
    double textWidth(const QString &text) const;
    double textHeight(const QString &text) const;
    void print(const QString &text);

    // Prints `text` at the text positions (xs[i], ys[j]) of a grid, column by
    // column, each in colours[i * ys.size() + j]: the same picture as setting
    // position and colour and printing each time, in a fraction of the time.
    void printGrid(const QString &text, const std::vector<double> &xs,
        const std::vector<double> &ys, const std::vector<QRgb> &colours);
    // The same picture as the last printGrid() once more, in the same font,
    // with the colours of the prints at `changed` indices changed. Paints only
    // those where the picture allows, nothing else having been drawn since;
    // false, painting nothing, where it does not.
    struct Recolour
    {
        std::size_t index;
        QRgb colour;
    };
    bool reprintGrid(const std::vector<Recolour> &changed);

    // The kept drawing, at device resolution.
    const QImage &image() const { return image_; }

signals:
    // A press of any button; x and y in twips.
    void mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, double x, double y);
    // A move with a button held down.
    void mouseMoved(double x, double y);
    void resized();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QImage &canvas();
    QFontMetricsF metrics() const;
    void ensureImageCovers(QSize logicalSize);
    QPoint devicePoint(double x, double y) const;
    void touched(const QRect &logicalRect);

    QImage image_;
    QColor backColor_ = Qt::white;
    QColor foreColor_ = Qt::black;
    QFont font_;
    double currentX_ = 0;
    double currentY_ = 0;
    TextStamper stamper_;

    // Where the prints of the last printGrid() lie, while they were stamped,
    // no two share a pixel and nothing else has been drawn since: then each
    // can be printed again alone.
    bool gridKept_ = false;
    QFont gridFont_;
    std::vector<int> gridLefts_; // device pixels, of each column's stamps
    std::vector<int> gridTops_; // and each row's
};

} // namespace gridlore
