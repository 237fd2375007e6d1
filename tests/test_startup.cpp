#include "app/startaction.h"

#include <QtTest>

using gridlore::StartAction;

Q_DECLARE_METATYPE(StartAction)

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void startActionFromArgumentsAndDisplay_data();
    void startActionFromArgumentsAndDisplay();
};

void TestStartup::startActionFromArgumentsAndDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("environment"); // NAME=value
    QTest::addColumn<StartAction>("action");
    const auto row
        = [](const char *name, const QStringList &arguments, const QStringList &environment,
              StartAction action) { QTest::newRow(name) << arguments << environment << action; };
    const auto open = StartAction::OpenWindow, none = StartAction::NoDisplay;
    // The first of the two options decides, with or without a display.
    row("--version among others", { "glider.rle", "--version", "-x", "--help" }, {},
        StartAction::PrintVersion);
    row("a file, then --help, X11", { "a.rle", "--help" }, { "DISPLAY=:0" },
        StartAction::PrintHelp);
    row("no display", {}, {}, none);
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

void TestStartup::startActionFromArgumentsAndDisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, environment);
    QProcessEnvironment entries;
    for (const QString &entry : environment)
        entries.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));
    QTEST(gridlore::chooseStartAction(arguments, entries), "action");
}

QTEST_GUILESS_MAIN(TestStartup)
#include "test_startup.moc"
