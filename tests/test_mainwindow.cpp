#include "about/aboutbox.h"
#include "app/startfile.h"
#include "boardfixture.h"
#include "mainwindowfixture.h"
#include "platform/inputbox.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <random>
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>

using namespace gridlore;
using namespace std::chrono_literals;

namespace {

const QString Glider = QStringLiteral(".O.\n..O\nOOO");

// Accepts every message box that comes up, keeping its text; a prompt gets a
// name typed into it and is then cancelled.
struct MessageBoxes : QObject
{
    QStringList texts;
    MessageBoxes()
    {
        auto *timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this] {
            QWidget *box = QApplication::activeModalWidget();
            if (auto *message = qobject_cast<QMessageBox *>(box))
                texts << message->text(), message->accept();
            if (auto *prompt = qobject_cast<QInputDialog *>(box))
                prompt->setTextValue(QStringLiteral("typed")), prompt->reject();
        });
        timer->start(10);
    }
};

// How far a control's text stands out from its own background on the screen,
// by WCAG's contrast ratio: the most common colour of its pixels is the
// background, the one of strongest contrast with that the text. With `around`
// pixels of the background each side, for a line; within the panel's frame,
// whose border is no background.
double textContrast(QWidget &window, const QWidget &widget, int around = 0)
{
    const QWidget *parent = widget.parentWidget();
    const QRect shown = widget.geometry().adjusted(-around, 0, around, 0) & parent->contentsRect();
    const QImage picture
        = window.grab(shown.translated(parent->mapTo(&window, QPoint()))).toImage();
    QHash<QRgb, int> counts;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            ++counts[picture.pixel(x, y)];
    const QList<QRgb> colours = counts.keys();
    const QRgb background
        = *std::ranges::max_element(colours, {}, [&](QRgb colour) { return counts[colour]; });
    const auto luminance = [](QColor c) { // relative, of the colour's linear parts
        const auto linear = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    double text = 1;
    for (QRgb colour : colours) {
        const double a = luminance(colour), b = luminance(background);
        text = std::max(text, (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05));
    }
    return text;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(QDir::setCurrent(folder.emplace().path())); }
    void windowAndAboutBoxAsDesigned();
    void marksAfterPresses_data();
    void marksAfterPresses();
    void marksAfterGenerations_data() { marksAfterPresses_data(); }
    void marksAfterGenerations();
    void boardFollowsTheWindow_data();
    void boardFollowsTheWindow();
    void resetLeavesNothingBehind();
    void runButtonsAndCounter_data();
    void runButtonsAndCounter();
    void boxesTakeTheNumberTyped_data();
    void boxesTakeTheNumberTyped();
    void readFillsOrLeavesTheBoard_data();
    void readFillsOrLeavesTheBoard();
    void saveWritesOrTellsWhyNot_data();
    void saveWritesOrTellsWhyNot();
    void promptCompletesNames_data();
    void promptCompletesNames();
    void cleanup() { QApplication::setPalette(themePalette); }

private:
    std::optional<QTemporaryDir> folder;
    const QPalette themePalette = QApplication::palette();
    // Dark grey buttons and face, so white text on black fields.
    const QPalette darkTheme { QColor(0x3c, 0x3c, 0x3c), QColor(0x2b, 0x2b, 0x2b) };
};

