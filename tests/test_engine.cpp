#include "boardfixture.h"
#include "engine/boardsnapshot.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

using namespace gridlore;

class TestEngine : public QObject
{
    Q_OBJECT

private slots:
    void stepMatchesPlainRule_data();
    void stepMatchesPlainRule();
    void cellHoldsLastWrite_data();
    void cellHoldsLastWrite();
};

void TestEngine::stepMatchesPlainRule_data()
{
    QTest::addColumn<double>("size"); // as typed, before it is limited to 5..150
    QTest::addColumn<QList<double>>("values"); // NaN stands for empty
    // Cleared as a set-up does, then a third alive and a few at 2, so that the
    // step changes ways once the 2s are gone.
    QTest::addColumn<bool>("cleared");
    const QList<double> empties { 0, 1, qQNaN() };
    QTest::newRow("200, empties, cleared") << 200.0 << empties << true;
    QTest::newRow("125, empties") << 125.0 << empties << false; // over 64 rows, buffer as at start
    QTest::newRow("-inf, empties") << -qInf() << empties << false;
    QTest::newRow("6.25, empties, cleared") << 6.25 << empties << true;
    QTest::newRow("7.5, 2 and -1") << 7.5 << QList<double> { 0, 1, 2, -1, qQNaN() } << false;
    QTest::newRow("33, fractions") << 33.0 << QList<double> { 0, 1, 0.5, 1.5, 0.1, 2.9 } << false;
}

// Random boards, ring and beyond included, against the rule as plainly as it
// can be said, with its own board arithmetic: nine reads per cell, then the
// two passes. The buffer starts empty, as at start-up, so the first steps
// also show which dead cells come out empty rather than 0.
void TestEngine::stepMatchesPlainRule()
{
    QFETCH(double, size);
    QFETCH(QList<double>, values);
    QFETCH(bool, cleared);
    const double n = std::clamp(size, 5.0, 150.0);
    const int columns = int(std::floor(n)), rows = int(std::floor(0.8 * n));
    std::mt19937 random(42);
    Life life;
    life.setBoardSize(size);
    CellArray board, next;
    for (int i = 0; i < CellArray::Extent; ++i)
        for (int j = 0; j < CellArray::Extent; ++j) {
            const double v = values[random() % values.size()];
            board.set(i, j, std::isnan(v) ? Cell::empty() : Cell(v));
        }
    life.board() = board;
    if (cleared) {
        for (int i = 1; i <= columns; ++i)
            for (int j = 1; j <= rows; ++j)
                life.board().set(i, j, Cell(7.0)), board.set(i, j, Cell(0.0));
        life.clearLiveArea();
        for (int i = 1; i <= columns; ++i)
            for (int j = 1; j <= rows; ++j)
                if (const double v = random() % 40 == 0 ? 2 : 1; random() % 3 == 0)
                    board.set(i, j, v), life.board().set(i, j, v);
    }
    for (int generation = 0; generation <= 6; ++generation) {
        QCOMPARE(firstDifference(life.board(), board), QString());
        QCOMPARE(firstDifference(life.nextBoard(), next), QString());
        const CellArray shown = board;
        life.board().forgetChanges();
        life.step();
        // Both passes in one: a cell's entry of the buffer comes to the board
        // unless the rule gives it 1, and the buffer holds 0 after.
        for (int i = 1; i <= columns; ++i)
            for (int j = 1; j <= rows; ++j) {
                double s = 0;
                for (int k = i - 1; k <= i + 1; ++k)
                    for (int l = j - 1; l <= j + 1; ++l)
                        s += shown.at(k, l).number();
                s -= shown.at(i, j).number();
                const bool lives = shown.at(i, j).number() == 0 ? s == 3 : s == 2 || s == 3;
                board.set(i, j, lives ? Cell(1.0) : next.at(i, j));
                next.set(i, j, Cell(0.0));
            }
        // The cells the board says changed are those that came to hold 1 or
        // stopped: what a picture of it must paint again.
        for (int i = 0; i < CellArray::Extent; ++i)
            for (int j = 0; j < CellArray::Extent; ++j)
                QVERIFY2(bool(life.board().changes(i)[j / 64] >> (j % 64) & 1)
                        == ((shown.at(i, j) == 1) != (board.at(i, j) == 1)),
                    qPrintable(QString::asprintf("(%d, %d)", i, j)));
    }
}

void TestEngine::cellHoldsLastWrite_data()
{
    QTest::addColumn<QList<double>>("writes"); // NaN stands for empty
    QTest::addColumn<QString>("holds");
    QTest::newRow("-0") << QList<double> { -0.0 } << "-0";
    QTest::newRow("2, 0") << QList<double> { 2, 0 } << "0";
    QTest::newRow("0.5, 1") << QList<double> { 0.5, 1 } << "1";
    QTest::newRow("-0, empty") << QList<double> { -0.0, qQNaN() } << "empty";
    QTest::newRow("1, 2, -0") << QList<double> { 1, 2, -0.0 } << "-0";
    QTest::newRow("0, 1, 2.5") << QList<double> { 0, 1, 2.5 } << "2.5";
}

// One cell past its column's first 64 rows, written in turn, then overwritten
// with its neighbour and put back from a snapshot. Only 0, 1 and empty let the
// step work on the board's bits.
void TestEngine::cellHoldsLastWrite()
{
    QFETCH(QList<double>, writes);
    QFETCH(QString, holds);
    Life life;
    for (const double v : writes)
        life.board().set(3, 70, std::isnan(v) ? Cell::empty() : Cell(v));
    const gridlore::BoardSnapshot snapshot(life);
    for (const int row : { 70, 71 })
        life.board().set(3, row, Cell(7.0));
    snapshot.restoreTo(life);
    const Cell held = life.board().at(3, 70);
    char number[32]; // Qt prints -0 as 0
    std::snprintf(number, sizeof number, "%g", held.number());
    QCOMPARE(held.isEmpty() ? QStringLiteral("empty") : QString::fromLatin1(number), holds);
    QVERIFY(life.board().at(3, 71).isEmpty());
    QCOMPARE(life.board().holdsOnlyZeroOneOrEmpty(),
        holds == u"0" || holds == u"1" || holds == u"empty");
}

QTEST_APPLESS_MAIN(TestEngine)
#include "test_engine.moc"
