#pragma once

#include <QStringList>

class DialogPort;
class Session;
class UiPort;
struct Workspace;

// The computations of the Compute and First menus: the pay-off table, the
// weighted sum, the reference point, the e-constraints and the limitations,
// each with its dialogs, questions and messages.
//
// Works on the session it is made with, which must outlive it.
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
