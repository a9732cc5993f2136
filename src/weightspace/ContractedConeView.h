#pragma once

#include "weightspace/WeightSpaceGeometry.h"
#include "weightspace/WeightSpacePainting.h"

#include <QImage>
#include <QSize>
#include <QString>

class WeightSpaceView;

// The weight space of the contracted cone of an ICW iteration: the triangle
// (three objectives) or strip (two) whose corners are the cone's generators,
// so a point (m1, m2) gives the weight of each generator. On it go the
// regions icwRegions of the iteration's solutions, one legend entry per
// distinct basket solution in the column at x = side + 60, and the dots of
// the weight vectors. Same geometry, zoom factors and polygon drawing as the
// weight space view, with a state of its own.
//
// Reads the workspace, which must outlive it. Drawing needs a
// QGuiApplication for the fonts.
class ContractedConeView {
public:
    explicit ContractedConeView(const Workspace& ws);

    // First time (primVez: zoom back to 100 %) or after a zoom change: the
    // geometry for the problem's objectives, a white picture with the frame.
    // Does nothing unless the problem has two or three objectives.
    void initialise(bool primVez);
    void Inic_Triangulo(bool primVez);
    void Inic_Rectangulo(bool primVez);
    bool initialised() const { return geometry_.objectives == 2 || geometry_.objectives == 3; }

    // The look the weight space view has now: its fill and projection, and
    // whether and how it numbers its regions.
    void followLook(const WeightSpaceView& view);

    const WeightSpaceGeometry& geometry() const { return geometry_; }
    const QImage& picture() const { return picture_; }
    // The part of the picture worth scrolling over: the frame and the legend.
    QSize scrollExtent() const { return extent_; }

    // Options; those that change the look redraw (RedrawTriangulo).
    bool coneFill() const { return coneFill_; }
    void setConeFill(bool on);
    void setProjection(WeightProjection projection);
    // Solution numbers inside the regions, white (unless patterned) or black.
    bool coneLabels() const { return coneLabels_; }
    void setLabelMarks(bool coneLabels, bool inWhite);
    double zoomFactor() const { return geometry_.zoomFactor; }
    // A new factor: initialise(false) and RedrawTriangulo; false when unchanged.
    bool setZoomFactor(double factor);

    // Clears the picture and draws the frame, every icwRegions[j] in the
    // colour of its solution, the legend and, while ICW runs, the dots of
    // the weight vectors: they belong to the picture, so a zoom, a new fill
    // or projection or "Redraw all" keeps them.
    void RedrawTriangulo();
    // Whether RedrawTriangulo draws the dots (on unless switched off).
    void setWeightDots(bool on) { weightDots_ = on; }
    void desenhaPontinho(const vectorObj& weights);
    // A dot at each of the 2p + 1 weight vectors.
    void drawWeightDots();

    // After an ICW iteration from the second on: at the second iteration
    // (or when never drawn before) a first-time initialisation that takes the
    // weight space view's look; then its label marks, the regions, the
    // legend and the dots. True when it was the first time.
    bool drawIteration(const WeightSpaceView& view);

    // Writes the whole picture: PNG when the name ends in ".png", else a
    // Windows bitmap. A failed write keeps the old file; false with `error`.
    bool savePicture(const QString& path, QString& error) const;

    // Where the legend column starts and how wide it is.
    int legendX() const { return geometry_.side() + 60; }
    static constexpr int kLegendWidth = 50;

private:
    void prepare(int objectives);
    void DrawFrame();
    // Fill of the region of basket solution b, by its first region in the
    // weight space view's list (index 0 when it has none).
    RegionFill solutionFill(int b) const;
    int distinctSolutions() const;
    // The picture grows (white) to hold `rows` legend rows.
    void makeRoomForLegend(int rows);

    const Workspace& ws_;
    WeightSpaceGeometry geometry_{0, 1.0, WeightProjection::RightTriangle};
    QImage picture_;
    QSize extent_;
    bool coneFill_ = false;
    bool coneLabels_ = true;
    bool inWhite_ = true;
    bool weightDots_ = true;
    int labelWidth_ = 0;
};
