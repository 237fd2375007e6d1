#include "platform/application.h"
#include "platform/textstamper.h"

#include <QPainter>
#include <QtTest>

#include <random>

using gridlore::TextStamper;

class TestTextStamper : public QObject
{
    Q_OBJECT

private slots:
    void stampsWhereDrawTextPrints_data();
    void stampsWhereDrawTextPrints();
};

void TestTextStamper::stampsWhereDrawTextPrints_data()
{
    QTest::addColumn<int>("pixels"); // the font's size
    QTest::addColumn<double>("ratio"); // the image's device pixels to a pixel
    QTest::addColumn<bool>("antialiased");
    QTest::addColumn<bool>("stamps"); // whether prepare() takes it on
    for (const int pixels : { 12, 14, 30 })
        for (const double ratio : { 1.0, 1.25, 1.5, 2.0 })
            QTest::addRow("%d px at %g", pixels, ratio) << pixels << ratio << false << true;
    // Qt draws a glyph this large as an outline, with grey edges.
    QTest::newRow("61 px at 1.25") << 61 << 1.25 << false << false;
    QTest::newRow("14 px antialiased") << 14 << 1.0 << true << false;
}

// The asterisk printed at random points, black and white in turn, each over
// what is there: stamped wherever the stamper takes the font on, it leaves
// the pixels that drawText leaves.
void TestTextStamper::stampsWhereDrawTextPrints()
{
    QFETCH(int, pixels);
    QFETCH(double, ratio);
    QFETCH(bool, antialiased);
    QFETCH(bool, stamps);
    QFont font = gridlore::japaneseFont(9.75);
    font.setPixelSize(pixels);
    if (!antialiased)
        font.setStyleStrategy(QFont::NoAntialias);
    const QString text = QStringLiteral("*");
    QImage byQt(400, 400, QImage::Format_RGB32);
    byQt.setDevicePixelRatio(ratio);
    byQt.fill(Qt::white);
    QImage stamped = byQt.copy();
    TextStamper stamper;
    QCOMPARE(stamper.prepare(stamped, font, text), stamps);
    if (!stamps)
        return; // the program prints with drawText itself
    std::mt19937 random(11);
    std::uniform_real_distribution<double> across(0, 300 / ratio), down(80 / ratio, 360 / ratio);
    for (int n = 0; n < 300; ++n) {
        const QPointF at(across(random), down(random));
        const QColor colour = n % 2 ? Qt::black : Qt::white;
        QPainter painter(&byQt);
        painter.setFont(font);
        painter.setPen(colour);
        painter.drawText(at, text);
        painter.end();
        const QPoint corner(stamper.left(at.x()), stamper.top(at.y()));
        QVERIFY(corner.x() != TextStamper::Unknown && corner.y() != TextStamper::Unknown);
        stamper.stamp(stamped, corner, colour.rgb());
        QVERIFY2(stamped == byQt, qPrintable(QString::asprintf("at %.17g, %.17g", at.x(), at.y())));
    }
}

QTEST_MAIN(TestTextStamper)
#include "test_textstamper.moc"
