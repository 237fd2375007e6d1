#include "boardfixture.h"
#include "patterns/plaintextwriter.h"
#include "patterns/rlewriter.h"

#include <QtTest>

#include <limits>

using namespace gridlore;
using Kind = ReadProblem::Kind;

namespace {

const QString Glider = QStringLiteral(".O.\n..O\nOOO");

// The live area of a board of `size`, size whole columns by 0.8 x size whole
// rows, with `picture` drawn on dead cells, its top-left character at (left, top).
QString canvas(double size, int left, int top, const QString &picture)
{
    QStringList lines(int(0.8 * size), QString(int(size), u'.'));
    const QStringList drawn = picture.split(u'\n');
    for (int y = 0; y < drawn.size(); ++y)
        lines[top + y - 1].replace(left - 1, drawn[y].size(), drawn[y]);
    return lines.join(u'\n');
}

} // namespace

class TestPatterns : public QObject
{
    Q_OBJECT

private slots:
    void ownFormatKeepsEveryNumber_data();
    void ownFormatKeepsEveryNumber();
    void readPlacesThePatternOrTellsTheFault_data();
    void readPlacesThePatternOrTellsTheFault();
    void writesRleAndPlaintext_data();
    void writesRleAndPlaintext();
    void collectionKeepsItsClaims_data();
    void collectionKeepsItsClaims();
};

void TestPatterns::ownFormatKeepsEveryNumber_data()
{
    QTest::addColumn<double>("value"); // at cell (1, 1); the others 0, but (2, 1) empty
    QTest::addColumn<QByteArray>("line"); // the value's, where a row gives it
    for (const auto &[value, line] :
        QList<std::pair<double, QByteArray>> { { 1, " 1 " }, { -3, "-3 " }, { -0.0, " 0 " },
            { 0.1, " 0.1 " }, { 123456789012345.0, " 123456789012345 " }, { 1e300, " 1e+300 " } })
        QTest::newRow(line) << value << line;
    for (const double value : { 1.0 / 3.0, -1e-7, 5e-324, 1e16, 123456789012345678.0,
             2.2250738585072014e-308, std::numeric_limits<double>::max() })
        QTest::newRow(qPrintable(QString::number(value, 'g', 17))) << value << QByteArray();
}

// Column by column, a line for each cell of the live area and none for the
// ring; read back onto a board of 7s, the same cells and bytes.
void TestPatterns::ownFormatKeepsEveryNumber()
{
    QFETCH(double, value);
    QFETCH(QByteArray, line);
    Life life = clearedLife(5), copy = clearedLife(5);
    life.board().set(1, 1, value);
    life.board().set(2, 1, Cell::empty());
    life.board().set(6, 5, Cell(9.0));
    std::ostringstream out, again;
    gridlore::writePattern(out, life);
    const QByteArray saved = QByteArray::fromStdString(out.str()), zero = " 0 \r\n";
    QCOMPARE(saved.mid(saved.indexOf('\n') + 1), zero.repeated(3) + "\r\n" + zero.repeated(15));
    QVERIFY(line.isNull() || saved.startsWith(line + "\r\n"));
    placeBoard(copy.board(), 1, 1, QStringLiteral("77777\n77777\n77777\n77777"));
    QCOMPARE(readBytes(saved, copy), ReadResult::Complete);
    QVERIFY(copy.board().at(1, 1).number() == value);
    gridlore::writePattern(again, copy);
    QCOMPARE(again.str(), out.str());
}

