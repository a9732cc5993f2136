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

// @@DOC BasketCommands
class BasketCommands {
public:
    explicit BasketCommands(Session& session);

    // The "View the last N" field changed.
    void setViewLastNText(const QString& text);
    void toggleAskTolerance();
    // Colour command: a new colour for the newest computed solution.
    void chooseColour();
    // Basket commands.
    void storeCurrentSolution();
    void deleteSolutions();
    // The store option ("Options to save solutions"): true stores every
    // nondominated solution computed.
    void setStoreAllSolutions(bool all);

private:
    void setViewLastN(int n);

    Session& s_;
    Workspace& ws_;
    UiPort& ui_;
    DialogPort& dialogs_;
};
