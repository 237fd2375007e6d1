#include "platform/application.h"
#include "platform/drawingsurface.h"

#include <QtTest>

using gridlore::DrawingSurface;

namespace {

int darkPixels(const QImage &image, const QRect &area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += qGray(image.pixel(x, y)) < 128;
    return count;
}

} // namespace

class TestDrawingSurface : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void linesLandOnRoundedPixels();
    void backColourRepaintsEverything();
    void drawingSurvivesGrowingAndShrinking();
    void fontSizeTakesEffectInWholePixels_data();
    void fontSizeTakesEffectInWholePixels();
    void printedTextIsTransparentAndAtTheTextPosition();
    void japaneseFontFallsBackToIPAPGothic();

private:
    DrawingSurface *surface = nullptr;
};

void TestDrawingSurface::init()
{
    surface = new DrawingSurface;
    surface->resize(200, 150);
    surface->show();
    QVERIFY(QTest::qWaitForWindowExposed(surface));
    surface->setBackColor(Qt::white);
}

void TestDrawingSurface::cleanup()
{
    delete surface;
}

void TestDrawingSurface::linesLandOnRoundedPixels()
{
    // 1014.75 twips is 67.65 pixels: the line lies on pixel row 68.
    surface->line(0, 1014.75, 1500, 1014.75, QColor(200, 200, 200));
    const QImage &image = surface->image();
    QCOMPARE(image.pixelColor(50, 68), QColor(200, 200, 200));
    QCOMPARE(image.pixelColor(50, 67), QColor(Qt::white));
    QCOMPARE(image.pixelColor(50, 69), QColor(Qt::white));
}

void TestDrawingSurface::backColourRepaintsEverything()
{
    surface->line(0, 0, 3000, 2250, Qt::black);
    surface->setBackColor(Qt::red);
    // Both points lay on the line.
    QCOMPARE(surface->image().pixelColor(0, 0), QColor(Qt::red));
    QCOMPARE(surface->image().pixelColor(100, 75), QColor(Qt::red));
}

void TestDrawingSurface::drawingSurvivesGrowingAndShrinking()
{
    surface->line(0, 1500, 2985, 1500, Qt::black);
    surface->resize(50, 40);
    surface->resize(300, 200);
    QCOMPARE(surface->image().pixelColor(190, 100), QColor(Qt::black));
    // New area is in the background colour.
    QCOMPARE(surface->image().pixelColor(250, 180), QColor(Qt::white));
    QCOMPARE(surface->scaleWidth(), 300 * 15.0);
    QCOMPARE(surface->scaleHeight(), 200 * 15.0);
}

void TestDrawingSurface::fontSizeTakesEffectInWholePixels_data()
{
    QTest::addColumn<double>("asked");
    QTest::addColumn<double>("inEffect");
    QTest::newRow("9.75 is 13 px") << 9.75 << 9.75;
    QTest::newRow("100 is 133 px") << 100.0 << 99.75;
    QTest::newRow("99.25 is 132 px") << 99.25 << 99.0;
    QTest::newRow("1 is 1 px") << 1.0 << 0.75;
    QTest::newRow("0.1 still 1 px") << 0.1 << 0.75;
    QTest::newRow("negative still 1 px") << -5.0 << 0.75;
}

void TestDrawingSurface::fontSizeTakesEffectInWholePixels()
{
    QFETCH(double, asked);
    surface->setFontSize(asked);
    QTEST(surface->fontSize(), "inEffect");
}

void TestDrawingSurface::printedTextIsTransparentAndAtTheTextPosition()
{
    surface->setBackColor(Qt::white);
    surface->line(0, 300, 2985, 300, QColor(200, 200, 200));
    surface->setFontSize(20);
    surface->setForeColor(Qt::black);
    surface->setCurrentX(600);
    surface->setCurrentY(150);
    surface->print(QStringLiteral("*"));
    const QRect box(40, 10, qCeil(surface->textWidth(QStringLiteral("*")) / 15) + 1,
        qCeil(surface->textHeight(QStringLiteral("*")) / 15) + 1);
    QVERIFY(darkPixels(surface->image(), box) > 5);
    QCOMPARE(darkPixels(surface->image(), QRect(0, 0, 40, 150)), 0);
    // The background between the strokes is left alone: the grid line shows.
    QCOMPARE(surface->image().pixelColor(41, 20), QColor(200, 200, 200));
}

// This machine has no ＭＳ Ｐゴシック; its metric-compatible stand-in is what
// every window must get.
void TestDrawingSurface::japaneseFontFallsBackToIPAPGothic()
{
    const QFont font = gridlore::japaneseFont(9.75);
    QCOMPARE(QFontInfo(font).family(), QStringLiteral("IPAPGothic"));
    QCOMPARE(font.pointSizeF(), 9.75);
    QVERIFY(QFontMetrics(font).inFont(QChar(u'世')));
}

QTEST_MAIN(TestDrawingSurface)
#include "test_drawingsurface.moc"
