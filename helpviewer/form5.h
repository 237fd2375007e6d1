#pragma once

#include <QMainWindow>

namespace gridlore {

// The help viewer: a small browser window on the program's help page.
class Form5 : public QMainWindow
{
    Q_OBJECT

public:
    explicit Form5(QWidget *parent = nullptr);
};

} // namespace gridlore
