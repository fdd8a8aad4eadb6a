#include "analysis/PlaceholderPages.h"

#include "common/DigitKeyFilter.h"
#include "common/UiFonts.h"

#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

TOptionsPage::TOptionsPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet2"));
}

TMatchingPage::TMatchingPage(QWidget* parent) : QWidget(parent), m_drawNumber(new QSpinBox(this)) {
    setObjectName(QStringLiteral("TabSheet5"));
    auto* label = new QLabel(QStringLiteral("開催回"), this);
    label->setObjectName(QStringLiteral("Label7"));
    label->setGeometry(16, 16, 50, 24);
    label->setFont(gothicFont(13, true));
    m_drawNumber->setObjectName(QStringLiteral("editSelectNum"));
    m_drawNumber->setGeometry(70, 14, 80, 28);
    m_drawNumber->setRange(1, 9999);
    m_drawNumber->setAlignment(Qt::AlignCenter);
    m_drawNumber->installEventFilter(new DigitKeyFilter(m_drawNumber));
}

QString TMatchingPage::drawNumberText() const {
    return m_drawNumber->text().trimmed();
}

void TMatchingPage::setDrawNumberText(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (ok)
        m_drawNumber->setValue(value);
}

TChartsPage::TChartsPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet3"));
}
