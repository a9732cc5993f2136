#include "flow/ProblemEditor.h"

#include "problem/EditorMessages.h"
#include "problem/ProblemFile.h"
#include "problem/ProblemListing.h"
#include "problem/ProblemRows.h"
#include "problem/VlpFile.h"
#include "base/Messages.h"
#include "base/NumberFormat.h"
#include "base/RealParser.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

constexpr char kNotAReal[] = "'%1' is not a valid floating point value";

enum class SaveOutcome { Saved, Cancelled, Failed };

QString withSuffix(const QString& path, const QString& suffix)
{
    if (QFileInfo(path).suffix().isEmpty())
        return path + QLatin1Char('.') + suffix;
    return path;
}

QString senseText(std::int8_t sense) { return sense == -1 ? QStringLiteral("min") : QStringLiteral("max"); }

QString typeText(std::uint8_t type)
{
    switch (type) {
    case ConEqual: return QStringLiteral("=");
    case ConGreaterEqual: return QStringLiteral(">");
    default: return QStringLiteral("<");
    }
}

// Writes the problem file chosen in a save dialog (nullopt: cancelled).
SaveOutcome writeProblemTo(UiPort& ui, const std::optional<QString>& path, const ProblemData& problem)
{
    if (!path)
        return SaveOutcome::Cancelled;
    const ProblemWriteResult written = WriteProblemFile(*path, problem);
    if (!written.ok) {
        ui.showMessage(MsgKind::Error, written.message);
        return SaveOutcome::Failed;
    }
    return SaveOutcome::Saved;
}

QString upperText(Real ub) { return ub >= kInfiniteBound ? QStringLiteral("M") : NumText(ub); }

// A real typed into a range of the random dialog, rounded to an integer
// (halves to even); false with its message when it is not one.
bool rangeLimit(UiPort& ui, int range, const QString& typed, std::int32_t& value)
{
    const std::optional<Real> x = ParseReal(typed);
    if (!x) {
        ui.showMessage(MsgKind::Error, text(kNotAReal).arg(typed));
        return false;
    }
    const Real rounded = std::nearbyint(*x);
    if (rounded < Real(std::numeric_limits<std::int32_t>::min())
        || rounded > Real(std::numeric_limits<std::int32_t>::max())) {
        ui.showMessage(MsgKind::Warning, text(editmsg::kRangeLimitTooLarge).arg(range).arg(typed));
        return false;
    }
    value = static_cast<std::int32_t>(rounded);
    return true;
}

} // namespace

ProblemEditor::ProblemEditor(UiPort& ui, const ProblemData& problem, const QString& pathName,
                             const RandomFillSettings& randomSettings)
    : ui_(ui), problem_(std::make_unique<ProblemData>(problem)), pathName_(pathName), fileName_(pathName),
      random_(randomSettings), seedSource_(&RandomGenerator::clockSeed)
{
}

ProblemEditor::~ProblemEditor() = default;

QString ProblemEditor::caption() const { return text(editmsg::kCaptionPrefix) + QFileInfo(pathName_).fileName(); }

QString ProblemEditor::switchCaption() const
{
    return text(view_ == EditorView::Constraints ? editmsg::kEditFunctions : editmsg::kEditConstraints);
}

QString ProblemEditor::cellText(int col, int row) const
{
    if (row < 0 || row >= rowCount() || col < 0 || col >= columnCount())
        return QString();
    return texts_[std::size_t(row)][col];
}

// ---------------------------------------------------------------------------
// Tables

QStringList ProblemEditor::objectiveRow(int k) const
{
    QStringList row{problem_->objName[k]};
    for (int j = 1; j <= n(); ++j)
        row << NumText(problem_->objCoef[k][j]);
    row << senseText(problem_->objSense[k]);
    return row;
}

QStringList ProblemEditor::constraintRow(int i) const
{
    QStringList row{QStringLiteral("(%1)").arg(i)};
    for (int j = 1; j <= n(); ++j)
        row << NumText(problem_->conCoef[i][j]);
    row << typeText(problem_->conType[i]) << NumText(problem_->conRhs[i]);
    return row;
}

