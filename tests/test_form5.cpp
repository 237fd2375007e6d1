#include "fakebrowserpane.h"
#include "helpviewer/form5.h"
#include "platform/application.h"
#include "platform/twips.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include <cmath>
#include <memory>

using gridlore::Form5;

namespace {

const QString Connecting = QStringLiteral("接続中...");
const QString HelpName = QStringLiteral("Gridloreの使い方");

// A viewer over a fake pane; the pane belongs to the window.
struct Viewer
{
    FakeBrowserPane *pane = nullptr;
    std::unique_ptr<Form5> form;

    explicit Viewer(const QSet<QString> &failing = {})
        : pane(new FakeBrowserPane)
    {
        pane->failing = failing;
        pane->names.insert(Form5::startAddress(), HelpName);
        form = std::make_unique<Form5>(pane);
    }
    template <typename T> T *control(const char *name) const
    {
        return form->findChild<T *>(QString::fromLatin1(name));
    }
    QComboBox *addressBox() const { return control<QComboBox>("cboAddress"); }
    QLineEdit *addressEdit() const { return addressBox()->lineEdit(); }
    QTimer *timer() const { return form->busyIndicator(); }
    QString caption() const { return form->windowTitle(); }
    QStringList list() const
    {
        QStringList entries;
        for (int i = 0; i < addressBox()->count(); ++i)
            entries << addressBox()->itemText(i);
        return entries;
    }
    // The help page has loaded and the indicator has gone idle.
    void settle() const
    {
        pane->finish();
        form->timTimer_Timer();
        pane->requests.clear();
    }
    void show() const
    {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    QAction *button(const QString &key) const
    {
        for (QAction *action : control<QToolBar>("tbToolBar")->actions()) {
            if (action->data().toString() == key)
                return action;
        }
        return nullptr;
    }
    // A click on the toolbar button with this key; a key no button has comes
    // from a button made up for the purpose.
    void click(const QString &key) const
    {
        if (QAction *action = button(key)) {
            auto *toolBar = control<QToolBar>("tbToolBar");
            QTest::mouseClick(toolBar->widgetForAction(action), Qt::LeftButton);
        } else {
            QAction stray;
            stray.setData(key);
            form->tbToolBar_ButtonClick(&stray);
        }
    }
    void enter(const QString &text) const
    {
        addressEdit()->clear();
        QTest::keyClicks(addressEdit(), text);
        QTest::keyClick(addressEdit(), Qt::Key_Return);
    }
};

int pixels(double twips)
{
    return static_cast<int>(std::lround(gridlore::twips::toPixels(twips)));
}

} // namespace

class TestForm5 : public QObject
{
    Q_OBJECT

private slots:
    // The window as it opens.
    void opensInItsDesignState();
    void controlsAtTheirPlaces_data();
    void controlsAtTheirPlaces();
    void toolbarHasSixButtonsInOrder();
    void toolbarImages_data();
    void toolbarImages();
    void loadStepGoesOnWhenThePageIsRefused();

    // The busy indicator and the caption.
    void captionOnOpening_data();
    void captionOnOpening();
    void busyIndicatorRunsOnItsTimer();
    void failingReads_data();
    void failingReads();
    void followingALinkShowsNoBusyText();

    // Toolbar commands.
    void toolbarCommand_data();
    void toolbarCommand();
    void refusedCommandLeavesTheWindowAsItWas_data();
    void refusedCommandLeavesTheWindowAsItWas();
    void stopNamesThePage_data();
    void stopNamesThePage();
    void backAndForwardWalkTheHistory();

    // The address box and its list.
    void addressList_data();
    void addressList();
    void steppingThroughTheListNavigates();
    void leavingTheBoxOnAListedAddressNavigatesNothing_data();
    void leavingTheBoxOnAListedAddressNavigatesNothing();
    void choosingFromTheDropDownNavigates();
    void altAFocusesTheAddressBox();

    // Layout.
    void resizeLayout_data();
    void resizeLayout();

