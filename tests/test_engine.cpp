#include "boardfixture.h"
#include "engine/life.h"

#include <QtTest>

#include <random>

using gridlore::Cell;
using gridlore::CellArray;
using gridlore::Life;

namespace {

// A live area of 10 x 8 with every cell 0, as the first set-up leaves it.
Life smallLife()
{
    Life life;
    life.setBoardSize(10);
    life.clearLiveArea();
    return life;
}

// The rule as plainly as it can be said: nine reads per cell, then the two
// passes. The optimised step must agree with it on every board.
void referenceStep(double boardSize, CellArray &board, CellArray &next)
{
    const int cols = Life::columnsFor(boardSize);
    const int rows = Life::rowsFor(boardSize);
    for (int i = 1; i <= cols; ++i) {
        for (int j = 1; j <= rows; ++j) {
            double s = 0;
            for (int k = i - 1; k <= i + 1; ++k)
                for (int l = j - 1; l <= j + 1; ++l)
                    s += board.at(k, l).number();
            s -= board.at(i, j).number();
            const bool dead = board.at(i, j) == Cell(0.0);
            if ((dead && s == 3) || (!dead && (s == 2 || s == 3)))
                next.set(i, j, Cell(1.0));
        }
    }
    for (int i = 1; i <= cols; ++i)
        for (int j = 1; j <= rows; ++j) {
            board.set(i, j, next.at(i, j));
            next.set(i, j, Cell(0.0));
        }
}

bool sameCells(const CellArray &a, const CellArray &b)
{
    for (int i = 0; i < CellArray::Extent; ++i)
        for (int j = 0; j < CellArray::Extent; ++j)
            if (a.at(i, j).isEmpty() != b.at(i, j).isEmpty() || !(a.at(i, j) == b.at(i, j)))
                return false;
    return true;
}

} // namespace

class TestEngine : public QObject
{
    Q_OBJECT

private slots:
    void boardSizeGivesColumnsAndRows_data();
    void boardSizeGivesColumnsAndRows();
    void patternsEvolve_data();
    void patternsEvolve();
    void gliderLeavesTheBoardWithoutWrapping();
    void borderRingCellsCountAsNeighbours_data();
    void borderRingCellsCountAsNeighbours();
    void deadCellsHoldEmptyAfterFirstStepAndZeroAfterSecond();
    void cellHoldingTwoCountsDouble();
    void clearingTouchesOnlyTheLiveArea();
    void stepMatchesPlainRule_data();
    void stepMatchesPlainRule();
};

void TestEngine::boardSizeGivesColumnsAndRows_data()
{
    QTest::addColumn<double>("size");
    QTest::addColumn<double>("limited");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::newRow("125") << 125.0 << 125.0 << 125 << 100;
    QTest::newRow("150") << 150.0 << 150.0 << 150 << 120;
    QTest::newRow("200") << 200.0 << 150.0 << 150 << 120;
    QTest::newRow("5") << 5.0 << 5.0 << 5 << 4;
    QTest::newRow("4") << 4.0 << 5.0 << 5 << 4;
    QTest::newRow("0") << 0.0 << 5.0 << 5 << 4;
    QTest::newRow("-3") << -3.0 << 5.0 << 5 << 4;
    QTest::newRow("7.5") << 7.5 << 7.5 << 7 << 6;
    QTest::newRow("6.25") << 6.25 << 6.25 << 6 << 5;
    QTest::newRow("beyond double")
        << std::numeric_limits<double>::infinity() << 150.0 << 150 << 120;
    QTest::newRow("beyond double negative")
        << -std::numeric_limits<double>::infinity() << 5.0 << 5 << 4;
}

void TestEngine::boardSizeGivesColumnsAndRows()
{
    QFETCH(double, size);
    Life life;
    life.setBoardSize(size);
    QTEST(life.boardSize(), "limited");
    QTEST(life.columns(), "columns");
    QTEST(life.rows(), "rows");
}

void TestEngine::patternsEvolve_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("steps");
    QTest::addColumn<QString>("after");
    QTest::newRow("block") << "....\n.OO.\n.OO.\n...." << 1 << "....\n.OO.\n.OO.\n....";
    QTest::newRow("blinker flips")
        << ".....\n.....\n.OOO.\n.....\n....." << 1 << ".....\n..O..\n..O..\n..O..\n.....";
    QTest::newRow("blinker returns")
        << ".....\n.....\n.OOO.\n.....\n....." << 2 << ".....\n.....\n.OOO.\n.....\n.....";
    QTest::newRow("glider after four") << ".O....\n..O...\nOOO...\n......\n......\n......" << 4
                                       << "......\n..O...\n...O..\n.OOO..\n......\n......";
    QTest::newRow("single dies") << "...\n.O.\n..." << 1 << "...\n...\n...";
    QTest::newRow("crowded centre dies") << "OOO\nOOO\n..." << 1 << "O.O\nO.O\n.O.";
}

void TestEngine::patternsEvolve()
{
    QFETCH(QString, before);
    QFETCH(int, steps);
    QFETCH(QString, after);
    Life life = smallLife();
    placeBoard(life.board(), 3, 2, before);
    for (int n = 0; n < steps; ++n)
        life.step();
    const int size = static_cast<int>(before.indexOf(QLatin1Char('\n')));
    // Cells never written by the buffer come out empty: read them as dead.
    QCOMPARE(boardPicture(life.board(), 3, 2, size, static_cast<int>(before.count('\n')) + 1)
                 .replace(QLatin1Char(' '), QLatin1Char('.')),
        after);
}

