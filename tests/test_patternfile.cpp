#include "patterns/patterntesting.h"

#include <ios>
#include <limits>
#include <sstream>
#include <string>

using gridlore::Cell;
using gridlore::Life;
using gridlore::ReadResult;

Q_DECLARE_METATYPE(gridlore::Cell)

namespace {

QByteArray lines(const QByteArray &line, int times)
{
    return line.repeated(times);
}

// The worked example's file (board size 5, a blinker lying in row 2), spelt out: columns 1 and 5
// all " 0 ", columns 2 to 4 " 0 ", " 1 ", " 0 ", " 0 ".
QByteArray workedExampleFile()
{
    return lines(" 0 \r\n", 4) + lines(" 0 \r\n 1 \r\n 0 \r\n 0 \r\n", 3) + lines(" 0 \r\n", 4);
}

// A size 5 file whose third line (cell (1, 3)) is `line` and whose 19 others are " 1 ".
QByteArray withThirdLine(const QByteArray &line, const QByteArray &end = "\r\n")
{
    return lines(" 1 " + end, 2) + line + end + lines(" 1 " + end, 17);
}

QByteArray savedBytes(const Life &life)
{
    std::ostringstream out;
    gridlore::writePattern(out, life);
    return QByteArray::fromStdString(out.str());
}

// The live area filled with one value, so that cells a read leaves alone show.
void fillLiveArea(Life &life, Cell value)
{
    for (int i = 1; i <= life.columns(); ++i)
        for (int j = 1; j <= life.rows(); ++j)
            life.board().set(i, j, value);
}

} // namespace

class TestPatternFile : public QObject
{
    Q_OBJECT

private slots:
    void workedExampleAndItsFirstStep();
    void cellValuesAreFramed_data();
    void cellValuesAreFramed();
    void cellHoldingTwoCountsDoubleAndIsSavedAsTwo();
    void readFillsTheLiveAreaUpToAFault_data();
    void readFillsTheLiveAreaUpToAFault();
    void lineWithoutEndIsGivenUpAtTheLimit();
    void readThenSaveGivesTheSameBytes_data();
    void readThenSaveGivesTheSameBytes();
};

void TestPatternFile::workedExampleAndItsFirstStep()
{
    Life life = clearedLife(5);
    placeBoard(life.board(), 1, 1, QStringLiteral(".....\n.OOO.\n.....\n....."));
    QCOMPARE(savedBytes(life).size(), 100);
    QCOMPARE(savedBytes(life), workedExampleFile());
    // Right after start-up nothing has written the next-generation buffer, so
    // the first step leaves empty, not 0, in every dead cell.
    life.step();
    QCOMPARE(savedBytes(life), lines("\r\n", 8) + lines(" 1 \r\n", 3) + lines("\r\n", 9));
}

void TestPatternFile::cellValuesAreFramed_data()
{
    QTest::addColumn<Cell>("cell");
    QTest::addColumn<QByteArray>("line");

    QTest::newRow("-3") << Cell(-3.0) << QByteArray("-3 \r\n");
    QTest::newRow("-0 as 0") << Cell(-0.0) << QByteArray(" 0 \r\n");
    QTest::newRow("0.1") << Cell(0.1) << QByteArray(" 0.1 \r\n");
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
    QCOMPARE(savedBytes(life), line + lines(" 0 \r\n", 19));
}

void TestPatternFile::cellHoldingTwoCountsDoubleAndIsSavedAsTwo()
{
    // (2, 2) holds 2 and (4, 2) holds 1: the three dead cells of column 3
    // between them see a sum of 3 and come alive, which they would not if the
    // 2 counted as an ordinary live cell.
    const QByteArray file
        = lines(" 0 \r\n", 5) + " 2 \r\n" + lines(" 0 \r\n", 7) + " 1 \r\n" + lines(" 0 \r\n", 6);
    Life life = clearedLife(5);
    QCOMPARE(readBytes(file, life), ReadResult::Complete);
    QCOMPARE(life.board().at(2, 2).number(), 2.0);
    QCOMPARE(savedBytes(life), file);
    life.step();
    QCOMPARE(alivePicture(life), QStringLiteral("..O..\n..O..\n..O..\n....."));
}