    void closingDiscardsTheWindow();
};

void TestForm5::opensInItsDesignState()
{
    Viewer viewer;
    QCOMPARE(viewer.caption(), QStringLiteral("Form2"));
    QCOMPARE(viewer.form->size(), gridlore::twips::toSize(10305, 8400));
    const QString start
        = QDir(gridlore::applicationFolder()).filePath(QStringLiteral("helppage/hlp01.htm"));
    QCOMPARE(Form5::startAddress(), start);
    QCOMPARE(viewer.addressBox()->currentText(), start);
    QCOMPARE(viewer.list(), QStringList { start });
    QVERIFY(viewer.addressBox()->isEditable());
    QVERIFY(viewer.timer()->isActive());
    QCOMPARE(viewer.timer()->interval(), 5);
    QCOMPARE(viewer.pane->requests, QStringList { QStringLiteral("Navigate ") + start });
    QCOMPARE(viewer.control<QLabel>("lblAddress")->text(), QStringLiteral("ｱﾄﾞﾚｽ(&A):"));
    QCOMPARE(viewer.control<QPushButton>("Command1")->text(), QStringLiteral("移動"));
    QCOMPARE(viewer.control<QLabel>("Label1")->text(), QStringLiteral("Label1"));
    QVERIFY(viewer.form->testAttribute(Qt::WA_DeleteOnClose));
    QCOMPARE(viewer.form->browser(), viewer.pane);
    QCOMPARE(viewer.pane->objectName(), QStringLiteral("brwWebBrowser"));

    viewer.show();
    QVERIFY(viewer.control<QLabel>("Label1")->isHidden());
    QVERIFY(viewer.pane->isVisible());
}

void TestForm5::controlsAtTheirPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");

    using gridlore::twips::toRect;
    // The address box took its place in the load step; the others keep
    // their design places (width and height aside where the layout sets them).
    QTest::newRow("picAddress") << "picAddress" << toRect(0, 540, 10305, 675);
    QTest::newRow("lblAddress") << "lblAddress" << toRect(45, 60, 3075, 255);
    QTest::newRow("cboAddress") << "cboAddress" << toRect(50, 330, 9540, 300);
    QTest::newRow("Command1") << "Command1" << toRect(9640, 360, 615, 255);
    QTest::newRow("brwWebBrowser") << "brwWebBrowser" << toRect(45, 1320, 10205, 7085);
    QTest::newRow("Label1") << "Label1" << toRect(7320, 2160, 2175, 375);
    QTest::newRow("tbToolBar") << "tbToolBar" << toRect(0, 0, 10305, 540);
}

void TestForm5::controlsAtTheirPlaces()
{
    QFETCH(QString, name);
    QFETCH(QRect, place);
    Viewer viewer;
    viewer.show();
    auto *control = viewer.form->findChild<QWidget *>(name);
    QVERIFY(control);
    if (name == QLatin1String("cboAddress"))
        place.setHeight(control->height()); // a combo box is as high as its font needs
    QCOMPARE(control->geometry(), place);
}

void TestForm5::toolbarHasSixButtonsInOrder()
{
    Viewer viewer;
    auto *toolBar = viewer.control<QToolBar>("tbToolBar");
    QStringList keys;
    QStringList tips;
    for (QAction *action : toolBar->actions()) {
        keys << action->data().toString();
        tips << action->toolTip();
        auto *button = qobject_cast<QToolButton *>(toolBar->widgetForAction(action));
        QVERIFY(button);
        QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonIconOnly);
        QCOMPARE(button->size(), QSize(31, 30));
    }
    QCOMPARE(keys, (QStringList { "Back", "Forward", "Stop", "Refresh", "Home", "Search" }));
    QCOMPARE(tips, (QStringList { "戻る", "進む", "中止", "更新", "ﾎｰﾑ", "検索" }));
    QCOMPARE(toolBar->iconSize(), QSize(24, 24));
}

