#include "weightspace/WeightSpaceView.h"

#include "base/NumberFormat.h"
#include "base/Numeric.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>

namespace {

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kAreaOutline(0x80, 0x80, 0x80);
const QColor kContractedGrey(0xC0, 0xC0, 0xC0);
const QColor kNadirFill(0xE9, 0xE9, 0xE9);
const QColor kNadirOutline(0xC0, 0xC0, 0xC0);
// Fills and colours of the limitation areas of objectives 1..3.
const RegionFill kLimitFill[4] = {RegionFill::Solid, RegionFill::BackDiagonal, RegionFill::ForwardDiagonal,
                                  RegionFill::Vertical};
const QColor kLimitBrush[4] = {QColor(), QColor(0xEE, 0x94, 0x51), QColor(0xA4, 0xA4, 0xFF),
                               QColor(0x53, 0xA6, 0xA6)};
// The corner of objective k in the weight plane.
const XY kObjectiveCorner[4] = {{0, 0}, {1, 0}, {0, 1}, {0, 0}};

constexpr int kLegendRowHeight = 12;
constexpr int kLegendColumn = 35;
// Regions the legend has room for before it runs off the picture.
constexpr int kLegendCapacity = 300;

} // namespace

WeightSpaceView::WeightSpaceView(Workspace& ws) : WeightSpaceCanvas(ws), ws_(ws) {}

void WeightSpaceView::startAfresh(int objectives)
{
    ws_.pickedWeights[1] = kNotComputed;
    if (objectives == 3) {
        limitEntriesEnabled = false;
        prefX_ = 0;
    }
    clearAreas();
}

void WeightSpaceView::clearAreas()
{
    // Areas of another problem (or of the same problem before it changed)
    // would be drawn over regions they have nothing to do with.
    for (int k = 1; k <= 3; ++k) {
        limitAreas[k].clear();
        nadirAreas[k].clear();
    }
}

void WeightSpaceView::resetLook()
{
    if (labels_ == RegionLabels::None)
        labels_ = RegionLabels::InWhite;
    legendWithArea_ = false;
}

void WeightSpaceView::prepare(int objectives)
{
    geometry_.objectives = objectives;
    const QFont font = WeightSpaceFont();
    w99_ = TextWidth(font, QStringLiteral(" (99.9 %)"));
    labelWidth_ = TextWidth(font, objectives == 3 ? LambdaText("1") : LambdaText("1=1"));
    const int side = geometry_.side();
    const int rows = geometry_.legendRows();
    const QSize needed((w99_ + kLegendColumn) * (kLegendCapacity / rows + 1) + side + 25,
                       geometry_.topMargin() + side + 19);
    freshPicture(needed);
    extent_ = QSize(side + 60, geometry_.topMargin() + geometry_.spaceHeight() + 19);
    drawnRegions_ = ws_.regionCount;
    drawnBasket_ = ws_.basketCount;
}

int WeightSpaceView::legendRoom() const
{
    // One legend column, as wide as the areas make it.
    return 25 + kLegendColumn + (legendWithArea_ ? w99_ : 0) + kLegendRowHeight;
}

void WeightSpaceView::drawStripLabels(QPainter& p)
{
    const WeightSpaceGeometry& g = geometry_;
    const QPoint a = g.WeightToPixel(0, 0);
    const QPoint b = g.WeightToPixel(1, 0);
    const QString l20 = QStringLiteral("(") + LambdaText("2=0)");
    DrawTextAt(p, 10, a.y() + 5, LambdaText("2=1"));
    DrawTextAt(p, 8, a.y() + 18, QStringLiteral("(") + LambdaText("1=0)"));
    DrawTextAt(p, b.x() - labelWidth_ + 3, b.y() + 5, LambdaText("1=1"));
    DrawTextAt(p, b.x() - TextWidth(WeightSpaceFont(), l20) + 5, b.y() + 18, l20);
}

