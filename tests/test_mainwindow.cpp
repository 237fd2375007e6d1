#include "about/frmabout.h"
#include "app/startfile.h"
#include "boardfixture.h"
#include "form1fixture.h"
#include "platform/inputbox.h"

#include <csignal>
#include <random>
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace gridlore;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Answers every modal box that comes up, keeping the message boxes' texts.
struct ModalBoxes : QObject
{
    QStringList texts;
    explicit ModalBoxes(std::function<void(QDialog *)> answer = {})
    {
        auto *timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this, answer] {
            auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (auto *message = qobject_cast<QMessageBox *>(box))
                texts << message->text(), message->accept();
            else if (box && answer)
                answer(box);
        });
        timer->start(10);
    }
};

// A board of 5 in the active window, where the keys for paste and copy work.
std::unique_ptr<Form1> activeForm1()
{
    auto form = shownForm1(QStringLiteral("5"));
    form->activateWindow();
    (void)QTest::qWaitForWindowActive(form.get());
    return form;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(QDir::setCurrent(folder.emplace().path())); }
    void designState();
    void pictureFollowsTheBoard_data();
    void pictureFollowsTheBoard();
    void commands_data();
    void commands();
    void aboutBoxDesignState();
    void aboutBoxLifecycle_data();
    void aboutBoxLifecycle();
    void drawingIsKept();
    void everyWayInReadsAlike_data();
    void everyWayInReadsAlike();
    void copyGivesRleThatPastesBackCentred();

private:
    std::optional<QTemporaryDir> folder;
};

// Every control at its place in pixels (the layout's twips, rounded by hand)
// with its caption; the menus; the font; where focus starts; the prompt.
void TestMainWindow::designState()
{
    auto form = shownForm1();
    QStringList shown { form->windowTitle(), describe(form->surface()).section(u' ', 2) };
    for (const char *name : { "Frame1", "Text2", "Text1", "Command4", "Command3", "Command2",
             "Command1", "Line1", "Label3", "Label2", "Label1" })
        shown << describe(control(*form, name));
    for (QAction *menu : form->menuBar()->actions()) {
        shown << menu->text();
        for (QAction *item : menu->menu()->actions())
            shown << (item->isSeparator() ? QStringLiteral("-") : item->text());
    }
    shown << QFontInfo(form->font()).family() << QApplication::focusWidget()->objectName();
    int answered = 0; // the first prompt answered with OK, the second cancelled
    ModalBoxes prompt([&](QDialog *box) {
        auto *input = qobject_cast<QInputDialog *>(box);
        shown << box->windowTitle() << input->labelText() << input->textValue() + u'|';
        input->setTextValue(QStringLiteral("typed"));
        ++answered == 1 ? input->accept() : input->reject();
    });
    shown << InputBox(form.get(), QStringLiteral("ファイル名....")) + u'|'
          << InputBox(form.get(), QStringLiteral("ファイル名....")) + u'|';
    QCOMPARE(shown,
        QStringList({ "Form1", "680x555 ", "Frame1 8,8 673x41 ", "Text2 320,16 41x19 125",
            "Text1 392,16 41x19 1000", "Command4 104,16 105x17 自動", "Command3 16,14 73x20 次世代",
            "Command2 464,16 65x20 Reset", "Command1 560,16 57x20 End", "Line1 296,8 1x33 ",
            "Label3 368,16 25x17 枠", "Label2 432,16 41x17 ms", "Label1 232,16 73x17 1世代目",
            "File(&F)", "Read(&R)", "Save(&S)", "-", "End(&E)", "Help(&H)", "Gridloreとは", "-",
            "バージョン", "IPAPGothic", "Command1", "gridlore", "ファイル名....", "|", "typed|",
            "gridlore", "ファイル名....", "|", "|" }));
}

void TestMainWindow::pictureFollowsTheBoard_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<double>("points"); // of the marks, when not fitted to the cells
    for (const char *size : { "125", "150", "7.5", "6.25", "5" })
        QTest::newRow(size) << QString::fromLatin1(size) << 0.0;
    QTest::newRow("60, marks over their neighbours") << "60" << 48.0;
}