void TestForm5::toolbarImages_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QPoint>("probe");
    QTest::addColumn<QColor>("colour"); // invalid: transparent

    const QColor transparent;
    QTest::newRow("Back: a cyan arrow") << "Back" << QPoint(8, 10) << QColor(0, 255, 255);
    QTest::newRow("Back: its head on the left") << "Back" << QPoint(9, 4) << QColor(0, 0, 128);
    QTest::newRow("Back: nothing top right") << "Back" << QPoint(15, 4) << transparent;
    QTest::newRow("Forward: a cyan arrow") << "Forward" << QPoint(15, 10) << QColor(0, 255, 255);
    QTest::newRow("Forward: its head on the right")
        << "Forward" << QPoint(14, 4) << QColor(0, 0, 128);
    QTest::newRow("Forward: nothing top left") << "Forward" << QPoint(8, 4) << transparent;
    QTest::newRow("Stop: a red disc") << "Stop" << QPoint(4, 12) << QColor(255, 0, 0);
    QTest::newRow("Stop: a white X") << "Stop" << QPoint(11, 11) << QColor(255, 255, 255);
    QTest::newRow("Stop: round") << "Stop" << QPoint(2, 2) << transparent;
    QTest::newRow("Refresh: a sheet of paper")
        << "Refresh" << QPoint(5, 3) << QColor(255, 255, 255);
    QTest::newRow("Refresh: green arrows") << "Refresh" << QPoint(8, 9) << QColor(0, 255, 0);
    QTest::newRow("Home: a red roof") << "Home" << QPoint(11, 6) << QColor(255, 0, 0);
    QTest::newRow("Home: walls") << "Home" << QPoint(5, 13) << QColor(255, 255, 0);
    QTest::newRow("Home: sky above") << "Home" << QPoint(2, 2) << transparent;
    QTest::newRow("Search: a blue globe") << "Search" << QPoint(8, 8) << QColor(0, 0, 255);
    QTest::newRow("Search: a magnifying glass")
        << "Search" << QPoint(12, 14) << QColor(166, 202, 240);
}

void TestForm5::toolbarImages()
{
    QFETCH(QString, key);
    QFETCH(QPoint, probe);
    QFETCH(QColor, colour);
    Viewer viewer;
    QAction *action = viewer.button(key);
    QVERIFY(action);
    const QImage image = action->icon().pixmap(QSize(24, 24), 1.0).toImage();
    QCOMPARE(image.size(), QSize(24, 24));
    const QColor pixel = image.pixelColor(probe);
    if (colour.isValid())
        QCOMPARE(pixel, colour);
    else
        QCOMPARE(pixel.alpha(), 0);
}

void TestForm5::loadStepGoesOnWhenThePageIsRefused()
{
    Viewer viewer({ QStringLiteral("Navigate") });
    QCOMPARE(viewer.addressBox()->currentText(), Form5::startAddress());
    QCOMPARE(viewer.list(), QStringList { Form5::startAddress() });
    QVERIFY(viewer.timer()->isActive());
    viewer.form->timTimer_Timer();
    QVERIFY(!viewer.timer()->isActive());
    QCOMPARE(viewer.caption(), QString()); // the pane shows no page, so it has no name
}

void TestForm5::captionOnOpening_data()
{
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QList<bool>>("polling");

    QTest::newRow("busy for two ticks, then loaded")
        << QStringList { "tick", "tick", "loaded", "tick" }
        << QStringList { Connecting, Connecting, HelpName, HelpName }
        << QList<bool> { true, true, true, false };
    QTest::newRow("loaded before the first tick")
        << QStringList { "loaded", "tick" } << QStringList { HelpName, HelpName }
        << QList<bool> { true, false };
    QTest::newRow("idle without notice before the first tick") << QStringList { "idle",
        "tick" } << QStringList { "Form2", HelpName } << QList<bool> { true, false };
    QTest::newRow("a download ends while the page still loads")
        << QStringList { "tick", "notice", "tick", "loaded", "tick" }
        << QStringList { Connecting, HelpName, Connecting, HelpName, HelpName }
        << QList<bool> { true, true, true, true, false };
}

