#include "weightspace/ui/WeightSpaceWindow.h"

#include "flow/Session.h"
#include "flow/WindowCommands.h"
#include "solutions/ui/GridFitting.h"
#include "weightspace/Messages.h"
#include "weightspace/WeightSpaceCommands.h"
#include "workspace/Workspace.h"

#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

} // namespace

WeightSpacePicture::WeightSpacePicture(const WeightSpaceView& view, QWidget* parent)
    : PictureWidget([&view]() -> const QImage& { return view.picture(); }, [&view] { return view.scrollExtent(); },
                    parent)
{
    setMouseTracking(true);
}

void WeightSpacePicture::mouseMoveEvent(QMouseEvent* event) { emit pointerMoved(event->position().toPoint()); }

void WeightSpacePicture::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit pointerPressed(event->position().toPoint());
    else
        QWidget::mousePressEvent(event);
}

WeightSpaceWindow::WeightSpaceWindow(Workspace& ws, Session& flow, UiPort& ui, QWidget* parent)
    : WeightSpaceCanvasWindow(std::make_unique<WeightSpaceView>(ws), flow, QStringLiteral("Save picture as a bitmap"),
                              parent),
      ws_(ws), ui_(ui), view_(view())
{
    setWindowTitle(text(msg::kWeightSpaceCaption));
    auto* menuBar = new QMenuBar(this);
    windowLayout()->setMenuBar(menuBar);

    select_ = TextToolButton(this, QStringLiteral("Select a weight vector"), QStringLiteral("+"));
    select_->setCheckable(true);
    limits_ = TextToolButton(this, QStringLiteral("See limitations on the objective functions"), QStringLiteral(">="));
    // Save, +, Fill, Zoom, Redraw, >=, 1-2, 1-2-3.
    toolBar()->insertWidget(1, select_);
    toolBar()->insertWidget(5, limits_);
    limits_->hide();

    picture_ = new WeightSpacePicture(view_, this);
    setPicture(picture_);
    status_ = new QLabel(this);
    status_->setFrameShape(QFrame::StyledPanel);
    status_->setMinimumHeight(status_->sizeHint().height() + 4);
    windowLayout()->addWidget(status_);
    createMenus(menuBar);

    connect(select_, &QToolButton::toggled, this, [this](bool down) {
        picture_->setCursor(down ? Qt::CrossCursor : Qt::ArrowCursor);
    });
    connect(limits_, &QToolButton::clicked, this, &WeightSpaceWindow::showLimitations);
    connect(picture_, &WeightSpacePicture::pointerMoved, this, &WeightSpaceWindow::pointerMoved);
    connect(picture_, &WeightSpacePicture::pointerPressed, this, &WeightSpaceWindow::pointerPressed);
    picture_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(picture_, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { popup_->exec(picture_->mapToGlobal(at)); });
    resize(640, 517);
}

WeightSpaceWindow::~WeightSpaceWindow() = default;

