#pragma once

#include <QString>
#include <stdexcept>

// Why an export could not be done (a file that cannot be written, a table that does not exist),
// in a sentence the user can act on. Errors of the database itself stay DbError.
class ExportError : public std::runtime_error {
public:
    explicit ExportError(const QString& message)
        : std::runtime_error(message.toStdString())
        , m_message(message) {}

    QString message() const { return m_message; }

private:
    QString m_message;
};
