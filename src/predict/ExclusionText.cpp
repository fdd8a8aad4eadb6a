#include "predict/ExclusionText.h"

#include "common/ComFunction.h"

namespace {
QString numberForm(int number) {
    return formatTwoDigits(number) + u' ';
}
} // namespace

QString exclusionText(const ExclusionFlags& excluded) {
    QString text;
    for (int n = 1; n <= kMaxNumber; ++n)
        if (excluded[n - 1])
            text += numberForm(n);
    return text;
}

bool exclusionTextHolds(const QString& text, int number) {
    return text.contains(numberForm(number));
}

ExclusionFlags exclusionsFromText(const QString& text) {
    ExclusionFlags excluded{};
    for (int n = 1; n <= kMaxNumber; ++n)
        excluded[n - 1] = exclusionTextHolds(text, n);
    return excluded;
}
