#pragma once

#include "weightspace/WeightSpaceGeometry.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPolygon>
#include <QString>

class QImage;
class QPainter;

// The drawing rules that the weight space view and the contracted cone view
// share: the frame, the polygons with their fills and outlines, the numbers
// written inside regions, the legend swatches and the dots of weight
// vectors. Every function draws onto a picture laid out by `g`; none keeps
// anything.

// How solution numbers are written inside their regions.
enum class RegionLabels { InWhite, InBlack, None };

// Fill of a polygon: solid or one of six hatches drawn in the brush colour
// over what is already there.
enum class RegionFill { Solid, BackDiagonal, ForwardDiagonal, Horizontal, Vertical, Cross, DiagonalCross };

enum class OutlineStyle { Solid, Dashed, Dotted, Invisible };

// Fonts of the pictures: the legend and corner labels, and the numbers
// written inside regions.
QFont WeightSpaceFont();
QFont RegionLabelFont();

// The hatch of region r (its index in a region list) when regions are
// patterned: r mod 6 picks backward diagonals, crosses, diagonal crosses,
// forward diagonals, horizontal or vertical lines.
RegionFill PatternFill(int r);

// "λ" followed by `rest`, for the corner labels.
QString LambdaText(const char* rest);
int TextWidth(const QFont& font, const QString& text);
// Text with its top-left corner at (x, y), as legends and labels place it.
void DrawTextAt(QPainter& p, int x, int y, const QString& text);

// The black border of the triangle or of the strip, two pixels wide, without
// labels; the pen is one pixel wide afterwards.
void DrawFrameBorder(QPainter& p, const WeightSpaceGeometry& g);
// The corner labels λ3, λ1 and λ2 of the triangle; `labelWidth` is the width
// of λ1's label.
void DrawTriangleLabels(QPainter& p, const WeightSpaceGeometry& g, int labelWidth);

// The pixel polygon of a region: its vertices (three objectives) or the part
// of the strip above the segment from vertex 1 to vertex 2 (two).
QPolygon RegionPixels(const WeightSpaceGeometry& g, const UmaRegIndif& polygon);
void DrawPixelPolygon(QImage& picture, const QPolygon& points, RegionFill fill, QColor pen, OutlineStyle penStyle,
                      QColor brush);
// `label` in decimal near the mean of the points: bold black on patterned
// regions, otherwise white or black as `inWhite` says.
void DrawRegionNumber(QImage& picture, const QPolygon& points, int label, bool patterned, bool inWhite);
// A 10 x 10 legend swatch with its top-left corner at (x, y), black border.
void DrawLegendSwatch(QPainter& p, int x, int y, QColor colour, RegionFill fill);
// The dot of a weight vector (weights[1], weights[2]): a circle of radius 4,
// grey inside on patterned pictures, else white.
void DrawWeightDot(QImage& picture, const WeightSpaceGeometry& g, const vectorObj& weights, bool patterned);

QColor ToQColor(Color c);

// The smallest rectangle holding every pixel of `picture` that is not
// `background`, grown by `margin` on each side within the picture; the
// whole picture when it is all background.
QRect ContentRect(const QImage& picture, QColor background, int margin);

// A brush of `colour` with the solid fill or the hatch of `fill`.
QBrush RegionBrush(QColor colour, RegionFill fill);
