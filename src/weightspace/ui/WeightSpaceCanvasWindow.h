#pragma once

#include "weightspace/WeightSpaceCanvas.h"

#include <QWidget>

#include <memory>

class Session;
class PictureWidget;
class QHBoxLayout;
class QScrollArea;
class QToolButton;
class QVBoxLayout;

// "View weight space", opened at `at` with `current` preselected: the zoom
// factor chosen, -1 when cancelled.
double AskZoomFactor(QWidget* parent, QPoint at, double current);

// What the two weight space windows share: a tool bar with Save, Fill, Zoom,
// Redraw and the two projections, the canvas's picture in a scroll area,
// the zoom dialog and the saving of the picture. The window owns its canvas
// for the whole run; each window adds its own buttons, menus and pointer
// handling.
class WeightSpaceCanvasWindow : public QWidget {
    Q_OBJECT
public:
    ~WeightSpaceCanvasWindow() override;

    QToolButton* saveButton() const { return save_; }
    QToolButton* fillButton() const { return fill_; }
    QToolButton* zoomButton() const { return zoom_; }
    QToolButton* redrawButton() const { return redraw_; }
    QToolButton* projection12Button() const { return proj12_; }
    QToolButton* projection123Button() const { return proj123_; }

public slots:
    // The zoom dialog, opened 100 pixels right of and 50 below the window's
    // corner; a new factor redraws and scrolls back to the top left.
    void zoom();
    void savePicture();
    // The picture changed.
    void refresh();

protected:
    // `saveHint` is the Save button's hint.
    WeightSpaceCanvasWindow(std::unique_ptr<WeightSpaceCanvas> canvas, Session& flow, const QString& saveHint,
                            QWidget* parent);
    // Shows `picture` (the canvas's) in the scroll area under the tool bar.
    void setPicture(PictureWidget* picture);
    WeightSpaceCanvas& canvas() const { return *canvas_; }
    QVBoxLayout* windowLayout() const { return layout_; }
    // Save, Fill, Zoom, Redraw, 1-2, 1-2-3 and a stretch: a window places
    // its own buttons among them by index.
    QHBoxLayout* toolBar() const { return toolBar_; }
    QScrollArea* scrollArea() const { return area_; }
    QPoint dialogPlace() const;
    // After a new zoom factor or drawing size, before the picture is shown
    // again.
    virtual void zoomChanged() {}
    // The drawing at 100 % as large as the picture area has room for.
    void fitDrawing();
    void resizeEvent(QResizeEvent* event) override;

    Session& flow_;
    // The buttons are being set from the canvas: their signals change nothing.
    bool updatingUi_ = false;

private:
    std::unique_ptr<WeightSpaceCanvas> canvas_;
    QVBoxLayout* layout_;
    QHBoxLayout* toolBar_;
    QScrollArea* area_;
    PictureWidget* picture_ = nullptr;
    QToolButton* save_;
    QToolButton* fill_;
    QToolButton* zoom_;
    QToolButton* redraw_;
    QToolButton* proj12_;
    QToolButton* proj123_;
};
