#include "app/startfile.h"
#include "form1fixture.h"
#include "boardfixture.h"


using namespace gridlore;

class TestPatternSources : public QObject
{
    Q_OBJECT
    std::unique_ptr<Form1> form = shownForm1();

private slots:
    void initTestCase()
    {
        QVERIFY(form);
        control<QLineEdit>(*form, "Text2")->setText(QStringLiteral("5"));
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    void everyWayInReadsAlike_data();
    void everyWayInReadsAlike();
    void copyGivesRleThatPastesBackCentred();
};

// Rows are file names in a fresh folder ("/" is a folder).
void TestPatternSources::everyWayInReadsAlike_data()
{
    QTest::addColumn<QByteArray>("content"); // null: nothing written
    // Afterwards, and whether it was painted and the run is on. Before every way
    // in, the run is on and the bottom right cell alive.
    QTest::addColumn<QString>("board");
    QTest::newRow("glider.rle") << QByteArray("#N Glider\r\nx = 3, y = 3\r\nbo$2bo$3o!\r\n")
                                << "..O..\n...O.\n.OOO.\n..... painted";
    QTest::newRow("b.cells") << QByteArray("!b\nOOO\n") << ".....\n.OOO.\n.....\n..... painted";
    QTest::newRow("cut-short.txt") << QByteArray(" 1 \n\n 1 \n") << "O....\n ....\nO....\n....O painted";
    QTest::newRow("a.out") << QByteArray::fromHex("7f454c46ff000a") << ".....\n.....\n.....\n....O";
    QTest::newRow("empty") << QByteArray("") << ".....\n.....\n.....\n....O";
    QTest::newRow("/") << QByteArray() << ".....\n.....\n.....\n....O running";
    QTest::newRow("missing.rle") << QByteArray() << ".....\n.....\n.....\n....O running";
}

// Read, a drop, Ctrl+V and the command line: the same board, repaint and run.
void TestPatternSources::everyWayInReadsAlike()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, board);
    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath(QString::fromUtf8(QTest::currentDataTag()));
    QFile file(path);
    QVERIFY(content.isNull() || (file.open(QIODevice::WriteOnly) && file.write(content) >= 0));
    file.close();
    form->setPrompt([&](const QString &) { return path; });
    for (const QString way : { "menu", "drop", "paste", "command line" }) {
        form->Command2_Click();
        form->life().board().set(5, 4, Cell(1.0));
        form->Command4_Click();
        QMimeData data; // as a file manager drops: only once the drag was taken
        data.setUrls({ QUrl::fromLocalFile(path) });
        QDragEnterEvent enter(QPoint(40, 200), Qt::CopyAction, &data, Qt::LeftButton, {});
        QDropEvent drop(QPointF(40, 200), Qt::CopyAction, &data, Qt::LeftButton, {});
        if (way == u"drop" && (QApplication::sendEvent(form.get(), &enter), enter.isAccepted()))
            QApplication::sendEvent(form.get(), &drop);
        if (way == u"menu")
            form->mnu_read_Click();
        QGuiApplication::clipboard()->setText(QString::fromUtf8(content));
        if (way == u"paste" && !content.isNull()) // what is no file has no text
            QTest::keyClick(form.get(), Qt::Key_V, Qt::ControlModifier);
        if (way == u"command line")
            readStartFile(*form, path);
        const QString seen = livePicture(form->life()) + (form->gridDrawn() ? "" : " painted")
            + (form->timer()->isActive() ? " running" : "");
        QVERIFY2(seen == board, qPrintable(way + QStringLiteral(": ") + seen));
    }
}

// Only cells holding 1, as drawn, are copied; they paste back centred.
void TestPatternSources::copyGivesRleThatPastesBackCentred()
{
    form->Command2_Click();
    placeBoard(form->life().board(), 1, 1, QStringLiteral("O2O\n.OO\n.O."));
    QTest::keyClick(form.get(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(),
        "#C Copied from gridlore\nx = 3, y = 3, rule = B3/S23\nobo$b2o$bo!\n");
    form->Command2_Click();
    QTest::keyClick(form.get(), Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(livePicture(form->life()), QStringLiteral(".O.O.\n..OO.\n..O..\n....."));
}

QTEST_MAIN(TestPatternSources)
#include "test_patternsources.moc"
