#include "helpviewer/form5.h"
#include "mainwindow/form1.h"
#include "platform/application.h"
#include "platform/webenginepane.h"
#include "platform/webengineruntime.h"

#include <QAction>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMutex>
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

// Every request any page makes: the help must need nothing but its own files.
class RequestLog : public QWebEngineUrlRequestInterceptor
{
public:
    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        QMutexLocker lock(&mutex_);
        urls_ << info.requestUrl();
    }
    QList<QUrl> take()
    {
        QMutexLocker lock(&mutex_);
        return std::exchange(urls_, {});
    }

private:
    QMutex mutex_;
    QList<QUrl> urls_;
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

QWebEngineView *viewOf(const Form5 &form)
{
    auto *pane = qobject_cast<WebEnginePane *>(form.browser());
    return pane ? pane->view() : nullptr;
}

void clickButton(Form5 &form, const QString &key)
{
    for (QAction *action : form.findChild<QToolBar *>(QStringLiteral("tbToolBar"))->actions()) {
        if (action->data().toString() == key)
            action->trigger();
    }
}

QStringList addressList(const Form5 &form)
{
    auto *box = form.findChild<QComboBox *>(QStringLiteral("cboAddress"));
    QStringList entries;
    for (int i = 0; i < box->count(); ++i)
        entries << box->itemText(i);
    return entries;
}

} // namespace

class TestHelpViewerWebEngine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void openingLoadsTheHelpPage();
    void searchShowsTheSearchPage();
    void searchFindsWordsInTheHelp_data();
    void searchFindsWordsInTheHelp();
    void helpPageIsWhole_data();
    void helpPageIsWhole();
    void followingALinkLeavesTheListAlone();
    void helpPagesNeedNoNetwork();

    void paneNavigate_data();
    void paneNavigate();
    void freshPaneHasNoHistory();
    void stopEndsTheBusyPeriod();

    void mainWindowKeepsOneViewer();

private:
    RequestLog requests_;
};

void TestHelpViewerWebEngine::initTestCase()
{
    QVERIFY2(QFile::exists(Form5::startAddress()), "the help page is not built");
    QVERIFY(!titleOf(QStringLiteral("hlp01.htm")).isEmpty());
    QVERIFY(!titleOf(QStringLiteral("search.htm")).isEmpty());
    QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(&requests_);
}

void TestHelpViewerWebEngine::openingLoadsTheHelpPage()
{
    Form5 form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Form2"));
    QWebEngineView *view = viewOf(form);
    QVERIFY(view);
    form.show();
    QTRY_COMPARE_WITH_TIMEOUT(
        form.windowTitle(), titleOf(QStringLiteral("hlp01.htm")), LoadTimeout);
    QTRY_VERIFY(!form.busyIndicator()->isActive());
    QCOMPARE(view->url(), QUrl::fromLocalFile(Form5::startAddress()));
    QCOMPARE(addressList(form), QStringList { Form5::startAddress() });
}

void TestHelpViewerWebEngine::searchShowsTheSearchPage()
{
    Form5 form;
    form.show();
    QTRY_COMPARE_WITH_TIMEOUT(
        form.windowTitle(), titleOf(QStringLiteral("hlp01.htm")), LoadTimeout);
    clickButton(form, QStringLiteral("Search"));
    QTRY_COMPARE_WITH_TIMEOUT(
        form.windowTitle(), titleOf(QStringLiteral("search.htm")), LoadTimeout);
    QCOMPARE(viewOf(form)->url(), QUrl::fromLocalFile(helpFile(QStringLiteral("search.htm"))));
    QCOMPARE(addressList(form), QStringList { Form5::startAddress() });

    clickButton(form, QStringLiteral("Home"));
    QTRY_COMPARE_WITH_TIMEOUT(
        form.windowTitle(), titleOf(QStringLiteral("hlp01.htm")), LoadTimeout);
    QCOMPARE(viewOf(form)->url(), QUrl::fromLocalFile(Form5::startAddress()));
}

void TestHelpViewerWebEngine::searchFindsWordsInTheHelp_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("sameAs"); // a query that must find the same passages
    QTest::addColumn<bool>("found");

    QTest::newRow("グライダー") << "グライダー"
                                << "" << true;
    QTest::newRow("ｸﾞﾗｲﾀﾞｰ in half-width katakana") << "ｸﾞﾗｲﾀﾞｰ"
                                                    << "グライダー" << true;
    QTest::newRow("rle in small letters") << "rle"
                                          << "RLE" << true;
    QTest::newRow("ＲＬＥ in full-width letters") << "ＲＬＥ"
                                                  << "RLE" << true;
    QTest::newRow("自動Stop") << "自動Stop"
                              << "" << true;
    QTest::newRow("a word the help lacks") << "ペンギン"
                                           << "" << false;
    QTest::newRow("blanks only") << "   "
                                 << "" << false;
    QTest::newRow("markup is not text") << "<h2"
                                        << "" << false;
}

