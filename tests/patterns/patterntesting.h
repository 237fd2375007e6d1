#pragma once

#include "../boardfixture.h"
#include "engine/life.h"
#include "patterns/patternfile.h"

#include <QByteArray>
#include <QMetaType>
#include <QString>
#include <QtTest>

#include <cmath>
#include <sstream>
#include <string>

Q_DECLARE_METATYPE(gridlore::ReadResult)
Q_DECLARE_METATYPE(gridlore::Cell)

namespace gridlore {
// Read results by name in failure messages.
inline char *toString(ReadResult result)
{
    switch (result) {
    case ReadResult::Complete:
        return qstrdup("Complete");
    case ReadResult::Stopped:
        return qstrdup("Stopped");
    case ReadResult::Unchanged:
        return qstrdup("Unchanged");
    }
    return qstrdup("?");
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

// The live area filled with one value, so that cells a read leaves alone show.
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

inline void fillLiveArea(gridlore::Life &life, gridlore::Cell value)
{
    for (int i = 1; i <= life.columns(); ++i)
        for (int j = 1; j <= life.rows(); ++j)
            life.board().set(i, j, value);
}

inline QByteArray savedBytes(const gridlore::Life &life)
{
    std::ostringstream out;
    gridlore::writePattern(out, life);
    const std::string text = out.str();
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

inline gridlore::ReadResult readBytes(const QByteArray &bytes, gridlore::Life &life)
{
    std::istringstream in(bytes.toStdString());
    return gridlore::readPattern(in, life);
}

// Exact comparison, telling empty from 0 and -0 from 0.
inline bool sameCell(gridlore::Cell a, gridlore::Cell b)
{
    return a.isEmpty() == b.isEmpty() && a.number() == b.number()
        && std::signbit(a.number()) == std::signbit(b.number());
}

inline bool sameBoards(const gridlore::CellArray &a, const gridlore::CellArray &b)
{
    for (int i = 0; i < gridlore::CellArray::Extent; ++i)
        for (int j = 0; j < gridlore::CellArray::Extent; ++j)
            if (!sameCell(a.at(i, j), b.at(i, j)))
                return false;
    return true;
}