// Every control at its place in pixels (the layout's twips, rounded by hand)
// with its caption; the menus; the font; where focus starts; what Save and
// Read ask, and that a cancelled prompt saves nothing. Under a dark theme the
// panel's texts and separator stand out by at least WCAG's 4.5 : 1. Then the
// about box, as the window shows it.
void TestMainWindow::windowAndAboutBoxAsDesigned()
{
    QApplication::setPalette(darkTheme);
    auto form = shownMainWindow();
    QStringList shown { form->windowTitle(), describe(form->view().surface()).section(u' ', 2) };
    for (const char *name :
        { "panel", "sizeBox", "intervalBox", "runButton", "nextButton", "resetButton", "endButton",
            "separator", "sizeLabel", "intervalLabel", "counterLabel" })
        shown << describe(control(*form, name));
    QVERIFY(textContrast(*form, *control(*form, "separator"), 2) >= 4.5);
    for (const char *name : { "sizeLabel", "intervalLabel", "counterLabel" })
        QVERIFY2(textContrast(*form, *control(*form, name)) >= 4.5, name);
    for (QAction *menu : form->menuBar()->actions()) {
        shown << menu->text();
        for (QAction *item : menu->menu()->actions())
            shown << (item->isSeparator() ? QStringLiteral("-") : item->text());
    }
    shown << QFontInfo(form->font()).family() << QApplication::focusWidget()->objectName();
    const MessageBoxes boxes; // a name typed into Save's prompt, then Cancel
    form->saveBoard();
    QVERIFY(!QFileInfo::exists(QStringLiteral("typed")));
    form->setPrompt([&](const QString &prompt, const QStringList &offered) {
        return shown << prompt + (offered.contains("glider.rle") ? " + glider.rle" : ""), QString();
    });
    form->saveBoard();
    form->readPattern();
    QCOMPARE(shown,
        QStringList({ "Form1", "680x555 ", "panel 8,8 673x41 ", "sizeBox 320,16 41x19 125",
            "intervalBox 392,16 41x19 1000", "runButton 104,16 105x17 自動", "nextButton 16,14 73x20 次世代",
            "resetButton 464,16 65x20 Reset", "endButton 560,16 57x20 End", "separator 296,8 1x33 ",
            "sizeLabel 368,16 25x17 枠", "intervalLabel 432,16 41x17 ms", "counterLabel 232,16 73x17 1世代目",
            "File(&F)", "Read(&R)", "Save(&S)", "-", "End(&E)", "Help(&H)", "Gridloreとは", "-",
            "バージョン", "IPAPGothic", "endButton", "ファイル名.....",
            "ファイル名.... + glider.rle" }));

    // The about box: the caption, the focus on OK, the place and fixed size in
    // pixels, the title, every control's place, the etched separator as shown,
    // and each text within its label as the label lays it out (wrapped, not
    // cut off) and standing out by at least 4.5 : 1. A second choice while
    // open only brings the dialog to the front; closing it, by Esc or by OK,
    // unloads it; the next choice builds it anew.
    form->showAbout();
    QPointer<AboutBox> dialog = form->aboutBox();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    form->showAbout();
    QCOMPARE(form->aboutBox(), dialog.data());
    const QPoint corner = QGuiApplication::primaryScreen()->geometry().topLeft();
    shown = QStringList { dialog->windowTitle(), dialog->focusWidget()->objectName(),
        describe(dialog).section(u' ', 1, 2),
        control(*dialog, "titleLabel")->property("text").toString() };
    for (const QWidget *w : dialog->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        shown << describe(w).section(u' ', 0, 2);
    const QImage picture = dialog->grab().toImage();
    for (int y = 163; y <= 165; ++y) // grey over two pixels of white
        shown << picture.pixelColor(200, y).name();
    QCOMPARE(shown,
        QStringList({ "gridloreのﾊﾞｰｼﾞｮﾝ情報", "okButton",
            QStringLiteral("%1,%2 396x311").arg(corner.x() + 156).arg(corner.y() + 129),
            "Gridloreシミュレータ 　　　　　Ver1.00", "okButton 288,280 92x23",
            "descriptionLabel 48,96 315x51", "disclaimerLabel 24,175 337x71",
            "titleLabel 70,16 259x32", "copyrightLabel 40,64 323x15", "icon 8,0 44x38",
            "contactLabel 24,248 345x25", "separatorLine 6,163 372x1", "separatorLine 7,164 371x2",
            "#808080", "#ffffff", "#ffffff" }));
    QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
    for (const QLabel *label : dialog->findChildren<QLabel *>()) {
        const QRect room = label->contentsRect();
        const int wrap = label->wordWrap() ? Qt::TextWordWrap : 0;
        const QSize needs = label->fontMetrics()
                                .boundingRect(room, int(label->alignment()) | wrap, label->text())
                                .size();
        QVERIFY2(needs.width() <= room.width() && needs.height() <= room.height(),
            qPrintable(label->objectName()));
        QVERIFY2(label->text().isEmpty() || textContrast(*dialog, *label) >= 4.5,
            qPrintable(label->objectName()));
    }
    QTest::keyClick(dialog.data(), Qt::Key_Escape);
    QTRY_VERIFY(dialog.isNull() && !form->aboutBox());
    form->showAbout();
    QVERIFY((dialog = form->aboutBox())->isVisible());
    QTest::mouseClick(control(*dialog, "okButton"), Qt::LeftButton);
    QTRY_VERIFY(dialog.isNull() && !form->aboutBox());
}

void TestMainWindow::marksAfterPresses_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<double>("points"); // of the marks, when not fitted to the cells
    QTest::addColumn<double>("ratio"); // device pixels to a pixel on the window's screen
    for (const char *size : { "7.5", "6.25", "5" })
        QTest::newRow(size) << QString::fromLatin1(size) << 0.0 << 1.0;
    for (const double ratio : { 1.0, 1.25, 1.5, 2.0 }) {
        for (const char *size : { "125", "150" })
            QTest::addRow("%s at %g device pixels", size, ratio)
                << QString::fromLatin1(size) << 0.0 << ratio;
        QTest::addRow("60, marks over their neighbours, at %g device pixels", ratio)
            << "60" << 48.0 << ratio;
    }
}

namespace {

// A shown window on the screen of the row's ratio of device pixels to a
// pixel, on the row's board size; nothing when there is no such screen.
std::unique_ptr<MainWindow> shownOnRowsScreen()
{
    QFETCH(QString, size);
    QFETCH(double, ratio);
    const QList<QScreen *> screens = QGuiApplication::screens();
    const auto screen = std::ranges::find(screens, ratio, &QScreen::devicePixelRatio);
    return screen == screens.end() ? nullptr : shownMainWindow(size, *screen);
}

} // namespace

