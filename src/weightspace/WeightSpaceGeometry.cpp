#include "weightspace/WeightSpaceGeometry.h"

#include "weightspace/WeightSpaceTolerances.h"
#include "base/Numeric.h"

#include <cmath>

namespace {

// Length of the pairwise arrows in weight units.
constexpr Real kArrowLength = 0.03L;

const Real kSqrt3 = std::sqrt(3.0L);

bool inUnit(Real v) { return v >= 0 && v <= 1; }

// (n * 7) / 10 rounded with halves away from zero, in integers so that the
// halves are exact.
int sevenTenths(int n)
{
    const int q = n * 7;
    return q >= 0 ? (q + 5) / 10 : -((-q + 5) / 10);
}

} // namespace

int RoundEven(Real x)
{
    // Far beyond any picture, yet room to add margins without overflow; a
    // value out of int's range must never reach the cast.
    constexpr Real kFarthestPixel = 1 << 24;
    if (!(std::fabs(x) <= kFarthestPixel))
        return std::isnan(x) ? 0 : static_cast<int>(std::copysign(kFarthestPixel, x));
    return static_cast<int>(std::nearbyint(x));
}

int WeightSpaceGeometry::side() const { return RoundEven(scale()); }

QPoint WeightSpaceGeometry::WeightToPixel(Real l1, Real l2) const
{
    const Real s = scale();
    const int bottom = topMargin() + side();
    if (objectives == 2)
        return {kLeftMargin + RoundEven(s * l1), topMargin() + kStripHeight};
    if (projection == WeightProjection::Equilateral) {
        const Real u = l1 + l2 / 2;
        const Real v = l2 * kSqrt3 / 2;
        return {kLeftMargin + RoundEven(s * u), bottom - RoundEven(s * v)};
    }
    return {kLeftMargin + RoundEven(s * l1), bottom - RoundEven(s * l2)};
}

XY WeightSpaceGeometry::PixelToWeight(int X, int Y) const
{
    const Real s = scale();
    if (objectives == 2) {
        if (Y > topMargin() + kStripHeight || Y < topMargin())
            return {-2, 0};
        const Real l1 = (X - kLeftMargin) / s;
        return {l1, 1 - l1};
    }
    const Real u = (X - kLeftMargin) / s;
    const Real v = (topMargin() + side() - Y) / s;
    if (projection == WeightProjection::Equilateral)
        return {u - v / kSqrt3, 2 * v / kSqrt3};
    return {u, v};
}

PickedWeights WeightsAtPixel(const WeightSpaceGeometry& g, int X, int Y)
{
    PickedWeights picked;
    const XY w = g.PixelToWeight(X, Y);
    if (g.objectives == 2) {
        const Real l2 = 1 - w.x;
        if (!inUnit(w.x) || !inUnit(l2))
            return picked;
        picked.weights[1] = w.x;
        picked.weights[2] = l2;
        picked.status = QString::asprintf("Weights: (%.3f, %.3f)", static_cast<double>(w.x), static_cast<double>(l2));
    } else {
        const Real l3 = 1 - w.x - w.y;
        if (!inUnit(w.x) || !inUnit(w.y) || !inUnit(l3))
            return picked;
        picked.weights[1] = w.x;
        picked.weights[2] = w.y;
        picked.weights[3] = l3;
        picked.status = QString::asprintf("Weights: (%.3f, %.3f, %.3f)", static_cast<double>(w.x),
                                          static_cast<double>(w.y), static_cast<double>(l3));
    }
    picked.inside = true;
    return picked;
}

QString AreaText(Real area)
{
    // Three significant digits first, then one decimal, as the legend has
    // always shown them: 99.96 reads 100.0, 4.04 reads 4.0.
    const int integerDigits = area >= 100 ? 3 : area >= 10 ? 2 : 1;
    const Real unit = std::pow(10.0L, 3 - integerDigits);
    const Real rounded = std::nearbyint(area * unit) / unit;
    return QString::number(static_cast<double>(rounded), 'f', 1);
}

QString LegendText(int sol, int ordinal, bool withArea, Real area)
{
    QString text = QString::number(sol);
    if (ordinal > 1)
        text += QLatin1Char('/') + QString::number(ordinal);
    if (withArea)
        text += area < 0.1L ? QStringLiteral(" (<0.1 %)") : QStringLiteral(" (") + AreaText(area) + QStringLiteral(" %)");
    return text;
}

PairwiseLine PairwiseConstraint(const vectorObj& fX, const vectorObj& fY)
{
    const Real d1 = fX[1] - fY[1];
    const Real d2 = fX[2] - fY[2];
    const Real d3 = fX[3] - fY[3];
    return {d1 - d3, d2 - d3, -d3};
}

std::vector<XY> PairwiseEnds(const PairwiseLine& line)
{
    std::vector<XY> ends;
    if (std::fabs(line.b) > kLineZeroTol && inUnit(line.c / line.b))
        ends.push_back({0, line.c / line.b});
    // A line through the corner l3 = 1 meets both legs there: one end, and
    // the other is looked for on the hypotenuse.
    if (std::fabs(line.a) > kLineZeroTol && inUnit(line.c / line.a)
        && !(ends.size() == 1 && std::fabs(ends[0].y) <= kLineZeroTol && std::fabs(line.c / line.a) <= kLineZeroTol))
        ends.push_back({line.c / line.a, 0});
    if (ends.size() < 2 && std::fabs(line.a - line.b) > kLineZeroTol) {
        const Real l1 = (line.c - line.b) / (line.a - line.b);
        if (inUnit(l1))
            ends.push_back({l1, (line.a - line.c) / (line.a - line.b)});
    }
    return ends;
}

XY ArrowEnd(const PairwiseLine& line, const XY& p1, const XY& p2, const XY& start)
{
    const Real dx = p1.x - p2.x;
    const Real dy = p1.y - p2.y;
    XY first, second;
    if (std::fabs(dx) <= kLineZeroTol) {
        first = {start.x - kArrowLength, start.y};
        second = {start.x + kArrowLength, start.y};
    } else if (std::fabs(dy) <= kLineZeroTol) {
        first = {start.x, start.y + kArrowLength};
        second = {start.x, start.y - kArrowLength};
    } else {
        const Real m = -dx / dy;
        const Real o = kArrowLength / std::sqrt(m * m + 1);
        first = {start.x + o, start.y + m * o};
        second = {start.x - o, start.y - m * o};
    }
    return line.a * first.x + line.b * first.y >= line.c ? first : second;
}

ArrowHead ArrowHeadOf(QPoint s, QPoint e)
{
    const QPoint base(s.x() + sevenTenths(e.x() - s.x()), s.y() + sevenTenths(e.y() - s.y()));
    const int dx = e.x() - base.x();
    const int dy = e.y() - base.y();
    return {e, {base.x() + dy, base.y() - dx}, {base.x() - dy, base.y() + dx}};
}

bool ClearPairwiseIfDeleted(int& x, int& y, int first, int last)
{
    if (x == 0)
        return false;
    if ((x >= first && x <= last) || (y >= first && y <= last)) {
        x = 0;
        return true;
    }
    const int removed = last - first + 1;
    if (x >= last)
        x -= removed;
    if (y >= last)
        y -= removed;
    return false;
}
