#include "engine/undohistory.h"

namespace gridlore {

void UndoHistory::record(Position before)
{
    while (!redo_.empty())
        pop(redo_);
    push(undo_, std::move(before));
    trim();
}

std::optional<UndoHistory::Position> UndoHistory::undo(Position current)
{
    std::optional<Position> back = pop(undo_);
    if (back)
        push(redo_, std::move(current));
    return back;
}

std::optional<UndoHistory::Position> UndoHistory::redo(Position current)
{
    std::optional<Position> again = pop(redo_);
    if (again)
        push(undo_, std::move(current));
    return again;
}

void UndoHistory::push(std::deque<Position> &stack, Position position)
{
    bytes_ += position.board.bytes();
    stack.push_back(std::move(position));
}

std::optional<UndoHistory::Position> UndoHistory::pop(std::deque<Position> &stack)
{
    if (stack.empty())
        return std::nullopt;
    Position top = std::move(stack.back());
    stack.pop_back();
    bytes_ -= top.board.bytes();
    return top;
}

void UndoHistory::trim()
{
    while (undo_.size() > MostSteps || (bytes_ > MostBytes && undo_.size() > FewestSteps)) {
        bytes_ -= undo_.front().board.bytes();
        undo_.pop_front();
    }
}

} // namespace gridlore
