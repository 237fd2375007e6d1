#include "boardfixture.h"
#include "mainwindowfixture.h"

using namespace gridlore;

namespace {

// What an undo or redo must bring back, and what tells two positions apart.
struct Position
{
    CellArray cells;
    QString counter;
    double size;
};

Position positionOf(const MainWindow &form)
{
    return { form.life().board(), control<QLabel>(form, "counterLabel")->text(),
        form.life().boardSize() };
}

// A window with `picture` put on the board from the ring's corner (0, 0) and
// shown.
std::unique_ptr<MainWindow> formShowing(const QString &picture)
{
    auto form = shownMainWindow();
    placeBoard(form->life().board(), 0, 0, picture);
    form->view().drawCells(form->life());
    return form;
}

} // namespace

class TestEditing : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(QDir::setCurrent(folder.emplace().path())); }
    void strokeSetsTheCellsItPasses_data();
    void strokeSetsTheCellsItPasses();
    void undoAndRedoBringBackThePosition_data();
    void undoAndRedoBringBackThePosition();

private:
    std::optional<QTemporaryDir> folder;
};

void TestEditing::strokeSetsTheCellsItPasses_data()
{
    QTest::addColumn<QString>("board"); // from the ring's corner (0, 0)
    QTest::addColumn<QString>("path"); // the press, then moves; t: a tick of the run
    QTest::addColumn<QString>("expected");
    const auto row = [](const char *name, const char *board, const char *path, const char *want) {
        QTest::newRow(name) << board << path << want;
    };
    row("draw, over a 2 and a live cell", "......\n..2O..", "1,1 5,1", "......\n.OOOOO");
    row("erase, over dead and empty cells", "......\n.OO O.\n.OOOO.", "1,2 5,2",
        "......\n.OO O.\n......");
    row("fast move, no gaps", "", "1,1 6,4", ".......\n.O.....\n..OO...\n....OO.\n......O");
    row("off the board and back", "", "2,2 2,-3 4,2", "..OO.\n..O.O\n..O.O");
    row("pressed off the board", "", "3,-3 3,2", "");
    row("during the run", "", "2,2 t 5,2", "\n\n...OOO");
}

// A stroke gives every cell the pointer passes the state the pressed cell
// took, on the board and on the screen, and each mark is printed once.
void TestEditing::strokeSetsTheCellsItPasses()
{
    QFETCH(QString, board);
    QFETCH(QString, path);
    QFETCH(QString, expected);
    auto form = formShowing(board);
    if (path.contains(u't'))
        form->toggleRun();
    DrawingSurface &surface = *form->view().surface();
    const BoardLayout layout(*form);
    const QStringList steps = path.split(u' ');
    for (int n = 0; n < steps.size(); ++n) {
        if (steps[n] == u"t") {
            form->runTick();
            continue;
        }
        const CellArray before = form->life().board();
        QImage picture = surface.image().copy();
        const QPoint at = layout.centre(steps[n].section(u',', 0, 0).toInt(),
            steps[n].section(u',', 1, 1).toInt());
        if (n == 0)
            QTest::mousePress(&surface, Qt::RightButton, {}, at);
        else
            QTest::mouseMove(&surface, at);
        QPainter painter(&picture);
        for (int i = 0; i < CellArray::Extent; ++i)
            for (int j = 0; j < CellArray::Extent; ++j)
                if ((before.at(i, j) == 1) != (form->life().board().at(i, j) == 1))
                    layout.mark(painter, i, j, form->life().board().at(i, j) == 1);
        painter.end();
        QCOMPARE(surface.image(), picture);
    }
    QTest::mouseRelease(&surface, Qt::RightButton, {}, layout.centre(1, -5));
    CellArray want; // 0 wherever the picture says nothing
    placeBoard(want, 0, 0, expected);
    for (int i = 0; i < 7; ++i) // the corner the strokes run in
        for (int j = 0; j < 5; ++j)
            QVERIFY2(form->life().board().at(i, j) == want.at(i, j),
                qPrintable(QStringLiteral("(%1, %2)").arg(i).arg(j)));
    QCOMPARE(form->timer()->isActive(), path.contains(u't'));
    // The stroke is one step; a tick of the run during it makes another.
    QCOMPARE(
        form->history().steps(), std::size_t(path.startsWith(u"3,-3") ? 0 : path.count(u't') + 1));
}

