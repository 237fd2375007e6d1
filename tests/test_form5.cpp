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
#include <QtTest>

#include <memory>

using gridlore::Form5;
using namespace gridlore::twips;

namespace {

const QString Connecting = QStringLiteral("接続中...");
const QString HelpName = QStringLiteral("Gridloreの使い方");

// A viewer over a fake pane; the pane belongs to the window.
struct Viewer
{
    FakeBrowserPane *pane = new FakeBrowserPane;
    std::unique_ptr<Form5> form;

    explicit Viewer(const QString &failing = {})
    {
        pane->failing = { failing };
        pane->names.insert(Form5::startAddress(), HelpName);
        form = std::make_unique<Form5>(pane);
    }
    template <typename T = QWidget> T *control(const char *name) const
    {
        return form->findChild<T *>(QString::fromLatin1(name));
    }
    QComboBox *box() const { return control<QComboBox>("cboAddress"); }
    QLineEdit *edit() const { return box()->lineEdit(); }
    QStringList list() const
    {
        QStringList entries;
        for (int i = 0; i < box()->count(); ++i)
            entries << box()->itemText(i);
        return entries;
    }
    // Active, so that keys and focus changes take effect.
    void show() const
    {
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    // The page has loaded and the indicator has gone idle.
    void settle() const
    {
        pane->finish();
        form->timTimer_Timer();
        pane->requests.clear();
    }
    // The user types the text into the address box, then presses Enter,
    // clicks the go button ("go") or the toolbar button with this key, or
    // does nothing more.
    void act(const QString &action, const QString &text) const
    {
        edit()->setFocus();
        edit()->clear();
        QTest::keyClicks(edit(), text);
        if (action == QLatin1String("Enter"))
            QTest::keyClick(edit(), Qt::Key_Return);
        if (action == QLatin1String("go"))
            QTest::mouseClick(control("Command1"), Qt::LeftButton);
        auto *toolBar = control<QToolBar>("tbToolBar");
        for (QAction *button : toolBar->actions()) {
            if (button->data().toString() == action)
                QTest::mouseClick(toolBar->widgetForAction(button), Qt::LeftButton);
        }
    }
};

} // namespace

class TestForm5 : public QObject
{
    Q_OBJECT

private slots:
    void opensInItsDesignState();
    void captionOnOpening_data();
    void captionOnOpening();
    void stopOrRefusedCommandKeepsThePage_data();
    void stopOrRefusedCommandKeepsThePage();
    void addressList_data();
    void addressList();
    void resizeLayout_data();
    void resizeLayout();
    void closingDiscardsTheWindow();
};

void TestForm5::opensInItsDesignState()
{
    Viewer viewer;
    const QString start
        = QDir(gridlore::applicationFolder()).filePath(QStringLiteral("helppage/hlp01.htm"));
    QCOMPARE(Form5::startAddress(), start);
    QCOMPARE(viewer.form->windowTitle(), QStringLiteral("Form2"));
    QCOMPARE(viewer.form->size(), toSize(10305, 8400));
    QCOMPARE(viewer.list(), QStringList { start });
    QCOMPARE(viewer.pane->requests, QStringList { "Navigate " + start });
    QCOMPARE(viewer.form->busyIndicator()->interval(), 5);
    QCOMPARE(viewer.control<QLabel>("lblAddress")->text(), QStringLiteral("ｱﾄﾞﾚｽ(&A):"));
    QCOMPARE(viewer.control<QLabel>("lblAddress")->buddy(), viewer.box()); // Alt+A
    QCOMPARE(viewer.control<QPushButton>("Command1")->text(), QStringLiteral("移動"));

    auto *toolBar = viewer.control<QToolBar>("tbToolBar");
    QStringList buttons;
    for (QAction *action : toolBar->actions()) {
        buttons << action->data().toString() + QLatin1Char(' ') + action->toolTip();
        QCOMPARE(action->icon().pixmap(QSize(24, 24), 1.0).size(), QSize(24, 24));
    }
    QCOMPARE(buttons,
        (QStringList {
            "Back 戻る", "Forward 進む", "Stop 中止", "Refresh 更新", "Home ﾎｰﾑ", "Search 検索" }));
    QCOMPARE(toolBar->toolButtonStyle(), Qt::ToolButtonIconOnly);

    // The places the layout does not set (see resizeLayout for the others).
    viewer.show();
    QCOMPARE(viewer.control("picAddress")->geometry(), toRect(0, 540, 10305, 675));
    QCOMPARE(viewer.control("lblAddress")->geometry(), toRect(45, 60, 3075, 255));
    QCOMPARE(viewer.control("Label1")->geometry(), toRect(7320, 2160, 2175, 375));
    QVERIFY(viewer.control("Label1")->isHidden());
}

void TestForm5::captionOnOpening_data()
{
    QTest::addColumn<QString>("failing"); // the pane member that fails
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QStringList>("captions");

    QTest::newRow("busy for two ticks, then loaded")
        << "" << QStringList { "tick", "tick", "loaded", "tick" }
        << QStringList { Connecting, Connecting, HelpName, HelpName };
    QTest::newRow("idle without notice before the first tick")
        << "" << QStringList { "idle", "tick" } << QStringList { "Form2", HelpName };
    QTest::newRow("idle, found by the running indicator")
        << "" << QStringList { "idle", "wait" } << QStringList { "Form2", HelpName };
    QTest::newRow("a download ends while the page still loads")
        << "" << QStringList { "tick", "notice", "tick", "loaded", "tick" }
        << QStringList { Connecting, HelpName, Connecting, HelpName, HelpName };
    // Taken as idle, or the indicator would poll for ever.
    QTest::newRow("Busy unreadable while loading")
        << "Busy" << QStringList { "notice", "tick" } << QStringList { HelpName, HelpName };
    QTest::newRow("LocationName unreadable")
        << "LocationName" << QStringList { "idle", "notice", "tick" }
        << QStringList { "Form2", "Form2", "Form2" };
    // The window opens all the same, with no page to name.
    QTest::newRow("start page refused")
        << "Navigate" << QStringList { "tick" } << QStringList { "" };
}

// The indicator polls until the last event, which finds the pane idle.
void TestForm5::captionOnOpening()
{
    QFETCH(QString, failing);
    QFETCH(QStringList, events);
    QFETCH(QStringList, captions);
    Viewer viewer(failing);
    QTimer *indicator = viewer.form->busyIndicator();
    for (qsizetype i = 0; i < events.size(); ++i) {
        if (events[i] == QLatin1String("tick"))
            viewer.form->timTimer_Timer();
        else if (events[i] == QLatin1String("wait"))
            QVERIFY(QTest::qWaitFor([indicator] { return !indicator->isActive(); }));
        else if (events[i] == QLatin1String("loaded"))
            viewer.pane->finish();
        else if (events[i] == QLatin1String("notice"))
            viewer.pane->notice();
        else
            viewer.pane->busy = false;
        QCOMPARE(viewer.form->windowTitle(), captions[i]);
        QCOMPARE(indicator->isActive(), i + 1 < events.size());
    }
    QCOMPARE(viewer.list(), QStringList { Form5::startAddress() });
}

void TestForm5::stopOrRefusedCommandKeepsThePage_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("loading");
    QTest::addColumn<QString>("failing");
    QTest::addColumn<bool>("polling"); // right after the click

