#pragma once

#include <QMainWindow>

class QAction;
class QComboBox;
class QLabel;
class QPushButton;
class QTimer;
class QToolBar;

namespace gridlore {

class BrowserPane;

// The help viewer: a small browser window on the program's help page, with a
// toolbar, an address box and the page pane. It keeps no state of its own:
// the address list is the box's drop-down list, and the busy indicator is
// whether busyTimer runs.
class HelpViewer : public QMainWindow
{
    Q_OBJECT

public:
    // Takes ownership of the pane; without one it shows pages in Qt WebEngine.
    explicit HelpViewer(BrowserPane *pane = nullptr, QWidget *parent = nullptr);

    // One tick of the busy indicator, and one toolbar button pressed.
    void pollBusy();
    void runToolBarCommand(const QAction *button);

    // The help page's address: the program's folder, the separator, then the
    // page's path within it.
    static QString startAddress();

    // Read access for tests and tools.
    BrowserPane *browser() const { return page; }
    QTimer *busyIndicator() const { return busyTimer; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createToolBar();
    void connectHandlers();
    void openStartPage();
    void layOutControls();
    void goToAddress();
    void goOnEnter(int character);
    void startBusyIndicator();
    void stopBusyIndicator();
    void showLocationName();

    QWidget *client = nullptr;
    QToolBar *toolBar = nullptr;
    QWidget *addressBar = nullptr;
    QLabel *addressLabel = nullptr;
    QComboBox *addressBox = nullptr;
    QPushButton *goButton = nullptr;
    BrowserPane *page = nullptr;
    QLabel *spareLabel = nullptr;
    QTimer *busyTimer = nullptr;
};

} // namespace gridlore
