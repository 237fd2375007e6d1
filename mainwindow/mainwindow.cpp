#include "mainwindow/mainwindow.h"

#include "platform/application.h"
#include "platform/drawingsurface.h"
#include "platform/inputbox.h"
#include "platform/numbertext_qt.h"
#include "platform/twips.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QWindowStateChangeEvent>

#include <optional>

namespace gridlore {

using twips::placed;

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
{
    createControls();
    createMenus();
    connectHandlers();
    connectPatternSources();
    connectHistory();
    prompt_ = [this](const QString &text, const QStringList &offered) {
        return FileNameInputBox(this, text, offered);
    };
    startGame();
}

MainWindow::~MainWindow()
{
    // The help viewer and the About box have no owner window; they go with us.
    delete helpViewer_;
    delete about_;
}

namespace {

QLabel *whiteLabel(const QString &caption, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    label->setAutoFillBackground(true);
    // The text colour goes with the fixed background, whatever the theme's.
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    return label;
}

} // namespace

// The panel and its controls, at their places in twips (inside panel from
// the panel's corner), in creation order.
void MainWindow::createControls()
{
    setWindowTitle(QStringLiteral("Form1"));
    setFont(japaneseFont(9.75));

    DrawingSurface *surface = view_.surface();
    surface->setObjectName(QStringLiteral("boardSurface"));
    // Marks are drawn without antialiasing so that a white asterisk printed
    // over a black one removes it completely instead of leaving a grey ghost.
    QFont marks = japaneseFont(9.75);
    marks.setStyleStrategy(QFont::NoAntialias);
    surface->setFont(marks);
    setCentralWidget(surface);

    runTimer = new QTimer(this);
    runTimer->setObjectName(QStringLiteral("runTimer"));
    runTimer->setInterval(1000);
    runTimer->setTimerType(Qt::PreciseTimer);

    const QFont panelFont = japaneseFont(9);
    panel = placed(new QFrame(surface), "panel", 120, 120, 10095, 615);
    panel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    panel->setAutoFillBackground(true);
    // Black for what is drawn on the white panel in the text colour (the
    // separator line): a dark theme's light text colour would vanish there.
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(white);
    panel->setFont(panelFont);
    // Presses on the panel are the panel's, never a cell's.
    panel->setAttribute(Qt::WA_NoMousePropagation);
    view_.setPanel(panel);

    const QFont controlFont = QApplication::font();
    sizeBox = placed(new QLineEdit(QStringLiteral("125"), panel), "sizeBox", 4800, 240, 615, 285);
    intervalBox
        = placed(new QLineEdit(QStringLiteral("1000"), panel), "intervalBox", 5880, 240, 615, 285);
    runButton
        = placed(new QPushButton(QStringLiteral("自動"), panel), "runButton", 1560, 233, 1575, 255);
    nextButton = placed(
        new QPushButton(QStringLiteral("次世代"), panel), "nextButton", 240, 210, 1095, 300);
    resetButton = placed(
        new QPushButton(QStringLiteral("Reset"), panel), "resetButton", 6960, 240, 975, 300);
    endButton
        = placed(new QPushButton(QStringLiteral("End"), panel), "endButton", 8400, 240, 855, 300);
    for (QWidget *control : { static_cast<QWidget *>(sizeBox), static_cast<QWidget *>(intervalBox),
             static_cast<QWidget *>(runButton), static_cast<QWidget *>(nextButton) })
        control->setFont(controlFont);

    separator = new QFrame(panel);
    separator->setObjectName(QStringLiteral("separator"));
    separator->setFrameShape(QFrame::VLine);
    separator->setFrameShadow(QFrame::Plain);
    separator->setGeometry(QRect(twips::toPoint(4440, 120), twips::toPoint(4440, 600)));

    sizeLabel = placed(whiteLabel(QStringLiteral("枠"), panel), "sizeLabel", 5520, 240, 375, 255);
    intervalLabel
        = placed(whiteLabel(QStringLiteral("ms"), panel), "intervalLabel", 6480, 240, 615, 255);
    counterLabel = placed(
        whiteLabel(QStringLiteral("1世代目"), panel), "counterLabel", 3480, 240, 1095, 255);
    for (QLabel *label : { sizeLabel, intervalLabel, counterLabel })
        label->setFont(controlFont);

    // Focus moves End, Reset, 次世代, 自動, interval, size; it starts on End.
    for (QWidget *control :
        { static_cast<QWidget *>(endButton), static_cast<QWidget *>(resetButton),
            static_cast<QWidget *>(nextButton), static_cast<QWidget *>(runButton),
            static_cast<QWidget *>(intervalBox), static_cast<QWidget *>(sizeBox) })
        control->setFocusPolicy(Qt::StrongFocus);
    setTabOrder(endButton, resetButton);
    setTabOrder(resetButton, nextButton);
    setTabOrder(nextButton, runButton);
    setTabOrder(runButton, intervalBox);
    setTabOrder(intervalBox, sizeBox);
    endButton->setFocus();
}

void MainWindow::createMenus()
{
    fileMenu = menuBar()->addMenu(QStringLiteral("File(&F)"));
    fileMenu->setObjectName(QStringLiteral("fileMenu"));
    readAction = fileMenu->addAction(QStringLiteral("Read(&R)"));
    readAction->setObjectName(QStringLiteral("readAction"));
    saveAction = fileMenu->addAction(QStringLiteral("Save(&S)"));
    saveAction->setObjectName(QStringLiteral("saveAction"));
    fileMenu->addSeparator();
    endAction = fileMenu->addAction(QStringLiteral("End(&E)"));
    endAction->setObjectName(QStringLiteral("endAction"));

    helpMenu = menuBar()->addMenu(QStringLiteral("Help(&H)"));
    helpMenu->setObjectName(QStringLiteral("helpMenu"));
    helpAction = helpMenu->addAction(QStringLiteral("Gridloreとは"));
    helpAction->setObjectName(QStringLiteral("helpAction"));
    helpMenu->addSeparator();
    aboutAction = helpMenu->addAction(QStringLiteral("バージョン"));
    aboutAction->setObjectName(QStringLiteral("aboutAction"));

    // The client area below the menu bar opens at 10200 x 8325 twips.
    resize(twips::toSize(10200, 8325) + QSize(0, menuBar()->sizeHint().height()));
}

void MainWindow::connectHandlers()
{
    DrawingSurface *surface = view_.surface();
    connect(surface, &DrawingSurface::resized, this, &MainWindow::windowResized);
    connect(surface, &DrawingSurface::mousePressed, this, &MainWindow::pressCell);
    connect(surface, &DrawingSurface::mouseMoved, this, &MainWindow::strokeTo);
    connect(endButton, &QPushButton::clicked, this, &MainWindow::endProgram);
    connect(resetButton, &QPushButton::clicked, this, &MainWindow::reset);
    connect(nextButton, &QPushButton::clicked, this, &MainWindow::nextGeneration);
    connect(runButton, &QPushButton::clicked, this, &MainWindow::toggleRun);
    connect(runTimer, &QTimer::timeout, this, &MainWindow::runTick);
    connect(readAction, &QAction::triggered, this, &MainWindow::readPattern);
    connect(saveAction, &QAction::triggered, this, &MainWindow::saveBoard);
    connect(endAction, &QAction::triggered, this, &MainWindow::endProgram);
    connect(helpAction, &QAction::triggered, this, &MainWindow::showHelp);
    connect(aboutAction, &QAction::triggered, this, &MainWindow::showAbout);
}

void MainWindow::startGame()
{
    life_.setBoardSize(Life::StartSize);
    // The board starts dead (0, not empty), as Save writes it before any
    // generation; resizes never clear it.
    life_.clearBoard();
}

// The board is the user's: a resize lays it out for the window's new size and
// shows it again, keeping the counter and the run. A new size from the size
// box keeps the cells that still fit. Minimised, or the size unchanged (a
// restore), the picture stays as it is.
void MainWindow::windowResized()
{
    if (view_.surface()->scaleWidth() <= 0)
        return;
    const double size = Life::limitBoardSize(textToNumber(sizeBox->text()));
    std::optional<UndoHistory::Position> before; // a new size is a step to take back
    if (size != life_.boardSize()) {
        before = position();
        life_.resizeBoard(size);
    }
    if (view_.layOut(life_))
        view_.showLiveMarks(life_);
    if (before)
        record(*before);
}

// Minimising and restoring count as resizes, though the widget keeps its size.
void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        const auto old = static_cast<QWindowStateChangeEvent *>(event)->oldState();
        if ((old ^ windowState()) & Qt::WindowMinimized)
            windowResized();
    }
}

void MainWindow::endProgram()
{
    // No file stays open between commands, so ending has nothing to close but
    // the windows.
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

void MainWindow::showHelp()
{
    if (!helpViewer_)
        helpViewer_ = new HelpViewer();
    helpViewer_->show();
    helpViewer_->raise();
    helpViewer_->activateWindow();
}

void MainWindow::showAbout()
{
    if (!about_)
        about_ = new AboutBox();
    about_->show();
    about_->raise();
    about_->activateWindow();
}

} // namespace gridlore
