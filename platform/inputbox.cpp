#include "platform/inputbox.h"

#include "platform/application.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QCoreApplication>
#include <QDir>
#include <QFileSystemModel>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>

namespace gridlore {

namespace {

// Completes over the whole file system, which the model only knows by
// absolute paths.
class FileNameCompleter : public QCompleter
{
public:
    explicit FileNameCompleter(QObject *parent)
        : QCompleter(parent)
        , files(new QFileSystemModel(this))
    {
        // The model reads folders in the background as they are asked for;
        // this starts it on the one most names are typed from.
        files->setRootPath(QDir::currentPath());
        setModel(files);
    }

    QStringList splitPath(const QString &path) const override
    {
        return QCompleter::splitPath(absolute(path));
    }

    // A folder comes with its separator, as in a file dialog or a shell, so
    // that typing on names something inside it.
    QString pathFromIndex(const QModelIndex &index) const override
    {
        QString path = QCompleter::pathFromIndex(index);
        if (isRelative(completionPrefix()))
            path = QDir::current().relativeFilePath(path);
        if (files->isDir(index) && !path.endsWith(u'/'))
            path += u'/';
        return path;
    }

protected:
    // Enter with no offer picked answers the prompt, as it does without the
    // list; QCompleter would only close the list.
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Only the list is an item view; asking for popup() here would make one.
        auto *list = qobject_cast<QAbstractItemView *>(watched);
        if (list && event->type() == QEvent::KeyPress && !list->currentIndex().isValid()) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                list->hide();
                QCoreApplication::sendEvent(widget(), event);
                return true;
            }
        }
        return QCompleter::eventFilter(watched, event);
    }

private:
    QFileSystemModel *files;

    static bool isHome(const QString &path)
    {
        return path == u'~' || path.startsWith(QStringLiteral("~/"));
    }

    static bool isRelative(const QString &path)
    {
        return !isHome(path) && QDir::isRelativePath(path);
    }

    static QString absolute(const QString &path)
    {
        if (isHome(path))
            return QDir::homePath() + path.mid(1);
        return isRelative(path) ? QDir::current().absoluteFilePath(path) : path;
    }
};

QString runInputBox(QWidget *parent, const QString &prompt, bool fileNames)
{
    QInputDialog dialog(parent);
    dialog.setWindowTitle(applicationTitle());
    dialog.setLabelText(prompt);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextValue(QString());
    if (fileNames) {
        if (auto *field = dialog.findChild<QLineEdit *>())
            field->setCompleter(new FileNameCompleter(field));
    }
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.textValue();
}

} // namespace

QString InputBox(QWidget *parent, const QString &prompt)
{
    return runInputBox(parent, prompt, false);
}

QString FileNameInputBox(QWidget *parent, const QString &prompt)
{
    return runInputBox(parent, prompt, true);
}

} // namespace gridlore
