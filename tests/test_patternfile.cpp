#include "patterns/patterntesting.h"

#include "engine/life.h"
#include "patterns/patternfile.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <sstream>
#include <streambuf>
#include <string>

using gridlore::Cell;
using gridlore::Life;
using gridlore::ReadResult;

namespace {

// The worked example: board size 5, a blinker lying in row 2.
Life workedExampleLife()
{
    Life life = clearedLife(5);
    placeBoard(life.board(), 1, 1, QStringLiteral(".....\n.OOO.\n.....\n....."));
    return life;
}

QByteArray repeated(const char *line, int times)
{
    return QByteArray(line).repeated(times);
}

// Its file, spelt out line by line: columns 1 and 5 all " 0 ", columns 2 to 4
// " 0 ", " 1 ", " 0 ", " 0 ".
QByteArray workedExampleFile()
{
    return repeated(" 0 \r\n", 4) + repeated(" 0 \r\n 1 \r\n 0 \r\n 0 \r\n", 3)
        + repeated(" 0 \r\n", 4);
}

// A size 5 file (20 lines) whose line 3 is `line` and all others " 1 ".
QByteArray fileWithThirdLine(const QByteArray &line)
{
    return repeated(" 1 \r\n", 2) + line + "\r\n" + repeated(" 1 \r\n", 17);
}

// An endless file: the same byte for ever, as a device or a huge damaged file
// would give. Counts what was taken from it; seeks only back to its start.
class EndlessBuffer : public std::streambuf
{
public:
    explicit EndlessBuffer(char byte)
        : block_(4096, byte)
    {
        refill();
    }
    long long served() const { return served_ + (gptr() - eback()); }

protected:
    int_type underflow() override
    {
        served_ += egptr() - eback();
        refill();
        return traits_type::to_int_type(*gptr());
    }
    pos_type seekoff(off_type off, std::ios_base::seekdir dir, std::ios_base::openmode) override
    {
        if (dir == std::ios_base::cur && off == 0)
            return pos_type(served());
        return pos_type(off_type(-1));
    }
    pos_type seekpos(pos_type pos, std::ios_base::openmode) override
    {
        if (pos != pos_type(0))
            return pos_type(off_type(-1));
        served_ = 0;
        refill();
        return pos;
    }

private:
    void refill() { setg(block_.data(), block_.data(), block_.data() + block_.size()); }

    std::string block_;
    long long served_ = 0;
};

} // namespace

class TestPatternFile : public QObject
{
    Q_OBJECT

private slots:
    // Writing
    void workedExampleIsOneHundredBytes();
    void saveAfterFirstStepWritesEmptyLines();
    void cellValuesAreFramed_data();
    void cellValuesAreFramed();
    void saveWalksOnlyTheLiveArea();

    // Reading
    void workedExampleReadsBackAtSizeFive();
    void workedExampleFillsPartOfSizeTen();
    void cellHoldingTwoCountsDoubleAndIsSavedAsTwo();
    void fileLengths_data();
    void fileLengths();
    void longFileLeavesExtraLinesUnread();
    void valuesAndLineEnds_data();
    void valuesAndLineEnds();
    void linesOutsideTheFormatStopTheReading_data();
    void linesOutsideTheFormatStopTheReading();
    void lineLengthLimit_data();
    void lineLengthLimit();
    void endlessFileIsReadOnlyUpToTheLimit_data();
    void endlessFileIsReadOnlyUpToTheLimit();
    void readTouchesOnlyTheLiveArea();

    // Both ways
    void readThenSaveGivesTheSameBytes_data();
    void readThenSaveGivesTheSameBytes();
};

void TestPatternFile::workedExampleIsOneHundredBytes()
{
    const QByteArray bytes = savedBytes(workedExampleLife());
    QCOMPARE(bytes.size(), 100);
    QCOMPARE(bytes, workedExampleFile());
}

void TestPatternFile::saveAfterFirstStepWritesEmptyLines()
{
    // Right after start-up nothing has written the next-generation buffer, so
    // the first step leaves empty, not 0, in every dead cell.
    Life life = workedExampleLife();
    life.step();
    const QByteArray expected
        = repeated("\r\n", 8) + repeated(" 1 \r\n", 3) + "\r\n" + repeated("\r\n", 8);
    QCOMPARE(savedBytes(life), expected);
}

