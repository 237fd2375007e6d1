// The program as a user gets it: `cmake --install` into a temporary prefix,
// then the installed files and the installed executable itself, run from
// elsewhere without a display.

#include "about/applicationicon.h"
#include "app/startaction.h"

#include <QDirIterator>
#include <QPainter>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

constexpr int ProcessLimitMs = 120000; // a hung child fails the test instead of hanging it

const QString BuildDir = QStringLiteral(GRIDLORE_BUILD_DIR);
const QString AppId = QStringLiteral(GRIDLORE_APP_ID);

struct Run
{
    int exitCode = -1;
    QProcess::ExitStatus exitStatus = QProcess::CrashExit;
    QString out;
    QString err;
};

// The environment of a machine with no display, plus `extra` NAME=value entries.
QProcessEnvironment environmentWith(const QStringList &extra = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    for (const QString &entry : extra)
        environment.insert(
            entry.section(QLatin1Char('='), 0, 0), entry.section(QLatin1Char('='), 1));
    return environment;
}

Run run(const QString &program, const QStringList &arguments, const QString &folder,
    const QProcessEnvironment &environment = environmentWith())
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    Run result;
    if (!process.waitForStarted(ProcessLimitMs)) {
        result.err = process.errorString();
        return result;
    }
    if (!process.waitForFinished(ProcessLimitMs))
        process.kill();
    process.waitForFinished(-1);
    result.exitCode = process.exitCode();
    result.exitStatus = process.exitStatus();
    result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.err = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

QString describe(const Run &r)
{
    return QStringLiteral("status %1%2\nstdout: %3\nstderr: %4")
        .arg(r.exitCode)
        .arg(r.exitStatus == QProcess::CrashExit ? QStringLiteral(" (crashed)") : QString())
        .arg(r.out, r.err);
}

// Every file below `folder`, as paths relative to it.
QStringList filesBelow(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(folder).relativeFilePath(it.next()));
    files.sort();
    return files;
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The keys of a desktop entry's [Desktop Entry] group, values as written.
QHash<QString, QString> desktopEntry(const QString &path)
{
    QHash<QString, QString> keys;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    bool inGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inGroup = line == QLatin1String("[Desktop Entry]");
        else if (inGroup && line.contains(QLatin1Char('=')) && !line.startsWith(QLatin1Char('#')))
            keys.insert(line.section(QLatin1Char('='), 0, 0).trimmed(),
                line.section(QLatin1Char('='), 1).trimmed());
    }
    return keys;
}

// An X display number nothing serves on this machine.
QString unservedDisplay()
{
    for (int number = 917;; ++number) {
        if (!QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number))
            && !QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
            return QStringLiteral(":%1").arg(number);
    }
}

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void installsItsFiles_data();
    void installsItsFiles();
    void installsOnlyTheProgramInBin();
    void installsTheWholeHelpPage();
    void iconsAreTheAboutDrawing_data();
    void iconsAreTheAboutDrawing();
    void scalableIconIsSquare();
    void desktopEntryNamesInstalledFiles();
    void metainfoNamesInstalledFiles();
    void validates_data();
    void validates();
    void findsItsHelpPage_data();
    void findsItsHelpPage();
    void answersWithoutDisplay_data();
    void answersWithoutDisplay();

private:
    QString installInto(const QString &prefix);

    QTemporaryDir root_;
    QString prefix_; // the installation under test
    QString moved_; // a second installation, renamed after it was made
    QString link_; // a symbolic link elsewhere to the installed program
    QString elsewhere_; // a working folder that is neither
};

QString TestInstall::installInto(const QString &prefix)
{
    const Run r = run(QStringLiteral(GRIDLORE_CMAKE),
        { QStringLiteral("--install"), BuildDir, QStringLiteral("--prefix"), prefix }, BuildDir);
    return r.exitCode == 0 && r.exitStatus == QProcess::NormalExit ? QString() : describe(r);
}

