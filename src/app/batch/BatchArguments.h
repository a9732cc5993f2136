#pragma once

#include "base/Numeric.h"
#include "problem/MpsFile.h"

#include <QString>
#include <QStringList>

#include <vector>

class UiPort;

// The command line of quilvane-batch: options, actions and the checks of
// their values, all made before anything is read or computed.
namespace batch {

extern const char* const kUsage;
// The window disables its store command while every solution is stored.
extern const char* const kStoreWithAllSolutions;

struct Options {
    QString problemPath;
    QString writePath;
    QString listingPath;
    bool writeGiven = false;
    bool listingGiven = false;
    bool mps = false; // read the problem as MPS
    MpsFormat mpsFormat = MpsFormat::Automatic; // fixed or free, as the file shows unless a switch says
    bool vlp = false; // read the problem as a vector linear program (.vlp)
    QString writeVlpPath;
    bool writeVlpGiven = false;
    bool normalize = false;
    bool allSolutions = false;
    QString importPath; // a results file read instead of the pay-off table
    QString exportPath; // the results file written after the last action
    QString weightSpacePath; // the weight space picture written after the last action
    double timeLimitSeconds = 60; // per solve; 0: no limit
    bool json = false; // one JSON document on standard output instead of the reports
    QStringList actionWords;
};

enum class ActionKind { Payoff, WeightedSum, RefPoint, Limits, EConstraint, Store, Delete, Vma, Basket, Nadir, EaNadir, WorstFeasible, Stem, Race, Icw, ContractedVma };

struct ActionSyntax {
    const char* name;
    ActionKind kind;
    int argumentCount;
    const char* arguments; // for the usage message
};

struct Action {
    const ActionSyntax* syntax = nullptr;
    QStringList arguments;
    ActionKind kind() const { return syntax->kind; }
};

// Returns an error text, empty when the arguments are fine, "help" for
// --help, "version" for --version.
QString parseArguments(const QStringList& args, Options& options);
// Splits the action words into actions with their arguments; an error text
// when a name is unknown or not built yet, or an argument is missing.
QString splitActions(const QStringList& words, std::vector<Action>& actions);
// Every action's values checked against a problem of p objectives, with the
// dialogs' own messages: false when one is refused (its message printed).
bool checkActions(const std::vector<Action>& actions, int p, bool allSolutions, UiPort& ui);

// The N of vma's optional "max-bases=N"; the default limit without it.
int vmaMaxBases(const Action& action);

// race: the speed slider position of the optional "speed=N" (1, the
// fastest, without it), and "LO1:HI1,..." as the ranges dialog's cells.
int raceSpeed(const Action& action);
// icw: a choice 1..2p+1 as typed; 0 when it is not one.
int icwChoice(const QString& typed, int p);
void raceRanges(const QString& typed, QStringList& lower, QStringList& upper);
// stem: a relaxation vector as the dialog's amounts ('-' = 0, not relaxed).
QStringList relaxationAmounts(const QString& typed);

// "a, b,c" -> "a", "b", "c".
QStringList commaList(const QString& typed);

} // namespace batch
