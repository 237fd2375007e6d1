#include "about/frmabout.h"
#include "form1fixture.h"
#include "platform/application.h"
#include "platform/numbertext_qt.h"
#include "platform/twips.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QtTest>

using gridlore::Form1;
using gridlore::frmAbout;
using namespace gridlore::twips;

namespace {

// Every About dialog still alive, once pending deletions have run.
int aboutDialogs()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    int count = 0;
    for (QWidget *window : QApplication::topLevelWidgets())
        count += qobject_cast<frmAbout *>(window) != nullptr;
    return count;
}

// The dialog as the Help menu opens it, shown and on screen.
frmAbout *openAbout(Form1 &form)
{
    form.mnu_about_Click();
    frmAbout *dialog = form.aboutBox();
    return dialog && QTest::qWaitForWindowExposed(dialog) ? dialog : nullptr;
}

QWidget *child(const QWidget *dialog, const char *name)
{
    return dialog->findChild<QWidget *>(QLatin1String(name));
}

} // namespace

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void opensAsDesigned();
    void controls_data();
    void controls();
    void separatorLines_data();
    void separatorLines();
    void iconDrawing();
    void lifecycle_data();
    void lifecycle();
    void automaticRunGoesOnWhileOpen();
};

void TestAbout::cleanup()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        delete qobject_cast<frmAbout *>(window);
}

void TestAbout::opensAsDesigned()
{
    Form1 form;
    frmAbout *dialog = openAbout(form);
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("gridloreのﾊﾞｰｼﾞｮﾝ情報"));
    const QPoint screenCorner = QGuiApplication::primaryScreen()->geometry().topLeft();
    QCOMPARE(dialog->geometry(), QRect(screenCorner + toPoint(2340, 1935), toSize(5940, 4665)));
    QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
    const Qt::WindowFlags shown
        = Qt::CustomizeWindowHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint;
    QCOMPARE(dialog->windowFlags() & shown, Qt::CustomizeWindowHint);
    QCOMPARE(dialog->focusWidget(), child(dialog, "cmdOK"));
}

void TestAbout::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QString>("text"); // a pattern
    QTest::addColumn<bool>("black"); // set black, not left to the style
    QTest::addColumn<bool>("contactFont");

    QTest::newRow("picIcon") << "picIcon" << toRect(120, 0, 660, 570) << "^$" << false << false;
    QTest::newRow("lblTitle") << "lblTitle" << toRect(1050, 240, 3885, 480)
                              << "^Gridloreシミュレータ \\x{3000}{5}Ver1\\.00$" << true << false;
    QTest::newRow("lblVersion") << "lblVersion" << toRect(600, 960, 4845, 225)
                                << "^[^\\n]*Copyright[^\\n]*$" << false << false;
    QTest::newRow("lblDescription")
        << "lblDescription" << toRect(720, 1440, 4725, 765) << "1970年.*生命体" << true << false;
    QTest::newRow("lblDisclaimer")
        << "lblDisclaimer" << toRect(360, 2625, 5055, 1065) << "責任" << true << false;
    QTest::newRow("Label1") << "Label1" << toRect(360, 3720, 5175, 375)
                            << "^\\(お問合せ等\\x{3000}[^\\s@]+@example\\.org \\)$" << false
                            << true;
    QTest::newRow("cmdOK") << "cmdOK" << toRect(4320, 4200, 1380, 345) << "^OK$" << false << false;
}

// At its place, with its text wrapped within its width and not cut off.
void TestAbout::controls()
{
    QFETCH(QString, name);
    QFETCH(QRect, place);
    QFETCH(QString, text);
    QFETCH(bool, black);
    QFETCH(bool, contactFont);
    frmAbout dialog;
    const QList<QWidget *> found = dialog.findChildren<QWidget *>(name);
    QCOMPARE(found.size(), 1);
    const QWidget *control = found.first();
    QCOMPARE(control->geometry(), place);
    const QString shown = control->property("text").toString();
    QVERIFY2(QRegularExpression(text).match(shown).hasMatch(), qPrintable(shown));

    QCOMPARE(control->palette().isBrushSet(QPalette::Active, QPalette::WindowText), black);
    QVERIFY(!black || control->palette().color(QPalette::WindowText) == Qt::black);
    const QFont font = contactFont ? gridlore::japaneseFont(9.75) : dialog.font();
    QCOMPARE(control->font().family(), font.family());
    QCOMPARE(control->font().pointSizeF(), font.pointSizeF());

    if (const auto *label = qobject_cast<const QLabel *>(control); label && !shown.isEmpty()) {
        QVERIFY(label->wordWrap());
        QVERIFY(label->heightForWidth(label->width()) <= label->height());
    }
}

