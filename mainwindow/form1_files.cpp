#include "mainwindow/form1.h"

#include "patterns/patternfile.h"
#include "platform/application.h"
#include "platform/patterncollection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>
#include <QTimer>
#include <QtGlobal>

#include <cerrno>
#include <climits>
#include <ext/stdio_filebuf.h>
#include <fcntl.h>
#include <istream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace gridlore {

namespace {

// Why a Save failed, from what is true of the target and its folder now and
// from the system's error number; Qt's own description follows on the second
// line. `replacing`: the target was to be written beside and put in place.
QString failureReason(const QString &name, int error, QFileDevice::FileError qtError,
    const QString &qtText, bool replacing)
{
    const QFileInfo target(name);
    const QFileInfo folder(target.absolutePath());
    QString reason;
    if (target.isDir())
        reason = QStringLiteral("この名前はフォルダです。");
    else if (!folder.isDir())
        reason = QStringLiteral("保存先のフォルダがありません。");
    else if (error == ENAMETOOLONG || QFile::encodeName(target.fileName()).size() > NAME_MAX)
        reason = QStringLiteral("名前が長すぎます。");
    else if (error == ENOSPC || error == EDQUOT)
        reason = QStringLiteral("ディスクの空きが足りません。");
    else if (error == EFBIG)
        reason = QStringLiteral("ファイルが大きすぎます。");
    else if (error == ENXIO)
        reason = QStringLiteral("読み出す側のいないパイプなどで、すぐには書き込めません。");
    else if (error == EACCES || error == EPERM || error == EROFS
        || (target.exists() && !target.isWritable()) || (replacing && !folder.isWritable()))
        reason = QStringLiteral("書き込みの権限がありません。");
    else if (qtError == QFileDevice::RenameError)
        reason = QStringLiteral("書き込んだ内容でファイルを置き換えられませんでした。");
    else if (qtError == QFileDevice::WriteError || qtError == QFileDevice::ResourceError)
        reason = QStringLiteral("書き込みに失敗しました。");
    else
        reason = QStringLiteral("保存中にエラーが起きました。");
    return reason + QStringLiteral("\n(") + qtText + u')';
}

template <typename File> bool writeAll(File &file, const std::string &bytes)
{
    return file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
}

// Writes `bytes` as the file `name`. A regular file is written beside the
// target and put in its place only once every byte is down, so a failure part
// way never damages an old file. Anything else that exists under the name (a
// device, a pipe) is written to as it is: replacing it would destroy it.
// Returns why it failed, or nothing.
QString saveBytes(const QString &name, const std::string &bytes)
{
    const QFileInfo target(name);
    if (target.exists() && !target.isFile() && !target.isDir()) {
        // Opened without waiting: a pipe that nobody reads would hold the
        // window until someone did.
        const int fd
            = ::open(QFile::encodeName(name).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            const int error = errno;
            return failureReason(
                name, error, QFileDevice::OpenError, qt_error_string(error), false);
        }
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        QFile file;
        errno = 0;
        if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle))
            ::close(fd);
        else if (writeAll(file, bytes) && file.flush())
            return QString();
        const int error = errno;
        return failureReason(name, error, file.error(), file.errorString(), false);
    }
    QSaveFile file(name);
    errno = 0;
    if (file.open(QIODevice::WriteOnly) && writeAll(file, bytes) && file.commit())
        return QString();
    const int error = errno;
    return failureReason(name, error, file.error(), file.errorString(), true);
}

bool liveAreaDiffers(const Life &life, const CellArray &before)
{
    for (int i = 1; i <= life.columns(); ++i)
        for (int j = 1; j <= life.rows(); ++j) {
            const Cell now = life.board().at(i, j);
            const Cell then = before.at(i, j);
            if (now.isEmpty() != then.isEmpty() || now.number() != then.number())
                return true;
        }
    return false;
}

} // namespace

void Form1::mnu_read_Click()
{
    const QString name = prompt_(QStringLiteral("ファイル名...."));
    if (name.isEmpty())
        return; // Cancel: the run goes on
    ReadFile(name);
}

bool Form1::ReadFile(const QString &typed)
{
    const QString name = resolvePatternName(typed);
    if (name.contains(QChar(u'\0')))
        return false; // the system would take the name as cut short there
    // Opened without waiting, as a pipe that nobody writes would hold the
    // window for ever; only a file or a device is read. Anything else is
    // passed over quietly, as every Read failure is, and the run goes on.
    const int fd = ::open(QFile::encodeName(name).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status
    {
    };
    if (::fstat(fd, &status) != 0 || !(S_ISREG(status.st_mode) || S_ISCHR(status.st_mode))
        || ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return false;
    }
    __gnu_cxx::stdio_filebuf<char> buffer(fd, std::ios::in | std::ios::binary);
    std::istream in(&buffer);
    return FillBoard(in);
}

bool Form1::FillBoard(std::istream &in)
{
    Timer1->stop();
    marksShown_ = false;
    const UndoHistory::Position step = position();
    const CellArray before = life_.board();
    const ReadResult result = readPattern(in, life_);
    // A read that stopped part way keeps the cells it read, and the screen
    // must show them.
    if (result == ReadResult::Complete
        || (result == ReadResult::Stopped && liveAreaDiffers(life_, before)))
        DrawCells();
    record(step);
    return result != ReadResult::Unchanged;
}

void Form1::mnu_save_Click()
{
    Timer1->stop();
    const QString name = prompt_(QStringLiteral("ファイル名....."));
    if (name.isEmpty())
        return;
    std::ostringstream text;
    writePattern(text, life_);

    const QString failure = saveBytes(name, text.str());
    if (!failure.isEmpty()) {
        QMessageBox::warning(this, applicationTitle(),
            QStringLiteral("ファイル「%1」を保存できませんでした。\n%2")
                .arg(QDir::toNativeSeparators(name), failure));
    }
}

} // namespace gridlore
