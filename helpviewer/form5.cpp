#include "helpviewer/form5.h"

namespace gridlore {

Form5::Form5(QWidget *parent) : QMainWindow(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Form2"));
}

} // namespace gridlore
