#include "patterns/patterntesting.h"

class TestLifeFormats : public QObject
{
    Q_OBJECT

private slots:
    void readPlacesTheCellsCentred_data();
    void readPlacesTheCellsCentred();
};

// The 5 x 4 live area after the read, rows split by '/'. Before it, the only
// live cell was the top-left one, which a placed pattern clears. The first two
// files are written as the LifeWiki's examples are, the third as Golly's.
void TestLifeFormats::readPlacesTheCellsCentred_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("picture");
    const char *glider = "..O../...O./.OOO./.....";
    // clang-format off
    QTest::newRow("1.06 LF") << "#Life 1.06\n0 -1\n1 0\n-1 1\n0 1\n1 1" << glider;
    QTest::newRow("1.05 CRLF") << "#Life 1.05\r\n#D G\r\n#P -1 -1\r\n.*.\r\n..*\r\n***" << glider;
    QTest::newRow("Golly CR, x stops") << "#Life 1.05\r#R 23/3\r#P\r.*\r..*\r***\rx\r*" << glider;
    QTest::newRow("two #P, wide") << "#Life 1.05\n*******\n#P 2 2\n*" << "OOOOO/...../.O.../.....";
    QTest::newRow("#R B36/S23") << "#Life 1.05\n#R B36/S23\n*" << "O..../...../...../.....";
    QTest::newRow("1.06 x stops") << "#Life 1.06\n0 0\n2 0\nx\n0 3" << "...../.O.O./...../.....";
    // clang-format on
}

void TestLifeFormats::readPlacesTheCellsCentred()
{
    QFETCH(QString, file);
    QFETCH(QString, picture);
    gridlore::Life life = clearedLife(5);
    life.board().set(1, 1, gridlore::Cell(1.0));
    readBytes(file.toUtf8(), life);
    QCOMPARE(alivePicture(life), picture.replace(u'/', u'\n'));
}

QTEST_GUILESS_MAIN(TestLifeFormats)
#include "test_lifeformats.moc"
