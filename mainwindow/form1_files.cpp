#include "mainwindow/form1.h"

#include "patterns/patternfile.h"
#include "platform/application.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>
#include <QTimer>

#include <fstream>
#include <sstream>

namespace gridlore {

namespace {

QString failureReason(QFileDevice::FileError error)
{
    switch (error) {
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError:
        return QStringLiteral(
            "ファイルを作成できません。フォルダがないか、書き込みの権限がありません。");
    case QFileDevice::WriteError:
    case QFileDevice::ResourceError:
        return QStringLiteral("書き込みに失敗しました。ディスクの空きが足りない可能性があります。");
    case QFileDevice::RenameError:
        return QStringLiteral("書き込んだ内容でファイルを置き換えられませんでした。");
    default:
        return QStringLiteral("保存中にエラーが起きました。");
    }
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
        QFile file(name);
        if (file.open(QIODevice::WriteOnly) && writeAll(file, bytes) && file.flush())
            return QString();
        return failureReason(file.error()) + QStringLiteral("\n(") + file.errorString() + u')';
    }
    QSaveFile file(name);
    if (file.open(QIODevice::WriteOnly) && writeAll(file, bytes) && file.commit())
        return QString();
    return failureReason(file.error()) + QStringLiteral("\n(") + file.errorString() + u')';
}

} // namespace

void Form1::mnu_read_Click()
{
    const QString name = prompt_(QStringLiteral("ファイル名...."));
    if (name.isEmpty())
        return; // Cancel: the run goes on
    ReadFile(name);
}

bool Form1::ReadFile(const QString &name)
{
    if (QFileInfo(name).isDir())
        return false; // nothing that can be read: the run goes on
    std::ifstream in(QFile::encodeName(name).toStdString(), std::ios::binary);
    if (!in)
        return false;
    Timer1->stop();
    marksShown_ = false;
    const ReadResult result = readPattern(in, life_);
    if (result == ReadResult::Complete)
        DrawCells();
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
