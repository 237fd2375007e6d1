#include "patterns/patterntesting.h"

#include "engine/life.h"
#include "patterns/patternfile.h"
#include "patterns/patternformat.h"

#include <QFile>
#include <QtTest>

#include <sstream>
#include <streambuf>
#include <string>
#include <utility>

using gridlore::Cell;
using gridlore::Life;
using gridlore::PatternFormat;
using gridlore::ReadResult;

Q_DECLARE_METATYPE(gridlore::PatternFormat)

namespace {

const QString Glider = QStringLiteral(".O.\n..O\nOOO");

const QString GosperGliderGun = QStringLiteral("........................O...........\n"
                                               "......................O.O...........\n"
                                               "............OO......OO............OO\n"
                                               "...........O...O....OO............OO\n"
                                               "OO........O.....O...OO..............\n"
                                               "OO........O...O.OO....O.O...........\n"
                                               "..........O.....O.......O...........\n"
                                               "...........O...O....................\n"
                                               "............OO......................");

const QString Pulsar = QStringLiteral("..OOO...OOO..\n"
                                      ".............\n"
                                      "O....O.O....O\n"
                                      "O....O.O....O\n"
                                      "O....O.O....O\n"
                                      "..OOO...OOO..\n"
                                      ".............\n"
                                      "..OOO...OOO..\n"
                                      "O....O.O....O\n"
                                      "O....O.O....O\n"
                                      "O....O.O....O\n"
                                      ".............\n"
                                      "..OOO...OOO..");

QByteArray sample(const QString &name)
{
    QFile file(QStringLiteral(GRIDLORE_SAMPLE_PATTERNS "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing sample pattern %s", qPrintable(name));
    return file.readAll();
}

QByteArray withCrLf(QByteArray bytes)
{
    return bytes.replace("\n", "\r\n");
}

// A columns x rows live area of dead cells with `picture` drawn on it, its
// top-left character at (left, top); what lies outside is cut off.
QString canvas(int columns, int rows, int left, int top, const QString &picture)
{
    QStringList lines(rows, QString(columns, QLatin1Char('.')));
    const QStringList drawn = picture.split(QLatin1Char('\n'));
    for (int y = 0; y < drawn.size(); ++y)
        for (int x = 0; x < drawn[y].size(); ++x) {
            const int i = left + x;
            const int j = top + y;
            if (i >= 1 && i <= columns && j >= 1 && j <= rows)
                lines[j - 1][i - 1] = drawn[y][x];
        }
    return lines.join(QLatin1Char('\n'));
}

// A board whose live area holds an old pattern (a block in the top-left
// corner) and whose ring and far cells hold 3, to show what a read touched.
Life oldBoard(double size)
{
    Life life = clearedLife(size);
    placeBoard(life.board(), 1, 1, QStringLiteral("OO\nOO"));
    for (int k = 0; k < gridlore::CellArray::Extent; ++k) {
        life.board().set(0, k, Cell(3.0));
        life.board().set(k, 0, Cell(3.0));
        life.board().set(life.columns() + 1, k, Cell(3.0));
        life.board().set(k, life.rows() + 1, Cell(3.0));
        life.board().set(200, k, Cell(3.0));
    }
    return life;
}

int liveCellsOutside(const Life &life, int left, int top, int width, int height)
{
    int count = 0;
    for (int i = 1; i <= life.columns(); ++i)
        for (int j = 1; j <= life.rows(); ++j) {
            const bool inside = i >= left && i < left + width && j >= top && j < top + height;
            count += !inside && life.board().at(i, j).number() == 1 ? 1 : 0;
        }
    return count;
}

// A stream that can only be read forwards, as a pipe would be.
class ForwardOnlyBuffer : public std::streambuf
{
public:
    explicit ForwardOnlyBuffer(std::string text)
        : text_(std::move(text))
    {
        setg(text_.data(), text_.data(), text_.data() + text_.size());
    }

private:
    std::string text_;
};

} // namespace

class TestForeignPatterns : public QObject
{
    Q_OBJECT

private slots:
    // Recognition
    void formatIsToldByContent_data();
    void formatIsToldByContent();
    void recognitionLeavesTheStreamAtItsStart();
    void saveAfterFirstStepIsNotTakenForPlaintext();
    void unseekableStreamIsReadInTheOwnFormat();