    QTest::newRow("Back with no earlier page") << "Back" << false << "" << true;
    QTest::newRow("Forward with no later page") << "Forward" << false << "" << true;
    QTest::newRow("Home refused") << "Home" << false << "Navigate" << true;
    QTest::newRow("go button refused") << "go" << false << "Navigate" << true;
    QTest::newRow("Stop while the page loads") << "Stop" << true << "" << false;
    QTest::newRow("Stop while nothing loads") << "Stop" << false << "" << false;
    QTest::newRow("Stop refused") << "Stop" << true << "Stop" << false;
}

void TestForm5::stopOrRefusedCommandKeepsThePage()
{
    QFETCH(QString, key);
    QFETCH(bool, loading);
    QFETCH(QString, failing);
    QFETCH(bool, polling);
    Viewer viewer;
    viewer.show();
    loading ? viewer.form->timTimer_Timer() : viewer.settle();
    viewer.pane->failing.insert(failing);

    viewer.act(key, Form5::startAddress());
    QCOMPARE(viewer.form->busyIndicator()->isActive(), polling);
    if (polling)
        viewer.form->timTimer_Timer();
    QVERIFY(!viewer.form->busyIndicator()->isActive());
    QCOMPARE(viewer.form->windowTitle(), HelpName);
    QCOMPARE(viewer.pane->page(), Form5::startAddress());
    QCOMPARE(viewer.list(), QStringList { Form5::startAddress() });
    QCOMPARE(viewer.box()->currentText(), Form5::startAddress());
}

