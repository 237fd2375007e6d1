#include "patterns/livecells.h"

#include <algorithm>

namespace gridlore {

LiveBox liveBox(const Life &life)
{
    LiveBox box;
    for (int i = 1; i <= life.columns(); ++i)
        for (int j = 1; j <= life.rows(); ++j) {
            if (!isLive(life, i, j))
                continue;
            if (box.empty()) {
                box = { i, j, i, j };
                continue;
            }
            box.left = std::min(box.left, i);
            box.right = std::max(box.right, i);
            box.top = std::min(box.top, j);
            box.bottom = std::max(box.bottom, j);
        }
    return box;
}

bool holdsOtherNumbers(const Life &life)
{
    for (int i = 1; i <= life.columns(); ++i)
        for (int j = 1; j <= life.rows(); ++j) {
            const double number = life.board().at(i, j).number();
            if (number != 0.0 && number != 1.0)
                return true;
        }
    return false;
}

} // namespace gridlore