void TestPatterns::readPlacesThePatternOrTellsTheFault_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<double>("size");
    QTest::addColumn<ReadResult>("result");
    QTest::addColumn<QString>("live"); // the live area after it; none when it is unchanged
    QTest::addColumn<ReadProblem>("problem"); // the fault told, for another program's format
    using enum ReadResult;
    const auto row = [](const char *name, const QByteArray &file, ReadResult result,
                         const QString &live = {}, double size = 10, ReadProblem problem = {}) {
        QTest::newRow(name) << file << size << result << live << problem;
    };
    const auto refused = [&](const char *name, const QByteArray &file, ReadProblem problem) {
        row(name, file, Unchanged, {}, 10, problem);
    };
    // A pattern lands with its top-left cell at (left, top), on a 10 x 8 board unless said.
    const auto placed = [&](const char *name, const QByteArray &file, const QString &picture,
                            ReadProblem problem = {}, int left = 4, int top = 3, double size = 10) {
        row(name, file, Complete, canvas(size, left, top, picture), size, problem);
    };

    // The program's own format, onto a board of 7s: a cell a line, column by
    // column, up to the first line outside the format.
    const auto own = [&](const char *name, const QByteArray &third, const char *cell,
                         const QByteArray &end = "\r\n") {
        const QByteArray one = " 1 " + end;
        row(name, one.repeated(2) + third + end + one.repeated(17), cell ? Complete : Stopped,
            cell ? QStringLiteral("OOOOO\nOOOOO\n%1OOOO\nOOOOO").arg(QLatin1String(cell))
                 : QStringLiteral("O7777\nO7777\n77777\n77777"),
            5);
    };
    own("own: blanks, LF", " \t ", " ", "\n");
    own("own: \\t1\\t, LF", "\t1\t", "O", "\n");
    // Nothing but line ends, which must not be taken for a plaintext pattern.
    row("own: line ends only", QByteArray("\r\n").repeated(20), Complete,
        QStringLiteral("     \n     \n     \n     "), 5);
    for (const char *line :
        { "word", "1 2", "0x10", "inf", "1e999", "- 1", " 1 \r 1 ", "\xef\xbc\x91" })
        own(line, line, nullptr);
    own("own: NUL after a number", QByteArray(" 1\0 ", 4), nullptr);
    own("own: 4096 bytes", " 1" + QByteArray(4094, ' '), "O");
    own("own: 4097 bytes, LF", " 1" + QByteArray(4095, ' '), nullptr, "\n");
    row("own: CR at the very end", QByteArray(" 1 \r\n").repeated(19) + " 1 \r", Complete,
        QStringLiteral("OOOOO\nOOOOO\nOOOOO\nOOOOO"), 5);
    row("own: empty file", "", Stopped, {}, 5);
    row("own: 1 MiB without a line end", QByteArray(1 << 20, ' '), Stopped, {}, 5);
    row("own: xylophone", "xylophone\n", Stopped);
    row("own: .O1", ".O1\n", Stopped);
    row("own: half a byte-order mark", "\xEF\xBB#N\n", Stopped);

    placed("glider.rle, 7.5", readAll(QStringLiteral(GRIDLORE_SAMPLE_PATTERNS "/glider.rle")),
        Glider, {}, 3, 2, 7.5);
    // The overhang is split with the halves rounded down, and dropped: the
    // middle of the 13 x 13 pulsar on the 10 x 8 board.
    placed("pulsar.cells, 10", readAll(QStringLiteral(GRIDLORE_SAMPLE_PATTERNS "/pulsar.cells")),
        QStringLiteral("...O.O....\n...O.O....\nOOO...OOO.\n..........\n"
                       "OOO...OOO.\n...O.O....\n...O.O....\n...O.O...."),
        {}, 1, 1);
    const QByteArray x3 = "x = 3, y = 3\n";
    placed("x\\t=3,y=3 without rule", "x\t=3,y=3\nbo$2bo$3o!", Glider);
    placed("every kind of # line, one of 5000 bytes",
        "#N G\n#O me\n#C one\n#c two\n#R 0 0\n#P 0 0\n#r 23/3\n#CXRLE Pos=0,0\n#Z ?\n#C "
            + QByteArray(5000, 'c') + "\n" + x3 + "bo$2bo$3o!\n",
        Glider);
    placed("blank lines first, no !", "\n#N Glider\n\n  \n" + x3 + "bo$2bo$3o", Glider);
    placed("blanks and breaks between tokens, text after !",
        x3 + QByteArrayLiteral(" b o $\r\n2b\to\n$ 3o\n\n!zz 99$$\x00\xff"), Glider);
    placed("o2$2bo!", x3 + "o2$2bo!", QStringLiteral("O..\n...\n..O"));
    // Golly's multi-state files (LifeHistory's, say): every state but 0 is alive.
    placed("multi-state letters", "x = 3, y = 3, rule = G\n.A$2.B$pAxX.!",
        QStringLiteral(".O.\n..O\nOO."));
    placed("1.05 as Golly writes it, CR, x stops", "#Life 1.05\r#R 23/3\r#P\r.*\r..*\r***\rx\r*",
        Glider, { Kind::UnknownCharacter, 7, 'x' });
    placed("1.05, two #P", "#Life 1.05\n*******\n#P 2 2\n*", QStringLiteral("OOOOOOO\n\n..O"), {},
        2, 3);
    placed("1.06, x stops", "#Life 1.06\n0 0\n2 0\nx\n0 3", QStringLiteral("O.O"),
        { Kind::BadCoordinates, 4 }, 4, 4);
    placed("1.06, the farthest cells", "#Life 1.06\n2147483647 0\n-2147483647 0\n", QString());
    refused("1.06, a cell farther", "#Life 1.06\n2147483648 0\n", { Kind::BadCoordinates, 2 });
    refused("1.05, #R B36/S23", "#Life 1.05\n#R B36/S23\n*", { Kind::ForeignRule, 2 });
    refused("1.06 without cells", "#Life 1.06\n\n", { Kind::NoCells });
    placed("rle with byte-order mark", "\xEF\xBB\xBF" + x3 + "bo$2bo$3o!", Glider);
    placed("x = 0, y = 0", "x = 0, y = 0\n!", QString());
    placed("plaintext *, CR LF, after a BOM", "\xEF\xBB\xBF!N\r\n.*.\r\n..*\r\n***\r\n", Glider);
    placed("plaintext short rows, comment between", ".O\n!c\n..O  \r\nOOO\t\n\n", Glider);
    placed(
        "plaintext empty line as a dead row", "!c\n\nO\n\nO\n", QStringLiteral("O\n.\nO"), {}, 5);
    placed("plaintext dead rows and columns", "....\n.O..\n....\n",
        QStringLiteral("....\n.O..\n...."));
    // Damaged files place what was read up to the fault, or change nothing.
    const QString rows12 = QStringLiteral(".O.\n..O");
    for (const auto &[third, kind, byte] :
        { std::tuple("0b3o!", Kind::ZeroCount, '\0'), std::tuple("4o!", Kind::OutsideBox, '\0'),
            std::tuple("3z!", Kind::UnknownCharacter, 'z'),
            std::tuple("3 o!", Kind::BlankAfterCount, '\0'),
            std::tuple("$$$!", Kind::OutsideBox, '\0'),
            std::tuple("2pZ!", Kind::UnknownCharacter, 'p') })
        placed(third, x3 + "bo$2bo$" + third, rows12, { kind, 2, byte });
    placed("count of 30 digits", x3 + "bo$999999999999999999999999999999b!", QStringLiteral(".O."),
        { Kind::OutsideBox, 2 });
    placed("binary in the body", x3 + QByteArrayLiteral("bo$2bo$\x00\xff\x01o!"), rows12,
        { Kind::UnknownCharacter, 2, '\0' });
    placed("plaintext X in the third row", ".O.\n..O\nOXO\n", rows12,
        { Kind::UnknownCharacter, 3, 'X' }, 4, 4);
    for (const auto &[file, kind, line, byte] :
        { std::tuple("x = -3, y = 3\n3o!", Kind::BadHeader, 1, '\0'),
            std::tuple("x = 3, y = 2147483648\n3o!", Kind::BadHeader, 1, '\0'),
            std::tuple("#N Glider\nx = 3, y", Kind::BadHeader, 2, '\0'),
            std::tuple("#N Glider\n#C nothing else\n", Kind::NoHeader, 0, '\0'),
            std::tuple("x = 3, y = 3\n", Kind::NoCells, 0, '\0'),
            std::tuple("x = 3, y = 3\nZ3o!", Kind::UnknownCharacter, 2, 'Z'),
            std::tuple("!a\n\n!b\n  \n", Kind::NoCells, 0, '\0'),
            std::tuple("!c\nO.O#\n.O.\n", Kind::UnknownCharacter, 2, '#') })
        refused(file, file, { kind, line, byte });
    refused("header of 5000 bytes", "x = 3, y = 3, rule = " + QByteArray(5000, 'B') + "\n3o!",
        { Kind::LineTooLong, 1 });

    // Every format but the own takes LF, CR LF and CR alike, and counts its
    // lines by them: the glider, then a fault on the last line.
    for (const auto &[format, lines, kind, line] :
        { std::tuple("rle",
              QByteArrayList { "#N Glider", "", "x = 3, y = 4", "bo$2bo$", "3o$", "z!" },
              Kind::UnknownCharacter, 6),
            std::tuple("cells", QByteArrayList { "!Name: Glider", ".O.", "!c", "..O", "OOO", "z" },
                Kind::UnknownCharacter, 6),
            std::tuple("1.05",
                QByteArrayList { "#Life 1.05", "#D G", "#P -1 -1", ".*.", "..*", "***", "z" },
                Kind::UnknownCharacter, 7),
            std::tuple("1.06",
                QByteArrayList { "#Life 1.06", "", "0 -1", "1 0", "-1 1", "0 1", "1 1", "z" },
                Kind::BadCoordinates, 8) })
        for (const auto &[end, name] :
            { std::pair("\n", "LF"), std::pair("\r\n", "CR LF"), std::pair("\r", "CR") })
            placed(qPrintable(QStringLiteral("%1, %2").arg(format, name)), lines.join(end) + end,
                Glider, { kind, line, kind == Kind::UnknownCharacter ? 'z' : '\0' });
}