void TestForm5::addressList_data()
{
    // Enter, the go button, a toolbar key, or none: the focus then moves away.
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("polling");
    QTest::addColumn<QString>("address"); // typed, or chosen from the drop-down
    QTest::addColumn<QStringList>("requests");
    QTest::addColumn<QStringList>("added");

    const QString start = Form5::startAddress();
    const QStringList none;
    QTest::newRow("Enter on a new address")
        << "Enter" << true << "c.htm" << QStringList { "Navigate c.htm" }
        << QStringList { "c.htm" };
    QTest::newRow("Enter on a listed address")
        << "Enter" << true << "b.htm" << QStringList { "Navigate b.htm" }
        << QStringList { "b.htm" };
    QTest::newRow("go button with an empty box")
        << "go" << true << "" << QStringList { "Navigate " } << QStringList { "" };
    QTest::newRow("choosing from the drop-down")
        << "pick" << true << start << QStringList { "Navigate " + start } << QStringList { start };
    // When editing ends, Qt selects the entry equal to the text as though the
    // user had chosen it.
    QTest::newRow("focus leaves the box on a listed address")
        << "" << false << "b.htm" << none << none;
    // Nothing but the go action adds to the list, nor changes the box's text.
    QTest::newRow("Back") << "Back" << true << "c.htm" << QStringList { "GoBack" } << none;
    QTest::newRow("Forward") << "Forward" << true << "c.htm" << QStringList { "GoForward" } << none;
    QTest::newRow("Stop") << "Stop" << false << "c.htm" << QStringList { "Stop" } << none;
    QTest::newRow("Refresh") << "Refresh" << true << "c.htm" << QStringList { "Refresh" } << none;
    QTest::newRow("Home") << "Home" << true << "c.htm" << QStringList { "Navigate " + start }
                          << none;
    QTest::newRow("Search") << "Search" << true << "c.htm" << QStringList { "GoSearch" } << none;
    QTest::newRow("a link in the page") << "link" << false << "c.htm" << none << none;
}

void TestForm5::addressList()
{
    QFETCH(QString, action);
    QFETCH(bool, polling);
    QFETCH(QString, address);
    QFETCH(QStringList, requests);
    QFETCH(QStringList, added);
    Viewer viewer;
    viewer.show();
    viewer.act(QStringLiteral("Enter"), QStringLiteral("b.htm"));
    viewer.settle(); // b.htm is listed and shown, the start address still selected

    QComboBox *box = viewer.box();
    if (action == QLatin1String("pick")) {
        box->showPopup();
        QAbstractItemView *view = box->view();
        QVERIFY(QTest::qWaitForWindowExposed(view->window()));
        const QModelIndex entry = view->model()->index(box->findText(address), 0);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(entry).center());
    } else {
        viewer.act(action, address);
        if (action == QLatin1String("link"))
            viewer.pane->followLink(QStringLiteral("hlp01.htm#rules"));
    }
    viewer.control("Command1")->setFocus();
    QCOMPARE(viewer.pane->requests, requests);
    QCOMPARE(viewer.form->busyIndicator()->isActive(), polling);

    viewer.settle();
    QCOMPARE(viewer.list(), QStringList({ Form5::startAddress(), "b.htm" }) + added);
    QCOMPARE(box->currentText(), address);
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
    QTest::newRow("narrower than the go button and margins: 600")
        << QSize(40, 700) << 0.0 << -65.0 << 500.0 << 9185.0;
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

    QCOMPARE(viewer.box()->pos(), toPoint(50, 330));
    QCOMPARE(viewer.box()->width(), toSize(boxWidth, 0).width());
    QCOMPARE(viewer.control("Command1")->geometry(), toRect(goLeft, 360, 615, 255));
    QCOMPARE(viewer.pane->geometry(), QRect(toPoint(45, 1320), toSize(paneWidth, paneHeight)));
    QCOMPARE(viewer.control("tbToolBar")->width(), client.width());
    QCOMPARE(viewer.control("picAddress")->width(), client.width());
}

void TestForm5::closingDiscardsTheWindow()
{
    Viewer viewer;
    viewer.show();
    QPointer<Form5> form = viewer.form.release();
    QPointer<FakeBrowserPane> pane = viewer.pane;
    form->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(form.isNull());
    QVERIFY(pane.isNull());
}

QTEST_MAIN(TestForm5)
#include "test_form5.moc"