void TestInstall::initTestCase()
{
    QVERIFY(root_.isValid());
    const QDir root(root_.path());
    prefix_ = root.filePath(QStringLiteral("usr"));
    elsewhere_ = root.filePath(QStringLiteral("work"));
    QVERIFY(root.mkpath(elsewhere_));

    QString failure = installInto(prefix_);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));

    // Installed in one place, then moved as a whole: the program finds its data
    // relative to itself, not at the prefix it was installed to.
    const QString staging = root.filePath(QStringLiteral("staging"));
    failure = installInto(staging);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    moved_ = root.filePath(QStringLiteral("moved here/ゲーム"));
    QVERIFY(root.mkpath(QStringLiteral("moved here")));
    QVERIFY(QDir().rename(staging, moved_));

    // As /usr/games/gridlore or ~/bin/gridlore might be.
    link_ = root.filePath(QStringLiteral("links/gridlore"));
    QVERIFY(root.mkpath(QStringLiteral("links")));
    QVERIFY(QFile::link(QDir(prefix_).filePath(QStringLiteral("bin/gridlore")), link_));
}

void TestInstall::installsItsFiles_data()
{
    QTest::addColumn<QString>("path");
    for (const char *path : {
             "bin/gridlore",
             "share/gridlore/helppage/hlp01.htm",
             "share/applications/gridlore.desktop",
             "share/icons/hicolor/48x48/apps/gridlore.png",
             "share/icons/hicolor/64x64/apps/gridlore.png",
             "share/icons/hicolor/128x128/apps/gridlore.png",
             "share/icons/hicolor/256x256/apps/gridlore.png",
             "share/icons/hicolor/scalable/apps/gridlore.svg",
             "share/metainfo/" GRIDLORE_APP_ID ".metainfo.xml",
             "share/man/man6/gridlore.6.gz",
             "share/doc/gridlore/copyright",
             "share/doc/gridlore/changelog.gz",
         })
        QTest::newRow(path) << QString::fromLatin1(path);
}

void TestInstall::installsItsFiles()
{
    QFETCH(QString, path);
    const QFileInfo file(QDir(prefix_).filePath(path));
    QVERIFY2(file.isFile(), qPrintable(file.filePath()));
    QVERIFY(file.size() > 0);
    QCOMPARE(file.isExecutable(), path.startsWith(QLatin1String("bin/")));
}

void TestInstall::installsOnlyTheProgramInBin()
{
    // Build helpers such as the icon renderer stay in the build tree.
    QCOMPARE(filesBelow(QDir(prefix_).filePath(QStringLiteral("bin"))),
        QStringList { QStringLiteral("gridlore") });
}

void TestInstall::installsTheWholeHelpPage()
{
    const QString built = QDir(BuildDir).filePath(QStringLiteral("share/gridlore/helppage"));
    const QString installed = QDir(prefix_).filePath(QStringLiteral("share/gridlore/helppage"));
    const QStringList files = filesBelow(built);
    QVERIFY(files.contains(QStringLiteral("hlp01.htm")));
    QCOMPARE(filesBelow(installed), files);
    for (const QString &name : files)
        QVERIFY2(
            contentsOf(QDir(installed).filePath(name)) == contentsOf(QDir(built).filePath(name)),
            qPrintable(name));
}

void TestInstall::iconsAreTheAboutDrawing_data()
{
    QTest::addColumn<int>("side");
    for (int side : { 48, 64, 128, 256 })
        QTest::newRow(qPrintable(QStringLiteral("%1x%1").arg(side))) << side;
}

