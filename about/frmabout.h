#pragma once

#include <QDialog>

#include <array>

class QFrame;
class QLabel;
class QPushButton;

namespace gridlore {

// The About dialog: title, version and notices beside the program's icon.
// It keeps nothing: closing it in any way unloads it (the widget deletes
// itself), and the next showing builds it afresh.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget *parent = nullptr);

    void Form_Load();
    void cmdOK_Click();

private:
    void createControls();

    QPushButton *cmdOK = nullptr;
    QLabel *lblDescription = nullptr;
    QLabel *lblDisclaimer = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *picIcon = nullptr;
    QLabel *Label1 = nullptr;
    std::array<QFrame *, 2> Line1 {};
};

} // namespace gridlore
