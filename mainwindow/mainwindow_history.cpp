#include "mainwindow/mainwindow.h"


#include <QLineEdit>
#include <QShortcut>

#include <charconv>

namespace gridlore {

namespace {

// The shortest text that reads back as the same board size.
QString sizeText(double size)
{
    char text[32];
    const auto end = std::to_chars(std::begin(text), std::end(text), size).ptr;
    return QString::fromLatin1(text, end - text);
}

} // namespace

// Like Ctrl+C and Ctrl+V, the keys belong to a focused text box, which claims
// them before a window shortcut sees them.
void MainWindow::connectHistory()
{
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this), &QShortcut::activated, this,
        &MainWindow::undo);
    for (const QKeySequence &keys :
        { QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y) })
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &MainWindow::redo);
}

UndoHistory::Position MainWindow::position() const
{
    return { BoardSnapshot(life_), generation_ };
}

// A change is one step when it changed anything, which this tells; it also
// ends the automatic run's step, so that the run's later generations make a
// step of their own.
bool MainWindow::record(const UndoHistory::Position &before)
{
    runStepOpen_ = false;
    const UndoHistory::Position now = position();
    const bool changed = now.board != before.board || now.generation != before.generation;
    if (changed)
        history_.record(before);
    return changed;
}

void MainWindow::undo()
{
    if (std::optional<UndoHistory::Position> back = history_.undo(position()))
        goTo(*back);
}

void MainWindow::redo()
{
    if (std::optional<UndoHistory::Position> again = history_.redo(position()))
        goTo(*again);
}

// The run stops first, so that no tick lands on the board being put back.
void MainWindow::goTo(const UndoHistory::Position &to)
{
    stopRun(RunButton::ShowsStart);
    stroking_ = false;
    to.board.restoreTo(life_);
    sizeBox->setText(sizeText(to.board.boardSize()));
    view_.layOut(life_); // anew where the size differs
    showGeneration(to.generation);
    view_.drawCells(life_);
}

} // namespace gridlore
