// A long automatic run on the real main window, offscreen, with the user's
// usual interruptions: presses, Read and Save, Reset. Checks that memory stays
// flat, that no generation goes missing from the counter and that every saved
// file reads back to the board it came from; then opens and closes the help
// viewer many times and checks that, once warmed up, it stops growing.
//   gridlore_soak [minutes] [viewer-cycles]
#include "mainwindow/mainwindow.h"
#include "patterns/patternfile.h"
#include "platform/numbertext_qt.h"
#include "platform/webengineruntime.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <fstream>
#include <random>
#include <unistd.h>

using namespace gridlore;

namespace {

double residentMegabytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * double(sysconf(_SC_PAGESIZE)) / (1024 * 1024);
}

bool sameLiveArea(const Life &a, const Life &b)
{
    for (int i = 1; i <= a.columns(); ++i)
        for (int j = 1; j <= a.rows(); ++j)
            if (a.board().at(i, j).isEmpty() != b.board().at(i, j).isEmpty()
                || !(a.board().at(i, j) == b.board().at(i, j)))
                return false;
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    prepareWebEngine();
    QApplication app(argc, argv);
    const double minutes = argc > 1 ? std::atof(argv[1]) : 10.0;
    const int viewerCycles = argc > 2 ? std::atoi(argv[2]) : 60;
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());

    MainWindow form;
    form.findChild<QLineEdit *>(QStringLiteral("sizeBox"))->setText(QStringLiteral("150"));
    form.findChild<QLineEdit *>(QStringLiteral("intervalBox"))->setText(QStringLiteral("11"));
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 2;
    form.reset();
    auto *counter = form.findChild<QLabel *>(QStringLiteral("counterLabel"));
    auto *toggle = form.findChild<QPushButton *>(QStringLiteral("runButton"));
    auto generation = [&] { return textToNumber(counter->text()); };

    std::mt19937 random(2026);
    int skipped = 0, generations = 0, saves = 0, badSaves = 0, reads = 0, resets = 0, presses = 0;
    double last = generation();
    QObject::connect(form.timer(), &QTimer::timeout, &form, [&] {
        // Runs after the window's own tick handler: exactly one more.
        if (generation() != last + 1)
            ++skipped;
        last = generation();
        ++generations;
    });
    form.timer()->setInterval(11);
    toggle->click();

    QElapsedTimer clock;
    clock.start();
    double afterFirstMinute = 0;
    int file = 0;
    while (clock.elapsed() < minutes * 60000) {
        QTest::qWait(int(500 + random() % 1500));
        if (afterFirstMinute == 0 && clock.elapsed() >= 60000)
            afterFirstMinute = residentMegabytes();
        for (int k = int(random() % 6); k > 0; --k, ++presses) {
            const QPoint at(int(random() % 680), 68 + int(random() % 480));
            QTest::mouseClick(form.view().surface(), Qt::LeftButton, Qt::NoModifier, at);
        }
        switch (random() % 4) {
        case 0: { // save, check it reads back, read it again
            const QString name = QStringLiteral("soak%1.txt").arg(++file % 5);
            Life saved = form.life();
            form.setPrompt([&](const QString &, const QStringList &) { return name; });
            form.saveBoard();
            ++saves;
            Life readBack;
            readBack.setBoardSize(saved.boardSize());
            std::ifstream in(QFile::encodeName(name).toStdString(), std::ios::binary);
            if (readPattern(in, readBack) != ReadResult::Complete || !sameLiveArea(saved, readBack))
                ++badSaves;
            form.readPattern();
            ++reads;
            if (!sameLiveArea(saved, form.life()))
                ++badSaves;
            toggle->click(); // the file commands stopped the run; start it again
            break;
        }
        case 1:
            form.reset();
            ++resets;
            last = generation();
            toggle->click();
            break;
        default:
            break;
        }
        if (!form.timer()->isActive())
            toggle->click();
        last = generation();
    }
    toggle->click();
    const double atEnd = residentMegabytes();
    const double seconds = clock.elapsed() / 1000.0;
    std::printf("soak: %.1f min, %d generations (%.1f per second), %d presses, %d saves, %d reads, "
                "%d resets\n",
        seconds / 60, generations, generations / seconds, presses, saves, reads, resets);
    std::printf("soak: generations skipped in the counter: %d; saved files that did not read "
                "back: %d\n",
        skipped, badSaves);
    std::printf("soak: resident memory after the first minute %.1f MB, at the end %.1f MB "
                "(difference %+.1f MB, allowed 2)\n",
        afterFirstMinute, atEnd, atEnd - afterFirstMinute);

    // Closed against closed, after a warm-up: the engine's start and the
    // caches its first pages fill level off within the first cycles; what
    // still grows between cycle 20 and the last is what each cycle leaves.
    const int warmUp = 20;
    double warm = 0;
    for (int n = 1; n <= viewerCycles; ++n) {
        form.showHelp();
        QPointer<QWidget> viewer = form.helpViewer();
        QTest::qWait(1500);
        viewer->close();
        QTest::qWait(n == warmUp || n == viewerCycles ? 2000 : 300);
        if (n == warmUp)
            warm = residentMegabytes();
    }
    const double afterViewer = residentMegabytes();
    const bool viewerChecked = viewerCycles > warmUp;
    if (viewerChecked)
        std::printf("soak: help viewer opened and closed %d times: %.1f MB after cycle %d, %.1f MB "
                    "after cycle %d (difference %+.2f MB, allowed 1)\n",
            viewerCycles, warm, warmUp, afterViewer, viewerCycles, afterViewer - warm);
    // A run of 0 minutes checks the help viewer alone.
    const bool ok = skipped == 0 && badSaves == 0 && (minutes <= 0 || atEnd - afterFirstMinute <= 2)
        && (!viewerChecked || afterViewer - warm <= 1);
    std::printf("soak: %s\n", ok ? "passed" : "FAILED");
    return ok ? 0 : 1;
}
