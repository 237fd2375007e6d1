#pragma once

#include "engine/life.h"
#include "platform/drawingsurface.h"

#include <QSize>

#include <optional>
#include <vector>

class QPoint;
class QWidget;

namespace gridlore {

// The board's picture: the surface it is drawn on, the grid laid out for the
// surface's size and the board size, the cell geometry, the font fitted to the
// cells, and which marks the surface shows. It only draws; the game is the
// main window's, which tells the view what changed.
//
// The grid starts 1.5 top margins below the surface's top, the margin being
// 1.1 panel heights; cells are square, the surface's width over the board
// size. Each cell shows an asterisk, black where it holds 1, else white.
class BoardView
{
public:
    // The view draws on a new surface, a child of `parent`; `panel` is the
    // control panel above the board, whose height sets the top margin.
    explicit BoardView(QWidget *parent);
    void setPanel(const QWidget *panel) { panel_ = panel; }

    DrawingSurface *surface() const { return surface_; }
    double topMargin() const { return topMargin_; }
    double cellSize() const { return cellSize_; }

    // Lays the board out for the surface's size and `life`'s board size,
    // drawing the grid anew where either changed since the last time, or
    // after forgetLayout(); true when it was drawn anew, with no marks on it
    // yet. Minimised, there is no width to lay cells out in: nothing happens.
    bool layOut(const Life &life);
    // The next layOut() draws the grid anew whatever the sizes (Reset).
    void forgetLayout() { gridSurfaceSize_ = QSize(); }

    // The marks of the cells holding 1, on a grid drawn anew.
    void showLiveMarks(const Life &life);
    // Every cell's mark, or, on the same layout as last time, only those of
    // the cells the board marks as changed since; the board then forgets its
    // changes.
    void drawCells(Life &life);
    // One cell's mark, over whatever is there.
    void printMark(int column, int row, bool live);

    // The cell under (x, y), twips on the surface, on the board or off it;
    // nothing before any layout.
    std::optional<QPoint> cellAt(double x, double y) const;

private:
    void fitFont();
    QPointF markPosition(int column, int row, float quarterHeight) const;

    DrawingSurface *surface_;
    const QWidget *panel_ = nullptr;
    // The surface size and board size the grid was laid out for: a layout
    // that fits both is kept. Empty before the first layout and after
    // forgetLayout().
    QSize gridSurfaceSize_;
    double gridBoardSize_ = 0;
    double topMargin_ = 0;
    double cellSize_ = 0;
    // The surface shows the marks as the last drawCells() printed them, on
    // the same layout, and the board's changes since are all that can differ.
    bool marksShown_ = false;
    std::vector<DrawingSurface::Recolour> changedMarks_; // reused by every drawCells()
};

} // namespace gridlore
