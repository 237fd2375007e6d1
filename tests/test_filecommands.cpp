#include "form1fixture.h"
#include "platform/inputbox.h"
#include "platform/numbertext_qt.h"

#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <qplatformdefs.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace gridlore;

namespace {

QByteArray blinkerFile()
{
    QByteArray bytes;
    for (int i = 1; i <= 5; ++i)
        for (int j = 1; j <= 4; ++j)
            bytes += (j == 2 && i >= 2 && i <= 4) ? " 1 \r\n" : " 0 \r\n";
    return bytes;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A board of the given size with the blinker of the worked example.
std::unique_ptr<Form1> boardOfSize(const QString &size)
{
    auto form = shownForm1();
    if (!form)
        return nullptr;
    control<QLineEdit>(*form, "Text2")->setText(size);
    form->Command2_Click();
    return form;
}

// Answers the next modal message box, keeping its text.
void answerNextMessageBox(QString *text)
{
    QTimer::singleShot(0, [text] {
        QTRY_VERIFY(qobject_cast<QMessageBox *>(QApplication::activeModalWidget()));
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        *text = box->text();
        box->accept();
    });
}

} // namespace

class TestFileCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void workedExampleThroughTheMenus();
    void readAtALargerSizeStopsAtTheEnd();
    void promptsAndTimer_data();
    void promptsAndTimer();
    void readKeepsTheRunGoingWhileItsPromptIsOpen();
    void namesAreUsedAsTyped_data();
    void namesAreUsedAsTyped();
    void failedSaveTellsAndKeepsTheOldFile_data();
    void failedSaveTellsAndKeepsTheOldFile();
    void inputBoxIsCaptionedWithTheTitle();

private:
    std::unique_ptr<QTemporaryDir> folderHolder;
    QTemporaryDir &folder() { return *folderHolder; }
};

void TestFileCommands::init()
{
    folderHolder = std::make_unique<QTemporaryDir>();
    QVERIFY(folder().isValid());
    QDir::setCurrent(folder().path());
}

// The blinker of size 5 through the menus: Save writes exactly its 100 bytes,
// over an older, longer file, without repainting; Read brings it back and
// paints it; Save again gives the same bytes.
void TestFileCommands::workedExampleThroughTheMenus()
{
    writeFile(QStringLiteral("blinker.txt"), QByteArray(500, 'x'));
    auto form = boardOfSize(QStringLiteral("5"));
    QVERIFY(form);
    for (int i = 2; i <= 4; ++i)
        form->life().board().set(i, 2, Cell(1.0));
    QStringList prompts;
    QString answer = QStringLiteral("blinker.txt");
    form->setPrompt([&](const QString &prompt) {
        prompts << prompt;
        return answer;
    });
    form->mnu_save_Click();
    QCOMPARE(readAll(QStringLiteral("blinker.txt")), blinkerFile());
    QCOMPARE(form->gridDrawn(), 1);

    form->Command2_Click();
    form->mnu_read_Click();
    for (int i = 1; i <= 5; ++i)
        for (int j = 1; j <= 4; ++j)
            QCOMPARE(
                form->life().board().at(i, j).number(), (j == 2 && i >= 2 && i <= 4) ? 1.0 : 0.0);
    QCOMPARE(form->gridDrawn(), 0); // painted by DrawCells
    QCOMPARE(counter(*form), QStringLiteral("1世代目"));

    answer = QStringLiteral("again.txt");
    form->mnu_save_Click();
    QCOMPARE(readAll(QStringLiteral("again.txt")), blinkerFile());
    QCOMPARE(prompts, QStringList({ "ファイル名.....", "ファイル名....", "ファイル名....." }));
}

void TestFileCommands::readAtALargerSizeStopsAtTheEnd()
{
    writeFile(QStringLiteral("blinker.txt"), blinkerFile());
    auto form = boardOfSize(QStringLiteral("10"));
    QVERIFY(form);
    form->life().board().set(3, 5, Cell(1.0)); // past the file's 20 values
    form->Command4_Click();
    form->setPrompt([](const QString &) { return QStringLiteral("blinker.txt"); });
    form->mnu_read_Click();
    // Columns 1 and 2 (8 rows each) and rows 1-4 of column 3 came from the file.
    QCOMPARE(form->life().board().at(2, 6).number(), 1.0);
    QCOMPARE(form->life().board().at(3, 2).number(), 0.0);
    QCOMPARE(form->life().board().at(1, 6).number(), 1.0);
    QCOMPARE(form->life().board().at(3, 5).number(), 1.0);
    QCOMPARE(form->gridDrawn(), 1); // not repainted
    QVERIFY(!form->timer()->isActive());
    QCOMPARE(control<QPushButton>(*form, "Command4")->text(), QStringLiteral("自動Stop"));
}

void TestFileCommands::promptsAndTimer_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("running");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("runningAfter");
    QTest::newRow("save, cancel, running") << "save" << true << "" << false;
    QTest::newRow("save, cancel, stopped") << "save" << false << "" << false;
    QTest::newRow("read, cancel, running") << "read" << true << "" << true;
    QTest::newRow("read, cancel, stopped") << "read" << false << "" << false;
    QTest::newRow("read, missing file, running") << "read" << true << "missing.txt" << true;
    QTest::newRow("read, a folder, running") << "read" << true << "." << true;
    QTest::newRow("read, existing file, running") << "read" << true << "blinker.txt" << false;
}

