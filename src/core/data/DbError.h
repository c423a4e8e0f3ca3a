#pragma once

#include <QString>
#include <stdexcept>

// The one exception type of the data layer. It carries the database engine's own message (or,
// for failures outside the engine, a message saying what went wrong) so that a window can show
// it to the user as it stands.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message, int engineCode = 0);

    QString message() const { return m_message; }
    // The engine's extended result code, or 0 when the failure did not come from the engine.
    int engineCode() const { return m_engineCode; }

private:
    QString m_message;
    int m_engineCode;
};
