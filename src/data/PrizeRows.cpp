#include "data/PrizeRows.h"

#include "common/Chars.h"

// A count or an amount: "1,234", "8,254口", "1,200,000,000円", "¥1,000", "1.0",
// "該当なし" (none), or rounded: "6億円", "1,234万円".
qint64 PrizeRows::read(QStringView text, bool amount) {
    text = text.trimmed();
    if (text == u"該当なし")
        return 0;
    if (text.endsWith(amount ? u'円' : u'口'))
        text.chop(1);
    if (amount && text.startsWith(u'¥'))
        text = text.sliced(1);
    const bool negative = text.startsWith(u'-');
    if (negative)
        text = text.sliced(1);
    qint64 value = 0;
    bool digits = false;
    bool fraction = false;
    bool partial = false; // a fraction of a yen or a winner
    bool junk = false;
    for (const QChar c : text) {
        if (amount && (c == u'億' || c == u'万')) {
            // A rounded amount is never taken: only whether it is zero matters.
            rounded = true;
            fraction = false;
            partial = false;
        } else if (isAsciiDigit(c)) {
            digits = true;
            if (!fraction)
                value = value < kValueCap / 10 ? value * 10 + (c.unicode() - u'0') : kValueCap;
            partial = partial || (fraction && c != u'0');
        } else if (c == u'.' && !fraction) {
            fraction = true;
        } else if (c != u',' || fraction) {
            junk = true;
        }
    }
    const QString what = amount ? QStringLiteral("金額") : QStringLiteral("口数");
    if (error.isEmpty() && (!digits || partial || junk))
        error = what + QStringLiteral("が整数ではありません");
    else if (error.isEmpty() && negative && value != 0)
        error = what + QStringLiteral("が負の値です");
    return value;
}
