#include "platform/numbertext_qt.h"

#include <QtTest>

#include <limits>

using namespace gridlore;

class TestNumberText : public QObject
{
    Q_OBJECT

private slots:
    void textToNumber_data();
    void textToNumber();
    void numberToText_data();
    void numberToText();
};

// The number the text begins with, leading blanks skipped; 0 if none.
void TestNumberText::textToNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    const QList<std::pair<const char *, double>> rows { { "125", 125 }, { " \t 42", 42 },
        { " 17世代目", 17 }, { "1世代目", 1 }, { "7.5", 7.5 }, { ".5", 0.5 }, { "5.", 5 },
        { "-3", -3 }, { "+8", 8 }, { "2.5E-1", 0.25 }, { "1e", 1 }, { "20ms", 20 }, { "", 0 },
        { "   ", 0 }, { "abc", 0 }, { "-", 0 }, { "0x10", 0 }, { "&H10", 0 }, { "inf", 0 },
        { "NaN", 0 }, { "１２５", 0 }, { "1e999", qInf() }, { "-1e999", -qInf() }, { "1e-999", 0 },
        { "1e99999999999999999999", qInf() } };
    for (const auto &[text, number] : rows)
        QTest::newRow(text) << QString::fromUtf8(text) << number;
    QTest::newRow("400 nines") << QString(400, QLatin1Char('9')) << qInf();
}

void TestNumberText::textToNumber()
{
    QFETCH(QString, text);
    QTEST(gridlore::textToNumber(text), "number");
}

// Led by a blank unless negative, and read back as the same double.
void TestNumberText::numberToText_data()
{
    QTest::addColumn<double>("number");
    QTest::addColumn<QString>("text");
    const QList<std::pair<double, const char *>> rows { { 2, " 2" }, { -0.0, " 0" }, { -7, "-7" },
        { 0.1, " 0.1" }, { 999999999999999, " 999999999999999" }, { 1e15, " 1e+15" },
        { 1.0 / 3, " 0.3333333333333333" }, { -2.5e-7, "-2.5e-07" },
        { std::numeric_limits<double>::max(), " 1.7976931348623157e+308" },
        { std::numeric_limits<double>::denorm_min(), " 5e-324" } };
    for (const auto &[number, text] : rows)
        QTest::newRow(text) << number << QString::fromLatin1(text);
}

void TestNumberText::numberToText()
{
    QFETCH(double, number);
    QTEST(numberToQString(number), "text");
    QCOMPARE(gridlore::textToNumber(numberToQString(number)), number);
}

QTEST_APPLESS_MAIN(TestNumberText)
#include "test_numbertext.moc"