void TestPatternFile::readFillsTheLiveAreaUpToAFault_data()
{
    // Read onto a board whose live area holds 7 everywhere.
    QTest::addColumn<double>("size");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<ReadResult>("result");
    QTest::addColumn<QString>("live");

    const QString allAlive = QStringLiteral("OOOOO\nOOOOO\nOOOOO\nOOOOO");
    const QString twoRead = QStringLiteral("O7777\nO7777\n77777\n77777");
    QTest::newRow("worked example at size 5") << 5.0 << workedExampleFile() << ReadResult::Complete
                                              << QStringLiteral(".....\n.OOO.\n.....\n.....");
    // 10 x 8 needs 80 values: the 20 lines fill columns 1 and 2 and rows 1 to 4 of column 3.
    QTest::newRow("worked example at size 10")
        << 10.0 << workedExampleFile() << ReadResult::Stopped
        << QStringLiteral("...7777777\n.O.7777777\n...7777777\n...7777777\n"
                          "..77777777\nOO77777777\n..77777777\n..77777777");
    QTest::newRow("short: empty file") << 5.0 << QByteArray() << ReadResult::Stopped
                                       << QStringLiteral("77777\n77777\n77777\n77777");
    QTest::newRow("20 lines, the last without line end")
        << 5.0 << lines(" 1 \r\n", 19) + " 1 " << ReadResult::Complete << allAlive;
    QTest::newRow("long: a word after the 20th line") << 5.0 << lines(" 1 \r\n", 20) + "word\r\n"
                                                      << ReadResult::Complete << allAlive;

    // Values as written by hand: the third line lands in cell (1, 3).
    const auto value = [](const char *line, const char *end, const char *shown) {
        QTest::addRow("value \"%s\", %s", QByteArray(line).replace('\t', "\\t").constData(),
            end[0] == '\r' ? "CR LF" : "LF")
            << 5.0 << withThirdLine(line, end) << ReadResult::Complete
            << QStringLiteral("OOOOO\nOOOOO\n%1OOOO\nOOOOO").arg(QLatin1String(shown));
    };
    for (const char *end : { "\r\n", "\n" }) {
        value("", end, " ");
        value(" \t ", end, " ");
        value(" \t1\t ", end, "O");
    }
    value("1", "\r\n", "O");
    value("-3 ", "\r\n", "-3");
    value(" +4 ", "\r\n", "4");
    value(" .5 ", "\r\n", "0.5");
    value(" 2.5e3 ", "\r\n", "2500");
    value(" 1e-999 ", "\r\n", ".");
    value(" 1.7976931348623157e308 ", "\r\n", "1.79769e+308");

    // A line outside the format ends the reading there: two cells were read.
    for (const char *line : { "word", " 1 cell", "1 2", "1,2", "0x10", "nan", "inf", "1e999",
             "-1e999", "- 1", ".", "\xef\xbc\x91" })
        QTest::addRow("outside the format: \"%s\"", line)
            << 5.0 << withThirdLine(line) << ReadResult::Stopped << twoRead;
    QTest::newRow("outside the format: bare CR inside")
        << 5.0 << withThirdLine(" 1 \r 1 ") << ReadResult::Stopped << twoRead;
    // A NUL inside a line must not end the text the number is taken from.
    QTest::newRow("outside the format: NUL byte after a number")
        << 5.0 << withThirdLine(QByteArray(" 1\0 ", 4)) << ReadResult::Stopped << twoRead;

    // Lines may be 4 KiB long, not counting their line end.
    const QByteArray longest = " 1" + QByteArray(4094, ' ');
    QTest::newRow("4096 bytes, CR LF")
        << 5.0 << withThirdLine(longest) << ReadResult::Complete << allAlive;
    QTest::newRow("4097 bytes, CR LF")
        << 5.0 << withThirdLine(longest + ' ') << ReadResult::Stopped << twoRead;
    QTest::newRow("4097 bytes, LF")
        << 5.0 << withThirdLine(longest + ' ', "\n") << ReadResult::Stopped << twoRead;
}

void TestPatternFile::readFillsTheLiveAreaUpToAFault()
{
    QFETCH(double, size);
    QFETCH(QByteArray, file);
    QFETCH(ReadResult, result);
    QFETCH(QString, live);
    Life life = clearedLife(size);
    fillLiveArea(life, Cell(7.0));
    QCOMPARE(readBytes(file, life), result);
    QCOMPARE(livePicture(life), live);
}

void TestPatternFile::lineWithoutEndIsGivenUpAtTheLimit()
{
    // Stands in for a huge damaged file of blanks without a line break: the
    // reader must give up after one line's worth, never collecting the rest.
    std::istringstream in(std::string(1 << 20, ' '));
    Life life = clearedLife(5);
    fillLiveArea(life, Cell(7.0));
    QCOMPARE(gridlore::readPattern(in, life), ReadResult::Stopped);
    const auto taken = in.rdbuf()->pubseekoff(0, std::ios_base::cur, std::ios_base::in);
    QCOMPARE_LE(static_cast<long long>(taken), 64LL * 1024 + 4098);
    QCOMPARE(livePicture(life), QStringLiteral("77777\n77777\n77777\n77777"));
}

void TestPatternFile::readThenSaveGivesTheSameBytes_data()
{
    QTest::addColumn<double>("size");
    QTest::addColumn<QList<Cell>>("values"); // repeated over the live area, column by column

    const Cell e = Cell::empty();
    // Nothing but line ends, which must not be taken for a plaintext pattern.
    QTest::newRow("size 5, every cell empty as after the first step") << 5.0 << QList<Cell> { e };
    QTest::newRow("size 5, 0, 1 and empty") << 5.0 << QList<Cell> { 0.0, 1.0, e, 1.0, 0.0, 0.0, e };
    QTest::newRow("size 7.5 (7 x 6)") << 7.5 << QList<Cell> { 1.0, 0.0, 0.0 };
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
    const int columns = original.columns();
    const int rows = original.rows();
    qsizetype k = 0;
    for (int i = 1; i <= columns; ++i)
        for (int j = 1; j <= rows; ++j)
            original.board().set(i, j, values[k++ % values.size()]);
    // Ring cells by the live area's corners, which neither Save nor Read may touch.
    original.board().set(0, 1, Cell(3.0));
    original.board().set(columns + 1, rows, Cell(3.0));
    original.board().set(columns, rows + 1, Cell(3.0));
    const QByteArray saved = savedBytes(original);
    QCOMPARE(saved.count('\n'), columns * rows);

    Life copy = original;
    fillLiveArea(copy, Cell(7.0));
    QCOMPARE(readBytes(saved, copy), ReadResult::Complete);
    QVERIFY(sameBoards(copy.board(), original.board()));
    QCOMPARE(savedBytes(copy), saved);
}

QTEST_APPLESS_MAIN(TestPatternFile)
#include "test_patternfile.moc"