void ProblemEditor::buildTable()
{
    texts_.clear();
    if (view_ == EditorView::None) {
        shown_.clear();
        return;
    }
    const bool objectives = view_ == EditorView::Objectives;
    QStringList header{text(objectives ? editmsg::kObjectivesCorner : editmsg::kConstraintsCorner)};
    for (int j = 1; j <= n(); ++j)
        header << problem_->vars[j].name;
    if (objectives) {
        header << text(editmsg::kSenseHeader);
    } else {
        header << text(editmsg::kTypeHeader) << text(editmsg::kRhsHeader);
    }
    texts_.push_back(header);
    const int rows = objectives ? p() : m();
    for (int r = 1; r <= rows; ++r)
        texts_.push_back(objectives ? objectiveRow(r) : constraintRow(r));
    shown_ = texts_;
    placeCursor();
}

void ProblemEditor::clearTable()
{
    texts_.clear();
    shown_.clear();
    edit_ = EditorCell{};
    current_ = EditorCell{};
}

// Keeps the cursor on a cell that can be typed into: the same place when the
// new table still has it, else the nearest one.
void ProblemEditor::placeCursor()
{
    if (rowCount() < 2 || columnCount() < 2) {
        current_ = EditorCell{};
        return;
    }
    current_.col = std::clamp(current_.col, 1, columnCount() - 1);
    current_.row = std::clamp(current_.row, 1, rowCount() - 1);
}

void ProblemEditor::typeCell(int col, int row, const QString& typed)
{
    if (isCaptionCell(col, row) || row >= rowCount() || col >= columnCount())
        return;
    texts_[std::size_t(row)][col] = typed;
    edit_ = EditorCell{col, row};
}

bool ProblemEditor::selectCell(int col, int row)
{
    if (isCaptionCell(col, row) || row >= rowCount() || col >= columnCount())
        return true;
    const bool ok = commitEditedCell();
    current_ = EditorCell{col, row};
    if (ok)
        edit_ = current_;
    return ok;
}

bool ProblemEditor::commitEditedCell()
{
    if (commitCell(edit_))
        return true;
    edit_ = EditorCell{};
    ui_.showMessage(MsgKind::Information, text(editmsg::kInvalidValue));
    return false;
}

bool ProblemEditor::commitCell(EditorCell cell)
{
    if (cell.row < 1 || cell.col < 1 || cell.row >= rowCount() || cell.col >= columnCount())
        return true;
    const QString& typed = texts_[std::size_t(cell.row)][cell.col];
    QString& shown = shown_[std::size_t(cell.row)][cell.col];
    if (typed == shown)
        return true;
    if (!storeCell(cell, typed))
        return false;
    shown = typed;
    changed_ = true;
    return true;
}

bool ProblemEditor::storeCell(EditorCell cell, const QString& typed)
{
    const int r = cell.row;
    const int c = cell.col;
    ProblemData& pb = *problem_;
    if (view_ == EditorView::Objectives) {
        if (c <= n()) {
            const std::optional<Real> x = ParseReal(typed);
            if (!x)
                return false;
            pb.objCoef[r][c] = *x;
            return true;
        }
        const QString lower = typed.toLower();
        if (lower.contains(QLatin1String("max")))
            pb.objSense[r] = 1;
        else if (lower.contains(QLatin1String("min")))
            pb.objSense[r] = -1;
        else
            return false;
        return true;
    }
    if (c <= n() || c == n() + 2) {
        const std::optional<Real> x = ParseReal(typed);
        if (!x)
            return false;
        if (c <= n())
            pb.conCoef[r][c] = *x;
        else
            pb.conRhs[r] = *x;
        return true;
    }
    if (typed.contains(QLatin1Char('<')))
        pb.conType[r] = ConLessEqual;
    else if (typed.contains(QLatin1Char('>')))
        pb.conType[r] = ConGreaterEqual;
    else if (typed.startsWith(QLatin1Char('=')))
        pb.conType[r] = ConEqual;
    else
        return false;
    return true;
}

void ProblemEditor::showTables()
{
    view_ = EditorView::Objectives;
    edit_ = EditorCell{};
    current_ = EditorCell{1, 1};
    buildTable();
}

bool ProblemEditor::switchTable()
{
    if (view_ == EditorView::None)
        return false;
    if (!commitEditedCell())
        return false;
    view_ = view_ == EditorView::Objectives ? EditorView::Constraints : EditorView::Objectives;
    edit_ = EditorCell{};
    buildTable();
    return true;
}

bool ProblemEditor::validate()
{
    if (view_ == EditorView::None)
        return true;
    if (!commitEditedCell())
        return false;
    view_ = EditorView::None;
    clearTable();
    return true;
}

