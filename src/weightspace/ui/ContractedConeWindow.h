#pragma once

#include "weightspace/ContractedConeView.h"
#include "weightspace/ui/PictureWidget.h"

#include <QWidget>

#include <memory>

class MainFlow;
class QScrollArea;
class QToolButton;
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
class ContractedConeWindow : public QWidget {
    Q_OBJECT
public:
    ContractedConeWindow(const Workspace& ws, MainFlow& flow, QWidget* parent = nullptr);
    ~ContractedConeWindow() override;

    ContractedConeView& view() { return *view_; }
    // An ICW iteration from the second on ended: at the second the window
    // opens 50 pixels right of and below the weight space window's corner
    // with its look; then everything is drawn with the weight vectors' dots.
    void drawIteration(const WeightSpaceWindow& space);
    // The iteration's lists changed (contracted VMA): redrawn with the
    // weight space window's label marks, when it was ever drawn.
    void redraw(const WeightSpaceWindow& space);

    QToolButton* fillButton() const { return fill_; }
    QToolButton* zoomButton() const { return zoom_; }
    QToolButton* redrawButton() const { return redraw_; }
    QToolButton* saveButton() const { return save_; }
    QToolButton* projection12Button() const { return proj12_; }
    QToolButton* projection123Button() const { return proj123_; }
    ContractedConePicture* pictureWidget() const { return picture_; }

public slots:
    void zoom();
    void redrawAll();
    void savePicture();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The buttons as the view is: fill, projection and their visibility.
    void showState();
    void refresh();

    const Workspace& ws_;
    MainFlow& flow_;
    std::unique_ptr<ContractedConeView> view_;
    ContractedConePicture* picture_;
    QScrollArea* area_;
    QToolButton* save_;
    QToolButton* fill_;
    QToolButton* zoom_;
    QToolButton* redraw_;
    QToolButton* proj12_;
    QToolButton* proj123_;
    // The buttons are being set from the view: their signals change nothing.
    bool updatingUi_ = false;
};
