#include "about/frmabout.h"
#include "app/startfile.h"
#include "boardfixture.h"
#include "form1fixture.h"

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

// Accepts every message box that comes up, keeping its text.
struct MessageBoxes : QObject
{
    QStringList texts;
    MessageBoxes()
    {
        auto *timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                texts << box->text(), box->accept();
        });
        timer->start(10);
    }
};

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
    void aboutBox_data();
    void aboutBox();

private:
    std::optional<QTemporaryDir> folder;
};

// Every control at its place in pixels (the layout's twips, rounded by hand)
// with its caption; the menus; the font; where focus starts; what Save and
// Read ask.
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
    form->setPrompt([&](const QString &prompt) { return shown << prompt, QString(); });
    form->mnu_save_Click();
    form->mnu_read_Click();
    QCOMPARE(shown,
        QStringList({ "Form1", "680x555 ", "Frame1 8,8 673x41 ", "Text2 320,16 41x19 125",
            "Text1 392,16 41x19 1000", "Command4 104,16 105x17 自動", "Command3 16,14 73x20 次世代",
            "Command2 464,16 65x20 Reset", "Command1 560,16 57x20 End", "Line1 296,8 1x33 ",
            "Label3 368,16 25x17 枠", "Label2 432,16 41x17 ms", "Label1 232,16 73x17 1世代目",
            "File(&F)", "Read(&R)", "Save(&S)", "-", "End(&E)", "Help(&H)", "Gridloreとは", "-",
            "バージョン", "IPAPGothic", "Command1", "ファイル名.....", "ファイル名...." }));
}

void TestMainWindow::pictureFollowsTheBoard_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<double>("points"); // of the marks, when not fitted to the cells
    QTest::addColumn<double>("ratio"); // device pixels to a pixel on the window's screen
    for (const char *size : { "125", "150", "7.5", "6.25", "5" })
        QTest::newRow(size) << QString::fromLatin1(size) << 0.0 << 1.0;
    QTest::newRow("60, marks over their neighbours") << "60" << 48.0 << 1.0;
    for (const double ratio : { 1.25, 1.5, 2.0 }) {
        for (const char *size : { "125", "150" })
            QTest::addRow("%s at %g device pixels", size, ratio)
                << QString::fromLatin1(size) << 0.0 << ratio;
        QTest::addRow("60, marks over their neighbours, at %g device pixels", ratio)
            << "60" << 48.0 << ratio;
    }
}

// After every command the surface shows exactly the grid and the board's
// marks as the layout alone says they should look, generation after
// generation; the asterisk is the largest that fits its cell. A press of any
// button flips the cell under it, even one of the ring just over the grid,
// and prints its mark; a press above the ring changes nothing.
void TestMainWindow::pictureFollowsTheBoard()
{
    QFETCH(QString, size);
    QFETCH(double, points);
    QFETCH(double, ratio);
    const QList<QScreen *> screens = QGuiApplication::screens();
    const auto screen = std::find_if(screens.begin(), screens.end(),
        [ratio](const QScreen *s) { return s->devicePixelRatio() == ratio; });
    if (screen == screens.end())
        QSKIP("no screen of that ratio: run with the offscreen screens of tests/screens.json");
    auto form = std::make_unique<Form1>();
    form->move((*screen)->geometry().topLeft());
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    control<QLineEdit>(*form, "Text2")->setText(size);
    form->Command2_Click();
    DrawingSurface &surface = *form->surface();
    const double fitted = surface.fontSize(), pitch = BoardLayout(*form).pitch();
    QVERIFY(surface.textWidth(QStringLiteral("*")) <= pitch);
    surface.setFontSize(fitted + 0.75);
    QVERIFY(fitted == 99.75 || surface.textWidth(QStringLiteral("*")) > pitch);
    surface.setFontSize(points ? points : fitted);
    BoardLayout layout(*form);
    const QImage &shown = surface.image();
    QImage grid = layout.grid();
    QCOMPARE(shown, grid);

    std::mt19937 random(7);
    QImage expected = grid;
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
    // On the largest board, enough cells that a generation changes hundreds of marks.
    for (int i = 1; size == "150" && i <= columns; ++i)
        for (int j = rows + 1; j <= form->life().rows(); ++j)
            form->life().board().set(i, j, Cell(random() % 3 ? 0.0 : 1.0));
    QRect board = surface.rect(); // below the panel, where the screen shows the image
    board.setTop(control(*form, "Frame1")->geometry().bottom() + 1);
    // The offscreen screen hands out windows in logical pixels only.
    const auto onScreen = [&] {
        QCoreApplication::processEvents(); // paint and send to the window's backing store
        const QImage window = form->screen()->grabWindow(form->winId()).toImage();
        return window.copy(board.translated(surface.mapTo(form.get(), QPoint())))
            .convertToFormat(QImage::Format_RGB32);
    };
    // Every generation prints every mark over what was there.
    for (int generation = 1; generation <= 12; ++generation) {
        if (generation == 7) { // a press prints its mark over the last generation's
            QTest::mouseClick(&surface, Qt::LeftButton, {}, layout.centre(2, 2));
            QPainter painter(&expected);
            layout.mark(painter, 2, 2, form->life().board().at(2, 2) == 1);
        }
        generation % 2 ? form->Command3_Click() : form->Timer1_Timer();
        expected = layout.board(expected, *form);
        QCOMPARE(shown, expected);
        if (ratio == 1)
            QCOMPARE(onScreen(), shown.copy(board));
    }
    form->life().board().set(1, 2, 2.0); // live to the step, yet drawn white
    form->DrawCells();
    QCOMPARE(shown, layout.board(expected, *form));
    QTest::mouseClick(&surface, Qt::LeftButton, {}, layout.centre(1, 2));
    QCOMPARE(form->life().board().at(1, 2).number(), 0.0);

    form->resize(form->width() + 150, form->height() + 30); // after a step: laid out anew
    QTRY_COMPARE(surface.width(), 830);
    layout = BoardLayout(*form);
    grid = layout.grid();
    QCOMPARE(shown, grid);
    form->Command3_Click();
    QCOMPARE(shown, layout.board(grid, *form));
    form->Command2_Click();
    QCOMPARE(shown, grid);
    // After Reset a larger window keeps what was drawn, the rest blank, on the
    // screen too; a huge window's memory comes back.
    form->resize(form->width() + 70, form->height() + 20);
    QTRY_COMPARE(surface.width(), 900);
    QImage kept(shown.size(), QImage::Format_RGB32);
    kept.setDevicePixelRatio(ratio);
    kept.fill(Qt::white);
    QPainter(&kept).drawImage(0, 0, grid);
    QCOMPARE(shown, kept);
    if (ratio == 1)
        QCOMPARE(onScreen(), kept.copy(board));
    form->resize(4200, 4900);
    form->resize(700, 600);
    QTRY_VERIFY(shown.sizeInBytes() <= 2 * 4 * 700 * 600 * ratio * ratio);
}

