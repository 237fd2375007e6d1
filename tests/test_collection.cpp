#include "form1fixture.h"
#include "patterns/patterntesting.h"
#include "platform/patterncollection.h"

class TestCollection : public QObject
{
    Q_OBJECT

private slots:
    void fileKeepsItsClaim_data();
    void fileKeepsItsClaim();
};

void TestCollection::fileKeepsItsClaim_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("beside"); // the collection's file put in the current folder as name
    for (const QString &name : QDir(gridlore::patternCollectionFolder()).entryList({ "*.rle" }))
        QTest::newRow(qPrintable(name)) << name << QString();
    QTest::newRow("glider.rle, blinker.rle as glider.rle here") << "glider.rle"
                                                                << "blinker.rle";
}

// Read by its bare name from a current folder without the collection, onto the
// largest board. Claims: "#C period P", with "moves DX DY" for a spaceship
// (here they fly right or down), or "#C population N at generation G".
void TestCollection::fileKeepsItsClaim()
{
    QFETCH(QString, name);
    QFETCH(QString, beside);
    QFile file(
        QDir(gridlore::patternCollectionFolder()).filePath(beside.isEmpty() ? name : beside));
    QTemporaryDir current;
    QVERIFY(beside.isEmpty() || file.copy(current.filePath(name)));
    const auto form = shownForm1();
    form->life().setBoardSize(150);
    QVERIFY(QDir::setCurrent(current.path()) && form->ReadFile(name) && file.open(QFile::ReadOnly));

    const auto claim = QRegularExpression(R"(\n#C (?:period (\d+)(?: moves (\d) (\d))?|)"
                                          R"(population (\d+) at generation (\d+))\n)")
                           .match(QString::fromUtf8(file.readAll()));
    const QString start = alivePicture(form->life()).remove(u'\n');
    const int period = claim.captured(1).toInt();
    for (int generation = 0; generation < period + claim.captured(5).toInt(); ++generation)
        form->life().step();
    const QString end = alivePicture(form->life()).remove(u'\n');
    // A move of (DX, DY) on the board is DY rows of 150 cells and DX along the picture.
    const int moves = claim.captured(3).toInt() * 150 + claim.captured(2).toInt();
    QCOMPARE(period ? end : QString::number(end.count(u'O')),
        period ? (QString(moves, u'.') + start).left(start.size()) : claim.captured(4));
}

QTEST_MAIN(TestCollection)
#include "test_collection.moc"
