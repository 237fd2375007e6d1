#pragma once

#include "about/frmabout.h"
#include "engine/life.h"
#include "engine/undohistory.h"
#include "helpviewer/form5.h"
#include "platform/drawingsurface.h"

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
class Form1 : public QMainWindow
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    // Handlers, one per event the window answers.
    void Form_Load();
    void Form_Resize();
    void Form_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, double x, double y);
    // While a button stays down, the cells the pointer enters take the state
    // the pressed cell took: one stroke, taken back as one step. The next
    // press starts the next stroke.
    void Form_MouseMove(double x, double y);
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Timer1_Timer();
    void mnu_read_Click();
    void mnu_save_Click();
    void mnu_end_Click();
    void mnu_lecture_Click();
    void mnu_about_Click();
    void PastePattern(); // Ctrl+V: the clipboard's text, read as Read reads a file
    void CopyPattern(); // Ctrl+C: the live cells onto the clipboard as RLE
    void UndoStep(); // Ctrl+Z: the board, counter and size as before the last change
    void RedoStep(); // Ctrl+Shift+Z, Ctrl+Y: the change taken back, done again

    // Reads the pattern file `name` as Read does once it has a name; false when
    // the board was left as it was. A bare name not in the current folder is
    // looked up in the bundled collection. `told` as for FillBoard.
    bool ReadFile(const QString &name, QString *told = nullptr);
    // What Read does with an open file, for every way a pattern comes in: the
    // run stops, the board is filled and repainted when any cell changed.
    // False when the board was left as it was. A pattern in another program's
    // format that was refused or used only up to a fault is reported in a
    // message naming `source`, the file or the clipboard; `told` gets the
    // reason the message gives.
    bool FillBoard(std::istream &in, const QString &source, QString *told = nullptr);

    // The board procedures.
    void SetUpBoard();
    void DrawCells();

    // Read access for tests and tools.
    Life &life() { return life_; }
    const Life &life() const { return life_; }
    DrawingSurface *surface() const { return surface_; }
    QTimer *timer() const { return Timer1; }
    int gridDrawn() const { return GridDrawn; }
    double generation() const { return generation_; }
    double topMargin() const { return TopMargin; }
    double cellWidth() const { return CellWidth; }
    double cellHeight() const { return CellHeight; }
    Form5 *helpViewer() const { return form5_; }
    const UndoHistory &history() const { return history_; }
    frmAbout *aboutBox() const { return about_; }

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
    void connectPatternSources();
    void tellReadProblem(
        const QString &source, const ReadProblem &problem, bool unused, QString *told);
    void layOutBoard();
    void printLiveMarks();
    void printMarks(const std::vector<QPoint> &cells, const QColor &colour);
    void fitFont();
    QPointF markPosition(int column, int row, float quarterHeight) const;
    void printMark(int column, int row, const QColor &colour);
    bool cellAt(double x, double y, int &column, int &row) const;
    void paintCell(int column, int row, double value);
    void connectHistory();
    void nextGeneration();
    UndoHistory::Position position() const;
    void record(const UndoHistory::Position &before);
    void goTo(const UndoHistory::Position &position);
    void showGeneration(double generation);

    // Module values.
    Life life_;
    int GridDrawn = 0;
    double TopMargin = 0;
    double CellWidth = 0;
    double CellHeight = 0;
    // The generation that Label1 shows; counted in double precision, as the
    // label's number-to-text form writes it.
    double generation_ = 1;

    // Controls.
    DrawingSurface *surface_ = nullptr;
    QFrame *Frame1 = nullptr;
    QLineEdit *Text2 = nullptr;
    QLineEdit *Text1 = nullptr;
    QPushButton *Command4 = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command1 = nullptr;
    QFrame *Line1 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label1 = nullptr;
    QTimer *Timer1 = nullptr;

    QMenu *mnu_file = nullptr;
    QAction *mnu_read = nullptr;
    QAction *mnu_save = nullptr;
    QAction *mnu_end = nullptr;
    QMenu *mnu_hlp = nullptr;
    QAction *mnu_lecture = nullptr;
    QAction *mnu_about = nullptr;

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

    QPointer<Form5> form5_;
    QPointer<frmAbout> about_;
    Prompt prompt_;
    // The surface shows the marks as the last DrawCells printed them, on the
    // same geometry, and the board's changes since are all that can differ.
    bool marksShown_ = false;
    std::vector<DrawingSurface::Recolour> changedMarks_; // reused by every DrawCells
};

} // namespace gridlore
