#include "solutions/ui/BasketGraphsWindow.h"

#include "flow/WindowCommands.h"
#include "solutions/BasketTable.h"
#include "solutions/PictureFile.h"
#include "solutions/ui/AxisBoundsDialog.h"
#include "solutions/ui/BasketLineChartWindow.h"
#include "solutions/ui/SortDialog.h"
#include "base/UiPort.h"
#include "workspace/Workspace.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QToolButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kIconSize = 24;
const QColor kIconInk(0x30, 0x30, 0x30);
const QColor kIconBlue(0x1F, 0x5F, 0xBF);
const QColor kIconRed(0xC8, 0x32, 0x32);
const QColor kIconGreen(0x2E, 0x9A, 0x4A);

QPixmap blankIcon()
{
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void iconAxes(QPainter& p)
{
    p.setPen(QPen(kIconInk, 1.5));
    p.drawLine(QPointF(3.5, 2), QPointF(3.5, 20.5));
    p.drawLine(QPointF(3.5, 20.5), QPointF(22, 20.5));
}

QIcon barIcon()
{
    QPixmap pixmap = blankIcon();
    QPainter p(&pixmap);
    iconAxes(p);
    p.setPen(Qt::NoPen);
    p.setBrush(kIconBlue);
    p.drawRect(QRectF(6, 9, 4, 11));
    p.setBrush(kIconRed);
    p.drawRect(QRectF(11, 4, 4, 16));
    p.setBrush(kIconGreen);
    p.drawRect(QRectF(16, 12, 4, 8));
    return QIcon(pixmap);
}

QIcon pointIcon()
{
    QPixmap pixmap = blankIcon();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    iconAxes(p);
    p.setPen(QPen(kIconInk, 1.5));
    p.drawPolyline(QPolygonF{QPointF(7, 5), QPointF(13, 9), QPointF(19, 16)});
    p.setPen(Qt::NoPen);
    p.setBrush(kIconRed);
    p.drawEllipse(QPointF(7, 5), 2.5, 2.5);
    p.setBrush(kIconBlue);
    p.drawEllipse(QPointF(13, 9), 2.5, 2.5);
    p.setBrush(kIconGreen);
    p.drawEllipse(QPointF(19, 16), 2.5, 2.5);
    return QIcon(pixmap);
}

QIcon axisIcon()
{
    QPixmap pixmap = blankIcon();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    iconAxes(p);
    // A double arrow along the horizontal axis: its range.
    p.setPen(QPen(kIconBlue, 1.5));
    p.drawLine(QPointF(7, 14), QPointF(20, 14));
    p.setPen(Qt::NoPen);
    p.setBrush(kIconBlue);
    p.drawPolygon(QPolygonF{QPointF(5, 14), QPointF(9, 11), QPointF(9, 17)});
    p.drawPolygon(QPolygonF{QPointF(22, 14), QPointF(18, 11), QPointF(18, 17)});
    p.setBrush(kIconInk);
    p.drawRect(QRectF(5, 7, 1.5, 4));
    p.drawRect(QRectF(20.5, 7, 1.5, 4));
    return QIcon(pixmap);
}

QIcon sortIcon()
{
    QPixmap pixmap = blankIcon();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kIconInk);
    p.drawRect(QRectF(3, 4, 5, 3));
    p.drawRect(QRectF(3, 10.5, 9, 3));
    p.drawRect(QRectF(3, 17, 13, 3));
    p.setBrush(kIconBlue);
    p.drawRect(QRectF(18, 3, 2.5, 13));
    QPainterPath head;
    head.moveTo(14.75, 14);
    head.lineTo(23.75, 14);
    head.lineTo(19.25, 21);
    head.closeSubpath();
    p.drawPath(head);
    return QIcon(pixmap);
}

QIcon lineChartIcon()
{
    QPixmap pixmap = blankIcon();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    iconAxes(p);
    p.setPen(QPen(kIconRed, 1.5));
    p.drawPolyline(QPolygonF{QPointF(5, 15), QPointF(10, 8), QPointF(15, 12), QPointF(21, 4)});
    p.setPen(QPen(kIconBlue, 1.5));
    p.drawPolyline(QPolygonF{QPointF(5, 18), QPointF(10, 16), QPointF(15, 17), QPointF(21, 11)});
    return QIcon(pixmap);
}

