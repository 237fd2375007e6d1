#include "engine/boardsnapshot.h"

#include <cmath>

namespace gridlore {

namespace {

constexpr int Words = CellArray::WordsPerColumn;

// The bits of word `w` of a column that stand for rows 0..200.
std::uint64_t rowsIn(int w)
{
    const int rows = CellArray::Extent - 64 * w;
    return rows >= 64 ? ~std::uint64_t { 0 } : (std::uint64_t { 1 } << rows) - 1;
}

} // namespace

BoardSnapshot::BoardSnapshot(const Life &life)
    : boardSize_(life.boardSize())
{
    const CellArray &board = life.board();
    ones_.reserve(CellArray::Extent * Words);
    empties_.reserve(CellArray::Extent * Words);
    for (int i = 0; i < CellArray::Extent; ++i) {
        ones_.insert(ones_.end(), board.ones(i), board.ones(i) + Words);
        empties_.insert(empties_.end(), board.empties(i), board.empties(i) + Words);
    }
    if (board.holdsOnlyZeroOneOrEmpty())
        return;
    for (int i = 0; i < CellArray::Extent; ++i)
        for (int j = 0; j < CellArray::Extent; ++j) {
            const double v = board.at(i, j).number();
            // -0 is kept as itself: a saved board writes it as its own number.
            if (!board.at(i, j).isEmpty() && v != 1 && (v != 0 || std::signbit(v)))
                others_.push_back({ i, j, v });
        }
}

void BoardSnapshot::restoreTo(Life &life) const
{
    life.setBoardSize(boardSize_);
    CellArray &board = life.board();
    for (int i = 0; i < CellArray::Extent; ++i)
        for (int w = 0; w < Words; ++w) {
            const std::size_t k = std::size_t(i) * Words + w;
            board.setBits(i, w, rowsIn(w), ones_[k], empties_[k]);
        }
    for (const Other &other : others_)
        board.set(other.column, other.row, Cell(other.number));
}

std::size_t BoardSnapshot::bytes() const
{
    return sizeof(*this) + (ones_.capacity() + empties_.capacity()) * sizeof(std::uint64_t)
        + others_.capacity() * sizeof(Other);
}

} // namespace gridlore
