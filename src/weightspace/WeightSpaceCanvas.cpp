#include "weightspace/WeightSpaceCanvas.h"

#include "solutions/PictureFile.h"
#include "workspace/Workspace.h"

#include <QPainter>

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
    prepare(3);
}

void WeightSpaceCanvas::Inic_Rectangulo(bool primVez)
{
    if (primVez) {
        geometry_.zoomFactor = 1.0;
        startAfresh(2);
    }
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

void WeightSpaceCanvas::desenhaPontinho(const vectorObj& weights)
{
    if (!initialised())
        return;
    DrawWeightDot(picture_, geometry_, weights, patternFill_);
}

bool WeightSpaceCanvas::savePicture(const QString& path, QString& error) const
{
    return SavePicture(picture_, path, error);
}