// Only the live area changes, and by a foreign pattern wholly: its cells 1,
// all others 0. Never more than the look-ahead and a line are taken in. A
// fault is told by its kind and line, and an unknown character by itself.
void TestPatterns::readPlacesThePatternOrTellsTheFault()
{
    QFETCH(QByteArray, file);
    QFETCH(double, size);
    QFETCH(QString, live);
    Life life = clearedLife(size);
    for (int i = 0; i < gridlore::CellArray::Extent; ++i)
        for (int j = 0; j < gridlore::CellArray::Extent; ++j)
            life.board().set(
                i, j, i >= 1 && i <= life.columns() && j >= 1 && j <= life.rows() ? 7 : 3);
    Life expected = life;
    placeBoard(expected.board(), 1, 1, live);
    std::istringstream in(file.toStdString());
    ReadProblem told;
    QTEST(gridlore::readPattern(in, life, &told), "result");
    QCOMPARE(firstDifference(life.board(), expected.board()), QString());
    QFETCH(ReadProblem, problem);
    QCOMPARE(int(told.kind), int(problem.kind));
    QCOMPARE(told.line, problem.line);
    QCOMPARE(told.byte, problem.byte);
    QVERIFY(in.rdbuf()->pubseekoff(0, std::ios_base::cur, std::ios_base::in) <= 65536 + 4098);
}

