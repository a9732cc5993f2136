#include "solutions/ui/BasketLineChartWindow.h"

#include "flow/WindowCommands.h"
#include "solutions/PictureFile.h"
#include "workspace/Workspace.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMarkSize = 9;

QColor ToQColor(Color c) { return QColor(int(colorRed(c)), int(colorGreen(c)), int(colorBlue(c))); }

QPolygonF Triangle(qreal s, qreal angleDegrees)
{
    // A triangle pointing in the direction `angleDegrees` (0 = up, 90 = right).
    const QPointF c(s / 2, s / 2);
    const qreal r = s / 2 - 0.5;
    QPolygonF polygon;
    for (int corner = 0; corner < 3; ++corner) {
        const qreal a = (angleDegrees + corner * 120.0) * M_PI / 180.0;
        polygon << c + QPointF(r * std::sin(a), -r * std::cos(a));
    }
    return polygon;
}

} // namespace

QImage BasketLineChartWindow::markImage(LineMark mark, const QColor& colour, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour.darker(130), 1));
    p.setBrush(colour);
    const qreal s = size;
    const QRectF box(0.5, 0.5, s - 1, s - 1);
    switch (mark) {
    case LineMark::Circle: p.drawEllipse(box); break;
    case LineMark::Rectangle: p.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5)); break;
    case LineMark::Triangle: p.drawPolygon(Triangle(s, 0)); break;
    case LineMark::RightTriangle: p.drawPolygon(Triangle(s, 90)); break;
    case LineMark::DownTriangle: p.drawPolygon(Triangle(s, 180)); break;
    case LineMark::LeftTriangle: p.drawPolygon(Triangle(s, 270)); break;
    case LineMark::Diamond:
        p.drawPolygon(QPolygonF{QPointF(s / 2, 0.5), QPointF(s - 0.5, s / 2), QPointF(s / 2, s - 0.5), QPointF(0.5, s / 2)});
        break;
    case LineMark::Cross:
        p.setPen(QPen(colour, 2));
        p.drawLine(QPointF(s / 2, 0.5), QPointF(s / 2, s - 0.5));
        p.drawLine(QPointF(0.5, s / 2), QPointF(s - 0.5, s / 2));
        break;
    case LineMark::DiagonalCross:
        p.setPen(QPen(colour, 2));
        p.drawLine(QPointF(1, 1), QPointF(s - 1, s - 1));
        p.drawLine(QPointF(1, s - 1), QPointF(s - 1, 1));
        break;
    case LineMark::Star: {
        QPolygonF star;
        const QPointF c(s / 2, s / 2);
        for (int i = 0; i < 10; ++i) {
            const qreal r = i % 2 == 0 ? s / 2 - 0.5 : s / 5;
            const qreal a = i * M_PI / 5;
            star << c + QPointF(r * std::sin(a), -r * std::cos(a));
        }
        p.drawPolygon(star);
        break;
    }
    }
    return image;
}

