#include "about/applicationicon.h"
#include "about/frmabout.h"
#include "form1fixture.h"
#include "platform/application.h"
#include "platform/numbertext_qt.h"
#include "platform/twips.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QtTest>

using gridlore::Form1;
using gridlore::frmAbout;

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
    if (dialog && !QTest::qWaitForWindowExposed(dialog))
        return nullptr;
    return dialog;
}

template <typename Control = QWidget> Control *child(const QWidget *dialog, const QString &name)
{
    return dialog->findChild<Control *>(name);
}

QFrame *lineElement(const QWidget *dialog, int index)
{
    for (QFrame *line : dialog->findChildren<QFrame *>(QStringLiteral("Line1"))) {
        if (line->property("Index").toInt() == index)
            return line;
    }
    return nullptr;
}

bool isWhite(QRgb p)
{
    return p == qRgba(255, 255, 255, 255);
}

bool isBlack(QRgb p)
{
    return p == qRgba(0, 0, 0, 255);
}

bool isYellow(QRgb p)
{
    return qAlpha(p) == 255 && qRed(p) >= 200 && qGreen(p) >= 170 && qBlue(p) <= 80;
}

bool hasPixel(const QImage &image, bool (*wanted)(QRgb))
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (wanted(image.pixel(x, y)))
                return true;
        }
    }
    return false;
}

// What the icon must show at any size: a sheet, a pencil and cells, with
// nothing painted in the corners.
void verifyIconDrawing(const QImage &picture)
{
    QVERIFY(picture.hasAlphaChannel());
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const int right = image.width() - 1;
    const int bottom = image.height() - 1;
    for (const QPoint &corner :
        { QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom) })
        QCOMPARE(qAlpha(image.pixel(corner)), 0);
    QVERIFY2(hasPixel(image, isWhite), "no white sheet");
    QVERIFY2(hasPixel(image, isYellow), "no yellow pencil");
    QVERIFY2(hasPixel(image, isBlack), "no black cells");
}

const QStringList LabelNames = { QStringLiteral("lblTitle"), QStringLiteral("lblVersion"),
    QStringLiteral("lblDescription"), QStringLiteral("lblDisclaimer"), QStringLiteral("Label1") };

} // namespace

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    // The window.
    void captionIsTitleThenVersionInformation();
    void clientAreaOpensAtItsPlace();
    void frameIsFixedWithoutMinimiseOrMaximise();

    // The controls.
    void controlGeometry_data();
    void controlGeometry();
    void separatorLines_data();
    void separatorLines();
    void tabOrderStartsAtOk();
    void fixedTexts();
    void textColoursAndFonts_data();
    void textColoursAndFonts();
    void textsFitTheirLabels_data();
    void textsFitTheirLabels();

    // The icon.
    void iconShownAtNaturalSize();
    void applicationIconAtThemeSizes_data();
    void applicationIconAtThemeSizes();

    // Showing and unloading.
    void everyWayOfClosingUnloads_data();
    void everyWayOfClosingUnloads();
    void secondMenuChoiceKeepsOneDialog();
    void reopeningAfterOkBuildsItAnew();
    void automaticRunGoesOnWhileOpen();
};

void TestAbout::cleanup()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (qobject_cast<frmAbout *>(window))
            delete window;
    }
    QCOMPARE(aboutDialogs(), 0);
}

void TestAbout::captionIsTitleThenVersionInformation()
{
    frmAbout dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("gridloreのﾊﾞｰｼﾞｮﾝ情報"));
    QCOMPARE(dialog.windowTitle(), gridlore::applicationTitle() + QStringLiteral("のﾊﾞｰｼﾞｮﾝ情報"));
}

void TestAbout::clientAreaOpensAtItsPlace()
{
    Form1 form;
    frmAbout *dialog = openAbout(form);
    QVERIFY(dialog);
    const QPoint screenCorner = QGuiApplication::primaryScreen()->geometry().topLeft();
    QCOMPARE(dialog->geometry().topLeft(), screenCorner + gridlore::twips::toPoint(2340, 1935));
    QCOMPARE(dialog->size(), gridlore::twips::toSize(5940, 4665));
}

