#include "app/startaction.h"

#include <QProcess>
#include <QtTest>

using gridlore::StartAction;

Q_DECLARE_METATYPE(StartAction)

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void chooses_data();
    void chooses();
    void answersWithoutWindow_data();
    void answersWithoutWindow();
};

void TestStartup::chooses_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("environment"); // NAME=value
    QTest::addColumn<StartAction>("action");
    const auto row
        = [](const char *name, const QStringList &arguments, const QStringList &environment,
              StartAction action) { QTest::newRow(name) << arguments << environment << action; };
    const auto open = StartAction::OpenWindow, none = StartAction::NoDisplay;
    // The first of the two options decides, with or without a display.
    row("--version --help", { "--version", "--help" }, {}, StartAction::PrintVersion);
    row("a file, then --help, X11", { "a.rle", "--help" }, { "DISPLAY=:0" },
        StartAction::PrintHelp);
    row("-platform offscreen", { "-platform", "offscreen" }, {}, none);
    row("Wayland", {}, { "WAYLAND_DISPLAY=w" }, open);
    row("DISPLAY empty", {}, { "DISPLAY=" }, none);
    row("QT_QPA_PLATFORM empty, X11", {}, { "QT_QPA_PLATFORM=", "DISPLAY=:0" }, open);
    // A platform named needs its own kind of display; one usable entry of a list will do.
    row("xcb, Wayland", {}, { "QT_QPA_PLATFORM=xcb", "WAYLAND_DISPLAY=w" }, none);
    row("xcb:nograb", {}, { "QT_QPA_PLATFORM=xcb:nograb" }, none);
    row("wayland-egl, Wayland", {}, { "QT_QPA_PLATFORM=wayland-egl", "WAYLAND_DISPLAY=w" }, open);
    row("xcb;;", {}, { "QT_QPA_PLATFORM=xcb;;" }, none);
    row("xcb;offscreen", {}, { "QT_QPA_PLATFORM=xcb;offscreen" }, open);
}

void TestStartup::chooses()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, environment);
    QProcessEnvironment entries;
    for (const QString &entry : environment)
        entries.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));
    QTEST(gridlore::chooseStartAction(arguments, entries), "action");
}

void TestStartup::answersWithoutWindow_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("display");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("said"); // the last line, on stdout after 0, else stderr
    // --help's answer is checked on the installed program (dist/checkinstall.sh).
    int unserved = 917; // an X display nothing serves on this machine
    while (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(unserved)))
        ++unserved;
    QTest::newRow("--version among others") << QStringList { "glider.rle", "--version", "-x" } << ""
                                            << 0 << "gridlore " GRIDLORE_VERSION;
    QTest::newRow("no display") << QStringList {} << "" << 1 << "gridlore: cannot start";
    QTest::newRow("a display nothing serves")
        << QStringList {} << QStringLiteral(":%1").arg(unserved) << 1 << "gridlore: cannot start";
}

// Run without a display: one clear answer, nothing on the other stream.
void TestStartup::answersWithoutWindow()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, display);
    QFETCH(int, status);
    QFETCH(QString, said);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
        environment.remove(QLatin1String(name));
    if (!display.isEmpty())
        environment.insert(QStringLiteral("DISPLAY"), display);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QCoreApplication::applicationDirPath() + "/gridlore", arguments);
    QVERIFY(program.waitForFinished(60000));
    const QStringList out = QString::fromLocal8Bit(program.readAllStandardOutput()).split(u'\n');
    const QStringList err = QString::fromLocal8Bit(program.readAllStandardError()).split(u'\n');
    const QStringList &answer = status == 0 ? out : err;
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), status);
    QVERIFY2(answer.size() >= 2 && answer.last().isEmpty(), qPrintable(answer.join(u'|')));
    QVERIFY2(answer[answer.size() - 2].startsWith(said), qPrintable(answer.join(u'|')));
    QCOMPARE((status == 0 ? err : out), QStringList { QString() });
}

QTEST_GUILESS_MAIN(TestStartup)
#include "test_startup.moc"
