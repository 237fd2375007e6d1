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
// whether timTimer runs.
class Form5 : public QMainWindow
{
    Q_OBJECT

public:
    // Takes ownership of the pane; without one it shows pages in Qt WebEngine.
    explicit Form5(BrowserPane *pane = nullptr, QWidget *parent = nullptr);

    // Handlers, one per event the window answers.
    void Form_Load();
    void Form_Resize();
    void timTimer_Timer();
    void brwWebBrowser_DownloadComplete();
    void Command1_Click();
    void cboAddress_Click();
    void cboAddress_KeyPress(int KeyAscii);
    void tbToolBar_ButtonClick(const QAction *Button);

    // The help page's address: the program's folder, the separator, then the
    // page's path within it.
    static QString startAddress();

    // Read access for tests and tools.
    BrowserPane *browser() const { return brwWebBrowser; }
    QTimer *busyIndicator() const { return timTimer; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createToolBar();
    void connectHandlers();
    void GoToAddress();
    void startBusyIndicator();
    void stopBusyIndicator();
    void showLocationName();

    QWidget *client_ = nullptr;
    QToolBar *tbToolBar = nullptr;
    QWidget *picAddress = nullptr;
    QLabel *lblAddress = nullptr;
    QComboBox *cboAddress = nullptr;
    QPushButton *Command1 = nullptr;
    BrowserPane *brwWebBrowser = nullptr;
    QLabel *Label1 = nullptr;
    QTimer *timTimer = nullptr;
};

} // namespace gridlore
