#include "weightspace/ui/WeightSpaceCanvasWindow.h"

#include "flow/Session.h"
#include "solutions/ui/GridFitting.h"
#include "weightspace/ui/PictureWidget.h"

#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

double AskZoomFactor(QWidget* parent, QPoint at, double current)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("View weight space"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* box = new QGroupBox(QStringLiteral("Zoom:"), &dialog);
    auto* boxLayout = new QVBoxLayout(box);
    QButtonGroup group(&dialog);
    const char* names[] = {"100%", "150%", "200%", "300%"};
    for (int i = 0; i < 4; ++i) {
        auto* radio = new QRadioButton(QString::fromLatin1(names[i]), box);
        radio->setChecked(kZoomFactors[i] == current);
        group.addButton(radio, i);
        boxLayout->addWidget(radio);
    }
    layout->addWidget(box);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    FitTitle(&dialog);
    dialog.move(at);
    if (dialog.exec() != QDialog::Accepted || group.checkedId() < 0)
        return -1;
    return kZoomFactors[group.checkedId()];
}

WeightSpaceCanvasWindow::WeightSpaceCanvasWindow(std::unique_ptr<WeightSpaceCanvas> canvas, Session& flow,
                                                 const QString& saveHint, QWidget* parent)
    : QWidget(parent), flow_(flow), canvas_(std::move(canvas)), layout_(new QVBoxLayout(this))
{
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);

    auto* bar = new QWidget(this);
    toolBar_ = new QHBoxLayout(bar);
    toolBar_->setContentsMargins(2, 2, 2, 2);
    save_ = TextToolButton(this, saveHint, QStringLiteral("Save"));
    fill_ = TextToolButton(this, QStringLiteral("Fill solutions: pattern <-> Solid"), QStringLiteral("Fill"));
    fill_->setCheckable(true);
    zoom_ = TextToolButton(this, QStringLiteral("Zoom"), QStringLiteral("Zoom"));
    redraw_ = TextToolButton(this, QStringLiteral("Redraw all"), QStringLiteral("Redraw"));
    proj12_ = TextToolButton(this, QStringLiteral("Weight Space projection 1-2"), QStringLiteral("1-2"));
    proj123_ = TextToolButton(this, QStringLiteral("Weight Space 1-2-3"), QStringLiteral("1-2-3"));
    proj12_->setCheckable(true);
    proj123_->setCheckable(true);
    proj12_->setChecked(true);
    proj12_->setAutoExclusive(true);
    proj123_->setAutoExclusive(true);
    for (QToolButton* b : {save_, fill_, zoom_, redraw_, proj12_, proj123_})
        toolBar_->addWidget(b);
    toolBar_->addStretch(1);
    layout_->addWidget(bar);

    area_ = new QScrollArea(this);
    // White around the picture whatever the desktop's palette.
    QPalette white = area_->palette();
    white.setColor(QPalette::Base, Qt::white);
    area_->setPalette(white);
    area_->setBackgroundRole(QPalette::Base);
    layout_->addWidget(area_, 1);

    connect(save_, &QToolButton::clicked, this, &WeightSpaceCanvasWindow::savePicture);
    connect(fill_, &QToolButton::toggled, this, [this](bool on) {
        if (updatingUi_)
            return;
        canvas_->setPatternFill(on);
        refresh();
    });
    connect(zoom_, &QToolButton::clicked, this, &WeightSpaceCanvasWindow::zoom);
    connect(redraw_, &QToolButton::clicked, this, [this] {
        canvas_->RedrawTriangulo();
        refresh();
    });
    const auto projection = [this](WeightProjection which) {
        return [this, which](bool on) {
            if (!on || updatingUi_)
                return;
            canvas_->setProjection(which);
            refresh();
        };
    };
    connect(proj12_, &QToolButton::toggled, this, projection(WeightProjection::RightTriangle));
    connect(proj123_, &QToolButton::toggled, this, projection(WeightProjection::Equilateral));
    // The window appears beside the main window without taking the
    // keyboard from it.
    setAttribute(Qt::WA_ShowWithoutActivating);
}

WeightSpaceCanvasWindow::~WeightSpaceCanvasWindow() = default;

void WeightSpaceCanvasWindow::setPicture(PictureWidget* picture)
{
    picture_ = picture;
    area_->setWidget(picture);
}

QPoint WeightSpaceCanvasWindow::dialogPlace() const { return frameGeometry().topLeft() + QPoint(100, 50); }

void WeightSpaceCanvasWindow::zoom()
{
    if (!canvas_->initialised())
        return;
    const double factor = AskZoomFactor(this, dialogPlace(), canvas_->zoomFactor());
    if (factor > 0 && canvas_->setZoomFactor(factor)) {
        zoomChanged();
        refresh();
        area_->horizontalScrollBar()->setValue(0);
        area_->verticalScrollBar()->setValue(0);
    }
}

void WeightSpaceCanvasWindow::savePicture()
{
    if (canvas_->initialised())
        flow_.weightSpace().saveWeightSpacePicture(*canvas_);
}

void WeightSpaceCanvasWindow::refresh()
{
    if (picture_)
        picture_->refresh(area_->viewport()->size());
}

void WeightSpaceCanvasWindow::fitDrawing()
{
    // The room without scroll bars: a zoomed drawing that scrolls keeps the
    // size it has at 100 %.
    if (canvas_->fitTo(area_->maximumViewportSize()))
        zoomChanged();
}

void WeightSpaceCanvasWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fitDrawing();
    refresh();
}
