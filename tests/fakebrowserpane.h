#pragma once

#include "platform/browserpane.h"

#include <QHash>
#include <QSet>
#include <QStringList>

// A browser pane that loads nothing by itself. Every request is logged; one
// taken up makes the pane busy until the test calls finish(). Any member named
// in `failing` fails. Navigate shows its page at once; the other moves keep it.
class FakeBrowserPane : public gridlore::BrowserPane
{
    Q_OBJECT

public:
    QStringList requests;
    QSet<QString> failing;
    bool busy = false;
    QString page;
    QHash<QString, QString> names; // a page's display name; else its address

    bool Navigate(const QString &address) override
    {
        if (!take(QStringLiteral("Navigate ") + address))
            return false;
        page = address;
        return true;
    }
    bool GoBack() override { return take(QStringLiteral("GoBack")); }
    bool GoForward() override { return take(QStringLiteral("GoForward")); }
    bool GoSearch() override { return take(QStringLiteral("GoSearch")); }
    bool Refresh() override { return take(QStringLiteral("Refresh")); }
    bool Stop() override { return take(QStringLiteral("Stop")) && !(busy = false); }
    std::optional<bool> Busy() const override
    {
        return failing.contains(QStringLiteral("Busy")) ? std::nullopt : std::optional(busy);
    }
    std::optional<QString> LocationName() const override
    {
        if (failing.contains(QStringLiteral("LocationName")))
            return std::nullopt;
        return names.value(page, page);
    }
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
        const bool taken = !failing.contains(request.section(QLatin1Char(' '), 0, 0));
        busy = busy || taken;
        return taken;
    }
};
