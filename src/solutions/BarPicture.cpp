#include "solutions/BarPicture.h"

#include "solutions/Tolerances.h"
#include "base/NumberFormat.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMinBarWidth = 12;
constexpr int kMaxBarWidth = 30;
constexpr int kMinBarMaxHeight = 30;
constexpr int kFrameTop = 30;      // y of the grey line over the groups
constexpr int kNameGap = 4;        // least room between two groups' names
constexpr int kArrowLength = 9;
constexpr int kArrowLift = 3;      // room between a trend arrow and the baseline

QColor ToQColor(Color c) { return QColor(int(colorRed(c)), int(colorGreen(c)), int(colorBlue(c))); }

int RoundHalfEven(Real v)
{
    Real r = std::floor(v);
    const Real d = v - r;
    if (d > 0.5L || (d == 0.5L && std::fmod(r, 2.0L) != 0))
        r += 1;
    return static_cast<int>(r);
}

QFont BarFont()
{
    QFont font;
    font.setPixelSize(11);
    return font;
}

// A bar as the pixels [x1, x2) x [top, bottom), filled with `fill` and
// outlined in black. A 2-pixel outline straddles the edges as a wide pen
// does: one more pixel to the left and above, one less inside.
void DrawBar(QPainter& painter, int x1, int x2, int top, int bottom, const QColor& fill, int penWidth)
{
    const int outerLeft = x1 - (penWidth - 1);
    const int outerTop = top - (penWidth - 1);
    if (x2 <= outerLeft || bottom <= outerTop)
        return;
    painter.fillRect(QRect(QPoint(outerLeft, outerTop), QPoint(x2 - 1, bottom - 1)), Qt::black);
    const QRect inner(QPoint(x1 + 1, top + 1), QPoint(x2 - penWidth - 1, bottom - penWidth - 1));
    if (inner.isValid())
        painter.fillRect(inner, fill);
}

void DrawTextAt(QPainter& painter, const QFontMetrics& fm, int x, int top, const QString& text)
{
    painter.drawText(x, top + fm.ascent(), text);
}

// The value at a zero bar and at a full bar of objective k.
Real ZeroValue(const Workspace& ws, int k) { return ws.objSense[k] == 1 ? ws.nadirPoint[k] : ws.idealPoint[k]; }
Real FullValue(const Workspace& ws, int k) { return ws.objSense[k] == 1 ? ws.idealPoint[k] : ws.nadirPoint[k]; }

Color ShownColor(Color cor, int i) { return i > 1 && cor == kComputedColor ? kOlderComputedColor : cor; }

} // namespace

int BarTextHeight()
{
    // The line height, as a text-extent query reports it for "F".
    return QFontMetrics(BarFont()).height();
}

BarLayout ComputeBarLayout(const Workspace& ws, QSize paneSize, int textHeight)
{
    BarLayout l;
    const int p = std::max(1, ws.numObjectives);
    const int W = paneSize.width();
    const int H = paneSize.height();
    l.shownCount = std::max(0, std::min<int>(ws.viewLastN, ws.historyCount));
    const int N = l.shownCount;
    l.textHeight = textHeight;
    l.barMaxHeight = std::max(kMinBarMaxHeight, H - 16 - 3 * textHeight - 42);

    // Integer division truncates toward zero, as the layout wants.
    l.barWidth = (W - 16) / (p * (N + 2));
    l.extra = 0;
    if (l.barWidth < kMinBarWidth) {
        l.barWidth = kMinBarWidth;
    } else if (l.barWidth > kMaxBarWidth) {
        l.barWidth = kMaxBarWidth;
        l.extra = (W - 16) - kMaxBarWidth * p * (N + 2);
    }
    l.groupGap = 2 * l.barWidth;
    l.leftMargin = l.barWidth + l.extra / 2; // extra >= 0: trunc of the half
    l.baseline = l.barMaxHeight + kFrameTop;

    const int needWidth = l.barWidth * N * p + (p - 1) * l.groupGap + 2 * l.leftMargin;
    const int needHeight = l.barMaxHeight + 30 + 2 * textHeight + 8;
    l.pictureSize = QSize(std::max(W, needWidth), std::max(H, needHeight));
    return l;
}

int BarHeight(const Workspace& ws, int k, Real x, int barMaxHeight)
{
    const Real I = ws.idealPoint[k];
    const Real D = ws.nadirPoint[k];
    Real e;
    if (ws.objSense[k] == 1) {
        if (I == D)
            e = 1;
        else if (x < D)
            e = 0;
        else
            e = (x - D) / (I - D);
    } else {
        if (I == D)
            e = 0;
        else if (x > D)
            e = 1;
        else
            e = (x - I) / (D - I);
    }
    return RoundHalfEven(e * barMaxHeight);
}