// The surface shows exactly the grid the layout says, the asterisk the
// largest that fits its cell. A press of any button flips the cell under it,
// even one of the ring just over the grid, and prints its mark; a press above
// the ring changes nothing.
void TestMainWindow::marksAfterPresses()
{
    QFETCH(double, points);
    const auto form = shownOnRowsScreen();
    if (!form)
        QSKIP("no screen of that ratio: run with the offscreen screens of tests/screens.json");
    DrawingSurface &surface = *form->view().surface();
    const double fitted = surface.fontSize(), pitch = BoardLayout(*form).pitch();
    QVERIFY(surface.textWidth(QStringLiteral("*")) <= pitch);
    surface.setFontSize(fitted + 0.75);
    QVERIFY(fitted == 99.75 || surface.textWidth(QStringLiteral("*")) > pitch);
    surface.setFontSize(points ? points : fitted);
    const BoardLayout layout(*form);
    const QImage &shown = surface.image();
    QImage expected = layout.grid();
    QCOMPARE(shown, expected);

    std::mt19937 random(7);
    const int columns = form->life().columns(), rows = std::min(form->life().rows(), 4);
    for (int n = 0; n < 3 * columns; ++n) { // each press prints one mark over what is there
        const int i = 1 + int(random() % columns), j = int(random() % (rows + 1));
        const bool live = form->life().board().at(i, j) == 0; // as an empty cell of the ring
        QTest::mouseClick(
            &surface, n % 2 ? Qt::LeftButton : Qt::MiddleButton, {}, layout.centre(i, j));
        QCOMPARE(form->life().board().at(i, j).number(), live ? 1.0 : 0.0);
        QPainter painter(&expected);
        layout.mark(painter, i, j, live);
        painter.end();
        QCOMPARE(shown, expected);
    }
    const CellArray before = form->life().board();
    QTest::mouseClick(&surface, Qt::LeftButton, {}, layout.centre(1, -1));
    QCOMPARE(firstDifference(form->life().board(), before), QString());
    QCOMPARE(shown, expected);
}

// Every generation, by the button or the timer, prints every mark over what
// was there, on the screen too; a press prints its mark over the last
// generation's; a cell holding 2 is live to the step, yet drawn white.
void TestMainWindow::marksAfterGenerations()
{
    QFETCH(double, points);
    QFETCH(double, ratio);
    const auto form = shownOnRowsScreen();
    if (!form)
        QSKIP("no screen of that ratio: run with the offscreen screens of tests/screens.json");
    DrawingSurface &surface = *form->view().surface();
    surface.setFontSize(points ? points : surface.fontSize());
    const BoardLayout layout(*form);
    const QImage &shown = surface.image();
    QImage expected = layout.grid();
    std::mt19937 random(7);
    // Enough cells that a generation changes hundreds of marks.
    for (int i = 1; i <= form->life().columns(); ++i)
        for (int j = 1; j <= form->life().rows(); ++j)
            form->life().board().set(i, j, Cell(random() % 3 ? 0.0 : 1.0));
    QRect board = surface.rect(); // below the panel, where the screen shows the image
    board.setTop(control(*form, "panel")->geometry().bottom() + 1);
    // The offscreen screen hands out windows in logical pixels only.
    const auto onScreen = [&] {
        QCoreApplication::processEvents(); // paint and send to the window's backing store
        const QImage window = form->screen()->grabWindow(form->winId()).toImage();
        return window.copy(board.translated(surface.mapTo(form.get(), QPoint())))
            .convertToFormat(QImage::Format_RGB32);
    };
    for (int generation = 1; generation <= 12; ++generation) {
        if (generation == 7) {
            QTest::mouseClick(&surface, Qt::LeftButton, {}, layout.centre(2, 2));
            QPainter painter(&expected);
            layout.mark(painter, 2, 2, form->life().board().at(2, 2) == 1);
        }
        generation % 2 ? form->nextGeneration() : form->runTick();
        expected = layout.board(expected, *form);
        QCOMPARE(shown, expected);
        if (ratio == 1)
            QCOMPARE(onScreen(), shown.copy(board));
    }
    // Marks that fit their cells are stamped apart, each to be printed again alone.
    QVERIFY(points || form->life().columns() < 10 || surface.reprintGrid({}));
    form->life().board().set(1, 2, 2.0);
    form->view().drawCells(form->life());
    QCOMPARE(shown, layout.board(expected, *form));
    QTest::mouseClick(&surface, Qt::LeftButton, {}, layout.centre(1, 2));
    QCOMPARE(form->life().board().at(1, 2).number(), 0.0);
}

void TestMainWindow::boardFollowsTheWindow_data()
{
    QTest::addColumn<QString>("before"); // what was done before the first resize
    for (const char *before : { "nothing", "a generation", "a Read" })
        QTest::newRow(before) << QString::fromLatin1(before);
}

