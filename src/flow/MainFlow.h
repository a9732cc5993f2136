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

#include <QString>

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

// The command flows of the main window: which commands are offered in which
// phase, the questions asked around them and the operations they call. The
// window applies `states()` to its actions after every CommandsChanged. The
// batch tool runs the same commands through its own port, which answers the
// dialogs with the values of the command line.
//
// Holds references to the workspace and the ports; all must outlive it.
class MainFlow {
public:
    MainFlow(Workspace& ws, UiPort& ui, DialogPort& dialogs);

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

    // New: validates the texts of the sizes dialog, showing its messages;
    // true when the counts can make a problem. The dialog stays open on false.
    bool acceptSizes(const QString& objectives, const QString& variables, const QString& constraints);
    // New, after the sizes dialog was accepted with valid counts: a problem
    // of that size with zero coefficients, objectives F1.., variables X1..,
    // opened in the problem editor.
    void newProblem(int objectives, int variables, int constraints);
    // Open: asks for a file, then openProblemFile.
    void openProblem();
    void openProblemFile(const QString& path);
    // Open MPS: asks for an MPS file, then openMpsFile.
    void openMpsProblem();
    // Reads the MPS file in `path` (fixed-column or free, as the file shows
    // unless `format` says); a file that does not fit the limits, or cannot
    // be converted, is refused with its messages and leaves the loaded
    // problem and the phase as they were.
    void openMpsFile(const QString& path, MpsFormat format = MpsFormat::Automatic);
    // Open VLP ...: asks for a .vlp file, then openVlpFile.
    void openVlpProblem();
    // Reads the vector linear program in `path` as openMpsFile reads MPS.
    void openVlpFile(const QString& path);
    // Save as VLP ...: asks for a file name and writes the loaded problem in
    // the .vlp format.
    void saveVlpProblem();
    // Edit: the loaded problem in the problem editor (after a warning when
    // computations would be lost).
    void editProblem();
    // Exit: after the question about solutions not exported, releases the LP
    // engine and the workspace's lists; the window then closes. False when
    // the person chose to stay.
    bool exitProgram();
    // Before a command that replaces the problem or the basket: when the
    // basket holds solutions computed or changed since the last export or
    // import, asks whether to discard them. True to go on.
    bool confirmDiscardSolutions();
    // The batch tool discards without asking: its results are on its output.
    void setConfirmDiscard(bool ask) { confirmDiscard_ = ask; }
    // The LP engine of the computations; null before startUp and after exit.
    LpEngine* engine() { return engine_.get(); }

    void HideProblemViews();
    void AccoesNovoProb();
    void ShowSolutionPhase();
    // `activeMethod` must already be set.
    void EnterMethodMode();
    void SaiMetodos(bool mesmoProb);
    void ClearLimitations();

    // Before a weighted-sum or reference-point computation: when limitations
    // are in force, asks whether to consider them; No clears them.
    void askConsiderLimitations();
    // Before the vector maximum approach; true to go on.
    bool confirmVma();
    // "VMA-Vector Maximum Approach": the question, then every efficient
    // vertex into the basket, stopping once `maxBases` bases were found.
    void vmaCommand(int maxBases);
    // "The true Nadir values": Method 1 or 2 with the objective prompt (and
    // the tolerance prompt when "Ask tolerance" is checked); NadirCommands.cpp.
    void nadirCommand(int method);
    // "Estimate the Nadir point (EA)", its independent runs and the worst
    // feasible values.
    void eaNadirCommand();
    void eaRunsCommand();
    void worstFeasibleCommand();

    // STEM ("1st Iteration", "New iteration") and Pareto Race ("Start",
    // GO, the direction button, the speed slider, "Change Direction", "Fix
    // Obj. function", "Relax Obj. function"); MethodCommands.cpp.
    void stemFirstIterationCommand();
    void stemNewIterationCommand();
    void raceStartCommand();
    void raceGoCommand();
    void raceReverse();
    void raceSpeed(int position);
    void raceChangeDirectionCommand();
    void raceFixCommand();
    void raceRelaxCommand();
    // ICW ("1st iteration", "New iteration" with the selection dialog,
    // "Contracted VMA", "Exit ICW"); IcwCommands.cpp. Each is refused with a
    // message for a single objective.
    void icwFirstIterationCommand();
    void icwNewIterationCommand();
    void icwContractedVmaCommand(int maxBases);
    void icwExitCommand();
    // The race of the last Start; null before the first.
    const ParetoRace* race() const { return race_.get(); }
    const StemState& stem() const { return stem_; }

    // The "View the last N" field changed.
    void setViewLastNText(const QString& text);
    void toggleAskTolerance();
    // Colour command: a new colour for the newest computed solution.
    void chooseColour();