void TestHelpViewerWebEngine::searchFindsWordsInTheHelp()
{
    QFETCH(QString, query);
    QFETCH(QString, sameAs);
    QFETCH(bool, found);
    Form5 form;
    form.show();
    clickButton(form, QStringLiteral("Search"));
    QTRY_COMPARE_WITH_TIMEOUT(
        form.windowTitle(), titleOf(QStringLiteral("search.htm")), LoadTimeout);
    QWebEngineView *view = viewOf(form);
    QTRY_COMPARE_WITH_TIMEOUT(
        evaluate(view, QStringLiteral("document.documentElement.dataset.ready || ''")).toString(),
        QStringLiteral("true"), LoadTimeout);

    // The passages found: the section each links to and the text it shows.
    const auto search = [view](const QString &words) {
        const QString script
            = QStringLiteral("document.getElementById('query').value = %1;"
                             "document.getElementById('search-form').requestSubmit();"
                             "Array.from(document.querySelectorAll('#results li'))"
                             "     .map(item => item.querySelector('a').getAttribute('href') + ' '"
                             "                  + item.querySelector('mark').textContent)")
                  .arg(QString::fromUtf8(
                           QJsonDocument(QJsonArray { words }).toJson(QJsonDocument::Compact))
                      + QStringLiteral("[0]"));
        return evaluate(view, script).toStringList();
    };
    const QStringList passages = search(query);
    QCOMPARE(!passages.isEmpty(), found);
    for (const QString &passage : passages)
        QVERIFY2(passage.startsWith(QStringLiteral("hlp01.htm#")), qPrintable(passage));
    if (!sameAs.isEmpty()) {
        QStringList expected;
        for (const QString &passage : search(sameAs))
            expected << passage.section(QLatin1Char(' '), 0, 0);
        QStringList sections;
        for (const QString &passage : passages)
            sections << passage.section(QLatin1Char(' '), 0, 0);
        QCOMPARE(sections, expected);
    }
}

void TestHelpViewerWebEngine::helpPageIsWhole_data()
{
    QTest::addColumn<QString>("page");
    QTest::newRow("hlp01.htm") << "hlp01.htm";
    QTest::newRow("search.htm") << "search.htm";
}

// Every picture, style sheet and in-page link of a help page is there.
void TestHelpViewerWebEngine::helpPageIsWhole()
{
    QFETCH(QString, page);
    WebEnginePane pane(helpFile(QStringLiteral("search.htm")));
    QVERIFY(pane.Navigate(helpFile(page)));
    QTRY_VERIFY_WITH_TIMEOUT(!*pane.Busy(), LoadTimeout);
    QCOMPARE(*pane.LocationName(), titleOf(page));

    const QStringList brokenImages = evaluate(pane.view(),
        QStringLiteral("Array.from(document.images)"
                       "  .filter(image => image.naturalWidth === 0)"
                       "  .map(image => image.src)"))
                                         .toStringList();
    QCOMPARE(brokenImages, QStringList());
    const QStringList missingTargets = evaluate(pane.view(),
        QStringLiteral("Array.from(document.querySelectorAll('a[href^=\"#\"]'))"
                       "  .map(link => link.getAttribute('href').slice(1))"
                       "  .filter(id => !document.getElementById(id))"))
                                           .toStringList();
    QCOMPARE(missingTargets, QStringList());
    QCOMPARE(evaluate(pane.view(),
                 QStringLiteral("document.styleSheets.length > 0 &&"
                                "document.styleSheets[0].cssRules.length > 0"))
                 .toBool(),
        true);
}

void TestHelpViewerWebEngine::followingALinkLeavesTheListAlone()
{
    Form5 form;
    form.show();
    QTRY_COMPARE_WITH_TIMEOUT(
        form.windowTitle(), titleOf(QStringLiteral("hlp01.htm")), LoadTimeout);
    QTRY_VERIFY(!form.busyIndicator()->isActive());
    QSignalSpy captions(&form, &QWidget::windowTitleChanged);

    evaluate(
        viewOf(form), QStringLiteral("document.querySelector('a[href=\"search.htm\"]').click()"));
    QTRY_COMPARE_WITH_TIMEOUT(
        form.windowTitle(), titleOf(QStringLiteral("search.htm")), LoadTimeout);
    QVERIFY(!form.busyIndicator()->isActive());
    for (const QList<QVariant> &caption : captions)
        QVERIFY(caption.at(0).toString() != QStringLiteral("接続中..."));
    QCOMPARE(addressList(form), QStringList { Form5::startAddress() });
}

