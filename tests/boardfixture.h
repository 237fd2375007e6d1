#pragma once

#include "engine/life.h"

#include <QString>
#include <QStringList>

// Boards written as text: 'O' live (1), '.' dead (0), ' ' empty, digits for
// other numbers. Row by row, top to bottom, placed with its top-left character
// at (column, row).
inline void placeBoard(gridlore::CellArray &board, int column, int row, const QString &picture)
{
    const QStringList lines = picture.split(QLatin1Char('\n'));
    for (int j = 0; j < lines.size(); ++j) {
        for (int i = 0; i < lines[j].size(); ++i) {
            const QChar c = lines[j][i];
            gridlore::Cell value = gridlore::Cell::empty();
            if (c == QLatin1Char('O'))
                value = gridlore::Cell(1.0);
            else if (c == QLatin1Char('.'))
                value = gridlore::Cell(0.0);
            else if (c.isDigit())
                value = gridlore::Cell(c.digitValue());
            board.set(column + i, row + j, value);
        }
    }
}

// The same notation read back from a rectangle of the board.
inline QString boardPicture(
    const gridlore::CellArray &board, int column, int row, int width, int height)
{
    QStringList lines;
    for (int j = 0; j < height; ++j) {
        QString line;
        for (int i = 0; i < width; ++i) {
            const gridlore::Cell cell = board.at(column + i, row + j);
            if (cell.isEmpty())
                line += QLatin1Char(' ');
            else if (cell.number() == 1)
                line += QLatin1Char('O');
            else if (cell.number() == 0)
                line += QLatin1Char('.');
            else
                line += QString::number(cell.number());
        }
        lines << line;
    }
    return lines.join(QLatin1Char('\n'));
}
