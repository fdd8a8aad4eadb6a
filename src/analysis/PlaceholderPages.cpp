#include "analysis/PlaceholderPages.h"

#include "common/DrawNumberEdit.h"
#include "common/UiFonts.h"

#include <QLabel>

TOptionsPage::TOptionsPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet2"));
}

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

TChartsPage::TChartsPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet3"));
}
