#include "common/ui/UiFonts.h"

#include <QStringList>

namespace {
QFont makeFont(const QStringList& families, int pixelSize, bool bold) {
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}
} // namespace

QFont gothicFont(int pixelSize, bool bold) {
    return makeFont({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                     QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP")},
                    pixelSize, bold);
}

QFont fixedGothicFont(int pixelSize, bool bold) {
    QFont font =
        makeFont({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"),
                  QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("Noto Sans CJK JP")},
                 pixelSize, bold);
    font.setFixedPitch(true);
    return font;
}
