#include "solutions/BasketCharts.h"

#include "solutions/Limitations.h"
#include "solutions/BarPicture.h"
#include "base/NumberFormat.h"

#include <QColor>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace {

// Directions of the three-objective chart's axes.
constexpr Real kCos5 = 0.996194698L;
constexpr Real kSin5 = 0.087155742L;
constexpr Real kCos30 = 0.866025403L;
constexpr Real kSin30 = 0.5L;

constexpr int kMinBarWidth = 10;
constexpr int kScrollBarRoom = 16;
// Pixel coordinates are kept well inside int, whatever the values.
constexpr Real kPixelLimit = 1e6L;

const QColor kLimitColor(0x80, 0x80, 0x80);

int RoundHalfEven(Real v)
{
    if (!std::isfinite(static_cast<double>(v)))
        v = v > 0 ? kPixelLimit : -kPixelLimit;
    v = std::clamp(v, -kPixelLimit, kPixelLimit);
    Real r = std::floor(v);
    const Real d = v - r;
    if (d > 0.5L || (d == 0.5L && std::fmod(r, 2.0L) != 0))
        r += 1;
    return static_cast<int>(r);
}

QColor ToQColor(Color c) { return QColor(int(colorRed(c)), int(colorGreen(c)), int(colorBlue(c))); }

int ObjectiveCount(const Workspace& ws) { return std::clamp(static_cast<int>(ws.numObjectives), 0, MaxObjectives); }

int SolutionCount(const Workspace& ws) { return ws.basketCount; }

// Basis lists are 1-based and zero-terminated: an empty list starts with 0.
bool HasBasis(const SolSolutionBasket& s) { return !s.vbs.empty() && s.vbs.front()[1] != 0; }

bool ValidEdge(const Workspace& ws, const UmaAresta& e)
{
    const int n = SolutionCount(ws);
    return e.Sol1 >= 1 && e.Sol1 <= n && e.Sol2 >= 1 && e.Sol2 <= n;
}

int EdgeCount(const Workspace& ws)
{
    return std::clamp(static_cast<int>(ws.edgeCount), 0, std::max(0, static_cast<int>(ws.edges.size()) - 1));
}

// Where v lies on objective i's axis: 0 at AxisLow, 1 at AxisHigh. An axis
// of no length (ideal = nadir) puts every value in its middle.
Real AxisRatio(const Workspace& ws, int i, Real v)
{
    const Real span = ws.AxisHigh[i] - ws.AxisLow[i];
    if (!(span > 0) || !std::isfinite(static_cast<double>(span)))
        return 0.5L;
    return (v - ws.AxisLow[i]) / span;
}

QImage BlankPicture(QSize size)
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// Texts placed by their top-left corner, their top-right corner or the
// middle of their top edge.
void TextAt(QPainter& p, int x, int top, const QString& text)
{
    p.drawText(x, top + p.fontMetrics().ascent(), text);
}

void TextRightAt(QPainter& p, int right, int top, const QString& text)
{
    TextAt(p, right - p.fontMetrics().horizontalAdvance(text), top, text);
}

void TextCentredAt(QPainter& p, int centre, int top, const QString& text)
{
    TextAt(p, centre - p.fontMetrics().horizontalAdvance(text) / 2, top, text);
}

void FilledPolygon(QPainter& p, const QPolygonF& polygon, const QColor& colour)
{
    p.save();
    p.setPen(QPen(colour, 1));
    p.setBrush(colour);
    p.drawPolygon(polygon);
    p.restore();
}

// An arrow from `from` to `to` whose last 30 % is a filled triangle.
void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour)
{
    const QPointF d = to - from;
    const qreal length = std::hypot(d.x(), d.y());
    if (length <= 0)
        return;
    const QPointF base = from + 0.7 * d;
    const QPointF unit = d / length;
    const QPointF normal(-unit.y(), unit.x());
    const qreal half = std::max<qreal>(3, std::round(0.3 * length));
    p.save();
    p.setPen(QPen(colour, 1));
    p.drawLine(from, base);
    p.restore();
    FilledPolygon(p, QPolygonF{to, base + half * normal, base - half * normal}, colour);
}