void TestForm5::captionOnOpening()
{
    QFETCH(QStringList, events);
    QFETCH(QStringList, captions);
    QFETCH(QList<bool>, polling);
    Viewer viewer;
    QCOMPARE(viewer.caption(), QStringLiteral("Form2"));
    for (qsizetype i = 0; i < events.size(); ++i) {
        if (events[i] == QLatin1String("tick"))
            viewer.form->timTimer_Timer();
        else if (events[i] == QLatin1String("loaded"))
            viewer.pane->finish();
        else if (events[i] == QLatin1String("notice"))
            viewer.pane->notice();
        else
            viewer.pane->busy = false;
        QCOMPARE(viewer.caption(), captions[i]);
        QCOMPARE(viewer.timer()->isActive(), polling[i]);
    }
}

void TestForm5::busyIndicatorRunsOnItsTimer()
{
    Viewer viewer;
    viewer.pane->busy = false;
    QTRY_VERIFY(!viewer.timer()->isActive());
    QCOMPARE(viewer.caption(), HelpName);
}

void TestForm5::failingReads_data()
{
    QTest::addColumn<QString>("member");
    QTest::addColumn<bool>("loading");
    QTest::addColumn<QString>("afterNotice");
    QTest::addColumn<QString>("afterTick");

    // A pane that cannot say whether it is busy is taken as idle, even while
    // it loads, so the indicator never polls for ever.
    QTest::newRow("Busy, while loading") << "Busy" << true << HelpName << HelpName;
    // A page that cannot be named leaves the caption as it was.
    QTest::newRow("LocationName, once loaded") << "LocationName" << false << "Form2"
                                               << "Form2";
}

void TestForm5::failingReads()
{
    QFETCH(QString, member);
    QFETCH(bool, loading);
    QFETCH(QString, afterNotice);
    QFETCH(QString, afterTick);
    Viewer viewer({ member });
    viewer.pane->busy = loading;
    viewer.pane->notice();
    QCOMPARE(viewer.caption(), afterNotice);
    viewer.form->timTimer_Timer();
    QCOMPARE(viewer.caption(), afterTick);
    QVERIFY(!viewer.timer()->isActive());
}

void TestForm5::followingALinkShowsNoBusyText()
{
    Viewer viewer;
    viewer.settle();
    const QStringList list = viewer.list();
    QSignalSpy captions(viewer.form.get(), &QWidget::windowTitleChanged);
    viewer.pane->names.insert(QStringLiteral("hlp01.htm#files"), QStringLiteral("ファイル"));
    viewer.pane->followLink(QStringLiteral("hlp01.htm#files"));
    QCOMPARE(viewer.caption(), QStringLiteral("ファイル"));
    QVERIFY(!viewer.timer()->isActive());
    QCOMPARE(captions.count(), 1);
    QCOMPARE(viewer.list(), list);
    QCOMPARE(viewer.addressBox()->currentText(), Form5::startAddress());
}

void TestForm5::toolbarCommand_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("requests");
    QTest::addColumn<bool>("polling");

    QTest::newRow("Back") << "Back" << QStringList { "GoBack" } << true;
    QTest::newRow("Forward") << "Forward" << QStringList { "GoForward" } << true;
    QTest::newRow("Stop") << "Stop" << QStringList { "Stop" } << false;
    QTest::newRow("Refresh") << "Refresh" << QStringList { "Refresh" } << true;
    QTest::newRow("Home") << "Home" << QStringList { "Navigate " + Form5::startAddress() } << true;
    QTest::newRow("Search") << "Search" << QStringList { "GoSearch" } << true;
    // Keys match exactly, case and all.
    QTest::newRow("back") << "back" << QStringList {} << true;
    QTest::newRow("STOP") << "STOP" << QStringList {} << true;
    QTest::newRow("no key") << "" << QStringList {} << true;
}

void TestForm5::toolbarCommand()
{
    QFETCH(QString, key);
    QFETCH(QStringList, requests);
    QFETCH(bool, polling);
    Viewer viewer;
    viewer.show();
    viewer.enter(QStringLiteral("b.htm"));
    viewer.settle();
    viewer.addressEdit()->setText(QStringLiteral("typed, not entered"));
    const QStringList list = viewer.list();

    viewer.click(key);
    QCOMPARE(viewer.pane->requests, requests);
    QCOMPARE(viewer.timer()->isActive(), polling);

    viewer.pane->finish();
    viewer.form->timTimer_Timer();
    QCOMPARE(viewer.list(), list);
    QCOMPARE(viewer.addressBox()->currentText(), QStringLiteral("typed, not entered"));
}

