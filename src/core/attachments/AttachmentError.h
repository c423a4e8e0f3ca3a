#pragma once

#include <QString>
#include <stdexcept>

// Why a file cannot be attached or written back (too large, unreadable, a folder that cannot
// be written), in a sentence the user can act on. Errors of the database stay DbError.
class AttachmentError : public std::runtime_error {
public:
    explicit AttachmentError(const QString& message)
        : std::runtime_error(message.toStdString())
        , m_message(message) {}

    QString message() const { return m_message; }

private:
    QString m_message;
};