// A filled circle of `radius` around (x, y).
void Dot(QPainter& p, QPoint c, int radius, const QColor& colour)
{
    p.save();
    p.setPen(QPen(colour, 1));
    p.setBrush(colour);
    p.drawEllipse(c, radius, radius);
    p.restore();
}

// Two diagonal strokes of width 2 reaching `reach` pixels from (x, y).
void Cross(QPainter& p, QPoint c, int reach, const QColor& colour)
{
    p.save();
    p.setPen(QPen(colour, 2));
    p.drawLine(c.x() - reach, c.y() - reach, c.x() + reach, c.y() + reach);
    p.drawLine(c.x() - reach, c.y() + reach, c.x() + reach, c.y() - reach);
    p.restore();
}

void Edge(QPainter& p, QPoint from, QPoint to)
{
    p.save();
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(from, to);
    p.restore();
}

// How a chart marks its solutions: a dot of `dotRadius` for a vertex (it has
// a basis), a cross reaching `crossReach` otherwise, and the number `lift`
// pixels above a text line of `textHeight` over the mark.
struct SolutionMarks {
    int textHeight;
    int dotRadius;
    int crossReach;
    int lift;
};

// The edges between stored solutions, then every solution's mark and
// number, each at `at(s)`.
template <typename Place>
void PlotSolutions(QPainter& p, const Workspace& ws, const Place& at, const SolutionMarks& marks)
{
    const int edges = EdgeCount(ws);
    for (int e = 1; e <= edges; ++e) {
        const UmaAresta& edge = ws.edges[static_cast<std::size_t>(e)];
        if (ValidEdge(ws, edge))
            Edge(p, at(edge.Sol1), at(edge.Sol2));
    }
    const int n = SolutionCount(ws);
    std::vector<PointLabel> labels;
    labels.reserve(static_cast<std::size_t>(n));
    for (int s = 1; s <= n; ++s) {
        const SolSolutionBasket& sol = ws.basket[static_cast<std::size_t>(s)];
        const QPoint c = at(s);
        if (HasBasis(sol))
            Dot(p, c, marks.dotRadius, ToQColor(sol.cor));
        else
            Cross(p, c, marks.crossReach, ToQColor(sol.cor));
        labels.push_back({c, p.fontMetrics().horizontalAdvance(QString::number(s))});
    }
    // The numbers go on after every mark, so that no mark covers one.
    const std::vector<QRect> boxes = PlaceLabels(labels, marks.textHeight, marks.lift);
    p.setPen(Qt::black);
    for (int s = 1; s <= n; ++s) {
        const QRect& box = boxes[static_cast<std::size_t>(s - 1)];
        if (!box.isEmpty())
            TextAt(p, box.left(), box.top(), QString::number(s));
    }
}

} // namespace

std::vector<QRect> PlaceLabels(const std::vector<PointLabel>& labels, int textHeight, int lift)
{
    std::vector<QRect> placed;
    placed.reserve(labels.size());
    for (const PointLabel& label : labels) {
        const QPoint c = label.at;
        const int w = label.width;
        const int above = c.y() - textHeight - lift;
        const int below = c.y() + lift;
        const QRect tries[4] = {QRect(c.x() + 4, above, w, textHeight), QRect(c.x() + 4, below, w, textHeight),
                                QRect(c.x() - 4 - w, above, w, textHeight), QRect(c.x() - 4 - w, below, w, textHeight)};
        QRect chosen;
        for (const QRect& box : tries) {
            const bool free = std::none_of(placed.begin(), placed.end(),
                                           [&](const QRect& other) { return !other.isEmpty() && other.intersects(box); });
            if (free) {
                chosen = box;
                break;
            }
        }
        placed.push_back(chosen);
    }
    return placed;
}

namespace {

QString LimitText(const Workspace& ws, int i)
{
    return QStringLiteral("F") + QString::number(i) +
           (ws.objSense[i] == 1 ? QStringLiteral(" >= ") : QStringLiteral(" <= ")) + NumText(ws.limitValue[i]);
}

QString BoundText(Real v) { return GeneralFormat(v, 5); }


// The name of the vertical objective, right-aligned to x = right with its
// top at `top`. A name too wide for the margin is turned to read upwards,
// centred on `top` with its baseline just left of `right`, so that the margin
// shows it whole.
void VerticalAxisName(QPainter& p, int right, int top, const QString& name)
{
    const QFontMetrics fm = p.fontMetrics();
    const int width = fm.horizontalAdvance(name);
    if (width <= right - 2) {
        TextRightAt(p, right, top, name);
        return;
    }
    p.save();
    p.translate(right - fm.descent(), top + width / 2);
    p.rotate(-90);
    p.drawText(0, 0, name);
    p.restore();
}

} // namespace

