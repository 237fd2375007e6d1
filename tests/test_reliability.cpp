#include "form1fixture.h"

#include <QtWidgets>

#include <fstream>
#include <qplatformdefs.h>
#include <sys/fsuid.h>

using namespace Qt::StringLiterals;

// Names that could hold the window up or mislead, given to Read and Save in a
// window once made huge: each command returns at once, a failed Save says why,
// and afterwards the screen shows the board and the image fits the window.
class TestReliability : public QObject
{
    Q_OBJECT

private slots:
    void hostileInput_data()
    {
        QTest::addColumn<QString>("name"); // in a folder holding "fifo", "dir", "ro" and "21"
        QTest::addColumn<QString>("reason"); // empty: Read the name; else Save and expect this
        QTest::newRow("read: FIFO with no writer") << u"fifo"_s << u""_s;
        QTest::newRow("read: 80 cells, a bad line at 21") << u"21"_s << u""_s;
        QTest::newRow("save: FIFO with no reader") << u"fifo"_s << u"パイプ"_s;
        QTest::newRow("save: a folder") << u"dir"_s << u"フォルダです"_s;
        QTest::newRow("save: missing folder") << u"no/x"_s << u"フォルダがありません"_s;
        QTest::newRow("save: read-only folder") << u"ro/x"_s << u"権限がありません"_s;
    }

    void hostileInput()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QTemporaryDir folder;
        QVERIFY(QDir::setCurrent(folder.path()) && QDir().mkpath(u"dir/../ro"_s));
        QVERIFY(::mkfifo("fifo", 0600) == 0 && ::chmod(".", 0755) == 0 && ::chmod("ro", 0555) == 0);
        std::ofstream("21") << (" 1 \r\n"_ba.repeated(20) + "x").constData();
        auto form = shownForm1();
        form->resize(4200, 4900); // then small again: the image must shrink with the window
        form->resize(600, 700);
        control<QLineEdit>(*form, "Text2")->setText(u"10"_s);
        form->Command2_Click();
        form->setPrompt([&](const QString &) { return name; });
        QString message; // Save's box is answered as soon as it is up
        QTimer::singleShot(0, form.get(), [&message] {
            auto *box = static_cast<QMessageBox *>(QApplication::activeModalWidget());
            message = box->text(), box->accept();
        });

        ::alarm(2); // a command that blocks ends the test here
        ::setfsuid(name.startsWith(u"ro/") ? 65534 : ::geteuid()); // root may write anywhere
        reason.isEmpty() ? form->mnu_read_Click() : form->mnu_save_Click();
        ::setfsuid(::geteuid());
        ::alarm(0);
        QVERIFY2(message.contains(reason), qPrintable(message));
        const auto &shown = *form->surface();
        QVERIFY(shown.image().sizeInBytes() <= 2 * 4 * shown.width() * shown.height());
        // Each mark as its cell holds: dark at the middle of the asterisk's ink exactly
        // where the cell holds 1. The grid starts 1.5 top margins down, 15 twips a pixel.
        const QFontMetricsF fm(shown.font());
        const QPointF ink = fm.boundingRect(u'*').center()
            + QPointF(0, form->topMargin() / 10 + fm.ascent() - fm.height() / 4);
        for (int i = 1; i <= form->life().columns(); ++i)
            for (int j = 1; j <= form->life().rows(); ++j) {
                const QPoint at = (QPointF(i - 1, j - 1) * form->cellWidth() / 15 + ink).toPoint();
                QCOMPARE(qGray(shown.image().pixel(at)) < 128, form->life().board().at(i, j) == 1);
            }
    }
};

QTEST_MAIN(TestReliability)
#include "test_reliability.moc"