void WeightSpaceWindow::createMenus(QWidget* bar)
{
    auto* menuBar = static_cast<QMenuBar*>(bar);
    QMenu* file = menuBar->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("Save picture..."), this, &WeightSpaceWindow::savePicture);
    file->addAction(QStringLiteral("Copy picture"), this, &WeightSpaceWindow::copyPicture);
    file->addAction(QStringLiteral("Print picture..."), this, &WeightSpaceWindow::printPicture);
    QMenu* viewMenu = menuBar->addMenu(QStringLiteral("&View"));
    popup_ = new QMenu(this);
    // The pop-up repeats the View entries; index 0 is the menu, 1 the pop-up.
    QMenu* menus[2] = {viewMenu, popup_};
    for (int m = 0; m < 2; ++m) {
        QMenu* menu = menus[m];
        menu->addAction(QStringLiteral("Redraw all solutions"), this, [this] {
            view_.RedrawTriangulo();
            refresh();
        });
        menu->addAction(QStringLiteral("Clear all"), this, [this] {
            view_.ClearPicture();
            refresh();
        });
        menu->addSeparator();
        QMenu* ids = menu->addMenu(QStringLiteral("Local identification of solutions"));
        if (m == 0)
            localIds_ = ids->menuAction();
        auto* group = new QActionGroup(ids);
        inWhite_[m] = ids->addAction(QStringLiteral("in white"), this, [this] { setLabels(RegionLabels::InWhite); });
        inBlack_[m] = ids->addAction(QStringLiteral("in black"), this, [this] { setLabels(RegionLabels::InBlack); });
        noIds_[m] = ids->addAction(QStringLiteral("none"), this, [this] { setLabels(RegionLabels::None); });
        for (QAction* a : {inWhite_[m], inBlack_[m], noIds_[m]}) {
            a->setCheckable(true);
            group->addAction(a);
        }
        withArea_[m] = menu->addAction(QStringLiteral("Legend with area"), this, [this](bool on) {
            view_.setLegendWithArea(on);
            refreshEntries();
            refresh();
        });
        withArea_[m]->setCheckable(true);
        menu->addSeparator();
        menu->addAction(QStringLiteral("Show only one solution/region"), this, [this] { showOne(true); });
        menu->addAction(QStringLiteral("Add one solution/region"), this, [this] { showOne(false); });
        menu->addSeparator();
        const char* prefix = m == 0 ? "" : "Show ";
        limitEntries_[m] = menu->addAction(m == 0 ? QStringLiteral("Limitations on O.F.")
                                                  : QStringLiteral("Show Limitations on O.F."),
                                           this, &WeightSpaceWindow::showLimitations);
        nadirEntries_[m] = menu->addAction(m == 0 ? QStringLiteral("Areas to find nadir")
                                                  : QStringLiteral("Show areas to find nadir"),
                                           this, [this] {
                                               view_.drawAllNadirAreas();
                                               refresh();
                                           });
        pairEntries_[m] = menu->addAction(QString::fromLatin1(prefix) + QStringLiteral("Sol. X preferred to Sol. Y"),
                                          this, [this] {
                                              view_.drawPairwise();
                                              refresh();
                                          });
    }
    calculate_ = menuBar->addMenu(QStringLiteral("&Calculate"));
    QAction* limit = calculate_->addAction(QStringLiteral("Area of an o.f. limitation"), this, [this] {
        const QPoint at = dialogPlace();
        flow_.weightSpace().limitationAreaCommand(view_, at.x(), at.y());
        refreshEntries();
        refresh();
    });
    limit->setToolTip(QStringLiteral("Calculate the region of the weight space where a bound on a objective function is satisfied"));
    QAction* nadir = calculate_->addAction(QStringLiteral("Area to find a nadir value"), this, [this] {
        const QPoint at = dialogPlace();
        flow_.weightSpace().nadirAreaCommand(view_, at.x(), at.y());
        regionsChanged();
    });
    nadir->setToolTip(QStringLiteral("Region of the weight space where is the nadir value of a certain objective function"));
    pairwise_ = calculate_->addAction(QStringLiteral("Constr. from pairwise comparison"), this,
                                      &WeightSpaceWindow::pairwiseComparison);
    calculate_->setToolTipsVisible(true);
}

void WeightSpaceWindow::prepare()
{
    if (ws_.numObjectives != 2 && ws_.numObjectives != 3)
        return;
    view_.initialise(true);
    view_.setPatternFill(fillButton()->isChecked());
    const bool three = ws_.numObjectives == 3;
    projection12Button()->setVisible(three);
    projection123Button()->setVisible(three);
    calculate_->menuAction()->setVisible(three);
    limits_->hide();
    status_->clear();
    // The window opens at its usual height; the person may resize it.
    resize(width(), three ? 517 : 250);
    refreshEntries();
    show();
    fitDrawing();
    refresh();
}

void WeightSpaceWindow::regionsChanged()
{
    if (!view_.initialised())
        return;
    view_.drawNewRegions();
    refreshEntries();
    refresh();
}

void WeightSpaceWindow::solutionsDeleted(int first, int last)
{
    if (ws_.numObjectives == 3)
        view_.ClearPairwiseIfDeleted(first, last);
    refreshEntries();
}

void WeightSpaceWindow::drawIcwIteration()
{
    if (!view_.initialised())
        return;
    view_.drawIcwIteration();
    show();
    refresh();
}

void WeightSpaceWindow::redrawAll()
{
    if (!view_.initialised())
        return;
    view_.RedrawTriangulo();
    refresh();
}

void WeightSpaceWindow::refreshEntries()
{
    const RegionLabels labels = view_.labels();
    localIds_->setCheckable(true);
    localIds_->setChecked(labels != RegionLabels::None);
    for (int m = 0; m < 2; ++m) {
        inWhite_[m]->setChecked(labels == RegionLabels::InWhite);
        inBlack_[m]->setChecked(labels == RegionLabels::InBlack);
        noIds_[m]->setChecked(labels == RegionLabels::None);
        withArea_[m]->setChecked(view_.legendWithArea());
        limitEntries_[m]->setEnabled(view_.limitEntriesEnabled);
        nadirEntries_[m]->setEnabled(view_.hasNadirAreas());
        pairEntries_[m]->setEnabled(view_.prefX() != 0);
    }
    limits_->setVisible(view_.limitEntriesEnabled && ws_.numObjectives == 3);
}

void WeightSpaceWindow::setLabels(RegionLabels labels)
{
    view_.setLabels(labels);
    refreshEntries();
    refresh();
}

void WeightSpaceWindow::pointerMoved(QPoint at)
{
    if (!select_->isChecked())
        return;
    const PickedWeights picked = WeightsAtPixel(view_.geometry(), at.x(), at.y());
    status_->setText(picked.status);
    if (picked.inside) {
        for (int k = 1; k <= ws_.numObjectives; ++k)
            ws_.pickedWeights[k] = picked.weights[k];
    } else {
        ws_.pickedWeights[1] = kNotComputed;
    }
}

