#pragma once

#include "engine/cellarray.h"

namespace gridlore {

// The game's state as the main window plays it: the current generation, the
// next-generation buffer and the board size N. Only the live area, columns
// 1..floor(N) by rows 1..floor(0.8 N), is evolved, cleared, drawn and stored;
// the ring around it is read as neighbours and never written here.
class Life
{
public:
    static constexpr double SmallestSize = 5;
    static constexpr double LargestSize = 150;
    static constexpr double StartSize = 125;

    double boardSize() const { return boardSize_; }
    // Takes any number, limits it to 5..150 and keeps it unrounded inside.
    void setBoardSize(double n) { boardSize_ = limitBoardSize(n); }
    static double limitBoardSize(double n);

    int columns() const { return columnsFor(boardSize_); }
    int rows() const { return rowsFor(boardSize_); }
    static int columnsFor(double n);
    static int rowsFor(double n);

    CellArray &board() { return board_; }
    const CellArray &board() const { return board_; }
    const CellArray &nextBoard() const { return nextBoard_; }

    // Every live-area cell of the board becomes the number 0.
    void clearLiveArea();
    // The board as at start: the live area cleared, and every cell outside it,
    // the ring included, empty again, so that nothing drawn there before can
    // act on the board or come back when it grows. The buffer is left alone.
    void clearBoard();
    // Takes a new board size keeping the cells: those of the old live area
    // that the new one leaves out become 0, so that nothing stale comes back
    // when the board grows again.
    void resizeBoard(double n);

    // One generation, birth on 3 and survival on 2 or 3, neighbours summed by
    // value. Pass 1 marks births and survivals with 1 in the buffer and never
    // writes 0 there; pass 2 copies the buffer, empty included, and resets it
    // to 0. So cells whose buffer entry was never written come out empty.
    // The board's changes() then tell which cells came to hold 1 or stopped.
    void step();

private:
    void stepBits();
    void stepValues();

    CellArray board_;
    CellArray nextBoard_;
    double boardSize_ = StartSize;
};

} // namespace gridlore
