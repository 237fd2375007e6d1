#include "patterns/patternfile.h"

#include "platform/numbertext.h"

#include <istream>
#include <ostream>
#include <string>

namespace gridlore {

void writePattern(std::ostream &out, const Life &life)
{
    const int columns = life.columns();
    const int rows = life.rows();
    for (int i = 1; i <= columns; ++i) {
        for (int j = 1; j <= rows; ++j) {
            const Cell cell = life.board().at(i, j);
            if (!cell.isEmpty())
                out << numberToText(cell.number()) << ' ';
            out << "\r\n";
        }
    }
}

ReadResult readPattern(std::istream &in, Life &life)
{
    const int columns = life.columns();
    const int rows = life.rows();
    std::string line;
    for (int i = 1; i <= columns; ++i) {
        for (int j = 1; j <= rows; ++j) {
            if (!std::getline(in, line))
                return ReadResult::Stopped;
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            double value = 0;
            if (line.find_first_not_of(" \t") == std::string::npos)
                life.board().set(i, j, Cell::empty());
            else if (parseWholeNumber(line, value))
                life.board().set(i, j, Cell(value));
            else
                return ReadResult::Stopped;
        }
    }
    return ReadResult::Complete;
}

} // namespace gridlore