BasketLineChartWindow::BasketLineChartWindow(const Workspace& ws, QWidget* parent)
    : QWidget(parent, Qt::Window), ws_(ws), chart_(new QChart), view_(new QChartView(this)),
      axisX_(new QValueAxis), axisY_(new QValueAxis), zoomIn_(new QPushButton(QStringLiteral("Zoom In"), this)),
      undoZoom_(new QPushButton(QStringLiteral("Undo Zoom"), this)),
      save_(new QPushButton(QStringLiteral("Save picture"), this)),
      copy_(new QPushButton(QStringLiteral("Copy picture"), this))
{
    setWindowTitle(QStringLiteral("Charts"));

    chart_->setTitle(QStringLiteral("Solution Basket"));
    chart_->legend()->setAlignment(Qt::AlignRight);
    chart_->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    axisX_->setTitleText(QStringLiteral("Solution number"));
    axisX_->setLabelFormat(QStringLiteral("%d"));
    axisX_->setTickType(QValueAxis::TicksDynamic);
    axisX_->setTickAnchor(1);
    axisX_->setTickInterval(1);
    axisX_->setRange(1, 2);
    axisY_->setTitleText(QStringLiteral("Objective value"));
    chart_->addAxis(axisX_, Qt::AlignBottom);
    chart_->addAxis(axisY_, Qt::AlignLeft);

    for (int i = 1; i <= kLineChartSeries; ++i) {
        const LineSeriesStyle style = LineChartSeriesStyle(i);
        auto* series = new QLineSeries;
        series->setName(style.name);
        const QColor colour = ToQColor(style.colour);
        series->setPen(QPen(colour, 2));
        series->setColor(colour);
        series->setPointsVisible(true);
        series->setMarkerSize(kMarkSize);
        series->setLightMarker(markImage(style.mark, colour, kMarkSize));
        series->setPointLabelsFormat(QStringLiteral("@yPoint"));
        series->setPointLabelsColor(colour.darker(140));
        series->setPointLabelsVisible(false);
        series->setPointLabelsClipping(false);
        chart_->addSeries(series);
        series->attachAxis(axisX_);
        series->attachAxis(axisY_);
        series->setVisible(false);
        connect(series, &QLineSeries::clicked, this, [this, series](const QPointF&) { toggleLabels(series); });
        series_[static_cast<std::size_t>(i - 1)] = series;
    }
    for (QLegendMarker* marker : chart_->legend()->markers())
        marker->setVisible(false);

    view_->setChart(chart_);
    connect(chart_, &QChart::plotAreaChanged, this, &BasketLineChartWindow::thinSolutionLabels);
    view_->setRenderHint(QPainter::Antialiasing);

    connect(zoomIn_, &QPushButton::clicked, this, &BasketLineChartWindow::zoomIn);
    connect(undoZoom_, &QPushButton::clicked, this, &BasketLineChartWindow::undoZoom);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(zoomIn_);
    buttons->addWidget(undoZoom_);
    buttons->addStretch(1);
    save_->setEnabled(false);
    connect(save_, &QPushButton::clicked, this, &BasketLineChartWindow::savePicture);
    connect(copy_, &QPushButton::clicked, this, &BasketLineChartWindow::copyPicture);
    buttons->addWidget(save_);
    buttons->addWidget(copy_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(buttons);
    layout->addWidget(view_, 1);
    resize(640, 420);
}

void BasketLineChartWindow::DesenhaChart()
{
    chart_->zoomReset();
    const std::vector<std::vector<QPointF>> data = LineChartSeriesData(ws_);
    const int shown = static_cast<int>(data.size());
    Real low = 0;
    Real high = 0;
    bool any = false;
    for (int i = 1; i <= kLineChartSeries; ++i) {
        QLineSeries* s = series(i);
        s->clear();
        const bool visible = i <= shown;
        if (visible) {
            const auto& points = data[static_cast<std::size_t>(i - 1)];
            s->replace(QList<QPointF>(points.begin(), points.end()));
            for (const QPointF& point : points) {
                low = any ? std::min<Real>(low, point.y()) : point.y();
                high = any ? std::max<Real>(high, point.y()) : point.y();
                any = true;
            }
        }
        s->setVisible(visible);
        // The legend names the objectives; the hidden series keep theirs.
        s->setName(visible && i <= ws_.numObjectives ? ws_.objName[i] : LineChartSeriesStyle(i).name);
        for (QLegendMarker* marker : chart_->legend()->markers(s))
            marker->setVisible(visible);
    }

    const int n = std::max(0, static_cast<int>(ws_.basketCount));
    axisX_->setRange(1, std::max(2, n));
    thinSolutionLabels();
    if (!any) {
        axisY_->setRange(0, 1);
    } else {
        const Real margin = high > low ? (high - low) * 0.05L : std::max<Real>(1, std::fabs(high) * 0.05L);
        axisY_->setRange(static_cast<double>(low - margin), static_cast<double>(high + margin));
        axisY_->applyNiceNumbers();
    }
}

void BasketLineChartWindow::thinSolutionLabels()
{
    const int n = std::max(2, static_cast<int>(ws_.basketCount));
    const QFontMetrics metrics(axisX_->labelsFont());
    const int labelWidth = metrics.horizontalAdvance(QString::number(n));
    // Until the window shows, the chart is not laid out: most of the
    // window's width then.
    const int width = isVisible() ? static_cast<int>(chart_->plotArea().width()) : this->width() * 2 / 3;
    const int step = SolutionTickStep(n, width, labelWidth);
    if (axisX_->tickInterval() != step)
        axisX_->setTickInterval(step);
}

void BasketLineChartWindow::zoomIn() { chart_->zoom(1.1); }

void BasketLineChartWindow::undoZoom() { chart_->zoomReset(); }

void BasketLineChartWindow::toggleLabels(QLineSeries* series)
{
    if (series)
        series->setPointLabelsVisible(!series->pointLabelsVisible());
}

void BasketLineChartWindow::setUiPort(UiPort* ui)
{
    ui_ = ui;
    save_->setEnabled(ui_ != nullptr);
}

QImage BasketLineChartWindow::picture() const { return view_->grab().toImage(); }

void BasketLineChartWindow::savePicture()
{
    if (ui_)
        SavePictureCommand(*ui_, picture(), QStringLiteral("Save picture"), true);
}

void BasketLineChartWindow::copyPicture() { QGuiApplication::clipboard()->setImage(picture()); }

void BasketLineChartWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The labels grow with the window as the basket graphs' do.
    const QFont font = BasketChartFont(view_->size());
    for (QValueAxis* axis : {axisX_, axisY_}) {
        axis->setLabelsFont(font);
        axis->setTitleFont(font);
    }
    chart_->legend()->setFont(font);
    QFont title = font;
    title.setBold(true);
    chart_->setTitleFont(title);
}
