#include "patterns/patternformat.h"
#include "patterns/patterntesting.h"

#include <QFile>

#include <sstream>
#include <string>

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

QByteArray sample(const char *name)
{
    QFile file(QStringLiteral(GRIDLORE_SAMPLE_PATTERNS "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing sample pattern %s", name);
    return file.readAll();
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

// A board whose live area holds old cells (empty, 1 and 7) and whose every
// other cell holds 3, to show what a read touched.
Life oldBoard(double size)
{
    Life life = clearedLife(size);
    const Cell old[] = { Cell::empty(), Cell(1.0), Cell(7.0) };
    for (int i = 0; i < gridlore::CellArray::Extent; ++i)
        for (int j = 0; j < gridlore::CellArray::Extent; ++j) {
            const bool live = i >= 1 && i <= life.columns() && j >= 1 && j <= life.rows();
            life.board().set(i, j, live ? old[(i + j) % 3] : Cell(3.0));
        }
    return life;
}

// A stream that can only be read forwards, as a pipe would be.
struct ForwardOnlyBuffer : std::stringbuf
{
    using std::stringbuf::stringbuf;
    pos_type seekoff(off_type, std::ios_base::seekdir, std::ios_base::openmode) override
    {
        return pos_type(off_type(-1));
    }
};

} // namespace

class TestForeignPatterns : public QObject
{
    Q_OBJECT

private slots:
    void formatIsToldByContent_data();
    void formatIsToldByContent();
    void unseekableStreamIsReadInTheOwnFormat();
    void readPlacesThePatternCentred_data();
    void readPlacesThePatternCentred();
    void samplesRun_data();
    void samplesRun();
    void gunEmitsAGliderEveryThirtyGenerations();
};

void TestForeignPatterns::formatIsToldByContent_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<PatternFormat>("format");

    QTest::newRow("own: empty file") << QByteArray() << PatternFormat::Own;
    QTest::newRow("own: \" .5 \"") << QByteArray(" .5 \r\n") << PatternFormat::Own;
    QTest::newRow("own: word starting with x") << QByteArray("xylophone\n") << PatternFormat::Own;
    QTest::newRow("own: x without =") << QByteArray("x 3\n") << PatternFormat::Own;
    QTest::newRow("own: row with a digit") << QByteArray(".O1\n") << PatternFormat::Own;
    QTest::newRow("own: binary") << QByteArrayLiteral("\x00\x01\x02#") << PatternFormat::Own;
    QTest::newRow("own: half a byte-order mark")
        << QByteArray("\xEF\xBB#N\n") << PatternFormat::Own;
    QTest::newRow("own: first line past the look-ahead") << QByteArray(70000, '\n') + "#N late\n"
                                                         << PatternFormat::Own;
    QTest::newRow("rle: x, tab, =") << QByteArray("x\t= 3, y = 3\n") << PatternFormat::Rle;
    QTest::newRow("plaintext: asterisks") << QByteArray("*.*\n") << PatternFormat::Plaintext;
    QTest::newRow("plaintext: CR LF and trailing blanks")
        << QByteArray(".O. \t\r\n") << PatternFormat::Plaintext;
}

void TestForeignPatterns::formatIsToldByContent()
{
    QFETCH(QByteArray, content);
    QFETCH(PatternFormat, format);
    std::istringstream in(content.toStdString());
    QCOMPARE(gridlore::detectPatternFormat(in), format);
}

void TestForeignPatterns::unseekableStreamIsReadInTheOwnFormat()
{
    // Telling the format needs a look ahead and a way back; without one the
    // file is read as the program's own, as it always was.
    Life life = oldBoard(5);
    const Life before = life;
    ForwardOnlyBuffer rle(sample("blinker.rle").toStdString());
    std::istream rleStream(&rle);
    QCOMPARE(gridlore::readPattern(rleStream, life), ReadResult::Stopped);
    QVERIFY(sameBoards(life.board(), before.board()));

    ForwardOnlyBuffer own(QByteArray(" 1 \r\n").repeated(20).toStdString());
    std::istream ownStream(&own);
    QCOMPARE(gridlore::readPattern(ownStream, life), ReadResult::Complete);
    QCOMPARE(alivePicture(life), QStringLiteral("OOOOO\nOOOOO\nOOOOO\nOOOOO"));
}

