#include "helpviewer/form5.h"
#include "mainwindow/form1.h"
#include "platform/application.h"
#include "platform/webenginepane.h"
#include "platform/webengineruntime.h"

#include <QAction>
#include <QComboBox>
#include <QRegularExpression>
#include <QToolBar>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>
#include <QtTest>

#include <utility>

using gridlore::Form5;
using gridlore::WebEnginePane;

namespace {

// Pages can take a while on a loaded machine; the engine starts a process
// for them first.
constexpr int LoadTimeout = 60000;

// Every request any page makes (called on the main thread): the help must
// need nothing but its own files.
class RequestLog : public QWebEngineUrlRequestInterceptor
{
public:
    QList<QUrl> urls;
    void interceptRequest(QWebEngineUrlRequestInfo &info) override { urls << info.requestUrl(); }
};

QString helpFile(const QString &name)
{
    return QDir(gridlore::applicationFolder()).filePath(QStringLiteral("helppage/") + name);
}

// The <title> of a built help file, read from the file itself.
QString titleOf(const QString &name)
{
    QFile file(helpFile(name));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    static const QRegularExpression title(QStringLiteral("<title>(.*?)</title>"));
    return title.match(QString::fromUtf8(file.readAll())).captured(1);
}

QVariant evaluate(QWebEngineView *view, const QString &script)
{
    QVariant result;
    bool done = false;
    view->page()->runJavaScript(script, [&](const QVariant &value) {
        result = value;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, LoadTimeout))
        return QStringLiteral("no answer from the page");
    return result;
}

} // namespace

class TestHelpViewerWebEngine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void viewerShowsTheHelpPages_data();
    void viewerShowsTheHelpPages();
    void paneNavigate_data();
    void paneNavigate();
    void mainWindowKeepsOneViewer();

private:
    RequestLog requests_;
};

void TestHelpViewerWebEngine::initTestCase()
{
    QVERIFY2(!titleOf(QStringLiteral("hlp01.htm")).isEmpty(), "the help pages are not built");
    QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(&requests_);
}

void TestHelpViewerWebEngine::viewerShowsTheHelpPages_data()
{
    QTest::addColumn<QStringList>("buttons"); // clicked once the viewer has opened
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("query"); // searched for on the search page

    QTest::newRow("opening") << QStringList {} << "hlp01.htm"
                             << "";
    QTest::newRow("Search for a word of the help") << QStringList { "Search" } << "search.htm"
                                                   << "グライダー";
    QTest::newRow("Search for it in half-width katakana")
        << QStringList { "Search" } << "search.htm"
        << "ｸﾞﾗｲﾀﾞｰ";
    QTest::newRow("Search, then Home") << QStringList { "Search", "Home" } << "hlp01.htm"
                                       << "";
}

// The page whole (pictures, style sheet, in-page links), from its own files
// only, and the address list untouched.
void TestHelpViewerWebEngine::viewerShowsTheHelpPages()
{
    QFETCH(QStringList, buttons);
    QFETCH(QString, page);
    QFETCH(QString, query);
    requests_.urls.clear();
    Form5 form;
    form.show();
    QTRY_VERIFY_WITH_TIMEOUT(!form.busyIndicator()->isActive(), LoadTimeout);
    for (const QString &key : buttons) {
        for (QAction *action : form.findChild<QToolBar *>()->actions()) {
            if (action->data().toString() == key)
                action->trigger();
        }
        QTRY_VERIFY_WITH_TIMEOUT(!form.busyIndicator()->isActive(), LoadTimeout);
    }
    QWebEngineView *view = static_cast<WebEnginePane *>(form.browser())->view();
    QCOMPARE(form.windowTitle(), titleOf(page));
    QCOMPARE(view->url(), QUrl::fromLocalFile(helpFile(page)));
    QCOMPARE(form.findChild<QComboBox *>()->count(), 1);

    const QStringList missing = evaluate(view,
        QStringLiteral("Array.from(document.images)"
                       "  .filter(image => image.naturalWidth === 0).map(image => image.src)"
                       ".concat(Array.from(document.querySelectorAll('a[href^=\"#\"]'))"
                       "  .map(link => link.getAttribute('href'))"
                       "  .filter(target => !document.getElementById(target.slice(1))))"
                       ".concat(document.styleSheets[0]?.cssRules.length ? [] : ['style'])"))
                                    .toStringList();
    QCOMPARE(missing, QStringList());
    if (!query.isEmpty()) {
        // The search page reads the help page's own file; every passage found
        // links into it and shows the word marked.
        QTRY_COMPARE_WITH_TIMEOUT(
            evaluate(view, QStringLiteral("document.documentElement.dataset.ready || ''"))
                .toString(),
            QStringLiteral("true"), LoadTimeout);
        QVERIFY(evaluate(view,
            QStringLiteral("document.getElementById('query').value = '%1';"
                           "document.getElementById('search-form').requestSubmit();"
                           "(found => found.length > 0 && found.every(item =>"
                           "    item.querySelector('mark') && item.querySelector('a')"
                           "        .getAttribute('href').startsWith('hlp01.htm#')))"
                           "(Array.from(document.querySelectorAll('#results li')))")
                .arg(query))
                    .toBool());
    }
    QVERIFY(!requests_.urls.isEmpty());
    for (const QUrl &url : std::as_const(requests_.urls))
        QVERIFY2(url.isLocalFile(), qPrintable(url.toString()));
}