void TestAbout::frameIsFixedWithoutMinimiseOrMaximise()
{
    frmAbout dialog;
    QCOMPARE(dialog.minimumSize(), gridlore::twips::toSize(5940, 4665));
    QCOMPARE(dialog.maximumSize(), dialog.minimumSize());
    const Qt::WindowFlags flags = dialog.windowFlags();
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(flags.testFlag(Qt::MSWindowsFixedSizeDialogHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(dialog.testAttribute(Qt::WA_DeleteOnClose));
}

void TestAbout::controlGeometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("expected");

    using gridlore::twips::toRect;
    QTest::newRow("picIcon") << "picIcon" << toRect(120, 0, 660, 570);
    QTest::newRow("lblTitle") << "lblTitle" << toRect(1050, 240, 3885, 480);
    QTest::newRow("lblVersion") << "lblVersion" << toRect(600, 960, 4845, 225);
    QTest::newRow("lblDescription") << "lblDescription" << toRect(720, 1440, 4725, 765);
    QTest::newRow("lblDisclaimer") << "lblDisclaimer" << toRect(360, 2625, 5055, 1065);
    QTest::newRow("Label1") << "Label1" << toRect(360, 3720, 5175, 375);
    QTest::newRow("cmdOK") << "cmdOK" << toRect(4320, 4200, 1380, 345);
}

void TestAbout::controlGeometry()
{
    QFETCH(QString, name);
    QFETCH(QRect, expected);

    frmAbout dialog;
    const QList<QWidget *> found = dialog.findChildren<QWidget *>(name);
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.first()->geometry(), expected);
}

void TestAbout::separatorLines_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<int>("thickness");
    QTest::addColumn<QColor>("colour");

    using gridlore::twips::toPoint;
    QTest::newRow("Line1(1) grey, above")
        << 1 << toPoint(90, 2445) << toPoint(5654, 2445) << 1 << QColor(128, 128, 128);
    QTest::newRow("Line1(0) white, below")
        << 0 << toPoint(105, 2460) << toPoint(5654, 2460) << 2 << QColor(Qt::white);
}

void TestAbout::separatorLines()
{
    QFETCH(int, index);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(int, thickness);
    QFETCH(QColor, colour);

    Form1 form;
    frmAbout *dialog = openAbout(form);
    QVERIFY(dialog);
    QCOMPARE(dialog->findChildren<QFrame *>(QStringLiteral("Line1")).size(), 2);
    const QFrame *line = lineElement(dialog, index);
    QVERIFY(line);
    QCOMPARE(line->geometry(), QRect(from, QPoint(to.x(), from.y() + thickness - 1)));

    // What is on screen, the grey line not painted over by the white one.
    const QImage shown = dialog->grab().toImage();
    for (int x : { from.x(), (from.x() + to.x()) / 2, to.x() }) {
        for (int y = from.y(); y < from.y() + thickness; ++y)
            QCOMPARE(shown.pixelColor(x, y), colour);
    }
}

void TestAbout::tabOrderStartsAtOk()
{
    Form1 form;
    frmAbout *dialog = openAbout(form);
    QVERIFY(dialog);
    QCOMPARE(dialog->focusWidget(), child(dialog, QStringLiteral("cmdOK")));

    const QStringList tabOrder = { QStringLiteral("cmdOK"), QStringLiteral("lblDescription"),
        QStringLiteral("lblDisclaimer"), QStringLiteral("lblTitle"), QStringLiteral("lblVersion"),
        QStringLiteral("picIcon"), QStringLiteral("Label1") };
    QStringList chain;
    for (QWidget *w = dialog->nextInFocusChain(); w != dialog; w = w->nextInFocusChain()) {
        if (tabOrder.contains(w->objectName()))
            chain << w->objectName();
    }
    QCOMPARE(chain, tabOrder);
}

