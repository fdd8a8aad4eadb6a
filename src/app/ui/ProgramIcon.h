#pragma once

#include <QIcon>
#include <QPixmap>

// The program's icon, rendered from its SVG drawing at the size asked for.
QPixmap programIconPixmap(int size);
// The icon in the sizes window managers and task bars ask for.
QIcon programIcon();