    // Loading and placing
    void samplesLoadCellByCell_data();
    void samplesLoadCellByCell();
    void loadingClearsTheLiveAreaOnly();
    void patternsLargerThanTheBoard_data();
    void patternsLargerThanTheBoard();
    void rleVariants_data();
    void rleVariants();
    void plaintextVariants_data();
    void plaintextVariants();

    // Running what was loaded
    void gliderMovesOneCellDiagonallyEveryFourGenerations();
    void blinkerTurnsAndTurnsBack();
    void pulsarReturnsAfterThreeGenerations();
    void gunEmitsAGliderEveryThirtyGenerations();

    // Damaged files
    void malformedRle_data();
    void malformedRle();
    void malformedPlaintext_data();
    void malformedPlaintext();
};

void TestForeignPatterns::formatIsToldByContent_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<PatternFormat>("format");

    QTest::newRow("own: empty file") << QByteArray() << PatternFormat::Own;
    QTest::newRow("own: \" 1 \"") << QByteArray(" 1 \r\n 0 \r\n") << PatternFormat::Own;
    QTest::newRow("own: \"-2 \"") << QByteArray("-2 \r\n") << PatternFormat::Own;
    QTest::newRow("own: \" .5 \"") << QByteArray(" .5 \r\n") << PatternFormat::Own;
    QTest::newRow("own: empty lines, then \" 1 \"")
        << QByteArray("\r\n\r\n 1 \r\n") << PatternFormat::Own;
    QTest::newRow("own: only empty lines") << QByteArray("\r\n\r\n\r\n") << PatternFormat::Own;
    QTest::newRow("own: word starting with x") << QByteArray("xylophone\n") << PatternFormat::Own;
    QTest::newRow("own: x without =") << QByteArray("x 3\n") << PatternFormat::Own;
    QTest::newRow("own: row with a digit") << QByteArray(".O1\n") << PatternFormat::Own;
    QTest::newRow("own: row with a letter") << QByteArray("..Oo\n") << PatternFormat::Own;
    QTest::newRow("own: binary") << QByteArray("\x00\x01\x02#", 4) << PatternFormat::Own;
    QTest::newRow("own: half a byte-order mark")
        << QByteArray("\xEF\xBB#N\n") << PatternFormat::Own;
    QTest::newRow("own: first line past the look-ahead") << QByteArray(70000, '\n') + "#N late\n"
                                                         << PatternFormat::Own;

    QTest::newRow("rle: #N") << QByteArray("#N Glider\nx = 3, y = 3\n") << PatternFormat::Rle;
    QTest::newRow("rle: #C") << QByteArray("#C comment\n") << PatternFormat::Rle;
    QTest::newRow("rle: x = 3") << QByteArray("x = 3, y = 3\nbo$2bo$3o!\n") << PatternFormat::Rle;
    QTest::newRow("rle: x=3") << QByteArray("x=3,y=3\n") << PatternFormat::Rle;
    QTest::newRow("rle: x, tab, =") << QByteArray("x\t= 3, y = 3\n") << PatternFormat::Rle;
    QTest::newRow("rle: after blank lines")
        << QByteArray("\r\n  \r\n\tx = 1, y = 1\r\n") << PatternFormat::Rle;
    QTest::newRow("rle: byte-order mark")
        << QByteArray("\xEF\xBB\xBF#N Glider\n") << PatternFormat::Rle;

    QTest::newRow("plaintext: !Name")
        << QByteArray("!Name: Glider\n.O.\n") << PatternFormat::Plaintext;
    QTest::newRow("plaintext: dots and O")
        << QByteArray(".O.\n..O\nOOO\n") << PatternFormat::Plaintext;
    QTest::newRow("plaintext: asterisks") << QByteArray("*.*\n") << PatternFormat::Plaintext;
    QTest::newRow("plaintext: CR LF and trailing blanks")
        << QByteArray(".O. \t\r\n") << PatternFormat::Plaintext;
    QTest::newRow("plaintext: a lone dot") << QByteArray(".\n") << PatternFormat::Plaintext;
}

void TestForeignPatterns::formatIsToldByContent()
{
    QFETCH(QByteArray, content);
    QFETCH(PatternFormat, format);
    std::istringstream in(content.toStdString());
    QCOMPARE(gridlore::detectPatternFormat(in), format);
}

