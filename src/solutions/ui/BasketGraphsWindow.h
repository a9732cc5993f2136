#pragma once

#include "solutions/BasketCharts.h"

#include <QImage>
#include <QSize>
#include <QWidget>

class AxisBoundsDialog;
class BasketLineChartWindow;
class QButtonGroup;
class QComboBox;
class QLabel;
class QScrollArea;
class QToolButton;
class SortDialog;
class UiPort;
struct Workspace;

// "Solution Graphs": the Solution Basket as a bar chart, or for two or three
// objectives as points in objective space with the adjacency edges and the
// active limitations. A tool bar switches between the two charts, changes
// the axis bounds, sorts the bars, chooses the projection of a
// three-objective problem and opens the line chart window; below it the
// picture, which scrolls sideways when the bars need more room than the
// window has. Created once and shown again on request; every display draws
// the chart afresh from the workspace.
class BasketGraphsWindow : public QWidget {
    Q_OBJECT
public:
    BasketGraphsWindow(Workspace& ws, UiPort& ui, QWidget* parent = nullptr);

    // Chooses the chart (the bar chart when there are 4 or more objectives),
    // shows the window in front, updates the axis bounds and draws.
    void mostraGrafico();
    // Marks a computed solution that was not stored (values f, `colour`) on
    // the point or three-objective chart on display; nothing on the bar
    // chart or while the window is hidden. The next drawing removes it.
    void MostraSolNaoGuardada(const vectorObj& f, Color colour);
    // Draws the chart again where it stands, without bringing it forward;
    // nothing while the window is hidden.
    void refresh();
    // A new problem: the point chart and the first projection again.
    void resetForProblem();

    // The line chart window that the "Line Chart" button opens. Without one,
    // the button makes its own on first use.
    void setLineChartWindow(BasketLineChartWindow* window);
    BasketLineChartWindow* lineChartWindow() const { return lineChart_; }

    QToolButton* barButton() const { return bar_; }
    QToolButton* pointButton() const { return point_; }
    QToolButton* axisButton() const { return axis_; }
    QToolButton* sortButton() const { return sort_; }
    QToolButton* lineChartButton() const { return line_; }
    QToolButton* savePictureButton() const { return save_; }
    QToolButton* copyPictureButton() const { return copy_; }
    QComboBox* projectionList() const { return projections_; }
    QScrollArea* pictureArea() const { return area_; }
    AxisBoundsDialog* axisDialog() const { return axisDialog_; }
    SortDialog* sortDialog() const { return sortDialog_; }

    // The picture on display, the chart it shows and the client area it was
    // laid out for.
    const QImage& picture() const { return picture_; }
    const BasketChartPlan& plan() const { return plan_; }
    QSize clientSize() const { return client_; }
    // The client area the next drawing is laid out for: the picture area
    // without scroll bars.
    QSize currentClientSize() const;

public slots:
    // "Bar Chart"
    void showBarChart();
    // "F1F2 Point chart"
    void showPointChart();
    // "Sort solutions": the sort dialog, then the bars in the new order.
    void sortSolutions();
    // "Change axis bounds": the bounds dialog, then the chart again.
    void changeAxisBounds();
    // "Line Chart"
    void openLineChart();
    // The chart on display as a PNG or bitmap file, or on the clipboard.
    void savePicture();
    void copyPicture();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Settles the buttons and lists for the number of objectives, updates
    // the axis bounds and draws the chart the buttons ask for.
    void redraw();

    Workspace& ws_;
    UiPort& ui_;
    QToolButton* bar_;
    QToolButton* point_;
    QToolButton* axis_;
    QToolButton* sort_;
    QToolButton* line_;
    QToolButton* save_;
    QToolButton* copy_;
    QButtonGroup* chartButtons_;
    QComboBox* projections_;
    QScrollArea* area_;
    QLabel* pictureLabel_;
    AxisBoundsDialog* axisDialog_;
    SortDialog* sortDialog_;
    BasketLineChartWindow* lineChart_ = nullptr;

    QImage picture_;
    BasketChartPlan plan_;
    QSize client_;
    bool drawing_ = false;
};
