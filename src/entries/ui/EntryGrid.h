#pragma once

#include "common/ui/StringGrid.h"

#include <QStringList>

// Titles of a grid of ticket lines: the draw number, then the seven numbers.
QStringList entryGridTitles();

// A grid of ticket lines (one entry per row) as the main and lookup tabs show
// them: large bold numbers in 28-pixel rows, a vertical scroll bar only.
StringGrid* makeEntryGrid(QWidget* parent, const QString& name, StringGrid::Highlight highlight,
                          StringGrid::Placement placement);
