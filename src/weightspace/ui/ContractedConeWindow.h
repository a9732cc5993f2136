#pragma once

#include "weightspace/ContractedConeView.h"
#include "weightspace/ui/PictureWidget.h"
#include "weightspace/ui/WeightSpaceCanvasWindow.h"

class Session;
class WeightSpaceWindow;
struct Workspace;

// Shows the contracted cone picture; no pointer input.
class ContractedConePicture : public PictureWidget {
public:
    explicit ContractedConePicture(const ContractedConeView& view, QWidget* parent = nullptr);
};

// "Weight Space of the Contracted Cone": the weight space of the current
// ICW cone with the regions of the iteration's solutions, its legend and the
// dots of the weight vectors. Created once; shown from the second iteration
// on, hidden when ICW is left. Its zoom and fill stay while the program runs.
class ContractedConeWindow : public WeightSpaceCanvasWindow {
    Q_OBJECT
public:
    ContractedConeWindow(const Workspace& ws, Session& flow, QWidget* parent = nullptr);
    ~ContractedConeWindow() override;

    ContractedConeView& view() { return static_cast<ContractedConeView&>(canvas()); }
    // An ICW iteration from the second on ended: at the second the window
    // opens 50 pixels right of and below the weight space window's corner
    // with its look; then everything is drawn with the weight vectors' dots.
    void drawIteration(const WeightSpaceWindow& space);
    // The iteration's lists changed (contracted VMA): redrawn with the
    // weight space window's label marks, when it was ever drawn.
    void redraw(const WeightSpaceWindow& space);

    ContractedConePicture* pictureWidget() const { return picture_; }

private:
    // The buttons as the view is: fill, projection and their visibility.
    void showState();

    const Workspace& ws_;
    ContractedConePicture* picture_;
};
