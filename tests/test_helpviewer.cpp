#include "mainwindowfixture.h"
#include "helpviewer/helpviewer.h"
#include "platform/browserpane.h"
#include "platform/webenginepane.h"
#include "platform/webengineruntime.h"

#include <QWebEnginePage>
#include <QWebEngineView>

using gridlore::HelpViewer;

namespace {

// A browser pane that loads nothing by itself. Every request is logged; one
// taken up makes the pane busy until the test calls finish(). The member named
// by `failing` fails. Navigate shows its page at once, whose name is its
// address in capitals; the other moves keep it.
class FakeBrowserPane : public gridlore::BrowserPane
{
public:
    QStringList requests;
    QString failing;
    bool busy = false;
    QString page;

    bool Navigate(const QString &address) override
    {
        return take(QStringLiteral("Navigate ") + address) && !(page = address).isNull();
    }
    bool GoBack() override { return take(QStringLiteral("GoBack")); }
    bool GoForward() override { return take(QStringLiteral("GoForward")); }
    bool GoSearch() override { return take(QStringLiteral("GoSearch")); }
    bool Refresh() override { return take(QStringLiteral("Refresh")); }
    bool Stop() override { return take(QStringLiteral("Stop")) && !(busy = false); }
    std::optional<bool> Busy() const override
    {
        return failing == u"Busy" ? std::nullopt : std::optional(busy);
    }
    std::optional<QString> LocationName() const override { return page.toUpper(); }
    // The page asked for has loaded.
    void finish()
    {
        busy = false;
        emit DownloadComplete();
    }

private:
    bool take(const QString &request)
    {
        requests << request;
        const bool taken = request.section(u' ', 0, 0) != failing;
        busy = busy || taken;
        return taken;
    }
};

// The help page beside the test programs, as in an installed copy.
QString start()
{
    return QDir::toNativeSeparators(QDir::cleanPath(QCoreApplication::applicationDirPath()
        + QStringLiteral("/../share/gridlore/helppage/hlp01.htm")));
}

// A viewer over a fake pane, which belongs to the window; shown and active so
// that keys and focus take effect.
std::unique_ptr<HelpViewer> viewer(FakeBrowserPane *&pane)
{
    pane = new FakeBrowserPane;
    auto form = std::make_unique<HelpViewer>(pane);
    form->show();
    form->activateWindow();
    (void)QTest::qWaitForWindowActive(form.get());
    return form;
}

// What a script in the page evaluates to, once the engine answers.
QVariant evaluate(QWebEnginePage *page, const QString &script)
{
    std::optional<QVariant> result;
    page->runJavaScript(script, [&result](const QVariant &value) { result = value; });
    (void)QTest::qWaitFor([&result] { return result.has_value(); }, 10000);
    return result.value_or(QVariant());
}

QStringList entries(const HelpViewer &form)
{
    QStringList list;
    for (const auto *box = form.findChild<QComboBox *>(); list.size() < box->count();)
        list << box->itemText(int(list.size()));
    return list;
}

} // namespace

class TestHelpViewer : public QObject
{
    Q_OBJECT

public:
    // As the program does before its application exists.
    static void initMain() { gridlore::prepareWebEngine(); }

private slots:
    void controlsFollowTheWindowSize();
    void captionOnOpening_data();
    void captionOnOpening();
    void commandsAskThePane_data();
    void commandsAskThePane();
    void realHelpPage();
};

// The address label's caption and the toolbar's tips; the design's spare
// label hidden. The address box, the go button and the pane follow the right
// and bottom edges, never below 0, at their places in pixels (the layout's
// twips, rounded by hand); the toolbar spans the window. Closing discards
// window and pane.
void TestHelpViewer::controlsFollowTheWindowSize()
{
    FakeBrowserPane *pane = nullptr;
    QPointer<HelpViewer> form = viewer(pane).release();
    QStringList places { control<QLabel>(*form, "addressLabel")->text() };
    for (const QAction *button : form->findChild<QToolBar *>()->actions())
        places << button->toolTip();
    QVERIFY(control(*form, "spareLabel")->isHidden());
    // Then at the design size and at 1 x 1.
    for (const QSize client : { QSize(687, 560), QSize(1, 1) }) {
        form->resize(client);
        QTRY_COMPARE(form->size(), client);
        for (const char *name : { "addressBox", "goButton", "page", "toolBar" })
            places << describe(control(*form, name)).section(u' ', 1, 2);
    }
    QCOMPARE(places,
        QStringList({ "ｱﾄﾞﾚｽ(&A):", "戻る", "進む", "中止", "更新", "ﾎｰﾑ", "検索", "3,22 636x20",
            "643,24 41x17", "3,88 680x472", "0,0 687x36", "3,22 0x20", "-43,24 41x17", "3,88 0x0",
            "0,0 1x36" }));
    QPointer<FakeBrowserPane> kept = pane;
    form->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(form.isNull() && kept.isNull());
}