// After every command the surface shows exactly the grid and the board's
// marks as the layout alone says they should look, generation after
// generation; the asterisk is the largest that fits its cell.
void TestMainWindow::pictureFollowsTheBoard()
{
    QFETCH(QString, size);
    QFETCH(double, points);
    auto form = shownForm1(size);
    BoardLayout layout(*form);
    DrawingSurface &surface = *form->surface();
    const QImage &shown = surface.image();
    QImage grid = layout.grid();
    QCOMPARE(shown, grid);
    const double fitted = surface.fontSize();
    QVERIFY(surface.textWidth(QStringLiteral("*")) <= layout.pitch());
    surface.setFontSize(fitted + 0.75);
    QVERIFY(fitted == 99.75 || surface.textWidth(QStringLiteral("*")) > layout.pitch());
    surface.setFontSize(points ? points : fitted);

    std::mt19937 random(7);
    QImage expected = grid;
    const int columns = form->life().columns(), rows = std::min(form->life().rows(), 4);
    for (int n = 0; n < 3 * columns; ++n) { // each press prints one mark over what is there
        const int i = 1 + int(random() % columns), j = 1 + int(random() % rows);
        const bool live = !(form->life().board().at(i, j) == 1);
        QTest::mouseClick(&surface, Qt::LeftButton, {}, layout.centre(i, j));
        QCOMPARE(form->life().board().at(i, j).number(), live ? 1.0 : 0.0);
        QPainter painter(&expected);
        painter.setFont(surface.font());
        layout.mark(painter, i, j, live);
        painter.end();
        QCOMPARE(shown, expected);
    }
    // On the largest board, enough cells that a generation changes hundreds of marks.
    for (int i = 1; size == "150" && i <= columns; ++i)
        for (int j = rows + 1; j <= form->life().rows(); ++j)
            form->life().board().set(i, j, Cell(random() % 3 ? 0.0 : 1.0));
    QRect board = surface.rect(); // below the panel, where the screen shows the image
    board.setTop(control(*form, "Frame1")->geometry().bottom() + 1);
    const auto onScreen = [&] {
        QCoreApplication::processEvents(); // paint and send to the window's backing store
        const QImage window = form->screen()->grabWindow(form->winId()).toImage();
        return window.copy(board.translated(surface.mapTo(form.get(), QPoint())))
            .convertToFormat(QImage::Format_RGB32);
    };
    for (int generation = 1; generation <= 12; ++generation) {
        if (generation == 7) // a press prints its mark over the last generation's
            QTest::mouseClick(&surface, Qt::LeftButton, {}, layout.centre(2, 2));
        generation % 2 ? form->Command3_Click() : form->Timer1_Timer();
        QCOMPARE(shown, layout.board(grid, *form));
        QCOMPARE(onScreen(), shown.copy(board));
    }
    form->life().board().set(1, 2, 2.0); // live to the step, yet drawn white
    form->DrawCells();
    QCOMPARE(shown, layout.board(grid, *form));
    QStringList prompts;
    form->setPrompt([&](const QString &prompt) { return prompts << prompt, QStringLiteral("b"); });
    form->mnu_save_Click();
    form->Command2_Click();
    QCOMPARE(shown, grid);
    form->mnu_read_Click();
    QCOMPARE(shown, layout.board(grid, *form));
    QCOMPARE(prompts, QStringList({ "ファイル名.....", "ファイル名...." }));

    form->resize(form->width() + 150, form->height() + 30); // after a step: laid out anew
    QTRY_COMPARE(surface.width(), 830);
    layout = BoardLayout(*form);
    grid = layout.grid();
    QCOMPARE(shown, grid);
    for (int i = 2; i <= 4; ++i)
        QTest::mouseClick(&surface, Qt::RightButton, Qt::ShiftModifier, layout.centre(i, 2));
    form->Command3_Click();
    QCOMPARE(form->life().board().at(3, 1).number(), 1.0); // a blinker
    QCOMPARE(shown, layout.board(grid, *form));
}