void TestForeignPatterns::recognitionLeavesTheStreamAtItsStart()
{
    const QByteArray content = sample(QStringLiteral("gosperglidergun.rle"));
    std::istringstream in(content.toStdString());
    QCOMPARE(gridlore::detectPatternFormat(in), PatternFormat::Rle);
    const std::string rest(std::istreambuf_iterator<char>(in), {});
    QCOMPARE(QByteArray::fromStdString(rest), content);
}

void TestForeignPatterns::saveAfterFirstStepIsNotTakenForPlaintext()
{
    // Every dead cell is an empty line then; with no live cell the file holds
    // nothing but line ends, and must still read back as empty cells.
    Life life = clearedLife(5);
    life.step();
    const QByteArray saved = savedBytes(life);
    Life copy = clearedLife(5);
    QCOMPARE(readBytes(saved, copy), ReadResult::Complete);
    QVERIFY(sameBoards(copy.board(), life.board()));
    QCOMPARE(savedBytes(copy), saved);
}

void TestForeignPatterns::unseekableStreamIsReadInTheOwnFormat()
{
    // Telling the format needs a look ahead and a way back; without one the
    // file is read as the program's own, as it always was.
    Life life = oldBoard(5);
    const Life before = life;
    ForwardOnlyBuffer rle(sample(QStringLiteral("blinker.rle")).toStdString());
    std::istream rleStream(&rle);
    QCOMPARE(gridlore::readPattern(rleStream, life), ReadResult::Stopped);
    QVERIFY(sameBoards(life.board(), before.board()));

    ForwardOnlyBuffer own(QByteArray(" 1 \r\n").repeated(20).toStdString());
    std::istream ownStream(&own);
    QCOMPARE(gridlore::readPattern(ownStream, life), ReadResult::Complete);
    QCOMPARE(alivePicture(life), QStringLiteral("OOOOO\nOOOOO\nOOOOO\nOOOOO"));
}

void TestForeignPatterns::samplesLoadCellByCell_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<double>("size");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<QString>("picture");

    struct Sample
    {
        const char *name;
        QString file;
        double size;
        int left;
        int top;
        QString picture;
    };
    const Sample samples[] = {
        { "glider, size 20", QStringLiteral("glider.rle"), 20, 9, 7, Glider },
        { "glider, size 7.5", QStringLiteral("glider.rle"), 7.5, 3, 2, Glider },
        { "blinker, size 5", QStringLiteral("blinker.rle"), 5, 2, 2, QStringLiteral("OOO") },
        { "Gosper glider gun, size 150", QStringLiteral("gosperglidergun.rle"), 150, 58, 56,
            GosperGliderGun },
        { "pulsar, size 20", QStringLiteral("pulsar.cells"), 20, 4, 2, Pulsar },
    };
    for (const Sample &s : samples) {
        QTest::addRow("%s, LF", s.name) << sample(s.file) << s.size << s.left << s.top << s.picture;
        QTest::addRow("%s, CR LF", s.name)
            << withCrLf(sample(s.file)) << s.size << s.left << s.top << s.picture;
    }
}

void TestForeignPatterns::samplesLoadCellByCell()
{
    QFETCH(QByteArray, file);
    QFETCH(double, size);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(QString, picture);
    Life life = oldBoard(size);
    QCOMPARE(readBytes(file, life), ReadResult::Complete);
    QCOMPARE(livePicture(life), canvas(life.columns(), life.rows(), left, top, picture));
}

void TestForeignPatterns::loadingClearsTheLiveAreaOnly()
{
    Life life = oldBoard(10);
    for (int i = 1; i <= life.columns(); ++i)
        for (int j = 1; j <= life.rows(); ++j)
            life.board().set(i, j, (i + j) % 3 == 0 ? Cell::empty() : Cell(7.0));
    const Life before = life;
    QCOMPARE(readBytes(sample(QStringLiteral("glider.rle")), life), ReadResult::Complete);
    QCOMPARE(livePicture(life), canvas(10, 8, 4, 3, Glider));
    for (int i = 0; i < gridlore::CellArray::Extent; ++i)
        for (int j = 0; j < gridlore::CellArray::Extent; ++j)
            if (i < 1 || i > 10 || j < 1 || j > 8)
                QVERIFY(sameCell(life.board().at(i, j), before.board().at(i, j)));
}

