#include "weightspace/ContractedConeView.h"

#include "weightspace/WeightSpaceView.h"

#include <QPainter>

#include <algorithm>
#include <set>

namespace {

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);

constexpr int kLegendRowHeight = 12;
// Room below the last legend row.
constexpr int kLegendBottom = 3;

// The cone's two generators at the ends of the strip: "λ=(0,1)" and "λ=(1,0)".
QString stripLabel(char first, char second)
{
    return LambdaText("=(") + QLatin1Char(first) + QLatin1Char(',') + QLatin1Char(second) + QLatin1Char(')');
}

} // namespace

ContractedConeView::ContractedConeView(const Workspace& ws) : WeightSpaceCanvas(ws), ws_(ws) {}

void ContractedConeView::followLook(const WeightSpaceView& view)
{
    patternFill_ = view.patternFill();
    geometry_.projection = view.geometry().projection;
    setLabelMarks(view.labels() != RegionLabels::None, view.labels() == RegionLabels::InWhite);
}

void ContractedConeView::prepare(int objectives)
{
    geometry_.objectives = objectives;
    const QFont font = WeightSpaceFont();
    labelWidth_ = TextWidth(font, objectives == 3 ? LambdaText("1") : stripLabel('1', '0'));
    const int side = geometry_.side();
    // Wider than the frame alone, so that the legend column stays in the
    // picture at every zoom.
    const QSize needed(legendX() + kLegendWidth, geometry_.topMargin() + side + 19);
    freshPicture(needed);
    extent_ = QSize(needed.width(), geometry_.topMargin() + geometry_.spaceHeight() + 19);
}

void ContractedConeView::drawStripLabels(QPainter& p)
{
    const QPoint a = geometry_.WeightToPixel(0, 0);
    const QPoint b = geometry_.WeightToPixel(1, 0);
    DrawTextAt(p, 10, a.y() + 5, stripLabel('0', '1'));
    DrawTextAt(p, b.x() - labelWidth_ + 3, b.y() + 5, stripLabel('1', '0'));
}

void ContractedConeView::setLabelMarks(bool coneLabels, bool inWhite)
{
    coneLabels_ = coneLabels;
    inWhite_ = inWhite;
}

RegionFill ContractedConeView::solutionFill(int b) const
{
    if (!patternFill_)
        return RegionFill::Solid;
    const int r = b >= 1 && b <= ws_.basketCount ? ws_.basket[b].indRegIndif : 0;
    return PatternFill(r);
}

int ContractedConeView::distinctSolutions() const
{
    std::set<int> seen;
    const int count = std::min<int>(ws_.icwCount, static_cast<int>(ws_.icwSolutions.size()) - 1);
    for (int j = 1; j <= count; ++j)
        seen.insert(ws_.icwSolutions[static_cast<std::size_t>(j)]);
    return static_cast<int>(seen.size());
}

void ContractedConeView::makeRoomForLegend(int rows)
{
    const int bottom = kLegendRowHeight * rows + kLegendBottom;
    extent_.setHeight(std::max(extent_.height(), bottom));
    if (bottom <= picture_.height())
        return;
    QImage taller(picture_.width(), bottom, QImage::Format_RGB32);
    taller.fill(kWhite);
    picture_ = taller;
}

void ContractedConeView::RedrawTriangulo()
{
    if (!initialised())
        return;
    makeRoomForLegend(distinctSolutions());
    picture_.fill(kWhite);
    DrawFrame();
    const int count = std::min<int>(ws_.icwCount, static_cast<int>(ws_.icwSolutions.size()) - 1);
    const int regions = static_cast<int>(ws_.icwRegions.size()) - 1;
    int c = 0;
    for (int j = 1; j <= count; ++j) {
        const int b = ws_.icwSolutions[static_cast<std::size_t>(j)];
        const bool known = b >= 1 && b <= ws_.basketCount;
        const QColor colour = known ? ToQColor(ws_.basket[b].cor) : kWhite;
        const RegionFill fill = solutionFill(b);
        if (j <= regions) {
            const QPolygon points = RegionPixels(geometry_, ws_.icwRegions[static_cast<std::size_t>(j)]);
            if (!points.isEmpty()) {
                DrawPixelPolygon(picture_, points, fill, kBlack, OutlineStyle::Solid, colour);
                if (coneLabels_ && b >= 1)
                    DrawRegionNumber(picture_, points, b, patternFill_, inWhite_);
            }
        }
        DrawFrame();
        const auto first = ws_.icwSolutions.begin() + 1;
        if (std::find(first, first + (j - 1), b) != first + (j - 1))
            continue;
        ++c;
        const int x = legendX();
        const int y = kLegendRowHeight * (c - 1) + 1;
        QPainter p(&picture_);
        DrawLegendSwatch(p, x, y, colour, fill);
        p.setFont(WeightSpaceFont());
        p.setPen(kBlack);
        DrawTextAt(p, x + 13, y, QString::number(b));
    }
    if (weightDots_ && ws_.icwCount > 0)
        drawWeightDots();
}

void ContractedConeView::drawWeightDots()
{
    for (int i = 1; i <= 2 * ws_.numObjectives + 1 && i <= MaxIcwVectors; ++i)
        desenhaPontinho(ws_.icwWeights[i]);
}

bool ContractedConeView::drawIteration(const WeightSpaceView& view)
{
    const bool firstTime = ws_.methodIteration == 2 || !initialised();
    if (firstTime) {
        initialise(true);
        followLook(view);
    }
    setLabelMarks(view.labels() != RegionLabels::None, view.labels() == RegionLabels::InWhite);
    RedrawTriangulo();
    return firstTime;
}