void TestInstall::iconsAreTheAboutDrawing()
{
    QFETCH(int, side);
    const QString path = QDir(prefix_).filePath(
        QStringLiteral("share/icons/hicolor/%1x%1/apps/gridlore.png").arg(side));
    const QImage installed(path, "PNG");
    QVERIFY2(!installed.isNull(), qPrintable(path));
    QCOMPARE(installed.size(), QSize(side, side));
    const QImage drawn
        = gridlore::iconImage(QSize(side, side)).convertToFormat(QImage::Format_ARGB32);
    QVERIFY(installed.convertToFormat(QImage::Format_ARGB32) == drawn);
    // Transparent around the drawing, as a theme icon should be, and not blank.
    QCOMPARE(qAlpha(installed.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(installed.pixel(side - 1, side - 1)), 0);
    QCOMPARE(qAlpha(installed.pixel(side / 2, side / 2)), 255);
}

void TestInstall::scalableIconIsSquare()
{
    const QString path
        = QDir(prefix_).filePath(QStringLiteral("share/icons/hicolor/scalable/apps/gridlore.svg"));
    QSvgRenderer renderer(path);
    QVERIFY(renderer.isValid());
    QCOMPARE(renderer.defaultSize().width(), renderer.defaultSize().height());
    const QRectF box = renderer.viewBoxF();
    QCOMPARE(box.width(), box.height());

    // Same drawing as the About icon: rendered at the icon's width, the page's
    // middle band is the About picture.
    QImage scalable(QSize(256, 256), QImage::Format_ARGB32_Premultiplied);
    scalable.fill(Qt::transparent);
    QPainter painter(&scalable);
    renderer.render(&painter);
    painter.end();
    QVERIFY(scalable == gridlore::iconImage(QSize(256, 256)));
}

void TestInstall::desktopEntryNamesInstalledFiles()
{
    const QDir prefix(prefix_);
    const QHash<QString, QString> entry
        = desktopEntry(prefix.filePath(QStringLiteral("share/applications/gridlore.desktop")));
    QCOMPARE(entry.value(QStringLiteral("Type")), QStringLiteral("Application"));
    QCOMPARE(entry.value(QStringLiteral("Name")), QStringLiteral("gridlore"));
    QVERIFY(!entry.value(QStringLiteral("Comment")).isEmpty());
    const QString japanese = entry.value(QStringLiteral("Comment[ja]"));
    QVERIFY2(japanese.contains(QStringLiteral("ライフゲーム")), qPrintable(japanese));

    const QString program = entry.value(QStringLiteral("Exec"));
    QVERIFY2(QFileInfo(prefix.filePath(QStringLiteral("bin/") + program)).isExecutable(),
        qPrintable(program));
    const QString icon = entry.value(QStringLiteral("Icon"));
    QVERIFY(!icon.isEmpty());
    for (const char *size : { "48x48", "64x64", "128x128", "256x256" }) {
        const QString file = QStringLiteral("share/icons/hicolor/%1/apps/%2.png")
                                 .arg(QString::fromLatin1(size), icon);
        QVERIFY2(QFileInfo::exists(prefix.filePath(file)), qPrintable(file));
    }
    const QStringList categories
        = entry.value(QStringLiteral("Categories")).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    QVERIFY2(categories.contains(QStringLiteral("Game")), qPrintable(categories.join(';')));
    QVERIFY2(categories.contains(QStringLiteral("Simulation")), qPrintable(categories.join(';')));
}

void TestInstall::metainfoNamesInstalledFiles()
{
    const QDir prefix(prefix_);
    QFile file(prefix.filePath(QStringLiteral("share/metainfo/%1.metainfo.xml").arg(AppId)));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString id;
    QString launchable;
    QString binary;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("id"))
            id = xml.readElementText();
        else if (xml.name() == QLatin1String("launchable"))
            launchable = xml.readElementText();
        else if (xml.name() == QLatin1String("binary"))
            binary = xml.readElementText();
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(id, AppId);
    QVERIFY2(QFileInfo::exists(prefix.filePath(QStringLiteral("share/applications/") + launchable)),
        qPrintable(launchable));
    QVERIFY2(QFileInfo(prefix.filePath(QStringLiteral("bin/") + binary)).isExecutable(),
        qPrintable(binary));
}

void TestInstall::validates_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("quiet"); // whether any output at all is a complaint

    QTest::newRow("desktop entry") << "desktop-file-validate" << QStringList()
                                   << "share/applications/gridlore.desktop" << true;
    QTest::newRow("metainfo") << "appstreamcli" << QStringList { "validate", "--no-net" }
                              << "share/metainfo/" GRIDLORE_APP_ID ".metainfo.xml" << false;
    QTest::newRow("manual page") << "man"
                                 << QStringList { "--warnings", "-E", "UTF-8", "-l", "-Tutf8",
                                        "-Z" }
                                 << "share/man/man6/gridlore.6.gz" << true;
}