void WeightSpaceView::DrawRegionPolygon(const UmaRegIndif& polygon, RegionFill fill, int label, QColor pen,
                                        OutlineStyle penStyle, QColor brush)
{
    if (!initialised())
        return;
    const QPolygon points = RegionPixels(geometry_, polygon);
    if (points.isEmpty())
        return;
    DrawPixelPolygon(picture_, points, fill, pen, penStyle, brush);
    if (label < 1 || labels_ == RegionLabels::None)
        return;
    DrawRegionNumber(picture_, points, label, patternFill_, labels_ == RegionLabels::InWhite);
}

RegionFill WeightSpaceView::regionFill(int r) const { return patternFill_ ? PatternFill(r) : RegionFill::Solid; }

void WeightSpaceView::drawChainRegion(int sol, int r, int ordinal, bool withLegend)
{
    const QColor colour = ToQColor(ws_.basket[sol].cor);
    DrawRegionPolygon(ws_.regions[r].Regiao, regionFill(r), sol, kBlack, OutlineStyle::Solid, colour);
    if (withLegend)
        drawLegendEntry(sol, r, ordinal);
}

void WeightSpaceView::drawLegendEntry(int sol, int r, int ordinal)
{
    const int rows = geometry_.legendRows();
    const int e = (r - 1) / rows;
    const int q = (r - 1) % rows + 1;
    const int cw = kLegendColumn + (legendWithArea_ ? w99_ : 0);
    const int x0 = geometry_.side() + 25 + e * cw;
    const int y0 = kLegendRowHeight * (q - 1) + 1;
    if (q == 1 && e > 0)
        extent_.rwidth() += cw;
    QPainter p(&picture_);
    DrawLegendSwatch(p, x0, y0, ToQColor(ws_.basket[sol].cor), regionFill(r));
    p.setFont(WeightSpaceFont());
    DrawTextAt(p, x0 + 13, y0, LegendText(sol, ordinal, legendWithArea_, ws_.regions[r].AreaPolig));
    if (geometry_.objectives == 2 && extent_.height() < y0 + kLegendRowHeight)
        extent_.setHeight(y0 + 15);
}

void WeightSpaceView::Actualiza(int indiceSB)
{
    if (!initialised() || indiceSB < 1 || indiceSB > ws_.basketCount)
        return;
    drawChain(indiceSB);
    DrawFrame();
}

void WeightSpaceView::drawChain(int sol, bool withLegend)
{
    int r = ws_.basket[sol].indRegIndif;
    for (int i = 1; r != 0 && i <= ws_.regionCount; ++i, r = ws_.regions[r].IndiceProx)
        drawChainRegion(sol, r, i, withLegend);
}

bool WeightSpaceView::ActualizaRegion(int indiceSB, int k)
{
    if (!initialised() || indiceSB < 1 || indiceSB > ws_.basketCount || k < 1)
        return false;
    int r = ws_.basket[indiceSB].indRegIndif;
    for (int i = 1; r != 0 && i < k && i <= ws_.regionCount; ++i)
        r = ws_.regions[r].IndiceProx;
    if (r == 0)
        return false;
    drawChainRegion(indiceSB, r, k, true);
    DrawFrame();
    return true;
}

void WeightSpaceView::ClearPicture()
{
    if (!initialised())
        return;
    picture_.fill(kWhite);
    DrawFrame();
}

void WeightSpaceView::RedrawTriangulo()
{
    if (!initialised())
        return;
    ClearPicture();
    // The frame goes on top once at the end: drawing it after every chain,
    // as a single Actualiza does, ends in the same picture at many times
    // the cost.
    for (int sol = 1; sol <= ws_.basketCount; ++sol)
        if (ws_.basket[sol].indRegIndif != 0)
            drawChain(sol);
    if (showsContractedCone()) {
        MostraEspacoPequeno(ws_.contractedSpace);
        // Patterned regions go over the solid grey so that they stay
        // readable; their legend entries are already there.
        if (patternFill_)
            for (int sol = 1; sol <= ws_.basketCount; ++sol)
                if (ws_.basket[sol].indRegIndif != 0)
                    drawChain(sol, false);
    }
    DrawFrame();
    drawnRegions_ = ws_.regionCount;
    drawnBasket_ = ws_.basketCount;
}

