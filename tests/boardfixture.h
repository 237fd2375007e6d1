#pragma once

#include "engine/life.h"
#include "patterns/patternfile.h"

#include <QMetaType>
#include <QString>
#include <QStringList>

#include <cmath>
#include <sstream>

Q_DECLARE_METATYPE(gridlore::ReadResult)

// Boards written as text: 'O' live (1), '.' dead (0), ' ' empty, digits for
// other numbers; row by row, with the top-left character at (column, row).
inline void placeBoard(gridlore::CellArray &board, int column, int row, const QString &picture)
{
    const QStringList lines = picture.split(QLatin1Char('\n'));
    for (int j = 0; j < lines.size(); ++j)
        for (int i = 0; i < lines[j].size(); ++i) {
            const QChar c = lines[j][i];
            board.set(column + i, row + j,
                c == u'O'         ? gridlore::Cell(1.0)
                    : c == u'.'   ? gridlore::Cell(0.0)
                    : c.isDigit() ? gridlore::Cell(c.digitValue())
                                  : gridlore::Cell::empty());
        }
}

// The live area in the same notation.
inline QString livePicture(const gridlore::Life &life)
{
    QStringList lines;
    for (int j = 1; j <= life.rows(); ++j) {
        QString line;
        for (int i = 1; i <= life.columns(); ++i) {
            const gridlore::Cell cell = life.board().at(i, j);
            line += cell.isEmpty()   ? QStringLiteral(" ")
                : cell.number() == 1 ? QStringLiteral("O")
                : cell.number() == 0 ? QStringLiteral(".")
                                     : QString::number(cell.number());
        }
        lines << line;
    }
    return lines.join(QLatin1Char('\n'));
}

// A board of the given size whose live area a set-up has just cleared.
inline gridlore::Life clearedLife(double size)
{
    gridlore::Life life;
    life.setBoardSize(size);
    life.clearLiveArea();
    return life;
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
        for (int j = 0; j < gridlore::CellArray::Extent; ++j)
            if (a.at(i, j).isEmpty() != b.at(i, j).isEmpty()
                || a.at(i, j).number() != b.at(i, j).number()
                || std::signbit(a.at(i, j).number()) != std::signbit(b.at(i, j).number()))
                return false;
    return true;
}