void TestInstall::validates()
{
    QFETCH(QString, tool);
    QFETCH(QStringList, arguments);
    QFETCH(QString, file);
    QFETCH(bool, quiet);
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        QSKIP(qPrintable(tool + QStringLiteral(" is not installed")));
    const Run r = run(program, arguments << QDir(prefix_).filePath(file), elsewhere_);
    QVERIFY2(r.exitCode == 0 && r.exitStatus == QProcess::NormalExit, qPrintable(describe(r)));
    QVERIFY2(
        !r.err.contains(QLatin1String("warning"), Qt::CaseInsensitive), qPrintable(describe(r)));
    if (quiet) {
        QVERIFY2(r.err.isEmpty(), qPrintable(describe(r)));
        if (tool != QLatin1String("man")) // man's output is the formatted page
            QVERIFY2(r.out.isEmpty(), qPrintable(describe(r)));
    }
}

void TestInstall::findsItsHelpPage_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("page");

    const QString page = QStringLiteral("share/gridlore/helppage/hlp01.htm");
    QTest::newRow("build tree") << QDir(BuildDir).filePath(QStringLiteral("bin/gridlore"))
                                << QDir(BuildDir).filePath(page);
    QTest::newRow("installed") << QDir(prefix_).filePath(QStringLiteral("bin/gridlore"))
                               << QDir(prefix_).filePath(page);
    QTest::newRow("installed, then moved")
        << QDir(moved_).filePath(QStringLiteral("bin/gridlore")) << QDir(moved_).filePath(page);

    QTest::newRow("installed, started through a link") << link_ << QDir(prefix_).filePath(page);
}

void TestInstall::findsItsHelpPage()
{
    QFETCH(QString, program);
    QFETCH(QString, page);
    const Run r = run(program, { QStringLiteral("--help") }, elsewhere_);
    QVERIFY2(r.exitCode == 0 && r.exitStatus == QProcess::NormalExit, qPrintable(describe(r)));
    const QStringList lines = r.out.split(QLatin1Char('\n'));
    QVERIFY2(lines.contains(QStringLiteral("Help page: ") + QDir::cleanPath(page)),
        qPrintable(describe(r)));
    QVERIFY(QFileInfo(page).isFile());
}

void TestInstall::answersWithoutDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("lastErrorLine"); // the one clear line, after anything Qt says

    const QString failed = gridlore::displayFailedText();
    const QString version = QStringLiteral("gridlore " GRIDLORE_VERSION "\n");
    const QStringList none;

    QTest::newRow("--version") << QStringList { "--version" } << none << 0 << version << QString();
    QTest::newRow("--version among ignored arguments")
        << QStringList { "glider.rle", "--version", "-x" } << none << 0 << version << QString();
    QTest::newRow("no arguments, no display")
        << none << none << 1 << QString() << gridlore::noDisplayText();
    QTest::newRow("a file name, no display")
        << QStringList { "glider.rle" } << none << 1 << QString() << gridlore::noDisplayText();
    QTest::newRow("Qt's -platform offscreen is ignored too") << QStringList { "-platform",
        "offscreen" } << none << 1 << QString() << gridlore::noDisplayText();
    QTest::newRow("xcb asked for, no display") << none << QStringList { "QT_QPA_PLATFORM=xcb" } << 1
                                               << QString() << gridlore::noDisplayText();
    QTest::newRow("an X display nothing serves")
        << none << QStringList { QStringLiteral("DISPLAY=") + unservedDisplay() } << 1 << QString()
        << failed;
}

void TestInstall::answersWithoutDisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, environment);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, lastErrorLine);
    const Run r = run(QDir(prefix_).filePath(QStringLiteral("bin/gridlore")), arguments, elsewhere_,
        environmentWith(environment));
    QVERIFY2(r.exitStatus == QProcess::NormalExit, qPrintable(describe(r))); // no abort, no crash
    QVERIFY2(r.exitCode == exitCode, qPrintable(describe(r)));
    QCOMPARE(r.out, out);
    if (lastErrorLine.isEmpty())
        QCOMPARE(r.err, QString());
    else
        QVERIFY2(r.err.endsWith(lastErrorLine), qPrintable(describe(r)));
}

QTEST_GUILESS_MAIN(TestInstall)
#include "test_install.moc"