// Every resize that changes the surface's size lays the grid out for it and
// shows the board's cells on it, keeping the board and the counter, whatever
// came before; a press then hits the cell under the pointer. Minimised and
// restored, the picture stays. A smaller size from the size box keeps what
// fits and clears the rest for good. A huge window's memory comes back.
void TestMainWindow::boardFollowsTheWindow()
{
    QFETCH(QString, before);
    auto form = shownMainWindow();
    const QImage &shown = form->view().surface()->image();
    placeBoard(form->life().board(), 60, 50, Glider);
    if (before == "a generation")
        form->nextGeneration();
    if (before == "a Read") {
        QVERIFY(writeFile("glider.cells", Glider.toLatin1()));
        QVERIFY(form->readPatternFile("glider.cells"));
    }
    CellArray cells = form->life().board();
    const auto showsTheBoard = [&](int width) {
        QTRY_COMPARE(form->view().surface()->width(), width);
        const BoardLayout layout(*form);
        const QImage grid = layout.grid(); // the image may reach beyond a shrunk window
        QCOMPARE(firstDifference(form->life().board(), cells), QString());
        QCOMPARE(shown.copy(grid.rect()), layout.board(grid, *form, true));
    };
    for (const int width : { 830, 1100, 500 }) {
        form->resize(width, form->height() + 20);
        showsTheBoard(width);
    }
    const QImage laidOut = shown.copy();
    form->showMinimized();
    QTRY_VERIFY(form->isMinimized());
    form->showNormal();
    QTRY_VERIFY(!form->isMinimized());
    QCOMPARE(shown, laidOut);
    const QPoint cell = BoardLayout(*form).centre(70, 30);
    QTest::mouseClick(form->view().surface(), Qt::LeftButton, {}, cell);
    cells.set(70, 30, Cell(1.0));
    QCOMPARE(firstDifference(form->life().board(), cells), QString());

    for (int i = 1; i <= 125; ++i)
        for (int j = 1; j <= 100; ++j)
            if (i > 62 || j > 50)
                cells.set(i, j, Cell(0.0));
    for (const QString &newSize : { QStringLiteral("62.5"), QStringLiteral("125") }) {
        control<QLineEdit>(*form, "sizeBox")->setText(newSize); // smaller, then back
        const int width = form->view().surface()->width() - 10;
        form->resize(form->width() - 10, form->height());
        showsTheBoard(width);
    }
    form->resize(4200, 4900);
    form->resize(700, 600);
    QTRY_VERIFY(shown.sizeInBytes() <= 2 * 4 * 700 * 600);
}

// Reset to a smaller size clears every cell, the ring and what lay beyond the
// new board included: nothing comes to life from them, nothing comes back
// when the board grows; the picture is the bare grid.
void TestMainWindow::resetLeavesNothingBehind()
{
    auto form = shownMainWindow();
    const QImage &shown = form->view().surface()->image();
    placeBoard(form->life().board(), 51, 19, QStringLiteral("O\nO\nO"));
    QTest::mouseClick(form->view().surface(), Qt::LeftButton, {}, BoardLayout(*form).centre(50, 0));
    QCOMPARE(form->life().board().at(50, 0).number(), 1.0);
    control<QLineEdit>(*form, "sizeBox")->setText(QStringLiteral("50"));
    form->reset();
    for (int i = 0; i < CellArray::Extent; ++i) // dead on the 50 x 40 board, empty elsewhere
        for (int j = 0; j < CellArray::Extent; ++j) {
            const Cell cell = form->life().board().at(i, j);
            const bool onBoard = i >= 1 && i <= 50 && j >= 1 && j <= 40;
            QVERIFY2(onBoard ? !cell.isEmpty() && cell == 0 : cell.isEmpty(),
                qPrintable(QStringLiteral("(%1, %2)").arg(i).arg(j)));
        }
    const QImage grid = BoardLayout(*form).grid();
    QCOMPARE(shown.copy(grid.rect()), grid);
    form->nextGeneration();
    control<QLineEdit>(*form, "sizeBox")->setText(QStringLiteral("125"));
    form->resize(form->width() + 30, form->height());
    QTRY_COMPARE(form->life().columns(), 125);
    for (int i = 1; i <= 125; ++i)
        for (int j = 1; j <= 100; ++j)
            QVERIFY2(form->life().board().at(i, j) == 0, qPrintable(QString::number(i)));
}

