// Runs the real main window's automatic run at interval 11 on the largest
// board, randomly filled, for a few seconds and prints how many generations per
// second it kept and how much processor time per second it took (a share of
// one core, all threads of the process counted). A fresh fill changes a
// thousand marks a generation; after a few thousand generations it has settled
// into the still lifes and blinkers a long run mostly shows.
//   gridlore_autorun_rate [seconds] [generations to settle first]
// Offscreen unless QT_QPA_PLATFORM says otherwise (xcb on a display, say).
#include "mainwindow/mainwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <random>
#include <sys/resource.h>

using namespace gridlore;

namespace {

double processSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + now.tv_nsec / 1e9;
}

long voluntarySwitches()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_nvcsw;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const double seconds = argc > 1 ? std::atof(argv[1]) : 5.0;
    const int settle = argc > 2 ? std::atoi(argv[2]) : 0;

    MainWindow form;
    form.show();
    form.findChild<QLineEdit *>(QStringLiteral("sizeBox"))->setText(QStringLiteral("150"));
    form.findChild<QLineEdit *>(QStringLiteral("intervalBox"))->setText(QStringLiteral("11"));
    form.reset();
    std::mt19937 random(7);
    for (int i = 1; i <= form.life().columns(); ++i)
        for (int j = 1; j <= form.life().rows(); ++j)
            form.life().board().set(i, j, Cell(random() % 3 == 0 ? 1.0 : 0.0));
    for (int n = 0; n < settle; ++n)
        form.life().step();
    form.view().drawCells(form.life());

    auto *label = form.findChild<QLabel *>(QStringLiteral("counterLabel"));
    auto generation
        = [label] { return label->text().trimmed().section(QStringLiteral("世"), 0, 0).toInt(); };
    // The first tick comes after the start-up interval of a second and sets
    // 11 ms; count from there.
    QElapsedTimer clock;
    int first = 0;
    double firstCpu = 0;
    long firstSwitches = 0;
    QObject::connect(form.timer(), &QTimer::timeout, &form, [&] {
        if (clock.isValid())
            return;
        clock.start();
        first = generation() + 1;
        firstCpu = processSeconds();
        firstSwitches = voluntarySwitches();
        QTimer::singleShot(int(seconds * 1000), &app, [&] {
            const double elapsed = clock.nsecsElapsed() / 1e9;
            const double cpu = processSeconds() - firstCpu;
            const int done = generation() - first;
            std::printf("automatic run (%s), board 150, interval 11 ms, fill settled for %d "
                        "generations: %d generations in %.2f s "
                        "= %.1f per second (limit %.1f); processor %.1f %% of one core, "
                        "%.0f voluntary context switches per second\n",
                qPrintable(QGuiApplication::platformName()), settle, done, elapsed, done / elapsed,
                1000.0 / 11, 100.0 * cpu / elapsed,
                (voluntarySwitches() - firstSwitches) / elapsed);
            QCoreApplication::exit(0);
        });
    });
    form.findChild<QPushButton *>(QStringLiteral("runButton"))->click();
    return QApplication::exec();
}
