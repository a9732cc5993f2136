#pragma once

#include "weightspace/WeightSpaceView.h"
#include "weightspace/ui/PictureWidget.h"
#include "weightspace/ui/WeightSpaceCanvasWindow.h"

class Session;
class QAction;
class QLabel;
class QMenu;
class QToolButton;
class UiPort;
struct Workspace;

// Shows the weight space picture and passes the pointer on: moves while
// selecting become the status line, a press becomes the picked weights.
class WeightSpacePicture : public PictureWidget {
    Q_OBJECT
public:
    explicit WeightSpacePicture(const WeightSpaceView& view, QWidget* parent = nullptr);

signals:
    void pointerMoved(QPoint at);
    void pointerPressed(QPoint at);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

// "Weight Space": the tool bar, the menus and the picture of the weight
// space view. The view (the picture and its state) lives here for the whole
// run; the computations go through the main flow.
class WeightSpaceWindow : public WeightSpaceCanvasWindow {
    Q_OBJECT
public:
    WeightSpaceWindow(Workspace& ws, Session& flow, UiPort& ui, QWidget* parent = nullptr);
    ~WeightSpaceWindow() override;

    WeightSpaceView& view() { return static_cast<WeightSpaceView&>(canvas()); }
    const WeightSpaceView& view() const { return static_cast<const WeightSpaceView&>(canvas()); }
    // The solution phase opened: first-time initialisation (shows the
    // window) and every region.
    void prepare();
    // Regions were added or the basket changed.
    void regionsChanged();
    // Basket solutions first..last were deleted.
    void solutionsDeleted(int first, int last);
    // An ICW iteration ended: its solutions (and at the first its weights)
    // are drawn and the window shows.
    void drawIcwIteration();
    // Everything drawn again, as when the contracted cone comes or goes.
    void redrawAll();

    QToolButton* selectButton() const { return select_; }
    QToolButton* limitsButton() const { return limits_; }
    QLabel* statusLine() const { return status_; }
    WeightSpacePicture* pictureWidget() const { return picture_; }
    QMenu* calculateMenu() const { return calculate_; }
    QAction* pairwiseAction() const { return pairwise_; }

public slots:
    void copyPicture();
    // The picture on a printer chosen in the print dialog.
    void printPicture();
    void showOne(bool clearFirst);
    void showLimitations();
    void pairwiseComparison();

private:
    void createMenus(QWidget* bar);
    void pointerMoved(QPoint at);
    void pointerPressed(QPoint at);
    void setLabels(RegionLabels labels);
    void refreshEntries();
    void zoomChanged() override { refreshEntries(); }

    Workspace& ws_;
    UiPort& ui_;
    WeightSpaceView& view_;
    WeightSpacePicture* picture_;
    QLabel* status_;
    QToolButton* select_;
    QToolButton* limits_;
    QMenu* calculate_ = nullptr;
    QMenu* popup_ = nullptr;
    QAction* localIds_ = nullptr;
    QAction* inWhite_[2] = {nullptr, nullptr};
    QAction* inBlack_[2] = {nullptr, nullptr};
    QAction* noIds_[2] = {nullptr, nullptr};
    QAction* withArea_[2] = {nullptr, nullptr};
    QAction* limitEntries_[2] = {nullptr, nullptr};
    QAction* nadirEntries_[2] = {nullptr, nullptr};
    QAction* pairEntries_[2] = {nullptr, nullptr};
    QAction* pairwise_ = nullptr;
    bool showSolutions_ = true;
};