void TestForeignPatterns::patternsLargerThanTheBoard_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<double>("size");
    QTest::addColumn<QString>("picture");

    // The gun's columns 8 to 27 (from 0) on its rows 0 to 8.
    QTest::newRow("Gosper glider gun, size 20")
        << sample(QStringLiteral("gosperglidergun.rle")) << 20.0
        << QStringLiteral("....................\n"
                          "....................\n"
                          "....................\n"
                          "................O...\n"
                          "..............O.O...\n"
                          "....OO......OO......\n"
                          "...O...O....OO......\n"
                          "..O.....O...OO......\n"
                          "..O...O.OO....O.O...\n"
                          "..O.....O.......O...\n"
                          "...O...O............\n"
                          "....OO..............\n"
                          "....................\n"
                          "....................\n"
                          "....................\n"
                          "....................");
    // Columns 14 to 20 on rows 2 to 7: the box hangs out one more on the left
    // and the top, as the halves are rounded down.
    QTest::newRow("Gosper glider gun, size 7.5")
        << sample(QStringLiteral("gosperglidergun.rle")) << 7.5
        << QStringLiteral(".....OO\n"
                          "O....OO\n"
                          ".O...OO\n"
                          ".OO....\n"
                          ".O.....\n"
                          "O......");
    // The pulsar's columns 2 to 11 on rows 3 to 10.
    QTest::newRow("pulsar, size 10") << sample(QStringLiteral("pulsar.cells")) << 10.0
                                     << QStringLiteral("...O.O....\n"
                                                       "...O.O....\n"
                                                       "OOO...OOO.\n"
                                                       "..........\n"
                                                       "OOO...OOO.\n"
                                                       "...O.O....\n"
                                                       "...O.O....\n"
                                                       "...O.O....");
}

void TestForeignPatterns::patternsLargerThanTheBoard()
{
    QFETCH(QByteArray, file);
    QFETCH(double, size);
    QFETCH(QString, picture);
    Life life = oldBoard(size);
    const Life before = life;
    QCOMPARE(readBytes(file, life), ReadResult::Complete);
    QCOMPARE(livePicture(life), picture);
    QCOMPARE(boardPicture(life.board(), 0, 0, 1, 1), QStringLiteral("3"));
    QVERIFY(sameCell(life.board().at(life.columns() + 1, 2), Cell(3.0)));
}

void TestForeignPatterns::rleVariants_data()
{
    // Each loads on a 10 x 8 board, its 3 x 3 box at (4, 3).
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("picture");

    QTest::newRow("no blanks in the header") << QByteArray("x=3,y=3\nbo$2bo$3o!") << Glider;
    QTest::newRow("no rule") << QByteArray("x = 3, y = 3\nbo$2bo$3o!\n") << Glider;
    QTest::newRow("other rule") << QByteArray("x = 3, y = 3, rule = B36/S23\nbo$2bo$3o!\n")
                                << Glider;
    QTest::newRow("rule in the old notation")
        << QByteArray("x = 3, y = 3, rule = 23/3\nbo$2bo$3o!\n") << Glider;
    QTest::newRow("all the # lines")
        << QByteArray("#N Glider\n#O someone\n#C one\n#c two\n#R 0 0\n#P 0 0\n#r 23/3\n"
                      "#CXRLE Pos=0,0 Gen=0\n#Z unknown kind\nx = 3, y = 3\nbo$2bo$3o!\n")
        << Glider;
    QTest::newRow("blank lines before the header")
        << QByteArray("\n#N Glider\n\n  \nx = 3, y = 3\nbo$2bo$3o!") << Glider;
    QTest::newRow("missing !") << QByteArray("x = 3, y = 3\nbo$2bo$3o\n") << Glider;
    QTest::newRow("missing ! and line end") << QByteArray("x = 3, y = 3\nbo$2bo$3o") << Glider;
    QTest::newRow("text after !") << QByteArray("x = 3, y = 3\nbo$2bo$3o!zz 9999$$\x00\xff")
                                  << Glider;
    QTest::newRow("blanks and line breaks between tokens")
        << QByteArray("x = 3, y = 3\n b o $\n2b\to\r\n$ 3o\n\n!") << Glider;
    QTest::newRow("dead cells spelt out") << QByteArray("x = 3, y = 3\nbob$2bo$3o!") << Glider;
    QTest::newRow("row end with a count")
        << QByteArray("x = 3, y = 3\no2$2bo!") << QStringLiteral("O..\n...\n..O");
    QTest::newRow("row end before !") << QByteArray("x = 3, y = 3\nbo$2bo$3o$!") << Glider;
    QTest::newRow("multi-state letters")
        << QByteArray("x = 3, y = 3, rule = Generations\n.A$2.B$pAxX.!")
        << QStringLiteral(".O.\n..O\nOO.");
    QTest::newRow("byte-order mark")
        << QByteArray("\xEF\xBB\xBFx = 3, y = 3\nbo$2bo$3o!") << Glider;
    QTest::newRow("empty pattern") << QByteArray("x = 0, y = 0\n!") << QString();
}

