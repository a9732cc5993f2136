#pragma once

#include "lp/LpEngine.h"
#include "methods/Icw.h"
#include "methods/ParetoRace.h"
#include "methods/Stem.h"
#include "problem/MpsFile.h"
#include "flow/ProblemEditor.h"
#include "flow/Commands.h"
#include "flow/DialogPort.h"
#include "solutions/Limitations.h"
#include "solutions/Report.h"
#include "base/UiPort.h"
#include "flow/BasketCommands.h"
#include "flow/ComputeCommands.h"
#include "flow/FileCommands.h"
#include "flow/MethodCommands.h"
#include "flow/NadirCommands.h"
#include "flow/WeightSpaceCommands.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

struct Workspace;
class WeightSpaceView;
class WeightSpaceCanvas;
struct EaParameters;
struct ComputeResult;

// How the last command ended: done, cancelled by the person, refused (an
// input or a file was not accepted; the message was shown) or failed (a
// computation did not find a solution; its status was shown).
enum class Outcome { Done, Cancelled, Refused, Failed };

const char* toString(Outcome outcome);

// The caption after a problem is opened or edited.
QString CaptionWithProblem(const QString& caption, const QString& problemName);

// One person's session with the program: the workspace, the LP engine, the
// ports, the phase of the main window and the outcome of the last command.
// The commands live in groups by subject, each working on the session; the
// window and the batch tool call them (`session.compute().weightedSumCommand()`).
// The window applies `states()` to its actions after every CommandsChanged.
// The batch tool runs the same commands through its own port, which answers
// the dialogs with the values of the command line.
//
// Holds references to the workspace and the ports; all must outlive it.
class Session {
public:
    Session(Workspace& ws, UiPort& ui, DialogPort& dialogs);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Start-up: workspace initialisation and the Empty phase.
    void startUp(const QString& startDir);
    // Everything the state of the commands depends on, and that state.
    FlowState flowState() const;
    // Recomputed from flowState() at every CommandsChanged and on each call.
    const CommandStates& states() const
    {
        states_ = CommandStatesFor(flowState());
        return states_;
    }
    Phase phase() const { return phase_; }
    Outcome lastOutcome() const { return outcome_; }
    QString caption() const { return caption_; }
    // Before a command that replaces the problem or the basket: when the
    // basket holds solutions computed or changed since the last export or
    // import, asks whether to discard them. True to go on.
    bool confirmDiscardSolutions();
    // The batch tool discards without asking: its results are on its output.
    void setConfirmDiscard(bool ask) { confirmDiscard_ = ask; }
    // The LP engine of the computations, made at its first use: its tables
    // are sized for the largest program, and a run that only reads and
    // writes a problem never needs them. Null after exit.
    LpEngine* engine();
    // The time limit of every solve (SolveControl), kept for the engine
    // until it is made.
    void setSolveTimeLimit(double seconds);
    void HideProblemViews();
    void AccoesNovoProb();
    void ShowSolutionPhase();
    // `activeMethod` must already be set.
    void EnterMethodMode();
    void SaiMetodos(bool mesmoProb);
    void ClearLimitations();
    // Rewrites the report (mode 0 weighted sum, 1 reference point, 2 refresh)
    // and asks for the bar picture; `report()` holds the result.
    void writeReport(ReportMode mode);
    const ReportDocument& report() const { return report_; }
    // The window has shown the report as it is now.
    void reportSeen() { report_.markSeen(); }
    // The bar picture was last asked for with a thick newest bar.
    bool thickBars() const { return thickBars_; }

    FileCommands& file() { return file_; }
    ComputeCommands& compute() { return compute_; }
    BasketCommands& basket() { return basket_; }
    MethodCommands& methods() { return methods_; }
    NadirCommands& nadir() { return nadir_; }
    WeightSpaceCommands& weightSpace() { return weightSpace_; }

private:
    friend class FileCommands;
    friend class ComputeCommands;
    friend class BasketCommands;
    friend class MethodCommands;
    friend class NadirCommands;
    friend class WeightSpaceCommands;

    void commandsChanged();
    // Runs the computation `solve` with the busy cursor and the Cancel box.
    SolveStatus solveCancellable(const std::function<SolveStatus()>& solve);
    // The end of a computing command: the status message and Failed when
    // `status` is no solution, else the report in `reportMode` and Done.
    void finishSolve(SolveStatus status, ReportMode reportMode);
    void markResultsSaved();
    // The results are in `path`: nothing to ask before they are replaced,
    // and the status bar says where they went.
    void exportDone(const QString& path);
    Outcome finish(Outcome outcome) { return outcome_ = outcome; }

    Workspace& ws_;
    UiPort& ui_;
    DialogPort& dialogs_;
    // The LP engine's tables, allocated at start-up and released at exit.
    std::unique_ptr<LpEngine> engine_;
    bool engineReleased_ = false;
    double solveTimeLimit_ = 0;
    Phase phase_ = Phase::Empty;
    mutable CommandStates states_;
    Outcome outcome_ = Outcome::Done;
    bool confirmDiscard_ = true;
    // Hash of the results file text at the last export or import.
    std::uint64_t savedResults_ = 0;
    QString caption_;
    ReportDocument report_;
    LimitationsEditor limitations_;
    // The entries of the editor's random dialog, kept between editors.
    RandomFillSettings randomSettings_;
    bool thickBars_ = false;
    StemState stem_;
    std::unique_ptr<ParetoRace> race_;
    // The contracted VMA ran in this ICW session: only Exit ICW remains.
    bool contractedVmaRun_ = false;

    FileCommands file_;
    ComputeCommands compute_;
    BasketCommands basket_;
    MethodCommands methods_;
    NadirCommands nadir_;
    WeightSpaceCommands weightSpace_;
};
