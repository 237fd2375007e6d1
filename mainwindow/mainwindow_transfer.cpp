#include "mainwindow/mainwindow.h"

#include "patterns/boundedinput.h"
#include "patterns/patternfile.h"
#include "patterns/rlewriter.h"

#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QShortcut>
#include <QUrl>

#include <sstream>

namespace gridlore {

namespace {

// The first of the dragged items when it is a local file, else nothing: a web
// address or plain text is not a pattern file.
QString firstLocalFile(const QMimeData *data)
{
    const QList<QUrl> urls = data && data->hasUrls() ? data->urls() : QList<QUrl>();
    return !urls.isEmpty() && urls.first().isLocalFile() ? urls.first().toLocalFile() : QString();
}

// Only a copy is taken: accepting a move would let the file manager delete
// the file once it is read.
bool takesFile(const QDropEvent *event)
{
    return (event->possibleActions() & Qt::CopyAction)
        && !firstLocalFile(event->mimeData()).isEmpty();
}

bool isDragOrDrop(const QEvent *event)
{
    return event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove
        || event->type() == QEvent::Drop;
}

} // namespace

// Ctrl+V and Ctrl+C belong to the focused text box when there is one: a line
// edit claims them before a window shortcut sees them.
void MainWindow::connectPatternSources()
{
    setAcceptDrops(true);
    for (QLineEdit *box : { intervalBox, sizeBox })
        box->installEventFilter(this);
    for (const QKeySequence &keys :
        { QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert) })
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &MainWindow::pastePattern);
    for (const QKeySequence &keys :
        { QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert) })
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &MainWindow::copyPattern);
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    dragMoveEvent(event);
}

void MainWindow::dragMoveEvent(QDragMoveEvent *event)
{
    if (takesFile(event)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void MainWindow::dropEvent(QDropEvent *event)
{
    if (!takesFile(event)) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    readPatternFile(firstLocalFile(event->mimeData()));
}

// The text boxes still take dropped text; a dropped file is the window's.
bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (isDragOrDrop(event) && takesFile(static_cast<QDropEvent *>(event)))
        return QWidget::event(event);
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::pastePattern()
{
    // The text is read as a file with that content would be; no text at all
    // is an empty file.
    const QString text = QGuiApplication::clipboard()->text();
    const QString source = QStringLiteral("クリップボード");
    // Bounded as a pattern file is; a UTF-8 text has at least as many bytes
    // as UTF-16 units.
    std::string bytes;
    if (text.size() > qsizetype(MaxPatternInputSize)
        || (bytes = text.toStdString()).size() > MaxPatternInputSize) {
        // Refused, as a file too large to be a pattern: the run goes on.
        tellReadProblem(source, { ReadProblem::Kind::TooLarge }, true, nullptr);
        return;
    }
    std::istringstream in(std::move(bytes));
    fillBoard(in, source);
}

void MainWindow::copyPattern()
{
    std::ostringstream rle;
    writeRle(rle, life_);
    QGuiApplication::clipboard()->setText(QString::fromStdString(rle.str()));
}

} // namespace gridlore