void TestAbout::separatorLines_data()
{
    QTest::addColumn<QRect>("line");
    QTest::addColumn<QColor>("colour");

    QTest::newRow("Line1(1) grey, above")
        << QRect(toPoint(90, 2445), toPoint(5654, 2445)) << QColor(128, 128, 128);
    QTest::newRow("Line1(0) white, below, 2 pixels")
        << QRect(toPoint(105, 2460), toPoint(5654, 2460) + QPoint(0, 1)) << QColor(Qt::white);
}

// The etched Line1 elements as shown, the grey one not painted over by the
// white one.
void TestAbout::separatorLines()
{
    QFETCH(QRect, line);
    QFETCH(QColor, colour);
    Form1 form;
    frmAbout *dialog = openAbout(form);
    QVERIFY(dialog);
    const QImage shown = dialog->grab().toImage();
    for (int x : { line.left(), line.center().x(), line.right() }) {
        for (int y = line.top(); y <= line.bottom(); ++y)
            QCOMPARE(shown.pixelColor(x, y), colour);
    }
}

// A white sheet, a yellow pencil and black cells, with nothing in the corners,
// shown at its natural size.
void TestAbout::iconDrawing()
{
    frmAbout dialog;
    const QPixmap picture = static_cast<QLabel *>(child(&dialog, "picIcon"))->pixmap();
    QCOMPARE(picture.deviceIndependentSize().toSize(), QSize(44, 38));
    QVERIFY(picture.hasAlphaChannel());
    const QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    for (const QPoint &corner : { QPoint(0, 0), image.rect().topRight(), image.rect().bottomLeft(),
             image.rect().bottomRight() })
        QCOMPARE(qAlpha(image.pixel(corner)), 0);
    bool white = false, yellow = false, black = false;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            white |= p == qRgb(255, 255, 255);
            black |= p == qRgb(0, 0, 0);
            yellow |= qAlpha(p) == 255 && qRed(p) >= 200 && qGreen(p) >= 170 && qBlue(p) <= 80;
        }
    }
    QVERIFY(white && yellow && black);
}

void TestAbout::lifecycle_data()
{
    QTest::addColumn<QString>("target"); // none: the dialog itself
    QTest::addColumn<int>("key"); // 0: a click on the target, or the frame's close box

    QTest::newRow("OK clicked") << "cmdOK" << 0;
    QTest::newRow("Return on OK") << "cmdOK" << int(Qt::Key_Return);
    QTest::newRow("keypad Enter on OK") << "cmdOK" << int(Qt::Key_Enter);
    // OK is the default button in its own right, not only while it has the focus.
    QTest::newRow("Return, focus nowhere") << "" << int(Qt::Key_Return);
    QTest::newRow("Esc on OK") << "cmdOK" << int(Qt::Key_Escape);
    QTest::newRow("frame's close box") << "" << 0;
}

// A second choice while open only brings the dialog to the front; any way of
// closing it unloads it, and the next choice builds it anew.
void TestAbout::lifecycle()
{
    QFETCH(QString, target);
    QFETCH(int, key);
    Form1 form;
    QPointer<frmAbout> dialog = openAbout(form);
    QVERIFY(dialog);
    form.mnu_about_Click();
    QCOMPARE(form.aboutBox(), dialog.data());
    QCOMPARE(aboutDialogs(), 1);

    if (target.isEmpty())
        dialog->focusWidget()->clearFocus();
    QWidget *receiver = target.isEmpty() ? dialog.data() : child(dialog, "cmdOK");
    if (key != 0)
        QTest::keyClick(
            receiver, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    else if (receiver == dialog)
        dialog->close();
    else
        QTest::mouseClick(receiver, Qt::LeftButton);
    QTRY_VERIFY(dialog.isNull());
    QVERIFY(!form.aboutBox());
    QCOMPARE(aboutDialogs(), 0);

    frmAbout *again = openAbout(form);
    QVERIFY(again);
    QCOMPARE(aboutDialogs(), 1);
    QCOMPARE(again->focusWidget(), child(again, "cmdOK"));
}

void TestAbout::automaticRunGoesOnWhileOpen()
{
    const auto form = shownForm1();
    QVERIFY(form);
    control<QLineEdit>(*form, "Text1")->setText(QStringLiteral("20"));
    QTest::mouseClick(control<QPushButton>(*form, "Command4"), Qt::LeftButton);
    QVERIFY(form->timer()->isActive());

    QPointer<frmAbout> dialog = openAbout(*form);
    QVERIFY(dialog);
    const double opened = gridlore::textToNumber(counter(*form));
    QTRY_VERIFY_WITH_TIMEOUT(gridlore::textToNumber(counter(*form)) >= opened + 3, 20000);
    QVERIFY(dialog && dialog->isVisible());
}

QTEST_MAIN(TestAbout)
#include "test_about.moc"
