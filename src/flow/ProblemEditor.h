#pragma once

#include "problem/RandomGenerator.h"
#include "base/UiPort.h"
#include "workspace/Workspace.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// A cell of the editor's tables, in the tables' own coordinates: column 0
// holds the row captions, row 0 the column captions. (0, 0) is "no cell".
struct EditorCell {
    int col = 0;
    int row = 0;
    bool isNone() const { return col == 0 && row == 0; }
    bool operator==(const EditorCell& o) const { return col == o.col && row == o.row; }
    bool operator!=(const EditorCell& o) const { return !(*this == o); }
};

// Which table the editor shows.
enum class EditorView { None = 0, Objectives = 1, Constraints = 2 };

// The entries of the "Random Numbers" dialog as typed. They are kept from one
// opening of the dialog to the next, and from one editor to the next.
struct RandomRangeTexts {
    QString min;
    QString max;
    QString prob;
};

enum class RandomObject { CurrentCell = 0, SecondItem = 1, AllCoefficients = 2 };

struct RandomFillSettings {
    std::array<RandomRangeTexts, 3> ranges{{
        {QStringLiteral("0"), QStringLiteral("100"), QStringLiteral("1")},
        {QStringLiteral("0"), QStringLiteral("100"), QStringLiteral("0")},
        {QStringLiteral("0"), QStringLiteral("100"), QStringLiteral("0")},
    }};
    bool useR2 = false;
    // Only counts while R2 is in use.
    bool useR3 = false;
    RandomObject object = RandomObject::CurrentCell;
};

// One range of a random fill, as used: integer limits and a probability
// (0 for a range that is not in use).
struct RandomRange {
    std::int32_t min = 0;
    std::int32_t max = 0;
    Real prob = 0;
};
using RandomFillParameters = std::array<RandomRange, 3>;

// What the random dialog offers on the current cell.
struct RandomFillOffer {
    QString secondItem;           // "for current row", "for all RHS values", ...
    bool allCoefficients = false; // the third item, "for all coefficients"
};

// The fields of the "Variable definition" dialog.
struct VariableFields {
    int index = 1;
    QString name;
    QString lower;
    QString upper;
};

// The problem editor: the two tables in which a problem is typed, the
// renaming of objectives and variables, inserting and deleting rows and
// columns, the variable bounds, the random fill and saving. It works on its
// own copy of the problem; the caller takes `problem()` and `fileName()` back
// once the editor is closed. The window shows the tables the editor holds
// and hands every keystroke and command to it; all messages and questions go
// through the UiPort.
class ProblemEditor {
public:
    // `pathName` is the file the problem came from, "Untitled" for a new one.
    ProblemEditor(UiPort& ui, const ProblemData& problem, const QString& pathName,
                  const RandomFillSettings& randomSettings = RandomFillSettings());
    ~ProblemEditor();
    ProblemEditor(const ProblemEditor&) = delete;
    ProblemEditor& operator=(const ProblemEditor&) = delete;

    const ProblemData& problem() const { return *problem_; }
    // The full path being edited ("Untitled" for a new problem).
    QString pathName() const { return pathName_; }
    // The workspace's file name once the editor closes: the path saved to,
    // or "Untitled" when the changes were not saved.
    QString fileName() const { return fileName_; }
    // "Edit problem:    " and the file name without directory.
    QString caption() const;
    bool changed() const { return changed_; }
    EditorView view() const { return view_; }
    // The cell whose text is committed when the editing moves on.
    EditorCell editCell() const { return edit_; }
    // The cell the table's cursor is on.
    EditorCell currentCell() const { return current_; }
    // The caption of the button that switches tables.
    QString switchCaption() const;
    // "&Obj. functions and Constraints", "Save as ...", "Save as text ..."
    // and "E&xit Edit" are offered only while no table is shown.
    bool fileCommandsEnabled() const { return view_ == EditorView::None; }
    bool isClosed() const { return closed_; }

    // The page the Help menu shows.
    void setHelpPage(const QString& path) { helpPage_ = path; }
    QString helpPage() const { return helpPage_; }

    // The shown table: rowCount() x columnCount() texts (0 x 0 in no view).
    int rowCount() const { return int(texts_.size()); }
    int columnCount() const { return texts_.empty() ? 0 : int(texts_.front().size()); }
    QString cellText(int col, int row) const;
    // Row 0 and column 0 hold captions; every other cell is typed into.
    bool isCaptionCell(int col, int row) const { return col == 0 || row == 0; }

    // Typing: the text of a cell changes (it is kept even when it does not
    // convert). The cell typed into is the one being edited, so that it is
    // committed when the cursor leaves it.
    void typeCell(int col, int row, const QString& text);
    // The cursor moves to (col, row): the edited cell is committed first. On
    // success (col, row) becomes the edited cell; on failure no cell is
    // edited and "Invalid value" is shown. Returns the success.
    bool selectCell(int col, int row);
    // Commits the edited cell, with "Invalid value" on failure.
    bool commitEditedCell();

