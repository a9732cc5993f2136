#pragma once

#include "lp/LpEngine.h"
#include "methods/Icw.h"
#include "methods/ParetoRace.h"
#include "methods/Stem.h"
#include "nadir/ExactNadir.h"
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

// @@DOC NadirCommands
class NadirCommands {
public:
    explicit NadirCommands(Session& session);

    // Before the vector maximum approach; true to go on.
    bool confirmVma();
    // "VMA-Vector Maximum Approach": the question, then every efficient
    // vertex into the basket, stopping once `maxBases` bases were found.
    void vmaCommand(int maxBases);
    // "The true Nadir values": Method 1 or 2 with the objective prompt (and
    // the tolerance prompt when "Ask tolerance" is checked); NadirCommands.cpp.
    void nadirCommand(NadirMethod method);
    // "Estimate the Nadir point (EA)", its independent runs and the worst
    // feasible values.
    void eaNadirCommand();
    void eaRunsCommand();
    void worstFeasibleCommand();

private:
    // The evolutionary estimate's parameters dialog; false (the command's
    // outcome set) when it was cancelled or its values were refused.
    bool askEaParameters(EaParameters& parameters);

    Session& s_;
    Workspace& ws_;
    UiPort& ui_;
    DialogPort& dialogs_;
};
