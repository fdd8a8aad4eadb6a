#include "analysis/ui/MatchingPage.h"

#include "common/ui/DrawNumberEdit.h"
#include "common/ui/UiFonts.h"

#include <QLabel>

TMatchingPage::TMatchingPage(QWidget* parent)
    : QWidget(parent), m_drawNumber(new TDrawNumberEdit(this)) {
    setObjectName(QStringLiteral("TabSheet5"));
    auto* label = new QLabel(QStringLiteral("開催回"), this);
    label->setObjectName(QStringLiteral("Label7"));
    label->setGeometry(16, 16, 50, 24);
    label->setFont(gothicFont(13, true));
    m_drawNumber->setObjectName(QStringLiteral("editSelectNum"));
    m_drawNumber->setGeometry(70, 14, 80, 28);
}
