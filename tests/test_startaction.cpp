#include "app/startaction.h"

#include <QtTest>

using gridlore::StartAction;

Q_DECLARE_METATYPE(StartAction)

namespace {

// An environment holding exactly the given NAME=value entries.
QProcessEnvironment environmentOf(const QStringList &entries)
{
    QProcessEnvironment environment;
    for (const QString &entry : entries)
        environment.insert(
            entry.section(QLatin1Char('='), 0, 0), entry.section(QLatin1Char('='), 1));
    return environment;
}

} // namespace

class TestStartAction : public QObject
{
    Q_OBJECT

private slots:
    void chooses_data();
    void chooses();
    void helpTextNamesTheHelpPage_data();
    void helpTextNamesTheHelpPage();
    void failureTextsAreOneLine_data();
    void failureTextsAreOneLine();
};

void TestStartAction::chooses_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<StartAction>("action");

    const QStringList none;
    const QStringList x11 { QStringLiteral("DISPLAY=:0") };
    const QStringList wayland { QStringLiteral("WAYLAND_DISPLAY=wayland-0") };
    const auto open = StartAction::OpenWindow;
    const auto help = StartAction::PrintHelp;
    const auto version = StartAction::PrintVersion;
    const auto noDisplay = StartAction::NoDisplay;

    // The two options, answered with or without a display.
    QTest::newRow("no arguments, X11") << none << x11 << open;
    QTest::newRow("--help, no display") << QStringList { "--help" } << none << help;
    QTest::newRow("--help, X11") << QStringList { "--help" } << x11 << help;
    QTest::newRow("--version, no display") << QStringList { "--version" } << none << version;
    QTest::newRow("--help --version") << QStringList { "--help", "--version" } << none << help;
    QTest::newRow("--version --help") << QStringList { "--version", "--help" } << none << version;
    QTest::newRow("a file name, then --help")
        << QStringList { "glider.rle", "--help" } << none << help;
    QTest::newRow("--help after --") << QStringList { "--", "--help" } << none << help;

    // Everything else is ignored, Qt's own options included.
    QTest::newRow("a file name, X11") << QStringList { "glider.rle" } << x11 << open;
    QTest::newRow("a file name, no display") << QStringList { "glider.rle" } << none << noDisplay;
    QTest::newRow("-h") << QStringList { "-h" } << x11 << open;
    QTest::newRow("--HELP") << QStringList { "--HELP" } << x11 << open;
    QTest::newRow("--help=all") << QStringList { "--help=all" } << x11 << open;
    QTest::newRow("-version") << QStringList { "-version" } << x11 << open;
    QTest::newRow("empty argument") << QStringList { "" } << x11 << open;
    QTest::newRow("-platform offscreen, no display")
        << QStringList { "-platform", "offscreen" } << none << noDisplay;
    QTest::newRow("-display :0, no display")
        << QStringList { "-display", ":0" } << none << noDisplay;

    // Qt's own choice of platform: X11 or Wayland, whichever is there.
    QTest::newRow("DISPLAY") << none << x11 << open;
    QTest::newRow("WAYLAND_DISPLAY") << none << wayland << open;
    QTest::newRow("both") << none << (x11 + wayland) << open;
    QTest::newRow("neither") << none << none << noDisplay;
    QTest::newRow("DISPLAY empty") << none << QStringList { "DISPLAY=" } << noDisplay;
    QTest::newRow("WAYLAND_DISPLAY empty")
        << none << QStringList { "WAYLAND_DISPLAY=" } << noDisplay;
    QTest::newRow("only unrelated variables")
        << none << QStringList { "HOME=/root", "XDG_SESSION_TYPE=x11" } << noDisplay;
    QTest::newRow("QT_QPA_PLATFORM empty, DISPLAY")
        << none << QStringList { "QT_QPA_PLATFORM=", "DISPLAY=:0" } << open;
    QTest::newRow("QT_QPA_PLATFORM blank, no display")
        << none << QStringList { "QT_QPA_PLATFORM=  " } << noDisplay;

    // A platform asked for by name needs its own kind of display.
    QTest::newRow("xcb, DISPLAY") << none << QStringList { "QT_QPA_PLATFORM=xcb", "DISPLAY=:0" }
                                  << open;
    QTest::newRow("xcb, no display") << none << QStringList { "QT_QPA_PLATFORM=xcb" } << noDisplay;
    QTest::newRow("xcb, only WAYLAND_DISPLAY")
        << none << (QStringList { "QT_QPA_PLATFORM=xcb" } + wayland) << noDisplay;
    QTest::newRow("xcb with options, DISPLAY")
        << none << QStringList { "QT_QPA_PLATFORM=xcb:nograb", "DISPLAY=:1" } << open;
    QTest::newRow("xcb with options, no display")
        << none << QStringList { "QT_QPA_PLATFORM=xcb:nograb" } << noDisplay;
    QTest::newRow("wayland, WAYLAND_DISPLAY")
        << none << (QStringList { "QT_QPA_PLATFORM=wayland" } + wayland) << open;
    QTest::newRow("wayland, only DISPLAY")
        << none << QStringList { "QT_QPA_PLATFORM=wayland", "DISPLAY=:0" } << noDisplay;
    QTest::newRow("wayland-egl, WAYLAND_DISPLAY")
        << none << (QStringList { "QT_QPA_PLATFORM=wayland-egl" } + wayland) << open;
    QTest::newRow("wayland-egl, no display")
        << none << QStringList { "QT_QPA_PLATFORM=wayland-egl" } << noDisplay;

    // A list is tried in order; one entry that can work is enough.
    QTest::newRow("wayland;xcb, DISPLAY")
        << none << QStringList { "QT_QPA_PLATFORM=wayland;xcb", "DISPLAY=:0" } << open;
    QTest::newRow("wayland;xcb, WAYLAND_DISPLAY")
        << none << (QStringList { "QT_QPA_PLATFORM=wayland;xcb" } + wayland) << open;
    QTest::newRow("wayland;xcb, no display")
        << none << QStringList { "QT_QPA_PLATFORM=wayland;xcb" } << noDisplay;
    QTest::newRow("xcb;offscreen, no display")
        << none << QStringList { "QT_QPA_PLATFORM=xcb;offscreen" } << open;
    QTest::newRow("xcb;;, no display")
        << none << QStringList { "QT_QPA_PLATFORM=xcb;;" } << noDisplay;

    // Plugins that need no display, and names only Qt can judge.
    QTest::newRow("offscreen") << none << QStringList { "QT_QPA_PLATFORM=offscreen" } << open;
    QTest::newRow("minimal") << none << QStringList { "QT_QPA_PLATFORM=minimal" } << open;
    QTest::newRow("vnc") << none << QStringList { "QT_QPA_PLATFORM=vnc:size=800x600" } << open;
    QTest::newRow("eglfs") << none << QStringList { "QT_QPA_PLATFORM=eglfs" } << open;
    QTest::newRow("a plugin Qt may not have")
        << none << QStringList { "QT_QPA_PLATFORM=nosuchplugin" } << open;
}

