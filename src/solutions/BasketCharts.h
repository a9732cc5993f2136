#pragma once

#include "base/Colors.h"
#include "workspace/Workspace.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <vector>

// Pictures of the Solution Basket for the graphs window: the bar chart (one
// group of bars per objective), the point chart of two objectives and the
// three-objective chart, with the adjacency edges, the active limitations and
// the mark of a computed solution that was not stored. Everything here draws
// on a QImage of exact geometry; the window only shows the pictures.
//
// The layouts are computed from the client area of the window (Wd x Ht, the
// picture area without scroll bars) and the text height th of "F" in the
// chart font. round() is to the nearest integer with halves to even,
// trunc() drops the fraction. The drawing functions need a QGuiApplication
// for the fonts.

// Chart fonts: the labels, and the small font of the indices inside bars.
// The labels grow with the client area of a large window (one pixel of
// text height per 44 pixels of its smaller side, 11 at least), so that a
// maximised chart stays readable; without a size they are 11 pixels high.
QFont BasketChartFont(QSize client = QSize());
QFont BasketBarIndexFont();
// Height of the text "F" in BasketChartFont(client).
int BasketChartTextHeight(QSize client = QSize());

// ---- Which chart to draw -------------------------------------------------

enum class BasketChartKind { Bars, Points, ThreeObjectives };

// Items of the projections list of a three-objective problem, in order.
QStringList BasketProjectionItems();
constexpr int kProjectionAll = 0; // "F1 - F2 - F3"

// The graphs window's decision from the number of objectives k, the state of
// its chart buttons and the projections list: with k >= 4 (or k < 2) the
// point chart is not offered and the bar chart is pressed instead; "Sort
// solutions" goes with the bar chart, the projections list with the point
// chart of three objectives.
struct BasketChartPlan {
    BasketChartKind kind = BasketChartKind::Bars;
    int a = 1;                    // horizontal objective of a point chart
    int b = 2;                    // vertical objective of a point chart
    bool barPressed = true;       // the bar chart button, after the rule above
    bool pointEnabled = false;    // the point chart button
    bool sortVisible = true;      // "Sort solutions"
    bool projectionsVisible = false;
};
BasketChartPlan PlanBasketChart(int k, bool barPressed, int projection);

// ---- Axis bounds -----------------------------------------------------------

// Before every drawing. Until the user has changed them, the axis of each
// objective runs from its worse end to its better end of the ideal-nadir box
// (low = nadir, high = ideal for a maximized objective; the reverse for a
// minimized one). After that the user's bounds are only widened, so that the
// whole box stays inside the axes.
void UpdateAxisBounds(Workspace& ws);

// What the axis bounds dialog's "Change" gives: `accepted` when every typed
// text converts and every Max exceeds its Min; then `low`/`high` hold the new
// bounds and `changed` tells whether any of them differs from the old one.
// A text left exactly as it was shown (NumText of the old bound) keeps the
// old bound with its full precision. One message per objective whose Max is
// not above its Min; texts that are not numbers are refused silently.
struct AxisBoundsEdit {
    bool accepted = false;
    bool changed = false;
    vectorObj low{};
    vectorObj high{};
    QStringList messages;
};
// minTexts[i - 1] / maxTexts[i - 1] are the typed texts of objective i.
AxisBoundsEdit EditAxisBounds(int k, const vectorObj& low, const vectorObj& high, const QStringList& minTexts,
                              const QStringList& maxTexts);

// ---- Bar chart -------------------------------------------------------------

// Bar width W = trunc(Wd / (k * (N + 1.5))) for N solutions, at least 10
// (narrower bars take 10 and leave 16 pixels of height to the horizontal
// scroll bar); group gap G = trunc(1.5 W); left margin L = trunc(0.75 W);
// bar area height H = Ht - (2 th + 40), at least 0. The picture is
// N*W*k + (k-1)*G + 2L wide and H + 2 th + 38 high.
struct BasketBarLayout {
    int count = 0;        // N, the number of solutions
    int objectives = 0;   // k
    int textHeight = 0;   // th
    int clientHeight = 0; // Ht, less 16 when the bars were widened to 10
    int barWidth = 0;     // W
    int groupGap = 0;     // G
    int leftMargin = 0;   // L
    int barAreaHeight = 0; // H
    bool widened = false; // W was raised to 10
    QSize pictureSize;

