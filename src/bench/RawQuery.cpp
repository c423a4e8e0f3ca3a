#include "RawQuery.h"

#include <cstring>
#include <sqlite3.h>
#include <stdexcept>
#include <string>

namespace {

// Where the checksum of the values read goes, so that no read can be left out by the compiler.
volatile unsigned long long checksumSink = 0;

[[noreturn]] void fail(sqlite3* db, const char* what) {
    throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(db));
}

sqlite3* open(const QString& file, int flags) {
    sqlite3* db = nullptr;
    const QByteArray name = file.toUtf8();
    if (sqlite3_open_v2(name.constData(), &db, flags, nullptr) != SQLITE_OK) {
        const std::string message = sqlite3_errmsg(db);
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + name.toStdString() + ": " + message);
    }
    return db;
}

// FormatMoney(units, pattern) for the patterns the program uses: an optional "$", "#,##" for
// thousands separators, and "0", "0.00".
void formatMoney(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const long long units = sqlite3_value_int64(argv[0]);
    const char* pattern = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
    const bool dollar = pattern && pattern[0] == '$';
    const bool grouped = pattern && std::strchr(pattern, ',');
    const bool cents = pattern && std::strchr(pattern, '.');
    const unsigned long long magnitude = units < 0 ? 0ULL - units : units;
    const unsigned long long step = cents ? 100 : 10000;
    const unsigned long long scaled = (magnitude + step / 2) / step;
    unsigned long long whole = cents ? scaled / 100 : scaled;
    char digits[32];
    int n = 0;
    int group = 0;
    do {
        if (grouped && group == 3) {
            digits[n++] = ',';
            group = 0;
        }
        digits[n++] = char('0' + whole % 10);
        whole /= 10;
        ++group;
    } while (whole);
    char text[48];
    int length = 0;
    if (units < 0 && scaled != 0)
        text[length++] = '-';
    if (dollar)
        text[length++] = '$';
    while (n > 0)
        text[length++] = digits[--n];
    if (cents) {
        text[length++] = '.';
        text[length++] = char('0' + scaled % 100 / 10);
        text[length++] = char('0' + scaled % 10);
    }
    sqlite3_result_text(context, text, length, SQLITE_TRANSIENT);
}

// Reads every column of the current row as stored; returns a checksum so that nothing can be
// left out by the compiler.
unsigned long long readRow(sqlite3_stmt* statement, int columns, FILE* out) {
    unsigned long long sum = 0;
    for (int i = 0; i < columns; ++i) {
        if (out && i > 0)
            std::fputc('\t', out);
        switch (sqlite3_column_type(statement, i)) {
        case SQLITE_INTEGER: {
            const long long value = sqlite3_column_int64(statement, i);
            sum += static_cast<unsigned long long>(value);
            if (out)
                std::fprintf(out, "%lld", value);
            break;
        }
        case SQLITE_FLOAT:
            sum += static_cast<unsigned long long>(sqlite3_column_double(statement, i));
            if (out)
                std::fprintf(out, "%.15g", sqlite3_column_double(statement, i));
            break;
        case SQLITE_NULL:
            break;
        default: {
            const unsigned char* text = sqlite3_column_text(statement, i);
            const int bytes = sqlite3_column_bytes(statement, i);
            sum += static_cast<unsigned long long>(bytes) + (bytes > 0 ? text[0] : 0);
            if (out)
                std::fwrite(text, 1, static_cast<size_t>(bytes), out);
            break;
        }
        }
    }
    if (out)
        std::fputc('\n', out);
    return sum;
}

} // namespace

qint64 RawQuery::run(const QString& file, const QVector<QByteArray>& statements, FILE* out) {
    sqlite3* db = open(file, SQLITE_OPEN_READWRITE);
    sqlite3_create_function_v2(db, "FormatMoney", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                               formatMoney, nullptr, nullptr, nullptr);
    qint64 rows = 0;
    unsigned long long checksum = 0;
    try {
        for (const QByteArray& sql : statements) {
            sqlite3_stmt* statement = nullptr;
            if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &statement, nullptr) !=
                SQLITE_OK)
                fail(db, sql.constData());
            const int columns = sqlite3_column_count(statement);
            if (out && columns > 0) {
                for (int i = 0; i < columns; ++i)
                    std::fprintf(out, i > 0 ? "\t%s" : "%s", sqlite3_column_name(statement, i));
                std::fputc('\n', out);
            }
            int rc = SQLITE_OK;
            while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
                checksum += readRow(statement, columns, out);
                ++rows;
            }
            sqlite3_finalize(statement);
            if (rc != SQLITE_DONE)
                fail(db, sql.constData());
        }
    } catch (...) {
        sqlite3_close(db);
        throw;
    }
    sqlite3_close(db);
    if (out)
        std::fflush(out);
    checksumSink = checksum;
    return rows;
}

void RawQuery::backup(const QString& from, const QString& to) {
    sqlite3* source = open(from, SQLITE_OPEN_READONLY);
    sqlite3* destination = nullptr;
    try {
        destination = open(to, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        sqlite3_backup* backup = sqlite3_backup_init(destination, "main", source, "main");
        if (!backup)
            fail(destination, "backup");
        sqlite3_backup_step(backup, -1);
        if (sqlite3_backup_finish(backup) != SQLITE_OK)
            fail(destination, "backup");
    } catch (...) {
        sqlite3_close(destination);
        sqlite3_close(source);
        throw;
    }
    sqlite3_close(destination);
    sqlite3_close(source);
}
