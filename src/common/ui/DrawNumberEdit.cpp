#include "common/ui/DrawNumberEdit.h"

#include "common/ui/UiFonts.h"

#include <QGroupBox>
#include <QLabel>

TDrawNumberEdit::TDrawNumberEdit(QWidget* parent) : TSpinEdit(1, 9999, 4, parent) {
    setAlignment(Qt::AlignCenter);
}

DrawNumberRow makeDrawNumberRow(QWidget* page, const QString& groupName, const QString& labelName,
                                const QString& editName) {
    auto* group = new QGroupBox(page);
    group->setObjectName(groupName);
    group->setGeometry(6, 4, 620, 448);

    auto* label = new QLabel(QStringLiteral("開催回"), group);
    label->setObjectName(labelName);
    label->setGeometry(14, 20, 50, 24);
    label->setFont(gothicFont(14, true));

    auto* edit = new TDrawNumberEdit(group);
    edit->setObjectName(editName);
    edit->setGeometry(64, 14, 90, 34);
    edit->setFont(gothicFont(16, true));
    return {group, edit};
}
