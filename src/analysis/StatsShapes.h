#pragma once

#include "analysis/Stats.h"

// The shapes page: how the draws spread over a figure of the whole line (its
// sum, odd numbers, ...) beside the exact share of all 10,295,472 lines.

enum class Shape { Sum, Odd, Low, LongestRun, Shared, Count };
inline constexpr int kShapeCount = static_cast<int>(Shape::Count);
// "合計", "奇数の個数", "1～18の個数", "最長の連番", "前回と共通の個数".
QString shapeName(Shape shape);

// The sums are shown in bands of this width: 20–29, 30–39, ...
inline constexpr int kSumBand = 10;

// One value of a figure (a band of sums) that chance can give, and how many
// of all lines give it. For the numbers shared with the previous draw the
// lines are those of any one previous draw.
struct ShapeValue {
    int low = 0;
    int high = 0; // low, except for a band of sums
    qint64 lines = 0;
};
// Every value of the shape with at least one line, ascending; computed once.
const QVector<ShapeValue>& shapeValues(Shape shape);

struct ShapeRow {
    QString label; // "20～29", "3"
    int count = 0;
    double share = 0;       // of the draws compared
    double chanceShare = 0; // of all lines
    double expected = 0;    // draws compared x chanceShare
};

// Chi-square over the rows, neighbours merged until each expects at least 5.
struct ShapeTest {
    double chiSquare = 0;
    int degrees = 0; // merged rows - 1; 0: too few draws to judge
    double p = 1.0;
};
ShapeTest shapeTest(const QVector<ShapeRow>& rows);

struct ShapePage {
    Shape shape = Shape::Sum;
    StatsRange range;
    // The draws compared: all of the range, but for the numbers shared with
    // the previous draw only those whose previous draw the table holds.
    int draws = 0;
    QVector<ShapeRow> rows;
    ShapeTest test;
};
ShapePage shapePage(const DrawTable& table, int draws, Shape shape);
// "合計の分布は偶然の範囲内です（χ² = 4.1、自由度 6、p = 0.66）。", or "…偶然より
// 偏っています…" when p < 0.05.
QString shapeTestText(const ShapePage& page);

// The columns of the shape grid, in order.
enum class ShapeColumn { Value, Draws, Share, ChanceShare, Expected, Count };
inline constexpr int kShapeColumns = static_cast<int>(ShapeColumn::Count);
QStringList shapeHeaders(Shape shape);
QStringList shapeRowTexts(const ShapeRow& row);
