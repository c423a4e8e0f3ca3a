#include "data/DbError.h"

DbError::DbError(const QString& message, int engineCode)
    : std::runtime_error(message.toStdString())
    , m_message(message)
    , m_engineCode(engineCode) {}
