#pragma once

#include "../boardfixture.h"
#include "engine/life.h"
#include "patterns/patternfile.h"

#include <QByteArray>
#include <QString>
#include <QtTest>

#include <cmath>
#include <sstream>

Q_DECLARE_METATYPE(gridlore::ReadResult)

namespace gridlore {
// Read results by name in failure messages.
inline char *toString(ReadResult result)
{
    const char *names[] = { "Complete", "Stopped", "Unchanged" };
    return qstrdup(names[static_cast<int>(result)]);
}
} // namespace gridlore

// A board of the given size whose live area has just been cleared to 0, as
// every board set-up leaves it.
inline gridlore::Life clearedLife(double size)
{
    gridlore::Life life;
    life.setBoardSize(size);
    life.clearLiveArea();
    return life;
}

// The whole live area in the notation of boardfixture.h.
inline QString livePicture(const gridlore::Life &life)
{
    return boardPicture(life.board(), 1, 1, life.columns(), life.rows());
}

// The live area as the drawing shows it: 'O' where a cell holds 1, '.' for
// everything else (0, empty, other numbers).
inline QString alivePicture(const gridlore::Life &life)
{
    QString picture;
    for (int j = 1; j <= life.rows(); ++j) {
        if (j > 1)
            picture += QLatin1Char('\n');
        for (int i = 1; i <= life.columns(); ++i)
            picture += QLatin1Char(life.board().at(i, j).number() == 1 ? 'O' : '.');
    }
    return picture;
}

inline gridlore::ReadResult readBytes(const QByteArray &bytes, gridlore::Life &life)
{
    std::istringstream in(bytes.toStdString());
    return gridlore::readPattern(in, life);
}

// Every cell alike, telling empty from 0 and -0 from 0.
inline bool sameBoards(const gridlore::CellArray &a, const gridlore::CellArray &b)
{
    for (int i = 0; i < gridlore::CellArray::Extent; ++i)
        for (int j = 0; j < gridlore::CellArray::Extent; ++j) {
            const gridlore::Cell x = a.at(i, j);
            const gridlore::Cell y = b.at(i, j);
            if (x.isEmpty() != y.isEmpty() || x.number() != y.number()
                || std::signbit(x.number()) != std::signbit(y.number()))
                return false;
        }
    return true;
}