void TestHelpViewer::captionOnOpening_data()
{
    QTest::addColumn<QString>("failing"); // the pane member that fails
    QTest::addColumn<QString>("events"); // each with the caption after it
    const QString c = QStringLiteral("接続中..."), h = start().toUpper();
    const auto row = [](const char *name, const char *failing, const QString &events) {
        QTest::newRow(name) << QString::fromLatin1(failing) << events;
    };
    row("busy two ticks, then loaded", "",
        QStringLiteral("tick %1 tick %1 loaded %2 tick %2").arg(c, h));
    row("idle, found by the running indicator", "", "idle Form2 wait " + h);
    // Taken as idle, or the indicator would poll for ever.
    row("Busy unreadable", "Busy", "notice " + h + " tick " + h);
}

// The indicator polls until the last event, which finds the pane idle.
void TestHelpViewer::captionOnOpening()
{
    QFETCH(QString, failing);
    QFETCH(QString, events);
    auto *pane = new FakeBrowserPane;
    pane->failing = failing;
    // Not shown, so that no tick comes unasked.
    const auto form = std::make_unique<HelpViewer>(pane);
    QTimer *indicator = form->busyIndicator();
    const QStringList steps = events.split(u' ');
    for (qsizetype i = 0; i < steps.size(); i += 2) {
        if (steps[i] == u"tick")
            form->pollBusy();
        else if (steps[i] == u"wait")
            QVERIFY(QTest::qWaitFor([indicator] { return !indicator->isActive(); }));
        else if (steps[i] == u"loaded")
            pane->finish();
        else if (steps[i] == u"notice")
            emit pane->DownloadComplete();
        else
            pane->busy = false;
        QCOMPARE(form->windowTitle(), steps[i + 1]);
        QCOMPARE(indicator->isActive(), i + 2 < steps.size());
    }
    QCOMPARE(entries(*form), QStringList { start() });
}

void TestHelpViewer::commandsAskThePane_data()
{
    // Once the start page has loaded, the address typed, then: Enter, go, a
    // pick from the drop-down, a toolbar key, or none; the focus then leaves
    // the box.
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("failing");
    // The pane's requests; "polling" while the indicator runs; then the list
    // after the start page.
    QTest::addColumn<QString>("outcome");
    const auto row = [](const char *action, const QString &address, const char *failing,
                         const QString &outcome) {
        QTest::addRow("%s %s%s", action, qPrintable(QFileInfo(address).fileName()),
            *failing ? ", refused" : "")
            << action << address << failing << outcome;
    };
    row("Enter", "c.htm", "", "Navigate c.htm polling c.htm");
    row("Enter", start(), "", "Navigate " + start() + " polling " + start()); // listed again
    row("go", "c.htm", "Navigate", "Navigate c.htm polling");
    // Qt would select the listed entry as though picked when editing ends.
    row("none", start(), "", "");
    row("pick", start(), "", "Navigate " + start() + " polling " + start()); // from the list
    row("Back", "c.htm", "", "GoBack polling");
    row("Forward", "c.htm", "GoForward", "GoForward polling"); // refused, and ignored
    row("Stop", "c.htm", "", "Stop");
    row("Refresh", "c.htm", "", "Refresh polling");
    row("Home", "c.htm", "", "Navigate " + start() + " polling");
    row("Search", "c.htm", "", "GoSearch polling");
}

// Only the go action adds to the list; nothing else changes the box's text;
// once the pane is idle the caption names its page.
void TestHelpViewer::commandsAskThePane()
{
    QFETCH(QString, action);
    QFETCH(QString, address);
    QFETCH(QString, failing);
    FakeBrowserPane *pane = nullptr;
    const auto form = viewer(pane);
    pane->finish();
    form->pollBusy();
    pane->requests.clear();
    pane->failing = failing;
    QComboBox *box = form->findChild<QComboBox *>();
    box->lineEdit()->setFocus();
    box->lineEdit()->clear();
    QTest::keyClicks(box->lineEdit(), address);
    if (action == u"Enter")
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    if (action == u"go")
        QTest::mouseClick(control(*form, "goButton"), Qt::LeftButton);
    if (action == u"pick") {
        box->showPopup();
        QTest::keyClick(box->view(), Qt::Key_Return);
    }
    auto *toolBar = form->findChild<QToolBar *>();
    for (QAction *button : toolBar->actions())
        if (button->data().toString() == action)
            QTest::mouseClick(toolBar->widgetForAction(button), Qt::LeftButton);
    control(*form, "goButton")->setFocus();
    const QString polling = form->busyIndicator()->isActive() ? " polling " : " ";
    pane->finish();
    form->pollBusy();
    QTEST((pane->requests.join(u'|') + polling + entries(*form).mid(1).join(u'|')).trimmed(),
        "outcome");
    QCOMPARE(box->currentText(), address);
    QCOMPARE(form->windowTitle(), *pane->LocationName());
}

