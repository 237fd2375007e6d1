#include "mainwindow/mainwindow.h"

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

void MainWindow::nextGeneration()
{
    const UndoHistory::Position before = position();
    advanceGeneration();
    record(before);
}

void MainWindow::advanceGeneration()
{
    life_.step();
    view_.drawCells(life_);
    showGeneration(generation_ + 1);
}

void MainWindow::showGeneration(double generation)
{
    generation_ = generation;
    // Only the first generation's caption, at start and after Reset, has no
    // blank before the number.
    counterLabel->setText(generation == 1 ? QStringLiteral("1世代目")
                                          : numberToQString(generation) + CounterSuffix);
}

void MainWindow::toggleRun()
{
    if (!runTimer->isActive()) {
        runStepOpen_ = false;
        runTimer->start();
        runButton->setText(QStringLiteral("自動Stop"));
    } else {
        stopRun(RunButton::ShowsStart);
    }
}

void MainWindow::stopRun(RunButton button)
{
    runTimer->stop();
    if (button == RunButton::ShowsStart)
        runButton->setText(QStringLiteral("自動"));
}

void MainWindow::runTick()
{
    const double v = textToNumber(intervalBox->text());
    if (v > 10) {
        const int interval = timerInterval(v);
        // Setting the interval restarts the timer, so leave an unchanged one
        // alone to keep the ticks on their beat.
        if (interval != runTimer->interval())
            runTimer->setInterval(interval);
    }
    // The run's first generation records the step that takes the whole run
    // back; the others only add to it.
    if (runStepOpen_) {
        advanceGeneration();
        return;
    }
    nextGeneration();
    runStepOpen_ = true;
}

void MainWindow::reset()
{
    const UndoHistory::Position before = position();
    stopRun(RunButton::Kept);
    showGeneration(1);
    setUpBoard();
    record(before);
}

void MainWindow::setUpBoard()
{
    life_.setBoardSize(textToNumber(sizeBox->text()));
    view_.forgetLayout();
    view_.layOut(life_);
    life_.clearBoard();
}

} // namespace gridlore
