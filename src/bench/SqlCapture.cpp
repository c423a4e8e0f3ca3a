#include "SqlCapture.h"

#include <sqlite3.h>
#include <utility>

namespace {

bool capturing = false;
QVector<QByteArray> statements;

int traced(unsigned kind, void*, void* statement, void* text) {
    // A trigger's program reports itself with a comment; only the statement that was started
    // is wanted.
    const char* sql = static_cast<const char*>(text);
    if (kind != SQLITE_TRACE_STMT || !capturing || (sql && sql[0] == '-' && sql[1] == '-'))
        return 0;
    char* expanded = sqlite3_expanded_sql(static_cast<sqlite3_stmt*>(statement));
    statements.append(QByteArray(expanded ? expanded : sql));
    sqlite3_free(expanded);
    return 0;
}

int hookConnection(sqlite3* db, const char**, const void*) {
    sqlite3_trace_v2(db, SQLITE_TRACE_STMT, traced, nullptr);
    return SQLITE_OK;
}

} // namespace

void SqlCapture::install() {
    // The entry point's real signature is the engine's extension entry; it is registered
    // through the generic function type the interface takes.
    sqlite3_auto_extension(reinterpret_cast<void (*)()>(hookConnection));
}

void SqlCapture::start() {
    statements.clear();
    capturing = true;
}

QVector<QByteArray> SqlCapture::stop() {
    capturing = false;
    return std::exchange(statements, {});
}
