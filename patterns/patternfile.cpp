#include "patterns/patternfile.h"

#include "patterns/lifereader.h"
#include "patterns/linereader.h"
#include "patterns/patternformat.h"
#include "patterns/plaintextreader.h"
#include "patterns/rlereader.h"
#include "text/numbertext.h"

#include <algorithm>
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
            // numberToText leads with a blank unless the number is negative.
            if (!cell.isEmpty())
                out << numberToText(cell.number()) << ' ';
            out << "\r\n";
        }
    }
}

ReadResult readOwnPattern(std::istream &in, Life &life)
{
    const int columns = life.columns();
    const int rows = life.rows();
    if (!in.rdbuf())
        return ReadResult::Stopped;
    LineReader lines(*in.rdbuf());
    std::string line;
    for (int i = 1; i <= columns; ++i) {
        for (int j = 1; j <= rows; ++j) {
            if (lines.next(line) != LineReader::Status::Line)
                return ReadResult::Stopped;
            double value = 0;
            if (std::all_of(line.begin(), line.end(), isBlank))
                life.board().set(i, j, Cell::empty());
            else if (parseWholeNumber(line, value))
                life.board().set(i, j, Cell(value));
            else
                return ReadResult::Stopped;
        }
    }
    return ReadResult::Complete;
}

ReadResult readPattern(std::istream &in, Life &life, ReadProblem *problem)
{
    ReadProblem unasked;
    ReadProblem &told = problem ? *problem : unasked;
    told = ReadProblem();
    const PatternFormat format = detectPatternFormat(in);
    if (!in)
        return ReadResult::Unchanged; // could not go back to the start after looking
    switch (format) {
    case PatternFormat::Rle:
        return readRle(in, life, told);
    case PatternFormat::Plaintext:
        return readPlaintext(in, life, told);
    case PatternFormat::Life:
        return readLife(in, life, told);
    case PatternFormat::Own:
        break;
    }
    return readOwnPattern(in, life);
}

} // namespace gridlore
