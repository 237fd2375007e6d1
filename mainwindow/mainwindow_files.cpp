#include "mainwindow/mainwindow.h"

#include "mainwindow/boardfile.h"
#include "patterns/livecells.h"
#include "patterns/patterncollection.h"
#include "patterns/patternfile.h"
#include "patterns/plaintextwriter.h"
#include "patterns/rlewriter.h"
#include "platform/application.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>

#include <sstream>

namespace gridlore {

namespace {

// The patterns that come with the program, in the program's data folder.
PatternCollection bundledPatterns()
{
    const QString folder = QDir(applicationFolder()).filePath(QStringLiteral("patterns"));
    return PatternCollection(QFile::encodeName(folder).toStdString());
}

enum class SaveFormat { Own, Rle, Plaintext };

// Other Life programs know their files by the name; any other name keeps the
// board's own format.
SaveFormat saveFormatFor(const QString &name)
{
    if (name.endsWith(QLatin1String(".rle"), Qt::CaseInsensitive))
        return SaveFormat::Rle;
    if (name.endsWith(QLatin1String(".cells"), Qt::CaseInsensitive))
        return SaveFormat::Plaintext;
    return SaveFormat::Own;
}

QString characterText(char byte)
{
    const auto code = static_cast<unsigned char>(byte);
    if (code >= 0x20 && code < 0x7f)
        return QStringLiteral("'%1'").arg(QLatin1Char(byte));
    return QStringLiteral("0x") + QStringLiteral("%1").arg(code, 2, 16, QLatin1Char('0')).toUpper();
}

QString reasonText(const ReadProblem &problem)
{
    using Kind = ReadProblem::Kind;
    switch (problem.kind) {
    case Kind::None:
        break;
    case Kind::UnknownCharacter:
        return QStringLiteral("読めない文字 ") + characterText(problem.byte);
    case Kind::BlankAfterCount:
        return QStringLiteral("数のあとに空白");
    case Kind::ZeroCount:
        return QStringLiteral("繰り返し数が 0");
    case Kind::OutsideBox:
        return QStringLiteral("見出しの x, y を超えるセル");
    case Kind::NoHeader:
        return QStringLiteral("見出し (x = …, y = …) がない");
    case Kind::BadHeader:
        return QStringLiteral("読めない見出し");
    case Kind::BadCoordinates:
        return QStringLiteral("読めない座標");
    case Kind::ForeignRule:
        return QStringLiteral("B3/S23 以外のルール");
    case Kind::LineTooLong:
        return QStringLiteral("長すぎる行");
    case Kind::TooLarge:
        return QStringLiteral("16 MiB を超える大きさ");
    case Kind::NoCells:
        return QStringLiteral("パターンがない");
    }
    return QString();
}

// The fault in a few words, after its line where one line is at fault.
QString problemText(const ReadProblem &problem)
{
    if (problem.line <= 0)
        return reasonText(problem);
    return QStringLiteral("%1 行目: %2").arg(problem.line).arg(reasonText(problem));
}

QString fileSource(const QString &name)
{
    return QStringLiteral("ファイル「%1」").arg(QDir::toNativeSeparators(name));
}

} // namespace

void MainWindow::readPattern()
{
    QStringList offered;
    for (const std::string &name : bundledPatterns().names())
        offered << QFile::decodeName(QByteArray::fromStdString(name));
    const QString name = prompt_(QStringLiteral("ファイル名...."), offered);
    if (name.isEmpty())
        return; // Cancel: the run goes on
    readPatternFile(name);
}

bool MainWindow::readPatternFile(const QString &typed, QString *told)
{
    // Through the system's bytes whole, a NUL included, which BoardFile refuses.
    const QString name = QFile::decodeName(QByteArray::fromStdString(
        bundledPatterns().resolve(QFile::encodeName(typed).toStdString()).string()));
    BoardFile file(name);
    std::istream *in = file.openForReading();
    if (!in)
        return false; // passed over quietly, as every Read failure is: the run goes on
    return fillBoard(*in, fileSource(name), told);
}

bool MainWindow::fillBoard(std::istream &in, const QString &source, QString *told)
{
    stopRun(RunButton::Kept);
    const UndoHistory::Position before = position();
    ReadProblem problem;
    const ReadResult result = gridlore::readPattern(in, life_, &problem);
    // A read that stopped part way keeps the cells it read, and the screen
    // must show them.
    const bool changed = record(before);
    if (result == ReadResult::Complete || changed)
        view_.drawCells(life_);
    if (problem.kind != ReadProblem::Kind::None)
        tellReadProblem(source, problem, result == ReadResult::Unchanged, told);
    return changed;
}

void MainWindow::tellReadProblem(
    const QString &source, const ReadProblem &problem, bool unused, QString *told)
{
    const QString why = problemText(problem);
    if (told)
        *told = why;
    const QString what = unused
        ? QStringLiteral("%1のパターンを読み込めませんでした。\n%2")
        : QStringLiteral("%1のパターンは途中までしか読み込めませんでした。\n%2");
    QMessageBox::warning(this, applicationTitle(), what.arg(source, why));
}

void MainWindow::saveBoard()
{
    stopRun(RunButton::Kept);
    const QString name = prompt_(QStringLiteral("ファイル名....."), {});
    if (name.isEmpty())
        return;
    const SaveFormat format = saveFormatFor(name);
    std::ostringstream text;
    switch (format) {
    case SaveFormat::Rle:
        writeRle(text, life_);
        break;
    case SaveFormat::Plaintext:
        writePlaintext(text, life_, QFileInfo(name).completeBaseName().toStdString());
        break;
    case SaveFormat::Own:
        writePattern(text, life_);
        break;
    }

    BoardFile file(name);
    if (!file.save(text.str())) {
        QMessageBox::warning(this, applicationTitle(),
            QStringLiteral("ファイル「%1」を保存できませんでした。\n%2")
                .arg(QDir::toNativeSeparators(name), file.failureReason()));
    } else if (format != SaveFormat::Own && holdsOtherNumbers(life_)) {
        QMessageBox::information(this, applicationTitle(),
            QStringLiteral("ファイル「%1」を保存しました。\n0 と 1 以外の数のセルは、"
                           "この形式には書けないため死んだセルとして書きました。")
                .arg(QDir::toNativeSeparators(name)));
    }
}

} // namespace gridlore