void TestMainWindow::commands_data()
{
    QTest::addColumn<QString>("field"); // the command, or what is typed into
    QTest::addColumn<QString>("input");
    // size: columns after Reset; interval: the timer's after a tick; a way in:
    // cell (1, 1), 7 when the board was left alone; save: the bytes written, or
    // the message; copy: the text copied; then, for these, whether the run goes on.
    QTest::addColumn<QString>("outcome");
    const auto rows = [](const char *field, const QList<std::pair<QString, const char *>> &inputs) {
        for (const auto &[input, outcome] : inputs)
            QTest::addRow("%s: %s", field, qPrintable(input.left(20).replace(u'\n', u'|')))
                << field << input << outcome;
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
    rows("size", { { "7.5", "7" }, { "", "5" }, { "グライダー", "5" }, { nines, "150" } });
    // The interval box is read as the number its text begins with, leading
    // blanks skipped, 0 if none; 10 or less leaves the interval as it was.
    rows("interval",
        { { "11", "11" }, { "10", "1000" }, { "-50", "1000" }, { "", "1000" }, { "１２５", "1000" },
            { "10.5", "10" }, { "11.5", "12" }, { "12.5", "12" }, { "20ms", "20" },
            { " \t 42", "42" }, { "+.5E2", "50" }, { "12e+", "12" }, { "0x20", "1000" },
            { "&H20", "1000" }, { "inf", "1000" }, { "NaN", "1000" }, { "1e-999", "1000" },
            { "65535.5", "65535" }, { "1e999", "65535" }, { nines, "65535" } });
    // Read stops the run only once its file is open. A bare name missing here
    // comes from the bundled collection; a read that stops part way shows what
    // it changed (a 2 in white).
    rows("read",
        { { "", "7 running" }, { "missing", "7 running" }, { "a folder", "7 running" },
            { "fifo", "7 running" }, { "old.txt", "1 stopped" }, { "21", "1 stopped" },
            { "/dev/zero", "7 stopped" }, { "glider.rle", "0 stopped" },
            { "toad.rle", "1 stopped" } });
    // A drop, Ctrl+V (of the text given) and the command line come in as Read.
    rows(
        "drop", { { "old.txt", "1 stopped" }, { "21", "1 stopped" }, { "a folder", "7 running" } });
    rows("paste",
        { { "x = 3, y = 3\nbo$2bo$3o!", "0 stopped" }, { " 1 \n\n 2 \nx", "1 stopped" },
            { "", "7 stopped" } });
    rows("command line", { { "21", "1 stopped" }, { "missing", "7 running" } });
    // Ctrl+C copies as RLE only the cells holding 1, as drawn.
    rows("copy",
        { { "O2O\n.OO\n.O.",
            "#C Copied from gridlore\nx = 3, y = 3, rule = B3/S23\nobo$b2o$bo!\n running" } });
    // Save stops it before it asks; a failure names the file, gives the true
    // reason and keeps any old file.
    rows("save",
        { { "", "stopped" }, { "グライダー", "90000 stopped" }, { "a folder/x", "90000 stopped" },
            { "old.txt", "90000 stopped" }, { "a folder", "この名前はフォルダです。 stopped" },
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
    QVERIFY(writeFile(QStringLiteral("21"), QByteArray(" 1 \r\n").repeated(20) + "x"));
    const QByteArray old = QByteArray(" 1 \r\n").repeated(20000);
    QVERIFY(writeFile(QStringLiteral("old.txt"), old) && writeFile("toad.rle", old));
    // Our own node of the always-full device: a Save that wrongly replaced it
    // destroys nothing of the system's.
    if (input == u"full" && ::mknod("full", S_IFCHR | 0666, makedev(1, 7)) != 0)
        QSKIP("making a device node needs root");
    auto form = shownForm1(field == u"save" ? QStringLiteral("150") : QString());
    form->activateWindow(); // where the keys for paste and copy work
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
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
        outcome = (form->timer()->isActive() ? "on " : "off ")
            + control<QPushButton>(*form, "Command4")->text() + u' '
            + control<QLabel>(*form, "Label1")->text();
    } else if (field == u"copy") {
        placeBoard(board, 1, 1, input);
        QTest::keyClick(form.get(), Qt::Key_C, Qt::ControlModifier);
        outcome = QGuiApplication::clipboard()->text();
    } else if (field == u"save") {
        // A file size limit stands in for a disk that fills up during the write.
        rlimit saved {};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limited { input == u"disk full" ? 40000 : saved.rlim_cur, saved.rlim_max };
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &limited);
        ::setfsuid(input == u"ro/x" ? 65534 : ::geteuid()); // root may write anywhere
        MessageBoxes messages;
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
        QVERIFY(!QFileInfo(QStringLiteral("full")).isFile()); // the device, if made, still one
    } else { // Read, or another way in
        QMimeData data; // as a file manager drops: only once the drag was taken
        data.setUrls({ QUrl::fromLocalFile(QDir().absoluteFilePath(input)) });
        QDragEnterEvent enter(QPoint(40, 200), Qt::CopyAction, &data, Qt::LeftButton, {});
        QDropEvent drop(QPointF(40, 200), Qt::CopyAction, &data, Qt::LeftButton, {});
        QGuiApplication::clipboard()->setText(field == u"paste" ? input : QString());
        ::alarm(5); // a read that waits ends the test here
        if (field == u"read")
            form->mnu_read_Click();
        if (field == u"drop" && (QApplication::sendEvent(form.get(), &enter), enter.isAccepted()))
            QApplication::sendEvent(form.get(), &drop);
        if (field == u"paste")
            QTest::keyClick(form.get(), Qt::Key_V, Qt::ControlModifier);
        if (field == u"command line")
            readStartFile(*form, input);
        ::alarm(0);
        outcome = QString::number(board.at(1, 1).number());
        // Repainted when, and only when, a cell changed.
        const BoardLayout layout(*form);
        QCOMPARE(form->surface()->image(),
            board.at(1, 1) == 7 ? layout.grid() : layout.board(layout.grid(), *form));
    }
    if (field != u"clicks" && field != u"size" && field != u"interval")
        outcome = (outcome + (form->timer()->isActive() ? " running" : " stopped")).trimmed();
    QTEST(outcome, "outcome");
}

void TestMainWindow::aboutBox_data()
{
    QTest::addColumn<bool>("escape"); // else a click on OK
    QTest::newRow("OK clicked") << false;
    QTest::newRow("Esc") << true;
}

// The caption, the focus on OK, the place and fixed size in pixels (the
// layout's twips, rounded by hand), the title, and the etched separator as
// shown. A second choice while open only brings the dialog to the front;
// closing it unloads it; the next choice builds it anew.
void TestMainWindow::aboutBox()
{
    QFETCH(bool, escape);
    gridlore::Form1 form;
    form.mnu_about_Click();
    QPointer<frmAbout> dialog = form.aboutBox();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    form.mnu_about_Click();
    QCOMPARE(form.aboutBox(), dialog.data());
    const QPoint corner = QGuiApplication::primaryScreen()->geometry().topLeft();
    QStringList shown { dialog->windowTitle(), dialog->focusWidget()->objectName(),
        describe(dialog).section(u' ', 1, 2),
        control(*dialog, "lblTitle")->property("text").toString() };
    const QImage picture = dialog->grab().toImage();
    for (int y = 163; y <= 165; ++y) // grey over two pixels of white
        shown << picture.pixelColor(200, y).name();
    QCOMPARE(shown,
        QStringList({ "gridloreのﾊﾞｰｼﾞｮﾝ情報", "cmdOK",
            QStringLiteral("%1,%2 396x311").arg(corner.x() + 156).arg(corner.y() + 129),
            "Gridloreシミュレータ 　　　　　Ver1.00", "#808080", "#ffffff", "#ffffff" }));
    QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
    if (escape)
        QTest::keyClick(dialog.data(), Qt::Key_Escape);
    else
        QTest::mouseClick(control(*dialog, "cmdOK"), Qt::LeftButton);
    QTRY_VERIFY(dialog.isNull() && !form.aboutBox());
    form.mnu_about_Click();
    QVERIFY(form.aboutBox()->isVisible());
}

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
