#include "predict/ui/OptionsPage.h"

TOptionsPage::TOptionsPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet2"));
}