void TestFileCommands::promptsAndTimer()
{
    QFETCH(QString, command);
    QFETCH(bool, running);
    QFETCH(QString, answer);
    writeFile(QStringLiteral("blinker.txt"), blinkerFile());
    auto form = boardOfSize(QStringLiteral("5"));
    QVERIFY(form);
    form->life().board().set(1, 1, Cell(1.0));
    if (running)
        form->Command4_Click();
    const QString caption = control<QPushButton>(*form, "Command4")->text();
    form->setPrompt([&](const QString &) { return answer; });
    if (command == QLatin1String("save"))
        form->mnu_save_Click();
    else
        form->mnu_read_Click();
    QTEST(form->timer()->isActive(), "runningAfter");
    QCOMPARE(control<QPushButton>(*form, "Command4")->text(), caption);
    QCOMPARE(counter(*form), QStringLiteral("1世代目"));
    QCOMPARE(QDir().entryList(QDir::Files), QStringList { QStringLiteral("blinker.txt") });
    if (answer != QLatin1String("blinker.txt"))
        QCOMPARE(form->life().board().at(1, 1).number(), 1.0);
}

void TestFileCommands::readKeepsTheRunGoingWhileItsPromptIsOpen()
{
    writeFile(QStringLiteral("blinker.txt"), blinkerFile());
    auto form = boardOfSize(QStringLiteral("5"));
    QVERIFY(form);
    control<QLineEdit>(*form, "Text1")->setText(QStringLiteral("15"));
    form->timer()->setInterval(15);
    form->Command4_Click();
    QString during;
    form->setPrompt([&](const QString &) {
        QTest::qWait(200); // the user takes a while to type
        during = counter(*form);
        return QStringLiteral("blinker.txt");
    });
    form->mnu_read_Click();
    QVERIFY2(textToNumber(during) >= 3, qPrintable(during));
    QVERIFY(!form->timer()->isActive());
    QCOMPARE(counter(*form), during);
    QCOMPARE(form->life().board().at(3, 2).number(), 1.0);
}

void TestFileCommands::namesAreUsedAsTyped_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("Japanese") << "グライダー";
    QTest::newRow("spaces") << "my pattern file";
    QTest::newRow("no extension added") << "pattern";
    QTest::newRow("leading blank kept") << " lead";
    QTest::newRow("sub folder") << "sub/inner.txt";
}

void TestFileCommands::namesAreUsedAsTyped()
{
    QFETCH(QString, name);
    QDir().mkdir(QStringLiteral("sub"));
    auto form = boardOfSize(QStringLiteral("5"));
    QVERIFY(form);
    form->life().board().set(3, 3, Cell(1.0));
    form->setPrompt([&](const QString &) { return name; });
    form->mnu_save_Click();
    QVERIFY(QFile::exists(folder().filePath(name)));
    form->life().board().set(3, 3, Cell(0.0));
    form->mnu_read_Click();
    QCOMPARE(form->life().board().at(3, 3).number(), 1.0);
}

void TestFileCommands::failedSaveTellsAndKeepsTheOldFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("sizeLimit");
    QTest::newRow("missing folder") << "no/such/folder/x.txt" << qint64(-1);
    QTest::newRow("disk full part way") << "old.txt" << qint64(40000);
    QTest::newRow("a full device") << "full" << qint64(-1);
}

void TestFileCommands::failedSaveTellsAndKeepsTheOldFile()
{
    QFETCH(QString, name);
    QFETCH(qint64, sizeLimit);
    // Our own node of the always-full device, so that a Save that wrongly
    // replaced it would destroy nothing of the system's.
    const bool device = name == QLatin1String("full");
    if (device && ::mknod("full", S_IFCHR | 0666, makedev(1, 7)) != 0)
        QSKIP("making a device node needs root");
    const QByteArray old(1000, 'o');
    writeFile(QStringLiteral("old.txt"), old);
    auto form = boardOfSize(QStringLiteral("150")); // 90,000 bytes to write
    QVERIFY(form);
    form->Command4_Click();
    form->setPrompt([&](const QString &) { return name; });

    // A file size limit stands in for a disk that fills up during the write.
    rlimit saved {};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    if (sizeLimit > 0) {
        rlimit limited = saved;
        limited.rlim_cur = rlim_t(sizeLimit);
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    QString message;
    answerNextMessageBox(&message);
    form->mnu_save_Click();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY2(message.contains(QDir::toNativeSeparators(name)), qPrintable(message));
    QVERIFY(message.contains(QStringLiteral("保存できませんでした")));
    QCOMPARE(readAll(QStringLiteral("old.txt")), old);
    QStringList expected { QStringLiteral("old.txt") };
    if (device) {
        QT_STATBUF status;
        QVERIFY(QT_STAT("full", &status) == 0 && S_ISCHR(status.st_mode));
        expected.prepend(name);
    }
    QCOMPARE(QDir().entryList(QDir::Files | QDir::System), expected);
    QVERIFY(!form->timer()->isActive());
}

void TestFileCommands::inputBoxIsCaptionedWithTheTitle()
{
    for (const bool accept : { true, false }) {
        QString title, label;
        QTimer::singleShot(0, [&] {
            QTRY_VERIFY(qobject_cast<QInputDialog *>(QApplication::activeModalWidget()));
            auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
            title = dialog->windowTitle();
            label = dialog->labelText();
            QCOMPARE(dialog->textValue(), QString());
            dialog->setTextValue(QStringLiteral("typed name"));
            accept ? dialog->accept() : dialog->reject();
        });
        const QString answer = InputBox(nullptr, QStringLiteral("ファイル名...."));
        QCOMPARE(title, QStringLiteral("gridlore"));
        QCOMPARE(label, QStringLiteral("ファイル名...."));
        QCOMPARE(answer, accept ? QStringLiteral("typed name") : QString());
    }
}

QTEST_MAIN(TestFileCommands)
#include "test_filecommands.moc"