void TestForm5::refusedCommandLeavesTheWindowAsItWas_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("failing");

    QTest::newRow("Back with no earlier page") << "Back"
                                               << "";
    QTest::newRow("Forward with no later page") << "Forward"
                                                << "";
    QTest::newRow("Refresh refused") << "Refresh"
                                     << "Refresh";
    QTest::newRow("Home refused") << "Home"
                                  << "Navigate";
    QTest::newRow("Search refused") << "Search"
                                    << "GoSearch";
}

void TestForm5::refusedCommandLeavesTheWindowAsItWas()
{
    QFETCH(QString, key);
    QFETCH(QString, failing);
    Viewer viewer;
    viewer.show();
    viewer.settle();
    viewer.pane->failing.insert(failing);

    viewer.click(key);
    QVERIFY(viewer.timer()->isActive());
    QCOMPARE(viewer.caption(), HelpName);
    viewer.form->timTimer_Timer();
    QVERIFY(!viewer.timer()->isActive());
    QCOMPARE(viewer.caption(), HelpName);
    QCOMPARE(viewer.pane->page(), Form5::startAddress());
    QCOMPARE(viewer.list(), QStringList { Form5::startAddress() });
    QCOMPARE(viewer.addressBox()->currentText(), Form5::startAddress());
}

void TestForm5::stopNamesThePage_data()
{
    QTest::addColumn<bool>("loading");
    QTest::addColumn<QString>("failing");

    QTest::newRow("while the page loads") << true << "";
    QTest::newRow("while nothing loads") << false << "";
    QTest::newRow("Stop refused") << true << "Stop";
}

void TestForm5::stopNamesThePage()
{
    QFETCH(bool, loading);
    QFETCH(QString, failing);
    Viewer viewer;
    viewer.show();
    if (!loading)
        viewer.settle();
    else
        viewer.form->timTimer_Timer();
    viewer.pane->failing.insert(failing);

    viewer.click(QStringLiteral("Stop"));
    QVERIFY(!viewer.timer()->isActive());
    QCOMPARE(viewer.pane->requests.last(), QStringLiteral("Stop"));
    QCOMPARE(viewer.caption(), HelpName);
}

void TestForm5::backAndForwardWalkTheHistory()
{
    Viewer viewer;
    viewer.show();
    viewer.settle();
    viewer.pane->names.insert(QStringLiteral("b.htm"), QStringLiteral("B"));
    viewer.enter(QStringLiteral("b.htm"));
    viewer.settle();
    QCOMPARE(viewer.caption(), QStringLiteral("B"));

    viewer.click(QStringLiteral("Back"));
    viewer.form->timTimer_Timer();
    QCOMPARE(viewer.caption(), Connecting);
    viewer.settle();
    QCOMPARE(viewer.caption(), HelpName);

    viewer.click(QStringLiteral("Forward"));
    viewer.settle();
    QCOMPARE(viewer.caption(), QStringLiteral("B"));
    QCOMPARE(viewer.list(), (QStringList { Form5::startAddress(), "b.htm" }));
}

void TestForm5::addressList_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QStringList>("added");

    const QString start = Form5::startAddress();
    QTest::newRow("Enter on a new address") << "b.htm"
                                            << "Enter" << false << QStringList { "b.htm" };
    QTest::newRow("Enter on a listed address")
        << start << "Enter" << false << QStringList { start };
    QTest::newRow("Enter on an address with blanks")
        << " b.htm "
        << "Enter" << false << QStringList { " b.htm " };
    QTest::newRow("Enter on a refused address") << "b.htm"
                                                << "Enter" << true << QStringList {};
    QTest::newRow("typing without Enter") << "b.htm"
                                          << "" << false << QStringList {};
    QTest::newRow("go button") << "b.htm"
                               << "go" << false << QStringList { "b.htm" };
    QTest::newRow("go button with an empty box") << ""
                                                 << "go" << false << QStringList { "" };
    QTest::newRow("go button with an empty box refused") << ""
                                                         << "go" << true << QStringList {};
}