// The labels' smallest size, and how they grow with a large window.
constexpr int kChartFontPixels = 11;
constexpr int kClientPixelsPerFontPixel = 44;

QFont BasketChartFont(QSize client)
{
    QFont font;
    const int side = client.isValid() ? std::min(client.width(), client.height()) : 0;
    font.setPixelSize(std::max(kChartFontPixels, side / kClientPixelsPerFontPixel));
    return font;
}

QFont BasketBarIndexFont()
{
    QFont font;
    font.setPixelSize(8);
    return font;
}

int BasketChartTextHeight(QSize client) { return QFontMetrics(BasketChartFont(client)).height(); }

QStringList BasketProjectionItems()
{
    return {QStringLiteral("F1 - F2 - F3"), QStringLiteral("F1 - F2"), QStringLiteral("F1 - F3"),
            QStringLiteral("F2 - F3")};
}

BasketChartPlan PlanBasketChart(int k, bool barPressed, int projection)
{
    BasketChartPlan plan;
    plan.pointEnabled = k == 2 || k == 3;
    plan.barPressed = barPressed || !plan.pointEnabled;
    plan.sortVisible = plan.barPressed;
    plan.projectionsVisible = !plan.barPressed && k == 3;
    if (plan.barPressed) {
        plan.kind = BasketChartKind::Bars;
        return plan;
    }
    plan.kind = BasketChartKind::Points;
    if (k == 3) {
        switch (projection) {
        case 1: plan.a = 1; plan.b = 2; break;
        case 2: plan.a = 1; plan.b = 3; break;
        case 3: plan.a = 2; plan.b = 3; break;
        default: plan.kind = BasketChartKind::ThreeObjectives; break;
        }
    }
    return plan;
}

void UpdateAxisBounds(Workspace& ws)
{
    const int k = ObjectiveCount(ws);
    for (int i = 1; i <= k; ++i) {
        const bool maximized = ws.objSense[i] == 1;
        const Real low = maximized ? ws.nadirPoint[i] : ws.idealPoint[i];
        const Real high = maximized ? ws.idealPoint[i] : ws.nadirPoint[i];
        if (!ws.UserAxisBounds) {
            ws.AxisLow[i] = low;
            ws.AxisHigh[i] = high;
        } else {
            if (low < ws.AxisLow[i])
                ws.AxisLow[i] = low;
            if (high > ws.AxisHigh[i])
                ws.AxisHigh[i] = high;
        }
    }
}

AxisBoundsEdit EditAxisBounds(int k, const vectorObj& low, const vectorObj& high, const QStringList& minTexts,
                              const QStringList& maxTexts)
{
    AxisBoundsEdit edit;
    edit.low = low;
    edit.high = high;
    k = std::clamp(k, 0, MaxObjectives);
    bool error = false;
    const auto read = [](const QString& typed, Real old, Real& value) {
        if (typed.trimmed() == NumText(old)) {
            value = old;
            return true;
        }
        return ParseTypedReal(typed, value);
    };
    for (int i = 1; i <= k; ++i) {
        Real mn = 0;
        Real mx = 0;
        const bool okMin = read(minTexts.value(i - 1), low[i], mn);
        const bool okMax = read(maxTexts.value(i - 1), high[i], mx);
        if (!okMin || !okMax) {
            error = true;
            continue;
        }
        if (mx - mn <= 0) {
            edit.messages << QStringLiteral("Max values must be larger than Min values");
            error = true;
            continue;
        }
        edit.low[i] = mn;
        edit.high[i] = mx;
    }
    if (error) {
        edit.low = low;
        edit.high = high;
        return edit;
    }
    edit.accepted = true;
    for (int i = 1; i <= k; ++i)
        edit.changed = edit.changed || edit.low[i] != low[i] || edit.high[i] != high[i];
    return edit;
}