void TestMainWindow::commands_data()
{
    QTest::addColumn<QString>("field"); // what is typed into: size, interval, read or save
    QTest::addColumn<QString>("input");
    // size: columns after Reset; interval: the timer's after a tick; read: cell
    // (1, 1), 7 when the board was left alone; save: the bytes written, or the
    // message; then whether the run goes on.
    QTest::addColumn<QString>("outcome");
    const auto rows = [](const char *field, const QList<std::pair<QString, const char *>> &inputs) {
        for (const auto &[input, outcome] : inputs)
            QTest::addRow("%s: %s", field, qPrintable(input.left(20))) << field << input << outcome;
    };
    const QString nines(100000, u'9'), longName(5000, u'n');
    // The toggle follows the timer, not its caption; Reset stops the timer
    // only; the timer runs the next-generation command (t: three ticks, the
    // last one clicking 自動Stop).
    rows("clicks",
        { { "4", "on 自動Stop 1世代目" }, { "4 4", "off 自動 1世代目" },
            { "4 2", "off 自動Stop 1世代目" }, { "4 2 4 4", "off 自動 1世代目" },
            { "4 3", "on 自動Stop  2世代目" }, { "3 3 2 3", "off 自動  2世代目" },
            { "4 t", "off 自動  4世代目" } });
    // A press of any button flips the cell under it, even one of the ring just
    // over the grid; others change nothing. At: cells from cell (3, 2)'s top
    // left corner, and what the cell held; then column 3, rows 0 to 2 (_ for
    // empty), and whether a mark was printed.
    rows("press",
        { { "0,0.5 empty", "_ . O drawn" }, { "0.5,0", "_ . O drawn" },
            { "0.5,0.5 2", "_ . . drawn" }, { "0.5,-1.5", "O . . drawn" }, { "0.5,-3", "_ . ." },
            { "1e12,0", "_ . ." }, { "nan,0", "_ . ." } });
    rows("size", { { "7.5", "7" }, { "", "5" }, { "グライダー", "5" }, { nines, "150" } });
    // The interval box is read as the number its text begins with, leading
    // blanks skipped, 0 if none; 10 or less leaves the interval as it was.
    rows("interval",
        { { "11", "11" }, { "10", "1000" }, { "-50", "1000" }, { "", "1000" }, { "１２５", "1000" },
            { "10.5", "10" }, { "11.5", "12" }, { "12.5", "12" }, { "20ms", "20" },
            { " \t 42", "42" }, { ".5e2", "50" }, { "+20.", "20" }, { "2.5E1", "25" },
            { "12e", "12" }, { "12e+", "12" }, { "0x20", "1000" }, { "&H20", "1000" },
            { "inf", "1000" }, { "NaN", "1000" }, { "-", "1000" }, { "1e-999", "1000" },
            { "65535.5", "65535" }, { "4294967296", "65535" }, { "1e999", "65535" },
            { nines, "65535" } });
    // Read stops the run only once its file is open. A bare name missing here
    // comes from the bundled collection; a read that stops part way shows what
    // it changed.
    rows("read",
        { { "", "7 running" }, { "   ", "7 running" }, { "missing", "7 running" },
            { longName, "7 running" }, { "a folder", "7 running" }, { "fifo", "7 running" },
            { "old.txt", "1 stopped" }, { "21", "1 stopped" }, { "nul.txt", "1 stopped" },
            { "/dev/zero", "7 stopped" }, { "sparse.txt", "7 stopped" },
            { "glider.rle", "0 stopped" }, { "toad.rle", "1 stopped" } });
    // Save stops it before it asks; a failure names the file, gives the true
    // reason and keeps any old file.
    rows("save",
        { { "", "stopped" }, { "   ", "90000 stopped" }, { "グライダー", "90000 stopped" },
            { "a folder/x", "90000 stopped" }, { "old.txt", "90000 stopped" },
            { "a folder", "この名前はフォルダです。 stopped" },
            { "no/such/x.txt", "保存先のフォルダがありません。 stopped" },
            { "x/", "保存先のフォルダがありません。 stopped" },
            { "ro/x", "書き込みの権限がありません。 stopped" },
            { "fifo", "読み出す側のいないパイプなどで、すぐには書き込めません。 stopped" },
            { "full", "ディスクの空きが足りません。 stopped" },
            { "disk full", "ファイルが大きすぎます。 stopped" },
            { longName, "名前が長すぎます。 stopped" } });
}