void TestForeignPatterns::rleVariants()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, picture);
    Life life = oldBoard(10);
    QCOMPARE(readBytes(file, life), ReadResult::Complete);
    QCOMPARE(livePicture(life), canvas(10, 8, 4, 3, picture));
}

void TestForeignPatterns::plaintextVariants_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<QString>("picture");

    QTest::newRow("no comments") << QByteArray(".O.\n..O\nOOO\n") << 4 << 3 << Glider;
    QTest::newRow("asterisks") << QByteArray("!Name: Glider\n.*.\n..*\n***\n") << 4 << 3 << Glider;
    QTest::newRow("short rows padded")
        << QByteArray("!Name: Glider\n.O\n..O\nOOO\n") << 4 << 3 << Glider;
    QTest::newRow("comment between rows")
        << QByteArray(".O.\n!between\n..O\nOOO\n") << 4 << 3 << Glider;
    QTest::newRow("trailing blanks") << QByteArray(".O.  \n..O\t\nOOO \n") << 4 << 3 << Glider;
    QTest::newRow("no final line end") << QByteArray(".O.\n..O\nOOO") << 4 << 3 << Glider;
    QTest::newRow("empty lines before and after")
        << QByteArray("!c\n\n\n.O.\n..O\nOOO\n\n\n") << 4 << 3 << Glider;
    QTest::newRow("empty line as a dead row")
        << QByteArray("O\n\nO\n") << 5 << 3 << QStringLiteral("O\n.\nO");
    QTest::newRow("dead rows and columns count")
        << QByteArray("....\n.O..\n....\n") << 4 << 3 << QStringLiteral("....\n.O..\n....");
}

void TestForeignPatterns::plaintextVariants()
{
    QFETCH(QByteArray, file);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(QString, picture);
    Life life = oldBoard(10);
    QCOMPARE(readBytes(file, life), ReadResult::Complete);
    QCOMPARE(livePicture(life), canvas(10, 8, left, top, picture));
}

void TestForeignPatterns::gliderMovesOneCellDiagonallyEveryFourGenerations()
{
    Life life = clearedLife(20);
    QCOMPARE(readBytes(sample(QStringLiteral("glider.rle")), life), ReadResult::Complete);
    QCOMPARE(alivePicture(life), canvas(20, 16, 9, 7, Glider));
    for (int n = 1; n <= 3; ++n) {
        for (int g = 0; g < 4; ++g)
            life.step();
        QCOMPARE(alivePicture(life), canvas(20, 16, 9 + n, 7 + n, Glider));
    }
}

void TestForeignPatterns::blinkerTurnsAndTurnsBack()
{
    Life life = clearedLife(5);
    QCOMPARE(readBytes(sample(QStringLiteral("blinker.rle")), life), ReadResult::Complete);
    const QString lying = QStringLiteral(".....\n.OOO.\n.....\n.....");
    QCOMPARE(alivePicture(life), lying);
    life.step();
    QCOMPARE(alivePicture(life), QStringLiteral("..O..\n..O..\n..O..\n....."));
    life.step();
    QCOMPARE(alivePicture(life), lying);
}

void TestForeignPatterns::pulsarReturnsAfterThreeGenerations()
{
    Life life = clearedLife(20);
    QCOMPARE(readBytes(sample(QStringLiteral("pulsar.cells")), life), ReadResult::Complete);
    const QString start = alivePicture(life);
    QCOMPARE(start, canvas(20, 16, 4, 2, Pulsar));
    for (int cycle = 0; cycle < 2; ++cycle) {
        life.step();
        QVERIFY(alivePicture(life) != start);
        life.step();
        QVERIFY(alivePicture(life) != start);
        life.step();
        QCOMPARE(alivePicture(life), start);
    }
}

