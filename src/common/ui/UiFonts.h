#pragma once

#include <QColor>
#include <QFont>

// The window's fonts: the Japanese families the layout was made with first,
// then the Noto CJK families that Linux systems carry.
QFont gothicFont(int pixelSize, bool bold = false);      // proportional Gothic
QFont fixedGothicFont(int pixelSize, bool bold = false); // fixed-pitch Gothic

// Colours of the striped lists.
inline const QColor kStripeGreen(150, 245, 150);
inline const QColor kNavy(0, 0, 128);
inline const QColor kFuchsia(255, 0, 255);