// Whatever is typed or picked, the window goes on at once.
void TestMainWindow::commands()
{
    QFETCH(QString, field);
    QFETCH(QString, input);
    QVERIFY(QDir().mkdir(QStringLiteral("a folder")) && QDir().mkdir(QStringLiteral("ro")));
    QVERIFY(::mkfifo("fifo", 0600) == 0 && ::chmod("ro", 0555) == 0 && ::chmod(".", 0755) == 0);
    QVERIFY(writeFile(QStringLiteral("nul.txt"), QByteArray(" 1 \r\n 1\0 \r\n", 11)));
    QVERIFY(writeFile(QStringLiteral("21"), QByteArray(" 1 \r\n").repeated(20) + "x"));
    QFile sparse(QStringLiteral("sparse.txt")); // 2 GB without a line end
    QVERIFY(sparse.open(QIODevice::WriteOnly) && sparse.resize(qint64(2) << 30));
    const QByteArray old = QByteArray(" 1 \r\n").repeated(20000);
    QVERIFY(writeFile(QStringLiteral("old.txt"), old) && writeFile("toad.rle", old));
    // Our own node of the always-full device: a Save that wrongly replaced it
    // destroys nothing of the system's.
    if (input == u"full" && ::mknod("full", S_IFCHR | 0666, makedev(1, 7)) != 0)
        QSKIP("making a device node needs root");
    auto form = shownForm1(field == u"save" ? QStringLiteral("150") : QString());
    CellArray &board = form->life().board();
    board.set(1, 1, Cell(7.0));
    if (field != u"clicks")
        form->Command4_Click();
    const QString name = input == u"disk full" ? QStringLiteral("old.txt") : input;
    form->setPrompt([&](const QString &) { return name; });
    const QStringList files = QDir().entryList(QDir::Files | QDir::System);
    QString outcome;
    if (field == u"size") {
        control<QLineEdit>(*form, "Text2")->setText(input);
        form->Command2_Click();
        outcome = QString::number(form->life().columns());
    } else if (field == u"interval") {
        control<QLineEdit>(*form, "Text1")->setText(input);
        form->Timer1_Timer();
        outcome = QString::number(form->timer()->interval());
        QCOMPARE(counter(*form), QStringLiteral(" 2世代目"));
    } else if (field == u"clicks") {
        control<QLineEdit>(*form, "Text1")->setText(QStringLiteral("15"));
        form->timer()->setInterval(15); // spares the first second's wait
        int ticks = 0;
        connect(form->timer(), &QTimer::timeout, form.get(), [&] {
            if (++ticks == 3 && input.endsWith(u't'))
                control<QPushButton>(*form, "Command4")->click();
        });
        for (const QString &name : input.split(u' ')) {
            if (name != u't')
                control<QPushButton>(*form, qPrintable("Command" + name))->click();
        }
        QTRY_VERIFY(ticks == 3 || !input.endsWith(u't'));
        outcome = QStringLiteral("%1 %2 %3")
                      .arg(form->timer()->isActive() ? "on" : "off",
                          control<QPushButton>(*form, "Command4")->text(), counter(*form));
    } else if (field == u"press") {
        const QImage before = form->surface()->image().copy();
        board.set(3, 2,
            input.endsWith(u'2')       ? Cell(2.0)
                : input.endsWith(u'y') ? Cell::empty()
                                       : Cell(0.0));
        const QStringList at = input.section(u' ', 0, 0).split(u',');
        const double pitch = 10200.0 / 125;
        form->Form_MouseDown(Qt::MiddleButton, Qt::ControlModifier, (2 + at[0].toDouble()) * pitch,
            BoardLayout::Top + (1 + at[1].toDouble()) * pitch);
        for (int j = 0; j <= 2; ++j)
            outcome += board.at(3, j).isEmpty() ? "_ " : board.at(3, j) == 1 ? "O " : ". ";
        outcome += form->surface()->image() == before ? QString() : QStringLiteral("drawn");
        int others = 0;
        for (int i = 0; i < CellArray::Extent; ++i)
            for (int j = 0; j < CellArray::Extent; ++j)
                others += i != 3 && !(board.at(i, j) == 0) && !(i == 1 && j == 1);
        QCOMPARE(others, 0);
        outcome = outcome.trimmed();
    } else if (field == u"read") {
        ::alarm(5); // a read that waits ends the test here
        form->mnu_read_Click();
        ::alarm(0);
        outcome = QString::number(form->life().board().at(1, 1).number());
        if (!(form->life().board().at(1, 1) == 7))
            QCOMPARE(form->surface()->image(),
                BoardLayout(*form).board(BoardLayout(*form).grid(), *form));
    } else {
        // A file size limit stands in for a disk that fills up during the write.
        rlimit saved {};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limited { input == u"disk full" ? 40000 : saved.rlim_cur, saved.rlim_max };
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &limited);
        ::setfsuid(input == u"ro/x" ? 65534 : ::geteuid()); // root may write anywhere
        ModalBoxes messages;
        ::alarm(5);
        form->mnu_save_Click();
        ::alarm(0);
        ::setfsuid(::geteuid());
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        QTest::qWait(50);
        if (!messages.texts.isEmpty()) {
            outcome = messages.texts[0].section(u'\n', 1, 1);
            QVERIFY(messages.texts[0].contains(QDir::toNativeSeparators(name) + "」を保存"));
            QCOMPARE(QDir().entryList(QDir::Files | QDir::System), files);
            QCOMPARE(readAll(QStringLiteral("old.txt")), old);
        } else if (!name.isEmpty()) {
            outcome = QString::number(readAll(name).size());
        }
        struct stat status
        {
        };
        QVERIFY(::stat("full", &status) != 0 || S_ISCHR(status.st_mode));
    }
    if (field == u"read" || field == u"save")
        outcome = (outcome + (form->timer()->isActive() ? " running" : " stopped")).trimmed();
    QTEST(outcome, "outcome");
}

