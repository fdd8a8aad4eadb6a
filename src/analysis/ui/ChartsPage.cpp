#include "analysis/ui/ChartsPage.h"

TChartsPage::TChartsPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet3"));
}
