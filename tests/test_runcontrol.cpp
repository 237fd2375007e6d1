#include "form1fixture.h"

#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using namespace gridlore;

namespace {

// A 10 x 8 board with nothing on it, so that presses land on large cells.
std::unique_ptr<Form1> smallBoard()
{
    auto form = shownForm1();
    if (!form)
        return nullptr;
    control<QLineEdit>(*form, "Text2")->setText(QStringLiteral("10"));
    form->Command2_Click();
    return form;
}

QImage snapshot(const Form1 &form)
{
    return form.surface()->image().copy();
}

// The bounding box of the pixels that differ between two images.
QRect changedArea(const QImage &before, const QImage &after)
{
    QRect area;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y))
                area |= QRect(x, y, 1, 1);
    return area;
}

} // namespace

class TestRunControl : public QObject
{
    Q_OBJECT

private slots:
    void counterAdvancesWithABlankBeforeTheNumber();
    void toggleFollowsTheTimerNotTheCaption_data();
    void toggleFollowsTheTimerNotTheCaption();
    void tickReadsTheInterval_data();
    void tickReadsTheInterval();
    void tickRunsAGeneration();
    void automaticRunAdvancesOnRealTimerEvents();
    void pressFlipsTheCellUnderThePointer_data();
    void pressFlipsTheCellUnderThePointer();
    void pressRepaintsOnlyThatMark();
    void pressesToggleTheCell_data();
    void pressesToggleTheCell();
    void pressOutsideTheBoardIsIgnored_data();
    void pressOutsideTheBoardIsIgnored();
    void rowZeroCellCountsAsNeighbourButIsNeverCleared();
};

void TestRunControl::counterAdvancesWithABlankBeforeTheNumber()
{
    auto form = shownForm1();
    QVERIFY(form);
    QStringList captions { counter(*form) };
    for (int n = 0; n < 3; ++n) {
        control<QPushButton>(*form, "Command3")->click();
        captions << counter(*form);
    }
    control<QPushButton>(*form, "Command2")->click();
    captions << counter(*form);
    control<QPushButton>(*form, "Command3")->click();
    captions << counter(*form);
    QCOMPARE(captions,
        QStringList({ "1世代目", " 2世代目", " 3世代目", " 4世代目", "1世代目", " 2世代目" }));
}

void TestRunControl::toggleFollowsTheTimerNotTheCaption_data()
{
    QTest::addColumn<QString>("events");
    QTest::addColumn<bool>("running");
    QTest::addColumn<QString>("caption");
    QTest::newRow("toggle") << "toggle" << true << "自動Stop";
    QTest::newRow("toggle twice") << "toggle toggle" << false << "自動";
    QTest::newRow("reset while running") << "toggle reset" << false << "自動Stop";
    QTest::newRow("toggle after reset restarts") << "toggle reset toggle" << true << "自動Stop";
    QTest::newRow("then stops") << "toggle reset toggle toggle" << false << "自動";
    QTest::newRow("next generation leaves it") << "toggle step" << true << "自動Stop";
    QTest::newRow("reset while stopped") << "reset" << false << "自動";
}

void TestRunControl::toggleFollowsTheTimerNotTheCaption()
{
    QFETCH(QString, events);
    auto form = shownForm1();
    QVERIFY(form);
    for (const QString &event : events.split(QLatin1Char(' '))) {
        if (event == QLatin1String("toggle"))
            form->Command4_Click();
        else if (event == QLatin1String("reset"))
            form->Command2_Click();
        else
            form->Command3_Click();
    }
    QTEST(form->timer()->isActive(), "running");
    QTEST(control<QPushButton>(*form, "Command4")->text(), "caption");
}

void TestRunControl::tickReadsTheInterval_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("interval");
    QTest::newRow("500") << "500" << 500;
    QTest::newRow("10 is too short") << "10" << 1000;
    QTest::newRow("5") << "5" << 1000;
    QTest::newRow("0") << "0" << 1000;
    QTest::newRow("-50") << "-50" << 1000;
    QTest::newRow("letters") << "abc" << 1000;
    QTest::newRow("10.5 to even") << "10.5" << 10;
    QTest::newRow("11.5 to even") << "11.5" << 12;
    QTest::newRow("12.5 to even") << "12.5" << 12;
    QTest::newRow("11") << "11" << 11;
    QTest::newRow("65535") << "65535" << 65535;
    QTest::newRow("65535.5 rounds beyond") << "65535.5" << 65535;
    QTest::newRow("70000") << "70000" << 65535;
    QTest::newRow("beyond 32 bits") << "4294967296" << 65535;
    QTest::newRow("20ms") << "20ms" << 20;
}

