// The help viewer over the real engine, on the help pages the build lays out
// beside the program, offscreen and without a network.

#include "helpviewer/form5.h"
#include "platform/webenginepane.h"
#include "platform/webengineruntime.h"

#include <QtTest>
#include <QtWebEngineCore>
#include <QtWebEngineWidgets>
#include <QtWidgets>

using gridlore::Form5;

namespace {

constexpr int LoadTimeout = 60000; // the engine starts a process first

// Every request any page makes: the help must need nothing but its own files.
struct RequestLog : QWebEngineUrlRequestInterceptor
{
    QList<QUrl> urls;
    void interceptRequest(QWebEngineUrlRequestInfo &info) override { urls << info.requestUrl(); }
};

QString helpFile(const QString &name)
{
    return QDir::cleanPath(
        QCoreApplication::applicationDirPath() + "/../share/gridlore/helppage/" + name);
}

QVariant evaluate(QWebEngineView *view, const QString &script)
{
    QVariant result;
    bool done = false;
    view->page()->runJavaScript(
        script, [&](const QVariant &value) { result = value, done = true; });
    return QTest::qWaitFor([&] { return done; }, LoadTimeout) ? result : QVariant();
}

// Pictures that did not load, in-page links that lead nowhere, and "css" when
// the style sheet is missing.
const char *const Broken = R"(
    Array.from(document.images).filter(image => image.naturalWidth === 0).map(i => i.src)
        .concat(Array.from(document.querySelectorAll('a[href^="#"]')).map(a => a.getAttribute('href'))
            .filter(target => !document.getElementById(target.slice(1))))
        .concat(document.styleSheets[0]?.cssRules.length ? [] : ['css']))";

// Whether a search for %1 lists passages of the help page, each linked and marked.
const char *const Search = R"(
    document.getElementById('query').value = '%1';
    document.getElementById('search-form').requestSubmit();
    (found => found.length > 0 && found.every(item => item.querySelector('mark')
        && item.querySelector('a').getAttribute('href').startsWith('hlp01.htm#')))
    (Array.from(document.querySelectorAll('#results li'))))";

} // namespace

class TestHelpPage : public QObject
{
    Q_OBJECT

private slots:
    void pagesAreWholeAndOffline();
};

// The opening page, then the search page: titled as its file says, pictures,
// style sheet and in-page links all there, from local files only. The search
// finds passages of the help page however the katakana are written.
void TestHelpPage::pagesAreWholeAndOffline()
{
    RequestLog requests;
    QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(&requests);
    Form5 form;
    form.show();
    QWebEngineView *view = static_cast<gridlore::WebEnginePane *>(form.browser())->view();
    for (const QString page : { "hlp01.htm", "search.htm" }) {
        for (QAction *action : form.findChild<QToolBar *>()->actions())
            if (page == u"search.htm" && action->data().toString() == u"Search")
                action->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!form.busyIndicator()->isActive(), LoadTimeout);
        QFile file(helpFile(page));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains(("<title>" + form.windowTitle() + "</title>").toUtf8()));
        QCOMPARE(view->url(), QUrl::fromLocalFile(helpFile(page)));
        QCOMPARE(evaluate(view, QLatin1String(Broken)).toStringList(), QStringList());
    }
    QTRY_COMPARE_WITH_TIMEOUT(
        evaluate(view, QStringLiteral("document.documentElement.dataset.ready || ''")),
        QVariant(QStringLiteral("true")), LoadTimeout);
    for (const QString query : { "グライダー", "ｸﾞﾗｲﾀﾞｰ" })
        QVERIFY2(evaluate(view, QString::fromUtf8(Search).arg(query)).toBool(), qPrintable(query));
    QVERIFY(!requests.urls.isEmpty());
    for (const QUrl &url : std::as_const(requests.urls))
        QVERIFY2(url.isLocalFile(), qPrintable(url.toString()));
    QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(nullptr);
}

int main(int argc, char *argv[])
{
    gridlore::prepareWebEngine();
    QApplication app(argc, argv);
    TestHelpPage test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_helppage.moc"
