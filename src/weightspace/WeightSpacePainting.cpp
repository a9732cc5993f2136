#include "weightspace/WeightSpacePainting.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>

namespace {

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kPatternDot(0x80, 0x80, 0x80);

constexpr int kSwatch = 10;
constexpr int kDotRadius = 4;

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

RegionFill PatternFill(int r)
{
    static const RegionFill byRest[6] = {RegionFill::BackDiagonal, RegionFill::Cross, RegionFill::DiagonalCross,
                                         RegionFill::ForwardDiagonal, RegionFill::Horizontal, RegionFill::Vertical};
    return byRest[((r % 6) + 6) % 6];
}

// Drawing λ directly spares the search for a Greek symbol typeface.
QString LambdaText(const char* rest) { return QStringLiteral("\u03BB") + QString::fromLatin1(rest); }

int TextWidth(const QFont& font, const QString& text) { return QFontMetrics(font).horizontalAdvance(text); }

void DrawTextAt(QPainter& p, int x, int y, const QString& text)
{
    p.drawText(QRect(x, y, 4000, 400), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

void DrawFrameBorder(QPainter& p, const WeightSpaceGeometry& g)
{
    const QPoint a = g.WeightToPixel(0, 0);
    const QPoint b = g.WeightToPixel(1, 0);
    p.setPen(QPen(kBlack, 2));
    p.setBrush(Qt::NoBrush);
    if (g.objectives == 3) {
        const QPoint c = g.WeightToPixel(0, 1);
        const QPoint frame[4] = {{a.x(), a.y() + 1}, {b.x(), b.y() + 1}, {c.x(), c.y() - 1}, {a.x(), a.y() + 1}};
        p.drawPolyline(frame, 4);
    } else {
        const int h = WeightSpaceGeometry::kStripHeight + 1;
        const QPoint frame[5] = {{a.x(), a.y() + 1}, {b.x(), b.y() + 1}, {b.x() + 1, b.y() - h}, {a.x(), a.y() - h},
                                 {a.x(), a.y() + 1}};
        p.drawPolyline(frame, 5);
    }
    p.setPen(QPen(kBlack, 1));
}

void DrawTriangleLabels(QPainter& p, const WeightSpaceGeometry& g, int labelWidth)
{
    const QPoint a = g.WeightToPixel(0, 0);
    const QPoint b = g.WeightToPixel(1, 0);
    const QPoint c = g.WeightToPixel(0, 1);
    p.setFont(WeightSpaceFont());
    p.setPen(QPen(kBlack, 1));
    DrawTextAt(p, 10, a.y() + 5, LambdaText("3"));
    DrawTextAt(p, b.x() - labelWidth + 3, b.y() + 5, LambdaText("1"));
    DrawTextAt(p, c.x() - 5, c.y() - 16, LambdaText("2"));
}

QPolygon RegionPixels(const WeightSpaceGeometry& g, const UmaRegIndif& polygon)
{
    QPolygon points;
    if (g.objectives == 3) {
        for (int v = 1; v <= polygon.Numvertices; ++v)
            points << g.WeightToPixel(polygon.vertices[v]);
    } else if (polygon.Numvertices >= 2) {
        const QPoint p1 = g.WeightToPixel(polygon.vertices[1].x, 0);
        const QPoint p2 = g.WeightToPixel(polygon.vertices[2].x, 0);
        points << p1 << p2 << QPoint(p2.x(), p2.y() - WeightSpaceGeometry::kStripHeight)
               << QPoint(p1.x(), p1.y() - WeightSpaceGeometry::kStripHeight);
    }
    return points;
}

void DrawPixelPolygon(QImage& picture, const QPolygon& points, RegionFill fill, QColor pen, OutlineStyle style,
                      QColor brush)
{
    QPainter p(&picture);
    p.setPen(style == OutlineStyle::Invisible ? QPen(Qt::NoPen) : QPen(pen, 1, penStyle(style)));
    p.setBrush(RegionBrush(brush, fill));
    p.drawPolygon(points);
}

void DrawRegionNumber(QImage& picture, const QPolygon& points, int label, bool patterned, bool inWhite)
{
    if (points.isEmpty())
        return;
    long long sx = 0, sy = 0;
    for (const QPoint& pt : points) {
        sx += pt.x();
        sy += pt.y();
    }
    const int n = points.size();
    QPainter p(&picture);
    QFont font = RegionLabelFont();
    font.setBold(patterned);
    p.setFont(font);
    p.setPen(!patterned && inWhite ? kWhite : kBlack);
    DrawTextAt(p, RoundEven(static_cast<Real>(sx) / n) - 5, RoundEven(static_cast<Real>(sy) / n) - 5,
               QString::number(label));
}

void DrawLegendSwatch(QPainter& p, int x, int y, QColor colour, RegionFill fill)
{
    p.setPen(QPen(kBlack, 1));
    p.setBrush(RegionBrush(colour, fill));
    p.drawRect(QRect(x, y, kSwatch, kSwatch));
}

void DrawWeightDot(QImage& picture, const WeightSpaceGeometry& g, const vectorObj& weights, bool patterned)
{
    const QPoint c = g.WeightToPixel(weights[1], weights[2]);
    QPainter p(&picture);
    p.setPen(QPen(kBlack, 1));
    p.setBrush(patterned ? kPatternDot : kWhite);
    p.drawEllipse(QRect(c.x() - kDotRadius, c.y() - kDotRadius, 2 * kDotRadius, 2 * kDotRadius));
}

QColor ToQColor(Color c) { return QColor(colorRed(c), colorGreen(c), colorBlue(c)); }

QBrush RegionBrush(QColor colour, RegionFill fill) { return QBrush(colour, brushStyle(fill)); }

QRect ContentRect(const QImage& picture, QColor background, int margin)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    const QRgb blank = background.rgb() | 0xFF000000u;
    int left = rgb.width();
    int right = -1;
    int top = rgb.height();
    int bottom = -1;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            if ((line[x] | 0xFF000000u) == blank)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = y;
        }
    }
    if (right < 0)
        return picture.rect();
    return QRect(QPoint(left, top), QPoint(right, bottom)).adjusted(-margin, -margin, margin, margin) & picture.rect();
}