void ProblemEditor::refreshVariableNames()
{
    if (view_ == EditorView::None || texts_.empty())
        return;
    for (int j = 1; j <= n() && j < columnCount(); ++j)
        texts_[0][j] = shown_[0][j] = problem_->vars[j].name;
}

void ProblemEditor::clickCaptionCell(int col, int row)
{
    if (view_ == EditorView::None || row >= rowCount() || col >= columnCount())
        return;
    if (row == 0 && col >= 1 && col <= n()) {
        VariableDef& v = problem_->vars[col];
        const auto answer =
            ui_.inputText(text(editmsg::kVariableNameTitle), text(editmsg::kVariableNamePrompt), v.name);
        if (!answer)
            return;
        const QString name = answer->left(MaxVarNameLength);
        if (name != v.name) {
            v.name = name;
            changed_ = true;
        }
        refreshVariableNames();
        return;
    }
    if (view_ == EditorView::Objectives && col == 0 && row >= 1 && row <= p()) {
        QString& current = problem_->objName[row];
        const auto answer =
            ui_.inputText(text(editmsg::kObjectiveNameTitle), text(editmsg::kObjectiveNamePrompt), current);
        if (!answer)
            return;
        const QString name = answer->left(MaxObjNameLength);
        if (name != current) {
            current = name;
            changed_ = true;
        }
        texts_[std::size_t(row)][0] = shown_[std::size_t(row)][0] = name;
    }
}

// ---------------------------------------------------------------------------
// Insert and delete

bool ProblemEditor::insertObjective()
{
    if (p() >= MaxObjectives) {
        ui_.showMessage(MsgKind::Information, text(editmsg::kNoMoreObjectives));
        return false;
    }
    if (view_ == EditorView::Constraints && !commitEditedCell())
        return false;
    const int k = ++problem_->numObjectives;
    problem_->objName[k] = DefaultObjectiveName(k);
    changed_ = true;
    if (view_ == EditorView::Objectives) {
        texts_.push_back(objectiveRow(k));
        shown_.push_back(texts_.back());
    } else if (view_ == EditorView::Constraints) {
        view_ = EditorView::Objectives;
        edit_ = EditorCell{};
        buildTable();
    }
    return true;
}

bool ProblemEditor::insertConstraint()
{
    if (m() >= MaxConstraints) {
        ui_.showMessage(MsgKind::Information, text(editmsg::kNoMoreConstraints));
        return false;
    }
    if (view_ == EditorView::Objectives && !commitEditedCell())
        return false;
    const int i = ++problem_->numConstraints;
    changed_ = true;
    if (view_ == EditorView::Constraints) {
        texts_.push_back(constraintRow(i));
        shown_.push_back(texts_.back());
        if (current_.isNone())
            current_ = EditorCell{1, 1};
    } else if (view_ == EditorView::Objectives) {
        view_ = EditorView::Constraints;
        edit_ = EditorCell{};
        buildTable();
    }
    return true;
}

bool ProblemEditor::insertVariable()
{
    if (n() >= MaxVariables) {
        ui_.showMessage(MsgKind::Information, text(editmsg::kNoMoreVariables));
        return false;
    }
    if (view_ != EditorView::None && !commitEditedCell())
        return false;
    const int j = ++problem_->numVariables;
    problem_->vars[j] = VariableDef{0, kInfiniteBound, DefaultVariableName(j)};
    changed_ = true;
    if (view_ != EditorView::None) {
        edit_ = EditorCell{};
        buildTable();
    }
    return true;
}

int ProblemEditor::askDeleteIndex(const char* prompt)
{
    // A cancelled box answers its default.
    const QString answer =
        ui_.inputText(text(editmsg::kDeleteTitle), text(prompt), QStringLiteral("0")).value_or(QStringLiteral("0"));
    bool ok = false;
    const int index = answer.trimmed().toInt(&ok, 10);
    return ok ? index : 0;
}