    // x of the first bar of objective group i (1-based).
    int groupX(int i) const { return (i - 1) * (barWidth * count + groupGap) + leftMargin; }
    // y of the base line of the bars and of the line over them.
    int baseY() const { return barAreaHeight + 30; }
    static constexpr int topY() { return 30; }
};
BasketBarLayout ComputeBasketBarLayout(int k, int count, QSize client, int textHeight);

// The bar chart of the basket in `order` (order[1..basketCount] are basket
// indices; position 0 is not used). Bar heights use the ideal-nadir scale of
// BarHeight (the nadir already covers the stored solutions, see
// WidenNadirPoint); the labels show the axis bounds.
QImage DrawBasketBarChart(const Workspace& ws, QSize client, const std::vector<int>& order);

// ---- Point chart of two objectives -----------------------------------------

// Plot width PW = Wd - 70, plot height PH = Ht - 60; the picture is
// (PW + 70) x (PH + 60). Objective a runs from x = 40 to x = PW + 40,
// objective b from y = PH + 30 up to y = 30.
struct BasketPointLayout {
    int plotWidth = 0;
    int plotHeight = 0;
    QSize pictureSize;
};
BasketPointLayout ComputeBasketPointLayout(QSize client);
QPoint MapBasketPoint(const Workspace& ws, const BasketPointLayout& layout, int a, int b, const vectorObj& f);
// Axes, bounds, edges, solutions and, when active, the limitations on a and b.
QImage DrawBasketPointChart(const Workspace& ws, int a, int b, QSize client);

// ---- Three-objective chart -------------------------------------------------

// S2 = round((Ht - 30) * 0.6); origin cx = Wd div 2, cy = S2 + 30;
// S1 = round((cx - 30) / cos 5deg);
// S3 = min(round((cx - 30) / cos 30deg), round((Ht - S2 - 30 - S1 sin 5deg) / 0.5)).
// Axis 1 points right and 5 degrees down, axis 2 up, axis 3 left and 30
// degrees down. The picture is 2 cx x (2 cy - 20).
struct BasketTriLayout {
    int s1 = 0;
    int s2 = 0;
    int s3 = 0;
    int cx = 0;
    int cy = 0;
    QSize pictureSize;
};
BasketTriLayout ComputeBasketTriLayout(QSize client);
QPoint MapBasketTriPoint(const Workspace& ws, const BasketTriLayout& layout, const vectorObj& f);
QImage DrawBasketTriChart(const Workspace& ws, QSize client);

// ---- Any chart -------------------------------------------------------------

// The chart `plan` asks for; `order` is used by the bar chart only.
QImage DrawBasketChart(const Workspace& ws, const BasketChartPlan& plan, QSize client, const std::vector<int>& order);

// Marks a computed solution that is not in the basket on a point or
// three-objective chart drawn for `client`: a filled circle of radius 3 in
// `colour` where the chart maps f. False (nothing drawn) on a bar chart.
bool MarkUnstoredSolution(QImage& picture, const Workspace& ws, const BasketChartPlan& plan, QSize client,
                          const vectorObj& f, Color colour);

// The number of a solution's mark on a point chart: the mark's centre and
// the width of the text.
struct PointLabel {
    QPoint at;
    int width;
};
// Where each number goes so that none covers another: right of and above
// its mark (`lift` pixels higher than a text line of `textHeight` over the
// centre) when that is free of the numbers placed before it, else the first
// free of right and below, left and above, left and below; an empty
// rectangle (the number is left out) when all four are taken.
std::vector<QRect> PlaceLabels(const std::vector<PointLabel>& labels, int textHeight, int lift);

// ---- Line chart ------------------------------------------------------------

// The line chart has series F1..F10 with fixed colours and point marks.
constexpr int kLineChartSeries = 10;
enum class LineMark {
    Circle,
    Rectangle,
    Triangle,
    Diamond,
    LeftTriangle,
    RightTriangle,
    Cross,
    Star,
    DiagonalCross,
    DownTriangle
};
struct LineSeriesStyle {
    QString name;
    Color colour;
    LineMark mark;
};
// Style of series i (1..10).
LineSeriesStyle LineChartSeriesStyle(int i);

// The points of series 1..min(k, 10): (s, basket[s].f[i]) for every stored
// solution s in index order. Element i - 1 is series i.
std::vector<std::vector<QPointF>> LineChartSeriesData(const Workspace& ws);

// Step between numbered solutions on the line chart's solution axis for
// `solutions` points over `axisWidth` pixels: the smallest of 1, 2, 5, 10,
// 20, 50, ... that gives each label `labelWidth` pixels and a gap, so that
// no label is cut short.
int SolutionTickStep(int solutions, int axisWidth, int labelWidth);