bool WeightSpaceView::showsContractedCone() const
{
    return ws_.activeMethod == MethodKind::Icw && ws_.methodIteration > 1 && ws_.contractedSpace.Numvertices > 0;
}

void WeightSpaceView::drawIcwIteration()
{
    if (!initialised())
        return;
    if (ws_.methodIteration > 1) {
        RedrawTriangulo();
        return;
    }
    if (ws_.basketCount < drawnBasket_ || ws_.regionCount < drawnRegions_)
        RedrawTriangulo();
    const int count = std::min<int>(ws_.icwCount, static_cast<int>(ws_.icwSolutions.size()) - 1);
    for (int i = 1; i <= count; ++i) {
        const int sol = ws_.icwSolutions[static_cast<std::size_t>(i)];
        if (sol >= 1 && sol <= ws_.basketCount && ws_.basket[sol].indRegIndif != 0)
            Actualiza(sol);
    }
    for (int i = 1; i <= 2 * ws_.numObjectives + 1 && i <= MaxIcwVectors; ++i)
        desenhaPontinho(ws_.icwWeights[i]);
    drawnRegions_ = ws_.regionCount;
    drawnBasket_ = ws_.basketCount;
}

void WeightSpaceView::drawNewRegions()
{
    if (!initialised())
        return;
    if (ws_.basketCount < drawnBasket_ || ws_.regionCount < drawnRegions_) {
        RedrawTriangulo();
        return;
    }
    // Only chains that gained a region are drawn again, over what is there,
    // so that the marks of other commands stay.
    for (int sol = 1; sol <= ws_.basketCount; ++sol) {
        int r = ws_.basket[sol].indRegIndif;
        bool grew = false;
        for (int i = 0; r != 0 && i < ws_.regionCount; ++i, r = ws_.regions[r].IndiceProx)
            grew = grew || r > drawnRegions_;
        if (grew)
            Actualiza(sol);
    }
    drawnRegions_ = ws_.regionCount;
    drawnBasket_ = ws_.basketCount;
}

void WeightSpaceView::MostraEspacoPequeno(const UmaRegIndif& space)
{
    if (patternFill_)
        DrawRegionPolygon(space, RegionFill::Solid, 0, kBlack, OutlineStyle::Dashed, kContractedGrey);
    else
        DrawRegionPolygon(space, RegionFill::BackDiagonal, 0, kContractedGrey, OutlineStyle::Dashed, kContractedGrey);
}

void WeightSpaceView::drawPickDot(QPoint at)
{
    if (!initialised())
        return;
    QPainter p(&picture_);
    p.setPen(QPen(kBlack, 1));
    p.setBrush(kBlack);
    p.drawEllipse(QRect(at.x() - 2, at.y() - 2, 4, 4));
}

void WeightSpaceView::setLabels(RegionLabels labels)
{
    labels_ = labels;
    RedrawTriangulo();
}

void WeightSpaceView::setLegendWithArea(bool on)
{
    legendWithArea_ = on;
    RedrawTriangulo();
}

