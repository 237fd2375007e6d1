#pragma once

#include "platform/browserpane.h"

#include <QTimer>

class QWebEngineView;

namespace gridlore {

// The browser pane over Qt WebEngine. Its search page is a page of our own,
// given by address, so that searching works without a network.
class WebEnginePane : public BrowserPane
{
    Q_OBJECT

public:
    explicit WebEnginePane(const QString &searchPage, QWidget *parent = nullptr);

    bool Navigate(const QString &address) override;
    bool GoBack() override;
    bool GoForward() override;
    bool GoSearch() override;
    bool Refresh() override;
    bool Stop() override;
    std::optional<bool> Busy() const override;
    std::optional<QString> LocationName() const override;

    QWebEngineView *view() const { return view_; }

private:
    void requestMade();
    void requestTakenUp();

    QWebEngineView *view_ = nullptr;
    QString searchPage_;
    // The engine starts a load some time after it is asked to, and reports
    // nothing in between; a request counts as busy until the engine reacts.
    bool requested_ = false;
    QTimer requestGuard_;
};

} // namespace gridlore