void TestAbout::fixedTexts()
{
    frmAbout dialog;
    const QString title = QStringLiteral("Gridloreシミュレータ") + QLatin1Char(' ')
        + QString(5, QChar(0x3000)) + QStringLiteral("Ver1.00");
    QCOMPARE(child<QLabel>(&dialog, QStringLiteral("lblTitle"))->text(), title);
    QCOMPARE(child<QPushButton>(&dialog, QStringLiteral("cmdOK"))->text(), QStringLiteral("OK"));

    const QString copyright = child<QLabel>(&dialog, QStringLiteral("lblVersion"))->text();
    QVERIFY(copyright.contains(QStringLiteral("Copyright")));
    QVERIFY(!copyright.contains(QLatin1Char('\n')));

    const QString description = child<QLabel>(&dialog, QStringLiteral("lblDescription"))->text();
    QVERIFY(description.contains(QStringLiteral("1970")));
    QVERIFY(description.contains(QStringLiteral("生命体")));

    QVERIFY(child<QLabel>(&dialog, QStringLiteral("lblDisclaimer"))
                ->text()
                .contains(QStringLiteral("責任")));

    const QRegularExpression contact(
        QStringLiteral("^\\(お問合せ等\\x{3000}[^\\s@]+@example\\.org \\)$"));
    QVERIFY(contact.isValid());
    const QString contactLine = child<QLabel>(&dialog, QStringLiteral("Label1"))->text();
    QVERIFY2(contact.match(contactLine).hasMatch(), qPrintable(contactLine));
}

void TestAbout::textColoursAndFonts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("setsBlack");
    QTest::addColumn<bool>("contactFont");

    QTest::newRow("lblTitle") << "lblTitle" << true << false;
    QTest::newRow("lblVersion") << "lblVersion" << false << false;
    QTest::newRow("lblDescription") << "lblDescription" << true << false;
    QTest::newRow("lblDisclaimer") << "lblDisclaimer" << true << false;
    QTest::newRow("Label1") << "Label1" << false << true;
    QTest::newRow("cmdOK") << "cmdOK" << false << false;
}

void TestAbout::textColoursAndFonts()
{
    QFETCH(QString, name);
    QFETCH(bool, setsBlack);
    QFETCH(bool, contactFont);

    frmAbout dialog;
    const QWidget *control = child(&dialog, name);
    QVERIFY(control);
    const QColor defaultText = QApplication::palette(control).color(QPalette::WindowText);
    QCOMPARE(control->palette().color(QPalette::WindowText),
        setsBlack ? QColor(Qt::black) : defaultText);
    // Only the explicitly black labels carry a colour of their own.
    QCOMPARE(control->palette().isBrushSet(QPalette::Active, QPalette::WindowText), setsBlack);

    const QFont expected = contactFont ? gridlore::japaneseFont(9.75) : dialog.font();
    QCOMPARE(control->font().family(), expected.family());
    QCOMPARE(control->font().pointSizeF(), expected.pointSizeF());
    QCOMPARE(control->font().weight(), contactFont ? QFont::Normal : expected.weight());
}

void TestAbout::textsFitTheirLabels_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("oneLine");

    QTest::newRow("lblTitle") << "lblTitle" << true;
    QTest::newRow("lblVersion") << "lblVersion" << true;
    QTest::newRow("lblDescription") << "lblDescription" << false;
    QTest::newRow("lblDisclaimer") << "lblDisclaimer" << false;
    QTest::newRow("Label1") << "Label1" << true;
}

// Labels wrap within their width; what does not fit their height is cut off.
void TestAbout::textsFitTheirLabels()
{
    QFETCH(QString, name);
    QFETCH(bool, oneLine);

    frmAbout dialog;
    const QLabel *label = child<QLabel>(&dialog, name);
    QVERIFY(label);
    QVERIFY(label->wordWrap());
    QVERIFY(!label->text().isEmpty());
    QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
        qPrintable(QStringLiteral("needs %1 px").arg(label->heightForWidth(label->width()))));
    if (oneLine)
        QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->width());
}

void TestAbout::iconShownAtNaturalSize()
{
    frmAbout dialog;
    const QLabel *picIcon = child<QLabel>(&dialog, QStringLiteral("picIcon"));
    QVERIFY(picIcon);
    QCOMPARE(picIcon->frameShape(), QFrame::NoFrame);
    const QPixmap icon = picIcon->pixmap();
    QCOMPARE(icon.deviceIndependentSize().toSize(), QSize(44, 38));
    QCOMPARE(picIcon->size(), QSize(44, 38));
    verifyIconDrawing(icon.toImage());
}

void TestAbout::applicationIconAtThemeSizes_data()
{
    QTest::addColumn<int>("side");
    for (int side : { 48, 64, 128, 256 })
        QTest::newRow(qPrintable(QStringLiteral("%1 px").arg(side))) << side;
}

