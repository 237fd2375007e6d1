#include "mainwindow/mainwindow.h"

#include "platform/drawingsurface.h"
#include "platform/numbertext_qt.h"
#include "platform/twips.h"

#include <QFrame>
#include <QLineEdit>

#include <algorithm>
#include <bit>

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
} // namespace

void MainWindow::setUpBoard()
{
    life_.setBoardSize(textToNumber(sizeBox->text()));
    layOutBoard();
    life_.clearBoard();
}

// The grid, its geometry and the font for the board size and the window's
// size; true when the grid was drawn anew, with no marks on it yet. A grid
// that still fits both is kept as it is. Minimised, there is no width to lay
// cells out in, and the next real size decides.
bool MainWindow::layOutBoard()
{
    marksShown_ = false;
    const double W = surface_->scaleWidth();
    if (W <= 0)
        return false;
    const bool rebuilds
        = surface_->size() != gridSurfaceSize_ || life_.boardSize() != gridBoardSize_;
    if (rebuilds) {
        gridSurfaceSize_ = surface_->size();
        gridBoardSize_ = life_.boardSize();
        surface_->clear();
        topMargin_ = 1.1 * twips::fromPixels(panel->height());
        const double H = surface_->scaleHeight() - topMargin_;
        const double p = W / life_.boardSize();
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
    return rebuilds;
}

// The largest size, in half-point steps down from 100, at which an asterisk is
// no wider than a cell; the smallest size the surface renders if none is.
void MainWindow::fitFont()
{
    surface_->setFontSize(100);
    while (surface_->textWidth(Mark) > cellSize_
        && surface_->fontSize() > DrawingSurface::SmallestFontSize)
        surface_->setFontSize(surface_->fontSize() - 0.5);
}

void MainWindow::drawCells()
{
    CellArray &board = life_.board();
    const int columns = life_.columns();
    const int rows = life_.rows();
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

// Where cell (column, row)'s asterisk is printed on the grid of the last
// rebuild: a quarter of the text height above the cell's top edge, in single
// precision.
QPointF MainWindow::markPosition(int column, int row, float quarterHeight) const
{
    return QPointF(single(cellSize_ * (column - 1)),
        single(cellSize_ * (row - 1) + 1.5 * topMargin_ - quarterHeight));
}

void MainWindow::printLiveMarks()
{
    for (int i = 1; i <= life_.columns(); ++i)
        for (int j = 1; j <= life_.rows(); ++j)
            if (life_.board().at(i, j) == 1)
                printMark(i, j, Qt::black);
}

void MainWindow::printMark(int column, int row, const QColor &colour)
{
    const float quarter = static_cast<float>(surface_->textHeight(Mark)) / 4.0f;
    const QPointF at = markPosition(column, row, quarter);
    surface_->setForeColor(colour);
    surface_->setCurrentX(at.x());
    surface_->setCurrentY(at.y());
    surface_->print(Mark);
}

} // namespace gridlore