// ---- Bar chart -------------------------------------------------------------

BasketBarLayout ComputeBasketBarLayout(int k, int count, QSize client, int textHeight)
{
    BasketBarLayout l;
    l.objectives = std::max(0, k);
    l.count = std::max(0, count);
    l.textHeight = textHeight;
    l.clientHeight = client.height();
    if (l.objectives == 0) {
        l.pictureSize = client;
        return l;
    }
    const Real perBar = static_cast<Real>(l.objectives) * (l.count + 1.5L);
    l.barWidth = static_cast<int>(std::trunc(std::max<Real>(0, client.width()) / perBar));
    if (l.barWidth < kMinBarWidth) {
        l.barWidth = kMinBarWidth;
        l.clientHeight -= kScrollBarRoom;
        l.widened = true;
    }
    l.groupGap = static_cast<int>(std::trunc(1.5L * l.barWidth));
    l.leftMargin = static_cast<int>(std::trunc(0.75L * l.barWidth));
    l.barAreaHeight = std::max(0, l.clientHeight - (2 * textHeight + 40));
    l.pictureSize = QSize(l.count * l.barWidth * l.objectives + (l.objectives - 1) * l.groupGap + 2 * l.leftMargin,
                          l.barAreaHeight + 2 * textHeight + 38);
    return l;
}

QImage DrawBasketBarChart(const Workspace& ws, QSize client, const std::vector<int>& order)
{
    const int k = ObjectiveCount(ws);
    const int n = SolutionCount(ws);
    const QFont font = BasketChartFont(client);
    const int th = QFontMetrics(font).height();
    const BasketBarLayout l = ComputeBasketBarLayout(k, n, client, th);
    QImage image = BlankPicture(l.pictureSize);
    if (k == 0)
        return image;

    QPainter p(&image);
    const int W = l.barWidth;
    const int H = l.barAreaHeight;
    const int base = l.baseY();
    const QFont indexFont = BasketBarIndexFont();
    for (int i = 1; i <= k; ++i) {
        const int x0 = l.groupX(i);
        p.setFont(indexFont);
        for (int pos = 1; pos <= n; ++pos) {
            int s = pos < static_cast<int>(order.size()) ? order[static_cast<std::size_t>(pos)] : pos;
            if (s < 1 || s > n)
                s = pos;
            const SolSolutionBasket& sol = ws.basket[static_cast<std::size_t>(s)];
            const int h = BarHeight(ws, i, sol.f[i], H);
            const int x1 = x0 + (pos - 1) * W;
            if (h > 0)
                p.fillRect(QRect(x1, base - h, W, h), ToQColor(sol.cor));
            // The index, centred in the bar.
            const QFontMetrics ifm(indexFont);
            const QString index = QString::number(s);
            const int tx = x1 + (W - ifm.horizontalAdvance(index)) / 2;
            const int ty = base - h + (h - ifm.height()) / 2;
            p.setPen(h > 0 ? ToQColor(TextColorOn(sol.cor)) : QColor(Qt::black));
            TextAt(p, tx, ty, index);
        }

        p.setPen(QPen(Qt::black, 1));
        const int x1 = x0 - 5;
        const int x2 = x0 - 5 + n * W + 10;
        p.drawLine(x1, base, x2, base);
        p.drawLine(x1, BasketBarLayout::topY(), x2, BasketBarLayout::topY());

        p.setFont(font);
        TextAt(p, x0, 28 - th, NumText(ws.AxisHigh[i]));
        TextAt(p, x0, H + 32, NumText(ws.AxisLow[i]));
        TextAt(p, x0, H + th + 34, ws.objName[i]);
    }
    return image;
}

// ---- Point chart -------------------------------------------------------------

BasketPointLayout ComputeBasketPointLayout(QSize client)
{
    BasketPointLayout l;
    l.plotWidth = client.width() - 70;
    l.plotHeight = client.height() - 60;
    l.pictureSize = QSize(l.plotWidth + 70, l.plotHeight + 60);
    return l;
}

QPoint MapBasketPoint(const Workspace& ws, const BasketPointLayout& l, int a, int b, const vectorObj& f)
{
    const int x = RoundHalfEven(AxisRatio(ws, a, f[a]) * l.plotWidth) + 40;
    const int y = l.plotHeight + 30 - RoundHalfEven(AxisRatio(ws, b, f[b]) * l.plotHeight);
    return {x, y};
}

