#include "platform/pipesanddevices.h"

#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace gridlore {

bool isFileOrDevice(const QString &name)
{
#ifdef Q_OS_UNIX
    struct stat status
    {
    };
    return ::stat(QFile::encodeName(name).constData(), &status) == 0
        && (S_ISREG(status.st_mode) || S_ISCHR(status.st_mode));
#else
    return QFileInfo(name).isFile();
#endif
}

bool openForWritingWithoutWaiting(QFile &file)
{
#ifdef Q_OS_UNIX
    const int fd
        = ::open(QFile::encodeName(file.fileName()).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    // Once open, writes wait as they do to any file.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle))
        return true;
    ::close(fd);
    return false;
#else
    return file.open(QIODevice::WriteOnly);
#endif
}

} // namespace gridlore