void TestRunControl::tickReadsTheInterval()
{
    QFETCH(QString, text);
    auto form = shownForm1();
    QVERIFY(form);
    control<QLineEdit>(*form, "Text1")->setText(text);
    form->Timer1_Timer();
    QTEST(form->timer()->interval(), "interval");
    QCOMPARE(counter(*form), QStringLiteral(" 2世代目"));
}

void TestRunControl::tickRunsAGeneration()
{
    auto form = smallBoard();
    QVERIFY(form);
    for (int i = 2; i <= 4; ++i)
        form->life().board().set(i, 3, Cell(1.0));
    form->Timer1_Timer();
    QVERIFY(form->life().board().at(3, 2) == Cell(1.0));
    QVERIFY(form->life().board().at(2, 3) == Cell(0.0));
    QCOMPARE(form->gridDrawn(), 0);
}

void TestRunControl::automaticRunAdvancesOnRealTimerEvents()
{
    auto form = smallBoard();
    QVERIFY(form);
    for (int i = 2; i <= 4; ++i)
        form->life().board().set(i, 3, Cell(1.0));
    control<QLineEdit>(*form, "Text1")->setText(QStringLiteral("15"));
    form->timer()->setInterval(15); // skip the first second's wait
    QSignalSpy ticks(form->timer(), &QTimer::timeout);
    control<QPushButton>(*form, "Command4")->click();
    QTRY_VERIFY_WITH_TIMEOUT(ticks.count() >= 5, 5000);
    control<QPushButton>(*form, "Command4")->click();
    const int generations = ticks.count();
    QCOMPARE(counter(*form), QStringLiteral(" %1世代目").arg(generations + 1));
    // The blinker has flipped once per generation.
    const bool vertical = generations % 2 == 1;
    QVERIFY(form->life().board().at(3, 2) == Cell(vertical ? 1.0 : 0.0));
    QTest::qWait(60);
    QCOMPARE(ticks.count(), generations);
}

void TestRunControl::pressFlipsTheCellUnderThePointer_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("where");
    QTest::addColumn<int>("button");
    QTest::newRow("centre of (3, 2)") << 3 << 2 << "centre" << int(Qt::LeftButton);
    QTest::newRow("right button") << 3 << 2 << "centre" << int(Qt::RightButton);
    QTest::newRow("middle button") << 5 << 5 << "centre" << int(Qt::MiddleButton);
    QTest::newRow("on a vertical grid line") << 4 << 2 << "left edge" << int(Qt::LeftButton);
    QTest::newRow("on the grid's top line") << 6 << 1 << "top edge" << int(Qt::LeftButton);
    QTest::newRow("last cell") << 10 << 8 << "centre" << int(Qt::LeftButton);
}

void TestRunControl::pressFlipsTheCellUnderThePointer()
{
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(QString, where);
    QFETCH(int, button);
    auto form = smallBoard();
    QVERIFY(form);
    QPointF at = cellCentre(*form, column, row);
    if (where == QLatin1String("left edge"))
        at.setX((column - 1) * form->cellWidth());
    if (where == QLatin1String("top edge"))
        at.setY(1.5 * form->topMargin());
    form->Form_MouseDown(Qt::MouseButton(button), Qt::ShiftModifier, at.x(), at.y());
    QVERIFY(form->life().board().at(column, row) == Cell(1.0));
    QVERIFY(!form->life().board().at(column, row).isEmpty());
    int live = 0;
    for (int i = 0; i <= 11; ++i)
        for (int j = 0; j <= 9; ++j)
            live += form->life().board().at(i, j) == Cell(1.0);
    QCOMPARE(live, 1);
}

