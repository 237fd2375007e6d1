#include "platform/numbertext.h"
#include "platform/numbertext_qt.h"
#include "platform/twips.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace gridlore;

class TestNumberText : public QObject
{
    Q_OBJECT

private slots:
    void textToNumberReadsTheLeadingNumber_data();
    void textToNumberReadsTheLeadingNumber();
    void wholeNumberLines_data();
    void wholeNumberLines();
    void numberToTextFramesWithABlank_data();
    void numberToTextFramesWithABlank();
    void numberToTextReadsBack_data();
    void numberToTextReadsBack();
    void twipsConvertAtFifteenPerPixel_data();
    void twipsConvertAtFifteenPerPixel();
};

void TestNumberText::textToNumberReadsTheLeadingNumber_data()
{
    const double inf = std::numeric_limits<double>::infinity();
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    QTest::newRow("125") << "125" << 125.0;
    QTest::newRow("leading blanks and tab") << " \t 42" << 42.0;
    QTest::newRow("counter caption") << " 17世代目" << 17.0;
    QTest::newRow("first caption") << "1世代目" << 1.0;
    QTest::newRow("7.5") << "7.5" << 7.5;
    QTest::newRow(".5") << ".5" << 0.5;
    QTest::newRow("5.") << "5." << 5.0;
    QTest::newRow("-3") << "-3" << -3.0;
    QTest::newRow("+8") << "+8" << 8.0;
    QTest::newRow("1e3") << "1e3" << 1000.0;
    QTest::newRow("2.5E-1") << "2.5E-1" << 0.25;
    QTest::newRow("1e without digits") << "1e" << 1.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("blanks only") << "   " << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("lone sign") << "-" << 0.0;
    QTest::newRow("0x10") << "0x10" << 0.0;
    QTest::newRow("&H10") << "&H10" << 0.0;
    QTest::newRow("inf") << "inf" << 0.0;
    QTest::newRow("NaN") << "NaN" << 0.0;
    QTest::newRow("full-width digits") << "１２５" << 0.0;
    QTest::newRow("-0") << "-0" << 0.0;
    QTest::newRow("1e999") << "1e999" << inf;
    QTest::newRow("-1e999") << "-1e999" << -inf;
    QTest::newRow("400 digits") << QString(400, QLatin1Char('9')) << inf;
    QTest::newRow("1e-999") << "1e-999" << 0.0;
    QTest::newRow("huge exponent digits") << "1e99999999999999999999" << inf;
}

void TestNumberText::textToNumberReadsTheLeadingNumber()
{
    QFETCH(QString, text);
    QTEST(textToNumber(text), "number");
}

void TestNumberText::wholeNumberLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<double>("number");
    QTest::newRow(" 1 ") << " 1 " << true << 1.0;
    QTest::newRow("tabs around") << "\t2\t" << true << 2.0;
    QTest::newRow("-3 ") << "-3 " << true << -3.0;
    QTest::newRow("0.25") << "0.25" << true << 0.25;
    QTest::newRow("1e+15") << " 1e+15 " << true << 1e15;
    QTest::newRow("word") << "abc" << false << 0.0;
    QTest::newRow("trailing word") << " 1 x" << false << 0.0;
    QTest::newRow("two values") << "1,2" << false << 0.0;
    QTest::newRow("0x10") << "0x10" << false << 0.0;
    QTest::newRow("nan") << "nan" << false << 0.0;
    QTest::newRow("beyond double") << "1e999" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
}

void TestNumberText::wholeNumberLines()
{
    QFETCH(QString, line);
    QFETCH(bool, accepted);
    double value = 0;
    QCOMPARE(parseWholeNumber(line.toStdString(), value), accepted);
    if (accepted)
        QTEST(value, "number");
}

void TestNumberText::numberToTextFramesWithABlank_data()
{
    QTest::addColumn<double>("number");
    QTest::addColumn<QString>("text");
    QTest::newRow("2") << 2.0 << " 2";
    QTest::newRow("0") << 0.0 << " 0";
    QTest::newRow("-0") << -0.0 << " 0";
    QTest::newRow("-7") << -7.0 << "-7";
    QTest::newRow("0.5") << 0.5 << " 0.5";
    QTest::newRow("999999999999999") << 999999999999999.0 << " 999999999999999";
    QTest::newRow("1e15") << 1e15 << " 1e+15";
    QTest::newRow("0.1") << 0.1 << " 0.1";
    QTest::newRow("-2.5") << -2.5 << "-2.5";
}

void TestNumberText::numberToTextFramesWithABlank()
{
    QFETCH(double, number);
    QTEST(numberToQString(number), "text");
}

void TestNumberText::numberToTextReadsBack_data()
{
    QTest::addColumn<double>("number");
    QTest::newRow("1/3") << 1.0 / 3.0;
    QTest::newRow("0.1+0.2") << 0.1 + 0.2;
    QTest::newRow("largest double") << std::numeric_limits<double>::max();
    QTest::newRow("smallest denormal") << std::numeric_limits<double>::denorm_min();
    QTest::newRow("-123456.789") << -123456.789;
    QTest::newRow("2^60") << std::ldexp(1.0, 60);
}

void TestNumberText::numberToTextReadsBack()
{
    QFETCH(double, number);
    const QString text = numberToQString(number);
    QCOMPARE(textToNumber(text), number);
}

void TestNumberText::twipsConvertAtFifteenPerPixel_data()
{
    QTest::addColumn<double>("twips");
    QTest::addColumn<double>("pixels");
    QTest::addColumn<int>("rounded");
    QTest::newRow("client width 10200") << 10200.0 << 680.0 << 680;
    QTest::newRow("panel height 615") << 615.0 << 41.0 << 41;
    QTest::newRow("grid top 1014.75") << 1014.75 << 67.65 << 68;
    QTest::newRow("half pixel 7.5") << 7.5 << 0.5 << 1;
}

void TestNumberText::twipsConvertAtFifteenPerPixel()
{
    QFETCH(double, twips);
    QFETCH(double, pixels);
    QFETCH(int, rounded);
    QCOMPARE(twips::toPixels(twips), pixels);
    QCOMPARE(twips::fromPixels(pixels), twips);
    QCOMPARE(twips::toPoint(twips, twips), QPoint(rounded, rounded));
}

QTEST_MAIN(TestNumberText)
#include "test_numbertext.moc"
