#include "mainwindow/mainwindow.h"

#include <cstdlib>
#include <optional>

namespace gridlore {

namespace {

bool onBoard(int column, int row)
{
    return column >= 0 && column < CellArray::Extent && row >= 0 && row < CellArray::Extent;
}

} // namespace

void MainWindow::pressCell(Qt::MouseButton, Qt::KeyboardModifiers, double x, double y)
{
    // The board takes the keys from a text box, so that Ctrl+Z and the like act
    // on it. Taken here, not by a focus policy: that would also hand the board
    // the keys at a press on the panel's background, and put it in the Tab order.
    view_.surface()->setFocus(Qt::MouseFocusReason);
    stroking_ = false;
    // A press that maps to no cell of the board (between the panel and the
    // grid, or far beyond it) is simply not an edit.
    const std::optional<QPoint> cell = view_.cellAt(x, y);
    if (!cell || !onBoard(cell->x(), cell->y()))
        return;
    const int i = cell->x();
    const int j = cell->y();
    const UndoHistory::Position before = position();
    CellArray &board = life_.board();
    if (board.at(i, j) == Cell(0.0)) {
        board.set(i, j, Cell(1.0));
        view_.printMark(i, j, true);
    } else {
        view_.printMark(i, j, false);
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
    const std::optional<QPoint> cell = view_.cellAt(x, y);
    if (!stroking_ || !cell)
        return;
    const int column = cell->x();
    const int row = cell->y();
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
    view_.printMark(column, row, value == 1);
}

} // namespace gridlore