QImage DrawBasketPointChart(const Workspace& ws, int a, int b, QSize client)
{
    const BasketPointLayout l = ComputeBasketPointLayout(client);
    QImage image = BlankPicture(l.pictureSize);
    const int k = ObjectiveCount(ws);
    if (a < 1 || a > k || b < 1 || b > k)
        return image;
    const int PW = l.plotWidth;
    const int PH = l.plotHeight;

    QPainter p(&image);
    p.setFont(BasketChartFont(client));
    const int th = p.fontMetrics().height();

    // Axes with their arrowheads and the ticks at the high bounds.
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(37, PH + 30, PW + 55, PH + 30);
    FilledPolygon(p, QPolygonF{QPointF(PW + 64, PH + 30), QPointF(PW + 55, PH + 33), QPointF(PW + 55, PH + 27)},
                  Qt::black);
    p.drawLine(40, PH + 33, 40, 15);
    FilledPolygon(p, QPolygonF{QPointF(40, 6), QPointF(43, 15), QPointF(37, 15)}, Qt::black);
    p.drawLine(PW + 40, PH + 27, PW + 40, PH + 34);
    p.drawLine(36, 30, 43, 30);

    // Names and bounds.
    TextAt(p, PW / 2 + 40, PH + 35, ws.objName[a]);
    VerticalAxisName(p, 34, PH / 2 + 30, ws.objName[b]);
    TextRightAt(p, 34, PH + 30 - th, BoundText(ws.AxisLow[b]));
    TextRightAt(p, 34, 30 - th, BoundText(ws.AxisHigh[b]));
    TextCentredAt(p, 40, PH + 35, BoundText(ws.AxisLow[a]));
    TextCentredAt(p, PW + 40, PH + 35, BoundText(ws.AxisHigh[a]));

    const auto at = [&](int s) { return MapBasketPoint(ws, l, a, b, ws.basket[static_cast<std::size_t>(s)].f); };

    PlotSolutions(p, ws, at, SolutionMarks{th, 5, 4, 4});

    if (ws.limitsActive) {
        if (ws.limitOn[a]) {
            const int x = RoundHalfEven(AxisRatio(ws, a, ws.limitValue[a]) * PW) + 40;
            p.setPen(QPen(kLimitColor, 1, Qt::DashLine));
            p.drawLine(x, PH + 33, x, 15);
            const bool right = ws.objSense[a] == 1;
            const int tip = right ? x + 12 : x - 12;
            Arrow(p, QPointF(x, 15), QPointF(tip, 15), kLimitColor);
            p.setPen(Qt::black);
            const QString text = LimitText(ws, a);
            if (right)
                TextAt(p, tip + 3, 15 - th / 2, text);
            else
                TextRightAt(p, tip - 3, 15 - th / 2, text);
        }
        if (ws.limitOn[b]) {
            const int y = PH + 30 - RoundHalfEven(AxisRatio(ws, b, ws.limitValue[b]) * PH);
            p.setPen(QPen(kLimitColor, 1, Qt::DashLine));
            p.drawLine(37, y, PW + 55, y);
            const int tip = ws.objSense[b] == 1 ? y - 12 : y + 12;
            Arrow(p, QPointF(PW + 55, y), QPointF(PW + 55, tip), kLimitColor);
            p.setPen(Qt::black);
            TextRightAt(p, PW + 51, tip - th / 2, LimitText(ws, b));
        }
    }
    return image;
}

// ---- Three-objective chart -------------------------------------------------

BasketTriLayout ComputeBasketTriLayout(QSize client)
{
    BasketTriLayout l;
    const int Wd = client.width();
    const int Ht = client.height();
    l.s2 = RoundHalfEven((Ht - 30) * 0.6L);
    l.cx = Wd / 2;
    l.cy = l.s2 + 30;
    l.s1 = RoundHalfEven((l.cx - 30) / kCos5);
    l.s3 = std::min(RoundHalfEven((l.cx - 30) / kCos30), RoundHalfEven((Ht - l.s2 - 30 - l.s1 * kSin5) / kSin30));
    l.pictureSize = QSize(2 * l.cx, 2 * l.cy - 20);
    return l;
}

