#pragma once

#include "solutions/BasketCharts.h"

#include <QWidget>

#include <array>

class QChart;
class QChartView;
class QLineSeries;
class QPushButton;
class QValueAxis;
class UiPort;
struct Workspace;

// "Charts": every objective of the stored solutions as a line over the
// solution numbers, series F1..F10 with fixed colours and point marks.
// "Zoom In" zooms in by 10 percent, "Undo Zoom" shows everything again, and
// a click on a series shows or hides the values at its points. Created once
// and shown again on request; every drawing reads the workspace afresh.
class BasketLineChartWindow : public QWidget {
    Q_OBJECT
public:
    explicit BasketLineChartWindow(const Workspace& ws, QWidget* parent = nullptr);

    // Empties every series, shows series 1..min(k, 10) in the chart and its
    // legend and hides the rest, and fills them from the basket. Does not
    // show the window.
    void DesenhaChart();

    QChart* chart() const { return chart_; }
    QChartView* chartView() const { return view_; }
    // Series i (1..10).
    QLineSeries* series(int i) const { return series_[static_cast<std::size_t>(i - 1)]; }
    QValueAxis* solutionAxis() const { return axisX_; }
    QValueAxis* valueAxis() const { return axisY_; }
    QPushButton* zoomInButton() const { return zoomIn_; }
    QPushButton* undoZoomButton() const { return undoZoom_; }
    QPushButton* savePictureButton() const { return save_; }
    QPushButton* copyPictureButton() const { return copy_; }
    // The port that asks for the file name of "Save picture"; without one
    // the button is disabled. Not owned.
    void setUiPort(UiPort* ui);
    // The chart as it shows now.
    QImage picture() const;

    // The picture of a point mark, as the series draw it.
    static QImage markImage(LineMark mark, const QColor& colour, int size);

public slots:
    void zoomIn();
    void undoZoom();
    // Shows or hides the values at the points of `series`.
    void toggleLabels(QLineSeries* series);
    // Numbers on the solution axis only as often as they fit whole.
    void thinSolutionLabels();
    void savePicture();
    void copyPicture();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    const Workspace& ws_;
    QChart* chart_;
    QChartView* view_;
    QValueAxis* axisX_;
    QValueAxis* axisY_;
    std::array<QLineSeries*, kLineChartSeries> series_{};
    QPushButton* zoomIn_;
    QPushButton* undoZoom_;
    QPushButton* save_;
    QPushButton* copy_;
    UiPort* ui_ = nullptr;
};
