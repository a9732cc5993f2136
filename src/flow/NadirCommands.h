#pragma once

#include <optional>

#include "nadir/EaNadir.h"
#include "nadir/ExactNadir.h"
#include "nadir/Vma.h"

class DialogPort;
class Session;
class UiPort;
struct EaParameters;
struct Workspace;

// Nadir and vertices: the exact nadir value (method 1 or 2), the
// evolutionary estimate and its independent runs, the worst feasible values
// and the vector maximum approach.
//
// Works on the session it is made with, which must outlive it.
class NadirCommands {
public:
    explicit NadirCommands(Session& session);

    // Before the vector maximum approach; true to go on.
    bool confirmVma();
    // "VMA-Vector Maximum Approach": the question, then every efficient
    // vertex into the basket, stopping once `maxBases` bases were found.
    void vmaCommand(int maxBases);
    // The vertex walk (on the contracted cone when `contracted`) with its
    // Cancel box; once it walked, the basket views show, then what it told.
    VmaResult walk(int maxBases, bool contracted);
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
    // The EA dialog opens with what was last accepted for a problem with as
    // many objectives, else with the defaults.
    std::optional<EaParameterTexts> lastEaTexts_;
    int lastEaObjectives_ = 0;
};
