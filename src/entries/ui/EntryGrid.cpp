#include "entries/ui/EntryGrid.h"

#include "common/ui/UiFonts.h"
#include "entries/EntryFile.h"

#include <QHeaderView>

QStringList entryGridTitles() {
    return {QStringLiteral("開催回"), QStringLiteral("①"), QStringLiteral("②"),
            QStringLiteral("③"),      QStringLiteral("④"), QStringLiteral("⑤"),
            QStringLiteral("⑥"),      QStringLiteral("⑦")};
}

StringGrid* makeEntryGrid(QWidget* parent, const QString& name, StringGrid::Highlight highlight,
                          StringGrid::Placement placement) {
    auto* grid = new StringGrid(kEntryFields, highlight, placement, parent);
    grid->setObjectName(name);
    grid->setFont(gothicFont(24, true));
    grid->horizontalHeader()->setFont(gothicFont(14));
    grid->setDataRowHeight(28);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return grid;
}