void TestHelpViewerWebEngine::helpPagesNeedNoNetwork()
{
    requests_.take();
    Form5 form;
    form.show();
    QTRY_COMPARE_WITH_TIMEOUT(
        form.windowTitle(), titleOf(QStringLiteral("hlp01.htm")), LoadTimeout);
    clickButton(form, QStringLiteral("Search"));
    QTRY_COMPARE_WITH_TIMEOUT(
        form.windowTitle(), titleOf(QStringLiteral("search.htm")), LoadTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(
        evaluate(viewOf(form), QStringLiteral("document.documentElement.dataset.ready || ''"))
            .toString(),
        QStringLiteral("true"), LoadTimeout);

    const QList<QUrl> urls = requests_.take();
    QVERIFY(!urls.isEmpty());
    for (const QUrl &url : urls)
        QVERIFY2(url.isLocalFile(), qPrintable(url.toString()));
}

void TestHelpViewerWebEngine::paneNavigate_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QUrl>("shown");

    const QString help = Form5::startAddress();
    QTest::newRow("local path") << help << true << QUrl::fromLocalFile(help);
    QTest::newRow("file address") << QUrl::fromLocalFile(help).toString() << true
                                  << QUrl::fromLocalFile(help);
    const QString missing = helpFile(QStringLiteral("missing.htm"));
    QTest::newRow("missing local file") << missing << true << QUrl::fromLocalFile(missing);
    QTest::newRow("empty") << "" << false << QUrl();
    QTest::newRow("malformed") << "http://[" << false << QUrl();
}

void TestHelpViewerWebEngine::paneNavigate()
{
    QFETCH(QString, address);
    QFETCH(bool, accepted);
    QFETCH(QUrl, shown);
    WebEnginePane pane(helpFile(QStringLiteral("search.htm")));
    QSignalSpy completions(&pane, &gridlore::BrowserPane::DownloadComplete);

    QCOMPARE(pane.Navigate(address), accepted);
    // Busy from the request on, so a poll straight after it sees the load.
    QCOMPARE(*pane.Busy(), accepted);
    QTRY_VERIFY_WITH_TIMEOUT(!*pane.Busy(), LoadTimeout);
    if (accepted) {
        QVERIFY(completions.count() >= 1);
        QCOMPARE(pane.view()->url(), shown);
        QVERIFY(!pane.LocationName()->isEmpty());
    }
}

void TestHelpViewerWebEngine::freshPaneHasNoHistory()
{
    WebEnginePane pane(helpFile(QStringLiteral("search.htm")));
    QVERIFY(!pane.GoBack());
    QVERIFY(!pane.GoForward());
    QVERIFY(!pane.Refresh());
    QCOMPARE(*pane.Busy(), false);
    QCOMPARE(*pane.LocationName(), QString());

    QVERIFY(pane.GoSearch());
    QTRY_COMPARE_WITH_TIMEOUT(
        *pane.LocationName(), titleOf(QStringLiteral("search.htm")), LoadTimeout);
    QTRY_VERIFY_WITH_TIMEOUT(!*pane.Busy(), LoadTimeout);
    QVERIFY(!pane.GoBack());
    QVERIFY(pane.Refresh());
}

void TestHelpViewerWebEngine::stopEndsTheBusyPeriod()
{
    WebEnginePane pane(helpFile(QStringLiteral("search.htm")));
    QVERIFY(pane.Navigate(Form5::startAddress()));
    QVERIFY(pane.Stop());
    QCOMPARE(*pane.Busy(), false);
}

void TestHelpViewerWebEngine::mainWindowKeepsOneViewer()
{
    const auto viewers = [] {
        int count = 0;
        for (QWidget *widget : QApplication::topLevelWidgets())
            count += qobject_cast<Form5 *>(widget) != nullptr;
        return count;
    };
    const QString helpTitle = titleOf(QStringLiteral("hlp01.htm"));
    gridlore::Form1 main;
    main.mnu_lecture_Click();
    QPointer<Form5> first = main.helpViewer();
    QVERIFY(first);
    QVERIFY(first->isVisible());
    QVERIFY(!first->parentWidget());
    QTRY_COMPARE_WITH_TIMEOUT(first->windowTitle(), helpTitle, LoadTimeout);

    main.mnu_lecture_Click();
    QCOMPARE(main.helpViewer(), first.data());
    QCOMPARE(viewers(), 1);
    QCOMPARE(addressList(*first), QStringList { Form5::startAddress() });
    QCOMPARE(first->windowTitle(), helpTitle);

    first->findChild<QComboBox *>(QStringLiteral("cboAddress"))->addItem(QStringLiteral("x"));
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull());
    QVERIFY(!main.helpViewer());

    main.mnu_lecture_Click();
    Form5 *second = main.helpViewer();
    QVERIFY(second);
    QCOMPARE(second->windowTitle(), QStringLiteral("Form2"));
    QCOMPARE(addressList(*second), QStringList { Form5::startAddress() });
    QTRY_COMPARE_WITH_TIMEOUT(second->windowTitle(), helpTitle, LoadTimeout);
    QCOMPARE(viewers(), 1);
}

int main(int argc, char *argv[])
{
    gridlore::prepareWebEngine();
    QApplication app(argc, argv);
    TestHelpViewerWebEngine test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_helpviewer_webengine.moc"
