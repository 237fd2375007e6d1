#include <QtTest>

class TestEngine : public QObject
{
    Q_OBJECT
};

QTEST_MAIN(TestEngine)
#include "test_engine.moc"
