#pragma once

#include "about/aboutbox.h"
#include "engine/life.h"
#include "engine/undohistory.h"
#include "helpviewer/helpviewer.h"
#include "mainwindow/boardview.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <iosfwd>

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;

namespace gridlore {

struct ReadProblem;

// The main window: the control panel over the board, the menus, and the game
// state, which lives here for as long as the window does.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The commands, one per control, menu item, key or event the window answers.
    void windowResized();
    // A press flips the cell under it. While the button stays down, the cells
    // the pointer enters take the state the pressed cell took: one stroke,
    // taken back as one step. The next press starts the next stroke.
    void pressCell(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, double x, double y);
    void strokeTo(double x, double y);
    void nextGeneration(); // 次世代
    void toggleRun(); // 自動 / 自動Stop
    void runTick(); // the automatic run's timer
    void reset(); // Reset
    void endProgram(); // End, End(E)
    void readPattern(); // Read(R)
    void saveBoard(); // Save(S)
    void showHelp(); // Gridloreとは
    void showAbout(); // バージョン
    void pastePattern(); // Ctrl+V: the clipboard's text, read as Read reads a file
    void copyPattern(); // Ctrl+C: the live cells onto the clipboard as RLE
    void undo(); // Ctrl+Z: the board, counter and size as before the last change
    void redo(); // Ctrl+Shift+Z, Ctrl+Y: the change taken back, done again

    // Reads the pattern file `name` as Read does once it has a name; false when
    // the board was left as it was. A bare name not in the current folder is
    // looked up in the bundled collection. `told` as for fillBoard.
    bool readPatternFile(const QString &name, QString *told = nullptr);
    // What Read does with an open file, for every way a pattern comes in: the
    // run stops, the board is filled and repainted when any cell changed.
    // False when the board was left as it was. A pattern in another program's
    // format that was refused or used only up to a fault is reported in a
    // message naming `source`, the file or the clipboard; `told` gets the
    // reason the message gives.
    bool fillBoard(std::istream &in, const QString &source, QString *told = nullptr);

    // Reset's board: the size from the size box, the board cleared, the grid
    // drawn anew.
    void setUpBoard();

    // Read access for tests and tools.
    Life &life() { return life_; }
    const Life &life() const { return life_; }
    BoardView &view() { return view_; }
    const BoardView &view() const { return view_; }
    QTimer *timer() const { return runTimer; }
    double generation() const { return generation_; }
    HelpViewer *helpViewer() const { return helpViewer_; }
    const UndoHistory &history() const { return history_; }
    AboutBox *aboutBox() const { return about_; }

    // The file-name prompt, offering `offered` besides the files; tests put a
    // scripted one in its place.
    using Prompt = std::function<QString(const QString &prompt, const QStringList &offered)>;
    void setPrompt(Prompt prompt) { prompt_ = std::move(prompt); }

protected:
    void changeEvent(QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createMenus();
    void connectHandlers();
    void startGame();
    void connectPatternSources();
    void tellReadProblem(
        const QString &source, const ReadProblem &problem, bool unused, QString *told);
    void paintCell(int column, int row, double value);
    void connectHistory();
    void advanceGeneration();
    UndoHistory::Position position() const;
    bool record(const UndoHistory::Position &before);
    void goTo(const UndoHistory::Position &position);
    void showGeneration(double generation);
    // Stops the automatic run. The toggle and undo, which end the run, show
    // 自動 again; Reset, Read and Save leave the button as it reads, so that
    // after a run it still reads 自動Stop and its next press starts the run.
    enum class RunButton { Kept, ShowsStart };
    void stopRun(RunButton button);

    // Module values.
    Life life_;
    // The generation that counterLabel shows; counted in double precision, as the
    // label's number-to-text form writes it.
    double generation_ = 1;

    // Controls.
    BoardView view_ { this };
    QFrame *panel = nullptr;
    QLineEdit *sizeBox = nullptr;
    QLineEdit *intervalBox = nullptr;
    QPushButton *runButton = nullptr;
    QPushButton *nextButton = nullptr;
    QPushButton *resetButton = nullptr;
    QPushButton *endButton = nullptr;
    QFrame *separator = nullptr;
    QLabel *sizeLabel = nullptr;
    QLabel *intervalLabel = nullptr;
    QLabel *counterLabel = nullptr;
    QTimer *runTimer = nullptr;

    QMenu *fileMenu = nullptr;
    QAction *readAction = nullptr;
    QAction *saveAction = nullptr;
    QAction *endAction = nullptr;
    QMenu *helpMenu = nullptr;
    QAction *helpAction = nullptr;
    QAction *aboutAction = nullptr;

    UndoHistory history_;
    // The automatic run's generations since it started, or since a change of
    // another kind, are one step; the first tick after either records it.
    bool runStepOpen_ = false;
    // A stroke in progress: the state its cells take, and the last cell the
    // pointer was in (which may lie off the board).
    bool stroking_ = false;
    double strokeValue_ = 0;
    int strokeColumn_ = 0;
    int strokeRow_ = 0;

    QPointer<HelpViewer> helpViewer_;
    QPointer<AboutBox> about_;
    Prompt prompt_;
};

} // namespace gridlore
