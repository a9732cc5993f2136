#pragma once

#include "weightspace/WeightSpaceGeometry.h"
#include "weightspace/WeightSpacePainting.h"

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

#include <array>
#include <vector>

// The weight space picture: the triangle (three objectives) or the strip
// (two) with the indifference regions of the stored solutions in their
// colours, a legend of solution numbers and areas, and the marks that
// commands add (limitation and nadir areas, the pairwise constraint, picked
// weights). The picture is a persistent canvas on a QImage: commands draw
// onto it and only ClearPicture, RedrawTriangulo and the initialisation
// wipe it. Drawing needs a QGuiApplication for the fonts.
//
// Holds a reference to the workspace, which must outlive it.
class WeightSpaceView {
public:
    explicit WeightSpaceView(Workspace& ws);

    // First-time (primVez) or after a zoom change: the geometry for the
    // problem's objectives, a fresh white picture and the frame. First time
    // also resets the zoom, the picked weights and the pairwise pair and
    // withdraws the limitation-area entries. Does nothing unless the
    // problem has two or three objectives; first time also empties the
    // limitation and nadir areas. Inic_Triangulo / Inic_Rectangulo
    // are the three- and two-objective halves.
    void initialise(bool primVez);
    void Inic_Triangulo(bool primVez);
    void Inic_Rectangulo(bool primVez);
    bool initialised() const { return geometry_.objectives == 2 || geometry_.objectives == 3; }

    const WeightSpaceGeometry& geometry() const { return geometry_; }
    const QImage& picture() const { return picture_; }
    // The part of the picture worth scrolling over.
    QSize scrollExtent() const { return extent_; }

    // Options; each setter redraws (RedrawTriangulo) when it changes the look.
    void setProjection(WeightProjection projection);
    bool patternFill() const { return patternFill_; }
    void setPatternFill(bool on);
    RegionLabels labels() const { return labels_; }
    void setLabels(RegionLabels labels);
    bool legendWithArea() const { return legendWithArea_; }
    void setLegendWithArea(bool on);
    double zoomFactor() const { return geometry_.zoomFactor; }
    // A new factor: initialise(false) and RedrawTriangulo; false when unchanged.
    bool setZoomFactor(double factor);

    // Drawing.
    void DrawFrame();
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
    void RedrawTriangulo();
    // The contracted weight space of an interval-weights iteration, grey.
    void MostraEspacoPequeno(const UmaRegIndif& space);
    void desenhaPontinho(const vectorObj& weights);
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

    // Writes the whole picture: PNG when the name ends in ".png", else a
    // Windows bitmap. A failed write keeps the old file; false with `error`.
    bool savePicture(const QString& path, QString& error) const;

private:
    void prepare(int objectives);
    void clearAreas();
    void drawLegendEntry(int sol, int r, int ordinal);
    void drawChainRegion(int sol, int r, int ordinal, bool withLegend);
    // The regions of one chain, with or without their legend entries,
    // without the frame.
    void drawChain(int sol, bool withLegend = true);
    bool showsContractedCone() const;

    Workspace& ws_;
    WeightSpaceGeometry geometry_{0, 1.0, WeightProjection::RightTriangle};
    QImage picture_;
    QSize extent_;
    bool patternFill_ = false;
    RegionLabels labels_ = RegionLabels::InWhite;
    bool legendWithArea_ = false;
    int labelWidth_ = 0;
    int w99_ = 0;
    int prefX_ = 0;
    int prefY_ = 0;
    PairwiseLine prefLine_;
    // Regions and basket size at the last full drawing.
    int drawnRegions_ = 0;
    int drawnBasket_ = 0;
};
