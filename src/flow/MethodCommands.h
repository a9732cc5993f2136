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

class Session;
class WeightSpaceView;
class WeightSpaceCanvas;
struct EaParameters;
struct ComputeResult;

// @@DOC MethodCommands
class MethodCommands {
public:
    explicit MethodCommands(Session& session);

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
    const ParetoRace* race() const;
    const StemState& stem() const;

private:
    void runStemProposal();
    // The race's choose-an-objective dialog; 0 when cancelled or refused.
    int chooseRaceObjective(const char* title, const char* prompt);
    // ICW for a single objective: the message and Refused; false then.
    bool icwNeedsTwoObjectives();
    // The report, the views and the failures of an ICW iteration.
    void finishIcwIteration(const IcwIterationResult& result);
    // A re-projection failed: its status, then the method is left.
    void leaveRace(SolveStatus status);

    Session& s_;
    Workspace& ws_;
    UiPort& ui_;
    DialogPort& dialogs_;
};
