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
class AboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit AboutBox(QWidget *parent = nullptr);

private:
    void createControls();

    QPushButton *okButton = nullptr;
    QLabel *descriptionLabel = nullptr;
    QLabel *disclaimerLabel = nullptr;
    QLabel *titleLabel = nullptr;
    QLabel *copyrightLabel = nullptr;
    QLabel *icon = nullptr;
    QLabel *contactLabel = nullptr;
    // The two lines, shadow and highlight, of the one etched separator.
    std::array<QFrame *, 2> separatorLines {};
};

} // namespace gridlore
