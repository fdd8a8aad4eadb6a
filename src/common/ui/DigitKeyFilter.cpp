#include "common/ui/DigitKeyFilter.h"

#include "common/Chars.h"

#include <QKeyEvent>

bool DigitKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (!text.isEmpty() && key->key() != Qt::Key_Backspace) {
            const QChar c = text.at(0);
            const bool printable = c.unicode() >= 32 && c.unicode() != 127;
            const bool shortcut =
                (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) != Qt::NoModifier;
            if (printable && !shortcut && !isAsciiDigit(c))
                return true; // swallowed
        }
    }
    return QObject::eventFilter(watched, event);
}
