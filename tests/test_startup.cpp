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
};

void TestStartup::chooses_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("environment"); // NAME=value; no display else
    QTest::addColumn<StartAction>("action");
    // Where no window would open: the program's status and the last line of
    // its one answer, on stdout after 0, else on stderr. --help's is checked on
    // the installed program (dist/checkinstall.sh).
    QTest::addColumn<QString>("said");
    const auto row
        = [](const char *name, const QStringList &arguments, const QStringList &environment,
              StartAction action, const QString &said = {}) {
              QTest::newRow(name) << arguments << environment << action << said;
          };
    const auto open = StartAction::OpenWindow, none = StartAction::NoDisplay;
    int unserved = 917; // an X display nothing serves on this machine
    while (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(unserved)))
        ++unserved;
    // The first of the two options decides, with or without a display.
    row("--version among others", { "glider.rle", "--version", "-x", "--help" }, {},
        StartAction::PrintVersion, "0 gridlore " GRIDLORE_VERSION);
    row("a file, then --help, X11", { "a.rle", "--help" }, { "DISPLAY=:0" },
        StartAction::PrintHelp);
    row("no display", {}, {}, none, "1 gridlore: cannot start");
    row("a display nothing serves", {}, { QStringLiteral("DISPLAY=:%1").arg(unserved) }, open,
        "1 gridlore: cannot start");
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

// The choice; and where it opens no window, one clear answer from the program
// in the build tree, nothing on the other stream.
void TestStartup::chooses()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, environment);
    QFETCH(QString, said);
    QProcessEnvironment entries, system = QProcessEnvironment::systemEnvironment();
    for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
        system.remove(QLatin1String(name));
    for (const QString &entry : environment) {
        entries.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));
        system.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));
    }
    QTEST(gridlore::chooseStartAction(arguments, entries), "action");
    if (said.isEmpty())
        return;
    QProcess program;
    program.setProcessEnvironment(system);
    program.start(QCoreApplication::applicationDirPath() + "/gridlore", arguments);
    QVERIFY(program.waitForFinished(60000));
    const QStringList out = QString::fromLocal8Bit(program.readAllStandardOutput()).split(u'\n');
    const QStringList err = QString::fromLocal8Bit(program.readAllStandardError()).split(u'\n');
    const QStringList &answer = said.startsWith(u'0') ? out : err;
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QVERIFY2(answer.size() >= 2 && answer.last().isEmpty(), qPrintable(answer.join(u'|')));
    QVERIFY2(
        (QString::number(program.exitCode()) + u' ' + answer[answer.size() - 2]).startsWith(said),
        qPrintable(answer.join(u'|')));
    QCOMPARE((&answer == &out ? err : out), QStringList { QString() });
}

QTEST_GUILESS_MAIN(TestStartup)
#include "test_startup.moc"
