#include "mainwindow/boardview.h"

#include "platform/twips.h"

#include <QWidget>

#include <algorithm>
#include <bit>
#include <cmath>

namespace gridlore {

namespace {

const QColor GridColour(200, 200, 200);
const QColor BorderColour(150, 150, 150);
const QString Mark = QStringLiteral("*");

// Rounds to single precision. g++ 12 folds a plain cast to float and back away
// inside QPointF's constructor; the volatile store keeps the rounding.
double single(double value)
{
    const volatile float rounded = static_cast<float>(value);
    return rounded;
}

// A cell index of a point anywhere on the screen, kept within int; anything
// that far out is off the board either way.
int cellIndex(double position)
{
    return static_cast<int>(std::clamp(position, -1e6, 1e6));
}

} // namespace

BoardView::BoardView(QWidget *parent)
    : surface_(new DrawingSurface(parent))
{
}

bool BoardView::layOut(const Life &life)
{
    marksShown_ = false;
    const double W = surface_->scaleWidth();
    if (W <= 0)
        return false;
    const bool anew = surface_->size() != gridSurfaceSize_ || life.boardSize() != gridBoardSize_;
    if (anew) {
        gridSurfaceSize_ = surface_->size();
        gridBoardSize_ = life.boardSize();
        surface_->clear();
        topMargin_ = 1.1 * twips::fromPixels(panel_ ? panel_->height() : 0);
        const double H = surface_->scaleHeight() - topMargin_;
        const double p = W / life.boardSize();
        cellSize_ = p;
        surface_->setBackColor(Qt::white);
        const double top = 1.5 * topMargin_;
        for (double x = 0; x <= W; x += p)
            surface_->line(x, top, x, H, GridColour);
        for (double y = 0; y <= H - top; y += p)
            surface_->line(0, top + y, W, top + y, GridColour);
        surface_->rectangle(0, top, W, H, BorderColour);
    }
    fitFont();
    return anew;
}

// The largest size, in half-point steps down from 100, at which an asterisk is
// no wider than a cell; the smallest size the surface renders if none is.
void BoardView::fitFont()
{
    surface_->setFontSize(100);
    while (surface_->textWidth(Mark) > cellSize_
        && surface_->fontSize() > DrawingSurface::SmallestFontSize)
        surface_->setFontSize(surface_->fontSize() - 0.5);
}

void BoardView::showLiveMarks(const Life &life)
{
    for (int i = 1; i <= life.columns(); ++i)
        for (int j = 1; j <= life.rows(); ++j)
            if (life.board().at(i, j) == 1)
                printMark(i, j, true);
}

void BoardView::drawCells(Life &life)
{
    CellArray &board = life.board();
    const int columns = life.columns();
    const int rows = life.rows();
    constexpr QRgb Black = qRgb(0, 0, 0);
    constexpr QRgb White = qRgb(255, 255, 255);
    if (marksShown_) {
        // Same geometry as last time: only the marks of cells that came to
        // hold 1 or stopped since can differ.
        changedMarks_.clear();
        for (int i = 1; i <= columns; ++i) {
            const std::uint64_t *ones = board.ones(i);
            const std::uint64_t *changes = board.changes(i);
            for (int w = 0; w <= rows / 64; ++w)
                for (std::uint64_t bits = changes[w]; bits != 0; bits &= bits - 1) {
                    const int bit = std::countr_zero(bits);
                    const int j = w * 64 + bit;
                    if (j >= 1 && j <= rows)
                        changedMarks_.push_back({ std::size_t(i - 1) * rows + (j - 1),
                            (ones[w] >> bit) & 1 ? Black : White });
                }
        }
        if (surface_->reprintGrid(changedMarks_)) {
            board.forgetChanges();
            return;
        }
    }
    const float quarter = static_cast<float>(surface_->textHeight(Mark)) / 4.0f;
    // A mark's x follows from its column and its y from its row alone.
    std::vector<double> xs(columns), ys(rows);
    for (int i = 1; i <= columns; ++i)
        xs[i - 1] = markPosition(i, 1, quarter).x();
    for (int j = 1; j <= rows; ++j)
        ys[j - 1] = markPosition(1, j, quarter).y();
    std::vector<QRgb> colours;
    colours.reserve(std::size_t(columns) * rows);
    for (int i = 1; i <= columns; ++i)
        for (int j = 1; j <= rows; ++j)
            colours.push_back(board.at(i, j) == Cell(1.0) ? Black : White);
    surface_->printGrid(Mark, xs, ys, colours);
    board.forgetChanges();
    marksShown_ = true;
}

void BoardView::printMark(int column, int row, bool live)
{
    const float quarter = static_cast<float>(surface_->textHeight(Mark)) / 4.0f;
    const QPointF at = markPosition(column, row, quarter);
    surface_->setForeColor(live ? Qt::black : Qt::white);
    surface_->setCurrentX(at.x());
    surface_->setCurrentY(at.y());
    surface_->print(Mark);
}

// Where cell (column, row)'s asterisk is printed on the current layout: a
// quarter of the text height above the cell's top edge, in single precision.
QPointF BoardView::markPosition(int column, int row, float quarterHeight) const
{
    return QPointF(single(cellSize_ * (column - 1)),
        single(cellSize_ * (row - 1) + 1.5 * topMargin_ - quarterHeight));
}

std::optional<QPoint> BoardView::cellAt(double x, double y) const
{
    if (!(cellSize_ > 0))
        return std::nullopt;
    return QPoint(cellIndex(std::floor(x / cellSize_) + 1),
        cellIndex(std::floor((y - 1.5 * topMargin_) / cellSize_) + 1));
}

} // namespace gridlore