void TestRunControl::pressRepaintsOnlyThatMark()
{
    auto form = smallBoard();
    QVERIFY(form);
    const QImage before = snapshot(*form);
    const QPointF at = cellCentre(*form, 3, 2);
    // A real press through the window, with the right button and Ctrl held.
    QTest::mouseClick(form->surface(), Qt::RightButton, Qt::ControlModifier, (at / 15).toPoint());
    QVERIFY(form->life().board().at(3, 2) == Cell(1.0));
    const QRect changed = changedArea(before, snapshot(*form));
    QVERIFY(!changed.isEmpty());
    // The asterisk sits in its cell, a quarter of a text height up at most.
    const QRectF cell(2 * form->cellWidth() / 15,
        (1.5 * form->topMargin() + form->cellHeight()) / 15, form->cellWidth() / 15,
        form->cellHeight() / 15);
    QVERIFY2(cell.adjusted(0, -cell.height() / 2, 1, 1).contains(changed),
        qPrintable(QStringLiteral("%1,%2 %3x%4")
                       .arg(changed.x())
                       .arg(changed.y())
                       .arg(changed.width())
                       .arg(changed.height())));
    QCOMPARE(form->gridDrawn(), 1);
    QCOMPARE(counter(*form), QStringLiteral("1世代目"));
}

// Two presses on one cell: empty or 0 goes to 1 and back to 0, a 2 loaded
// from a file to 0 and then 1; the second press leaves nothing dark behind.
void TestRunControl::pressesToggleTheCell_data()
{
    QTest::addColumn<double>("start"); // NaN: empty
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("second");
    QTest::newRow("empty") << qQNaN() << 1.0 << 0.0;
    QTest::newRow("0") << 0.0 << 1.0 << 0.0;
    QTest::newRow("2") << 2.0 << 0.0 << 1.0;
}

void TestRunControl::pressesToggleTheCell()
{
    QFETCH(double, start);
    auto form = smallBoard();
    QVERIFY(form);
    form->life().board().set(4, 4, qIsNaN(start) ? Cell::empty() : Cell(start));
    const QImage blank = snapshot(*form);
    const QPointF at = cellCentre(*form, 4, 4);
    form->Form_MouseDown(Qt::LeftButton, Qt::NoModifier, at.x(), at.y());
    QTEST(form->life().board().at(4, 4).number(), "first");
    form->Form_MouseDown(Qt::LeftButton, Qt::NoModifier, at.x(), at.y());
    QTEST(form->life().board().at(4, 4).number(), "second");
    QVERIFY(!form->life().board().at(4, 4).isEmpty());
    if (start == 0 || qIsNaN(start)) {
        const QImage after = snapshot(*form);
        for (int y = 0; y < after.height(); ++y)
            for (int x = 0; x < after.width(); ++x)
                QVERIFY(qGray(after.pixel(x, y)) >= qGray(blank.pixel(x, y)));
    }
}

void TestRunControl::pressOutsideTheBoardIsIgnored_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::newRow("more than a cell above the grid") << 3000.0 << -10.0;
    QTest::newRow("far below") << 500.0 << 1e9;
    QTest::newRow("far right") << 1e12 << 2000.0;
    QTest::newRow("left of the window") << -5000.0 << 2000.0;
    QTest::newRow("not a number") << qQNaN() << 2000.0;
}

void TestRunControl::pressOutsideTheBoardIsIgnored()
{
    QFETCH(double, x);
    QFETCH(double, y);
    auto form = smallBoard();
    QVERIFY(form);
    const QImage before = snapshot(*form);
    form->Form_MouseDown(Qt::LeftButton, Qt::NoModifier, x, y);
    QCOMPARE(snapshot(*form), before);
    for (int i = 0; i <= 200; ++i)
        for (int j = 0; j <= 200; ++j)
            QVERIFY(!(form->life().board().at(i, j) == Cell(1.0)));
}

void TestRunControl::rowZeroCellCountsAsNeighbourButIsNeverCleared()
{
    auto form = smallBoard();
    QVERIFY(form);
    // Just above the grid: less than a cell height over its top edge.
    for (int column = 4; column <= 6; ++column) {
        const QPointF at = cellCentre(*form, column, 0);
        form->Form_MouseDown(Qt::LeftButton, Qt::NoModifier, at.x(), at.y());
        QVERIFY(form->life().board().at(column, 0) == Cell(1.0));
    }
    form->Command3_Click();
    QVERIFY(form->life().board().at(5, 1) == Cell(1.0));
    form->Command2_Click();
    QVERIFY(form->life().board().at(5, 0) == Cell(1.0));
    QVERIFY(form->life().board().at(5, 1) == Cell(0.0));
}

QTEST_MAIN(TestRunControl)
#include "test_runcontrol.moc"
