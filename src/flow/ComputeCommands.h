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

// @@DOC ComputeCommands
class ComputeCommands {
public:
    explicit ComputeCommands(Session& session);

    // Before a weighted-sum or reference-point computation: when limitations
    // are in force, asks whether to consider them; No clears them.
    void askConsiderLimitations();
    // Computation commands, each with its dialogs, questions and messages.
    void computePayoffCommand();
    void viewPayoffCommand();
    void weightedSumCommand();
    void referencePointCommand();
    void eConstraintCommand();
    void limitationsCommand();
    // The weighted sum of ws.sumWeights, its status message when it fails,
    // the report when it succeeds, and the command's outcome.
    void solveWeightedSum();
    // The weights dialog preset with the picked weights, or with 1 for each
    // objective when none were picked; the accepted weights go to
    // ws.sumWeights. False (the command's outcome set) when it was cancelled
    // or its weights were refused.
    bool askSumWeights();
    // The reference point dialog's OK: the typed point, with its messages;
    // ws.refPoint takes it when it converts.
    bool acceptReferencePoint(const QStringList& typed);

private:

    Session& s_;
    Workspace& ws_;
    UiPort& ui_;
    DialogPort& dialogs_;
};