void TestForeignPatterns::readPlacesThePatternCentred_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<double>("size");
    QTest::addColumn<ReadResult>("result");
    QTest::addColumn<QString>("live"); // the whole live area after it, or empty if unchanged

    // Each file as it is and with CR LF line ends. `picture` lies with its
    // top-left cell at (left, top), on a 10 x 8 board unless said.
    const auto loads = [](const char *name, const QByteArray &file, const QString &picture,
                           int left = 4, int top = 3, double size = 10) {
        const QString live
            = canvas(Life::columnsFor(size), Life::rowsFor(size), left, top, picture);
        QTest::newRow(name) << file << size << ReadResult::Complete << live;
        QTest::addRow("%s, CR LF", name)
            << QByteArray(file).replace("\n", "\r\n") << size << ReadResult::Complete << live;
    };
    const auto unchanged = [](const char *name, const QByteArray &file) {
        QTest::newRow(name) << file << 10.0 << ReadResult::Unchanged << QString();
        QTest::addRow("%s, CR LF", name)
            << QByteArray(file).replace("\n", "\r\n") << 10.0 << ReadResult::Unchanged << QString();
    };

    loads("sample: glider, size 20", sample("glider.rle"), Glider, 9, 7, 20);
    loads("sample: glider, size 7.5", sample("glider.rle"), Glider, 3, 2, 7.5);
    loads("sample: blinker, size 5", sample("blinker.rle"), QStringLiteral("OOO"), 2, 2, 5);
    loads("sample: Gosper glider gun, size 150", sample("gosperglidergun.rle"), GosperGliderGun, 58,
        56, 150);
    loads("sample: pulsar, size 20", sample("pulsar.cells"), Pulsar, 4, 2, 20);
    // What lies beyond the live area is dropped, the overhang split with the
    // halves rounded down.
    loads("larger than the board: Gosper glider gun, size 20", sample("gosperglidergun.rle"),
        GosperGliderGun, -7, 4, 20);
    loads("larger than the board: Gosper glider gun, size 7.5", sample("gosperglidergun.rle"),
        GosperGliderGun, -14, -1, 7.5);
    loads("larger than the board: pulsar, size 10", sample("pulsar.cells"), Pulsar, -1, -2, 10);

    const QByteArray x3 = "x = 3, y = 3\n";
    loads("rle: no blanks, no rule", "x=3,y=3\nbo$2bo$3o!", Glider);
    loads("rle: other rule", "x = 3, y = 3, rule = B36/S23\nbo$2bo$3o!\n", Glider);
    loads("rle: all the # lines",
        "#N Glider\n#O someone\n#C one\n#c two\n#R 0 0\n#P 0 0\n#r 23/3\n"
        "#CXRLE Pos=0,0 Gen=0\n#Z unknown kind\n"
            + x3 + "bo$2bo$3o!\n",
        Glider);
    loads("rle: blank lines before the header", "\n#N Glider\n\n  \n" + x3 + "bo$2bo$3o!", Glider);
    loads("rle: missing ! and line end", x3 + "bo$2bo$3o", Glider);
    loads("rle: text after !", x3 + QByteArrayLiteral("bo$2bo$3o!zz 9999$$\x00\xff"), Glider);
    loads("rle: blanks and line breaks between tokens", x3 + " b o $\n2b\to\r\n$ 3o\n\n!", Glider);
    loads("rle: row end with a count", x3 + "o2$2bo!", QStringLiteral("O..\n...\n..O"));
    loads("rle: multi-state letters", "x = 3, y = 3, rule = Generations\n.A$2.B$pAxX.!",
        QStringLiteral(".O.\n..O\nOO."));
    loads("rle: byte-order mark", "\xEF\xBB\xBF" + x3 + "bo$2bo$3o!", Glider);
    loads("rle: empty pattern", "x = 0, y = 0\n!", QString());

    loads("plaintext: asterisks", "!Name: Glider\n.*.\n..*\n***\n", Glider);
    loads("plaintext: short rows padded", "!Name: Glider\n.O\n..O\nOOO\n", Glider);
    loads("plaintext: comment between rows", ".O.\n!between\n..O\nOOO\n", Glider);
    loads("plaintext: trailing blanks", ".O.  \n..O\t\nOOO \n", Glider);
    loads("plaintext: empty lines before and after", "!c\n\n\n.O.\n..O\nOOO\n\n\n", Glider);
    loads("plaintext: empty line as a dead row", "O\n\nO\n", QStringLiteral("O\n.\nO"), 5);
    loads("plaintext: dead rows and columns count", "....\n.O..\n....\n",
        QStringLiteral("....\n.O..\n...."));

    // Damaged files load what was read up to the fault, or change nothing.
    const QString row1 = QStringLiteral(".O.");
    const QString rows12 = QStringLiteral(".O.\n..O");
    loads("damaged rle: count 99999999999", x3 + "bo$2bo$99999999999o!", rows12);
    loads("damaged rle: count of 30 digits", x3 + "bo$999999999999999999999999999999b!", row1);
    loads("damaged rle: run past the width", x3 + "bo$4o!", row1);
    loads("damaged rle: unknown tag", x3 + "bo$2bz$3o!", row1);
    loads("damaged rle: blank between count and tag", x3 + "bo$2 bo$3o!", row1);
    loads("damaged rle: truncated after a count", x3 + "bo$2bo$3", rows12);
    loads(
        "damaged rle: binary data in the body", x3 + QByteArrayLiteral("bo$\x00\xff\x01o!"), row1);
    unchanged("damaged rle: negative width", "x = -3, y = 3\nbo$2bo$3o!");
    unchanged("damaged rle: absurd width", "x = 99999999999, y = 3\nbo$2bo$3o!");
    unchanged("damaged rle: absurd height", "x = 3, y = 2147483648\nbo$2bo$3o!");
    unchanged("damaged rle: truncated header", "#N Glider\nx = 3, y");
    unchanged("damaged rle: header of 5000 bytes",
        "x = 3, y = 3, rule = " + QByteArray(5000, 'B') + "\nbo$2bo$3o!");
    unchanged("damaged rle: comments only", "#N Glider\n#C nothing else\n");
    unchanged("damaged rle: header and nothing else", x3);
    unchanged("damaged rle: unknown tag first", x3 + "Z3o!");
    unchanged("damaged rle: binary data after a comment", QByteArrayLiteral("#\x00\xff\nx\x00="));
    // What was read before the fault is centred by itself.
    loads("damaged plaintext: unknown character in the third row", ".O.\n..O\nOXO\n", rows12, 4, 4);
    loads("damaged plaintext: binary data after two rows",
        QByteArrayLiteral(".O.\n..O\n\x00\x01\x02"), rows12, 4, 4);
    loads("damaged plaintext: wide row cut off by a fault", "O\n" + QByteArray(50, '.') + "x\n",
        QStringLiteral("O"), 5, 4);
    unchanged("damaged plaintext: comments and empty lines only", "!a\n\n!b\n  \n");
    unchanged("damaged plaintext: fault in the first row", "!c\nO.O#\n.O.\n");
    unchanged(
        "damaged plaintext: binary data after a comment", QByteArrayLiteral("!\x00\n\x00\xff"));
}

