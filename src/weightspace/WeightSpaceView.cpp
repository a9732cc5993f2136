#include "weightspace/WeightSpaceView.h"

#include "base/NumberFormat.h"
#include "base/Numeric.h"
#include "solutions/PictureFile.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include <cmath>

namespace {

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kAreaOutline(0x80, 0x80, 0x80);
const QColor kContractedGrey(0xC0, 0xC0, 0xC0);
const QColor kNadirFill(0xE9, 0xE9, 0xE9);
const QColor kNadirOutline(0xC0, 0xC0, 0xC0);
const QColor kPatternDot(0x80, 0x80, 0x80);
// Fills and colours of the limitation areas of objectives 1..3.
const RegionFill kLimitFill[4] = {RegionFill::Solid, RegionFill::BackDiagonal, RegionFill::ForwardDiagonal,
                                  RegionFill::Vertical};
const QColor kLimitBrush[4] = {QColor(), QColor(0xEE, 0x94, 0x51), QColor(0xA4, 0xA4, 0xFF),
                               QColor(0x53, 0xA6, 0xA6)};
// The corner of objective k in the weight plane.
const XY kObjectiveCorner[4] = {{0, 0}, {1, 0}, {0, 1}, {0, 0}};

constexpr int kLegendRowHeight = 12;
constexpr int kLegendSwatch = 10;
constexpr int kLegendColumn = 35;
// Regions the legend has room for before it runs off the picture.
constexpr int kLegendCapacity = 300;

QColor qColor(Color c) { return QColor(colorRed(c), colorGreen(c), colorBlue(c)); }

Qt::BrushStyle brushStyle(RegionFill fill)
{
    // Qt names its hatches after the direction they are drawn in: its
    // forward diagonal reads "\" and its backward one "/".
    switch (fill) {
    case RegionFill::Solid: return Qt::SolidPattern;
    case RegionFill::BackDiagonal: return Qt::FDiagPattern;
    case RegionFill::ForwardDiagonal: return Qt::BDiagPattern;
    case RegionFill::Horizontal: return Qt::HorPattern;
    case RegionFill::Vertical: return Qt::VerPattern;
    case RegionFill::Cross: return Qt::CrossPattern;
    case RegionFill::DiagonalCross: return Qt::DiagCrossPattern;
    }
    return Qt::SolidPattern;
}

Qt::PenStyle penStyle(OutlineStyle style)
{
    switch (style) {
    case OutlineStyle::Solid: return Qt::SolidLine;
    case OutlineStyle::Dashed: return Qt::DashLine;
    case OutlineStyle::Dotted: return Qt::DotLine;
    case OutlineStyle::Invisible: return Qt::NoPen;
    }
    return Qt::SolidLine;
}

// Text with its top-left corner at (x, y), as the legend places it.
void textAt(QPainter& p, int x, int y, const QString& text)
{
    p.drawText(QRect(x, y, 4000, 400), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

int textWidth(const QFont& font, const QString& text) { return QFontMetrics(font).horizontalAdvance(text); }

// Drawing λ directly spares the search for a Greek symbol typeface.
QString lambda(const char* rest) { return QStringLiteral("\u03BB") + QString::fromLatin1(rest); }

} // namespace

QFont WeightSpaceFont()
{
    QFont font;
    font.setPixelSize(11);
    return font;
}

QFont RegionLabelFont()
{
    QFont font;
    font.setPixelSize(13);
    return font;
}

WeightSpaceView::WeightSpaceView(Workspace& ws) : ws_(ws) {}

void WeightSpaceView::initialise(bool primVez)
{
    if (ws_.numObjectives == 3)
        Inic_Triangulo(primVez);
    else if (ws_.numObjectives == 2)
        Inic_Rectangulo(primVez);
}

void WeightSpaceView::Inic_Triangulo(bool primVez)
{
    if (primVez) {
        geometry_.zoomFactor = 1.0;
        ws_.pickedWeights[1] = kNotComputed;
        limitEntriesEnabled = false;
        prefX_ = 0;
        clearAreas();
    }
    prepare(3);
}

void WeightSpaceView::Inic_Rectangulo(bool primVez)
{
    if (primVez) {
        geometry_.zoomFactor = 1.0;
        ws_.pickedWeights[1] = kNotComputed;
        clearAreas();
    }
    prepare(2);
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

void WeightSpaceView::prepare(int objectives)
{
    geometry_.objectives = objectives;
    if (labels_ == RegionLabels::None)
        labels_ = RegionLabels::InWhite;
    legendWithArea_ = false;
    const QFont font = WeightSpaceFont();
    w99_ = textWidth(font, QStringLiteral(" (99.9 %)"));
    labelWidth_ = textWidth(font, objectives == 3 ? lambda("1") : lambda("1=1"));
    const int side = geometry_.side();
    const int rows = geometry_.legendRows();
    const QSize needed((w99_ + kLegendColumn) * (kLegendCapacity / rows + 1) + side + 25,
                       geometry_.topMargin() + side + 19);
    picture_ = QImage(picture_.size().expandedTo(needed), QImage::Format_RGB32);
    picture_.fill(kWhite);
    DrawFrame();
    extent_ = QSize(side + 60, geometry_.topMargin() + geometry_.spaceHeight() + 19);
    drawnRegions_ = ws_.regionCount;
    drawnBasket_ = ws_.basketCount;
}

void WeightSpaceView::DrawFrame()
{
    if (!initialised())
        return;
    const WeightSpaceGeometry& g = geometry_;
    const QPoint a = g.WeightToPixel(0, 0);
    const QPoint b = g.WeightToPixel(1, 0);
    QPainter p(&picture_);
    p.setPen(QPen(kBlack, 2));
    p.setBrush(Qt::NoBrush);
    p.setFont(WeightSpaceFont());
    if (g.objectives == 3) {
        const QPoint c = g.WeightToPixel(0, 1);
        const QPoint frame[4] = {{a.x(), a.y() + 1}, {b.x(), b.y() + 1}, {c.x(), c.y() - 1}, {a.x(), a.y() + 1}};
        p.drawPolyline(frame, 4);
        p.setPen(QPen(kBlack, 1));
        textAt(p, 10, a.y() + 5, lambda("3"));
        textAt(p, b.x() - labelWidth_ + 3, b.y() + 5, lambda("1"));
        textAt(p, c.x() - 5, c.y() - 16, lambda("2"));
        return;
    }
    const int h = WeightSpaceGeometry::kStripHeight + 1;
    const QPoint frame[5] = {{a.x(), a.y() + 1}, {b.x(), b.y() + 1}, {b.x() + 1, b.y() - h}, {a.x(), a.y() - h},
                             {a.x(), a.y() + 1}};
    p.drawPolyline(frame, 5);
    p.setPen(QPen(kBlack, 1));
    const QString l20 = QStringLiteral("(") + lambda("2=0)");
    textAt(p, 10, a.y() + 5, lambda("2=1"));
    textAt(p, 8, a.y() + 18, QStringLiteral("(") + lambda("1=0)"));
    textAt(p, b.x() - labelWidth_ + 3, b.y() + 5, lambda("1=1"));
    textAt(p, b.x() - textWidth(WeightSpaceFont(), l20) + 5, b.y() + 18, l20);
}

void WeightSpaceView::drawPolygonPoints(const QPolygon& points, RegionFill fill, QColor pen, OutlineStyle style,
                                        QColor brush)
{
    QPainter p(&picture_);
    p.setPen(style == OutlineStyle::Invisible ? QPen(Qt::NoPen) : QPen(pen, 1, penStyle(style)));
    p.setBrush(QBrush(brush, brushStyle(fill)));
    p.drawPolygon(points);
}

void WeightSpaceView::DrawRegionPolygon(const UmaRegIndif& polygon, RegionFill fill, int label, QColor pen,
                                        OutlineStyle penStyle, QColor brush)
{
    if (!initialised())
        return;
    QPolygon points;
    if (geometry_.objectives == 3) {
        for (int v = 1; v <= polygon.Numvertices; ++v)
            points << geometry_.WeightToPixel(polygon.vertices[v]);
    } else {
        const QPoint p1 = geometry_.WeightToPixel(polygon.vertices[1].x, 0);
        const QPoint p2 = geometry_.WeightToPixel(polygon.vertices[2].x, 0);
        points << p1 << p2 << QPoint(p2.x(), p2.y() - WeightSpaceGeometry::kStripHeight)
               << QPoint(p1.x(), p1.y() - WeightSpaceGeometry::kStripHeight);
    }
    if (points.isEmpty())
        return;
    drawPolygonPoints(points, fill, pen, penStyle, brush);
    if (label < 1 || labels_ == RegionLabels::None)
        return;
    long long sx = 0, sy = 0;
    for (const QPoint& pt : points) {
        sx += pt.x();
        sy += pt.y();
    }
    const int n = points.size();
    QPainter p(&picture_);
    QFont font = RegionLabelFont();
    font.setBold(patternFill_);
    p.setFont(font);
    p.setPen(!patternFill_ && labels_ == RegionLabels::InWhite ? kWhite : kBlack);
    textAt(p, RoundEven(static_cast<Real>(sx) / n) - 5, RoundEven(static_cast<Real>(sy) / n) - 5,
           QString::number(label));
}

RegionFill WeightSpaceView::regionFill(int r) const
{
    if (!patternFill_)
        return RegionFill::Solid;
    static const RegionFill byRest[6] = {RegionFill::BackDiagonal, RegionFill::Cross, RegionFill::DiagonalCross,
                                         RegionFill::ForwardDiagonal, RegionFill::Horizontal, RegionFill::Vertical};
    return byRest[r % 6];
}

void WeightSpaceView::drawChainRegion(int sol, int r, int ordinal)
{
    const QColor colour = qColor(ws_.basket[sol].cor);
    DrawRegionPolygon(ws_.regions[r].Regiao, regionFill(r), sol, kBlack, OutlineStyle::Solid, colour);
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
    p.setPen(QPen(kBlack, 1));
    p.setBrush(QBrush(qColor(ws_.basket[sol].cor), brushStyle(regionFill(r))));
    p.drawRect(QRect(x0, y0, kLegendSwatch, kLegendSwatch));
    p.setFont(WeightSpaceFont());
    textAt(p, x0 + 13, y0, LegendText(sol, ordinal, legendWithArea_, ws_.regions[r].AreaPolig));
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

void WeightSpaceView::drawChain(int sol)
{
    int r = ws_.basket[sol].indRegIndif;
    for (int i = 1; r != 0 && i <= ws_.regionCount; ++i, r = ws_.regions[r].IndiceProx)
        drawChainRegion(sol, r, i);
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
    drawChainRegion(indiceSB, r, k);
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
    DrawFrame();
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

void WeightSpaceView::desenhaPontinho(const vectorObj& weights)
{
    if (!initialised())
        return;
    const QPoint c = geometry_.WeightToPixel(weights[1], weights[2]);
    QPainter p(&picture_);
    p.setPen(QPen(kBlack, 1));
    p.setBrush(patternFill_ ? kPatternDot : kWhite);
    p.drawEllipse(QRect(c.x() - 4, c.y() - 4, 8, 8));
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

void WeightSpaceView::setProjection(WeightProjection projection)
{
    geometry_.projection = projection;
    RedrawTriangulo();
}

void WeightSpaceView::setPatternFill(bool on)
{
    patternFill_ = on;
    RedrawTriangulo();
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

bool WeightSpaceView::setZoomFactor(double factor)
{
    if (factor == geometry_.zoomFactor)
        return false;
    geometry_.zoomFactor = factor;
    initialise(false);
    RedrawTriangulo();
    return true;
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
    p.setBrush(QBrush(kLimitBrush[k], brushStyle(kLimitFill[k])));
    p.drawRect(QRect(x0, y, 18, 18));
    p.setPen(QPen(kBlack, 1));
    p.setFont(WeightSpaceFont());
    const QString relation = ws_.objSense[k] == 1 ? QStringLiteral(" >= ") : QStringLiteral(" <= ");
    textAt(p, x0 + 20, y, ws_.objName[k] + relation + NumText(limitAreaValue[k]));
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
    textAt(p, x0 + 5, 1, QStringLiteral("Sol.%1  p  Sol.%2").arg(prefX_).arg(prefY_));
}

bool WeightSpaceView::ClearPairwiseIfDeleted(int first, int last)
{
    return ::ClearPairwiseIfDeleted(prefX_, prefY_, first, last);
}

bool WeightSpaceView::savePicture(const QString& path, QString& error) const
{
    return SavePicture(picture_, path, error);
}
