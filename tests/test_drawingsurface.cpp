#include <QtTest>

class TestDrawingsurface : public QObject
{
    Q_OBJECT
};

QTEST_MAIN(TestDrawingsurface)
#include "test_drawingsurface.moc"
