#include "common/ui/UiFonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHash>
#include <QStringList>

#include <algorithm>
#include <array>

namespace {

enum class Face { Gothic, FixedGothic, Mincho, ProportionalMincho, LatinSerif, LatinSans, Count };

QStringList wantedFamilies(Face face) {
    switch (face) {
    case Face::Gothic:
        return {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP")};
    case Face::FixedGothic:
        return {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"),
                QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("Noto Sans CJK JP")};
    case Face::Mincho:
        return {QStringLiteral("ＭＳ 明朝"), QStringLiteral("MS Mincho"),
                QStringLiteral("Noto Serif CJK JP")};
    case Face::ProportionalMincho:
        return {QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("MS PMincho"),
                QStringLiteral("Noto Serif CJK JP"), QStringLiteral("Noto Serif JP")};
    case Face::LatinSerif:
        return {QStringLiteral("Century"), QStringLiteral("Century Schoolbook"),
                QStringLiteral("C059"), QStringLiteral("DejaVu Serif"),
                QStringLiteral("Noto Serif CJK JP")};
    case Face::LatinSans:
    case Face::Count:
        break;
    }
    return {QStringLiteral("Arial"), QStringLiteral("DejaVu Sans"),
            QStringLiteral("Noto Sans CJK JP")};
}

// The families installed here, without the foundry that the database adds
// to a family found in more than one ("Family [Foundry]"). Asking
// QFontDatabase::hasFamily() instead costs a fontconfig alias substitution
// per name, more than all the fonts of the main tab take to load.
const QStringList& installedFamilies() {
    static const QStringList installed = [] {
        QStringList names = QFontDatabase::families();
        for (QString& name : names) {
            if (name.endsWith(u']')) {
                const qsizetype foundry = name.lastIndexOf(QLatin1String(" ["));
                if (foundry > 0)
                    name.truncate(foundry);
            }
        }
        return names;
    }();
    return installed;
}

// The first of the wanted families installed here, alone; all of them where
// none is. A font naming more than one family has Qt ask fontconfig for a
// fallback list, a sorted search of every font, for each size and weight as
// it is loaded. Named alone, the family is found at once, and fontconfig is
// asked only if a character is missing from it, for the same fallbacks.
const QStringList& families(Face face) {
    static std::array<QStringList, static_cast<int>(Face::Count)> resolved;
    QStringList& families = resolved[static_cast<int>(face)];
    if (families.isEmpty()) {
        const QStringList wanted = wantedFamilies(face);
        const auto installed =
            std::find_if(wanted.cbegin(), wanted.cend(), [](const QString& family) {
                return installedFamilies().contains(family, Qt::CaseInsensitive);
            });
        families = installed == wanted.cend() ? wanted : QStringList{*installed};
    }
    return families;
}

// Each face, size and weight is made once: copies share the loaded font.
QFont makeFont(Face face, int pixelSize, bool bold) {
    static QHash<int, QFont> made;
    const int key = (static_cast<int>(face) << 16) | (pixelSize << 1) | (bold ? 1 : 0);
    const auto found = made.constFind(key);
    if (found != made.constEnd())
        return *found;
    QFont font;
    font.setFamilies(families(face));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    if (face == Face::FixedGothic)
        font.setFixedPitch(true);
    return *made.insert(key, font);
}

} // namespace

QFont gothicFont(int pixelSize, bool bold) {
    return makeFont(Face::Gothic, pixelSize, bold);
}

QFont fixedGothicFont(int pixelSize, bool bold) {
    return makeFont(Face::FixedGothic, pixelSize, bold);
}

QFont gothicPointFont(int pointSize, bool bold) {
    QFont font = gothicFont(12, bold);
    font.setPointSize(pointSize);
    return font;
}

QFont minchoFont(int pixelSize) {
    return makeFont(Face::Mincho, pixelSize, false);
}

QFont proportionalMinchoFont(int pixelSize) {
    return makeFont(Face::ProportionalMincho, pixelSize, false);
}

QFont latinSerifFont(int pixelSize, bool bold) {
    return makeFont(Face::LatinSerif, pixelSize, bold);
}

QFont latinSansFont(int pixelSize, bool bold) {
    return makeFont(Face::LatinSans, pixelSize, bold);
}

QFont applicationFont() {
    QFont font = QApplication::font();
    font.setResolveMask(QFont::AllPropertiesResolved);
    return font;
}
