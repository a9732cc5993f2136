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

// @@DOC WeightSpaceCommands
class WeightSpaceCommands {
public:
    explicit WeightSpaceCommands(Session& session);

    // Weight space window (WeightSpaceCommands.cpp). A weight vector picked
    // with the mouse (ws.pickedWeights): the weights dialog, then the
    // weighted sum without limitations. The limitation area and the nadir
    // area of one objective, their dialogs placed at (x, y). Save picture:
    // a bitmap, or PNG when the name ends in ".png".
    void weightSpacePickCommand();
    void limitationAreaCommand(WeightSpaceView& view, int x, int y);
    void nadirAreaCommand(WeightSpaceView& view, int x, int y);
    // The picture of either weight space window.
    void saveWeightSpacePicture(const WeightSpaceCanvas& canvas);

private:

    Session& s_;
    Workspace& ws_;
    UiPort& ui_;
    DialogPort& dialogs_;
};
