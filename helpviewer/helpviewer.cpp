#include "helpviewer/helpviewer.h"

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

HelpViewer::HelpViewer(BrowserPane *pane, QWidget *parent)
    : QMainWindow(parent)
    , page(pane ? pane : new WebEnginePane(helpFile(QStringLiteral("search.htm"))))
{
    setAttribute(Qt::WA_DeleteOnClose);
    createControls();
    connectHandlers();
    openStartPage();
}

QString HelpViewer::startAddress()
{
    return helpFile(QStringLiteral("hlp01.htm"));
}

// The controls at their design places in twips; the three address controls
// are placed within addressBar.
void HelpViewer::createControls()
{
    setWindowTitle(QStringLiteral("Form2"));
    setFont(japaneseFont(9));
    client = new QWidget(this);
    setCentralWidget(client);
    resize(twips::toSize(10305, 8400));

    createToolBar();

    addressBar = placed(new QWidget(client), "addressBar", 0, 540, 10305, 675);
    addressLabel = placed(
        new QLabel(QStringLiteral("ｱﾄﾞﾚｽ(&A):"), addressBar), "addressLabel", 45, 60, 3075, 255);
    addressBox = placed(new QComboBox(addressBar), "addressBox", 45, 300, 3795, 300);
    addressBox->setEditable(true);
    // The list grows only by the viewer's own rule, in the order of requests,
    // and typing completes nothing.
    addressBox->setInsertPolicy(QComboBox::NoInsert);
    addressBox->setCompleter(nullptr);
    addressBox->setEditText(QStringLiteral("END!"));
    addressLabel->setBuddy(addressBox);
    goButton = placed(
        new QPushButton(QStringLiteral("移動"), addressBar), "goButton", 4800, 360, 615, 255);

    page->setParent(client);
    placed(page, "page", 45, 1320, 5400, 3735);

    // Hidden, and read by nothing: kept only so that the window has every control of its layout.
    spareLabel
        = placed(new QLabel(QStringLiteral("Label1"), client), "spareLabel", 7320, 2160, 2175, 375);
    spareLabel->setVisible(false);

    busyTimer = new QTimer(this);
    busyTimer->setObjectName(QStringLiteral("busyTimer"));
    busyTimer->setInterval(5);

    setTabOrder(goButton, addressBox);
    setTabOrder(addressBox, page);
    setTabOrder(page, toolBar);
}

void HelpViewer::createToolBar()
{
    registerToolbarImages();
    toolBar = placed(new QToolBar(client), "toolBar", 0, 0, 10305, 540);
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    toolBar->setIconSize(QSize(24, 24));
    toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);

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
        QAction *action = toolBar->addAction(QIcon(image), button.toolTip);
        action->setData(QString::fromLatin1(button.key));
        action->setToolTip(button.toolTip);
        // 820 x 794 hundredths of a millimetre: just large enough for the image.
        toolBar->widgetForAction(action)->setFixedSize(31, 30);
    }
}

void HelpViewer::connectHandlers()
{
    connect(busyTimer, &QTimer::timeout, this, &HelpViewer::pollBusy);
    connect(page, &BrowserPane::DownloadComplete, this, &HelpViewer::showLocationName);
    connect(goButton, &QPushButton::clicked, this, &HelpViewer::goToAddress);
    connect(addressBox, &QComboBox::activated, this, &HelpViewer::goToAddress);
    connect(toolBar, &QToolBar::actionTriggered, this, &HelpViewer::runToolBarCommand);
    // When editing ends, Qt selects a list entry equal to the typed text as if
    // the user had chosen it; only a real choice may navigate and grow the list.
    disconnect(addressBox->lineEdit(), &QLineEdit::editingFinished, addressBox, nullptr);
    addressBox->lineEdit()->installEventFilter(this);
}

// Every step runs whatever became of the one before: the window opens in any
// case, with or without its page.
void HelpViewer::openStartPage()
{
    const QString address = startAddress();
    toolBar->update();
    layOutControls();
    addressBox->move(
        twips::toPoint(50, twipsOf(addressLabel->y()) + twipsOf(addressLabel->height()) + 15));
    addressBox->setEditText(address);
    addressBox->addItem(addressBox->currentText());
    startBusyIndicator();
    page->Navigate(address);
}

// The toolbar and the address panel stretch along the top; the address box,
// the go button and the pane follow the right and bottom edges. Sizes that
// would come out negative (a window shrunk below its panels) are 0.
void HelpViewer::layOutControls()
{
    // No menu or status bar: the window's size is its client area.
    const double W = twipsOf(width());
    const double H = twipsOf(height());
    toolBar->setGeometry(0, 0, width(), toolBar->height());
    addressBar->setGeometry(0, toolBar->height(), width(), addressBar->height());

    const double goWidth = twipsOf(goButton->width());
    const double panelBottom = twipsOf(addressBar->y()) + twipsOf(addressBar->height());
    addressBox->resize(pixels(std::max(0.0, W - 100 - goWidth - 50)), addressBox->height());
    goButton->move(pixels(W - goWidth - 50), goButton->y());
    page->resize(pixels(std::max(0.0, W - 100)), pixels(std::max(0.0, H - panelBottom - 100)));
}

void HelpViewer::pollBusy()
{
    // A pane that cannot tell whether it is busy counts as idle, so that the
    // indicator does not poll for ever.
    if (!page->Busy().value_or(false)) {
        stopBusyIndicator();
        showLocationName();
    } else {
        setWindowTitle(QStringLiteral("接続中..."));
    }
}

// Each key typed in the address box; Enter, character 13, goes to the address.
void HelpViewer::goOnEnter(int character)
{
    if (character == 13)
        goToAddress();
}

// A command the pane refuses (Back with no earlier page, say) is skipped; the
// busy indicator, already started, then finds the pane idle and puts the
// page's name back in the caption.
void HelpViewer::runToolBarCommand(const QAction *button)
{
    startBusyIndicator();
    const QString key = button ? button->data().toString() : QString();
    if (key == QLatin1String("Back")) {
        page->GoBack();
    } else if (key == QLatin1String("Forward")) {
        page->GoForward();
    } else if (key == QLatin1String("Refresh")) {
        page->Refresh();
    } else if (key == QLatin1String("Home")) {
        page->Navigate(startAddress());
    } else if (key == QLatin1String("Search")) {
        page->GoSearch();
    } else if (key == QLatin1String("Stop")) {
        stopBusyIndicator();
        page->Stop();
        showLocationName();
    }
}

// The go action. An address the pane refuses ends it there, quietly: it is
// not added to the list and the window stays as it was.
void HelpViewer::goToAddress()
{
    startBusyIndicator();
    if (!page->Navigate(addressBox->currentText()))
        return;
    addressBox->addItem(addressBox->currentText());
}

void HelpViewer::startBusyIndicator()
{
    busyTimer->start();
}

void HelpViewer::stopBusyIndicator()
{
    busyTimer->stop();
}

// A pane that cannot name its page leaves the caption as it is.
void HelpViewer::showLocationName()
{
    if (const std::optional<QString> name = page->LocationName())
        setWindowTitle(*name);
}

void HelpViewer::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    layOutControls();
}

// Key presses in the address box reach goOnEnter first, then take
// their normal effect.
bool HelpViewer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == addressBox->lineEdit() && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        // Both Enter keys are character 13, whatever text the platform attaches.
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            goOnEnter(13);
        else if (!key->text().isEmpty())
            goOnEnter(key->text().at(0).unicode());
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace gridlore
