#include "mainwindow/form1.h"

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

Form1::Form1(QWidget *parent)
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
    Form_Load();
}

Form1::~Form1()
{
    // The help viewer and the About box have no owner window; they go with us.
    delete form5_;
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

// The panel and its controls, at their places in twips (inside Frame1 from
// the panel's corner), in creation order.
void Form1::createControls()
{
    setWindowTitle(QStringLiteral("Form1"));
    setFont(japaneseFont(9.75));

    surface_ = new DrawingSurface(this);
    surface_->setObjectName(QStringLiteral("Form1Surface"));
    // Marks are drawn without antialiasing so that a white asterisk printed
    // over a black one removes it completely instead of leaving a grey ghost.
    QFont marks = japaneseFont(9.75);
    marks.setStyleStrategy(QFont::NoAntialias);
    surface_->setFont(marks);
    setCentralWidget(surface_);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    Timer1->setTimerType(Qt::PreciseTimer);

    const QFont panelFont = japaneseFont(9);
    Frame1 = placed(new QFrame(surface_), "Frame1", 120, 120, 10095, 615);
    Frame1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Frame1->setAutoFillBackground(true);
    // Black for what is drawn on the white panel in the text colour (the
    // separator line): a dark theme's light text colour would vanish there.
    QPalette white = Frame1->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    Frame1->setPalette(white);
    Frame1->setFont(panelFont);
    // Presses on the panel are the panel's, never a cell's.
    Frame1->setAttribute(Qt::WA_NoMousePropagation);

    const QFont controlFont = QApplication::font();
    Text2 = placed(new QLineEdit(QStringLiteral("125"), Frame1), "Text2", 4800, 240, 615, 285);
    Text1 = placed(new QLineEdit(QStringLiteral("1000"), Frame1), "Text1", 5880, 240, 615, 285);
    Command4
        = placed(new QPushButton(QStringLiteral("自動"), Frame1), "Command4", 1560, 233, 1575, 255);
    Command3 = placed(
        new QPushButton(QStringLiteral("次世代"), Frame1), "Command3", 240, 210, 1095, 300);
    Command2
        = placed(new QPushButton(QStringLiteral("Reset"), Frame1), "Command2", 6960, 240, 975, 300);
    Command1
        = placed(new QPushButton(QStringLiteral("End"), Frame1), "Command1", 8400, 240, 855, 300);
    for (QWidget *control : { static_cast<QWidget *>(Text2), static_cast<QWidget *>(Text1),
             static_cast<QWidget *>(Command4), static_cast<QWidget *>(Command3) })
        control->setFont(controlFont);

    Line1 = new QFrame(Frame1);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::VLine);
    Line1->setFrameShadow(QFrame::Plain);
    Line1->setGeometry(QRect(twips::toPoint(4440, 120), twips::toPoint(4440, 600)));

    Label3 = placed(whiteLabel(QStringLiteral("枠"), Frame1), "Label3", 5520, 240, 375, 255);
    Label2 = placed(whiteLabel(QStringLiteral("ms"), Frame1), "Label2", 6480, 240, 615, 255);
    Label1 = placed(whiteLabel(QStringLiteral("1世代目"), Frame1), "Label1", 3480, 240, 1095, 255);
    for (QLabel *label : { Label3, Label2, Label1 })
        label->setFont(controlFont);

    // Focus moves End, Reset, 次世代, 自動, interval, size; it starts on End.
    for (QWidget *control : { static_cast<QWidget *>(Command1), static_cast<QWidget *>(Command2),
             static_cast<QWidget *>(Command3), static_cast<QWidget *>(Command4),
             static_cast<QWidget *>(Text1), static_cast<QWidget *>(Text2) })
        control->setFocusPolicy(Qt::StrongFocus);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);
    setTabOrder(Command3, Command4);
    setTabOrder(Command4, Text1);
    setTabOrder(Text1, Text2);
    Command1->setFocus();
}

