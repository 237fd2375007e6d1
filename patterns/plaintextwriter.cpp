#include "patterns/plaintextwriter.h"

#include "patterns/linereader.h"
#include "patterns/livecells.h"

#include <ostream>

namespace gridlore {

void writePlaintext(std::ostream &out, const Life &life, std::string_view name)
{
    out << "!Name: ";
    for (const char c : name)
        out << (isLineEnd(c) ? ' ' : c); // a line end in a file name would start a row
    out << '\n';
    const LiveBox box = liveBox(life);
    if (box.empty()) {
        out << ".\n";
        return;
    }
    for (int j = box.top; j <= box.bottom; ++j) {
        for (int i = box.left; i <= box.right; ++i)
            out << (isLive(life, i, j) ? 'O' : '.');
        out << '\n';
    }
}

} // namespace gridlore
