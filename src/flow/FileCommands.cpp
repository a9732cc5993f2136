#include "flow/FileCommands.h"

#include "flow/CancellableSolves.h"
#include "flow/Messages.h"
#include "flow/PortProgress.h"
#include "flow/ProblemEditor.h"
#include "flow/Session.h"
#include "flow/WindowCommands.h"
#include "base/NumberFormat.h"
#include "base/SaveFlow.h"
#include "base/TextFileFormat.h"
#include "lp/LpSolveAdapter.h"
#include "lp/ScalarizingPrograms.h"
#include "nadir/Vma.h"
#include "problem/MpsFile.h"
#include "problem/ProblemFile.h"
#include "problem/VlpFile.h"
#include "solutions/Basket.h"
#include "solutions/Computation.h"
#include "solutions/Messages.h"
#include "solutions/Payoff.h"
#include "solutions/ResultsFile.h"
#include "workspace/Workspace.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>

namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

// Converts a typed count; false when the text is not a decimal integer.
bool toCount(const QString& typed, int& value)
{
    bool ok = false;
    value = typed.trimmed().toInt(&ok, 10);
    return ok;
}

} // namespace

FileCommands::FileCommands(Session& session)
    : s_(session), ws_(session.ws_), ui_(session.ui_), dialogs_(session.dialogs_)
{
}

bool FileCommands::acceptSizes(const QString& objectives, const QString& variables, const QString& constraints)
{
    int p = 0, n = 0, m = 0;
    // Counts that cannot index a problem (no objective, no variable, a
    // negative number of rows) are as unusable as a text that is not a number.
    if (!toCount(objectives, p) || !toCount(variables, n) || !toCount(constraints, m) || p < 1 || n < 1
        || m < 0) {
        ui_.showMessage(MsgKind::Error, text(msg::kInvalidNumbers));
        return false;
    }
    bool warned = false;
    if (p > MaxObjectives) {
        ui_.showMessage(MsgKind::Warning, text(msg::kTooManyObjectives).arg(MaxObjectives));
        warned = true;
    }
    if (n > MaxVariables) {
        ui_.showMessage(MsgKind::Warning, text(msg::kTooManyVariables).arg(MaxVariables));
        warned = true;
    }
    if (m > MaxConstraints) {
        ui_.showMessage(MsgKind::Warning, text(msg::kTooManyConstraints).arg(MaxConstraints));
        warned = true;
    }
    return !warned;
}

void FileCommands::newProblem(int objectives, int variables, int constraints)
{
    // The views go first: leaving a method still sees the old problem's size.
    s_.HideProblemViews();
    ResetProblem(ws_);
    ws_.numObjectives = objectives;
    ws_.numVariables = variables;
    ws_.numConstraints = constraints;
    // A new problem starts with its own objective names, not with those of
    // the problem it replaces.
    for (int k = 1; k <= MaxObjectives; ++k)
        ws_.objName[k] = DefaultObjectiveName(k);
    runProblemEditor();
}

void FileCommands::chooseAndOpen(const QString& title, const QStringList& filters, const QString& suffix,
                             const std::function<void(const QString&)>& open)
{
    if (!s_.confirmDiscardSolutions()) {
        s_.finish(Outcome::Cancelled);
        return;
    }
    const auto path = ui_.chooseOpenFile(title, filters, suffix);
    if (path)
        open(*path);
    else
        s_.finish(Outcome::Cancelled);
}

void FileCommands::openInto(const QString& path, const std::function<bool(ProblemData&)>& read)
{
    if (!ProblemFileExists(path)) {
        ui_.showMessage(MsgKind::Error, text(msg::kFileNotFound));
        s_.finish(Outcome::Refused);
        return;
    }
    // Read into a copy first: a refused file leaves the loaded problem, and
    // everything computed for it, untouched.
    auto problem = std::make_unique<ProblemData>(static_cast<const ProblemData&>(ws_));
    ResetProblemData(*problem);
    bool accepted = false;
    {
        BusyCursor busy(ui_);
        accepted = read(*problem);
    }
    if (!accepted) {
        s_.finish(Outcome::Refused);
        return;
    }
    s_.HideProblemViews();
    ResetProblem(ws_);
    static_cast<ProblemData&>(ws_) = std::move(*problem);
    ws_.fileName = path;
    s_.AccoesNovoProb();
    s_.finish(Outcome::Done);
}

void FileCommands::openProblem()
{
    chooseAndOpen(QStringLiteral("Open"), {text(msg::kFilterMlp)}, QStringLiteral("mlp"),
                  [this](const QString& path) { openProblemFile(path); });
}