void TestPatterns::writesRleAndPlaintext_data()
{
    QTest::addColumn<QString>("picture"); // at (1, 1) of an 80 x 64 board
    QTest::addColumn<QByteArray>("rle"); // after its "#C" line
    QTest::addColumn<QByteArray>("cells"); // after its "!Name:" line
    const auto row
        = [](const char *name, const QString &picture, const QByteArray &rle,
              const QByteArray &cells) { QTest::newRow(name) << picture << rle << cells; };
    row("glider", Glider, "x = 3, y = 3, rule = B3/S23\nbo$2bo$3o!\n", ".O.\n..O\nOOO\n");
    row("blinker", "OOO", "x = 3, y = 1, rule = B3/S23\n3o!\n", "OOO\n");
    // Lines of 70 characters at most, a count never parted from its tag.
    row("75 wide", QString("O.").repeated(37) + "O",
        "x = 75, y = 1, rule = B3/S23\n" + QByteArray("ob").repeated(35) + "\nobobo!\n",
        QByteArray("O.").repeated(37) + "O\n");
    row("74 wide", QString("OO.").repeated(24) + "OO",
        "x = 74, y = 1, rule = B3/S23\n" + QByteArray("2ob").repeated(23) + "\n2ob2o!\n",
        QByteArray("OO.").repeated(24) + "OO\n");
    // Only cells holding 1 are alive in other programs.
    row("a 2 and an empty cell", "O2\n O", "x = 2, y = 2, rule = B3/S23\no$bo!\n", "O.\n.O\n");
    row("empty", "", "x = 0, y = 0, rule = B3/S23\n!\n", ".\n");
}

