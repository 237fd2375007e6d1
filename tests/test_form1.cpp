#include "form1fixture.h"
#include "platform/twips.h"

#include <QAction>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QtTest>

using namespace gridlore;

namespace {

const QRgb GridGrey = qRgb(200, 200, 200);

// Pixel rows and columns of the grey grid lines crossing the given line of
// the surface image.
QList<int> greyColumns(const QImage &image, int y)
{
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, y) == GridGrey)
            columns << x;
    return columns;
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void startsWithItsDesignState();
    void panelControlsSitWhereLaidOut_data();
    void panelControlsSitWhereLaidOut();
    void menusCarryTheirCaptions();
    void gridAtTheDefaultSize();
    void fontFitsTheCells_data();
    void fontFitsTheCells();
    void resizeRightAfterSetUpKeepsTheGrid();
    void resizeAfterDrawCellsRebuilds();
    void minimisedWindowNeverLaysOutEmptyCells();
    void drawCellsPaintsLiveBlackAndOthersWhite();
    void endClosesEveryWindow();
};

void TestForm1::startsWithItsDesignState()
{
    auto form = shownForm1();
    QVERIFY(form);
    QCOMPARE(form->windowTitle(), QStringLiteral("Form1"));
    QCOMPARE(counter(*form), QStringLiteral("1世代目"));
    QCOMPARE(control<QLineEdit>(*form, "Text2")->text(), QStringLiteral("125"));
    QCOMPARE(control<QLineEdit>(*form, "Text1")->text(), QStringLiteral("1000"));
    QCOMPARE(control<QPushButton>(*form, "Command4")->text(), QStringLiteral("自動"));
    QVERIFY(!form->timer()->isActive());
    QCOMPARE(form->timer()->interval(), 1000);
    QCOMPARE(form->surface()->size(), QSize(680, 555));
    QCOMPARE(QApplication::focusWidget(), control<QPushButton>(*form, "Command1"));
    QCOMPARE(form->life().boardSize(), 125.0);
    QCOMPARE(form->gridDrawn(), 1);

    // Focus walks End, Reset, 次世代, 自動, interval, size.
    QStringList order;
    QWidget *w = control<QPushButton>(*form, "Command1");
    for (int n = 0; n < 6; ++n, w = w->nextInFocusChain()) {
        while (w->focusPolicy() == Qt::NoFocus)
            w = w->nextInFocusChain();
        order << w->objectName();
    }
    QCOMPARE(
        order, QStringList({ "Command1", "Command2", "Command3", "Command4", "Text1", "Text2" }));
}

void TestForm1::panelControlsSitWhereLaidOut_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("twipsRect");
    QTest::newRow("Frame1") << "Frame1"
                            << "" << QRect(120, 120, 10095, 615);
    QTest::newRow("Text2") << "Text2"
                           << "125" << QRect(4800, 240, 615, 285);
    QTest::newRow("Text1") << "Text1"
                           << "1000" << QRect(5880, 240, 615, 285);
    QTest::newRow("Command4") << "Command4"
                              << "自動" << QRect(1560, 233, 1575, 255);
    QTest::newRow("Command3") << "Command3"
                              << "次世代" << QRect(240, 210, 1095, 300);
    QTest::newRow("Command2") << "Command2"
                              << "Reset" << QRect(6960, 240, 975, 300);
    QTest::newRow("Command1") << "Command1"
                              << "End" << QRect(8400, 240, 855, 300);
    QTest::newRow("Label3") << "Label3"
                            << "枠" << QRect(5520, 240, 375, 255);
    QTest::newRow("Label2") << "Label2"
                            << "ms" << QRect(6480, 240, 615, 255);
    QTest::newRow("Label1") << "Label1"
                            << "1世代目" << QRect(3480, 240, 1095, 255);
}

void TestForm1::panelControlsSitWhereLaidOut()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QRect, twipsRect);
    auto form = shownForm1();
    QVERIFY(form);
    auto *widget = form->findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(),
        twips::toRect(twipsRect.x(), twipsRect.y(), twipsRect.width(), twipsRect.height()));
    if (auto *button = qobject_cast<QPushButton *>(widget))
        QCOMPARE(button->text(), text);
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        QCOMPARE(label->text(), text);
        QCOMPARE(label->palette().color(QPalette::Window), QColor(Qt::white));
    }
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        QCOMPARE(edit->text(), text);
}

void TestForm1::menusCarryTheirCaptions()
{
    auto form = shownForm1();
    QVERIFY(form);
    QStringList captions;
    for (QAction *menu : form->menuBar()->actions()) {
        captions << menu->text();
        for (QAction *item : menu->menu()->actions())
            captions << (item->isSeparator() ? QStringLiteral("-") : item->text());
    }
    QCOMPARE(captions,
        QStringList({ "File(&F)", "Read(&R)", "Save(&S)", "-", "End(&E)", "Help(&H)",
            "Gridloreとは", "-", "バージョン" }));
}

