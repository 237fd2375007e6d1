#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace gridlore {

// A modal prompt with an empty entry field, OK and Cancel, captioned with the
// application title. Returns the typed text, or the empty text on Cancel.
// Timers keep firing while it is open.
QString InputBox(QWidget *parent, const QString &prompt);

// The same prompt for a file name: it offers the names of files and folders
// as they are typed, relative ones from the current folder and "~" meaning the
// home folder. A name taken from the offer replaces what was typed, in the
// form that was typed (relative stays relative; "~" becomes the home folder's
// path, so the field always shows the name that will be used), a folder's
// with the separator after it. While the name has no folder in it, the
// names in `offered` are listed too. What is returned is still the field's
// text as it stands.
QString FileNameInputBox(QWidget *parent, const QString &prompt, const QStringList &offered = {});

} // namespace gridlore