    // Computation commands, each with its dialogs, questions and messages.
    void computePayoffCommand();
    void viewPayoffCommand();
    void weightedSumCommand();
    void referencePointCommand();
    void eConstraintCommand();
    void limitationsCommand();
    // Results file: import (then the solutions phase) and export.
    void importResultsCommand();
    void exportResultsCommand();

    // Basket commands.
    void storeCurrentSolution();
    void deleteSolutions();
    // The store option ("Options to save solutions"): true stores every
    // nondominated solution computed.
    void setStoreAllSolutions(bool all);

    // Rewrites the report (mode 0 weighted sum, 1 reference point, 2 refresh)
    // and asks for the bar picture; `report()` holds the result.
    void writeReport(int mode);
    const ReportDocument& report() const { return report_; }
    // The bar picture was last asked for with a thick newest bar.
    bool thickBars() const { return thickBars_; }
    // Save text: asks for a file (rich text or plain text by its extension),
    // asks before overwriting, and writes the report.
    void saveReport();

    // Weight space window (WeightSpaceCommands.cpp). A weight vector picked
    // with the mouse (ws.pickedWeights): the weights dialog, then the
    // weighted sum without limitations. The limitation area and the nadir
    // area of one objective, their dialogs placed at (x, y). Save picture:
    // a bitmap, or PNG when the name ends in ".png".
    void weightSpacePickCommand();
    void limitationAreaCommand(WeightSpaceView& view, int x, int y);
    void nadirAreaCommand(WeightSpaceView& view, int x, int y);
    // The picture of either weight space window.
    void saveWeightSpacePicture(const WeightSpaceCanvas& canvas);

    // The caption after a problem is opened or edited.
    static QString captionWithProblem(const QString& caption, const QString& problemName);

private:
    void commandsChanged();
    // Open, Open MPS, Open VLP: the question about solutions not exported,
    // then the file dialog, then `open` with the chosen file.
    void chooseAndOpen(const QString& title, const QStringList& filters, const QString& suffix,
                       const std::function<void(const QString&)>& open);
    // Reads `path` into a copy of the problem with `read` (false, its
    // messages shown, when the file is refused) and makes an accepted one
    // the workspace's problem.
    void openInto(const QString& path, const std::function<bool(ProblemData&)>& read);
    // The weighted sum of ws.sumWeights, its status message when it fails,
    // the report when it succeeds, and the command's outcome.
    void solveWeightedSum();
    // The weights dialog preset with the picked weights, or with 1 for each
    // objective when none were picked; the accepted weights go to
    // ws.sumWeights. False (the command's outcome set) when it was cancelled
    // or its weights were refused.
    bool askSumWeights();
    // The evolutionary estimate's parameters dialog; false (the command's
    // outcome set) when it was cancelled or its values were refused.
    bool askEaParameters(EaParameters& parameters);
    // Runs the computation `solve` with the busy cursor and the Cancel box.
    SolveStatus solveCancellable(const std::function<SolveStatus()>& solve);
    // Shows what a computation had to tell; its status.
    SolveStatus shown(const ComputeResult& result);
    SolveStatus shown(const ParetoRace::Outcome& outcome);
    // The end of a computing command: the status message and Failed when
    // `status` is no solution, else the report in `reportMode` and Done.
    void finishSolve(SolveStatus status, int reportMode);
    void markResultsSaved();
    Outcome finish(Outcome outcome) { return outcome_ = outcome; }
    void setViewLastN(int n);
    // Opens the problem editor on the workspace's problem; when it closes,
    // its problem replaces the workspace's and AccoesNovoProb runs.
    void runProblemEditor();
    void runStemProposal();
    // The race's choose-an-objective dialog; 0 when cancelled or refused.
    int chooseRaceObjective(const char* title, const char* prompt);
    // ICW for a single objective: the message and Refused; false then.
    bool icwNeedsTwoObjectives();
    // The report, the views and the failures of an ICW iteration.
    void finishIcwIteration(const IcwIterationResult& result);
    // A re-projection failed: its status, then the method is left.
    void leaveRace(SolveStatus status);
    // The reference point dialog's OK: the typed point, with its messages;
    // ws.refPoint takes it when it converts.
    bool acceptReferencePoint(const QStringList& typed);

    Workspace& ws_;
    UiPort& ui_;
    DialogPort& dialogs_;
    // The LP engine's tables, allocated at start-up and released at exit.
    std::unique_ptr<LpEngine> engine_;
    Phase phase_ = Phase::Empty;
    mutable CommandStates states_;
    Outcome outcome_ = Outcome::Done;
    bool confirmDiscard_ = true;
    // Hash of the results file text at the last export or import.
    std::size_t savedResults_ = 0;
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
};
