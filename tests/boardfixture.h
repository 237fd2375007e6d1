#pragma once

#include "engine/life.h"
#include "patterns/patternfile.h"

#include <QFile>
#include <QMetaType>
#include <QString>
#include <QStringList>

#include <cmath>
#include <sstream>

Q_DECLARE_METATYPE(gridlore::ReadResult)
Q_DECLARE_METATYPE(gridlore::ReadProblem)

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

// A board of the given size whose live area a set-up has just cleared.
inline gridlore::Life clearedLife(double size)
{
    gridlore::Life life;
    life.setBoardSize(size);
    life.clearLiveArea();
    return life;
}

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline gridlore::ReadResult readBytes(const QByteArray &bytes, gridlore::Life &life)
{
    std::istringstream in(bytes.toStdString());
    return gridlore::readPattern(in, life);
}

// The first cell that differs, telling empty from 0 and -0 from 0; nothing
// when the boards are alike.
inline QString firstDifference(const gridlore::CellArray &a, const gridlore::CellArray &b)
{
    const auto text = [](gridlore::Cell c) {
        return c.isEmpty() ? QStringLiteral("empty") : QString::number(c.number());
    };
    for (int i = 0; i < gridlore::CellArray::Extent; ++i)
        for (int j = 0; j < gridlore::CellArray::Extent; ++j)
            if (a.at(i, j).isEmpty() != b.at(i, j).isEmpty()
                || a.at(i, j).number() != b.at(i, j).number()
                || std::signbit(a.at(i, j).number()) != std::signbit(b.at(i, j).number()))
                return QString::asprintf("(%d, %d) holds %s, not %s", i, j,
                    qPrintable(text(a.at(i, j))), qPrintable(text(b.at(i, j))));
    return QString();
}