void TestForm5::addressList()
{
    QFETCH(QString, typed);
    QFETCH(QString, how);
    QFETCH(bool, refused);
    QFETCH(QStringList, added);
    Viewer viewer;
    viewer.show();
    viewer.settle();
    if (refused)
        viewer.pane->failing.insert(QStringLiteral("Navigate"));

    viewer.addressEdit()->clear();
    QTest::keyClicks(viewer.addressEdit(), typed);
    if (how == QLatin1String("Enter"))
        QTest::keyClick(viewer.addressEdit(), Qt::Key_Return);
    else if (how == QLatin1String("go"))
        QTest::mouseClick(viewer.control<QPushButton>("Command1"), Qt::LeftButton);

    const QStringList requested
        = how.isEmpty() ? QStringList {} : QStringList { "Navigate " + typed };
    QCOMPARE(viewer.pane->requests, requested);
    QCOMPARE(viewer.list(), QStringList { Form5::startAddress() } + added);
    QCOMPARE(viewer.addressBox()->currentText(), typed);
    QCOMPARE(viewer.timer()->isActive(), !how.isEmpty());
}

void TestForm5::steppingThroughTheListNavigates()
{
    Viewer viewer;
    viewer.show();
    viewer.enter(QStringLiteral("b.htm"));
    viewer.enter(QStringLiteral("c.htm"));
    viewer.settle();
    const QString start = Form5::startAddress();
    QCOMPARE(viewer.list(), (QStringList { start, "b.htm", "c.htm" }));

    // Each entry the user steps onto is navigated to and listed once more.
    viewer.addressBox()->setFocus();
    QTest::keyClick(viewer.addressBox(), Qt::Key_Down);
    QCOMPARE(viewer.addressBox()->currentText(), QStringLiteral("b.htm"));
    QTest::keyClick(viewer.addressBox(), Qt::Key_Down);
    QCOMPARE(viewer.pane->requests, (QStringList { "Navigate b.htm", "Navigate c.htm" }));
    QCOMPARE(viewer.list(), (QStringList { start, "b.htm", "c.htm", "b.htm", "c.htm" }));
}

// Qt selects the list entry equal to the text when editing ends, as though
// the user had chosen it; that must not count as a choice.
void TestForm5::leavingTheBoxOnAListedAddressNavigatesNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QStringList>("requests");
    QTest::addColumn<int>("added");

    QTest::newRow("Enter") << "Enter" << QStringList { "Navigate b.htm" } << 1;
    QTest::newRow("go button") << "go" << QStringList { "Navigate b.htm" } << 1;
    QTest::newRow("focus moves away") << "focus" << QStringList {} << 0;
}

void TestForm5::leavingTheBoxOnAListedAddressNavigatesNothing()
{
    QFETCH(QString, how);
    QFETCH(QStringList, requests);
    QFETCH(int, added);
    Viewer viewer;
    viewer.show();
    viewer.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(viewer.form.get()));
    viewer.settle();
    // Listed, while the entry selected is still the start address.
    viewer.addressBox()->addItem(QStringLiteral("b.htm"));
    const int listed = viewer.addressBox()->count();

    viewer.addressEdit()->setFocus();
    viewer.addressEdit()->clear();
    QTest::keyClicks(viewer.addressEdit(), QStringLiteral("b.htm"));
    if (how == QLatin1String("Enter"))
        QTest::keyClick(viewer.addressEdit(), Qt::Key_Return);
    else if (how == QLatin1String("go"))
        QTest::mouseClick(viewer.control<QPushButton>("Command1"), Qt::LeftButton);
    viewer.control<QPushButton>("Command1")->setFocus();

    QCOMPARE(viewer.pane->requests, requests);
    QCOMPARE(viewer.addressBox()->count(), listed + added);
}