void TestHelpViewerWebEngine::paneNavigate_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QUrl>("shown");
    QTest::addColumn<bool>("stop"); // at once, before the engine reports anything

    const QString help = Form5::startAddress();
    const QString missing = helpFile(QStringLiteral("missing.htm"));
    QTest::newRow("file address") << QUrl::fromLocalFile(help).toString() << true
                                  << QUrl::fromLocalFile(help) << false;
    QTest::newRow("missing local file") << missing << true << QUrl::fromLocalFile(missing) << false;
    QTest::newRow("empty") << "" << false << QUrl() << false;
    QTest::newRow("malformed") << "http://[" << false << QUrl() << false;
    QTest::newRow("local path, stopped") << help << true << QUrl() << true;
}

void TestHelpViewerWebEngine::paneNavigate()
{
    QFETCH(QString, address);
    QFETCH(bool, accepted);
    QFETCH(QUrl, shown);
    QFETCH(bool, stop);
    WebEnginePane pane(helpFile(QStringLiteral("search.htm")));
    QSignalSpy completions(&pane, &gridlore::BrowserPane::DownloadComplete);

    QCOMPARE(pane.Navigate(address), accepted);
    // Busy from the request on, so a poll straight after it sees the load.
    QCOMPARE(*pane.Busy(), accepted);
    if (stop) {
        QVERIFY(pane.Stop());
        QCOMPARE(*pane.Busy(), false);
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(!*pane.Busy(), LoadTimeout);
    if (accepted) {
        QVERIFY(completions.count() >= 1);
        QCOMPARE(pane.view()->url(), shown);
        QVERIFY(!pane.LocationName()->isEmpty());
    }
}

// One kept viewer, only brought to the front while open, built anew after
// closing.
void TestHelpViewerWebEngine::mainWindowKeepsOneViewer()
{
    const QString helpTitle = titleOf(QStringLiteral("hlp01.htm"));
    gridlore::Form1 main;
    main.mnu_lecture_Click();
    QPointer<Form5> first = main.helpViewer();
    QVERIFY(first && first->isVisible() && !first->parentWidget());
    QTRY_COMPARE_WITH_TIMEOUT(first->windowTitle(), helpTitle, LoadTimeout);
    first->findChild<QComboBox *>()->addItem(QStringLiteral("x"));

    main.mnu_lecture_Click();
    QCOMPARE(main.helpViewer(), first.data());
    QCOMPARE(first->findChild<QComboBox *>()->count(), 2);
    QCOMPARE(first->windowTitle(), helpTitle);

    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull() && !main.helpViewer());
    main.mnu_lecture_Click();
    QVERIFY(main.helpViewer());
    QCOMPARE(main.helpViewer()->windowTitle(), QStringLiteral("Form2"));
    QCOMPARE(main.helpViewer()->findChild<QComboBox *>()->count(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(main.helpViewer()->windowTitle(), helpTitle, LoadTimeout);
}

int main(int argc, char *argv[])
{
    gridlore::prepareWebEngine();
    QApplication app(argc, argv);
    TestHelpViewerWebEngine test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_helpviewer_webengine.moc"