void WeightSpaceWindow::pointerPressed(QPoint at)
{
    if (!select_->isChecked())
        return;
    pointerMoved(at);
    select_->setChecked(false);
    if (isNotComputed(ws_.pickedWeights[1]))
        return;
    view_.drawPickDot(at);
    refresh();
    flow_.weightSpace().weightSpacePickCommand();
    regionsChanged();
}

void WeightSpaceWindow::copyPicture() { QApplication::clipboard()->setImage(view_.savedPicture()); }

void WeightSpaceWindow::printPicture()
{
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The part worth scrolling over, as large as the page allows.
    const QImage shown = view_.picture().copy(QRect(QPoint(0, 0), view_.scrollExtent()));
    QPainter painter(&printer);
    const QRect page = painter.viewport();
    const QSize size = shown.size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.setViewport(page.x(), page.y(), size.width(), size.height());
    painter.setWindow(shown.rect());
    painter.drawImage(0, 0, shown);
}

void WeightSpaceWindow::showOne(bool clearFirst)
{
    ShowOneCommand(view_, ws_, ui_, clearFirst);
    refresh();
}

void WeightSpaceWindow::showLimitations()
{
    QDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("Limitations on the functions"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(
        QStringLiteral("What areas corresponding to limitations on the objective function values do you want to visualize?"),
        &dialog));
    QCheckBox* objectives[4] = {nullptr, nullptr, nullptr, nullptr};
    for (int k = 1; k <= 3; ++k) {
        objectives[k] = new QCheckBox(ws_.objName[k], &dialog);
        const bool has = !view_.limitAreas[k].empty();
        objectives[k]->setVisible(has);
        objectives[k]->setChecked(has);
        layout->addWidget(objectives[k]);
    }
    auto* borders = new QCheckBox(QStringLiteral("Show borders of sub-areas"), &dialog);
    auto* solutions = new QCheckBox(QStringLiteral("Show solutions"), &dialog);
    solutions->setChecked(showSolutions_);
    layout->addWidget(borders);
    layout->addWidget(solutions);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    FitTitle(&dialog);
    dialog.move(dialogPlace());
    if (dialog.exec() != QDialog::Accepted)
        return;
    showSolutions_ = solutions->isChecked();
    view_.ClearPicture();
    if (showSolutions_)
        for (int sol = 1; sol <= ws_.basketCount; ++sol)
            if (ws_.basket[sol].indRegIndif != 0)
                view_.Actualiza(sol);
    for (int k = 1; k <= 3; ++k)
        if (objectives[k]->isChecked() && !view_.limitAreas[k].empty())
            view_.drawLimitAreas(k, borders->isChecked());
    refresh();
}

void WeightSpaceWindow::pairwiseComparison()
{
    QDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("Pairwise Comparison of solutions"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Solution X is preferred to Solution Y"), &dialog));
    auto* xList = new QComboBox(&dialog);
    auto* yList = new QComboBox(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("What is Solution X (preferred)?"), &dialog));
    layout->addWidget(xList);
    layout->addWidget(new QLabel(QStringLiteral("What is Solution Y ?"), &dialog));
    layout->addWidget(yList);
    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(QDialogButtonBox::Ok);
    buttons->addButton(QDialogButtonBox::Cancel);
    QPushButton* clear = buttons->addButton(QStringLiteral("Clear"), QDialogButtonBox::ResetRole);
    layout->addWidget(buttons);
    enum { kCancel = 0, kOk = 1, kClear = 2 };
    connect(buttons, &QDialogButtonBox::accepted, &dialog, [&dialog] { dialog.done(kOk); });
    connect(buttons, &QDialogButtonBox::rejected, &dialog, [&dialog] { dialog.done(kCancel); });
    connect(clear, &QPushButton::clicked, &dialog, [&dialog] { dialog.done(kClear); });
    const int n = ws_.basketCount;
    for (int i = 1; i <= n; ++i) {
        xList->addItem(QStringLiteral("Sol. %1").arg(i));
        yList->addItem(QStringLiteral("Sol. %1").arg(i));
    }
    xList->setCurrentIndex(-1);
    yList->setCurrentIndex(-1);
    FitTitle(&dialog);
    dialog.move(dialogPlace());
    for (;;) {
        const int result = dialog.exec();
        if (result == kCancel)
            return;
        if (result == kClear) {
            view_.clearPairwise();
            view_.RedrawTriangulo();
            break;
        }
        const int x = xList->currentIndex() + 1;
        const int y = yList->currentIndex() + 1;
        if (x >= 1 && x <= n && y >= 1 && y <= n && x != y) {
            view_.setPairwise(x, y);
            view_.drawPairwise();
            break;
        }
    }
    refreshEntries();
    refresh();
}
