#include "weightspace/ui/ContractedConeWindow.h"

#include "flow/MainFlow.h"
#include "weightspace/Messages.h"
#include "weightspace/ui/WeightSpaceWindow.h"
#include "workspace/Workspace.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kTriangleHeight = 517;
constexpr int kStripHeight = 230;
constexpr int kInitialWidth = 520;
// Where the window opens, from the weight space window's corner; and where
// the zoom dialog opens, from this window's corner.
const QPoint kBesideWeightSpace(50, 50);
const QPoint kZoomDialogPlace(100, 50);

} // namespace

ContractedConePicture::ContractedConePicture(const ContractedConeView& view, QWidget* parent)
    : PictureWidget([&view]() -> const QImage& { return view.picture(); }, [&view] { return view.scrollExtent(); },
                    parent)
{
}

ContractedConeWindow::ContractedConeWindow(const Workspace& ws, MainFlow& flow, QWidget* parent)
    : QWidget(parent), ws_(ws), flow_(flow), view_(std::make_unique<ContractedConeView>(ws))
{
    setWindowTitle(QString::fromUtf8(msg::kContractedConeCaption));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* bar = new QWidget(this);
    auto* barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(2, 2, 2, 2);
    save_ = TextToolButton(this, QString::fromUtf8(msg::kSavePictureTitle), QStringLiteral("Save"));
    save_->setShortcut(QKeySequence::Save);
    fill_ = TextToolButton(this, QStringLiteral("Fill solutions: pattern <-> Solid"), QStringLiteral("Fill"));
    fill_->setCheckable(true);
    zoom_ = TextToolButton(this, QStringLiteral("Zoom"), QStringLiteral("Zoom"));
    redraw_ = TextToolButton(this, QStringLiteral("Redraw all"), QStringLiteral("Redraw"));
    redraw_->setShortcut(QKeySequence::Refresh);
    proj12_ = TextToolButton(this, QStringLiteral("Weight Space projection 1-2"), QStringLiteral("1-2"));
    proj123_ = TextToolButton(this, QStringLiteral("Weight Space 1-2-3"), QStringLiteral("1-2-3"));
    proj12_->setCheckable(true);
    proj123_->setCheckable(true);
    proj12_->setChecked(true);
    proj12_->setAutoExclusive(true);
    proj123_->setAutoExclusive(true);
    for (QToolButton* b : {save_, fill_, zoom_, redraw_, proj12_, proj123_})
        barLayout->addWidget(b);
    barLayout->addStretch(1);
    layout->addWidget(bar);

    picture_ = new ContractedConePicture(*view_, this);
    area_ = new QScrollArea(this);
    area_->setWidget(picture_);
    area_->setBackgroundRole(QPalette::Base);
    layout->addWidget(area_, 1);

    connect(save_, &QToolButton::clicked, this, &ContractedConeWindow::savePicture);
    connect(fill_, &QToolButton::toggled, this, [this](bool on) {
        if (updatingUi_)
            return;
        view_->setConeFill(on);
        refresh();
    });
    connect(zoom_, &QToolButton::clicked, this, &ContractedConeWindow::zoom);
    connect(redraw_, &QToolButton::clicked, this, &ContractedConeWindow::redrawAll);
    const auto projection = [this](WeightProjection which) {
        return [this, which](bool on) {
            if (!on || updatingUi_)
                return;
            view_->setProjection(which);
            refresh();
        };
    };
    connect(proj12_, &QToolButton::toggled, this, projection(WeightProjection::RightTriangle));
    connect(proj123_, &QToolButton::toggled, this, projection(WeightProjection::Equilateral));
    // Like the weight space window, it appears without taking the keyboard
    // from the main window.
    setAttribute(Qt::WA_ShowWithoutActivating);
    resize(kInitialWidth, kTriangleHeight);
}

ContractedConeWindow::~ContractedConeWindow() = default;

void ContractedConeWindow::drawIteration(const WeightSpaceWindow& space)
{
    if (ws_.numObjectives != 2 && ws_.numObjectives != 3)
        return;
    if (view_->drawIteration(space.view())) {
        move(space.frameGeometry().topLeft() + kBesideWeightSpace);
        resize(width(), ws_.numObjectives == 3 ? kTriangleHeight : kStripHeight);
        area_->horizontalScrollBar()->setValue(0);
        area_->verticalScrollBar()->setValue(0);
    }
    showState();
    show();
    refresh();
}

void ContractedConeWindow::redraw(const WeightSpaceWindow& space)
{
    if (!view_->initialised())
        return;
    const RegionLabels labels = space.view().labels();
    view_->setLabelMarks(labels != RegionLabels::None, labels == RegionLabels::InWhite);
    view_->RedrawTriangulo();
    refresh();
}

void ContractedConeWindow::showState()
{
    updatingUi_ = true;
    fill_->setChecked(view_->coneFill());
    const bool three = view_->geometry().objectives == 3;
    proj12_->setVisible(three);
    proj123_->setVisible(three);
    (view_->geometry().projection == WeightProjection::Equilateral ? proj123_ : proj12_)->setChecked(true);
    updatingUi_ = false;
}

void ContractedConeWindow::zoom()
{
    if (!view_->initialised())
        return;
    const double factor = AskZoomFactor(this, frameGeometry().topLeft() + kZoomDialogPlace, view_->zoomFactor());
    if (factor > 0 && view_->setZoomFactor(factor)) {
        refresh();
        area_->horizontalScrollBar()->setValue(0);
        area_->verticalScrollBar()->setValue(0);
    }
}

void ContractedConeWindow::redrawAll()
{
    view_->RedrawTriangulo();
    refresh();
}

void ContractedConeWindow::savePicture()
{
    if (view_->initialised())
        flow_.saveWeightSpacePicture(view_->picture());
}

void ContractedConeWindow::refresh() { picture_->refresh(area_->viewport()->size()); }

void ContractedConeWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    refresh();
}
