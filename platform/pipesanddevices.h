#pragma once

#include <QFile>
#include <QString>

// Devices and pipes, which Qt's file classes treat as plain files: opening a
// pipe waits for its other end, and nothing in Qt tells a device from a pipe.
namespace gridlore {

// True for a regular file or a device (such as /dev/zero), which can be read
// at once; false for a pipe or socket, a folder, or a name that does not exist.
bool isFileOrDevice(const QString &name);

// Opens `file` for writing without waiting for a reader: a pipe that nothing
// reads fails at once, with the system's reason in errno.
bool openForWritingWithoutWaiting(QFile &file);

} // namespace gridlore
