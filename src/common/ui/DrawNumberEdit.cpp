#include "common/ui/DrawNumberEdit.h"

#include "common/ui/UiFonts.h"

#include <QGroupBox>
#include <QLabel>

namespace {
// Where each control sits, in pixels of its parent.
namespace geometry {
constexpr QRect kGroup{6, 4, 620, 448}; // on the page
constexpr QRect kCaption{14, 20, 50, 24}, kEdit{64, 14, 90, 34};
} // namespace geometry
} // namespace

TDrawNumberEdit::TDrawNumberEdit(QWidget* parent) : TSpinEdit(1, 9999, 4, parent) {
    setAlignment(Qt::AlignCenter);
}

DrawNumberRow makeDrawNumberRow(QWidget* page, const QString& groupName, const QString& labelName,
                                const QString& editName) {
    auto* group = new QGroupBox(page);
    group->setObjectName(groupName);
    group->setGeometry(geometry::kGroup);

    auto* label = new QLabel(QStringLiteral("開催回"), group);
    label->setObjectName(labelName);
    label->setGeometry(geometry::kCaption);
    label->setFont(gothicFont(14, true));

    auto* edit = new TDrawNumberEdit(group);
    edit->setObjectName(editName);
    edit->setGeometry(geometry::kEdit);
    edit->setFont(gothicFont(16, true));
    return {group, edit};
}
