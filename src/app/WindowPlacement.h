#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// Where the main window's frame opens, from the frame corner stored when the
// window was last closed. The stored corner is used as it is while the title
// bar stays within reach on some screen, even when the rest of the window
// sticks out. Otherwise (a screen unplugged since, a hand-edited store) the
// frame goes fully onto the screen nearest to it; a frame larger than that
// screen goes to its top-left corner.
//   frameSize         the window with its frame
//   availableScreens  each screen's area free of panels, in desktop coordinates
QPoint placeWindowFrame(QPoint storedCorner, QSize frameSize, const QList<QRect>& availableScreens);