void TestForeignPatterns::gunEmitsAGliderEveryThirtyGenerations()
{
    // Centred on 150 x 120 the gun's box is 36 x 9 at (58, 56). Every 30
    // generations it is back as it began and a new glider has left it at the
    // same place, the earlier ones travelling on down and to the right.
    Life life = clearedLife(150);
    QCOMPARE(readBytes(sample(QStringLiteral("gosperglidergun.rle")), life), ReadResult::Complete);
    QCOMPARE(liveCellsOutside(life, 58, 56, 36, 9), 0);
    for (int k = 1; k <= 4; ++k) {
        for (int g = 0; g < 30; ++g)
            life.step();
        QCOMPARE(alivePicture(life).split(QLatin1Char('\n')).mid(55, 9).join(QLatin1Char('\n')),
            canvas(150, 9, 58, 1, GosperGliderGun));
        QCOMPARE(
            boardPicture(life.board(), 81, 65, 3, 3).replace(QLatin1Char(' '), QLatin1Char('.')),
            QStringLiteral("O..\n.OO\nOO."));
        QCOMPARE(liveCellsOutside(life, 58, 56, 36, 9), 5 * k);
    }
}

void TestForeignPatterns::malformedRle_data()
{
    // On a 10 x 8 board; a 3 x 3 header box lies at (4, 3).
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<ReadResult>("result");
    QTest::addColumn<QString>("picture");

    const auto loads = ReadResult::Complete;
    const auto nothing = ReadResult::Unchanged;
    QTest::newRow("count 99999999999") << QByteArray("x = 3, y = 3\nbo$2bo$99999999999o!") << loads
                                       << QStringLiteral(".O.\n..O\n...");
    QTest::newRow("count 99999999999 of row ends")
        << QByteArray("x = 3, y = 3\nbo$99999999999$3o!") << loads << QStringLiteral(".O.");
    QTest::newRow("count of 30 digits")
        << QByteArray("x = 3, y = 3\nbo$999999999999999999999999999999b!") << loads
        << QStringLiteral(".O.");
    QTest::newRow("run past the width")
        << QByteArray("x = 3, y = 3\nbo$4o!") << loads << QStringLiteral(".O.");
    QTest::newRow("cells below the height")
        << QByteArray("x = 3, y = 3\nbo$2bo$3o$o!") << loads << Glider;
    QTest::newRow("unknown tag") << QByteArray("x = 3, y = 3\nbo$2bz$3o!") << loads
                                 << QStringLiteral(".O.");
    QTest::newRow("blank between count and tag")
        << QByteArray("x = 3, y = 3\nbo$2 bo$3o!") << loads << QStringLiteral(".O.");
    QTest::newRow("count 0") << QByteArray("x = 3, y = 3\nbo$0o$3o!") << loads
                             << QStringLiteral(".O.");
    QTest::newRow("truncated after a count")
        << QByteArray("x = 3, y = 3\nbo$2bo$3") << loads << QStringLiteral(".O.\n..O");
    QTest::newRow("truncated two-letter state")
        << QByteArray("x = 3, y = 3\nbo$2bp") << loads << QStringLiteral(".O.");
    QTest::newRow("binary data in the body")
        << QByteArray("x = 3, y = 3\nbo$\x00\xff\x01o!", 19) << loads << QStringLiteral(".O.");
    QTest::newRow("# line in the body")
        << QByteArray("x = 3, y = 3\nbo$\n#C late\n3o!") << loads << QStringLiteral(".O.");

    QTest::newRow("negative width")
        << QByteArray("x = -3, y = 3\nbo$2bo$3o!") << nothing << QString();
    QTest::newRow("negative height")
        << QByteArray("x = 3, y = -3\nbo$2bo$3o!") << nothing << QString();
    QTest::newRow("absurd width") << QByteArray("x = 99999999999, y = 3\nbo$2bo$3o!") << nothing
                                  << QString();
    QTest::newRow("absurd height")
        << QByteArray("x = 3, y = 2147483648\nbo$2bo$3o!") << nothing << QString();
    QTest::newRow("width not a number")
        << QByteArray("x = three, y = 3\nbo$2bo$3o!") << nothing << QString();
    QTest::newRow("header without y") << QByteArray("x = 3\nbo$2bo$3o!") << nothing << QString();
    QTest::newRow("header with y first")
        << QByteArray("#N\ny = 3, x = 3\nbo$2bo$3o!") << nothing << QString();
    QTest::newRow("junk after the height")
        << QByteArray("x = 3, y = 3 z\nbo$2bo$3o!") << nothing << QString();
    QTest::newRow("truncated header") << QByteArray("#N Glider\nx = 3, y") << nothing << QString();
    QTest::newRow("header of 5000 bytes")
        << QByteArray("x = 3, y = 3, rule = ") + QByteArray(5000, 'B') + "\nbo$2bo$3o!" << nothing
        << QString();
    QTest::newRow("comments only")
        << QByteArray("#N Glider\n#C nothing else\n") << nothing << QString();
    QTest::newRow("body without a header")
        << QByteArray("#N Glider\nbo$2bo$3o!\n") << nothing << QString();
    QTest::newRow("header and nothing else")
        << QByteArray("x = 3, y = 3\n") << nothing << QString();
    QTest::newRow("unknown tag first") << QByteArray("x = 3, y = 3\nZ3o!") << nothing << QString();
    QTest::newRow("binary data after the header")
        << QByteArray("x = 3, y = 3\n\x00\x01\x02", 16) << nothing << QString();
    QTest::newRow("binary data after a comment")
        << QByteArray("#\x00\xff\nx\x00=", 7) << nothing << QString();
    QTest::newRow("cells in an empty box")
        << QByteArray("x = 0, y = 0\no!") << nothing << QString();
}

