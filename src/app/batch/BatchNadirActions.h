#pragma once

#include "app/batch/BatchArguments.h"
#include "nadir/EaNadir.h"
#include "nadir/ExactNadir.h"

#include <optional>

// The settings of the nadir actions: nadir K [method=1|2] [tol=PCT],
// ea-nadir [pop=N] [pm=P] [iter=N] [seed=S] [runs=R] and worst-feasible.
namespace batch {

// `word` is one of the optional settings of an action of `kind`.
bool isNadirSetting(ActionKind kind, const QString& word);

// The values of a nadir or ea-nadir action checked against p objectives;
// an error text, empty when they are fine.
QString checkNadirAction(const Action& action, int p);

struct NadirSettings {
    QString objective;           // K as typed, for the objective prompt
    NadirMethod method = NadirMethod::Two; // the window's method unless method=1
    std::optional<QString> tolerance;
};
NadirSettings nadirSettings(const Action& action);

struct EaSettings {
    EaParameterTexts parameters; // the dialog's fields
    std::optional<QString> runs; // independent runs when given
};
// The dialog's defaults for p objectives with the given settings; a seed
// switches "Randomize" off.
EaSettings eaSettings(const Action& action, int p);

} // namespace batch
