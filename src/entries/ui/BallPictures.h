#pragma once

#include <QColor>
#include <QPixmap>

// The pictures of the 37 numbers: a coloured disc with the number on it, in a
// cycle of six colours, outside the disc transparent. Drawn once on first use
// and shared by the board buttons and the selection images.
QColor ballDiscColour(int number);
QColor ballDigitColour(int number);
const QPixmap& ballPicture(int number); // number 1..37