namespace {

const QByteArray Old = QByteArray(" 1 \r\n").repeated(20000); // a full board's worth

// What the file commands meet in the current folder: a folder, a read-only
// folder, a pipe, a file of 21 lines whose last is damaged, and Old as old.txt
// and toad.rle.
bool makeFiles()
{
    return QDir().mkdir(QStringLiteral("a folder")) && QDir().mkdir(QStringLiteral("ro"))
        && ::mkfifo("fifo", 0600) == 0 && ::chmod("ro", 0555) == 0 && ::chmod(".", 0755) == 0
        && writeFile(QStringLiteral("21"), QByteArray(" 1 \r\n").repeated(20) + "x")
        && writeFile(QStringLiteral("old.txt"), Old) && writeFile(QStringLiteral("toad.rle"), Old)
        && writeFile(QStringLiteral("bad.rle"), "#N Bad\nx = 3, y = 3\nbo$2bz$3o!\n")
        && writeFile(QStringLiteral("rule.lif"), "#Life 1.05\n#R B36/S23\n*\n")
        && writeFile(QStringLiteral("empty"), {});
}

// After two seconds, the other end of whatever a command waits on: the cell 5
// for a reader of the pipe "fifo", a reader that takes whatever a writer
// there writes, and the cell 5 and the end of input typed into the terminal
// `name`. A command that waits then ends, and its row fails on what it read or
// wrote instead of holding the suite. The rescue lasts as long as it is kept.
struct Rescue
{
    int typist = ::posix_openpt(O_RDWR | O_NOCTTY);
    QString name = typist >= 0 && ::grantpt(typist) == 0 && ::unlockpt(typist) == 0
        ? QString::fromLocal8Bit(::ptsname(typist))
        : QStringLiteral("no terminal");
    std::jthread thread { [this](const std::stop_token &stop) {
        sigset_t pipe; // a reader gone before the cell is written must not end the suite
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
        for (int waited = 0; !stop.stop_requested(); std::this_thread::sleep_for(5ms)) {
            if (++waited < 400)
                continue;
            if (waited == 400)
                (void)!::write(typist, " 5 \n\x04", 5);
            // Neither open waits: the writer's opens only while a reader waits.
            if (const int fd = ::open("fifo", O_WRONLY | O_NONBLOCK); fd >= 0)
                (void)!::write(fd, " 5 \r\n", 5), ::close(fd);
            char bytes[4096];
            if (const int fd = ::open("fifo", O_RDONLY | O_NONBLOCK); fd >= 0) {
                while (!stop.stop_requested() && ::read(fd, bytes, sizeof bytes) != 0)
                    std::this_thread::sleep_for(1ms);
                ::close(fd);
            }
        }
    } };
    ~Rescue()
    {
        thread = {}; // stopped and joined
        ::close(typist);
    }
};

// A shown window on board `size`, the automatic run on.
std::unique_ptr<MainWindow> runningMainWindow(const QString &size = {})
{
    auto form = shownMainWindow(size);
    form->toggleRun();
    return form;
}

enum class Way { Read, Drop, CommandLine, Paste };
enum class Setting { Plain, DiskFillsUp, WriterIsNobody };

} // namespace

Q_DECLARE_METATYPE(Way)
Q_DECLARE_METATYPE(Setting)

void TestMainWindow::runButtonsAndCounter_data()
{
    QTest::addColumn<QString>("clicks"); // buttons, and "tick" for a tick of the run
    QTest::addColumn<bool>("timerOn");
    QTest::addColumn<QString>("toggle"); // runButton's caption
    QTest::addColumn<QString>("counter");
    const auto row = [](const char *clicks, bool on, const char *toggle, const char *counter) {
        QTest::newRow(clicks) << QString(clicks) << on << QString(toggle) << QString(counter);
    };
    // The toggle follows the timer, not its caption; Reset stops the timer
    // only; each tick runs the next-generation command.
    row("runButton", true, "自動Stop", "1世代目");
    row("runButton runButton", false, "自動", "1世代目");
    row("runButton resetButton", false, "自動Stop", "1世代目");
    row("runButton resetButton runButton runButton", false, "自動", "1世代目");
    row("runButton nextButton", true, "自動Stop", " 2世代目");
    row("nextButton nextButton resetButton nextButton", false, "自動", " 2世代目");
    row("runButton tick tick tick runButton", false, "自動", " 4世代目");
}

void TestMainWindow::runButtonsAndCounter()
{
    QFETCH(QString, clicks);
    auto form = shownMainWindow();
    control<QLineEdit>(*form, "intervalBox")->setText(QStringLiteral("15"));
    form->timer()->setInterval(15); // spares the first second's wait
    // The clicks after the k-th "tick" run in the handler of the run's k-th
    // tick, after the generation it ran.
    const QStringList steps = clicks.split(QStringLiteral("tick"));
    const auto click = [&](const QString &buttons) {
        for (const QString &name : buttons.split(u' ', Qt::SkipEmptyParts))
            control<QPushButton>(*form, qPrintable(name))->click();
    };
    int ticks = 0;
    connect(form->timer(), &QTimer::timeout, form.get(), [&] {
        if (++ticks < steps.size())
            click(steps[ticks]);
    });
    click(steps[0]);
    QTRY_VERIFY(ticks >= steps.size() - 1);
    QTEST(form->timer()->isActive(), "timerOn");
    QTEST(control<QPushButton>(*form, "runButton")->text(), "toggle");
    QTEST(control<QLabel>(*form, "counterLabel")->text(), "counter");
    QFETCH(QString, counter);
    QCOMPARE(form->generation(), counter.chopped(3).toDouble());
}