// Every picture of the page shown, its style sheets loaded and in effect, and
// every link to one of the help's two pages, to a place on it where it names one.
const char allLoaded[] = R"(
    Array.from(document.images).every(image => image.complete && image.naturalWidth > 0)
        && document.styleSheets.length == document.querySelectorAll('link[rel=stylesheet]').length
        && getComputedStyle(document.body).maxWidth != 'none'
        && Array.from(document.links).every(link => /\/(hlp01|search)\.htm$/.test(link.pathname)
            && (link.pathname != location.pathname || !link.hash
                || document.getElementById(link.hash.slice(1)))))";
// One search on the search page: how many results lead into the help page.
const char searchGlider[] = R"(
    document.getElementById('query').value = 'グライダー';
    document.getElementById('search-form').requestSubmit();
    document.querySelectorAll('#results li a[href*="hlp01.htm#"]').length)";

// The help page in the real viewer and web engine, offline, opened from the
// main window's menu; run only by the test labelled webengine.
void TestHelpViewer::realHelpPage()
{
    if (!qEnvironmentVariableIsSet("GRIDLORE_TEST_WEBENGINE"))
        QSKIP("needs a web engine: run as the CTest test labelled webengine");
    const auto main = shownMainWindow();
    // Each menu item, chosen twice, shows the one window it keeps.
    const auto open = [&main](const char *item, const auto &kept) {
        control<QAction>(*main, item)->trigger();
        const QPointer<QWidget> first = kept();
        control<QAction>(*main, item)->trigger();
        const auto shown = std::ranges::count_if(QApplication::topLevelWidgets(),
            [&main](QWidget *window) { return window->isVisible() && window != main.get(); });
        return shown == 1 && first == kept();
    };
    QVERIFY(open("aboutAction", [&main] { return main->aboutBox(); }));
    main->aboutBox()->close();
    QVERIFY(open("helpAction", [&main] { return main->helpViewer(); }));
    HelpViewer *form = main->helpViewer();
    auto *pane = qobject_cast<gridlore::WebEnginePane *>(form->browser());
    QVERIFY(pane);
    QWebEnginePage *page = pane->view()->page();
    QSignalSpy loads(page, &QWebEnginePage::loadFinished);

    // The page, its pictures and its style sheet, every request answered; the
    // caption the page's title.
    QTRY_VERIFY_WITH_TIMEOUT(loads.size() == 1 && !form->busyIndicator()->isActive(), 30000);
    const QString home = page->title();
    QCOMPARE(form->windowTitle(), home);
    QTRY_VERIFY_WITH_TIMEOUT(evaluate(page, QString::fromUtf8(allLoaded)).toBool(), 10000);
    QVERIFY(evaluate(page, QStringLiteral("document.images.length")).toInt() > 0);
    QCOMPARE(loads.size(), 1);
    QCOMPARE(loads.first().first(), QVariant(true));

    // A request counts as busy before the engine has begun to load it.
    const auto button = [form](const char *key) {
        for (QAction *action : form->findChild<QToolBar *>()->actions())
            if (action->data() == QLatin1String(key))
                form->runToolBarCommand(action);
    };
    button("Search");
    QCOMPARE(pane->Busy(), std::optional(true));
    QTRY_COMPARE_WITH_TIMEOUT(
        evaluate(page, QStringLiteral("document.documentElement.dataset.ready")), "true", 30000);
    QVERIFY(evaluate(page, QString::fromUtf8(searchGlider)).toInt() > 0);
    QVERIFY(evaluate(page, QString::fromUtf8(allLoaded)).toBool());

    // Stop before the load has begun leaves nothing pending; the next request
    // is carried out.
    button("Home");
    button("Stop");
    QTRY_COMPARE_WITH_TIMEOUT(pane->Busy(), std::optional(false), 1000);
    button("Home");
    QTRY_COMPARE_WITH_TIMEOUT(form->windowTitle(), home, 30000);
}

QTEST_MAIN(TestHelpViewer)
#include "test_helpviewer.moc"
