#include "weightspace/WeightSpaceCanvas.h"

#include "solutions/PictureFile.h"
#include "workspace/Workspace.h"

#include <QPainter>

#include <algorithm>

namespace {

// White kept around the drawing in a saved picture.
constexpr int kSavedMargin = 8;
// Room under the triangle for the corner labels.
constexpr int kBelowDrawing = 19;
constexpr int kFitStep = 50;

} // namespace

WeightSpaceCanvas::WeightSpaceCanvas(const Workspace& ws) : canvasWs_(ws) {}

void WeightSpaceCanvas::initialise(bool primVez)
{
    if (canvasWs_.numObjectives == 3)
        Inic_Triangulo(primVez);
    else if (canvasWs_.numObjectives == 2)
        Inic_Rectangulo(primVez);
}

void WeightSpaceCanvas::Inic_Triangulo(bool primVez)
{
    if (primVez) {
        geometry_.zoomFactor = 1.0;
        startAfresh(3);
    }
    resetLook();
    prepare(3);
}

void WeightSpaceCanvas::Inic_Rectangulo(bool primVez)
{
    if (primVez) {
        geometry_.zoomFactor = 1.0;
        startAfresh(2);
    }
    resetLook();
    prepare(2);
}

void WeightSpaceCanvas::freshPicture(QSize needed)
{
    picture_ = QImage(picture_.size().expandedTo(needed), QImage::Format_RGB32);
    picture_.fill(QColor(255, 255, 255));
    DrawFrame();
}

void WeightSpaceCanvas::DrawFrame()
{
    if (!initialised())
        return;
    QPainter p(&picture_);
    p.setFont(WeightSpaceFont());
    DrawFrameBorder(p, geometry_);
    if (geometry_.objectives == 3)
        DrawTriangleLabels(p, geometry_, labelWidth_);
    else
        drawStripLabels(p);
}

void WeightSpaceCanvas::setProjection(WeightProjection projection)
{
    geometry_.projection = projection;
    RedrawTriangulo();
}

void WeightSpaceCanvas::setPatternFill(bool on)
{
    patternFill_ = on;
    RedrawTriangulo();
}

bool WeightSpaceCanvas::setZoomFactor(double factor)
{
    if (factor == geometry_.zoomFactor)
        return false;
    geometry_.zoomFactor = factor;
    initialise(false);
    RedrawTriangulo();
    return true;
}

bool WeightSpaceCanvas::fitTo(QSize room)
{
    if (!initialised() || room.isEmpty())
        return false;
    const int left = WeightSpaceGeometry::kLeftMargin;
    int base = room.width() - left - legendRoom();
    if (geometry_.objectives == 3)
        base = std::min(base, room.height() - geometry_.topMargin() - kBelowDrawing);
    // In steps of 50 pixels: weights with one decimal stay on whole pixels,
    // and dragging a window's edge redraws only now and then.
    base = std::max(base / kFitStep * kFitStep, WeightSpaceGeometry::kDefaultBaseSide);
    if (base == geometry_.baseSide)
        return false;
    geometry_.baseSide = base;
    // Laid out afresh for the new size, keeping the options a zoom resets.
    prepare(geometry_.objectives);
    RedrawTriangulo();
    return true;
}

void WeightSpaceCanvas::desenhaPontinho(const vectorObj& weights)
{
    if (!initialised())
        return;
    DrawWeightDot(picture_, geometry_, weights, patternFill_);
}

QImage WeightSpaceCanvas::savedPicture() const
{
    // The drawing keeps its own small margins at the top and left, so that
    // a point of the saved picture is where it is on the canvas; the empty
    // canvas right of the legend and under the drawing is cut away.
    const QRect content = ContentRect(picture_, QColor(255, 255, 255), kSavedMargin);
    return picture_.copy(QRect(QPoint(0, 0), content.bottomRight()));
}

bool WeightSpaceCanvas::savePicture(const QString& path, QString& error) const
{
    return SavePicture(savedPicture(), path, error);
}
