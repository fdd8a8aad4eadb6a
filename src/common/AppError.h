#pragma once

#include <QString>
#include <exception>

// A failure a handler reports to the user in the error box: a malformed field
// in a data file, an input/output error on a file. Thrown by the logic and
// caught at the one boundary of each handler; never crosses the event loop.
class TAppError : public std::exception {
public:
    explicit TAppError(QString text) : m_text(std::move(text)), m_utf8(m_text.toUtf8()) {}
    const QString& text() const noexcept { return m_text; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_text;
    QByteArray m_utf8;
};
