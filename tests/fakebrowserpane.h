#pragma once

#include "platform/browserpane.h"

#include <QHash>
#include <QSet>
#include <QStringList>

// A browser pane that loads nothing by itself. Every request is logged; an
// accepted one makes the pane busy until the test calls finish(). Any member
// named in `failing` fails; GoBack and GoForward also fail at the ends of the
// history, as a real browser's do.
class FakeBrowserPane : public gridlore::BrowserPane
{
    Q_OBJECT

public:
    QStringList requests;
    QSet<QString> failing;
    bool busy = false;
    QStringList history;
    int current = -1;
    // A page's display name; an address without one is named by itself.
    QHash<QString, QString> names;
    static inline const QString SearchPage = QStringLiteral("search.htm");

    bool Navigate(const QString &address) override
    {
        requests << QStringLiteral("Navigate ") + address;
        if (failing.contains(QStringLiteral("Navigate")))
            return false;
        open(address);
        busy = true;
        return true;
    }
    bool GoBack() override { return move(QStringLiteral("GoBack"), -1); }
    bool GoForward() override { return move(QStringLiteral("GoForward"), +1); }
    bool GoSearch() override
    {
        requests << QStringLiteral("GoSearch");
        if (failing.contains(QStringLiteral("GoSearch")))
            return false;
        open(SearchPage);
        busy = true;
        return true;
    }
    bool Refresh() override
    {
        requests << QStringLiteral("Refresh");
        if (failing.contains(QStringLiteral("Refresh")) || current < 0)
            return false;
        busy = true;
        return true;
    }
    bool Stop() override
    {
        requests << QStringLiteral("Stop");
        if (failing.contains(QStringLiteral("Stop")))
            return false;
        busy = false;
        return true;
    }
    std::optional<bool> Busy() const override
    {
        if (failing.contains(QStringLiteral("Busy")))
            return std::nullopt;
        return busy;
    }
    std::optional<QString> LocationName() const override
    {
        if (failing.contains(QStringLiteral("LocationName")))
            return std::nullopt;
        if (current < 0)
            return QString();
        return names.value(history.at(current), history.at(current));
    }

    // The page asked for has loaded.
    void finish()
    {
        busy = false;
        emit DownloadComplete();
    }
    // One download ended while the page goes on loading (a frame, a picture).
    void notice() { emit DownloadComplete(); }
    // The user followed a link in the page: the pane loads it unasked.
    void followLink(const QString &address)
    {
        open(address);
        emit DownloadComplete();
    }
    QString page() const { return current < 0 ? QString() : history.at(current); }

private:
    void open(const QString &address)
    {
        history.resize(current + 1);
        history << address;
        ++current;
    }
    bool move(const QString &member, int step)
    {
        requests << member;
        const int to = current + step;
        if (failing.contains(member) || to < 0 || to >= history.size())
            return false;
        current = to;
        busy = true;
        return true;
    }
};