void WeightSpaceView::drawLimitAreas(int k, bool borders)
{
    if (geometry_.objectives != 3 || k < 1 || k > 3)
        return;
    for (const UmaRegIndif& area : limitAreas[k])
        DrawRegionPolygon(area, kLimitFill[k], 0, kAreaOutline,
                          borders ? OutlineStyle::Solid : OutlineStyle::Invisible, kLimitBrush[k]);
    QPainter p(&picture_);
    if (!borders) {
        // Without borders the inner sides of the triangles still show where
        // the area is cut; the sides through the objective's own corner do not.
        const XY corner = kObjectiveCorner[k];
        const auto isCorner = [&](const XY& v) { return v.x == corner.x && v.y == corner.y; };
        p.setPen(QPen(kAreaOutline, 1));
        for (const UmaRegIndif& area : limitAreas[k]) {
            if (area.Numvertices != 3)
                continue;
            for (int v = 1; v <= 2; ++v)
                if (!isCorner(area.vertices[v]) && !isCorner(area.vertices[v + 1]))
                    p.drawLine(geometry_.WeightToPixel(area.vertices[v]), geometry_.WeightToPixel(area.vertices[v + 1]));
        }
    }
    const int side = geometry_.side();
    const int third = side / 3;
    const int x0 = side + 20 - third;
    const int y = 20 * (k - 1) + 1;
    p.setPen(Qt::NoPen);
    p.setBrush(kWhite);
    p.drawRect(QRect(x0, y, third, 20));
    p.setPen(QPen(kAreaOutline, 1));
    p.setBrush(RegionBrush(kLimitBrush[k], kLimitFill[k]));
    p.drawRect(QRect(x0, y, 18, 18));
    p.setPen(QPen(kBlack, 1));
    p.setFont(WeightSpaceFont());
    const QString relation = ws_.objSense[k] == 1 ? QStringLiteral(" >= ") : QStringLiteral(" <= ");
    DrawTextAt(p, x0 + 20, y, ws_.objName[k] + relation + NumText(limitAreaValue[k]));
}

bool WeightSpaceView::hasNadirAreas() const
{
    for (int k = 1; k <= 3; ++k)
        if (!nadirAreas[k].empty())
            return true;
    return false;
}

void WeightSpaceView::drawNadirAreas(int k)
{
    if (k < 1 || k > 3)
        return;
    for (const UmaRegIndif& area : nadirAreas[k])
        DrawRegionPolygon(area, RegionFill::Solid, 0, kNadirOutline, OutlineStyle::Solid, kNadirFill);
}

void WeightSpaceView::drawAllNadirAreas()
{
    for (int k = 1; k <= 3; ++k)
        drawNadirAreas(k);
}

void WeightSpaceView::setPairwise(int x, int y)
{
    prefX_ = x;
    prefY_ = y;
    prefLine_ = PairwiseConstraint(ws_.basket[x].f, ws_.basket[y].f);
}

void WeightSpaceView::drawPairwise()
{
    if (prefX_ == 0 || geometry_.objectives != 3)
        return;
    const std::vector<XY> ends = PairwiseEnds(prefLine_);
    QPainter p(&picture_);
    if (ends.size() == 2) {
        const XY mid{(ends[0].x + ends[1].x) / 2, (ends[0].y + ends[1].y) / 2};
        p.setPen(QPen(kBlack, 1, Qt::DotLine));
        p.drawLine(geometry_.WeightToPixel(ends[0]), geometry_.WeightToPixel(ends[1]));
        for (const XY& start : {ends[0], ends[1], mid}) {
            const QPoint s = geometry_.WeightToPixel(start);
            const QPoint e = geometry_.WeightToPixel(ArrowEnd(prefLine_, ends[0], ends[1], start));
            p.setPen(QPen(kBlack, 1));
            p.drawLine(s, e);
            const ArrowHead head = ArrowHeadOf(s, e);
            const QPoint corners[3] = {head.tip, head.left, head.right};
            p.setBrush(kBlack);
            p.drawPolygon(corners, 3);
        }
    }
    const int x0 = geometry_.side() + 20 - 2 * (geometry_.side() / 3);
    p.setPen(Qt::NoPen);
    p.setBrush(kWhite);
    p.drawRect(QRect(x0, 1, 80, 20));
    p.setPen(QPen(kBlack, 1, Qt::DotLine));
    p.drawLine(x0, 1, x0, 19);
    p.setPen(QPen(kBlack, 1));
    p.setFont(WeightSpaceFont());
    DrawTextAt(p, x0 + 5, 1, QStringLiteral("Sol.%1  p  Sol.%2").arg(prefX_).arg(prefY_));
}

bool WeightSpaceView::ClearPairwiseIfDeleted(int first, int last)
{
    return ::ClearPairwiseIfDeleted(prefX_, prefY_, first, last);
}
