#include "data/ImportPreview.h"

#include <algorithm>

void ImportPreview::check(const HeldResults& held) {
    QVector<ReadDraw> draws;
    draws.reserve(m_textDraws.size() + m_typed.size());
    m_textIndex.clear();
    for (qsizetype i = 0; i < m_textDraws.size(); ++i)
        if (!m_typed.contains(m_textDraws.at(i).drawNumber)) {
            draws.append(m_textDraws.at(i));
            m_textIndex.append(i);
        }
    for (const ReadDraw& draw : m_typed) {
        draws.append(draw);
        m_textIndex.append(-1);
    }
    m_rows = checkImport(draws, held);
    for (ImportRow& row : m_rows)
        row.overwrite =
            row.state == ImportState::Conflict && m_overwrite.contains(row.draw.drawNumber);
}

bool ImportPreview::toggleOverwrite(int row) {
    if (row < 0 || row >= m_rows.size() || m_rows.at(row).state != ImportState::Conflict)
        return false;
    ImportRow& changed = m_rows[row];
    changed.overwrite = !changed.overwrite;
    if (changed.overwrite)
        m_overwrite.insert(changed.draw.drawNumber);
    else
        m_overwrite.remove(changed.draw.drawNumber);
    return true;
}

void ImportPreview::removeRows(const QList<int>& rows) {
    QList<qsizetype> textRows;
    for (const int row : rows) {
        if (row < 0 || row >= m_rows.size())
            continue;
        const ImportRow& removed = m_rows.at(row);
        const qsizetype text = m_textIndex.value(removed.readIndex, -1);
        if (text >= 0) {
            textRows.append(text);
        } else {
            // The row shown goes: also the text's draw it stood for.
            m_typed.remove(removed.draw.drawNumber);
            for (qsizetype i = 0; i < m_textDraws.size(); ++i)
                if (m_textDraws.at(i).drawNumber == removed.draw.drawNumber)
                    textRows.append(i);
        }
        m_overwrite.remove(removed.draw.drawNumber);
    }
    // From the back, so that the indices still to go stay where they were.
    std::sort(textRows.begin(), textRows.end(), std::greater<>());
    textRows.erase(std::unique(textRows.begin(), textRows.end()), textRows.end());
    for (const qsizetype text : textRows)
        m_textDraws.remove(text);
}
