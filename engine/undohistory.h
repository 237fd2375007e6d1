#pragma once

#include "engine/boardsnapshot.h"

#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

namespace gridlore {

// Where the board stood before each change the user can take back, and where
// it stood before each change taken back, to do it again. Bounded: past 1,000
// steps, or past 32 MB with more than 200 kept, the oldest steps go.
class UndoHistory
{
public:
    struct Position
    {
        BoardSnapshot board;
        double generation;
    };

    static constexpr std::size_t MostSteps = 1000;
    static constexpr std::size_t FewestSteps = 200;
    static constexpr std::size_t MostBytes = std::size_t { 32 } << 20;

    // Before a change: `before` becomes the step undo goes back to, and what
    // could have been redone is dropped.
    void record(Position before);
    // Where to go back to, given where the board stands; nothing when there
    // is no step to take back.
    std::optional<Position> undo(Position current);
    std::optional<Position> redo(Position current);

    std::size_t steps() const { return undo_.size(); }
    std::size_t bytes() const { return bytes_; }

private:
    void push(std::deque<Position> &stack, Position position);
    std::optional<Position> pop(std::deque<Position> &stack);
    void trim();

    std::deque<Position> undo_;
    std::deque<Position> redo_;
    std::size_t bytes_ = 0;
};

} // namespace gridlore