void TestForeignPatterns::readPlacesThePatternCentred()
{
    QFETCH(QByteArray, file);
    QFETCH(double, size);
    QFETCH(ReadResult, result);
    QFETCH(QString, live);
    // Only the live area changes, and wholly: pattern cells 1, all others 0.
    Life life = oldBoard(size);
    Life expected = life;
    placeBoard(expected.board(), 1, 1, live);
    QCOMPARE(readBytes(file, life), result);
    QCOMPARE(livePicture(life), livePicture(expected));
    QVERIFY(sameBoards(life.board(), expected.board()));
}

void TestForeignPatterns::samplesRun_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<double>("size");
    QTest::addColumn<int>("period");
    QTest::addColumn<int>("shift"); // cells down and to the right every period

    QTest::newRow("glider") << QStringLiteral("glider.rle") << 20.0 << 4 << 1;
    QTest::newRow("blinker") << QStringLiteral("blinker.rle") << 5.0 << 2 << 0;
    QTest::newRow("pulsar") << QStringLiteral("pulsar.cells") << 20.0 << 3 << 0;
}

void TestForeignPatterns::samplesRun()
{
    QFETCH(QString, file);
    QFETCH(double, size);
    QFETCH(int, period);
    QFETCH(int, shift);
    Life life = clearedLife(size);
    QCOMPARE(readBytes(sample(qPrintable(file)), life), ReadResult::Complete);
    const Life start = life;
    for (int n = 1; n <= 3; ++n) {
        Life moved = clearedLife(size);
        for (int i = 1; i <= start.columns(); ++i)
            for (int j = 1; j <= start.rows(); ++j)
                if (start.board().at(i, j).number() == 1)
                    moved.board().set(i + n * shift, j + n * shift, Cell(1.0));
        for (int g = 1; g < period; ++g) {
            life.step();
            QVERIFY(alivePicture(life) != alivePicture(moved));
        }
        life.step();
        QCOMPARE(alivePicture(life), alivePicture(moved));
    }
}

void TestForeignPatterns::gunEmitsAGliderEveryThirtyGenerations()
{
    // Centred on 150 x 120 the gun's box is 36 x 9 at (58, 56). Every 30
    // generations it is back as it began and a new glider has left it at the
    // same place, the earlier ones travelling on down and to the right.
    Life life = clearedLife(150);
    QCOMPARE(readBytes(sample("gosperglidergun.rle"), life), ReadResult::Complete);
    for (int k = 1; k <= 4; ++k) {
        for (int g = 0; g < 30; ++g)
            life.step();
        const QString alive = alivePicture(life);
        QCOMPARE(alive.split(QLatin1Char('\n')).mid(55, 9).join(QLatin1Char('\n')),
            canvas(150, 9, 58, 1, GosperGliderGun));
        QCOMPARE(
            boardPicture(life.board(), 81, 65, 3, 3).replace(QLatin1Char(' '), QLatin1Char('.')),
            QStringLiteral("O..\n.OO\nOO."));
        QCOMPARE(alive.count(QLatin1Char('O')), GosperGliderGun.count(QLatin1Char('O')) + 5 * k);
    }
}

QTEST_APPLESS_MAIN(TestForeignPatterns)
#include "test_foreignpatterns.moc"
