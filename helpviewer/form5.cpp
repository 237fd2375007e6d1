#include "helpviewer/form5.h"

#include "platform/application.h"
#include "platform/browserpane.h"
#include "platform/twips.h"
#include "platform/webenginepane.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <cmath>

// The toolbar images are compiled into this static library; nothing refers to
// them by symbol, so they must be registered by hand.
static void registerToolbarImages()
{
    Q_INIT_RESOURCE(toolbar);
}

namespace gridlore {

using twips::placed;

namespace {

QString helpFile(const QString &name)
{
    return QDir::toNativeSeparators(applicationFolder() + QStringLiteral("/helppage/") + name);
}

int pixels(double twipsLength)
{
    return static_cast<int>(std::lround(twips::toPixels(twipsLength)));
}

double twipsOf(int pixelLength)
{
    return twips::fromPixels(pixelLength);
}

} // namespace

Form5::Form5(BrowserPane *pane, QWidget *parent)
    : QMainWindow(parent)
    , brwWebBrowser(pane ? pane : new WebEnginePane(helpFile(QStringLiteral("search.htm"))))
{
    setAttribute(Qt::WA_DeleteOnClose);
    createControls();
    connectHandlers();
    Form_Load();
}

QString Form5::startAddress()
{
    return helpFile(QStringLiteral("hlp01.htm"));
}

// The controls at their design places in twips; the three address controls
// are placed within picAddress.
void Form5::createControls()
{
    setWindowTitle(QStringLiteral("Form2"));
    setFont(japaneseFont(9));
    client_ = new QWidget(this);
    setCentralWidget(client_);
    resize(twips::toSize(10305, 8400));

    createToolBar();

    picAddress = placed(new QWidget(client_), "picAddress", 0, 540, 10305, 675);
    lblAddress = placed(
        new QLabel(QStringLiteral("ｱﾄﾞﾚｽ(&A):"), picAddress), "lblAddress", 45, 60, 3075, 255);
    cboAddress = placed(new QComboBox(picAddress), "cboAddress", 45, 300, 3795, 300);
    cboAddress->setEditable(true);
    // The list grows only by the viewer's own rule, in the order of requests,
    // and typing completes nothing.
    cboAddress->setInsertPolicy(QComboBox::NoInsert);
    cboAddress->setCompleter(nullptr);
    cboAddress->setEditText(QStringLiteral("END!"));
    lblAddress->setBuddy(cboAddress);
    Command1 = placed(
        new QPushButton(QStringLiteral("移動"), picAddress), "Command1", 4800, 360, 615, 255);

    brwWebBrowser->setParent(client_);
    placed(brwWebBrowser, "brwWebBrowser", 45, 1320, 5400, 3735);

    Label1 = placed(new QLabel(QStringLiteral("Label1"), client_), "Label1", 7320, 2160, 2175, 375);
    Label1->setVisible(false);

    timTimer = new QTimer(this);
    timTimer->setObjectName(QStringLiteral("timTimer"));
    timTimer->setInterval(5);

    setTabOrder(Command1, cboAddress);
    setTabOrder(cboAddress, brwWebBrowser);
    setTabOrder(brwWebBrowser, tbToolBar);
}

void Form5::createToolBar()
{
    registerToolbarImages();
    tbToolBar = placed(new QToolBar(client_), "tbToolBar", 0, 0, 10305, 540);
    tbToolBar->setMovable(false);
    tbToolBar->setFloatable(false);
    tbToolBar->setIconSize(QSize(24, 24));
    tbToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);

    struct Button
    {
        const char *key;
        const char *image;
        QString toolTip;
    };
    const Button buttons[] = {
        { "Back", "back", QStringLiteral("戻る") },
        { "Forward", "forward", QStringLiteral("進む") },
        { "Stop", "stop", QStringLiteral("中止") },
        { "Refresh", "refresh", QStringLiteral("更新") },
        { "Home", "home", QStringLiteral("ﾎｰﾑ") },
        { "Search", "search", QStringLiteral("検索") },
    };
    for (const Button &button : buttons) {
        // Through QPixmap, which Qt loads once per file: an icon made from the file
        // name loads its own copy, and each copy stays in Qt's pixmap cache after
        // the window is gone: about 3 kB an image at every opening.
        const QPixmap image(
            QStringLiteral(":/helpviewer/icons/%1.xpm").arg(QLatin1String(button.image)));
        QAction *action = tbToolBar->addAction(QIcon(image), button.toolTip);
        action->setData(QString::fromLatin1(button.key));
        action->setToolTip(button.toolTip);
        // 820 x 794 hundredths of a millimetre: just large enough for the image.
        tbToolBar->widgetForAction(action)->setFixedSize(31, 30);
    }
}

