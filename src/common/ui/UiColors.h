#pragma once

#include <QColor>

// Every colour the window paints with, named once. Pages refer to these names;
// a colour typed as numbers elsewhere is a colour this list has lost.

// The basic palette: captions, button texts, number pictures.
inline constexpr QColor kBlack(0, 0, 0);
inline constexpr QColor kWhite(255, 255, 255);
inline constexpr QColor kRed(255, 0, 0);
inline constexpr QColor kBlue(0, 0, 255);
inline constexpr QColor kNavy(0, 0, 128);
inline constexpr QColor kTeal(0, 128, 128);
inline constexpr QColor kFuchsia(255, 0, 255);
inline constexpr QColor kYellow(255, 255, 0);
inline constexpr QColor kLime(0, 255, 0);
inline constexpr QColor kAqua(0, 255, 255);
inline constexpr QColor kGrey(128, 128, 128);

// Every second row of the striped lists.
inline constexpr QColor kStripeGreen(150, 245, 150);

// A ledger row whose claim deadline is near.
inline constexpr QColor kNearDeadline(255, 255, 128);
// The text of a ledger row whose claim deadline has passed: dimmed, yet with
// a contrast above 4.5 : 1 on white and on the green stripe alike.
inline constexpr QColor kExpired(90, 90, 90);

// The tabs of the excluded-numbers table.
inline constexpr QColor kTabBorder(160, 160, 160);
inline constexpr QColor kTabBackground(220, 220, 220);

// The charts: a grey backdrop, hatched walls and a silver plot floor.
inline constexpr QColor kChartBackdrop(208, 208, 208);
inline constexpr QColor kChartWall(168, 168, 168);
inline constexpr QColor kChartFloor(192, 192, 192);
inline constexpr QColor kChartWallEdge(120, 120, 120);
inline constexpr QColor kChartBlue(0, 0, 220);              // a series line; the winnings
inline constexpr QColor kChartRed(200, 0, 0);               // the spending
inline constexpr QColor kChartMarkFill(255, 255, 240, 215); // keeps marks legible over lines

// The statistics: a count above or below what chance gives (and the heat
// map's ends), the heat map's empty diagonal, a number away unusually long.
inline constexpr QColor kStatsMore(214, 48, 32);
inline constexpr QColor kStatsFewer(32, 80, 214);
inline constexpr QColor kStatsDiagonal(192, 192, 192);
inline constexpr QColor kStatsRareGap(255, 214, 150);
// The statistics charts: the real counts and what chance gives.
inline constexpr QColor kStatsBar(70, 110, 200);
inline constexpr QColor kStatsExpectedBar(150, 150, 150);