void TestForm1::gridAtTheDefaultSize()
{
    auto form = shownForm1();
    QVERIFY(form);
    // Frame1 is 615 twips high: the grid starts 1.5 x 676.5 = 1014.75 twips
    // (pixel 67.65) down.
    QCOMPARE(form->topMargin(), 676.5);
    QCOMPARE(form->cellWidth(), 10200.0 / 125);
    const QImage &image = form->surface()->image();
    QCOMPARE(image.pixel(300, 68), qRgb(150, 150, 150)); // border rectangle's top
    QCOMPARE(image.pixel(300, 67), qRgb(255, 255, 255));
    // 125 columns of equal width fill the width: a line every 5.44 pixels.
    const int y = 70;
    const QList<int> columns = greyColumns(image, y);
    QCOMPARE(columns.size(), 124); // x = 0 is the border's left edge
    for (int k = 1; k <= 124; ++k)
        QCOMPARE(columns[k - 1], qRound(k * 680.0 / 125));
    QCOMPARE(image.pixel(0, y), qRgb(150, 150, 150));
    // Horizontal lines continue down to the surface height less the margin.
    const int lastLine = qRound((555 * 15 - 676.5) / 15);
    QCOMPARE(image.pixel(3, lastLine), qRgb(150, 150, 150));
    QCOMPARE(image.pixel(3, lastLine + 2), qRgb(255, 255, 255));
}

void TestForm1::fontFitsTheCells_data()
{
    QTest::addColumn<QString>("size");
    QTest::newRow("125") << "125";
    QTest::newRow("150") << "150";
    QTest::newRow("10") << "10";
    QTest::newRow("5") << "5";
}

void TestForm1::fontFitsTheCells()
{
    QFETCH(QString, size);
    auto form = shownForm1();
    QVERIFY(form);
    control<QLineEdit>(*form, "Text2")->setText(size);
    form->Command2_Click();
    DrawingSurface *surface = form->surface();
    const double fitted = surface->fontSize();
    QVERIFY(surface->textWidth(QStringLiteral("*")) <= form->cellWidth());
    if (fitted < 99.75) {
        // The next size up, one pixel larger, would not fit.
        surface->setFontSize(fitted + 0.75);
        QVERIFY(surface->textWidth(QStringLiteral("*")) > form->cellWidth());
    }
}

void TestForm1::resizeRightAfterSetUpKeepsTheGrid()
{
    auto form = shownForm1();
    QVERIFY(form);
    form->life().board().set(3, 3, Cell(1.0));
    const QImage before = form->surface()->image().copy(0, 0, 680, 555);
    form->resize(form->width() + 150, form->height() + 60);
    QTRY_COMPARE(form->surface()->width(), 830);
    QCOMPARE(form->cellWidth(), 10200.0 / 125);
    QCOMPARE(form->surface()->image().copy(0, 0, 680, 555), before);
    QVERIFY(form->life().board().at(3, 3) == Cell(0.0));
}

void TestForm1::resizeAfterDrawCellsRebuilds()
{
    auto form = shownForm1();
    QVERIFY(form);
    form->DrawCells();
    QCOMPARE(form->gridDrawn(), 0);
    form->life().board().set(3, 3, Cell(1.0));
    form->resize(form->width() + 150, form->height());
    QTRY_COMPARE(form->gridDrawn(), 1);
    QCOMPARE(form->cellWidth(), 830 * 15.0 / 125);
    QVERIFY(form->life().board().at(3, 3) == Cell(0.0));
    // The grid now reaches the new right edge.
    QCOMPARE(form->surface()->image().pixel(qRound(124 * 830.0 / 125), 100), GridGrey);
}

void TestForm1::minimisedWindowNeverLaysOutEmptyCells()
{
    auto form = shownForm1();
    QVERIFY(form);
    form->DrawCells();
    form->showMinimized();
    QTRY_VERIFY(form->isMinimized());
    form->SetUpBoard(); // as the minimise itself does on platforms that report it
    QCOMPARE(form->gridDrawn(), 0);
    QVERIFY(form->cellWidth() > 0);
    form->showNormal();
    QTRY_VERIFY(!form->isMinimized());
    form->SetUpBoard();
    QCOMPARE(form->gridDrawn(), 1);
    QCOMPARE(form->cellWidth(), 10200.0 / 125);
}

void TestForm1::drawCellsPaintsLiveBlackAndOthersWhite()
{
    auto form = shownForm1();
    QVERIFY(form);
    control<QLineEdit>(*form, "Text2")->setText(QStringLiteral("10"));
    form->Command2_Click();
    form->life().board().set(2, 2, Cell(1.0));
    form->life().board().set(4, 2, Cell(2.0));
    form->DrawCells();
    const QImage &image = form->surface()->image();
    auto darkIn = [&](int column, int row) {
        const QPointF c = cellCentre(*form, column, row) / 15;
        const int half = int(form->cellWidth() / 15 / 2) - 1;
        int dark = 0;
        for (int y = int(c.y()) - half; y <= int(c.y()) + half; ++y)
            for (int x = int(c.x()) - half; x <= int(c.x()) + half; ++x)
                dark += qGray(image.pixel(x, y)) < 100;
        return dark;
    };
    QVERIFY(darkIn(2, 2) > 20);
    QCOMPARE(darkIn(4, 2), 0); // 2 is live to the step but drawn white
    QCOMPARE(darkIn(3, 3), 0);
    form->life().board().set(2, 2, Cell(0.0));
    form->DrawCells();
    QCOMPARE(darkIn(2, 2), 0);
}

void TestForm1::endClosesEveryWindow()
{
    auto form = shownForm1();
    QVERIFY(form);
    form->mnu_about_Click();
    form->mnu_lecture_Click();
    QTRY_VERIFY(form->aboutBox() && form->aboutBox()->isVisible());
    control<QPushButton>(*form, "Command1")->click();
    QTRY_VERIFY(!form->isVisible());
    QTRY_VERIFY(!form->aboutBox());
    QTRY_VERIFY(!form->helpViewer());
}

QTEST_MAIN(TestForm1)
#include "test_form1.moc"
