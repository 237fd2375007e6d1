#include "platform/drawingsurface.h"

#include <QtTest>

#include <random>

using gridlore::DrawingSurface;

namespace {

// A surface as the board leaves it: white, a grey grid with a darker border.
std::unique_ptr<DrawingSurface> gridSurface(double pitch)
{
    auto surface = std::make_unique<DrawingSurface>();
    surface->resize(680, 555);
    surface->show();
    surface->setBackColor(Qt::white);
    for (double x = 0; x <= 10200; x += pitch)
        surface->line(x, 1014.75, x, 7650, QColor(200, 200, 200));
    for (double y = 0; y <= 7650 - 1014.75; y += pitch)
        surface->line(0, 1014.75 + y, 10200, 1014.75 + y, QColor(200, 200, 200));
    surface->rectangle(0, 1014.75, 10200, 7650, QColor(150, 150, 150));
    return surface;
}

} // namespace

class TestFastPaint : public QObject
{
    Q_OBJECT

private slots:
    void stampedMarksEqualPrintedText_data();
    void stampedMarksEqualPrintedText();
};

void TestFastPaint::stampedMarksEqualPrintedText_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<double>("fontSize");
    QTest::addColumn<bool>("antialiased");
    QTest::addColumn<bool>("mustStamp"); // the sizes a board is painted at most
    QTest::newRow("150 columns, fitted") << 150 << 9.0 << false << true;
    QTest::newRow("125 columns, fitted") << 125 << 10.5 << false << true;
    QTest::newRow("37 columns") << 37 << 30.0 << false << true;
    QTest::newRow("10 columns, large glyphs") << 10 << 99.75 << false << false;
    QTest::newRow("7.5 columns, marks past the lower edge") << 7 << 60.0 << false << false;
    QTest::newRow("150 columns, antialiased") << 150 << 9.0 << true << true;
    QTest::newRow("150 columns, antialiased, overlapping") << 150 << 24.0 << true << true;
    QTest::newRow("10 columns, antialiased, large glyphs") << 10 << 99.75 << true << false;
}

// The fast paint must give exactly what printing each mark as text gives,
// generation after generation, black over white and white over black.
void TestFastPaint::stampedMarksEqualPrintedText()
{
    QFETCH(int, columns);
    QFETCH(double, fontSize);
    QFETCH(bool, antialiased);
    const double pitch = 10200.0 / columns;
    const int rows = static_cast<int>(0.8 * columns);
    auto fast = gridSurface(pitch);
    auto plain = gridSurface(pitch);
    for (DrawingSurface *s : { fast.get(), plain.get() }) {
        QFont font(QStringLiteral("IPAPGothic"));
        font.setStyleStrategy(antialiased ? QFont::PreferDefault : QFont::NoAntialias);
        s->setFont(font);
        s->setFontSize(fontSize);
    }
    const QString mark = QStringLiteral("*");
    const float quarter = static_cast<float>(plain->textHeight(mark)) / 4.0f;
    std::mt19937 random(columns);
    std::vector<DrawingSurface::TextPrint> prints;
    for (int generation = 0; generation < 4; ++generation) {
        prints.clear();
        for (int i = 1; i <= columns; ++i)
            for (int j = 1; j <= rows; ++j)
                prints.push_back({ static_cast<float>(pitch * (i - 1)),
                    static_cast<float>(pitch * (j - 1) + 1014.75 - quarter),
                    random() % 3 == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255) });
        fast->printMany(mark, prints);
        for (const auto &at : prints) {
            plain->setForeColor(QColor::fromRgb(at.colour));
            plain->setCurrentX(at.x);
            plain->setCurrentY(at.y);
            plain->print(mark);
        }
        QCOMPARE(fast->image(), plain->image());
    }
    // And the fast way was taken: it is not the same code painting twice.
    QFETCH(bool, mustStamp);
    gridlore::TextStamper stamper;
    if (mustStamp)
        QVERIFY(stamper.prepare(fast->image(), fast->font(), mark));
}

QTEST_MAIN(TestFastPaint)
#include "test_fastpaint.moc"
