#include "mainwindow/mainwindow.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace gridlore {

namespace {

bool onBoard(int column, int row)
{
    return column >= 0 && column < CellArray::Extent && row >= 0 && row < CellArray::Extent;
}

// A cell index of a point anywhere on the screen, kept within int; anything
// that far out is off the board either way.
int cellIndex(double position)
{
    return static_cast<int>(std::clamp(position, -1e6, 1e6));
}

} // namespace

// The cell under (x, y) on the grid of the last rebuild, on the board or not;
// false before any grid is laid out.
bool MainWindow::cellAt(double x, double y, int &column, int &row) const
{
    if (!(cellSize_ > 0))
        return false;
    column = cellIndex(std::floor(x / cellSize_) + 1);
    row = cellIndex(std::floor((y - 1.5 * topMargin_) / cellSize_) + 1);
    return true;
}

void MainWindow::pressCell(Qt::MouseButton, Qt::KeyboardModifiers, double x, double y)
{
    stroking_ = false;
    int i = 0;
    int j = 0;
    // A press that maps to no cell of the board (between the panel and the
    // grid, or far beyond it) is simply not an edit.
    if (!cellAt(x, y, i, j) || !onBoard(i, j))
        return;
    const UndoHistory::Position before = position();
    CellArray &board = life_.board();
    if (board.at(i, j) == Cell(0.0)) {
        board.set(i, j, Cell(1.0));
        printMark(i, j, Qt::black);
    } else {
        printMark(i, j, Qt::white);
        board.set(i, j, Cell(0.0));
    }
    record(before);
    stroking_ = true;
    strokeValue_ = board.at(i, j).number();
    strokeColumn_ = i;
    strokeRow_ = j;
}

// Every cell on the line from the last cell to this one, so that a fast
// movement leaves no gaps.
void MainWindow::strokeTo(double x, double y)
{
    int column = 0;
    int row = 0;
    if (!stroking_ || !cellAt(x, y, column, row))
        return;
    const int dx = std::abs(column - strokeColumn_);
    const int dy = -std::abs(row - strokeRow_);
    const int stepX = strokeColumn_ < column ? 1 : -1;
    const int stepY = strokeRow_ < row ? 1 : -1;
    int error = dx + dy;
    while (strokeColumn_ != column || strokeRow_ != row) {
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            strokeColumn_ += stepX;
        }
        if (twice <= dx) {
            error += dx;
            strokeRow_ += stepY;
        }
        if (onBoard(strokeColumn_, strokeRow_))
            paintCell(strokeColumn_, strokeRow_, strokeValue_);
    }
}

// Gives a cell the stroke's state, printing its mark only when that changes.
void MainWindow::paintCell(int column, int row, double value)
{
    CellArray &board = life_.board();
    const Cell now = board.at(column, row);
    board.set(column, row, Cell(value));
    if (now == Cell(value))
        return; // looks the same: 1 kept, or 0 or empty made 0
    printMark(column, row, value == 1 ? Qt::black : Qt::white);
}

} // namespace gridlore
