#include "app/startaction.h"

#include <QtTest>

using gridlore::StartAction;

Q_DECLARE_METATYPE(StartAction)

class TestStartAction : public QObject
{
    Q_OBJECT

private slots:
    void chooses_data();
    void chooses();
    void helpTextNamesTheHelpPage();
    void failureTextsAreOneLine_data();
    void failureTextsAreOneLine();
};

void TestStartAction::chooses_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("environment"); // its only NAME=value entries
    QTest::addColumn<StartAction>("action");

    const QStringList none;
    const QStringList x11 { QStringLiteral("DISPLAY=:0") };
    const QStringList wayland { QStringLiteral("WAYLAND_DISPLAY=wayland-0") };
    const auto qpa = [](const char *platform) {
        return QStringList { QStringLiteral("QT_QPA_PLATFORM=") + platform };
    };
    const auto open = StartAction::OpenWindow;
    const auto noDisplay = StartAction::NoDisplay;
    const auto help = StartAction::PrintHelp;
    const auto version = StartAction::PrintVersion;

    // The first of the two options decides, with or without a display.
    QTest::newRow("--version, X11") << QStringList { "--version" } << x11 << version;
    QTest::newRow("--version --help") << QStringList { "--version", "--help" } << none << version;
    QTest::newRow("a file name, then --help")
        << QStringList { "glider.rle", "--help" } << none << help;

    // Everything else is ignored, Qt's own options included.
    QTest::newRow("-h, X11") << QStringList { "-h" } << x11 << open;
    QTest::newRow("-platform offscreen, no display")
        << QStringList { "-platform", "offscreen" } << none << noDisplay;

    // Qt's own choice of platform: X11 or Wayland, whichever is there.
    QTest::newRow("Wayland") << none << wayland << open;
    QTest::newRow("DISPLAY empty") << none << QStringList { "DISPLAY=" } << noDisplay;
    QTest::newRow("QT_QPA_PLATFORM empty, X11") << none << qpa("") + x11 << open;
    QTest::newRow("QT_QPA_PLATFORM blank, no display") << none << qpa("  ") << noDisplay;

    // A platform asked for by name needs its own kind of display; a list is
    // tried in order, and one entry that can work is enough.
    QTest::newRow("xcb, only Wayland") << none << qpa("xcb") + wayland << noDisplay;
    QTest::newRow("xcb with options, no display") << none << qpa("xcb:nograb") << noDisplay;
    QTest::newRow("wayland-egl, only X11") << none << qpa("wayland-egl") + x11 << noDisplay;
    QTest::newRow("wayland-egl, Wayland") << none << qpa("wayland-egl") + wayland << open;
    QTest::newRow("xcb;;, no display") << none << qpa("xcb;;") << noDisplay;

    // Plugins that need no display, and names only Qt can judge, will do.
    QTest::newRow("xcb;offscreen, no display") << none << qpa("xcb;offscreen") << open;
}

void TestStartAction::chooses()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, environment);
    QFETCH(StartAction, action);
    QProcessEnvironment entries;
    for (const QString &entry : environment)
        entries.insert(entry.section(QLatin1Char('='), 0, 0), entry.section(QLatin1Char('='), 1));
    QCOMPARE(gridlore::chooseStartAction(arguments, entries), action);
}

// The usage, and last the help page the viewer would open, marked when missing.
void TestStartAction::helpTextNamesTheHelpPage()
{
    const QString page = QStringLiteral("/home/ユーザー/my games/hlp01.htm");
    const QString found = gridlore::helpText(page, true);
    QVERIFY2(found.startsWith(QLatin1String("Usage: gridlore"))
            && found.endsWith("\nHelp page: " + page + '\n'),
        qPrintable(found));
    const QString missing = gridlore::helpText(page, false);
    QVERIFY2(missing.endsWith("\nHelp page: " + page + " (missing)\n"), qPrintable(missing));
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
    QVERIFY(text.startsWith(QLatin1String("gridlore: "))
        && text.contains(QLatin1String("graphical display")));
    QVERIFY(text.endsWith(QLatin1Char('\n')) && text.count(QLatin1Char('\n')) == 1);
}

QTEST_GUILESS_MAIN(TestStartAction)
#include "test_startaction.moc"
