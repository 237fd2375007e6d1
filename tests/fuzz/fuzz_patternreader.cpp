// libFuzzer target for the pattern readers (the program's own format, RLE,
// plaintext, Life 1.05 and 1.06): any bytes, in any of the formats,
// must be read without a crash, a hang or a sanitizer report, and what the
// reader promises about the board must hold. Built and run by scripts/fuzz.
//
// The first byte picks the board size (see setUpBoardInUse); the rest is the file.

#include "engine/life.h"
#include "patterns/patternfile.h"
#include "patterns/patternformat.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

using namespace gridlore;

namespace {

void require(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "broken promise: %s\n", what);
        std::abort();
    }
}

bool same(Cell a, Cell b)
{
    return a.isEmpty() == b.isEmpty() && a.number() == b.number()
        && std::signbit(a.number()) == std::signbit(b.number());
}

bool inLiveArea(const Life &life, int i, int j)
{
    return i >= 1 && i <= life.columns() && j >= 1 && j <= life.rows();
}

// Puts a board in use: an old pattern of 0, 1, 2 and empty in the live area,
// 3 on the ring around it and in the far corner, so every change a read makes
// shows. The size byte gives mostly small boards, where a run of inputs goes
// fast, but all sizes up to 150 and some with a fraction (7.5 is 7 x 6).
// Reuses the board's storage: fresh boards for every input would spend the
// fuzzer's time on page faults.
void setUpBoardInUse(Life &life, std::uint8_t b)
{
    static const Life pristine;
    life = pristine;
    life.setBoardSize(b < 160 ? 5 + b % 16 : b < 240 ? 21 + (b - 160) * 130 / 79 : 5.5 + (b - 240));
    for (int i = 0; i <= life.columns() + 1; ++i)
        for (int j = 0; j <= life.rows() + 1; ++j) {
            if (!inLiveArea(life, i, j))
                life.board().set(i, j, (i + j) % 2 ? Cell(3.0) : Cell::empty());
            else if ((i * 7 + j) % 5 != 0)
                life.board().set(i, j, Cell(static_cast<double>((i + j) % 3)));
        }
    life.board().set(CellArray::Extent - 1, CellArray::Extent - 1, Cell(3.0));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string file(reinterpret_cast<const char *>(data + 1), size - 1);
    static Life life, before, copy;
    setUpBoardInUse(life, data[0]);
    before = life;
    std::istringstream in(file), sniffed(file);
    ReadProblem problem;
    const ReadResult result = readPattern(in, life, &problem);
    const PatternFormat format = detectPatternFormat(sniffed);
    for (int i = 0; i < CellArray::Extent; ++i)
        for (int j = 0; j < CellArray::Extent; ++j) {
            const Cell cell = life.board().at(i, j);
            if (!inLiveArea(life, i, j) || result == ReadResult::Unchanged)
                require(same(cell, before.board().at(i, j)), "cell changed outside the read");
            else if (format != PatternFormat::Own && result == ReadResult::Complete)
                require(same(cell, Cell(0.0)) || same(cell, Cell(1.0)),
                    "a placed pattern holds other than 0 and 1");
            else
                require(std::isfinite(cell.number()), "a cell holds no finite number");
        }
    require(format == PatternFormat::Own ? result != ReadResult::Unchanged
                                         : result != ReadResult::Stopped,
        "own format reported as unchanged, or a foreign pattern left half placed");
    require(format == PatternFormat::Own
            ? problem.kind == ReadProblem::Kind::None
            : result == ReadResult::Complete || problem.kind != ReadProblem::Kind::None,
        "a foreign pattern left unused without a reason, or the own format told one");
    require(problem.line >= 0 && problem.line <= std::int64_t(file.size()) + 1,
        "a fault placed on a line the file does not have");

    // Whatever the board now holds, Save then Read then Save gives the same bytes.
    std::ostringstream first, second;
    writePattern(first, life);
    setUpBoardInUse(copy, data[0]);
    std::istringstream again(first.str());
    require(readPattern(again, copy) == ReadResult::Complete, "a saved board does not read back");
    writePattern(second, copy);
    require(second.str() == first.str(), "read then save changed the bytes");
    return 0;
}