// RLE as Ctrl+C copies it and plaintext named by the file; each read back
// onto a board in use gives the same pattern, so the same bytes again.
void TestPatterns::writesRleAndPlaintext()
{
    QFETCH(QString, picture);
    QFETCH(QByteArray, rle);
    QFETCH(QByteArray, cells);
    Life life = clearedLife(80);
    placeBoard(life.board(), 1, 1, picture);
    const std::string name = QTest::currentDataTag();
    const auto written = [&](const Life &from, bool asRle) {
        std::ostringstream out;
        asRle ? gridlore::writeRle(out, from) : gridlore::writePlaintext(out, from, name);
        return QByteArray::fromStdString(out.str());
    };
    for (const bool asRle : { true, false }) {
        const QByteArray expected = asRle
            ? "#C Copied from gridlore\n" + rle
            : "!Name: " + QByteArray::fromStdString(name) + "\n" + cells;
        QCOMPARE(written(life, asRle), expected);
        Life back = clearedLife(80);
        placeBoard(back.board(), 1, 1, QStringLiteral("7777\n7777"));
        QCOMPARE(readBytes(expected, back), ReadResult::Complete);
        QCOMPARE(written(back, asRle), expected);
    }
}

void TestPatterns::collectionKeepsItsClaims_data()
{
    QTest::addColumn<QString>("name");
    for (const QString &name : QDir(GRIDLORE_COLLECTION).entryList({ "*.rle" }))
        QTest::newRow(qPrintable(name)) << name;
}

// Each bundled file, on the largest board, does what its comment claims:
// "#C period P", with "moves DX DY" for a spaceship (cells right and down), or
// "#C population N at generation G".
void TestPatterns::collectionKeepsItsClaims()
{
    QFETCH(QString, name);
    const QByteArray bytes = readAll(QDir(GRIDLORE_COLLECTION).filePath(name));
    const auto claim = QRegularExpression(R"(\n#C (?:period (\d+)(?: moves (\d) (\d))?|)"
                                          R"(population (\d+) at generation (\d+))\n)")
                           .match(QString::fromUtf8(bytes));
    QVERIFY(claim.hasMatch());
    Life life = clearedLife(150);
    QCOMPARE(readBytes(bytes, life), ReadResult::Complete);
    const auto alive = [&](int dx, int dy) {
        QString cells;
        for (int i = 1; i <= 150; ++i)
            for (int j = 1; j <= 120; ++j)
                cells += i > dx && j > dy && life.board().at(i - dx, j - dy) == 1 ? u'O' : u'.';
        return cells;
    };
    const int period = claim.captured(1).toInt();
    const QString start = alive(claim.captured(2).toInt(), claim.captured(3).toInt());
    for (int generation = 0; generation < period + claim.captured(5).toInt(); ++generation)
        life.step();
    if (period)
        QCOMPARE(alive(0, 0), start);
    else
        QCOMPARE(alive(0, 0).count(u'O'), claim.captured(4).toInt());
}

QTEST_APPLESS_MAIN(TestPatterns)
#include "test_patterns.moc"
