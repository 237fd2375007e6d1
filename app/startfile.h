#pragma once

#include <QString>

namespace gridlore {

class MainWindow;

// Reads the file named on the command line into the shown window as Read
// would. Returns the one line to print on standard error when the board was
// left as it was, saying why; nothing when the file was read.
QString readStartFile(MainWindow &window, const QString &name);

} // namespace gridlore