bool ProblemEditor::deleteObjective()
{
    if (view_ != EditorView::None && !commitEditedCell())
        return false;
    const int index = askDeleteIndex(editmsg::kDeleteObjectivePrompt);
    const int count = p();
    if (index < 1 || index > count || count <= 1)
        return false;
    ProblemData& pb = *problem_;
    for (int k = index; k < count; ++k) {
        pb.objCoef[k] = pb.objCoef[k + 1];
        pb.objSense[k] = pb.objSense[k + 1];
        pb.objName[k] = pb.objName[k + 1];
    }
    pb.objCoef[count].fill(0);
    pb.objSense[count] = 1;
    pb.numObjectives = count - 1;
    changed_ = true;
    view_ = EditorView::Objectives;
    edit_ = EditorCell{};
    buildTable();
    return true;
}

bool ProblemEditor::deleteConstraint()
{
    if (view_ != EditorView::None && !commitEditedCell())
        return false;
    const int index = askDeleteIndex(editmsg::kDeleteConstraintPrompt);
    if (index < 1 || index > m() || m() <= 1)
        return false;
    DeleteConstraintRow(*problem_, index);
    changed_ = true;
    view_ = EditorView::Constraints;
    edit_ = EditorCell{};
    buildTable();
    return true;
}

bool ProblemEditor::deleteVariable()
{
    if (view_ != EditorView::None && !commitEditedCell())
        return false;
    const int index = askDeleteIndex(editmsg::kDeleteVariablePrompt);
    const int count = n();
    if (index < 1 || index > count || count <= 1)
        return false;
    ProblemData& pb = *problem_;
    const auto shiftLeft = [index, count](auto& row) {
        for (int j = index; j < count; ++j)
            row[j] = row[j + 1];
        row[count] = 0;
    };
    for (auto& row : pb.objCoef)
        shiftLeft(row);
    for (auto& row : pb.conCoef)
        shiftLeft(row);
    for (int j = index; j < count; ++j)
        pb.vars[j] = pb.vars[j + 1];
    pb.vars[count] = VariableDef{0, kInfiniteBound, QString()};
    pb.numVariables = count - 1;
    changed_ = true;
    if (view_ != EditorView::None) {
        edit_ = EditorCell{};
        buildTable();
    }
    return true;
}

// ---------------------------------------------------------------------------
// Variable bounds

VariableFields ProblemEditor::Poe_Dados(int index) const
{
    if (index < 1 || index > n())
        return VariableFields{index, QString(), QString(), QString()};
    const VariableDef& v = problem_->vars[index];
    return VariableFields{index, v.name, NumText(v.lb), upperText(v.ub)};
}

int ProblemEditor::Recolhe_TipoVars(const VariableFields& fields, bool& converted)
{
    converted = true;
    const int j = fields.index;
    if (j < 1 || j > n())
        return j;
    VariableDef v = problem_->vars[j];
    const VariableDef before = v;
    const auto store = [&] {
        if (v.name != before.name || v.lb != before.lb || v.ub != before.ub)
            changed_ = true;
        problem_->vars[j] = v;
        refreshVariableNames();
    };

    v.name = fields.name.left(MaxVarNameLength);
    const std::optional<Real> lb = ParseReal(fields.lower);
    if (!lb) {
        v.lb = 0;
        converted = false;
        ui_.showMessage(MsgKind::Error, text(kNotAReal).arg(fields.lower));
        store();
        return j;
    }
    v.lb = *lb;
    if (fields.upper.contains(QLatin1Char('M'))) {
        v.ub = kInfiniteBound;
    } else {
        if (const std::optional<Real> ub = ParseReal(fields.upper)) {
            v.ub = std::min(*ub, kInfiniteBound);
        } else {
            // The bound is reset; the checks below still run, so that the
            // lower bound just read cannot stay negative.
            v.ub = kInfiniteBound;
            converted = false;
            ui_.showMessage(MsgKind::Error, text(kNotAReal).arg(fields.upper));
        }
    }
    if (v.lb < 0) {
        ui_.showMessage(MsgKind::Information, text(editmsg::kNegativeLb));
        v.lb = 0;
    }
    if (v.ub < 0) {
        ui_.showMessage(MsgKind::Information, text(editmsg::kNegativeUb));
        v.ub = 0;
    }
    if (v.ub < v.lb) {
        ui_.showMessage(MsgKind::Information, text(editmsg::kUbBelowLb));
        v.ub = v.lb;
    }
    store();
    return j;
}

VariableFields ProblemEditor::storeAndShow(const VariableFields& shown, int next)
{
    bool converted = true;
    const int j = Recolhe_TipoVars(shown, converted);
    return Poe_Dados(converted ? next : j);
}

