#include "mainwindow/form1.h"

#include <cmath>

namespace gridlore {

void Form1::Form_MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, double x, double y)
{
    if (!(CellWidth > 0))
        return; // no grid laid out yet
    const double column = std::floor(x / CellWidth) + 1;
    const double row = std::floor((y - 1.5 * TopMargin) / CellHeight) + 1;
    // A press that maps to no cell of the board (between the panel and the
    // grid, or far beyond it) is simply not an edit.
    if (!(column >= 0 && column < CellArray::Extent && row >= 0 && row < CellArray::Extent))
        return;
    marksShown_ = false; // the mark printed below lies over its neighbours
    const int i = static_cast<int>(column);
    const int j = static_cast<int>(row);
    CellArray &board = life_.board();
    if (board.at(i, j) == Cell(0.0)) {
        board.set(i, j, Cell(1.0));
        printMark(i, j, Qt::black);
    } else {
        printMark(i, j, Qt::white);
        board.set(i, j, Cell(0.0));
    }
}

} // namespace gridlore
