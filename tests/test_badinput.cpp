#include "form1fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <qplatformdefs.h>
#include <sys/stat.h>

using namespace gridlore;

namespace {

const QString VeryLong = QString(100000, QLatin1Char('9'));
const QString LongName = QString(5000, QLatin1Char('n'));

// Closes any message box that comes up, keeping its text.
class MessageBoxWatcher : public QObject
{
public:
    QStringList texts;
    MessageBoxWatcher()
    {
        auto *timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                texts << box->text();
                box->accept();
            }
        });
        timer->start(10);
    }
};

bool isCharacterDevice(const char *path)
{
    QT_STATBUF status;
    return QT_STAT(path, &status) == 0 && S_ISCHR(status.st_mode);
}

} // namespace

// What users actually type and pick, fed to every box and prompt: the program
// keeps running and the board and files end as the rules say.
class TestBadInput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void hostileInput_data();
    void hostileInput();

private:
    QTemporaryDir folder;
};

void TestBadInput::initTestCase()
{
    QVERIFY(folder.isValid());
    QDir::setCurrent(folder.path());
    QDir().mkdir(QStringLiteral("a folder"));
    QFile nul(QStringLiteral("nul.txt"));
    QVERIFY(nul.open(QIODevice::WriteOnly));
    nul.write(QByteArray(" 1 \r\n 1\0 \r\n 1 \r\n", 16));
    nul.close();
    // 2 GB of nothing, taking no disk space: no line ends anywhere.
    QFile sparse(QStringLiteral("sparse.txt"));
    QVERIFY(sparse.open(QIODevice::WriteOnly));
    QVERIFY(sparse.resize(qint64(2) << 30));
}

void TestBadInput::hostileInput_data()
{
    QTest::addColumn<QString>("field"); // size, interval, read or save
    QTest::addColumn<QString>("input");
    // size: columns afterwards; interval: the timer's interval; read: whether
    // cell (1, 1) was overwritten; save: whether a message was shown.
    QTest::addColumn<int>("expected");

    // The size box: columns after Reset. Beyond a double limits like any
    // other number; anything that is no number gives the smallest board.
    const QList<std::tuple<const char *, QString, int>> sizes {
        { "125", QStringLiteral("125"), 125 },
        { "150", QStringLiteral("150"), 150 },
        { "200", QStringLiteral("200"), 150 },
        { "4", QStringLiteral("4"), 5 },
        { "0", QStringLiteral("0"), 5 },
        { "-3", QStringLiteral("-3"), 5 },
        { "7.5", QStringLiteral("7.5"), 7 },
        { "empty", QString(), 5 },
        { "blanks", QStringLiteral("   "), 5 },
        { "very long", VeryLong, 150 },
        { "beyond a double", QStringLiteral("1e999"), 150 },
        { "beyond a double, negative", QStringLiteral("-1e999"), 5 },
        { "NaN", QStringLiteral("NaN"), 5 },
        { "inf", QStringLiteral("inf"), 5 },
        { "-0", QStringLiteral("-0"), 5 },
        { "0x10", QStringLiteral("0x10"), 5 },
        { "full-width digits", QStringLiteral("１２５"), 5 },
        { "Japanese", QStringLiteral("グライダー"), 5 },
    };
    for (const auto &[name, text, columns] : sizes)
        QTest::addRow("size: %s", name) << "size" << text << columns;
    // The interval box: the timer's interval after one tick, from 1000.
    const QList<std::tuple<const char *, QString, int>> intervals {
        { "empty", QString(), 1000 },
        { "blanks", QStringLiteral("   "), 1000 },
        { "very long", VeryLong, 65535 },
        { "beyond a double", QStringLiteral("1e999"), 65535 },
        { "NaN", QStringLiteral("NaN"), 1000 },
        { "inf", QStringLiteral("inf"), 1000 },
        { "-0", QStringLiteral("-0"), 1000 },
        { "0x10", QStringLiteral("0x10"), 1000 },
        { "full-width digits", QStringLiteral("１２５"), 1000 },
        { "Japanese", QStringLiteral("グライダー"), 1000 },
    };
    for (const auto &[name, text, interval] : intervals)
        QTest::addRow("interval: %s", name) << "interval" << text << interval;
    QTest::newRow("read: empty") << "read"
                                 << "" << 0;
    QTest::newRow("read: blanks") << "read"
                                  << "   " << 0;
    QTest::newRow("read: very long name") << "read" << LongName << 0;
    QTest::newRow("read: Japanese, missing") << "read"
                                             << "グライダー" << 0;
    QTest::newRow("read: a folder") << "read"
                                    << "a folder" << 0;
    QTest::newRow("read: /dev/null") << "read"
                                     << "/dev/null" << 0;
    QTest::newRow("read: /dev/zero") << "read"
                                     << "/dev/zero" << 0;
    QTest::newRow("read: a NUL byte") << "read"
                                      << "nul.txt" << 1;
    QTest::newRow("read: 2 GB sparse") << "read"
                                       << "sparse.txt" << 0;
    QTest::newRow("save: blanks") << "save"
                                  << "   " << 0;
    QTest::newRow("save: very long name") << "save" << LongName << 1;
    QTest::newRow("save: a folder") << "save"
                                    << "a folder" << 1;
    QTest::newRow("save: /dev/null") << "save"
                                     << "/dev/null" << 0;
    QTest::newRow("save: Japanese") << "save"
                                    << "グライダー" << 0;
    QTest::newRow("save: trailing slash") << "save"
                                          << "x/" << 1;
}

void TestBadInput::hostileInput()
{
    QFETCH(QString, field);
    QFETCH(QString, input);
    QFETCH(int, expected);
    auto form = shownForm1();
    QVERIFY(form);
    form->life().board().set(1, 1, Cell(7.0));
    form->Command4_Click();
    MessageBoxWatcher messages;
    form->setPrompt([&](const QString &) { return input; });

    if (field == QLatin1String("size")) {
        control<QLineEdit>(*form, "Text2")->setText(input);
        form->Command2_Click();
        QCOMPARE(form->life().columns(), expected);
        QVERIFY(form->cellWidth() > 0);
    } else if (field == QLatin1String("interval")) {
        control<QLineEdit>(*form, "Text1")->setText(input);
        form->Timer1_Timer();
        QCOMPARE(form->timer()->interval(), expected);
        QCOMPARE(counter(*form), QStringLiteral(" 2世代目"));
    } else if (field == QLatin1String("read")) {
        form->mnu_read_Click();
        QCOMPARE(form->life().board().at(1, 1).number(), expected ? 1.0 : 7.0);
        QCOMPARE(counter(*form), QStringLiteral("1世代目"));
    } else {
        const bool existed = QFileInfo::exists(input);
        form->mnu_save_Click();
        QTest::qWait(50);
        QCOMPARE(int(messages.texts.size()), expected);
        if (expected)
            QVERIFY(messages.texts.first().contains(QStringLiteral("保存できませんでした")));
        QVERIFY(isCharacterDevice("/dev/null"));
        // A failed save creates nothing; a good one leaves the file there.
        QCOMPARE(QFileInfo::exists(input), expected ? existed : !input.isEmpty());
    }
    QVERIFY(form->isVisible());
}

QTEST_MAIN(TestBadInput)
#include "test_badinput.moc"
