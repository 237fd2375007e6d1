#include "platform/pipesanddevices.h"

#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace gridlore {

bool isReadableAtOnce(const QString &name)
{
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(name);
    struct stat status
    {
    };
    if (::stat(path.constData(), &status) != 0)
        return false;
    if (S_ISREG(status.st_mode))
        return true;
    if (!S_ISCHR(status.st_mode))
        return false;
    // Asked without waiting and without making it the program's terminal.
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    pollfd ready { fd, POLLIN, 0 };
    const bool readable = !::isatty(fd) && ::poll(&ready, 1, 0) == 1 && (ready.revents & POLLIN);
    ::close(fd);
    return readable;
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
