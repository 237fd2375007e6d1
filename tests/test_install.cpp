// The program as a user gets it: `cmake --install` into a temporary prefix,
// then the installed files and the installed executable itself, run from
// elsewhere without a display.

#include "about/applicationicon.h"
#include "app/startaction.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString BuildDir = QStringLiteral(GRIDLORE_BUILD_DIR);
const QString HelpPage = QStringLiteral("share/gridlore/helppage");
const QString Desktop = QStringLiteral("share/applications/gridlore.desktop");
const QString Metainfo = QStringLiteral("share/metainfo/" GRIDLORE_APP_ID ".metainfo.xml");

struct Run
{
    int status = -1; // -1 when it crashed, hung or never started
    QString out;
    QString err;
    QByteArray said; // all of the above, for a failure message
};

// Runs `program` in `folder` as on a machine with no display, or with only the
// X `display` given.
Run run(const QString &program, const QStringList &arguments, const QString &folder,
    const QString &display = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    if (!display.isEmpty())
        environment.insert(QStringLiteral("DISPLAY"), display);
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.waitForFinished(120000); // a child still running is killed with `process`
    // Failing to start, timing out or crashing leaves the status at -1.
    const int status = process.error() == QProcess::UnknownError ? process.exitCode() : -1;
    const QString out = QString::fromLocal8Bit(process.readAllStandardOutput());
    const QString err = QString::fromLocal8Bit(process.readAllStandardError());
    return {
        status, out, err,
        QStringLiteral("status %1\nstdout: %2\nstderr: %3").arg(status).arg(out, err).toLocal8Bit()
    };
}

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void installsItsFiles_data();
    void installsItsFiles();
    void installsNoMoreNorLess();
    void validates_data();
    void validates();
    void answersWithoutWindow_data();
    void answersWithoutWindow();

private:
    QString installed(const QString &path) const { return QDir(prefix_).filePath(path); }

    QTemporaryDir root_;
    QString prefix_; // the installation under test
    QString elsewhere_; // the working folder, neither the build tree nor the prefix
};

void TestInstall::initTestCase()
{
    QVERIFY(root_.isValid());
    // Data is found relative to the program, so a blank and non-ASCII prefix works too.
    prefix_ = root_.filePath(QStringLiteral("my games/ゲーム"));
    elsewhere_ = root_.filePath(QStringLiteral("work"));
    QVERIFY(QDir().mkpath(elsewhere_));
    const Run r = run(QStringLiteral(GRIDLORE_CMAKE),
        { QStringLiteral("--install"), BuildDir, QStringLiteral("--prefix"), prefix_ }, BuildDir);
    QVERIFY2(r.status == 0, r.said);
    // As /usr/games/gridlore or ~/bin/gridlore might be.
    QVERIFY(QFile::link(installed(QStringLiteral("bin/gridlore")), elsewhere_ + "/gridlore"));
}

void TestInstall::installsItsFiles_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("iconSide"); // a PNG of the About drawing at this size, when not 0
    QTest::addColumn<QStringList>("lines"); // patterns some line of it matches

    const QStringList none;
    QTest::newRow("program") << "bin/gridlore" << 0 << none;
    QTest::newRow("desktop entry")
        << Desktop << 0
        << QStringList { "^Name=gridlore$", "^Comment=.+", "^Comment\\[ja\\]=.*ライフゲーム",
               "^Categories=(.*;)?Game;(.*;)?Simulation;", "^Exec=gridlore$", "^Icon=gridlore$" };
    QTest::newRow("metainfo") << Metainfo << 0
                              << QStringList { "<launchable type=\"desktop-id\">gridlore.desktop<",
                                     "<binary>gridlore</binary>" };
    QTest::newRow("manual page") << "share/man/man6/gridlore.6.gz" << 0 << none;
    QTest::newRow("copyright") << "share/doc/gridlore/copyright" << 0 << none;
    QTest::newRow("changelog") << "share/doc/gridlore/changelog.gz" << 0 << none;
    for (const int side : { 48, 64, 128, 256 })
        QTest::addRow("%dx%d icon", side, side)
            << QStringLiteral("share/icons/hicolor/%1x%1/apps/gridlore.png").arg(side) << side
            << none;
    QTest::newRow("scalable icon") << "share/icons/hicolor/scalable/apps/gridlore.svg" << 0 << none;
}

