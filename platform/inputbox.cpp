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
#include <QStringListModel>

namespace gridlore {

namespace {

// Completes over the whole file system, which the model only knows by
// absolute paths. A bare name (no folder in it) is completed from a list
// instead: the current folder's files and folders and the names offered.
class FileNameCompleter : public QCompleter
{
public:
    FileNameCompleter(QLineEdit *field, QStringList offered)
        : QCompleter(field)
        , files(new QFileSystemModel(field)) // not ours: setModel() deletes its own
        , bareNames(new QStringListModel(field))
        , offered(std::move(offered))
    {
        // The model reads folders in the background as they are asked for;
        // this starts it on the one most names are typed from.
        files->setRootPath(QDir::currentPath());
        follow(field->text());
        // The field tells of an edit before it asks for completions, so the
        // list is the right one for what was typed.
        connect(field, &QLineEdit::textEdited, this, &FileNameCompleter::follow);
    }

    QStringList splitPath(const QString &path) const override
    {
        if (model() != files)
            return QCompleter::splitPath(path);
        return QCompleter::splitPath(absolute(path));
    }

    // A folder comes with its separator, as in a file dialog or a shell, so
    // that typing on names something inside it.
    QString pathFromIndex(const QModelIndex &index) const override
    {
        QString path = QCompleter::pathFromIndex(index);
        if (model() != files)
            return path;
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
    QStringListModel *bareNames;
    QStringList offered;

    void follow(const QString &text)
    {
        const bool bare = !text.contains(u'/') && !isHome(text);
        if (bare && model() != bareNames) {
            bareNames->setStringList(namesHere());
            setModel(bareNames);
        } else if (!bare && model() != files) {
            setModel(files);
        }
    }

    // As the file system model shows the current folder, then the offered
    // names that no file here has.
    QStringList namesHere() const
    {
        QStringList names;
        for (const QFileInfo &entry :
            QDir::current().entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot))
            names << entry.fileName() + (entry.isDir() ? QStringLiteral("/") : QString());
        for (const QString &name : offered)
            if (!names.contains(name))
                names << name;
        names.sort();
        return names;
    }

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

QString runInputBox(
    QWidget *parent, const QString &prompt, bool fileNames, const QStringList &offered = {})
{
    QInputDialog dialog(parent);
    dialog.setWindowTitle(applicationTitle());
    dialog.setLabelText(prompt);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextValue(QString());
    if (fileNames) {
        if (auto *field = dialog.findChild<QLineEdit *>())
            field->setCompleter(new FileNameCompleter(field, offered));
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

QString FileNameInputBox(QWidget *parent, const QString &prompt, const QStringList &offered)
{
    return runInputBox(parent, prompt, true, offered);
}

} // namespace gridlore
