#pragma once

#include "weightspace/WeightSpaceGeometry.h"
#include "weightspace/WeightSpacePainting.h"

#include <QImage>
#include <QSize>
#include <QString>

class QPainter;
struct Workspace;

// What the weight space view and the contracted cone's view have in common:
// the geometry with its zoom and projection, the picture (a persistent
// canvas on a QImage) with its frame, the fill, the part worth scrolling
// over, and the writing of the picture to a file. Each view sets up its own
// state and sizes, labels the strip's ends and draws its regions.
//
// Reads the workspace, which must outlive it. Drawing needs a
// QGuiApplication for the fonts.
class WeightSpaceCanvas {
public:
    virtual ~WeightSpaceCanvas() = default;

    // First time (primVez: zoom back to 100 % and whatever else the view
    // starts afresh) or after a zoom change: the geometry for the problem's
    // objectives, a fresh white picture and the frame. Does nothing unless
    // the problem has two or three objectives. Inic_Triangulo /
    // Inic_Rectangulo are the three- and two-objective halves.
    void initialise(bool primVez);
    void Inic_Triangulo(bool primVez);
    void Inic_Rectangulo(bool primVez);
    bool initialised() const { return geometry_.objectives == 2 || geometry_.objectives == 3; }

    const WeightSpaceGeometry& geometry() const { return geometry_; }
    const QImage& picture() const { return picture_; }
    // The part of the picture worth scrolling over.
    QSize scrollExtent() const { return extent_; }

    // Options that change the look; each redraws (RedrawTriangulo).
    void setProjection(WeightProjection projection);
    // Regions filled with patterns rather than solid.
    bool patternFill() const { return patternFill_; }
    void setPatternFill(bool on);
    double zoomFactor() const { return geometry_.zoomFactor; }
    // A new factor: initialise(false) and RedrawTriangulo; false when unchanged.
    bool setZoomFactor(double factor);
    // The size at 100 % that fills `room` (a window's picture area) with
    // the drawing and its legend, in steps of 50 pixels and never below the
    // default 350 pixels a side; the zoom multiplies it. initialise(false) and RedrawTriangulo
    // when it changed; false when unchanged.
    bool fitTo(QSize room);

    // Everything drawn again from the workspace.
    virtual void RedrawTriangulo() = 0;
    // The border and the corner labels.
    void DrawFrame();
    // The dot of a weight vector.
    void desenhaPontinho(const vectorObj& weights);

    // The picture as it is saved: the drawing and its legend without the
    // empty canvas right of and under them (a small white margin is kept).
    QImage savedPicture() const;
    // Writes savedPicture(): PNG when the name ends in ".png", else a
    // Windows bitmap. A failed write keeps the old file; false with `error`.
    bool savePicture(const QString& path, QString& error) const;

protected:
    explicit WeightSpaceCanvas(const Workspace& ws);

    // First time only, after the zoom went back to 100 %.
    virtual void startAfresh(int objectives) = 0;
    // Options that every initialisation sets back.
    virtual void resetLook() {}
    // Sets geometry_.objectives, labelWidth_ and the sizes, then
    // freshPicture; the view's own state with them.
    virtual void prepare(int objectives) = 0;
    // The labels at the two ends of the strip (two objectives).
    virtual void drawStripLabels(QPainter& p) = 0;
    // Width the legend takes right of the drawing's side.
    virtual int legendRoom() const = 0;

    // A white picture at least `needed` large (never smaller than before,
    // so the legend keeps its room), with the frame.
    void freshPicture(QSize needed);

    WeightSpaceGeometry geometry_{0, 1.0, WeightProjection::RightTriangle};
    QImage picture_;
    QSize extent_;
    bool patternFill_ = false;
    int labelWidth_ = 0;

private:
    const Workspace& canvasWs_;
};
