#pragma once

namespace gridlore {

// A board cell: either empty (never written) or a number. Empty counts as 0 in
// every sum and comparison, yet stays distinguishable because a saved pattern
// writes an empty cell as an empty line and 0 as " 0 ".
class Cell
{
public:
    constexpr Cell() = default;
    constexpr Cell(double number)
        : number_(number)
        , empty_(false)
    {
    }

    static constexpr Cell empty() { return Cell(); }

    constexpr bool isEmpty() const { return empty_; }
    constexpr double number() const { return number_; }

    // Numeric equality: empty == 0 holds, as everywhere else in the program.
    friend constexpr bool operator==(Cell a, Cell b) { return a.number_ == b.number_; }

private:
    double number_ = 0.0; // always 0 while empty_
    bool empty_ = true;
};

} // namespace gridlore