VariableFields ProblemEditor::boundsNext(const VariableFields& shown)
{
    return storeAndShow(shown, shown.index >= n() ? 1 : shown.index + 1);
}

VariableFields ProblemEditor::boundsPrevious(const VariableFields& shown)
{
    return storeAndShow(shown, shown.index <= 1 ? n() : shown.index - 1);
}

VariableFields ProblemEditor::boundsGoTo(const VariableFields& shown)
{
    const auto answer =
        ui_.inputText(text(editmsg::kGoToTitle), text(editmsg::kGoToPrompt), QString::number(shown.index));
    if (!answer)
        return shown;
    bool ok = false;
    const int index = answer->trimmed().toInt(&ok, 10);
    if (!ok || index < 1 || index > n())
        return shown;
    return storeAndShow(shown, index);
}

bool ProblemEditor::boundsAccept(const VariableFields& shown)
{
    bool converted = true;
    Recolhe_TipoVars(shown, converted);
    if (!converted)
        return false;
    changed_ = true;
    refreshVariableNames();
    return true;
}

// ---------------------------------------------------------------------------
// Random numbers

bool ProblemEditor::isRandomCell(EditorCell cell) const
{
    if (view_ == EditorView::None || cell.row < 1 || cell.col < 1 || cell.row >= rowCount()
        || cell.col >= columnCount())
        return false;
    if (cell.col <= n())
        return true;
    return view_ == EditorView::Constraints && cell.col == n() + 2;
}

std::optional<RandomFillOffer> ProblemEditor::startRandomFill()
{
    const EditorCell c = current_;
    if (view_ == EditorView::None || c.row < 1 || c.col < 1 || c.row >= rowCount() || c.col >= columnCount())
        return std::nullopt;
    if (!isRandomCell(c)) {
        ui_.showMessage(MsgKind::Information, text(editmsg::kNotNumericalCell));
        return std::nullopt;
    }
    RandomFillOffer offer;
    if (view_ == EditorView::Objectives) {
        offer.secondItem = text(editmsg::kForCurrentRow);
        offer.allCoefficients = true;
    } else if (c.col == n() + 2) {
        offer.secondItem = text(editmsg::kForAllRhs);
        offer.allCoefficients = false;
        Real sum = 0;
        for (int j = 1; j <= n(); ++j)
            sum += problem_->conCoef[c.row][j];
        random_.ranges[0].max = GeneralFormat(sum, 15);
    } else {
        offer.secondItem = text(editmsg::kForCurrentRowExceptRhs);
        offer.allCoefficients = true;
    }
    if (!offer.allCoefficients && random_.object == RandomObject::AllCoefficients)
        random_.object = RandomObject::CurrentCell;
    return offer;
}

bool ProblemEditor::applyRandomFill(const RandomFillSettings& typed)
{
    random_ = typed;
    const EditorCell c = current_;
    if (!isRandomCell(c))
        return false;

    const bool inUse[3] = {true, typed.useR2, typed.useR2 && typed.useR3};
    RandomFillParameters ranges{};
    for (int r = 0; r < 3; ++r) {
        if (!inUse[r])
            continue;
        const RandomRangeTexts& t = typed.ranges[std::size_t(r)];
        RandomRange& range = ranges[std::size_t(r)];
        if (!rangeLimit(ui_, r + 1, t.min, range.min) || !rangeLimit(ui_, r + 1, t.max, range.max))
            return false;
        const std::optional<Real> prob = ParseReal(t.prob);
        if (!prob) {
            ui_.showMessage(MsgKind::Error, text(kNotAReal).arg(t.prob));
            return false;
        }
        range.prob = *prob;
    }
    Real sum = 0;
    bool outside = false;
    for (const RandomRange& range : ranges) {
        outside = outside || range.prob < 0 || range.prob > 1;
        sum += range.prob;
    }
    if (outside || sum != 1) {
        ui_.showMessage(MsgKind::Information, text(editmsg::kAttentionProbabilities));
        return false;
    }
    for (int r = 0; r < 3; ++r) {
        const RandomRange& range = ranges[std::size_t(r)];
        if (inUse[r] && range.max < range.min) {
            ui_.showMessage(MsgKind::Warning,
                            text(editmsg::kRangeMaxBelowMin).arg(r + 1).arg(range.max).arg(range.min));
            return false;
        }
    }

    generator_.setSeed(seedSource_());
    changed_ = true;
    const RandomObject object =
        typed.object == RandomObject::AllCoefficients && c.col > n() ? RandomObject::CurrentCell : typed.object;
    switch (object) {
    case RandomObject::CurrentCell: fillCell(c.col, c.row, ranges); break;
    case RandomObject::SecondItem:
        if (c.col > n()) {
            for (int i = 1; i < rowCount(); ++i)
                fillCell(c.col, i, ranges);
        } else {
            for (int j = 1; j <= n(); ++j)
                fillCell(j, c.row, ranges);
        }
        break;
    case RandomObject::AllCoefficients:
        for (int r = 1; r < rowCount(); ++r)
            for (int j = 1; j <= n(); ++j)
                fillCell(j, r, ranges);
        break;
    }
    return true;
}

