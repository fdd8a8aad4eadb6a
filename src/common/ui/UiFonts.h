#pragma once

#include <QFont>

// The window's fonts: the Japanese families the layout was made with first,
// then the Noto CJK families that Linux systems carry.
QFont gothicFont(int pixelSize, bool bold = false);      // proportional Gothic
QFont fixedGothicFont(int pixelSize, bool bold = false); // fixed-pitch Gothic
QFont gothicPointFont(int pointSize, bool bold = false); // proportional Gothic sized in points
QFont minchoFont(int pixelSize);                         // Mincho (serif)
QFont proportionalMinchoFont(int pixelSize);             // proportional Mincho
QFont latinSerifFont(int pixelSize, bool bold = false);  // the product name's Latin serif
QFont latinSansFont(int pixelSize, bool bold = false);   // digits on the number pictures
// The application's default font, set so that a widget keeps it whatever its
// parent's font.
QFont applicationFont();
