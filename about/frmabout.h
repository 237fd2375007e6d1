#pragma once

#include <QDialog>

namespace gridlore {

// The About dialog: title, version and notices.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget *parent = nullptr);
};

} // namespace gridlore