namespace {

// The picture point of the scaled lengths u1, u2, u3 on the three axes.
QPoint TriPoint(const BasketTriLayout& l, Real u1, Real u2, Real u3)
{
    return {l.cx + RoundHalfEven(u1 * kCos5 - u3 * kCos30), l.cy - RoundHalfEven(u2 - u1 * kSin5 - u3 * kSin30)};
}

QPoint AxisPoint(const BasketTriLayout& l, int axis, Real length)
{
    switch (axis) {
    case 1: return TriPoint(l, length, 0, 0);
    case 2: return TriPoint(l, 0, length, 0);
    default: return TriPoint(l, 0, 0, length);
    }
}

} // namespace

QPoint MapBasketTriPoint(const Workspace& ws, const BasketTriLayout& l, const vectorObj& f)
{
    return TriPoint(l, AxisRatio(ws, 1, f[1]) * l.s1, AxisRatio(ws, 2, f[2]) * l.s2, AxisRatio(ws, 3, f[3]) * l.s3);
}

QImage DrawBasketTriChart(const Workspace& ws, QSize client)
{
    const BasketTriLayout l = ComputeBasketTriLayout(client);
    QImage image = BlankPicture(l.pictureSize);
    if (ObjectiveCount(ws) < 3)
        return image;

    QPainter p(&image);
    const QFont font = BasketChartFont(client);
    p.setFont(font);
    const int th = p.fontMetrics().height();
    const QPoint origin(l.cx, l.cy);
    const int lengths[4] = {0, l.s1, l.s2, l.s3};

    // Axes reaching 15 pixels beyond their scaled lengths, arrowheads, and
    // ticks at the scaled lengths.
    for (int axis = 1; axis <= 3; ++axis) {
        const QPoint tip = AxisPoint(l, axis, lengths[axis] + 15);
        const QPoint tick = AxisPoint(l, axis, lengths[axis]);
        const QPointF d = QPointF(tip - origin);
        const qreal length = std::hypot(d.x(), d.y());
        if (length <= 0)
            continue;
        const QPointF unit = d / length;
        const QPointF normal(-unit.y(), unit.x());
        const QPointF base = QPointF(tip) - 9 * unit;
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(origin, base.toPoint());
        FilledPolygon(p, QPolygonF{QPointF(tip), base + 3 * normal, base - 3 * normal}, Qt::black);
        p.setPen(QPen(Qt::black, 1));
        p.drawLine((QPointF(tick) + 4 * normal).toPoint(), (QPointF(tick) - 4 * normal).toPoint());
    }

    // Names at the tips.
    p.setPen(Qt::black);
    const int right = l.pictureSize.width() - 2;
    const QPoint tip1 = AxisPoint(l, 1, l.s1 + 15);
    const QPoint tip2 = AxisPoint(l, 2, l.s2 + 15);
    const QPoint tip3 = AxisPoint(l, 3, l.s3 + 15);
    TextRightAt(p, std::min(tip1.x(), right), tip1.y() - 5 - th, ws.objName[1]);
    TextAt(p, tip2.x() + 8, tip2.y() - th / 2, ws.objName[2]);
    TextAt(p, std::max(2, tip3.x() - 2), tip3.y() + 5, ws.objName[3]);

    // Bounds: the low ones around the origin, the high ones at the ticks.
    TextAt(p, l.cx + 6, l.cy + 6, BoundText(ws.AxisLow[1]));
    TextRightAt(p, l.cx - 6, l.cy - 3 - th, BoundText(ws.AxisLow[2]));
    TextAt(p, l.cx - 14, l.cy + 7 + th, BoundText(ws.AxisLow[3]));
    const QPoint tick1 = AxisPoint(l, 1, l.s1);
    const QPoint tick3 = AxisPoint(l, 3, l.s3);
    const QString high1 = BoundText(ws.AxisHigh[1]);
    const int w1 = p.fontMetrics().horizontalAdvance(high1);
    TextAt(p, std::min(tick1.x() - w1 / 2, right - w1), tick1.y() + 6, high1);
    TextRightAt(p, l.cx - 6, 30 - th / 2, BoundText(ws.AxisHigh[2]));
    QFont italic = font;
    italic.setItalic(true);
    p.setFont(italic);
    TextAt(p, tick3.x() + 8, tick3.y() - 2, BoundText(ws.AxisHigh[3]));
    p.setFont(font);

    const auto at = [&](int s) { return MapBasketTriPoint(ws, l, ws.basket[static_cast<std::size_t>(s)].f); };
    PlotSolutions(p, ws, at, SolutionMarks{th, 4, 3, 0});
    return image;
}