void TestPatternFile::cellValuesAreFramed_data()
{
    QTest::addColumn<Cell>("cell");
    QTest::addColumn<QByteArray>("line");

    QTest::newRow("0") << Cell(0.0) << QByteArray(" 0 \r\n");
    QTest::newRow("1") << Cell(1.0) << QByteArray(" 1 \r\n");
    QTest::newRow("empty") << Cell::empty() << QByteArray("\r\n");
    QTest::newRow("2") << Cell(2.0) << QByteArray(" 2 \r\n");
    QTest::newRow("-3") << Cell(-3.0) << QByteArray("-3 \r\n");
    QTest::newRow("-0 as 0") << Cell(-0.0) << QByteArray(" 0 \r\n");
    QTest::newRow("0.1") << Cell(0.1) << QByteArray(" 0.1 \r\n");
    QTest::newRow("-2.5") << Cell(-2.5) << QByteArray("-2.5 \r\n");
    QTest::newRow("1/3") << Cell(1.0 / 3.0) << QByteArray(" 0.3333333333333333 \r\n");
    QTest::newRow("123456789012345")
        << Cell(123456789012345.0) << QByteArray(" 123456789012345 \r\n");
    QTest::newRow("1e300") << Cell(1e300) << QByteArray(" 1e+300 \r\n");
}

void TestPatternFile::cellValuesAreFramed()
{
    QFETCH(Cell, cell);
    QFETCH(QByteArray, line);
    Life life = clearedLife(5);
    life.board().set(1, 1, cell);
    const QByteArray bytes = savedBytes(life);
    QCOMPARE(bytes.left(line.size()), line);
    QCOMPARE(bytes.mid(line.size()), repeated(" 0 \r\n", 19));
}

void TestPatternFile::saveWalksOnlyTheLiveArea()
{
    // Size 7.5 has 7 columns and 6 rows; the cells around them are not saved.
    Life life = clearedLife(7.5);
    life.board().set(0, 1, Cell(1.0));
    life.board().set(8, 6, Cell(1.0));
    life.board().set(7, 7, Cell(1.0));
    life.board().set(7, 6, Cell(2.0));
    QCOMPARE(savedBytes(life), repeated(" 0 \r\n", 41) + " 2 \r\n");
}

void TestPatternFile::workedExampleReadsBackAtSizeFive()
{
    Life life;
    life.setBoardSize(5);
    QCOMPARE(readBytes(workedExampleFile(), life), ReadResult::Complete);
    QCOMPARE(livePicture(life), livePicture(workedExampleLife()));
    QVERIFY(sameBoards(life.board(), workedExampleLife().board()));
}

void TestPatternFile::workedExampleFillsPartOfSizeTen()
{
    // 10 x 8 needs 80 values; the 20 lines fill columns 1 and 2 and rows 1 to
    // 4 of column 3, and the cells after them keep what they held.
    Life life = clearedLife(10);
    fillLiveArea(life, Cell(7.0));
    QCOMPARE(readBytes(workedExampleFile(), life), ReadResult::Stopped);
    QCOMPARE(livePicture(life),
        QStringLiteral("...7777777\n"
                       ".O.7777777\n"
                       "...7777777\n"
                       "...7777777\n"
                       "..77777777\n"
                       "OO77777777\n"
                       "..77777777\n"
                       "..77777777"));
}

void TestPatternFile::cellHoldingTwoCountsDoubleAndIsSavedAsTwo()
{
    // (2, 2) holds 2 and (4, 2) holds 1: the three dead cells of column 3
    // between them see a sum of 3 and come alive, which they would not if the
    // 2 counted as an ordinary live cell.
    const QByteArray file = repeated(" 0 \r\n", 5) + " 2 \r\n" + repeated(" 0 \r\n", 7) + " 1 \r\n"
        + repeated(" 0 \r\n", 6);
    Life life = clearedLife(5);
    QCOMPARE(readBytes(file, life), ReadResult::Complete);
    QCOMPARE(life.board().at(2, 2).number(), 2.0);
    QCOMPARE(savedBytes(life), file);

    life.step();
    QCOMPARE(alivePicture(life), QStringLiteral("..O..\n..O..\n..O..\n....."));
}