void TestMainWindow::boxesTakeTheNumberTyped_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("taken"); // the board's columns after Reset, the interval after a tick
    const auto rows = [](const char *box, const QList<std::pair<QString, int>> &rows) {
        for (const auto &[typed, taken] : rows)
            QTest::addRow("%s %s", box, typed.isEmpty() ? "nothing" : qPrintable(typed.left(20)))
                << box << typed << taken;
    };
    const QString nines(100000, u'9');
    rows("sizeBox", { { "7.5", 7 }, { "", 5 }, { "グライダー", 5 }, { nines, 150 } });
    // The interval box is read as the number its text begins with, leading
    // blanks skipped, 0 if none; 10 or less leaves the interval as it was.
    rows("intervalBox",
        { { "11", 11 }, { "10", 1000 }, { "-50", 1000 }, { "", 1000 }, { "１２５", 1000 },
            { "10.5", 10 }, { "11.5", 12 }, { "12.5", 12 }, { "20ms", 20 }, { " \t 42", 42 },
            { "+.5E2", 50 }, { "12e+", 12 }, { "0x20", 1000 }, { "&H20", 1000 }, { "inf", 1000 },
            { "NaN", 1000 }, { "1e-999", 1000 }, { "65535.5", 65535 }, { "1e999", 65535 },
            { nines, 65535 } });
}

void TestMainWindow::boxesTakeTheNumberTyped()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    auto form = shownMainWindow();
    control<QLineEdit>(*form, qPrintable(box))->setText(typed);
    box == u"sizeBox" ? form->reset() : form->runTick();
    QTEST(box == u"sizeBox" ? form->life().columns() : form->timer()->interval(), "taken");
}

void TestMainWindow::readFillsOrLeavesTheBoard_data()
{
    QTest::addColumn<Way>("way");
    QTest::addColumn<QString>("input"); // the name given, or the text pasted
    QTest::addColumn<double>("cell"); // (1, 1) afterwards: 7 when the board was left alone
    QTest::addColumn<bool>("runGoesOn");
    // What the message names: the source, then what its reason holds; none when quiet.
    QTest::addColumn<QStringList>("told");
    const auto row = [](const char *situation, Way way, const char *input, double cell,
                         bool runGoesOn, const QStringList &told = {}) {
        QTest::newRow(situation) << way << QString::fromUtf8(input) << cell << runGoesOn << told;
    };
    // Read stops the run only once its file is open. A bare name missing here
    // comes from the bundled collection; a read that stops part way shows what
    // it changed (a 2 in white).
    row("Cancel", Way::Read, "", 7, true);
    row("missing", Way::Read, "missing", 7, true);
    row("a folder", Way::Read, "a folder", 7, true);
    row("fifo", Way::Read, "fifo", 7, true);
    row("old.txt", Way::Read, "old.txt", 1, false);
    row("21", Way::Read, "21", 1, false);
    row("/dev/zero", Way::Read, "/dev/zero", 7, false);
    row("a terminal", Way::Read, "a terminal", 7, true);
    row("a terminal on the command line", Way::CommandLine, "a terminal", 7, true);
    row("an empty file on the command line", Way::CommandLine, "empty", 7, false);
    row("glider.rle", Way::Read, "glider.rle", 0, false);
    row("toad.rle", Way::Read, "toad.rle", 1, false);
    // A file dropped from a file manager or named on the command line is read
    // as Read reads it; Ctrl+V reads the clipboard's text as Read reads a file
    // with that content.
    row("old.txt dropped", Way::Drop, "old.txt", 1, false);
    row("a folder dropped", Way::Drop, "a folder", 7, true);
    row("x = 3, y = 3|bo$2bo$3o! pasted", Way::Paste, "x = 3, y = 3\nbo$2bo$3o!", 0, false);
    row(" 1 ||| 2 ||x pasted", Way::Paste, " 1 \n\n 2 \nx", 1, false);
    row("nothing pasted", Way::Paste, "", 7, false);
    // A pattern in another program's format that is damaged or unusable is
    // reported.
    const QStringList bad { "bad.rle", "3", "'z'" };
    row("bad.rle", Way::Read, "bad.rle", 0, false, bad);
    row("bad.rle on the command line", Way::CommandLine, "bad.rle", 0, false, bad);
    row("rule.lif on the command line", Way::CommandLine, "rule.lif", 7, false,
        { "rule.lif", "2" });
    row("x = 3, y = 3|3 o! pasted", Way::Paste, "x = 3, y = 3\n3 o!", 7, false,
        { "クリップボード", "2" });
}