QToolButton* toolButton(QWidget* parent, const QIcon& icon, const QString& hint, const QString& name)
{
    auto* button = new QToolButton(parent);
    button->setIcon(icon);
    button->setIconSize(QSize(kIconSize, kIconSize));
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    button->setObjectName(name);
    button->setAutoRaise(true);
    return button;
}

} // namespace

BasketGraphsWindow::BasketGraphsWindow(Workspace& ws, UiPort& ui, QWidget* parent)
    : QWidget(parent, Qt::Window), ws_(ws), ui_(ui),
      bar_(toolButton(this, barIcon(), QStringLiteral("Bar Chart"), QStringLiteral("barButton"))),
      point_(toolButton(this, pointIcon(), QStringLiteral("F1F2 Point chart"), QStringLiteral("pointButton"))),
      axis_(toolButton(this, axisIcon(), QStringLiteral("Change axis bounds"), QStringLiteral("axisButton"))),
      sort_(toolButton(this, sortIcon(), QStringLiteral("Sort solutions"), QStringLiteral("sortButton"))),
      line_(toolButton(this, lineChartIcon(), QStringLiteral("Line Chart"), QStringLiteral("lineChartButton"))),
      save_(toolButton(this, QIcon(), QStringLiteral("Save picture"), QStringLiteral("savePictureButton"))),
      copy_(toolButton(this, QIcon(), QStringLiteral("Copy picture to Clipboard"), QStringLiteral("copyPictureButton"))),
      chartButtons_(new QButtonGroup(this)), projections_(new QComboBox(this)), area_(new QScrollArea(this)),
      pictureLabel_(new QLabel), axisDialog_(new AxisBoundsDialog(this)), sortDialog_(new SortDialog(ws, this))
{
    setWindowTitle(QStringLiteral("Solution Graphs"));

    // The two chart buttons are a pair: pressing one releases the other.
    bar_->setCheckable(true);
    point_->setCheckable(true);
    point_->setChecked(true);
    chartButtons_->setExclusive(true);
    chartButtons_->addButton(bar_);
    chartButtons_->addButton(point_);
    connect(bar_, &QToolButton::clicked, this, &BasketGraphsWindow::showBarChart);
    connect(point_, &QToolButton::clicked, this, &BasketGraphsWindow::showPointChart);
    connect(axis_, &QToolButton::clicked, this, &BasketGraphsWindow::changeAxisBounds);
    connect(sort_, &QToolButton::clicked, this, &BasketGraphsWindow::sortSolutions);
    connect(line_, &QToolButton::clicked, this, &BasketGraphsWindow::openLineChart);
    save_->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    copy_->setText(QStringLiteral("Copy"));
    copy_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    connect(save_, &QToolButton::clicked, this, &BasketGraphsWindow::savePicture);
    connect(copy_, &QToolButton::clicked, this, &BasketGraphsWindow::copyPicture);

    projections_->addItems(BasketProjectionItems());
    projections_->setObjectName(QStringLiteral("projectionList"));
    projections_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(projections_, &QComboBox::currentIndexChanged, this, [this] {
        if (isVisible())
            redraw();
    });

    // The tool row keeps one height whatever it shows, so that showing the
    // list never changes the picture area.
    auto* toolRow = new QWidget(this);
    auto* tools = new QHBoxLayout(toolRow);
    tools->setContentsMargins(0, 0, 0, 0);
    tools->setSpacing(2);
    tools->addWidget(bar_);
    tools->addWidget(point_);
    tools->addSpacing(6);
    tools->addWidget(axis_);
    tools->addWidget(sort_);
    tools->addWidget(projections_);
    tools->addStretch(1);
    tools->addWidget(save_);
    tools->addWidget(copy_);
    tools->addWidget(line_);
    toolRow->setFixedHeight(std::max(bar_->sizeHint().height(), projections_->sizeHint().height()));

    // The picture on white; it scrolls sideways only (the layouts leave room
    // for the horizontal scroll bar when they need it).
    pictureLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    pictureLabel_->setAutoFillBackground(true);
    QPalette white = pictureLabel_->palette();
    white.setColor(QPalette::Window, Qt::white);
    pictureLabel_->setPalette(white);
    area_->setWidget(pictureLabel_);
    area_->setWidgetResizable(false);
    area_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area_->viewport()->setPalette(white);
    area_->viewport()->setAutoFillBackground(true);
    area_->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(toolRow);
    layout->addWidget(area_, 1);
    resize(600, 460);
}