void TestForm5::choosingFromTheDropDownNavigates()
{
    Viewer viewer;
    viewer.show();
    viewer.enter(QStringLiteral("b.htm"));
    viewer.settle();
    const QString start = Form5::startAddress();

    QComboBox *box = viewer.addressBox();
    box->showPopup();
    QAbstractItemView *view = box->view();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));
    const QRect entry = view->visualRect(view->model()->index(0, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, entry.center());

    QCOMPARE(viewer.pane->requests, QStringList { "Navigate " + start });
    QCOMPARE(viewer.list(), (QStringList { start, "b.htm", start }));
    QCOMPARE(box->currentText(), start);
}

void TestForm5::altAFocusesTheAddressBox()
{
    Viewer viewer;
    viewer.show();
    viewer.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(viewer.form.get()));
    viewer.control<QPushButton>("Command1")->setFocus();
    QTest::keyClick(viewer.form.get(), Qt::Key_A, Qt::AltModifier);
    QTRY_VERIFY(viewer.addressBox()->hasFocus() || viewer.addressEdit()->hasFocus());
}

void TestForm5::resizeLayout_data()
{
    QTest::addColumn<QSize>("client"); // pixels
    QTest::addColumn<double>("boxWidth"); // twips, from here on
    QTest::addColumn<double>("goLeft");
    QTest::addColumn<double>("paneWidth");
    QTest::addColumn<double>("paneHeight");

    QTest::newRow("design size 10305 x 8400")
        << QSize(687, 560) << 9540.0 << 9640.0 << 10205.0 << 7085.0;
    QTest::newRow("wider and taller 15000 x 10500")
        << QSize(1000, 700) << 14235.0 << 14335.0 << 14900.0 << 9185.0;
    QTest::newRow("exactly as wide as the go button's margins 765")
        << QSize(51, 700) << 0.0 << 100.0 << 665.0 << 9185.0;
    QTest::newRow("narrower than 765: 600") << QSize(40, 700) << 0.0 << -65.0 << 500.0 << 9185.0;
    QTest::newRow("lower than the panels and margin: 1200")
        << QSize(687, 80) << 9540.0 << 9640.0 << 10205.0 << 0.0;
    QTest::newRow("one pixel") << QSize(1, 1) << 0.0 << -650.0 << 0.0 << 0.0;
}

void TestForm5::resizeLayout()
{
    QFETCH(QSize, client);
    QFETCH(double, boxWidth);
    QFETCH(double, goLeft);
    QFETCH(double, paneWidth);
    QFETCH(double, paneHeight);
    Viewer viewer;
    viewer.show();
    viewer.form->resize(client);
    QTRY_COMPARE(viewer.form->size(), client);

    QCOMPARE(viewer.addressBox()->width(), pixels(boxWidth));
    QCOMPARE(viewer.control<QPushButton>("Command1")->x(), pixels(goLeft));
    QCOMPARE(viewer.pane->size(), QSize(pixels(paneWidth), pixels(paneHeight)));
    // What the layout leaves alone.
    QCOMPARE(viewer.addressBox()->pos(), gridlore::twips::toPoint(50, 330));
    QCOMPARE(viewer.control<QPushButton>("Command1")->y(), pixels(360));
    QCOMPARE(viewer.control<QPushButton>("Command1")->size(), gridlore::twips::toSize(615, 255));
    QCOMPARE(viewer.pane->pos(), gridlore::twips::toPoint(45, 1320));
    // Docked along the top.
    QCOMPARE(viewer.control<QToolBar>("tbToolBar")->width(), client.width());
    QCOMPARE(viewer.control<QWidget>("picAddress")->width(), client.width());
}

void TestForm5::closingDiscardsTheWindow()
{
    auto *pane = new FakeBrowserPane;
    QPointer<Form5> form = new Form5(pane);
    QPointer<FakeBrowserPane> paneAlive = pane;
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    form->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(form.isNull());
    QVERIFY(paneAlive.isNull());
}

QTEST_MAIN(TestForm5)
#include "test_form5.moc"
