#pragma once

#include <QString>
#include <QStringView>
#include <QVarLengthArray>

// The fields of a CSV line, unquoted ("" inside quotes stands for one quote)
// and without the blanks around them. They live in one buffer that every line
// reuses: a large file is read without a string per field.
class CsvFields {
public:
    void split(QStringView line);
    qsizetype size() const { return m_ends.size(); }
    QStringView operator[](qsizetype i) const {
        const qsizetype begin = i == 0 ? 0 : m_ends[i - 1];
        return QStringView(m_text).sliced(begin, m_ends[i] - begin);
    }

private:
    QString m_text;
    QVarLengthArray<qsizetype, 32> m_ends;
};
