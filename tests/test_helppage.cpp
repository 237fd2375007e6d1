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

} // namespace

class TestHelpPage : public QObject
{
    Q_OBJECT

private slots:
    void pagesAreWholeAndOffline_data();
    void pagesAreWholeAndOffline();
};

void TestHelpPage::pagesAreWholeAndOffline_data()
{
    QTest::addColumn<QString>("query"); // none: the opening page, else searched for
    QTest::newRow("opening") << QString();
    QTest::newRow("Search グライダー") << QStringLiteral("グライダー");
    QTest::newRow("Search ｸﾞﾗｲﾀﾞｰ") << QStringLiteral("ｸﾞﾗｲﾀﾞｰ");
}

// Titled as the file says, pictures, style sheet and in-page links all there,
// from local files only; the search finds passages of the help page, linked
// and marked.
void TestHelpPage::pagesAreWholeAndOffline()
{
    QFETCH(QString, query);
    RequestLog requests;
    QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(&requests);
    Form5 form;
    form.show();
    QTRY_VERIFY_WITH_TIMEOUT(!form.busyIndicator()->isActive(), LoadTimeout);
    for (QAction *action : form.findChild<QToolBar *>()->actions())
        if (!query.isEmpty() && action->data().toString() == u"Search")
            action->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(!form.busyIndicator()->isActive(), LoadTimeout);
    const QString page
        = query.isEmpty() ? QStringLiteral("hlp01.htm") : QStringLiteral("search.htm");
    QWebEngineView *view = static_cast<gridlore::WebEnginePane *>(form.browser())->view();
    QFile file(helpFile(page));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(
        QString::fromUtf8(file.readAll()).contains("<title>" + form.windowTitle() + "</title>"));
    QCOMPARE(view->url(), QUrl::fromLocalFile(helpFile(page)));
    QCOMPARE(evaluate(view,
                 QStringLiteral("Array.from(document.images)"
                                "  .filter(image => image.naturalWidth === 0).map(i => i.src)"
                                ".concat(Array.from(document.querySelectorAll('a[href^=\"#\"]'))"
                                "  .map(link => link.getAttribute('href'))"
                                "  .filter(target => !document.getElementById(target.slice(1))))"
                                ".concat(document.styleSheets[0]?.cssRules.length ? [] : ['css'])"))
                 .toStringList(),
        QStringList());
    if (!query.isEmpty()) {
        QTRY_COMPARE_WITH_TIMEOUT(
            evaluate(view, QStringLiteral("document.documentElement.dataset.ready || ''")),
            QVariant(QStringLiteral("true")), LoadTimeout);
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
