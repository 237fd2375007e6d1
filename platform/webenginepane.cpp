#include "platform/webenginepane.h"

#include <QDir>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace gridlore {

namespace {
// Some requests never make the engine report anything (a javascript: address,
// a Stop before the load began); after this long they no longer count as busy.
constexpr int RequestGuardMs = 3000;
} // namespace

WebEnginePane::WebEnginePane(const QString &searchPage, QWidget *parent)
    : BrowserPane(parent)
    , view_(new QWebEngineView(this))
    , searchPage_(searchPage)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    setFocusProxy(view_);

    requestGuard_.setSingleShot(true);
    requestGuard_.setInterval(RequestGuardMs);
    connect(&requestGuard_, &QTimer::timeout, this, &WebEnginePane::requestTakenUp);

    // A same-document move (an anchor in the page) changes only the address.
    connect(view_, &QWebEngineView::loadStarted, this, &WebEnginePane::requestTakenUp);
    connect(view_, &QWebEngineView::urlChanged, this, &WebEnginePane::requestTakenUp);
    connect(view_, &QWebEngineView::loadFinished, this, [this] {
        requestTakenUp();
        emit DownloadComplete();
    });
}

bool WebEnginePane::Navigate(const QString &address)
{
    // A full address is taken as written or not at all; anything shorter is
    // completed as a browser's address bar would ("example.org").
    QUrl url;
    if (QDir::isAbsolutePath(address))
        url = QUrl::fromLocalFile(address);
    else if (address.contains(QLatin1String("://")))
        url = QUrl(address, QUrl::StrictMode);
    else
        url = QUrl::fromUserInput(address);
    // An empty or malformed address names no page; the engine would show a
    // blank one instead.
    if (address.isEmpty() || !url.isValid())
        return false;
    view_->load(url);
    requestMade();
    return true;
}

bool WebEnginePane::GoBack()
{
    if (!view_->history()->canGoBack())
        return false;
    view_->back();
    requestMade();
    return true;
}

bool WebEnginePane::GoForward()
{
    if (!view_->history()->canGoForward())
        return false;
    view_->forward();
    requestMade();
    return true;
}

bool WebEnginePane::GoSearch()
{
    return Navigate(searchPage_);
}

bool WebEnginePane::Refresh()
{
    if (view_->url().isEmpty())
        return false;
    view_->reload();
    requestMade();
    return true;
}

bool WebEnginePane::Stop()
{
    view_->stop();
    requestTakenUp();
    return true;
}

std::optional<bool> WebEnginePane::Busy() const
{
    return requested_ || view_->page()->isLoading();
}

std::optional<QString> WebEnginePane::LocationName() const
{
    return view_->title();
}

void WebEnginePane::requestMade()
{
    requested_ = true;
    requestGuard_.start();
}

void WebEnginePane::requestTakenUp()
{
    requested_ = false;
    requestGuard_.stop();
}

} // namespace gridlore
