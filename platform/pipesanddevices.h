#pragma once

#include <QFile>
#include <QString>

// Devices and pipes, which Qt's file classes treat as plain files: opening a
// pipe waits for its other end, and nothing in Qt tells a device from a pipe.
namespace gridlore {

// True for a regular file, or a device that has something to read at once
// (such as /dev/zero); false for a terminal or a device with nothing to read
// yet, a pipe or socket, a folder, or a name that does not exist: reading
// those could wait for input that never comes.
bool isReadableAtOnce(const QString &name);

// Opens `file` for writing without waiting for a reader: a pipe that nothing
// reads fails at once, with the system's reason in errno.
bool openForWritingWithoutWaiting(QFile &file);

} // namespace gridlore
