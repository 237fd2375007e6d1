#include "mainwindow/boardfile.h"

#include "platform/pipesanddevices.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtGlobal>

#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

namespace gridlore {

namespace {

// The longest file name, in bytes, that the common file systems take.
constexpr qsizetype LongestName = 255;

bool is(int error, std::errc condition)
{
    return std::error_code(error, std::generic_category()) == std::make_error_condition(condition);
}

bool isDiskFull(int error)
{
#ifdef EDQUOT
    if (error == EDQUOT)
        return true; // the user's quota: full for them
#endif
    return is(error, std::errc::no_space_on_device);
}

// Why a Save failed, from what is true of the target and its folder now and
// from the system's error number; Qt's own description follows on the second
// line. `replacing`: the target was to be written beside and put in place.
QString reasonFor(const QString &name, int error, QFileDevice::FileError qtError,
    const QString &qtText, bool replacing)
{
    const QFileInfo target(name);
    const QFileInfo folder(target.absolutePath());
    QString reason;
    if (target.isDir())
        reason = QStringLiteral("この名前はフォルダです。");
    else if (!folder.isDir())
        reason = QStringLiteral("保存先のフォルダがありません。");
    else if (is(error, std::errc::filename_too_long)
        || QFile::encodeName(target.fileName()).size() > LongestName)
        reason = QStringLiteral("名前が長すぎます。");
    else if (isDiskFull(error))
        reason = QStringLiteral("ディスクの空きが足りません。");
    else if (is(error, std::errc::file_too_large))
        reason = QStringLiteral("ファイルが大きすぎます。");
    else if (is(error, std::errc::no_such_device_or_address))
        reason = QStringLiteral("読み出す側のいないパイプなどで、すぐには書き込めません。");
    else if (is(error, std::errc::permission_denied)
        || is(error, std::errc::operation_not_permitted)
        || is(error, std::errc::read_only_file_system) || (target.exists() && !target.isWritable())
        || (replacing && !folder.isWritable()))
        reason = QStringLiteral("書き込みの権限がありません。");
    else if (qtError == QFileDevice::RenameError)
        reason = QStringLiteral("書き込んだ内容でファイルを置き換えられませんでした。");
    else if (qtError == QFileDevice::WriteError || qtError == QFileDevice::ResourceError)
        reason = QStringLiteral("書き込みに失敗しました。");
    else
        reason = QStringLiteral("保存中にエラーが起きました。");
    return reason + QStringLiteral("\n(") + qtText + u')';
}

bool writeAll(QFileDevice &file, const std::string &bytes)
{
    return file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
}

} // namespace

BoardFile::BoardFile(QString name)
    : name_(std::move(name))
{
}

std::istream *BoardFile::openForReading()
{
    // The system would take the name as cut short at a NUL.
    if (name_.contains(QChar(u'\0')) || !isReadableAtOnce(name_))
        return nullptr;
    // From UTF-8, which QString gives whole even for a broken name, where a
    // conversion from UTF-16 would throw.
    const QByteArray utf8 = name_.toUtf8();
    const std::u8string path(reinterpret_cast<const char8_t *>(utf8.constData()), utf8.size());
    in_.open(std::filesystem::path(path), std::ios::in | std::ios::binary);
    return in_.is_open() ? &in_ : nullptr;
}

bool BoardFile::save(const std::string &bytes)
{
    const QFileInfo target(name_);
    // A device or a pipe is written to as it is: replacing it would destroy it.
    if (target.exists() && !target.isFile() && !target.isDir())
        return saveInPlace(bytes);
    return saveReplacing(bytes);
}

// Written beside the target and put in its place only once every byte is
// down, so a failure part way never damages an old file.
bool BoardFile::saveReplacing(const std::string &bytes)
{
    QSaveFile file(name_);
    errno = 0;
    if (file.open(QIODevice::WriteOnly) && writeAll(file, bytes) && file.commit())
        return true;
    const int error = errno;
    failureReason_ = reasonFor(name_, error, file.error(), file.errorString(), true);
    return false;
}

bool BoardFile::saveInPlace(const std::string &bytes)
{
    QFile file(name_);
    errno = 0;
    if (!openForWritingWithoutWaiting(file)) {
        const int error = errno;
        failureReason_
            = reasonFor(name_, error, QFileDevice::OpenError, qt_error_string(error), false);
        return false;
    }
    errno = 0;
    if (writeAll(file, bytes) && file.flush())
        return true;
    const int error = errno;
    failureReason_ = reasonFor(name_, error, file.error(), file.errorString(), false);
    return false;
}

} // namespace gridlore
