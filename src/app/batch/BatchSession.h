#pragma once

#include "app/batch/BatchArguments.h"
#include "app/batch/BatchJson.h"
#include "app/batch/BatchUiPort.h"
#include "flow/Session.h"

#include <functional>

struct Workspace;

namespace batch {

// Runs the actions of the command line as the window's commands, through
// the main window's own flow: the port answers each dialog with the values
// of the action. Every method returns an exit status.
class BatchSession {
public:
    BatchSession(Workspace& ws, const Options& options);

    // Reads the problem as Open (or Open MPS, Open VLP ...) does.
    int openProblem();
    // The results file instead of the pay-off table, as Import does.
    int importResults(const QString& path);
    int run(const Action& action);
    // The results file after the last action; the pay-off table is computed
    // first when no action needed one.
    int exportResults(const QString& path);
    // The weight space picture after the last action (.png by its name,
    // else a Windows bitmap); BatchWeightSpace.cpp.
    int writeWeightSpace(const QString& path);

    int objectives() const;
    BatchUiPort& ui() { return ui_; }
    // The actions, their solutions and messages, for the JSON document.
    const JsonRun& json() const { return json_; }

private:
    // The action `body` as one action of the JSON document.
    int recorded(const QString& name, const QStringList& arguments, const std::function<int()>& body);
    int runAction(const Action& action);
    // A report or table: printed, or with --json kept for the document.
    void showBlock(const QString& block);
    int payoff();
    int limits(const QString& values);
    int eConstraint(const QStringList& args);
    int basket();
    // nadir, ea-nadir; BatchNadirActions.cpp.
    int nadir(const Action& action);
    int eaNadir(const Action& action);
    int stem(const QStringList& vectors);
    int race(const Action& action);
    int icw(const QStringList& choices);
    // The exit status of the flow's last command; its report is printed
    // when it was done.
    int finishCommand();
    // Prepares the limitations dialog to set the bounds "L1,...,Lp" ('-' none).
    void prepareBounds(const QString& values);

    Workspace& ws_;
    const Options& options_;
    BatchUiPort ui_;
    Session flow_;
    JsonRun json_;
};

} // namespace batch
