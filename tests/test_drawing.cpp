#include "platform/drawingsurface.h"

#include <QtTest>

#include <random>

using gridlore::DrawingSurface;

class TestDrawing : public QObject
{
    Q_OBJECT

private slots:
    void drawingIsKept();
    void stampedMarksEqualPrintedText_data();
    void stampedMarksEqualPrintedText();
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

void TestDrawing::stampedMarksEqualPrintedText_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<double>("fontSize");
    QTest::addColumn<bool>("antialiased");
    QTest::addColumn<bool>("stamped"); // not left to Qt: the sizes a board is painted at most
    QTest::newRow("150, antialiased") << 150 << 9.0 << true << true;
    QTest::newRow("150, antialiased, overlapping") << 150 << 24.0 << true << true;
    QTest::newRow("10, antialiased, 99.75") << 10 << 99.75 << true << false;
    QTest::newRow("7, 60, past the lower edge") << 7 << 60.0 << false << false;
}

// Many marks at once give exactly what printing each as text gives,
// generation after generation, black over white and white over black.
void TestDrawing::stampedMarksEqualPrintedText()
{
    QFETCH(int, columns);
    QFETCH(double, fontSize);
    QFETCH(bool, antialiased);
    const double pitch = 10200.0 / columns;
    DrawingSurface fast, plain;
    for (DrawingSurface *s : { &fast, &plain }) {
        s->resize(680, 555);
        s->setBackColor(Qt::white);
        for (double x = 0; x <= 10200; x += pitch)
            s->line(x, 1014.75, x, 7650, QColor(200, 200, 200));
        QFont font(QStringLiteral("IPAPGothic"));
        font.setStyleStrategy(antialiased ? QFont::PreferDefault : QFont::NoAntialias);
        s->setFont(font);
        s->setFontSize(fontSize);
    }
    const QString mark = QStringLiteral("*");
    std::mt19937 random(columns);
    std::vector<DrawingSurface::TextPrint> prints;
    for (int generation = 0; generation < 3; ++generation) {
        prints.clear();
        for (int i = 1; i <= columns; ++i)
            for (int j = 1; j <= int(0.8 * columns); ++j)
                prints.push_back({ pitch * (i - 1), pitch * (j - 1) + 900,
                    random() % 3 ? qRgb(255, 255, 255) : qRgb(0, 0, 0) });
        fast.printMany(mark, prints);
        for (const auto &at : prints) {
            plain.setForeColor(QColor::fromRgb(at.colour));
            plain.setCurrentX(at.x);
            plain.setCurrentY(at.y);
            plain.print(mark);
        }
        QCOMPARE(fast.image(), plain.image());
    }
    // The fast way was taken: not the same code painting twice.
    gridlore::TextStamper stamper;
    QFETCH(bool, stamped);
    QVERIFY(!stamped || stamper.prepare(fast.image(), fast.font(), mark));
}

QTEST_MAIN(TestDrawing)
#include "test_drawing.moc"
