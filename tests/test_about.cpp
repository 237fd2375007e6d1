#include "about/frmabout.h"
#include "form1fixture.h"

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
    gridlore::Form1 form;
    form.mnu_about_Click();
    frmAbout *dialog = form.aboutBox();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    const QPoint corner = QGuiApplication::primaryScreen()->geometry().topLeft();
    QStringList shown { dialog->windowTitle(), dialog->focusWidget()->objectName(),
        describe(dialog).section(u' ', 1, 2),
        control(*dialog, "lblTitle")->property("text").toString() };
    for (const QWidget *w : dialog->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        shown << describe(w).section(u' ', 0, 2);
    const QImage picture = dialog->grab().toImage();
    shown << picture.pixelColor(200, 163).name() << picture.pixelColor(200, 165).name();
    QCOMPARE(shown,
        QStringList({ "gridloreのﾊﾞｰｼﾞｮﾝ情報", "cmdOK",
            QStringLiteral("%1,%2 396x311").arg(corner.x() + 156).arg(corner.y() + 129),
            "Gridloreシミュレータ 　　　　　Ver1.00", "cmdOK 288,280 92x23",
            "lblDescription 48,96 315x51", "lblDisclaimer 24,175 337x71", "lblTitle 70,16 259x32",
            "lblVersion 40,64 323x15", "picIcon 8,0 44x38", "Label1 24,248 345x25",
            "Line1 6,163 372x1", "Line1 7,164 371x2", "#808080", "#ffffff" }));
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
    gridlore::Form1 form;
    form.mnu_about_Click();
    QPointer<frmAbout> dialog = form.aboutBox();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    form.mnu_about_Click();
    QCOMPARE(form.aboutBox(), dialog.data());
    QWidget *ok = control(*dialog, "cmdOK");
    if (!onOK)
        ok->clearFocus();
    if (key > 0)
        QTest::keyClick(onOK ? ok : dialog.data(), Qt::Key(key));
    else
        key == 0 ? QTest::mouseClick(ok, Qt::LeftButton) : void(dialog->close());
    QTRY_VERIFY(dialog.isNull() && !form.aboutBox());
    form.mnu_about_Click();
    QVERIFY(form.aboutBox()->isVisible());
    int dialogs = 0;
    for (QWidget *window : QApplication::topLevelWidgets())
        dialogs += qobject_cast<frmAbout *>(window) != nullptr;
    QCOMPARE(dialogs, 1);
}

QTEST_MAIN(TestAbout)
#include "test_about.moc"
