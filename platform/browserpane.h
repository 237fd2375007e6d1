#pragma once

#include <QString>
#include <QWidget>

#include <optional>

namespace gridlore {

// The page pane of the help viewer: a web browser reduced to the members the
// viewer calls. Requests return at once and report only whether the pane took
// them up (false: the request failed and nothing was started); the page then
// loads on its own, observed through Busy(), LocationName() and
// DownloadComplete(). The two reads give no value when they fail.
class BrowserPane : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;

    // The address as typed: a local path, or anything the engine takes as an
    // address.
    virtual bool Navigate(const QString &address) = 0;
    // Fail when the history holds no earlier or later page.
    virtual bool GoBack() = 0;
    virtual bool GoForward() = 0;
    virtual bool GoSearch() = 0;
    virtual bool Refresh() = 0;
    virtual bool Stop() = 0;
    // True while a page is requested or loading.
    virtual std::optional<bool> Busy() const = 0;
    // A short display name of the page shown, normally its title.
    virtual std::optional<QString> LocationName() const = 0;

signals:
    // Each load that ends, whether it finished, failed or was halted.
    void DownloadComplete();
};

} // namespace gridlore
