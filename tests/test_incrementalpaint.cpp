#include "form1fixture.h"

#include <QtTest>

// Each generation paints only the marks that changed; a second window, reset
// and given the same board, paints every mark afresh. The pictures must agree
// generation after generation, also where marks lie over their neighbours and
// after presses, which print one mark on its own.
class TestIncrementalPaint : public QObject
{
    Q_OBJECT

private slots:
    void generationsPaintAsEveryMarkAfresh_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<double>("points"); // 0: fitted to the cells
        QTest::newRow("150") << "150" << 0.0;
        QTest::newRow("60, marks over their neighbours") << "60" << 48.0;
        QTest::newRow("10, marks too large to stamp") << "10" << 0.0;
    }

    void generationsPaintAsEveryMarkAfresh()
    {
        QFETCH(QString, size);
        QFETCH(double, points);
        auto form = shownForm1(), fresh = shownForm1();
        control<QLineEdit>(*form, "Text2")->setText(size);
        control<QLineEdit>(*fresh, "Text2")->setText(size);
        form->Command2_Click();
        form->surface()->setFontSize(points > 0 ? points : form->surface()->fontSize());
        // A third alive, scattered by a multiplicative hash, over the live
        // area, its ring and beyond.
        for (unsigned k = 0; k < 201 * 201; ++k)
            form->life().board().set(
                k / 201, k % 201, gridlore::Cell((k * 2654435761u >> 16) % 3 == 0));
        for (int generation = 1; generation <= 30; ++generation) {
            if (generation % 10 == 0) // on a cell in the board's top left
                QTest::mousePress(form->surface(), Qt::LeftButton, {}, QPoint(30, 90));
            form->Command3_Click();
            fresh->Command2_Click();
            fresh->surface()->setFontSize(points > 0 ? points : fresh->surface()->fontSize());
            fresh->life() = form->life();
            fresh->DrawCells();
            QVERIFY(form->surface()->image() == fresh->surface()->image());
        }
    }
};

QTEST_MAIN(TestIncrementalPaint)
#include "test_incrementalpaint.moc"
