#pragma once

#include <QString>

namespace gridlore {

class Form1;

// Reads the file named on the command line into the shown window as Read
// would. Returns the one line to print on standard error when the board was
// left as it was, saying why; nothing when the file was read.
QString readStartFile(Form1 &window, const QString &name);

} // namespace gridlore