void ProblemEditor::fillCell(int col, int row, const RandomFillParameters& ranges)
{
    const double u = generator_.real();
    const Real p1 = ranges[0].prob;
    const Real p2 = ranges[1].prob;
    const RandomRange& range = u <= p1 ? ranges[0] : (u > p1 + p2 ? ranges[2] : ranges[1]);
    std::int64_t value = 0;
    if (range.min == range.max)
        value = range.min;
    else if (range.min == 0 && range.max == 1)
        value = static_cast<std::int64_t>(std::nearbyint(generator_.real()));
    else
        value = generator_.between(range.min, range.max);
    texts_[std::size_t(row)][col] = QString::number(value);
    commitCell(EditorCell{col, row});
}

// ---------------------------------------------------------------------------
// Files and closing

QString ProblemEditor::proposedFileName() const
{
    QString name = QFileInfo(pathName_).fileName();
    const int dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    return name;
}

std::optional<QString> ProblemEditor::chooseFile(const QString& title, const QStringList& filters,
                                                 const QString& suffix)
{
    std::optional<QString> path = chooser_ ? chooser_(title, filters, suffix, proposedFileName())
                                           : ui_.chooseSaveFile(title, filters, suffix);
    if (!path || path->isEmpty())
        return std::nullopt;
    return withSuffix(*path, suffix);
}

bool ProblemEditor::saveAs()
{
    const auto path = chooseFile(text(editmsg::kSaveAsTitle), {text(editmsg::kFilterMlpData)}, QStringLiteral("mlp"));
    if (writeProblemTo(ui_, path, *problem_) != SaveOutcome::Saved)
        return false;
    pathName_ = fileName_ = *path;
    changed_ = false;
    return true;
}

bool ProblemEditor::saveAsText()
{
    const auto path =
        chooseFile(text(editmsg::kSaveAsTextTitle), {text(editmsg::kFilterTextFile)}, QStringLiteral("txt"));
    if (!path)
        return false;
    const ProblemWriteResult written = WriteProblemText(*path, *problem_);
    if (!written.ok) {
        ui_.showMessage(MsgKind::Error, written.message);
        return false;
    }
    return true;
}

bool ProblemEditor::saveAsVlp()
{
    const auto path = chooseFile(text(editmsg::kSaveAsVlpTitle), {text(msg::kFilterVlp)}, QStringLiteral("vlp"));
    if (!path)
        return false;
    const ProblemWriteResult written = WriteVlpFile(*path, *problem_);
    if (!written.ok) {
        ui_.showMessage(MsgKind::Error, written.message);
        return false;
    }
    return true;
}

bool ProblemEditor::requestClose()
{
    if (closed_)
        return true;
    if (view_ != EditorView::None && !validate())
        return false;
    if (changed_) {
        const Answer answer =
            ui_.ask(text(editmsg::kSaveChanges).arg(QFileInfo(pathName_).fileName()), true);
        if (answer == Answer::Cancel)
            return false;
        if (answer == Answer::Yes) {
            const auto path =
                chooseFile(text(editmsg::kSaveAsTitle), {text(editmsg::kFilterMlpData)}, QStringLiteral("mlp"));
            // Cancelling the save dialog still closes; a file that could not
            // be written keeps the window open, so that nothing is lost.
            const SaveOutcome outcome = writeProblemTo(ui_, path, *problem_);
            if (outcome == SaveOutcome::Failed)
                return false;
            if (outcome == SaveOutcome::Saved) {
                pathName_ = fileName_ = *path;
                changed_ = false;
            }
        } else {
            fileName_ = QStringLiteral("Untitled");
        }
    }
    closed_ = true;
    return true;
}