QSize BasketGraphsWindow::currentClientSize() const { return area_->maximumViewportSize(); }

void BasketGraphsWindow::mostraGrafico()
{
    show();
    raise();
    redraw();
}

void BasketGraphsWindow::redraw()
{
    if (drawing_)
        return;
    drawing_ = true;
    plan_ = PlanBasketChart(ws_.numObjectives, bar_->isChecked(), projections_->currentIndex());
    {
        const QSignalBlocker block(chartButtons_);
        bar_->setChecked(plan_.barPressed);
        point_->setChecked(!plan_.barPressed);
    }
    point_->setEnabled(plan_.pointEnabled);
    sort_->setVisible(plan_.sortVisible);
    projections_->setVisible(plan_.projectionsVisible);

    UpdateAxisBounds(ws_);
    client_ = currentClientSize();
    std::vector<int> order;
    if (plan_.kind == BasketChartKind::Bars)
        SortBasketIndices(ws_, ws_.GraphSortKey, ws_.GraphSortAscending, order);
    picture_ = DrawBasketChart(ws_, plan_, client_, order);
    pictureLabel_->setPixmap(QPixmap::fromImage(picture_));
    pictureLabel_->resize(picture_.size());
    drawing_ = false;
}

void BasketGraphsWindow::MostraSolNaoGuardada(const vectorObj& f, Color colour)
{
    if (!isVisible() || plan_.kind == BasketChartKind::Bars || ws_.numObjectives > 3)
        return;
    if (MarkUnstoredSolution(picture_, ws_, plan_, client_, f, colour))
        pictureLabel_->setPixmap(QPixmap::fromImage(picture_));
}

void BasketGraphsWindow::refresh()
{
    if (isVisible())
        redraw();
}

void BasketGraphsWindow::resetForProblem()
{
    const QSignalBlocker blockButtons(chartButtons_);
    const QSignalBlocker blockList(projections_);
    point_->setChecked(true);
    projections_->setCurrentIndex(kProjectionAll);
    if (isVisible())
        redraw();
}

void BasketGraphsWindow::showBarChart()
{
    bar_->setChecked(true);
    redraw();
}

void BasketGraphsWindow::showPointChart()
{
    if (!point_->isEnabled())
        return;
    point_->setChecked(true);
    redraw();
}

void BasketGraphsWindow::sortSolutions()
{
    if (sortDialog_->sortBasket(ws_, BasketSortView::Graphs))
        showBarChart();
}

void BasketGraphsWindow::changeAxisBounds()
{
    vectorObj low = ws_.AxisLow;
    vectorObj high = ws_.AxisHigh;
    if (!axisDialog_->PedeEscalasFs_ParaGraficos(ws_, ui_, low, high))
        return;
    ws_.AxisLow = low;
    ws_.AxisHigh = high;
    ws_.UserAxisBounds = true;
    mostraGrafico();
}

void BasketGraphsWindow::setLineChartWindow(BasketLineChartWindow* window)
{
    lineChart_ = window;
    if (lineChart_)
        lineChart_->setUiPort(&ui_);
}

void BasketGraphsWindow::savePicture()
{
    SavePictureCommand(ui_, picture_, QStringLiteral("Save picture"), true);
}

void BasketGraphsWindow::copyPicture() { QGuiApplication::clipboard()->setImage(picture_); }

void BasketGraphsWindow::openLineChart()
{
    if (!lineChart_)
        setLineChartWindow(new BasketLineChartWindow(ws_, this));
    lineChart_->DesenhaChart();
    lineChart_->show();
    lineChart_->raise();
}

bool BasketGraphsWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == area_ && event->type() == QEvent::Resize && isVisible())
        redraw();
    return QWidget::eventFilter(watched, event);
}
