#include "mainwindow/mainwindow.h"

#include "mainwindow/boardfile.h"
#include "patterns/patternfile.h"
#include "platform/application.h"
#include "platform/patterncollection.h"

#include <QDir>
#include <QMessageBox>

#include <sstream>

namespace gridlore {

void MainWindow::readPattern()
{
    const QString name = prompt_(QStringLiteral("ファイル名...."));
    if (name.isEmpty())
        return; // Cancel: the run goes on
    readPatternFile(name);
}

bool MainWindow::readPatternFile(const QString &typed)
{
    BoardFile file(resolvePatternName(typed));
    std::istream *in = file.openForReading();
    if (!in)
        return false; // passed over quietly, as every Read failure is: the run goes on
    return fillBoard(*in);
}

bool MainWindow::fillBoard(std::istream &in)
{
    stopRun(RunButton::Kept);
    const UndoHistory::Position before = position();
    const ReadResult result = gridlore::readPattern(in, life_);
    // A read that stopped part way keeps the cells it read, and the screen
    // must show them.
    if (result == ReadResult::Complete
        || (result == ReadResult::Stopped && BoardSnapshot(life_) != before.board))
        view_.drawCells(life_);
    record(before);
    return result != ReadResult::Unchanged;
}

void MainWindow::saveBoard()
{
    stopRun(RunButton::Kept);
    const QString name = prompt_(QStringLiteral("ファイル名....."));
    if (name.isEmpty())
        return;
    std::ostringstream text;
    writePattern(text, life_);

    BoardFile file(name);
    if (!file.save(text.str())) {
        QMessageBox::warning(this, applicationTitle(),
            QStringLiteral("ファイル「%1」を保存できませんでした。\n%2")
                .arg(QDir::toNativeSeparators(name), file.failureReason()));
    }
}

} // namespace gridlore