void TestEngine::gliderLeavesTheBoardWithoutWrapping()
{
    Life life = smallLife();
    // Heading down and right towards the corner (10, 8).
    placeBoard(life.board(), 6, 4, ".O.\n..O\nOOO");
    for (int n = 0; n < 40; ++n)
        life.step();
    int liveInside = 0;
    for (int i = 1; i <= 10; ++i)
        for (int j = 1; j <= 8; ++j)
            liveInside += life.board().at(i, j) == Cell(1.0);
    // It ends as a block stuck in the corner, never reappearing elsewhere.
    QCOMPARE(boardPicture(life.board(), 9, 7, 2, 2), QStringLiteral("OO\nOO"));
    QCOMPARE(liveInside, 4);
    for (int k = 0; k <= 11; ++k) {
        QVERIFY(life.board().at(k, 0) == Cell(0.0));
        QVERIFY(life.board().at(k, 9) == Cell(0.0));
        QVERIFY(life.board().at(0, k) == Cell(0.0));
        QVERIFY(life.board().at(11, k) == Cell(0.0));
    }
}

void TestEngine::borderRingCellsCountAsNeighbours_data()
{
    QTest::addColumn<int>("ringColumn");
    QTest::addColumn<int>("ringRow");
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<int>("bornColumn");
    QTest::addColumn<int>("bornRow");
    QTest::newRow("row 0 over row 1") << 4 << 0 << true << 5 << 1;
    QTest::newRow("row 9 under row 8") << 4 << 9 << true << 5 << 8;
    QTest::newRow("column 0 left of column 1") << 0 << 3 << false << 1 << 4;
    QTest::newRow("column 11 right of column 10") << 11 << 3 << false << 10 << 4;
}

void TestEngine::borderRingCellsCountAsNeighbours()
{
    QFETCH(int, ringColumn);
    QFETCH(int, ringRow);
    QFETCH(bool, horizontal);
    Life life = smallLife();
    for (int k = 0; k < 3; ++k)
        life.board().set(
            ringColumn + (horizontal ? k : 0), ringRow + (horizontal ? 0 : k), Cell(1.0));
    life.step();
    QFETCH(int, bornColumn);
    QFETCH(int, bornRow);
    QVERIFY(life.board().at(bornColumn, bornRow) == Cell(1.0));
    // The ring itself is neither evolved nor cleared.
    QVERIFY(life.board().at(ringColumn, ringRow) == Cell(1.0));
}

void TestEngine::deadCellsHoldEmptyAfterFirstStepAndZeroAfterSecond()
{
    Life life = smallLife();
    placeBoard(life.board(), 2, 2, "OO\nOO");
    life.step();
    QVERIFY(life.board().at(6, 6).isEmpty());
    QVERIFY(!life.board().at(2, 2).isEmpty());
    life.step();
    QVERIFY(!life.board().at(6, 6).isEmpty());
    QCOMPARE(life.board().at(6, 6).number(), 0.0);
}

void TestEngine::cellHoldingTwoCountsDouble()
{
    Life life = smallLife();
    // Dead (4, 4) has two live neighbours, one of them worth 2: sum 3, born.
    placeBoard(life.board(), 3, 3, "2..\n...\n..O");
    life.step();
    QVERIFY(life.board().at(4, 4) == Cell(1.0));
    // The 2 itself has no live neighbours and dies.
    QVERIFY(life.board().at(3, 3) == Cell(0.0));
}

void TestEngine::clearingTouchesOnlyTheLiveArea()
{
    Life life;
    life.setBoardSize(10);
    life.board().set(0, 0, Cell(1.0));
    life.board().set(11, 9, Cell(1.0));
    life.board().set(5, 5, Cell(7.0));
    life.clearLiveArea();
    QVERIFY(!life.board().at(1, 1).isEmpty());
    QVERIFY(life.board().at(5, 5) == Cell(0.0));
    QVERIFY(life.board().at(0, 0) == Cell(1.0));
    QVERIFY(life.board().at(11, 9) == Cell(1.0));
    QVERIFY(life.board().at(11, 1).isEmpty());
}

void TestEngine::stepMatchesPlainRule_data()
{
    QTest::addColumn<double>("size");
    QTest::addColumn<QList<double>>("values");
    QTest::newRow("150, zeros and ones") << 150.0 << QList<double> { 0, 1 };
    QTest::newRow("125, with empties") << 125.0 << QList<double> { 0, 1, qQNaN() };
    QTest::newRow("7.5, twos and negatives") << 7.5 << QList<double> { 0, 1, 2, -1 };
    QTest::newRow("33, fractions") << 33.0 << QList<double> { 0, 1, 0.5, 1.5, 0.1, 2.9 };
}

void TestEngine::stepMatchesPlainRule()
{
    QFETCH(double, size);
    QFETCH(QList<double>, values);
    std::mt19937 random(42);
    std::uniform_int_distribution<qsizetype> pick(0, values.size() - 1);
    Life life;
    life.setBoardSize(size);
    CellArray board;
    CellArray next;
    // Fill the live area and its ring; NaN in the list stands for empty.
    for (int i = 0; i <= life.columns() + 1; ++i) {
        for (int j = 0; j <= life.rows() + 1; ++j) {
            const double v = values[pick(random)];
            const Cell cell = qIsNaN(v) ? Cell::empty() : Cell(v);
            life.board().set(i, j, cell);
            board.set(i, j, cell);
        }
    }
    for (int generation = 0; generation < 5; ++generation) {
        life.step();
        referenceStep(size, board, next);
        QVERIFY2(sameCells(life.board(), board), qPrintable(QString::number(generation)));
        QVERIFY(sameCells(life.nextBoard(), next));
    }
}

QTEST_MAIN(TestEngine)
#include "test_engine.moc"
