#pragma once

#include "workspace/Workspace.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

// The run of quilvane-batch as one JSON document (--json), built with Qt's
// JSON classes from what the workspace holds:
//
//   program, version, exitStatus, messages   the run as a whole
//   problem        name, file, sizes, objectives (name, sense), variable
//                  and slack names; null when no problem was read
//   actions        per action: name, arguments, outcome (done, failed,
//                  refused), status (its exit status), message, messages
//                  (kind, text) and report (the text the action prints
//                  without --json)
//   solutions      every solution the actions computed, oldest first:
//                  action (index into actions), basketIndex (0 when not
//                  stored), objectives, variables and slacks (non-zero ones)
//   payoff         per objective: objective, basketIndex and values
//   ideal, nadir   the points, by objective name
//   basket         per stored solution: index, objectives, variables, slacks
//   nadirResults   the nadir values known exactly: objective, value and the
//                  basket index of the solution that gives it
//   counts         vma: the basket count the last vma reported; icw: the
//                  ICW solutions after the last icw or contracted-vma
//
// Values by name are JSON objects keyed by the problem's names. Numbers are
// the Real values converted to double, written so that they read back to
// the same double; a value that is not finite, which JSON cannot hold, is
// null, as are the pay-off table and the points before they are computed.
namespace batch {

class JsonRun {
public:
    // An action begins: the name the command line gives it and its
    // arguments. Messages printed from now on belong to it.
    void beginAction(const QString& name, const QStringList& arguments);
    // A block of text the action would print without --json.
    void addReport(const QString& block);
    // The records pushed into the computed-solution history since the last
    // call, as solutions of the current action (at most the history's
    // MaxHistory newest between two calls); the solutions the history still
    // holds take its basket indices, which storing and deleting change.
    void collectSolutions(const Workspace& ws);
    // The current action ended with exit status `status`.
    void endAction(const Workspace& ws, int status);

    // The document; without `problemRead` the problem and everything
    // computed for it are null or empty.
    QJsonObject document(const Workspace& ws, bool problemRead, int exitStatus) const;

private:
    struct ActionRecord {
        QString name;
        QStringList arguments;
        int status = 0;
        std::size_t firstMessage = 0; // into printedMessages()
        std::size_t endMessage = 0;
        QStringList report;
    };
    struct SolutionRecord {
        int action = 0;
        // Where the history keeps the record: with its values, it tells the
        // record apart from ones pushed later.
        std::uintptr_t address = 0;
        ComputedSolution solution;
    };

    static bool isRecorded(const SolutionRecord& recorded, const ComputedSolution& record);

    std::vector<ActionRecord> actions_;
    std::vector<SolutionRecord> solutions_;
    bool vmaCounted_ = false;
    int vmaCount_ = 0;
    bool icwCounted_ = false;
    int icwCount_ = 0;
};

} // namespace batch
