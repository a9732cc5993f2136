#pragma once

#include "weightspace/WeightSpaceCanvas.h"

class WeightSpaceView;

// The weight space of the contracted cone of an ICW iteration: the triangle
// (three objectives) or strip (two) whose corners are the cone's generators,
// so a point (m1, m2) gives the weight of each generator. On it go the
// regions icwRegions of the iteration's solutions, one legend entry per
// distinct basket solution in the column at x = side + 60, and the dots of
// the weight vectors. The same canvas as the weight space view, with a state
// of its own.
class ContractedConeView : public WeightSpaceCanvas {
public:
    explicit ContractedConeView(const Workspace& ws);

    // The look the weight space view has now: its fill and projection, and
    // whether and how it numbers its regions.
    void followLook(const WeightSpaceView& view);

    // Solution numbers inside the regions, white (unless patterned) or black.
    bool coneLabels() const { return coneLabels_; }
    void setLabelMarks(bool coneLabels, bool inWhite);

    // Clears the picture and draws the frame, every icwRegions[j] in the
    // colour of its solution, the legend and, while ICW runs, the dots of
    // the weight vectors: they belong to the picture, so a zoom, a new fill
    // or projection or "Redraw all" keeps them.
    void RedrawTriangulo() override;
    // Whether RedrawTriangulo draws the dots (on unless switched off).
    void setWeightDots(bool on) { weightDots_ = on; }
    // A dot at each of the 2p + 1 weight vectors.
    void drawWeightDots();

    // After an ICW iteration from the second on: at the second iteration
    // (or when never drawn before) a first-time initialisation that takes the
    // weight space view's look; then its label marks, the regions, the
    // legend and the dots. True when it was the first time.
    bool drawIteration(const WeightSpaceView& view);

    // Where the legend column starts and how wide it is.
    int legendX() const { return geometry_.side() + 60; }
    static constexpr int kLegendWidth = 50;

private:
    void startAfresh(int) override {}
    void prepare(int objectives) override;
    void drawStripLabels(QPainter& p) override;
    int legendRoom() const override { return legendX() - geometry_.side() + kLegendWidth; }
    // Fill of the region of basket solution b, by its first region in the
    // weight space view's list (index 0 when it has none).
    RegionFill solutionFill(int b) const;
    int distinctSolutions() const;
    // The picture grows (white) to hold `rows` legend rows.
    void makeRoomForLegend(int rows);

    const Workspace& ws_;
    bool coneLabels_ = true;
    bool inWhite_ = true;
    bool weightDots_ = true;
};
