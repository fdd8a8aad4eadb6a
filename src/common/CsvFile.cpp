#include "common/CsvFile.h"

namespace {

QString csvField(const QString& text) {
    const bool plain = !text.contains(u',') && !text.contains(u'"') && !text.contains(u'\r') &&
                       !text.contains(u'\n');
    if (plain)
        return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

} // namespace

QByteArray csvFileBytes(const QVector<QStringList>& rows) {
    QString text;
    for (const QStringList& row : rows) {
        QStringList fields;
        fields.reserve(row.size());
        for (const QString& field : row)
            fields << csvField(field);
        text += fields.join(u',') + QStringLiteral("\r\n");
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}