void TestAbout::applicationIconAtThemeSizes()
{
    QFETCH(int, side);

    const QIcon icon = gridlore::applicationIcon();
    QVERIFY(icon.availableSizes().contains(QSize(16, 16)));
    QVERIFY(icon.availableSizes().contains(QSize(side, side)));
    const QPixmap pixmap = icon.pixmap(QSize(side, side));
    QCOMPARE(pixmap.size(), QSize(side, side));
    verifyIconDrawing(pixmap.toImage());
}

void TestAbout::everyWayOfClosingUnloads_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("key"); // 0: a click on the target
    QTest::addColumn<bool>("focusAway");

    QTest::newRow("OK clicked") << "cmdOK" << 0 << false;
    QTest::newRow("Return on OK") << "cmdOK" << int(Qt::Key_Return) << false;
    QTest::newRow("keypad Enter on OK") << "cmdOK" << int(Qt::Key_Enter) << false;
    QTest::newRow("Return on the description") << "lblDescription" << int(Qt::Key_Return) << false;
    QTest::newRow("Return, focus nowhere") << "" << int(Qt::Key_Return) << true;
    QTest::newRow("Esc on OK") << "cmdOK" << int(Qt::Key_Escape) << false;
    QTest::newRow("Esc on the disclaimer") << "lblDisclaimer" << int(Qt::Key_Escape) << false;
    QTest::newRow("Esc, focus nowhere") << "" << int(Qt::Key_Escape) << true;
    QTest::newRow("frame's close box") << "" << 0 << false;
}

void TestAbout::everyWayOfClosingUnloads()
{
    QFETCH(QString, target);
    QFETCH(int, key);
    QFETCH(bool, focusAway);

    Form1 form;
    QPointer<frmAbout> dialog = openAbout(form);
    QVERIFY(dialog);
    // OK is the default button in its own right, not only while it has the focus.
    if (focusAway)
        dialog->focusWidget()->clearFocus();
    QWidget *receiver = target.isEmpty() ? dialog.data() : child(dialog, target);
    QVERIFY(receiver);

    if (key == Qt::Key_Enter)
        QTest::keyClick(receiver, Qt::Key_Enter, Qt::KeypadModifier);
    else if (key != 0)
        QTest::keyClick(receiver, Qt::Key(key));
    else if (receiver == dialog)
        dialog->close();
    else
        QTest::mouseClick(receiver, Qt::LeftButton);

    QTRY_VERIFY(dialog.isNull());
    QVERIFY(!form.aboutBox());
    QCOMPARE(aboutDialogs(), 0);
}

void TestAbout::secondMenuChoiceKeepsOneDialog()
{
    Form1 form;
    QPointer<frmAbout> first = openAbout(form);
    QVERIFY(first);
    const QString caption = first->windowTitle();

    form.mnu_about_Click();
    QCoreApplication::processEvents();

    QCOMPARE(aboutDialogs(), 1);
    QCOMPARE(form.aboutBox(), first.data());
    QVERIFY(first->isVisible());
    QCOMPARE(first->windowTitle(), caption);
}

void TestAbout::reopeningAfterOkBuildsItAnew()
{
    Form1 form;
    QPointer<frmAbout> first = openAbout(form);
    QVERIFY(first);
    QStringList textsBefore;
    for (const QString &name : LabelNames)
        textsBefore << child<QLabel>(first, name)->text();
    const QString captionBefore = first->windowTitle();

    QTest::mouseClick(child(first, QStringLiteral("cmdOK")), Qt::LeftButton);
    QTRY_VERIFY(first.isNull());

    frmAbout *second = openAbout(form);
    QVERIFY(second);
    QVERIFY(second->isVisible());
    QCOMPARE(aboutDialogs(), 1);
    QCOMPARE(second->windowTitle(), captionBefore);
    QStringList textsAfter;
    for (const QString &name : LabelNames)
        textsAfter << child<QLabel>(second, name)->text();
    QCOMPARE(textsAfter, textsBefore);
    QCOMPARE(second->focusWidget(), child(second, QStringLiteral("cmdOK")));
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
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());

    QTest::mouseClick(control<QPushButton>(*form, "Command4"), Qt::LeftButton);
    QVERIFY(!form->timer()->isActive());
}

QTEST_MAIN(TestAbout)
#include "test_about.moc"
