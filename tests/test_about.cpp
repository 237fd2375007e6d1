#include "about/frmabout.h"
#include "form1fixture.h"

#include <QPointer>
#include <QScreen>
#include <QtTest>

using gridlore::Form1;
using gridlore::frmAbout;

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void designState();
    void lifecycle_data();
    void lifecycle();
};

// Every control at its place in pixels (the layout's twips, rounded by hand),
// the fixed texts, the etched separator as shown, and the focus on OK.
void TestAbout::designState()
{
    Form1 form;
    form.mnu_about_Click();
    frmAbout *dialog = form.aboutBox();
    QVERIFY(dialog && QTest::qWaitForWindowExposed(dialog));
    QStringList shown { dialog->windowTitle(), dialog->focusWidget()->objectName() };
    for (const QWidget *w : dialog->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        shown << describe(w).section(u' ', 0, 2);
    shown << dialog->findChild<QWidget *>("lblTitle")->property("text").toString();
    const QImage picture = dialog->grab().toImage();
    shown << picture.pixelColor(200, 163).name() << picture.pixelColor(200, 165).name();
    QCOMPARE(shown,
        QStringList({ "gridloreのﾊﾞｰｼﾞｮﾝ情報", "cmdOK", "cmdOK 288,280 92x23",
            "lblDescription 48,96 315x51", "lblDisclaimer 24,175 337x71", "lblTitle 70,16 259x32",
            "lblVersion 40,64 323x15", "picIcon 8,0 44x38", "Label1 24,248 345x25",
            "Line1 6,163 372x1", "Line1 7,164 371x2", "Gridloreシミュレータ 　　　　　Ver1.00",
            "#808080", "#ffffff" }));
    const QPoint corner = QGuiApplication::primaryScreen()->geometry().topLeft();
    QCOMPARE(dialog->geometry(), QRect(corner + QPoint(156, 129), QSize(396, 311)));
    QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
}

void TestAbout::lifecycle_data()
{
    QTest::addColumn<int>("key"); // 0: a click on OK; -1: the frame's close box
    QTest::addColumn<bool>("onOK"); // the key goes to OK, else to the dialog
    QTest::newRow("OK clicked") << 0 << true;
    QTest::newRow("Return on OK") << int(Qt::Key_Return) << true;
    QTest::newRow("Return, focus nowhere") << int(Qt::Key_Return) << false;
    QTest::newRow("Esc, focus nowhere") << int(Qt::Key_Escape) << false;
    QTest::newRow("close box") << -1 << false;
}

// A second choice while open only brings the dialog to the front; any way of
// closing it unloads it; the next choice builds it anew.
void TestAbout::lifecycle()
{
    QFETCH(int, key);
    QFETCH(bool, onOK);
    Form1 form;
    form.mnu_about_Click();
    QPointer<frmAbout> dialog = form.aboutBox();
    QVERIFY(dialog && QTest::qWaitForWindowExposed(dialog));
    form.mnu_about_Click();
    QCOMPARE(form.aboutBox(), dialog.data());
    QWidget *ok = dialog->findChild<QWidget *>("cmdOK");
    if (!onOK)
        ok->clearFocus();
    if (key > 0)
        QTest::keyClick(onOK ? ok : dialog.data(), Qt::Key(key));
    else
        key == 0 ? QTest::mouseClick(ok, Qt::LeftButton) : void(dialog->close());
    QTRY_VERIFY(dialog.isNull());
    QVERIFY(!form.aboutBox());
    form.mnu_about_Click();
    QVERIFY(form.aboutBox() && form.aboutBox()->isVisible());
    int dialogs = 0;
    for (QWidget *window : QApplication::topLevelWidgets())
        dialogs += qobject_cast<frmAbout *>(window) != nullptr;
    QCOMPARE(dialogs, 1);
}

QTEST_MAIN(TestAbout)
#include "test_about.moc"