QImage DrawSolutionBars(const Workspace& ws, QSize paneSize, bool thick)
{
    const QFont font = BarFont();
    const QFontMetrics fm(font);
    const BarLayout l = ComputeBarLayout(ws, paneSize, fm.height());
    const int p = std::clamp(ws.numObjectives, 0, MaxObjectives);
    const int N = l.shownCount;
    const int y0 = l.baseline;

    QImage image(l.pictureSize.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(Qt::white);
    if (N < 1 || p < 1)
        return image;

    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);

    // Newest record: bars, then the objective names under the groups.
    const ComputedSolution& newest = ws.history.front();
    const int xxxHalf = fm.horizontalAdvance(QStringLiteral("XXX")) / 2;
    const int nameTop = y0 + 8 + l.textHeight;
    for (int k = 1; k <= p; ++k) {
        int h = BarHeight(ws, k, newest.f[k], l.barMaxHeight);
        if (thick)
            h -= 1;
        const int x = l.barX(k, 1);
        DrawBar(painter, x, x + l.barWidth, y0 - h, y0, ToQColor(newest.cor), thick ? 2 : 1);

        const int nameX = l.groupX(k) + N * l.barWidth / 2 - xxxHalf;
        painter.setPen(Qt::black);
        // A name wider than its group's pitch is cut short rather than run
        // into the next group's name.
        const int room = k < p ? l.groupGap + N * l.barWidth - kNameGap : l.pictureSize.width() - nameX;
        DrawTextAt(painter, fm, nameX, nameTop, fm.elidedText(ws.objName[k], Qt::ElideRight, std::max(room, 1)));
        DrawTextAt(painter, fm, nameX, nameTop + l.textHeight,
                   ws.objSense[k] == 1 ? QStringLiteral("(max)") : QStringLiteral("(min)"));
    }

    // Trend arrows of a method's iterations: the newest value against the
    // previous one, right of the newest bar inside its frame, where they
    // cover neither the bars nor the names under them.
    if ((ws.activeMethod == MethodKind::Stem || ws.activeMethod == MethodKind::ParetoRace) && ws.historyCount >= 2 &&
        ws.history.size() >= 2 && ws.methodIteration >= 2) {
        const ComputedSolution& previous = ws.history[1];
        painter.setPen(QPen(Qt::black, 2));
        for (int k = 1; k <= p; ++k) {
            const int x = l.groupX(k) + N * l.barWidth + (l.frameOverhang() + 1) / 2;
            const int bottom = y0 - kArrowLift;
            const int top = bottom - kArrowLength;
            if (newest.f[k] > previous.f[k] + kTrendTolerance) {
                painter.drawLine(x, bottom, x, top);
                painter.drawLine(x - 3, top + 3, x, top);
                painter.drawLine(x + 3, top + 3, x, top);
            } else if (newest.f[k] < previous.f[k] - kTrendTolerance) {
                painter.drawLine(x, top, x, bottom);
                painter.drawLine(x - 3, bottom - 3, x, bottom);
                painter.drawLine(x + 3, bottom - 3, x, bottom);
            }
        }
        painter.setPen(Qt::black);
    }

    // Older records, thin outlines.
    for (int i = 2; i <= N; ++i) {
        const ComputedSolution& rec = ws.history[static_cast<std::size_t>(i - 1)];
        const QColor fill = ToQColor(ShownColor(rec.cor, i));
        for (int k = 1; k <= p; ++k) {
            const int h = BarHeight(ws, k, rec.f[k], l.barMaxHeight);
            const int x = l.barX(k, i);
            DrawBar(painter, x, x + l.barWidth, y0 - h, y0, fill, 1);
        }
    }

    // Frames: black baseline, grey top line, grey sides when several
    // records are shown.
    const int t = l.frameOverhang();
    for (int k = 1; k <= p; ++k) {
        const int left = l.groupX(k) - t;
        const int right = l.groupX(k) + N * l.barWidth + t;
        painter.setPen(QPen(Qt::black, 1));
        painter.drawLine(left, y0, right, y0);
        painter.setPen(QPen(kButtonShadowGrey, 1));
        painter.drawLine(left, kFrameTop, right, kFrameTop);
        if (N >= 2) {
            painter.drawLine(left, y0, left, kFrameTop);
            painter.drawLine(right, y0, right, kFrameTop);
        }
    }

    // Range labels: the zero-bar value under the baseline, the full-bar
    // value over the frame, both placed by the width of the upper one.
    painter.setPen(Qt::black);
    for (int k = 1; k <= p; ++k) {
        const QString lower = GeneralFormat(ZeroValue(ws, k), 5);
        const QString upper = GeneralFormat(FullValue(ws, k), 5);
        const int x = l.groupX(k) + std::max(0, (N * l.barWidth - fm.horizontalAdvance(upper)) / 2);
        DrawTextAt(painter, fm, x, y0 + 4, lower);
        DrawTextAt(painter, fm, x, 26 - l.textHeight, upper);
    }

    // Limitation lines at the height a bar of the limit value would reach.
    if (ws.limitsActive) {
        for (int k = 1; k <= p; ++k) {
            if (!ws.limitOn[k])
                continue;
            const Real L = ws.limitValue[k];
            const Real zero = ZeroValue(ws, k);
            const Real full = FullValue(ws, k);
            // A range of no width: where BarHeight puts such a bar.
            const Real ratio = full == zero ? (ws.objSense[k] == 1 ? 1 : 0) : (L - zero) / (full - zero);
            // A limit outside the range stays at the frame's edge, off the
            // range labels and the names.
            const int y = std::clamp(kFrameTop + l.barMaxHeight - RoundHalfEven(l.barMaxHeight * ratio), kFrameTop, y0);
            const int x1 = l.groupX(k) - 5;
            const int x2 = l.groupX(k) + N * l.barWidth + 5;
            painter.setPen(QPen(kLimitLineGrey, 2, Qt::DotLine));
            painter.drawLine(x1, y, x2, y);

            const QString text = GeneralFormat(L, 4);
            const int w = fm.horizontalAdvance(text);
            QRect box((x1 + x2) / 2 - w, y - l.textHeight / 2, w, l.textHeight);
            if (box.bottom() >= y0)
                box.moveBottom(y0 - 1);
            if (box.top() <= kFrameTop)
                box.moveTop(kFrameTop + 1);
            painter.fillRect(box, Qt::white);
            painter.setPen(kLimitTextGrey);
            DrawTextAt(painter, fm, box.left(), box.top(), text);
        }
        painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
        painter.setBrush(Qt::NoBrush);
    }
    painter.end();
    return image;
}
