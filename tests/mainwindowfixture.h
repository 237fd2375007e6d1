#pragma once

#include "mainwindow/mainwindow.h"
#include "platform/drawingsurface.h"

#include <QtTest>
#include <QtWidgets>

#include <cmath>
#include <memory>

// A shown main window, active so that its keys work, laid out by its first
// resize as at start-up, with the board size `size` when given (typed, then
// Reset), on `screen` when given.
inline std::unique_ptr<gridlore::MainWindow> shownMainWindow(
    const QString &size = {}, const QScreen *screen = nullptr)
{
    auto form = std::make_unique<gridlore::MainWindow>();
    if (screen)
        form->move(screen->geometry().topLeft());
    form->show();
    form->activateWindow();
    (void)QTest::qWaitForWindowActive(form.get()); // offscreen windows are active at once
    if (!size.isEmpty()) {
        form->findChild<QLineEdit *>(QStringLiteral("sizeBox"))->setText(size);
        form->reset();
    }
    return form;
}

template <typename Control = QWidget> Control *control(const QWidget &window, const char *name)
{
    return window.findChild<Control *>(QLatin1String(name));
}

// A control's name, place in pixels and text, in one line.
inline QString describe(const QWidget *w)
{
    const QRect r = w->geometry();
    return QString::asprintf(
               "%s %d,%d %dx%d ", qPrintable(w->objectName()), r.x(), r.y(), r.width(), r.height())
        + w->property("text").toString();
}

// The board as it should look, worked out from the layout alone: the panel is
// 615 twips high, the grid starts 1.5 x 1.1 panel heights down, cells are the
// surface width over the board size, and each cell's asterisk is printed a
// quarter of a text height above its cell's top edge, in single precision.
struct BoardLayout
{
    static constexpr double Top = 1.5 * 1.1 * 615;
    double width; // twips, the surface's
    double height;
    double size;
    QFont font; // the marks', as the surface has it now
    QFontMetricsF metrics;
    qreal ratio; // device pixels to a pixel, the screen's

    explicit BoardLayout(const gridlore::MainWindow &form)
        : width(form.view().surface()->width() * 15.0)
        , height(form.view().surface()->height() * 15.0)
        , size(form.life().boardSize())
        , font(form.view().surface()->font())
        , metrics(font, &form.view().surface()->image())
        , ratio(form.view().surface()->devicePixelRatioF())
    {
    }
    double pitch() const { return width / size; }

    // Where a press lands in the middle of cell (column, row), in pixels.
    QPoint centre(int column, int row) const
    {
        return (QPointF((column - 0.5) * pitch(), Top + (row - 0.5) * pitch()) / 15).toPoint();
    }

    // Grey lines down from the grid's top to the bottom less the margin, grey
    // lines across as far as they fit, and the darker border round it all.
    QImage grid() const
    {
        QImage image(QSize(int(width / 15), int(height / 15)) * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::white);
        QPainter painter(&image);
        const auto at = [](double x, double y) {
            return QPoint(int(std::lround(x / 15)), int(std::lround(y / 15)));
        };
        const double bottom = height - 1.1 * 615;
        painter.setPen(QColor(200, 200, 200));
        for (int k = 0; k * pitch() <= width; ++k)
            painter.drawLine(at(k * pitch(), Top), at(k * pitch(), bottom));
        for (int k = 0; k * pitch() <= bottom - Top; ++k)
            painter.drawLine(at(0, Top + k * pitch()), at(width, Top + k * pitch()));
        painter.setPen(QColor(150, 150, 150));
        const QRect border(at(0, Top), at(width, bottom));
        painter.drawRect(border.adjusted(0, 0, -1, -1));
        return image;
    }

    // Prints cell (column, row)'s asterisk, black when live, else white.
    void mark(QPainter &painter, int column, int row, bool live) const
    {
        const float quarter = float(metrics.height() * 15) / 4.0f;
        const float x = float(pitch() * (column - 1));
        const float y = float(pitch() * (row - 1) + Top - quarter);
        painter.setFont(font);
        painter.setPen(live ? Qt::black : Qt::white);
        painter.drawText(QPointF(x / 15.0, y / 15.0 + metrics.ascent()), QStringLiteral("*"));
    }

    // Every cell's asterisk, column by column, over `image`; with `liveOnly`
    // the black ones alone, as a fresh grid shows the board.
    QImage board(QImage image, const gridlore::MainWindow &form, bool liveOnly = false) const
    {
        QPainter painter(&image);
        for (int i = 1; i <= form.life().columns(); ++i)
            for (int j = 1; j <= form.life().rows(); ++j)
                if (!liveOnly || form.life().board().at(i, j) == 1)
                    mark(painter, i, j, form.life().board().at(i, j) == 1);
        return image;
    }
};