void TestForeignPatterns::malformedRle()
{
    QFETCH(QByteArray, file);
    QFETCH(ReadResult, result);
    QFETCH(QString, picture);
    Life life = oldBoard(10);
    const Life before = life;
    QCOMPARE(readBytes(file, life), result);
    if (result == ReadResult::Unchanged)
        QVERIFY(sameBoards(life.board(), before.board()));
    else
        QCOMPARE(livePicture(life), canvas(10, 8, 4, 3, picture));
}

void TestForeignPatterns::malformedPlaintext_data()
{
    // On a 10 x 8 board; what was read before the fault is centred by itself.
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<ReadResult>("result");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<QString>("picture");

    QTest::newRow("unknown character in the third row")
        << QByteArray(".O.\n..O\nOXO\n") << ReadResult::Complete << 4 << 4
        << QStringLiteral(".O.\n..O");
    QTest::newRow("binary data after two rows") << QByteArray(".O.\n..O\n\x00\x01\x02",
        11) << ReadResult::Complete << 4 << 4 << QStringLiteral(".O.\n..O");
    QTest::newRow("own format after a row")
        << QByteArray("OO\n 1 \r\n 0 \r\n") << ReadResult::Complete << 5 << 4
        << QStringLiteral("OO");
    QTest::newRow("wide row cut off by a fault")
        << QByteArray("O\n") + QByteArray(50, '.') + "x\n"
        << ReadResult::Complete << 5 << 4 << QStringLiteral("O");
    QTest::newRow("comment only") << QByteArray("!Name: nothing\n") << ReadResult::Unchanged << 0
                                  << 0 << QString();
    QTest::newRow("comments and empty lines only")
        << QByteArray("!a\n\n!b\n  \n") << ReadResult::Unchanged << 0 << 0 << QString();
    QTest::newRow("fault in the first row")
        << QByteArray("!c\nO.O#\n.O.\n") << ReadResult::Unchanged << 0 << 0 << QString();
    QTest::newRow("! inside a row")
        << QByteArray("!c\n.O!\n") << ReadResult::Unchanged << 0 << 0 << QString();
    QTest::newRow("binary data after a comment")
        << QByteArray("!\x00\n\x00\xff", 5) << ReadResult::Unchanged << 0 << 0 << QString();
}

void TestForeignPatterns::malformedPlaintext()
{
    QFETCH(QByteArray, file);
    QFETCH(ReadResult, result);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(QString, picture);
    Life life = oldBoard(10);
    const Life before = life;
    QCOMPARE(readBytes(file, life), result);
    if (result == ReadResult::Unchanged)
        QVERIFY(sameBoards(life.board(), before.board()));
    else
        QCOMPARE(livePicture(life), canvas(10, 8, left, top, picture));
}

QTEST_APPLESS_MAIN(TestForeignPatterns)
#include "test_foreignpatterns.moc"
