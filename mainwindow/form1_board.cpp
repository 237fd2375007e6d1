#include "mainwindow/form1.h"

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

void Form1::SetUpBoard()
{
    life_.setBoardSize(textToNumber(Text2->text()));
    layOutBoard();
    life_.clearLiveArea();
}

// The grid, its geometry and the font for the board size and the window's
// size. Minimised, there is no width to lay cells out in: GridDrawn stays as
// it is, so the next real size rebuilds if it must.
void Form1::layOutBoard()
{
    marksShown_ = false;
    const double W = surface_->scaleWidth();
    if (W <= 0)
        return;
    if (GridDrawn == 0) {
        GridDrawn = 1;
        surface_->clear();
        TopMargin = 1.1 * twips::fromPixels(Frame1->height());
        const double H = surface_->scaleHeight() - TopMargin;
        const double p = W / life_.boardSize();
        CellWidth = p;
        CellHeight = p;
        surface_->setBackColor(Qt::white);
        const double top = 1.5 * TopMargin;
        for (double x = 0; x <= W; x += p)
            surface_->line(x, top, x, H, GridColour);
        for (double y = 0; y <= H - top; y += p)
            surface_->line(0, top + y, W, top + y, GridColour);
        surface_->rectangle(0, top, W, H, BorderColour);
    }
    fitFont();
}

// The largest size, in half-point steps down from 100, at which an asterisk is
// no wider than a cell; the smallest size the surface renders if none is.
void Form1::fitFont()
{
    surface_->setFontSize(100);
    while (surface_->textWidth(Mark) > CellWidth
        && surface_->fontSize() > DrawingSurface::SmallestFontSize)
        surface_->setFontSize(surface_->fontSize() - 0.5);
}

void Form1::DrawCells()
{
    GridDrawn = 0;
    const CellArray &board = life_.board();
    const int columns = life_.columns();
    const int rows = life_.rows();
    constexpr QRgb Black = qRgb(0, 0, 0);
    constexpr QRgb White = qRgb(255, 255, 255);
    constexpr int Words = CellArray::WordsPerColumn;
    if (marksShown_) {
        // Same board size and geometry as last time: only colours can differ.
        changedMarks_.clear();
        for (int i = 1; i <= columns; ++i) {
            const std::uint64_t *ones = board.ones(i);
            std::uint64_t *shown = &shownOnes_[std::size_t(i - 1) * Words];
            for (int w = 0; w < Words; ++w) {
                for (std::uint64_t changed = ones[w] ^ shown[w]; changed != 0;
                     changed &= changed - 1) {
                    const int bit = std::countr_zero(changed);
                    const int j = w * 64 + bit;
                    if (j < 1 || j > rows)
                        continue;
                    const std::size_t k = std::size_t(i - 1) * rows + (j - 1);
                    marks_[k].colour = (ones[w] >> bit) & 1 ? Black : White;
                    changedMarks_.push_back(k);
                }
                shown[w] = ones[w];
            }
        }
        surface_->reprintMany(Mark, marks_, changedMarks_);
        return;
    }
    const float quarter = static_cast<float>(surface_->textHeight(Mark)) / 4.0f;
    // A mark's x follows from its column and its y from its row alone.
    std::vector<double> ys(rows + 1);
    for (int j = 1; j <= rows; ++j)
        ys[j] = markPosition(1, j, quarter).y();
    marks_.clear();
    for (int i = 1; i <= columns; ++i) {
        const double x = markPosition(i, 1, quarter).x();
        const double *numbers = board.numbers(i);
        for (int j = 1; j <= rows; ++j)
            marks_.push_back({ x, ys[j], numbers[j] == 1.0 ? Black : White });
    }
    surface_->printMany(Mark, marks_);
    shownOnes_.resize(std::size_t(columns) * Words);
    for (int i = 1; i <= columns; ++i)
        std::copy_n(board.ones(i), Words, &shownOnes_[std::size_t(i - 1) * Words]);
    marksShown_ = true;
}

// Where cell (column, row)'s asterisk is printed on the grid of the last
// rebuild: a quarter of the text height above the cell's top edge, in single
// precision.
QPointF Form1::markPosition(int column, int row, float quarterHeight) const
{
    return QPointF(single(CellWidth * (column - 1)),
        single(CellHeight * (row - 1) + 1.5 * TopMargin - quarterHeight));
}

void Form1::printLiveMarks()
{
    std::vector<QPoint> live;
    for (int i = 1; i <= life_.columns(); ++i)
        for (int j = 1; j <= life_.rows(); ++j)
            if (life_.board().at(i, j) == 1)
                live.emplace_back(i, j);
    printMarks(live, Qt::black);
}

void Form1::printMarks(const std::vector<QPoint> &cells, const QColor &colour)
{
    if (cells.empty())
        return;
    const float quarter = static_cast<float>(surface_->textHeight(Mark)) / 4.0f;
    std::vector<DrawingSurface::TextPrint> prints;
    prints.reserve(cells.size());
    for (const QPoint &cell : cells) {
        const QPointF at = markPosition(cell.x(), cell.y(), quarter);
        prints.push_back({ at.x(), at.y(), colour.rgb() });
    }
    surface_->printMany(Mark, prints);
}

void Form1::printMark(int column, int row, const QColor &colour)
{
    const float quarter = static_cast<float>(surface_->textHeight(Mark)) / 4.0f;
    const QPointF at = markPosition(column, row, quarter);
    surface_->setForeColor(colour);
    surface_->setCurrentX(at.x());
    surface_->setCurrentY(at.y());
    surface_->print(Mark);
}

} // namespace gridlore