void Form5::connectHandlers()
{
    connect(timTimer, &QTimer::timeout, this, &Form5::timTimer_Timer);
    connect(brwWebBrowser, &BrowserPane::DownloadComplete, this,
        &Form5::brwWebBrowser_DownloadComplete);
    connect(Command1, &QPushButton::clicked, this, &Form5::Command1_Click);
    connect(cboAddress, &QComboBox::activated, this, &Form5::cboAddress_Click);
    connect(tbToolBar, &QToolBar::actionTriggered, this, &Form5::tbToolBar_ButtonClick);
    // When editing ends, Qt selects a list entry equal to the typed text as if
    // the user had chosen it; only a real choice may navigate and grow the list.
    disconnect(cboAddress->lineEdit(), &QLineEdit::editingFinished, cboAddress, nullptr);
    cboAddress->lineEdit()->installEventFilter(this);
}

// Every step runs whatever became of the one before: the window opens in any
// case, with or without its page.
void Form5::Form_Load()
{
    const QString address = startAddress();
    tbToolBar->update();
    Form_Resize();
    cboAddress->move(
        twips::toPoint(50, twipsOf(lblAddress->y()) + twipsOf(lblAddress->height()) + 15));
    cboAddress->setEditText(address);
    cboAddress->addItem(cboAddress->currentText());
    startBusyIndicator();
    brwWebBrowser->Navigate(address);
}

// The toolbar and the address panel stretch along the top; the address box,
// the go button and the pane follow the right and bottom edges. Sizes that
// would come out negative (a window shrunk below its panels) are 0.
void Form5::Form_Resize()
{
    // No menu or status bar: the window's size is its client area.
    const double W = twipsOf(width());
    const double H = twipsOf(height());
    tbToolBar->setGeometry(0, 0, width(), tbToolBar->height());
    picAddress->setGeometry(0, tbToolBar->height(), width(), picAddress->height());

    const double goWidth = twipsOf(Command1->width());
    const double panelBottom = twipsOf(picAddress->y()) + twipsOf(picAddress->height());
    cboAddress->resize(pixels(std::max(0.0, W - 100 - goWidth - 50)), cboAddress->height());
    Command1->move(pixels(W - goWidth - 50), Command1->y());
    brwWebBrowser->resize(
        pixels(std::max(0.0, W - 100)), pixels(std::max(0.0, H - panelBottom - 100)));
}

void Form5::timTimer_Timer()
{
    // A pane that cannot tell whether it is busy counts as idle, so that the
    // indicator does not poll for ever.
    if (!brwWebBrowser->Busy().value_or(false)) {
        stopBusyIndicator();
        showLocationName();
    } else {
        setWindowTitle(QStringLiteral("接続中..."));
    }
}

void Form5::brwWebBrowser_DownloadComplete()
{
    showLocationName();
}

void Form5::Command1_Click()
{
    GoToAddress();
}

void Form5::cboAddress_Click()
{
    GoToAddress();
}

void Form5::cboAddress_KeyPress(int KeyAscii)
{
    if (KeyAscii == 13)
        cboAddress_Click();
}

// A command the pane refuses (Back with no earlier page, say) is skipped; the
// busy indicator, already started, then finds the pane idle and puts the
// page's name back in the caption.
void Form5::tbToolBar_ButtonClick(const QAction *Button)
{
    startBusyIndicator();
    const QString Key = Button ? Button->data().toString() : QString();
    if (Key == QLatin1String("Back")) {
        brwWebBrowser->GoBack();
    } else if (Key == QLatin1String("Forward")) {
        brwWebBrowser->GoForward();
    } else if (Key == QLatin1String("Refresh")) {
        brwWebBrowser->Refresh();
    } else if (Key == QLatin1String("Home")) {
        brwWebBrowser->Navigate(startAddress());
    } else if (Key == QLatin1String("Search")) {
        brwWebBrowser->GoSearch();
    } else if (Key == QLatin1String("Stop")) {
        stopBusyIndicator();
        brwWebBrowser->Stop();
        showLocationName();
    }
}

// The go action. An address the pane refuses ends it there, quietly: it is
// not added to the list and the window stays as it was.
void Form5::GoToAddress()
{
    startBusyIndicator();
    if (!brwWebBrowser->Navigate(cboAddress->currentText()))
        return;
    cboAddress->addItem(cboAddress->currentText());
}

void Form5::startBusyIndicator()
{
    timTimer->start();
}

void Form5::stopBusyIndicator()
{
    timTimer->stop();
}

// A pane that cannot name its page leaves the caption as it is.
void Form5::showLocationName()
{
    if (const std::optional<QString> name = brwWebBrowser->LocationName())
        setWindowTitle(*name);
}

void Form5::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

// Key presses in the address box reach cboAddress_KeyPress first, then take
// their normal effect.
bool Form5::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == cboAddress->lineEdit() && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        // Both Enter keys are character 13, whatever text the platform attaches.
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            cboAddress_KeyPress(13);
        else if (!key->text().isEmpty())
            cboAddress_KeyPress(key->text().at(0).unicode());
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace gridlore
