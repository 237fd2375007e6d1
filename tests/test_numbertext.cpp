#include <QtTest>

class TestNumbertext : public QObject
{
    Q_OBJECT
};

QTEST_MAIN(TestNumbertext)
#include "test_numbertext.moc"
