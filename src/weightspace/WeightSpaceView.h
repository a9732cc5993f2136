#pragma once

#include "weightspace/WeightSpaceCanvas.h"

#include <QColor>

#include <array>
#include <vector>

// The weight space picture: the triangle (three objectives) or the strip
// (two) with the indifference regions of the stored solutions in their
// colours, a legend of solution numbers and areas, and the marks that
// commands add (limitation and nadir areas, the pairwise constraint, picked
// weights). Commands draw onto the canvas and only ClearPicture,
// RedrawTriangulo and the initialisation wipe it. The first-time
// initialisation also resets the picked weights and the pairwise pair,
// withdraws the limitation-area entries and empties the limitation and
// nadir areas.
//
// Holds a reference to the workspace, which must outlive it.
class WeightSpaceView : public WeightSpaceCanvas {
public:
    explicit WeightSpaceView(Workspace& ws);

    // Options; each setter redraws (RedrawTriangulo) when it changes the look.
    RegionLabels labels() const { return labels_; }
    void setLabels(RegionLabels labels);
    bool legendWithArea() const { return legendWithArea_; }
    void setLegendWithArea(bool on);

    // Drawing.
    void DrawRegionPolygon(const UmaRegIndif& polygon, RegionFill fill, int label, QColor pen, OutlineStyle penStyle,
                           QColor brush);
    // Every region of basket solution indiceSB with its legend entries, then
    // the frame again.
    void Actualiza(int indiceSB);
    // Only the k-th region of the chain of indiceSB; false when there is none.
    bool ActualizaRegion(int indiceSB, int k);
    void ClearPicture();
    // Every region with its legend; while an ICW iteration after the first
    // is shown, also the contracted cone in grey (under the regions when
    // they are patterned, over them when solid).
    void RedrawTriangulo() override;
    // The contracted weight space of an interval-weights iteration, grey.
    void MostraEspacoPequeno(const UmaRegIndif& space);
    // The ICW iteration just computed: at the first, the regions of its
    // solutions over what is there and a dot at each weight vector; later
    // a full redraw with the contracted cone (the weight vectors are then
    // relative to the cone, so their dots belong to the cone's own view).
    void drawIcwIteration();
    // The small black dot of a picked weight at pixel `at`.
    void drawPickDot(QPoint at);
    // Draws the regions stored since the last full drawing (their
    // solutions' chains); a full RedrawTriangulo when the basket shrank.
    void drawNewRegions();

    // Fill of region r (its index in the region list).
    RegionFill regionFill(int r) const;

    // Limitation areas of objectives 1..3: polygons and their bounds.
    std::array<std::vector<UmaRegIndif>, 4> limitAreas;
    std::array<Real, 4> limitAreaValue{};
    bool limitEntriesEnabled = false;
    void drawLimitAreas(int k, bool borders);
    // Nadir areas of objectives 1..3.
    std::array<std::vector<UmaRegIndif>, 4> nadirAreas;
    bool hasNadirAreas() const;
    void drawNadirAreas(int k);
    void drawAllNadirAreas();

    // The pairwise preference "X preferred to Y"; prefX = 0 means none.
    int prefX() const { return prefX_; }
    int prefY() const { return prefY_; }
    const PairwiseLine& prefLine() const { return prefLine_; }
    void setPairwise(int x, int y);
    void clearPairwise() { prefX_ = 0; }
    void drawPairwise();
    // True when the pair was dropped.
    bool ClearPairwiseIfDeleted(int first, int last);

private:
    void startAfresh(int objectives) override;
    void resetLook() override;
    void prepare(int objectives) override;
    void drawStripLabels(QPainter& p) override;
    int legendRoom() const override;
    void clearAreas();
    void drawLegendEntry(int sol, int r, int ordinal);
    void drawChainRegion(int sol, int r, int ordinal, bool withLegend);
    // The regions of one chain, with or without their legend entries,
    // without the frame.
    void drawChain(int sol, bool withLegend = true);
    bool showsContractedCone() const;

    Workspace& ws_;
    RegionLabels labels_ = RegionLabels::InWhite;
    bool legendWithArea_ = false;
    int w99_ = 0;
    int prefX_ = 0;
    int prefY_ = 0;
    PairwiseLine prefLine_;
    // Regions and basket size at the last full drawing.
    int drawnRegions_ = 0;
    int drawnBasket_ = 0;
};
