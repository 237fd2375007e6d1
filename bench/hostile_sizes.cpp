// Figures for the hostile sizes, on the real main window, offscreen:
//   gridlore_hostile_sizes files [folder]  how long Read holds the window on a
//       1 GB plaintext file and on an RLE body of 500 MB of '$' (written into
//       `folder`, a temporary one by default, and removed afterwards)
//   gridlore_hostile_sizes window           resident memory while the window is
//       enlarged to 16000 x 16000 and shrunk back to 900 x 800
#include "mainwindow/mainwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <fstream>
#include <string>

using namespace gridlore;

namespace {

// Current and peak resident set in MB; reading the peak also resets it.
double statusMegabytes(const char *key)
{
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word)
        if (word == key) {
            double kilobytes = 0;
            status >> kilobytes;
            return kilobytes / 1024;
        }
    return 0;
}

void resetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

void report(const char *what)
{
    QTest::qWait(200);
    std::printf("%-34s resident %8.1f MB, peak %8.1f MB\n", what, statusMegabytes("VmRSS:"),
        statusMegabytes("VmHWM:"));
    resetPeak();
}

bool writeRepeated(const QString &name, const std::string &head, const std::string &chunk,
    qint64 bytes, const std::string &tail)
{
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(head.data(), qint64(head.size()));
    for (qint64 written = 0; written < bytes; written += qint64(chunk.size()))
        if (file.write(chunk.data(), qint64(chunk.size())) != qint64(chunk.size()))
            return false;
    file.write(tail.data(), qint64(tail.size()));
    return file.flush();
}

void timeRead(MainWindow &form, const QString &name, const char *what)
{
    // The message that says why the file was refused is closed as it opens.
    QTimer::singleShot(0, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            box->accept();
    });
    QElapsedTimer clock;
    clock.start();
    QString told;
    const bool changed = form.readPatternFile(name, &told);
    std::printf("%-34s %7lld ms, board %s %s\n", what, static_cast<long long>(clock.elapsed()),
        changed ? "changed" : "unchanged", qPrintable(told));
}

int files(MainWindow &form, const QString &where)
{
    QTemporaryDir folder(where.isEmpty() ? QDir::tempPath() + QStringLiteral("/bigXXXXXX")
                                         : where + QStringLiteral("/bigXXXXXX"));
    const QString cells = folder.filePath(QStringLiteral("big.cells"));
    const QString rle = folder.filePath(QStringLiteral("dollars.rle"));
    std::string row;
    for (int i = 0; i < 16 * 1024 - 1; ++i)
        row += i % 3 ? '.' : 'O';
    row += '\n';
    std::string dollars(1 << 20, '$');
    if (!writeRepeated(cells, "!Name: big\n", row, qint64(1) << 30, "")
        || !writeRepeated(rle, "x = 3, y = 600000000\n", dollars, 500LL << 20, "3o!\n"))
        return 1;
    for (int n = 1; n <= 3; ++n) {
        timeRead(form, cells, "1 GB .cells");
        timeRead(form, rle, "500 MB of $ in an RLE body");
    }
    return 0;
}

int window(MainWindow &form)
{
    form.resize(900, 800);
    report("900 x 800 at start");
    form.resize(16000, 16000);
    report("enlarged to 16000 x 16000");
    form.resize(900, 800);
    report("shrunk back to 900 x 800");
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    MainWindow form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 2;
    if (mode == QLatin1String("files"))
        return files(form, argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString());
    if (mode == QLatin1String("window"))
        return window(form);
    std::fprintf(stderr, "usage: gridlore_hostile_sizes files [folder] | window\n");
    return 2;
}
