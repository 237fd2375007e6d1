#pragma once

#include <QString>

namespace gridlore {

class MainWindow;

// Reads the file named on the command line into the shown window as Read
// would. Returns the one line to print on standard error when the board was
// left as it was or the pattern used only in part, saying why (in the words
// of the window's message, where it showed one); nothing when the file was
// read.
QString readStartFile(MainWindow &window, const QString &name);

} // namespace gridlore
