#include "data/CsvFields.h"

#include <algorithm>

void CsvFields::split(QStringView line) {
    m_text.resize(0); // keeps the capacity
    m_ends.clear();
    qsizetype i = 0;
    for (;;) {
        while (i < line.size() && line[i].isSpace())
            ++i;
        qsizetype quotedEnd = m_text.size(); // blanks inside quotes stay
        if (i < line.size() && line[i] == u'"') {
            for (++i;;) {
                const qsizetype quote = line.indexOf(u'"', i);
                const qsizetype stop = quote < 0 ? line.size() : quote;
                m_text.append(line.sliced(i, stop - i));
                i = std::min(stop + 1, line.size());
                if (quote < 0 || i == line.size() || line[i] != u'"')
                    break;
                m_text.append(u'"');
                ++i;
            }
            quotedEnd = m_text.size();
        }
        const qsizetype comma = line.indexOf(u',', i);
        const qsizetype stop = comma < 0 ? line.size() : comma;
        m_text.append(line.sliced(i, stop - i));
        i = stop;
        qsizetype end = m_text.size();
        while (end > quotedEnd && m_text[end - 1].isSpace())
            --end;
        m_text.truncate(end);
        m_ends.append(end);
        if (i >= line.size())
            return;
        ++i;
    }
}
