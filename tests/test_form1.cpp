#include <QtTest>

class TestForm1 : public QObject
{
    Q_OBJECT
};

QTEST_MAIN(TestForm1)
#include "test_form1.moc"