void TestEditing::undoAndRedoBringBackThePosition_data()
{
    // p: a press on (2, 2); s: a stroke over row 3; 3: 次世代; 4: 自動; t: a
    // tick; 2: Reset; r: a Read; v: a paste; n: size 60 and a resize; f: a
    // typed size; z: Ctrl+Z; y: Ctrl+Y; Z: Ctrl+Shift+Z; T: Tab round the panel.
    QTest::addColumn<QString>("actions");
    QTest::addColumn<int>("expected"); // the position after that many actions
    QTest::newRow("p z") << "p z" << 0;
    QTest::newRow("p z y") << "p z y" << 1;
    QTest::newRow("p z Z") << "p z Z" << 1;
    QTest::newRow("stroke: p s z") << "p s z" << 1;
    QTest::newRow("generation: p 3 3 z") << "p 3 3 z" << 2;
    QTest::newRow("run: p 4 t t 4 z") << "p 4 t t 4 z" << 1;
    QTest::newRow("run, stopped by the undo: p 4 t t z") << "p 4 t t z" << 1;
    QTest::newRow("run, cut by a press: p 4 t p t 4 z") << "p 4 t p t 4 z" << 4;
    QTest::newRow("reset: p 2 z") << "p 2 z" << 1;
    QTest::newRow("read: p r z") << "p r z" << 1;
    QTest::newRow("paste, 2 and empty cells: v 3 z") << "v 3 z" << 1;
    QTest::newRow("empty cells after a first step: 3 3 z") << "3 3 z" << 1;
    QTest::newRow("size: p n z") << "p n z" << 1;
    QTest::newRow("size: p n z y") << "p n z y" << 2;
    QTest::newRow("a new change drops redo: p 3 z p y") << "p 3 z p y" << 4;
    QTest::newRow("nothing to undo: 3 z z") << "3 z z" << 0;
    QTest::newRow("the text box keeps its keys: p f z") << "p f z" << 1;
    QTest::newRow("a press takes them from it: f p z T") << "f p z T" << 0;
}

// Undo and redo bring back every cell, the counter and the board size, stop
// the run and repaint the board as a generation does.
void TestEditing::undoAndRedoBringBackThePosition()
{
    QFETCH(QString, actions);
    QFETCH(int, expected);
    auto form = formShowing(QString());
    form->setPrompt( // the bundled collection's
        [](const QString &, const QStringList &) { return QStringLiteral("glider.rle"); });
    DrawingSurface &surface = *form->view().surface();
    auto *size = control<QLineEdit>(*form, "sizeBox");
    QList<Position> positions { positionOf(*form) };
    for (const QString &action : actions.split(u' ')) {
        const BoardLayout layout(*form);
        const auto key = [&](Qt::Key key, Qt::KeyboardModifiers modifiers) {
            QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier | modifiers);
        };
        switch (action[0].toLatin1()) {
        case 'p': QTest::mouseClick(&surface, Qt::LeftButton, {}, layout.centre(2, 2)); break;
        case 's':
            QTest::mousePress(&surface, Qt::LeftButton, {}, layout.centre(1, 3));
            QTest::mouseMove(&surface, layout.centre(9, 3));
            QTest::mouseRelease(&surface, Qt::LeftButton, {}, layout.centre(9, 3));
            break;
        case '3': form->nextGeneration(); break;
        case '4': form->toggleRun(); break;
        case 't': form->runTick(); break;
        case '2': form->reset(); break;
        case 'r': form->readPattern(); break;
        case 'v':
            QGuiApplication::clipboard()->setText(QStringLiteral(" 1 \n\n 2 \n 1 \n 1 \n 1 "));
            key(Qt::Key_V, {});
            break;
        case 'n':
            size->setText(QStringLiteral("60"));
            form->resize(form->width() - 10, form->height());
            QTRY_COMPARE(form->life().boardSize(), 60.0);
            break;
        case 'f':
            size->setFocus();
            QTest::keyClick(size, Qt::Key_7);
            break;
        case 'z': key(Qt::Key_Z, {}); break;
        case 'y': key(Qt::Key_Y, {}); break;
        case 'Z': key(Qt::Key_Z, Qt::ShiftModifier); break;
        case 'T': // which the board's focus leaves alone
            for (int tab = 0; tab < 7; ++tab) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QVERIFY(QApplication::focusWidget()->parentWidget() == control(*form, "panel"));
            }
            break;
        }
        positions << positionOf(*form);
    }
    const Position &want = positions[expected];
    QCOMPARE(firstDifference(form->life().board(), want.cells), QString());
    QCOMPARE(control<QLabel>(*form, "counterLabel")->text(), want.counter);
    QCOMPARE(form->life().boardSize(), want.size);
    QVERIFY(!form->timer()->isActive());
    QCOMPARE(size->text(), QString::number(want.size));
    // Where the last undo or redo went somewhere, it painted the whole board.
    if (expected < positions.size() - 2 && !actions.contains(u'f')) {
        const BoardLayout layout(*form);
        QCOMPARE(surface.image().copy(QRect(QPoint(), layout.grid().size())),
            layout.board(layout.grid(), *form));
    }
}

QTEST_MAIN(TestEditing)
#include "test_editing.moc"
