#include "mainwindow/form1.h"

#include "platform/numbertext_qt.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <cmath>

namespace gridlore {

namespace {

const QString CounterSuffix = QStringLiteral("世代目");

// The timer takes whole milliseconds up to 65,535; anything beyond, however
// large, asks for the longest interval.
int timerInterval(double milliseconds)
{
    constexpr int Longest = 65535;
    const double rounded = std::nearbyint(milliseconds); // halves go to even
    if (!(rounded <= Longest))
        return Longest;
    return static_cast<int>(rounded);
}

} // namespace

void Form1::Command3_Click()
{
    const UndoHistory::Position before = position();
    nextGeneration();
    record(before);
}

void Form1::nextGeneration()
{
    life_.step();
    DrawCells();
    ++generation_;
    Label1->setText(numberToQString(generation_) + CounterSuffix);
}

void Form1::Command4_Click()
{
    if (!Timer1->isActive()) {
        runStepOpen_ = false;
        Timer1->start();
        Command4->setText(QStringLiteral("自動Stop"));
    } else {
        Timer1->stop();
        Command4->setText(QStringLiteral("自動"));
    }
}

void Form1::Timer1_Timer()
{
    const double v = textToNumber(Text1->text());
    if (v > 10) {
        const int interval = timerInterval(v);
        // Setting the interval restarts the timer, so leave an unchanged one
        // alone to keep the ticks on their beat.
        if (interval != Timer1->interval())
            Timer1->setInterval(interval);
    }
    // The run's first generation records the step that takes the whole run
    // back; the others only add to it.
    if (runStepOpen_) {
        nextGeneration();
        return;
    }
    Command3_Click();
    runStepOpen_ = true;
}

void Form1::Command2_Click()
{
    const UndoHistory::Position before = position();
    Timer1->stop();
    generation_ = 1;
    Label1->setText(QStringLiteral("1世代目")); // no leading blank, as at start-up
    gridSurfaceSize_ = QSize(); // laid out afresh, whatever the sizes
    SetUpBoard();
    record(before);
}

} // namespace gridlore