// Cell (1, 1), which held 7, after the read, and whether the run went on. The
// board is repainted when, and only when, a cell changed. A message names the
// source, the line and the reason, and the command line says the same. Ctrl+C
// before it copies as RLE only the cells holding 1, and the run goes on.
void TestMainWindow::readFillsOrLeavesTheBoard()
{
    QFETCH(Way, way);
    QFETCH(QString, input);
    QFETCH(double, cell);
    QFETCH(QStringList, told);
    QVERIFY(makeFiles());
    const MessageBoxes messages;
    QString printed;
    const std::unique_ptr<MainWindow> form = runningMainWindow();
    const Rescue rescue;
    if (input == "a terminal") {
        QVERIFY(rescue.typist >= 0);
        input = rescue.name;
    }
    placeBoard(form->life().board(), 1, 1, QStringLiteral("72O"));
    QTest::keyClick(form.get(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(),
        "#C Copied from gridlore\nx = 1, y = 1, rule = B3/S23\no!\n");
    QVERIFY(form->timer()->isActive());
    QMimeData data; // as a file manager drops: only once the drag was taken
    data.setUrls({ QUrl::fromLocalFile(QDir().absoluteFilePath(input)) });
    QDragEnterEvent enter(QPoint(40, 200), Qt::CopyAction, &data, Qt::LeftButton, {});
    QDropEvent drop(QPointF(40, 200), Qt::CopyAction, &data, Qt::LeftButton, {});
    switch (way) {
    case Way::Read:
        form->setPrompt([&](const QString &, const QStringList &) { return input; });
        form->readPattern();
        break;
    case Way::Drop:
        if (QApplication::sendEvent(form.get(), &enter), enter.isAccepted())
            QApplication::sendEvent(form.get(), &drop);
        break;
    case Way::CommandLine:
        printed = readStartFile(*form, input);
        break;
    case Way::Paste:
        QGuiApplication::clipboard()->setText(input);
        QTest::keyClick(form.get(), Qt::Key_V, Qt::ControlModifier);
        break;
    }
    QCOMPARE(form->life().board().at(1, 1).number(), cell);
    QTEST(form->timer()->isActive(), "runGoesOn");
    QCOMPARE(messages.texts.size(), told.isEmpty() ? 0 : 1);
    const QString message = messages.texts.value(0), reason = message.section(u'\n', 1);
    QVERIFY(told.isEmpty() || message.section(u'\n', 0, 0).contains(told.first()));
    for (const QString &part : told.mid(1))
        QVERIFY2(reason.contains(part), qPrintable(message));
    QVERIFY(way != Way::CommandLine || told.isEmpty() || printed.contains(reason));
    // The command line says why whenever the file was not wholly used.
    QVERIFY(way != Way::CommandLine || printed.isEmpty() == (cell != 7 && told.isEmpty()));
    const BoardLayout layout(*form);
    QCOMPARE(form->view().surface()->image(),
        cell == 7 ? layout.grid() : layout.board(layout.grid(), *form));
}

void TestMainWindow::saveWritesOrTellsWhyNot_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("size"); // typed and Reset; none: as at start-up
    QTest::addColumn<QString>("picture"); // drawn at (1, 1) before saving
    QTest::addColumn<Setting>("setting");
    QTest::addColumn<QString>("reason"); // why the Save failed; none when it did not
    QTest::addColumn<QByteArray>("file"); // what `name` holds after, or old.txt after a failure
    const auto row = [](const char *situation, const QString &name, const QByteArray &file,
                         const char *reason = "", Setting setting = Setting::Plain,
                         const char *size = "150", const char *picture = "") {
        QTest::newRow(situation) << name << size << picture << setting << reason << file;
    };
    const QByteArray zeros = " 0 \r\n";
    row("Cancel", "", {});
    row("グライダー", "グライダー", zeros.repeated(150 * 120));
    row("a folder/x", "a folder/x", zeros.repeated(150 * 120));
    row("old.txt, replaced", "old.txt", zeros.repeated(150 * 120));
    row("right after start-up", "x.txt", zeros.repeated(125 * 100), "", Setting::Plain, "");
    row("three blanks, as typed", "   ", zeros.repeated(150 * 120));
    // Other programs' formats by the name's ending, in any case; a cell
    // holding another number than 0 and 1 is written dead, with a word.
    row("x.rle, a 2 beside a cell", "x.rle",
        "#C Copied from gridlore\nx = 1, y = 1, rule = B3/S23\no!\n", "", Setting::Plain, "", "2O");
    row("Blinker.CELLS", "Blinker.CELLS", "!Name: Blinker\nOOO\n", "", Setting::Plain, "", "OOO");
    row("x.rle.txt", "x.rle.txt", zeros.repeated(125 * 100), "", Setting::Plain, "");
    row("a folder", "a folder", Old, "この名前はフォルダです。");
    row("no/such/x.txt", "no/such/x.txt", Old, "保存先のフォルダがありません。");
    row("x/", "x/", Old, "保存先のフォルダがありません。");
    row("ro/x", "ro/x", Old, "書き込みの権限がありません。", Setting::WriterIsNobody);
    row("fifo", "fifo", Old, "読み出す側のいないパイプなどで、すぐには書き込めません。");
    row("full", "full", Old, "ディスクの空きが足りません。");
    row("old.txt, the disk filling up", "old.txt", Old, "ファイルが大きすぎます。",
        Setting::DiskFillsUp);
    row("5000 n", QString(5000, u'n'), Old, "名前が長すぎます。");
}

