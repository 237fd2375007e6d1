#pragma once

#include <QString>

class QWidget;

namespace gridlore {

// A modal prompt with an empty entry field, OK and Cancel, captioned with the
// application title. Returns the typed text, or the empty text on Cancel.
// Timers keep firing while it is open.
QString InputBox(QWidget *parent, const QString &prompt);

} // namespace gridlore
