#include "weightspace/ui/ContractedConeWindow.h"

#include "weightspace/Messages.h"
#include "weightspace/ui/WeightSpaceWindow.h"
#include "workspace/Workspace.h"

#include <QKeySequence>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

namespace {

constexpr int kTriangleHeight = 517;
constexpr int kStripHeight = 230;
constexpr int kInitialWidth = 520;
// Where the window opens, from the weight space window's corner.
const QPoint kBesideWeightSpace(50, 50);

} // namespace

ContractedConePicture::ContractedConePicture(const ContractedConeView& view, QWidget* parent)
    : PictureWidget([&view]() -> const QImage& { return view.picture(); }, [&view] { return view.scrollExtent(); },
                    parent)
{
}

ContractedConeWindow::ContractedConeWindow(const Workspace& ws, Session& flow, QWidget* parent)
    : WeightSpaceCanvasWindow(std::make_unique<ContractedConeView>(ws), flow,
                              QString::fromUtf8(msg::kSavePictureTitle), parent),
      ws_(ws)
{
    setWindowTitle(QString::fromUtf8(msg::kContractedConeCaption));
    saveButton()->setShortcut(QKeySequence::Save);
    redrawButton()->setShortcut(QKeySequence::Refresh);
    picture_ = new ContractedConePicture(view(), this);
    setPicture(picture_);
    resize(kInitialWidth, kTriangleHeight);
}

ContractedConeWindow::~ContractedConeWindow() = default;

void ContractedConeWindow::drawIteration(const WeightSpaceWindow& space)
{
    if (ws_.numObjectives != 2 && ws_.numObjectives != 3)
        return;
    if (view().drawIteration(space.view())) {
        move(space.frameGeometry().topLeft() + kBesideWeightSpace);
        resize(width(), ws_.numObjectives == 3 ? kTriangleHeight : kStripHeight);
        scrollArea()->horizontalScrollBar()->setValue(0);
        scrollArea()->verticalScrollBar()->setValue(0);
    }
    showState();
    show();
    fitDrawing();
    refresh();
}

void ContractedConeWindow::redraw(const WeightSpaceWindow& space)
{
    if (!view().initialised())
        return;
    const RegionLabels labels = space.view().labels();
    view().setLabelMarks(labels != RegionLabels::None, labels == RegionLabels::InWhite);
    view().RedrawTriangulo();
    refresh();
}

void ContractedConeWindow::showState()
{
    updatingUi_ = true;
    fillButton()->setChecked(view().patternFill());
    const bool three = view().geometry().objectives == 3;
    projection12Button()->setVisible(three);
    projection123Button()->setVisible(three);
    (view().geometry().projection == WeightProjection::Equilateral ? projection123Button() : projection12Button())
        ->setChecked(true);
    updatingUi_ = false;
}