// Save stops the run before it asks, then writes every cell of a fresh board
// as " 0 " and CR LF, never as an empty line, and nothing else; a name ending
// as other programs' files do gets their format. A failure names the file,
// gives the true reason and keeps any old file.
void TestMainWindow::saveWritesOrTellsWhyNot()
{
    QFETCH(QString, name);
    QFETCH(QString, size);
    QFETCH(QString, picture);
    QFETCH(Setting, setting);
    QFETCH(QString, reason);
    QVERIFY(makeFiles());
    // Our own node of the always-full device: a Save that wrongly replaced it
    // destroys nothing of the system's.
    if (name == u"full" && ::mknod("full", S_IFCHR | 0666, makedev(1, 7)) != 0)
        QSKIP("making a device node needs root");
    const auto entries = [] {
        const QStringList names = QDir().entryList(QDir::AllEntries | QDir::System);
        return QSet<QString>(names.begin(), names.end());
    };
    QSet<QString> files = entries();
    if (reason.isEmpty() && !name.isEmpty())
        files << name.section(u'/', 0, 0);
    const std::unique_ptr<MainWindow> form = runningMainWindow(size);
    placeBoard(form->life().board(), 1, 1, picture);
    form->setPrompt([&](const QString &, const QStringList &) { return name; });
    const Rescue rescue;
    // A file size limit stands in for a disk that fills up during the write.
    rlimit saved {};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limited { setting == Setting::DiskFillsUp ? 40000 : saved.rlim_cur, saved.rlim_max };
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limited);
    // Root may write anywhere.
    ::setfsuid(setting == Setting::WriterIsNobody ? 65534 : ::geteuid());
    const MessageBoxes messages;
    form->saveBoard();
    ::setfsuid(::geteuid());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    QTest::qWait(50);
    const QString message = messages.texts.value(0);
    QVERIFY(!form->timer()->isActive());
    QCOMPARE(message.isEmpty(), reason.isEmpty() && !picture.contains(u'2'));
    QVERIFY(message.isEmpty() || message.contains(QDir::toNativeSeparators(name) + "」を保存"));
    QVERIFY2(reason.isEmpty() || message.section(u'\n', 1, 1) == reason, qPrintable(message));
    QTEST(readAll(reason.isEmpty() ? name : QStringLiteral("old.txt")), "file");
    QCOMPARE(entries(), files);
    QVERIFY(!QFileInfo(QStringLiteral("full")).isFile()); // the device, if made, still one
}

void TestMainWindow::promptCompletesNames_data()
{
    QTest::addColumn<QString>("typed"); // %1 standing for the current folder
    QTest::addColumn<QString>("typedOn"); // after taking the first name offered
    QTest::addColumn<QString>("answered");
    const auto row = [](const char *typed, const char *typedOn, const char *answered) {
        QTest::newRow(typed) << QString(typed) << QString(typedOn) << QString(answered);
    };
    row("sa", "b1.txt", "save/b1.txt");
    row("save/su", "b1.txt", "save/sub/b1.txt");
    row("boa", "", "board.txt"); // offered as well, and listed once
    row("gli", "", "glider.rle");
    row("~/sa", "b1.txt", "%1/home/save/b1.txt");
    row("%1/sa", "b1.txt", "%1/save/b1.txt");
}

// A name taken from the prompt's offer in the form it was typed, a folder's
// with its separator, so that typing on names something inside it; a bare
// name also from the names the caller offers.
void TestMainWindow::promptCompletesNames()
{
    QFETCH(QString, typed);
    QFETCH(QString, typedOn);
    QFETCH(QString, answered);
    const QString here = QDir::currentPath();
    QVERIFY(QDir().mkpath("save/sub") && QDir().mkpath("home/save") && writeFile("board.txt", {}));
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(here + "/home"));
    const auto restoreHome = qScopeGuard([&] { qputenv("HOME", home); });
    QTimer::singleShot(0, this, [&] {
        auto *prompt = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        auto *field = prompt->findChild<QLineEdit *>();
        QTest::keyClicks(field, typed.arg(here));
        // The folders are read in the background: until the offer comes, ask
        // again, as the next key typed would.
        QCompleter *completer = field->completer();
        QAbstractItemView *offer = completer->popup();
        const auto offered = [&] {
            if (!offer->isVisible())
                completer->complete();
            return offer->isVisible() && offer->model()->rowCount() == 1;
        };
        if (QTest::qWaitFor(offered)) {
            QTest::keyClick(offer, Qt::Key_Down);
            QTest::keyClick(offer, Qt::Key_Return);
        }
        QTest::keyClicks(field, typedOn);
        prompt->accept();
    });
    QCOMPARE(FileNameInputBox(nullptr, QStringLiteral("ファイル名"), { "glider.rle", "board.txt" }),
        answered.arg(here));
}

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