void TestPatternFile::fileLengths_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<ReadResult>("result");
    QTest::addColumn<QString>("picture");

    QTest::newRow("empty file") << QByteArray() << ReadResult::Stopped
                                << QStringLiteral("77777\n77777\n77777\n77777");
    QTest::newRow("three lines") << repeated(" 1 \r\n", 3) << ReadResult::Stopped
                                 << QStringLiteral("O7777\nO7777\nO7777\n77777");
    QTest::newRow("19 lines") << repeated(" 1 \r\n", 19) << ReadResult::Stopped
                              << QStringLiteral("OOOOO\nOOOOO\nOOOOO\nOOOO7");
    QTest::newRow("20 lines") << repeated(" 1 \r\n", 20) << ReadResult::Complete
                              << QStringLiteral("OOOOO\nOOOOO\nOOOOO\nOOOOO");
    QTest::newRow("20 lines, the last without line end") << repeated(" 1 \r\n", 19)
            + " 1 " << ReadResult::Complete << QStringLiteral("OOOOO\nOOOOO\nOOOOO\nOOOOO");
    QTest::newRow("21 lines") << repeated(" 1 \r\n", 21) << ReadResult::Complete
                              << QStringLiteral("OOOOO\nOOOOO\nOOOOO\nOOOOO");
    QTest::newRow("20 lines and a word")
        << repeated(" 1 \r\n", 20) + "word\r\n"
        << ReadResult::Complete << QStringLiteral("OOOOO\nOOOOO\nOOOOO\nOOOOO");
}

void TestPatternFile::fileLengths()
{
    QFETCH(QByteArray, file);
    QFETCH(ReadResult, result);
    QFETCH(QString, picture);
    Life life = clearedLife(5);
    fillLiveArea(life, Cell(7.0));
    QCOMPARE(readBytes(file, life), result);
    QCOMPARE(livePicture(life), picture);
}

void TestPatternFile::longFileLeavesExtraLinesUnread()
{
    const QByteArray extra = "more lines\r\nthan the board needs\r\n";
    std::istringstream in((workedExampleFile() + extra).toStdString());
    Life life = clearedLife(5);
    QCOMPARE(gridlore::readPattern(in, life), ReadResult::Complete);
    const std::string rest(std::istreambuf_iterator<char>(in), {});
    QCOMPARE(QByteArray::fromStdString(rest), extra);
}

void TestPatternFile::valuesAndLineEnds_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::addColumn<Cell>("cell");

    const QList<QByteArray> ends = { "\r\n", "\n" };
    for (const QByteArray &end : ends) {
        const char *endName = end == "\n" ? "LF" : "CR LF";
        auto row = [&](const char *line, Cell cell) {
            QTest::addRow("%s, \"%s\"", endName, line) << QByteArray(line) << end << cell;
        };
        row(" 0 ", Cell(0.0));
        row(" 1 ", Cell(1.0));
        row("", Cell::empty());
        row("   ", Cell::empty());
        row("\t", Cell::empty());
        row("1", Cell(1.0));
        row("\t1\t", Cell(1.0));
        row("  \t 1", Cell(1.0));
        row("1 \t  ", Cell(1.0));
        row("-3 ", Cell(-3.0));
        row(" +4 ", Cell(4.0));
        row(" 0.1 ", Cell(0.1));
        row(" .5 ", Cell(0.5));
        row(" 2.5e3 ", Cell(2500.0));
        row(" 1e-999 ", Cell(0.0));
        row(" 1.7976931348623157e308 ", Cell(std::numeric_limits<double>::max()));
    }
}