void TestInstall::installsItsFiles()
{
    QFETCH(QString, path);
    QFETCH(int, iconSide);
    QFETCH(QStringList, lines);
    QFile file(installed(path));
    QVERIFY2(file.open(QIODevice::ReadOnly) && file.size() > 0, qPrintable(file.fileName()));
    QCOMPARE(QFileInfo(file).isExecutable(), path.startsWith(QLatin1String("bin/")));
    const QString text = QString::fromUtf8(file.readAll());
    for (const QString &line : lines)
        QVERIFY2(text.contains(QRegularExpression(line, QRegularExpression::MultilineOption)),
            qPrintable(line));
    if (iconSide > 0) {
        const QImage icon = QImage(file.fileName(), "PNG").convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(icon.size(), QSize(iconSide, iconSide));
        QVERIFY(icon == gridlore::iconImage(icon.size()).convertToFormat(QImage::Format_ARGB32));
        // Transparent around the drawing, as a theme icon should be, and not blank.
        QVERIFY(
            qAlpha(icon.pixel(0, 0)) == 0 && qAlpha(icon.pixel(iconSide / 2, iconSide / 2)) == 255);
    }
}

void TestInstall::installsNoMoreNorLess()
{
    QCOMPARE(entriesOf(installed(QStringLiteral("bin"))),
        QStringList { "gridlore" }); // no build helpers
    const QStringList built = entriesOf(BuildDir + '/' + HelpPage);
    QVERIFY(built.contains(QStringLiteral("hlp01.htm")));
    QCOMPARE(entriesOf(installed(HelpPage)), built);
}

void TestInstall::validates_data()
{
    QTest::addColumn<QString>("command"); // run in the prefix
    QTest::addColumn<bool>("quiet"); // whether any output at all is a complaint
    QTest::newRow("desktop entry") << "desktop-file-validate " + Desktop << true;
    QTest::newRow("metainfo") << "appstreamcli validate --no-net " + Metainfo << false;
    QTest::newRow("manual page")
        << "man --warnings -E UTF-8 -l -Tutf8 -Z share/man/man6/gridlore.6.gz" << false;
}

void TestInstall::validates()
{
    QFETCH(QString, command);
    QFETCH(bool, quiet);
    QStringList arguments = command.split(QLatin1Char(' '));
    const QString tool = arguments.takeFirst(), program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        QSKIP(qPrintable(tool + QStringLiteral(" is not installed")));
    const Run r = run(program, arguments, prefix_);
    QVERIFY2(r.status == 0 && r.err.isEmpty() && (!quiet || r.out.isEmpty()), r.said);
}

void TestInstall::answersWithoutWindow_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("display");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("lastLine"); // on stdout when it succeeds, else on stderr

    const QString bin = installed(QStringLiteral("bin/gridlore"));
    const QString page = QStringLiteral("Help page: %1/hlp01.htm\n");
    const QStringList help { QStringLiteral("--help") };
    int unserved = 917; // an X display nothing serves on this machine
    while (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(unserved))
        || QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(unserved)))
        ++unserved;
    QTest::newRow("--help, build tree")
        << BuildDir + "/bin/gridlore" << help << "" << 0 << page.arg(BuildDir + '/' + HelpPage);
    QTest::newRow("--help, installed") << bin << help << "" << 0 << page.arg(installed(HelpPage));
    QTest::newRow("--help, installed, started through a link")
        << elsewhere_ + "/gridlore" << help << "" << 0 << page.arg(installed(HelpPage));
    QTest::newRow("--version among ignored arguments")
        << bin << QStringList { "glider.rle", "--version", "-x" } << "" << 0
        << "gridlore " GRIDLORE_VERSION "\n";
    QTest::newRow("no arguments, no display")
        << bin << QStringList() << "" << 1 << gridlore::noDisplayText();
    QTest::newRow("Qt's -platform offscreen is ignored too")
        << bin << QStringList { "-platform", "offscreen" } << "" << 1 << gridlore::noDisplayText();
    QTest::newRow("an X display nothing serves")
        << bin << QStringList() << QStringLiteral(":%1").arg(unserved) << 1
        << gridlore::displayFailedText();
}

void TestInstall::answersWithoutWindow()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(QString, display);
    QFETCH(int, status);
    QFETCH(QString, lastLine);
    const Run r = run(program, arguments, elsewhere_, display);
    QVERIFY2(r.status == status, r.said); // an abort or crash is -1
    // Qt may speak before the one clear line; nothing is written to the other stream.
    QVERIFY2((status == 0 ? r.out : r.err).endsWith(lastLine), r.said);
    QVERIFY2((status == 0 ? r.err : r.out).isEmpty(), r.said);
}

QTEST_GUILESS_MAIN(TestInstall)
#include "test_install.moc"
