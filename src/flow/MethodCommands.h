#pragma once

#include "lp/LpSolveAdapter.h"
#include "methods/Icw.h"
#include "methods/ParetoRace.h"
#include "methods/Stem.h"

class DialogPort;
class Session;
class UiPort;
struct Workspace;

// The interactive methods of the Methods menu: STEM, Pareto Race and ICW,
// their iterations, and the race panel's controls.
//
// Works on the session it is made with, which must outlive it.
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