void TestPatternFile::valuesAndLineEnds()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, lineEnd);
    QFETCH(Cell, cell);
    // The value sits in cell (1, 2), between two ordinary lines.
    QByteArray file = " 1 " + lineEnd + line + lineEnd;
    for (int k = 3; k <= 20; ++k)
        file += " 1 " + lineEnd;
    Life life = clearedLife(5);
    QCOMPARE(readBytes(file, life), ReadResult::Complete);
    QVERIFY2(
        sameCell(life.board().at(1, 2), cell), qPrintable(boardPicture(life.board(), 1, 2, 1, 1)));
    QCOMPARE(life.board().at(1, 1).number(), 1.0);
    QCOMPARE(life.board().at(1, 3).number(), 1.0);
    QCOMPARE(life.board().at(5, 4).number(), 1.0);
}

void TestPatternFile::linesOutsideTheFormatStopTheReading_data()
{
    QTest::addColumn<QByteArray>("line");

    QTest::newRow("word") << QByteArray("word");
    QTest::newRow("number then word") << QByteArray(" 1 cell");
    QTest::newRow("quoted") << QByteArray("\"1\"");
    QTest::newRow("1,2") << QByteArray("1,2");
    QTest::newRow("1 2") << QByteArray("1 2");
    QTest::newRow("0x10") << QByteArray("0x10");
    QTest::newRow("nan") << QByteArray("nan");
    QTest::newRow("inf") << QByteArray("inf");
    QTest::newRow("-inf") << QByteArray("-inf");
    QTest::newRow("1e999") << QByteArray("1e999");
    QTest::newRow("-1e999") << QByteArray("-1e999");
    QTest::newRow("1e") << QByteArray("1e");
    QTest::newRow("- 1") << QByteArray("- 1");
    QTest::newRow(".") << QByteArray(".");
    QTest::newRow("NUL byte") << QByteArray(" 1\0 ", 4);
    QTest::newRow("bare CR inside") << QByteArray(" 1 \r 1 ");
    QTest::newRow("full-width digit") << QByteArray("\xef\xbc\x91");
    QTest::newRow("5000-byte line") << QByteArray(" 1") + QByteArray(4998, ' ');
}

void TestPatternFile::linesOutsideTheFormatStopTheReading()
{
    QFETCH(QByteArray, line);
    Life life = clearedLife(5);
    fillLiveArea(life, Cell(7.0));
    QCOMPARE(readBytes(fileWithThirdLine(line), life), ReadResult::Stopped);
    QCOMPARE(livePicture(life), QStringLiteral("O7777\nO7777\n77777\n77777"));
}

void TestPatternFile::lineLengthLimit_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::addColumn<ReadResult>("result");

    const QByteArray value = " 1";
    const QByteArray longest = value + QByteArray(4096 - value.size(), ' ');
    QTest::newRow("4096 bytes, CR LF") << longest << QByteArray("\r\n") << ReadResult::Complete;
    QTest::newRow("4096 bytes, LF") << longest << QByteArray("\n") << ReadResult::Complete;
    QTest::newRow("4097 bytes, CR LF")
        << longest + ' ' << QByteArray("\r\n") << ReadResult::Stopped;
    QTest::newRow("4097 bytes, LF") << longest + ' ' << QByteArray("\n") << ReadResult::Stopped;
    QTest::newRow("4096 blanks") << QByteArray(4096, ' ') << QByteArray("\n")
                                 << ReadResult::Complete;
    QTest::newRow("4097 blanks") << QByteArray(4097, ' ') << QByteArray("\n")
                                 << ReadResult::Stopped;
}

void TestPatternFile::lineLengthLimit()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, lineEnd);
    QFETCH(ReadResult, result);
    Life life = clearedLife(5);
    fillLiveArea(life, Cell(7.0));
    QCOMPARE(
        readBytes(repeated(" 1 \r\n", 2) + line + lineEnd + repeated(" 1 \r\n", 17), life), result);
    QCOMPARE(boardPicture(life.board(), 1, 1, 1, 2), QStringLiteral("O\nO"));
    QCOMPARE(life.board().at(5, 4).number(), result == ReadResult::Complete ? 1.0 : 7.0);
}