void FileCommands::openProblemFile(const QString& path)
{
    openInto(path, [this, &path](ProblemData& problem) {
        const ProblemReadResult read = ReadProblemFile(path, problem);
        if (read.status == ProblemReadStatus::TooBig)
            ui_.showMessage(MsgKind::Error, text(msg::kTooBig));
        else if (read.status != ProblemReadStatus::Ok)
            ui_.showMessage(MsgKind::Error, read.message);
        return read.status == ProblemReadStatus::Ok;
    });
}

void FileCommands::openMpsProblem()
{
    chooseAndOpen(QStringLiteral("Open MPS"), {text(msg::kFilterMps), text(msg::kFilterMpsText)},
                  QStringLiteral("mps"), [this](const QString& path) { openMpsFile(path); });
}

void FileCommands::openMpsFile(const QString& path, MpsFormat format)
{
    openInto(path, [this, &path, format](ProblemData& problem) {
        const MpsReadResult read = ReadMpsFile(path, problem, format);
        if (!read.accepted()) {
            for (const QString& message : MpsRefusalMessages(read))
                ui_.showMessage(MsgKind::Error, message);
        }
        return read.accepted();
    });
}

void FileCommands::openVlpProblem()
{
    chooseAndOpen(QStringLiteral("Open VLP"), {text(msg::kFilterVlp)}, QStringLiteral("vlp"),
                  [this](const QString& path) { openVlpFile(path); });
}

void FileCommands::openVlpFile(const QString& path)
{
    openInto(path, [this, &path](ProblemData& problem) {
        const VlpReadResult read = ReadVlpFile(path, problem);
        if (read.status != VlpReadStatus::Ok)
            ui_.showMessage(MsgKind::Error, read.message);
        return read.status == VlpReadStatus::Ok;
    });
}

void FileCommands::saveVlpProblem()
{
    const auto chosen = ChooseSaveTarget(ui_, QStringLiteral("Save as VLP"), {text(msg::kFilterVlp)},
                                         QStringLiteral("vlp"));
    if (!chosen) {
        s_.finish(Outcome::Cancelled);
        return;
    }
    const ProblemWriteResult written = WriteVlpFile(*chosen, ws_);
    if (!written.ok)
        ui_.showMessage(MsgKind::Error, written.message);
    s_.finish(written.ok ? Outcome::Done : Outcome::Failed);
}

void FileCommands::editProblem()
{
    if (ws_.payoffComputed && ui_.ask(text(msg::kEditWarning)) != Answer::Yes)
        return;
    s_.HideProblemViews();
    runProblemEditor();
}

void FileCommands::runProblemEditor()
{
    ProblemEditor editor(ui_, ws_, ws_.fileName, s_.randomSettings_);
    editor.setHelpPage(QDir(ws_.startDir).filePath(QStringLiteral("Help2.htm")));
    editor.showTables();
    dialogs_.runProblemEditor(editor);
    // The editor's problem is the workspace's from now on, however the
    // window was closed.
    static_cast<ProblemData&>(ws_) = editor.problem();
    ws_.fileName = editor.fileName();
    s_.randomSettings_ = editor.randomSettings();
    s_.AccoesNovoProb();
}

bool FileCommands::exitProgram()
{
    if (!s_.confirmDiscardSolutions())
        return false;
    s_.engine_.reset();
    s_.engineReleased_ = true;
    ClearSolutionStore(ws_);
    ClearHistory(ws_);
    return true;
}

void FileCommands::saveReport()
{
    const auto chosen = ChooseSaveTarget(ui_, QStringLiteral("Save text"),
                                         {text(msg::kFilterRtf), text(msg::kFilterTxt)}, QStringLiteral("rtf"));
    if (!chosen)
        return;
    const QString path = *chosen;
    const bool plain = QFileInfo(path).suffix().compare(QStringLiteral("txt"), Qt::CaseInsensitive) == 0;
    const QByteArray bytes =
        plain ? ToCp1252(s_.report_.toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"))) : s_.report_.toRtf();
    QString error;
    if (!WriteWholeFile(path, bytes, error))
        ui_.showMessage(MsgKind::Error, QStringLiteral("Cannot write %1: %2").arg(path, error));
}

void FileCommands::importResultsCommand()
{
    if (!s_.confirmDiscardSolutions()) {
        s_.finish(Outcome::Cancelled);
        return;
    }
    if (!ImportResultsCommand(ws_, ui_)) {
        s_.finish(Outcome::Refused);
        return;
    }
    s_.ShowSolutionPhase();
    s_.markResultsSaved();
    s_.finish(Outcome::Done);
}

void FileCommands::exportResultsCommand()
{
    const auto written = ExportResultsCommand(ws_, ui_);
    if (!written) {
        s_.finish(Outcome::Refused);
        return;
    }
    s_.exportDone(*written);
    s_.finish(Outcome::Done);
}