// ---- Any chart -------------------------------------------------------------

QImage DrawBasketChart(const Workspace& ws, const BasketChartPlan& plan, QSize client, const std::vector<int>& order)
{
    switch (plan.kind) {
    case BasketChartKind::Bars: return DrawBasketBarChart(ws, client, order);
    case BasketChartKind::Points: return DrawBasketPointChart(ws, plan.a, plan.b, client);
    case BasketChartKind::ThreeObjectives: return DrawBasketTriChart(ws, client);
    }
    return BlankPicture(client);
}

bool MarkUnstoredSolution(QImage& picture, const Workspace& ws, const BasketChartPlan& plan, QSize client,
                          const vectorObj& f, Color colour)
{
    const int k = ObjectiveCount(ws);
    QPoint c;
    if (plan.kind == BasketChartKind::Points && plan.a >= 1 && plan.a <= k && plan.b >= 1 && plan.b <= k)
        c = MapBasketPoint(ws, ComputeBasketPointLayout(client), plan.a, plan.b, f);
    else if (plan.kind == BasketChartKind::ThreeObjectives && k >= 3)
        c = MapBasketTriPoint(ws, ComputeBasketTriLayout(client), f);
    else
        return false;
    if (picture.isNull())
        return false;
    QPainter p(&picture);
    Dot(p, c, 3, ToQColor(colour));
    return true;
}

// ---- Line chart ------------------------------------------------------------

LineSeriesStyle LineChartSeriesStyle(int i)
{
    // Colours as R + 256 G + 65536 B.
    static const LineSeriesStyle kStyles[kLineChartSeries] = {
        {QStringLiteral("F1"), 6184448, LineMark::Circle},
        {QStringLiteral("F2"), 210, LineMark::Rectangle},
        {QStringLiteral("F3"), 40863, LineMark::Triangle},
        {QStringLiteral("F4"), 27865, LineMark::Diamond},
        {QStringLiteral("F5"), 12272779, LineMark::LeftTriangle},
        {QStringLiteral("F6"), 2744811, LineMark::RightTriangle},
        {QStringLiteral("F7"), rgbColor(128, 0, 128), LineMark::Cross},
        {QStringLiteral("F8"), 8388863, LineMark::Star},
        {QStringLiteral("F9"), 11184640, LineMark::DiagonalCross},
        {QStringLiteral("F10"), 4194432, LineMark::DownTriangle},
    };
    return kStyles[std::clamp(i, 1, kLineChartSeries) - 1];
}

int SolutionTickStep(int solutions, int axisWidth, int labelWidth)
{
    constexpr int kLabelGap = 8;
    const int fitting = std::max(1, axisWidth / std::max(1, labelWidth + kLabelGap));
    // Labels at 1, 1 + step, ...: (solutions - 1) / step + 1 of them.
    for (int decade = 1;; decade *= 10) {
        for (const int mantissa : {1, 2, 5}) {
            const int step = mantissa * decade;
            if ((std::max(solutions, 1) - 1) / step + 1 <= fitting || step >= solutions)
                return step;
        }
    }
}

std::vector<std::vector<QPointF>> LineChartSeriesData(const Workspace& ws)
{
    const int series = std::min(ObjectiveCount(ws), kLineChartSeries);
    const int n = SolutionCount(ws);
    std::vector<std::vector<QPointF>> data(static_cast<std::size_t>(series));
    for (int i = 1; i <= series; ++i) {
        auto& points = data[static_cast<std::size_t>(i - 1)];
        points.reserve(static_cast<std::size_t>(n));
        for (int s = 1; s <= n; ++s)
            points.emplace_back(s, static_cast<double>(ws.basket[static_cast<std::size_t>(s)].f[i]));
    }
    return data;
}