void TestPatternFile::endlessFileIsReadOnlyUpToTheLimit_data()
{
    QTest::addColumn<char>("byte");

    QTest::newRow("NUL bytes") << '\0';
    QTest::newRow("blanks") << ' ';
    QTest::newRow("digits") << '1';
    QTest::newRow("letters") << 'x';
}

void TestPatternFile::endlessFileIsReadOnlyUpToTheLimit()
{
    // Stands in for a file of gigabytes without a line break: the reading must
    // end as a failure soon, holding no more than one line.
    QFETCH(char, byte);
    EndlessBuffer buffer(byte);
    std::istream in(&buffer);
    Life life = clearedLife(5);
    fillLiveArea(life, Cell(7.0));
    QCOMPARE(gridlore::readPattern(in, life), ReadResult::Stopped);
    QVERIFY2(buffer.served() <= 64 * 1024 + 4098, qPrintable(QString::number(buffer.served())));
    QCOMPARE(livePicture(life), QStringLiteral("77777\n77777\n77777\n77777"));
}

void TestPatternFile::readTouchesOnlyTheLiveArea()
{
    Life life;
    life.setBoardSize(7.5); // 7 x 6
    life.board().set(0, 0, Cell(3.0));
    life.board().set(8, 7, Cell(3.0));
    life.board().set(7, 7, Cell(3.0));
    life.board().set(8, 6, Cell(3.0));
    const Life before = life;
    QCOMPARE(
        readBytes(repeated(" 1 \r\n", 42) + repeated(" 5 \r\n", 10), life), ReadResult::Complete);
    for (int i = 0; i < gridlore::CellArray::Extent; ++i)
        for (int j = 0; j < gridlore::CellArray::Extent; ++j) {
            const bool live = i >= 1 && i <= 7 && j >= 1 && j <= 6;
            QVERIFY(sameCell(life.board().at(i, j), live ? Cell(1.0) : before.board().at(i, j)));
        }
}

void TestPatternFile::readThenSaveGivesTheSameBytes_data()
{
    QTest::addColumn<double>("size");
    QTest::addColumn<QList<Cell>>("values"); // repeated over the live area, column by column

    const Cell e = Cell::empty();
    QTest::newRow("size 5, cleared") << 5.0 << QList<Cell> { 0.0 };
    QTest::newRow("size 5, after the first step") << 5.0 << QList<Cell> { e, e, 1.0 };
    QTest::newRow("size 5, 0, 1 and empty") << 5.0 << QList<Cell> { 0.0, 1.0, e, 1.0, 0.0, 0.0, e };
    QTest::newRow("size 7.5 (7 x 6)") << 7.5 << QList<Cell> { 1.0, 0.0, 0.0 };
    QTest::newRow("size 125") << 125.0 << QList<Cell> { 0.0, 0.0, 1.0, e, 0.0 };
    QTest::newRow("size 150") << 150.0 << QList<Cell> { 1.0, 0.0 };
    QTest::newRow("size 5, other numbers")
        << 5.0
        << QList<Cell> { 2.0, -3.0, 0.1, -2.5, 1.0 / 3.0, 1e300, -1e-7, 5e-324, 1e15, 1e16,
               123456789012345678.0, 0.0001, -0.000123, 2.2250738585072014e-308,
               std::numeric_limits<double>::max(), -std::numeric_limits<double>::max() };
}

void TestPatternFile::readThenSaveGivesTheSameBytes()
{
    QFETCH(double, size);
    QFETCH(QList<Cell>, values);
    Life original = clearedLife(size);
    qsizetype k = 0;
    for (int i = 1; i <= original.columns(); ++i)
        for (int j = 1; j <= original.rows(); ++j)
            original.board().set(i, j, values[k++ % values.size()]);
    const QByteArray saved = savedBytes(original);

    Life copy = clearedLife(size);
    fillLiveArea(copy, Cell(7.0));
    QCOMPARE(readBytes(saved, copy), ReadResult::Complete);
    QVERIFY(sameBoards(copy.board(), original.board()));
    QCOMPARE(savedBytes(copy), saved);
}

QTEST_APPLESS_MAIN(TestPatternFile)
#include "test_patternfile.moc"
