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

QFont gothicPointFont(int pointSize, bool bold) {
    QFont font = gothicFont(12, bold);
    font.setPointSize(pointSize);
    return font;
}

QFont minchoFont(int pixelSize) {
    return makeFont({QStringLiteral("ＭＳ 明朝"), QStringLiteral("MS Mincho"),
                     QStringLiteral("Noto Serif CJK JP")},
                    pixelSize, false);
}

QFont proportionalMinchoFont(int pixelSize) {
    return makeFont({QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("MS PMincho"),
                     QStringLiteral("Noto Serif CJK JP"), QStringLiteral("Noto Serif JP")},
                    pixelSize, false);
}

QFont latinSerifFont(int pixelSize, bool bold) {
    return makeFont({QStringLiteral("Century"), QStringLiteral("Century Schoolbook"),
                     QStringLiteral("C059"), QStringLiteral("DejaVu Serif"),
                     QStringLiteral("Noto Serif CJK JP")},
                    pixelSize, bold);
}

QFont latinSansFont(int pixelSize, bool bold) {
    return makeFont({QStringLiteral("Arial"), QStringLiteral("DejaVu Sans"),
                     QStringLiteral("Noto Sans CJK JP")},
                    pixelSize, bold);
}