void TestStartAction::chooses()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, environment);
    QFETCH(StartAction, action);
    QCOMPARE(gridlore::chooseStartAction(arguments, environmentOf(environment)), action);
}

void TestStartAction::helpTextNamesTheHelpPage_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("found");
    QTest::newRow("installed, found") << "/usr/share/gridlore/helppage/hlp01.htm" << true;
    QTest::newRow("missing") << "/opt/gridlore/share/gridlore/helppage/hlp01.htm" << false;
    QTest::newRow("blank and non-ASCII folder") << "/home/ユーザー/my games/hlp01.htm" << true;
}

void TestStartAction::helpTextNamesTheHelpPage()
{
    QFETCH(QString, page);
    QFETCH(bool, found);
    const QStringList lines = gridlore::helpText(page, found).split(QLatin1Char('\n'));
    QVERIFY(lines.first().startsWith(QLatin1String("Usage: gridlore")));
    QVERIFY(lines.contains(QLatin1String("  --help     print this text and exit")));
    QVERIFY(lines.contains(QLatin1String("  --version  print the version and exit")));
    const QString pageLine = QStringLiteral("Help page: ") + page;
    QVERIFY2(lines.contains(found ? pageLine : pageLine + QStringLiteral(" (missing)")),
        qPrintable(lines.join(QLatin1Char('|'))));
    QCOMPARE(lines.last(), QString()); // ends with a line end
}

void TestStartAction::failureTextsAreOneLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("no display named") << gridlore::noDisplayText();
    QTest::newRow("display failed to open") << gridlore::displayFailedText();
}

void TestStartAction::failureTextsAreOneLine()
{
    QFETCH(QString, text);
    QVERIFY(text.startsWith(QLatin1String("gridlore: ")));
    QVERIFY(text.contains(QLatin1String("graphical display")));
    QVERIFY(text.endsWith(QLatin1Char('\n')));
    QCOMPARE(text.count(QLatin1Char('\n')), 1);
}

QTEST_GUILESS_MAIN(TestStartAction)
#include "test_startaction.moc"