void Form1::createMenus()
{
    mnu_file = menuBar()->addMenu(QStringLiteral("File(&F)"));
    mnu_file->setObjectName(QStringLiteral("mnu_file"));
    mnu_read = mnu_file->addAction(QStringLiteral("Read(&R)"));
    mnu_read->setObjectName(QStringLiteral("mnu_read"));
    mnu_save = mnu_file->addAction(QStringLiteral("Save(&S)"));
    mnu_save->setObjectName(QStringLiteral("mnu_save"));
    mnu_file->addSeparator()->setObjectName(QStringLiteral("sep01"));
    mnu_end = mnu_file->addAction(QStringLiteral("End(&E)"));
    mnu_end->setObjectName(QStringLiteral("mnu_end"));

    mnu_hlp = menuBar()->addMenu(QStringLiteral("Help(&H)"));
    mnu_hlp->setObjectName(QStringLiteral("mnu_hlp"));
    mnu_lecture = mnu_hlp->addAction(QStringLiteral("Gridloreとは"));
    mnu_lecture->setObjectName(QStringLiteral("mnu_lecture"));
    mnu_hlp->addSeparator()->setObjectName(QStringLiteral("sep"));
    mnu_about = mnu_hlp->addAction(QStringLiteral("バージョン"));
    mnu_about->setObjectName(QStringLiteral("mnu_about"));

    // The client area below the menu bar opens at 10200 x 8325 twips.
    resize(twips::toSize(10200, 8325) + QSize(0, menuBar()->sizeHint().height()));
}

void Form1::connectHandlers()
{
    connect(surface_, &DrawingSurface::resized, this, &Form1::Form_Resize);
    connect(surface_, &DrawingSurface::mousePressed, this, &Form1::Form_MouseDown);
    connect(surface_, &DrawingSurface::mouseMoved, this, &Form1::Form_MouseMove);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    connect(mnu_read, &QAction::triggered, this, &Form1::mnu_read_Click);
    connect(mnu_save, &QAction::triggered, this, &Form1::mnu_save_Click);
    connect(mnu_end, &QAction::triggered, this, &Form1::mnu_end_Click);
    connect(mnu_lecture, &QAction::triggered, this, &Form1::mnu_lecture_Click);
    connect(mnu_about, &QAction::triggered, this, &Form1::mnu_about_Click);
}

void Form1::Form_Load()
{
    GridDrawn = 0;
    life_.setBoardSize(Life::StartSize);
    // The board starts dead (0, not empty), as Save writes it before any
    // generation; resizes never clear it.
    life_.clearLiveArea();
}

// The board is the user's: a resize lays it out as ever and then shows it
// again, keeping the counter and the run. A new size from the size box keeps
// the cells that still fit. Minimised, nothing changes, not even the picture.
void Form1::Form_Resize()
{
    if (surface_->scaleWidth() <= 0)
        return;
    const bool rebuilds = GridDrawn == 0;
    const double size = Life::limitBoardSize(textToNumber(Text2->text()));
    std::optional<UndoHistory::Position> before; // a new size is a step to take back
    std::vector<QPoint> leaving; // live cells that the new size leaves out
    if (size != life_.boardSize()) {
        before = position();
        for (int i = 1; i <= life_.columns(); ++i)
            for (int j = 1; j <= life_.rows(); ++j)
                if ((i > Life::columnsFor(size) || j > Life::rowsFor(size))
                    && life_.board().at(i, j) == 1)
                    leaving.emplace_back(i, j);
        life_.resizeBoard(size);
    }
    layOutBoard();
    // A new grid shows no marks yet; on the old grid every mark but those of
    // the cells left out is right already.
    if (rebuilds)
        printLiveMarks();
    else
        printMarks(leaving, Qt::white);
    if (before)
        record(*before);
}

// Minimising and restoring count as resizes, though the widget keeps its size.
void Form1::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        const auto old = static_cast<QWindowStateChangeEvent *>(event)->oldState();
        if ((old ^ windowState()) & Qt::WindowMinimized)
            Form_Resize();
    }
}

void Form1::Command1_Click()
{
    // No file stays open between commands, so ending has nothing to close but
    // the windows.
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

void Form1::mnu_end_Click()
{
    Command1_Click();
}

void Form1::mnu_lecture_Click()
{
    if (!form5_)
        form5_ = new Form5();
    form5_->show();
    form5_->raise();
    form5_->activateWindow();
}

void Form1::mnu_about_Click()
{
    if (!about_)
        about_ = new frmAbout();
    about_->show();
    about_->raise();
    about_->activateWindow();
}

} // namespace gridlore