// Every control at its place in pixels (the layout's twips, rounded by hand),
// the fixed texts, the etched separator as shown, and the focus on OK.
void TestMainWindow::aboutBoxDesignState()
{
    gridlore::Form1 form;
    form.mnu_about_Click();
    frmAbout *dialog = form.aboutBox();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    const QPoint corner = QGuiApplication::primaryScreen()->geometry().topLeft();
    QStringList shown { dialog->windowTitle(), dialog->focusWidget()->objectName(),
        describe(dialog).section(u' ', 1, 2),
        control(*dialog, "lblTitle")->property("text").toString() };
    for (const QWidget *w : dialog->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        shown << describe(w).section(u' ', 0, 2);
    const QImage picture = dialog->grab().toImage();
    shown << picture.pixelColor(200, 163).name() << picture.pixelColor(200, 165).name();
    QCOMPARE(shown,
        QStringList({ "gridloreのﾊﾞｰｼﾞｮﾝ情報", "cmdOK",
            QStringLiteral("%1,%2 396x311").arg(corner.x() + 156).arg(corner.y() + 129),
            "Gridloreシミュレータ 　　　　　Ver1.00", "cmdOK 288,280 92x23",
            "lblDescription 48,96 315x51", "lblDisclaimer 24,175 337x71", "lblTitle 70,16 259x32",
            "lblVersion 40,64 323x15", "picIcon 8,0 44x38", "Label1 24,248 345x25",
            "Line1 6,163 372x1", "Line1 7,164 371x2", "#808080", "#ffffff" }));
    QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
}

void TestMainWindow::aboutBoxLifecycle_data()
{
    QTest::addColumn<int>("key"); // 0: a click on OK; -1: the frame's close box
    QTest::addColumn<bool>("onOK"); // the key goes to OK, else to the dialog
    QTest::newRow("OK clicked") << 0 << true;
    QTest::newRow("Return on OK") << int(Qt::Key_Return) << true;
    QTest::newRow("Return, focus nowhere") << int(Qt::Key_Return) << false;
    QTest::newRow("Esc, focus nowhere") << int(Qt::Key_Escape) << false;
    QTest::newRow("close box") << -1 << false;
}

// A second choice while open only brings the dialog to the front; any way of
// closing it unloads it; the next choice builds it anew.
void TestMainWindow::aboutBoxLifecycle()
{
    QFETCH(int, key);
    QFETCH(bool, onOK);
    gridlore::Form1 form;
    form.mnu_about_Click();
    QPointer<frmAbout> dialog = form.aboutBox();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    form.mnu_about_Click();
    QCOMPARE(form.aboutBox(), dialog.data());
    QWidget *ok = control(*dialog, "cmdOK");
    if (!onOK)
        ok->clearFocus();
    if (key > 0)
        QTest::keyClick(onOK ? ok : dialog.data(), Qt::Key(key));
    else
        key == 0 ? QTest::mouseClick(ok, Qt::LeftButton) : void(dialog->close());
    QTRY_VERIFY(dialog.isNull() && !form.aboutBox());
    form.mnu_about_Click();
    QVERIFY(form.aboutBox()->isVisible());
    int dialogs = 0;
    for (QWidget *window : QApplication::topLevelWidgets())
        dialogs += qobject_cast<frmAbout *>(window) != nullptr;
    QCOMPARE(dialogs, 1);
}

// What is drawn stays through a shrink and a regrowth, uncovered area comes
// in the background colour, and a huge image shrinks with the window.
void TestMainWindow::drawingIsKept()
{
    DrawingSurface surface;
    surface.resize(200, 150);
    surface.show();
    QVERIFY(QTest::qWaitForWindowExposed(&surface));
    surface.setBackColor(Qt::red);
    surface.line(0, 1500, 2985, 1500, Qt::black);
    surface.resize(50, 40);
    surface.resize(300, 200);
    QTRY_COMPARE(surface.image().size(), QSize(300, 200));
    QCOMPARE(surface.image().pixelColor(190, 100), QColor(Qt::black));
    QCOMPARE(surface.image().pixelColor(250, 180), QColor(Qt::red));
    QCOMPARE(surface.grab().toImage().pixelColor(190, 100), QColor(Qt::black));
    surface.resize(4200, 4900); // and the memory of a huge window comes back
    surface.resize(600, 700);
    QTRY_VERIFY(surface.image().sizeInBytes() <= 2 * 4 * 600 * 700);
}

// Rows are file names in a fresh folder ("/" is a folder).
void TestMainWindow::everyWayInReadsAlike_data()
{
    QTest::addColumn<QByteArray>("content"); // null: nothing written
    // Afterwards, and whether it was painted and the run is on. Before every way
    // in, the run is on and the bottom right cell alive.
    QTest::addColumn<QString>("board");
    QTest::newRow("glider.rle") << QByteArray("#N Glider\r\nx = 3, y = 3\r\nbo$2bo$3o!\r\n")
                                << "..O..\n...O.\n.OOO.\n..... painted";
    QTest::newRow("b.cells") << QByteArray("!b\nOOO\n") << ".....\n.OOO.\n.....\n..... painted";
    QTest::newRow("cut-short.txt")
        << QByteArray(" 1 \n\n 1 \n") << "O....\n ....\nO....\n....O painted";
    QTest::newRow("a.out") << QByteArray::fromHex("7f454c46ff000a") << ".....\n.....\n.....\n....O";
    QTest::newRow("empty") << QByteArray("") << ".....\n.....\n.....\n....O";
    QTest::newRow("/") << QByteArray() << ".....\n.....\n.....\n....O running";
    QTest::newRow("missing.rle") << QByteArray() << ".....\n.....\n.....\n....O running";
}

// Read, a drop, Ctrl+V and the command line: the same board, repaint and run.
void TestMainWindow::everyWayInReadsAlike()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, board);
    const auto form = activeForm1();
    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath(QString::fromUtf8(QTest::currentDataTag()));
    QFile file(path);
    QVERIFY(content.isNull() || (file.open(QIODevice::WriteOnly) && file.write(content) >= 0));
    file.close();
    form->setPrompt([&](const QString &) { return path; });
    for (const QString way : { "menu", "drop", "paste", "command line" }) {
        form->Command2_Click();
        form->life().board().set(5, 4, Cell(1.0));
        form->Command4_Click();
        QMimeData data; // as a file manager drops: only once the drag was taken
        data.setUrls({ QUrl::fromLocalFile(path) });
        QDragEnterEvent enter(QPoint(40, 200), Qt::CopyAction, &data, Qt::LeftButton, {});
        QDropEvent drop(QPointF(40, 200), Qt::CopyAction, &data, Qt::LeftButton, {});
        if (way == u"drop" && (QApplication::sendEvent(form.get(), &enter), enter.isAccepted()))
            QApplication::sendEvent(form.get(), &drop);
        if (way == u"menu")
            form->mnu_read_Click();
        QGuiApplication::clipboard()->setText(QString::fromUtf8(content));
        if (way == u"paste" && !content.isNull()) // what is no file has no text
            QTest::keyClick(form.get(), Qt::Key_V, Qt::ControlModifier);
        if (way == u"command line")
            readStartFile(*form, path);
        const QString seen = livePicture(form->life()) + (form->gridDrawn() ? "" : " painted")
            + (form->timer()->isActive() ? " running" : "");
        QVERIFY2(seen == board, qPrintable(way + QStringLiteral(": ") + seen));
    }
}

// Only cells holding 1, as drawn, are copied; they paste back centred.
void TestMainWindow::copyGivesRleThatPastesBackCentred()
{
    const auto form = activeForm1();
    form->Command2_Click();
    placeBoard(form->life().board(), 1, 1, QStringLiteral("O2O\n.OO\n.O."));
    QTest::keyClick(form.get(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(),
        "#C Copied from gridlore\nx = 3, y = 3, rule = B3/S23\nobo$b2o$bo!\n");
    form->Command2_Click();
    QTest::keyClick(form.get(), Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(livePicture(form->life()), QStringLiteral(".O.O.\n..OO.\n..O..\n....."));
}

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
