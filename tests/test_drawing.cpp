#include "platform/drawingsurface.h"

#include <QtTest>

using gridlore::DrawingSurface;

class TestDrawing : public QObject
{
    Q_OBJECT

private slots:
    void drawingIsKept();
};

// What is drawn stays through a shrink and a regrowth, uncovered area comes
// in the background colour, and a huge image shrinks with the window.
void TestDrawing::drawingIsKept()
{
    DrawingSurface surface;
    surface.resize(200, 150);
    surface.show();
    QVERIFY(QTest::qWaitForWindowExposed(&surface));
    surface.setBackColor(Qt::red);
    surface.line(0, 1500, 2985, 1500, Qt::black);
    surface.resize(50, 40);
    surface.resize(300, 200);
    QTRY_COMPARE(surface.image().size(), QSize(300, 200));
    QCOMPARE(surface.image().pixelColor(190, 100), QColor(Qt::black));
    QCOMPARE(surface.image().pixelColor(250, 180), QColor(Qt::red));
    QCOMPARE(surface.grab().toImage().pixelColor(190, 100), QColor(Qt::black));
    surface.resize(4200, 4900); // and the memory of a huge window comes back
    surface.resize(600, 700);
    QTRY_VERIFY(surface.image().sizeInBytes() <= 2 * 4 * 600 * 700);
}

QTEST_MAIN(TestDrawing)
#include "test_drawing.moc"
