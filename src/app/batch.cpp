// quilvane-batch: the command-line companion of Quilvane. It reads a problem
// and runs the main window's own commands on it; the values the window asks
// for in its dialogs come from the command line.

#include "app/batch/BatchArguments.h"
#include "app/batch/BatchOutput.h"
#include "app/batch/BatchPictures.h"
#include "app/batch/BatchSession.h"
#include "base/OutputBatch.h"
#include "problem/ProblemFile.h"
#include "problem/ProblemListing.h"
#include "problem/VlpFile.h"
#include "workspace/Workspace.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <cstring>
#include <memory>

using namespace batch;

namespace {

bool asksForPicture(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--weight-space") == 0)
            return true;
    return false;
}

int usageError(const QString& message)
{
    printError(message);
    std::fputs(kUsage, stderr);
    return kExitUsage;
}

// Every file the run would write, checked before anything is read or
// computed, so that a target that cannot be written stops the run at once.
QString checkTargets(const Options& options)
{
    const QString paths[] = {options.writeGiven ? options.writePath : QString(),
                             options.writeVlpGiven ? options.writeVlpPath : QString(),
                             options.listingGiven ? options.listingPath : QString(), options.exportPath,
                             options.weightSpacePath};
    for (const QString& path : paths) {
        if (path.isEmpty())
            continue;
        const QString problem = WriteTargetProblem(path);
        if (!problem.isEmpty())
            return QStringLiteral("Cannot write %1: %2").arg(path, problem);
    }
    return QString();
}

// Renames what `batch` holds into place; a rename that fails is a failed
// save, as a failed write is.
int commitOutputs(OutputBatch& batch)
{
    QString path;
    QString error;
    if (batch.commit(path, error))
        return kExitOk;
    printError(QStringLiteral("Cannot write %1: %2").arg(path, error));
    return kExitUsage;
}

// --write, --write-vlp and --listing, once everything else was found valid:
// all of them or none.
int writeProblem(const Workspace& ws, const Options& options)
{
    OutputBatch batch;
    if (options.writeGiven) {
        const ProblemWriteResult written = WriteProblemFile(options.writePath, ws);
        if (!written.ok) {
            printError(written.message);
            return kExitUsage;
        }
    }
    if (options.writeVlpGiven) {
        const ProblemWriteResult written = WriteVlpFile(options.writeVlpPath, ws);
        if (!written.ok) {
            printError(written.message);
            return kExitUsage;
        }
    }
    if (options.listingGiven) {
        const ProblemWriteResult written = WriteProblemText(options.listingPath, ws);
        if (!written.ok) {
            printError(written.message);
            return kExitUsage;
        }
    }
    return commitOutputs(batch);
}

// --export and --weight-space after the last action: both or neither.
int writeResults(BatchSession& session, const Options& options)
{
    OutputBatch batch;
    int status = kExitOk;
    if (!options.exportPath.isEmpty())
        status = session.exportResults(options.exportPath);
    if (status == kExitOk && !options.weightSpacePath.isEmpty())
        status = session.writeWeightSpace(options.weightSpacePath);
    return status == kExitOk ? commitOutputs(batch) : status;
}

// Everything after the command line was accepted: the problem, the actions
// and the files written at the end.
int runSession(BatchSession& session, Workspace& ws, const Options& options, const std::vector<Action>& actions,
               bool& problemRead)
{
    int status = session.openProblem();
    if (status != kExitOk)
        return status;
    problemRead = true;
    if (!checkActions(actions, session.objectives(), options.allSolutions, session.ui()))
        return kExitUsage;
    if (!options.weightSpacePath.isEmpty() && session.objectives() != 2 && session.objectives() != 3)
        return usageError(QStringLiteral("--weight-space needs a problem with two or three objectives"));
    if (!options.importPath.isEmpty())
        status = session.importResults(options.importPath);
    if (status == kExitOk)
        status = writeProblem(ws, options);
    for (std::size_t i = 0; status == kExitOk && i < actions.size(); ++i)
        status = session.run(actions[i]);
    if (status == kExitOk)
        status = writeResults(session, options);
    return status;
}

void writeDocument(const QJsonObject& document)
{
    const QByteArray text = QJsonDocument(document).toJson(QJsonDocument::Indented);
    std::fflush(stdout);
    std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    // The weight space picture needs fonts, and so a GUI application, which
    // the pictures module makes; everything else runs on QtCore alone.
    std::unique_ptr<QCoreApplication> application;
    if (asksForPicture(argc, argv)) {
        QString error;
        if (!PicturesModule::load(error)) {
            printError(error);
            return kExitUsage;
        }
        application.reset(PicturesModule::application()(&argc, argv));
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication& app = *application;
    Options options;
    QString error = parseArguments(app.arguments(), options);
    if (error == QLatin1String("help")) {
        std::fputs(kUsage, stdout);
        return kExitOk;
    }
    if (error == QLatin1String("version")) {
        std::fputs("quilvane-batch " QUILVANE_VERSION_TEXT "\n", stdout);
        return kExitOk;
    }
    std::vector<Action> actions;
    if (error.isEmpty())
        error = splitActions(options.actionWords, actions);
    if (error.isEmpty() && !options.importPath.isEmpty() && !actions.empty()
        && actions.front().kind() == ActionKind::Payoff)
        error = QStringLiteral("payoff cannot be used with --import: the results file holds the pay-off table");
    if (!error.isEmpty())
        return usageError(error);
    error = checkTargets(options);
    if (!error.isEmpty()) {
        printError(error);
        return kExitUsage;
    }

    auto ws = std::make_unique<Workspace>();
    BatchSession session(*ws, options);
    bool problemRead = false;
    const int status = runSession(session, *ws, options, actions, problemRead);
    // With --json the document tells how the run ended, whatever the end.
    if (options.json)
        writeDocument(session.json().document(*ws, problemRead, status));
    return status;
}
