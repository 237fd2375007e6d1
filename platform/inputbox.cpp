#include "platform/inputbox.h"

#include "platform/application.h"

#include <QInputDialog>

namespace gridlore {

QString InputBox(QWidget *parent, const QString &prompt)
{
    QInputDialog dialog(parent);
    dialog.setWindowTitle(applicationTitle());
    dialog.setLabelText(prompt);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextValue(QString());
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.textValue();
}

} // namespace gridlore
