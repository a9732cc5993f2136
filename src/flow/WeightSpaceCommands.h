#pragma once

#include "flow/DialogPort.h"

#include <optional>

class DialogPort;
class Session;
class UiPort;
class WeightSpaceCanvas;
class WeightSpaceView;
struct Workspace;

// The weight space window's commands: a weight vector picked with the
// mouse, the limitation and nadir areas of an objective, and saving a
// picture.
//
// Works on the session it is made with, which must outlive it.
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
    // The objective an area command is asked for, 1..highest; nullopt when
    // the command ended there (cancelled, or refused with its message).
    std::optional<ObjectiveChoice> chooseAreaObjective(const char* title, const char* prompt, bool withValue,
                                                       int highest, int x, int y);

    Session& s_;
    Workspace& ws_;
    UiPort& ui_;
    DialogPort& dialogs_;
};
