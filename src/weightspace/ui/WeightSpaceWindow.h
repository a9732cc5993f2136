#pragma once

#include "weightspace/WeightSpaceView.h"
#include "weightspace/ui/PictureWidget.h"

#include <QWidget>

#include <memory>

class MainFlow;
class QAction;
class QLabel;
class QMenu;
class QScrollArea;
class QToolButton;
class UiPort;
struct Workspace;

// "View weight space", opened at `at` with `current` preselected: the zoom
// factor chosen, -1 when cancelled.
double AskZoomFactor(QWidget* parent, QPoint at, double current);

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
class WeightSpaceWindow : public QWidget {
    Q_OBJECT
public:
    WeightSpaceWindow(Workspace& ws, MainFlow& flow, UiPort& ui, QWidget* parent = nullptr);
    ~WeightSpaceWindow() override;

    WeightSpaceView& view() { return *view_; }
    const WeightSpaceView& view() const { return *view_; }
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
    void refresh();

    QToolButton* selectButton() const { return select_; }
    QToolButton* fillButton() const { return fill_; }
    QToolButton* limitsButton() const { return limits_; }
    QToolButton* projection12Button() const { return proj12_; }
    QToolButton* projection123Button() const { return proj123_; }
    QLabel* statusLine() const { return status_; }
    WeightSpacePicture* pictureWidget() const { return picture_; }
    QMenu* calculateMenu() const { return calculate_; }
    QAction* pairwiseAction() const { return pairwise_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

public slots:
    void savePicture();
    void copyPicture();
    // The picture on a printer chosen in the print dialog.
    void printPicture();
    void zoom();
    void showOne(bool clearFirst);
    void showLimitations();
    void pairwiseComparison();

private:
    void createMenus(QWidget* bar);
    void pointerMoved(QPoint at);
    void pointerPressed(QPoint at);
    void setLabels(RegionLabels labels);
    void refreshEntries();
    QPoint dialogPlace() const;

    Workspace& ws_;
    MainFlow& flow_;
    UiPort& ui_;
    std::unique_ptr<WeightSpaceView> view_;
    WeightSpacePicture* picture_;
    QScrollArea* area_;
    QLabel* status_;
    QToolButton* save_;
    QToolButton* select_;
    QToolButton* fill_;
    QToolButton* zoom_;
    QToolButton* redraw_;
    QToolButton* limits_;
    QToolButton* proj12_;
    QToolButton* proj123_;
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
