#pragma once

#include <QString>
#include <QStringList>

namespace gridlore {

// The bundled pattern collection: the "patterns" folder of the program's data.
QString patternCollectionFolder();

// The names of the bundled patterns, as Read takes them.
QStringList patternCollectionNames();

// The file Read opens for a name as the user typed it. A bare file name (no
// folder in it) that is not in the current folder is taken from the
// collection when the collection has it; anything else is the name itself,
// so a file in the current folder always wins.
QString resolvePatternName(const QString &name);

} // namespace gridlore
