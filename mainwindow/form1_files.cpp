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

QString saveFailureReason(const QSaveFile &file)
{
    switch (file.error()) {
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError:
        return QStringLiteral("ファイルを作成できません。フォルダがないか、書き込みの権限がありません。");
    case QFileDevice::WriteError:
    case QFileDevice::ResourceError:
        return QStringLiteral("書き込みに失敗しました。ディスクの空きが足りない可能性があります。");
    case QFileDevice::RenameError:
        return QStringLiteral("書き込んだ内容でファイルを置き換えられませんでした。");
    default:
        return QStringLiteral("保存中にエラーが起きました。");
    }
}

} // namespace

void Form1::mnu_read_Click()
{
    const QString name = prompt_(QStringLiteral("ファイル名...."));
    if (name.isEmpty() || QFileInfo(name).isDir())
        return; // Cancel, or nothing that can be read: the run goes on
    std::ifstream in(QFile::encodeName(name).toStdString(), std::ios::binary);
    if (!in)
        return;
    Timer1->stop();
    if (readPattern(in, life_) == ReadResult::Complete)
        DrawCells();
}

// Writes into a temporary file beside the target and puts it in place only
// when every line is written, so a failed Save never damages an old file.
void Form1::mnu_save_Click()
{
    Timer1->stop();
    const QString name = prompt_(QStringLiteral("ファイル名....."));
    if (name.isEmpty())
        return;
    std::ostringstream text;
    writePattern(text, life_);
    const std::string bytes = text.str();

    QSaveFile file(name);
    const bool saved = file.open(QIODevice::WriteOnly)
                       && file.write(bytes.data(), static_cast<qint64>(bytes.size()))
                              == static_cast<qint64>(bytes.size())
                       && file.commit();
    if (!saved) {
        QMessageBox::warning(this, applicationTitle(),
                             QStringLiteral("ファイル「%1」を保存できませんでした。\n%2\n(%3)")
                                 .arg(QDir::toNativeSeparators(name), saveFailureReason(file),
                                      file.errorString()));
    }
}

} // namespace gridlore