    // "&Obj. functions and Constraints": the objectives table.
    void showTables();
    // "Edit Constraints" / "Edit Functions".
    bool switchTable();
    // "Validate": leaves the tables.
    bool validate();
    // A click on a caption cell: a variable's column caption (either table)
    // or an objective's row caption renames it.
    void clickCaptionCell(int col, int row);

    bool insertObjective();
    bool insertConstraint();
    bool insertVariable();
    bool deleteObjective();
    bool deleteConstraint();
    bool deleteVariable();

    // The "Variable definition" dialog. Poe_Dados: the fields showing
    // variable `index`. Recolhe_TipoVars: stores the shown fields into their
    // variable, with the dialog's messages, and returns its index;
    // `converted` is false when a bound was not a number (that bound is
    // reset).
    VariableFields Poe_Dados(int index) const;
    int Recolhe_TipoVars(const VariableFields& fields, bool& converted);
    // The dialog's buttons: each stores the shown variable first and returns
    // the fields to show next (the same variable, with what was stored, when
    // a bound did not convert).
    VariableFields boundsNext(const VariableFields& shown);
    VariableFields boundsPrevious(const VariableFields& shown);
    VariableFields boundsGoTo(const VariableFields& shown);
    // "&OK": stores the shown variable; true when the dialog may close (the
    // editor is then marked changed and the tables show the names).
    bool boundsAccept(const VariableFields& shown);

    // "&Random": nullopt, after "This is not a numerical cell" where needed,
    // when the current cell cannot take random numbers; otherwise what the
    // dialog offers. On a right-hand side the range R1's upper limit is preset
    // to the sum of the row's coefficients.
    std::optional<RandomFillOffer> startRandomFill();
    // OK in the dialog: keeps the entries, checks them and fills the cells.
    // False, with a message, when nothing was filled.
    bool applyRandomFill(const RandomFillSettings& typed);
    const RandomFillSettings& randomSettings() const { return random_; }
    // The generator is seeded from this source at every fill (the clock by
    // default).
    void setSeedSource(std::function<std::uint32_t()> source) { seedSource_ = std::move(source); }

    // The name the save dialogs propose: the path without directory and
    // without the text from its first ".".
    QString proposedFileName() const;
    // Asks for the file to save to. By default the UiPort's save dialog;
    // the window puts in one that proposes the name and asks before replacing
    // a file.
    using SaveFileChooser = std::function<std::optional<QString>(
        const QString& title, const QStringList& filters, const QString& defaultSuffix, const QString& proposedName)>;
    void setSaveFileChooser(SaveFileChooser chooser) { chooser_ = std::move(chooser); }
    // "Save as ...": false when cancelled or the file could not be written.
    bool saveAs();
    // "Save as text ...".
    bool saveAsText();
    // "Save as VLP ...": the problem as a vector linear program. Like the
    // listing it is no data file of the editor: the change mark stays.
    bool saveAsVlp();
    // Any way of closing the window: a shown table is validated first; with
    // unsaved changes "Save changes to ...?" (Yes saves, No forgets the file
    // name, Cancel stays). True when the editor is closed.
    bool requestClose();

private:
    int p() const { return problem_->numObjectives; }
    int m() const { return problem_->numConstraints; }
    int n() const { return problem_->numVariables; }
    void buildTable();
    void clearTable();
    QStringList objectiveRow(int k) const;
    QStringList constraintRow(int i) const;
    void placeCursor();
    bool commitCell(EditorCell cell);
    bool storeCell(EditorCell cell, const QString& text);
    void refreshVariableNames();
    int askDeleteIndex(const char* prompt);
    std::optional<QString> chooseFile(const QString& title, const QStringList& filters, const QString& suffix);
    VariableFields storeAndShow(const VariableFields& shown, int next);
    bool isRandomCell(EditorCell cell) const;
    void fillCell(int col, int row, const RandomFillParameters& ranges);

    UiPort& ui_;
    std::unique_ptr<ProblemData> problem_;
    QString pathName_;
    QString fileName_;
    QString helpPage_;
    bool changed_ = false;
    bool closed_ = false;
    EditorView view_ = EditorView::None;
    EditorCell edit_;
    EditorCell current_;
    // texts_[row][col]; shown_ holds what the editor itself last wrote into
    // each cell, so that a cell the user did not retype is not converted
    // again (a value shown with 7 digits keeps all of its own).
    std::vector<QStringList> texts_;
    std::vector<QStringList> shown_;
    RandomFillSettings random_;
    RandomGenerator generator_;
    std::function<std::uint32_t()> seedSource_;
    SaveFileChooser chooser_;
};
