#include "data/Statement.h"

#include "data/ColumnValue.h"
#include "data/DbError.h"
#include "data/Recordset.h"
#include "types/Currency.h"
#include "types/DateText.h"

#include <QLoggingCategory>
#include <sqlite3.h>

Q_LOGGING_CATEGORY(lcSql, "domivo.sql", QtWarningMsg)

Statement::Statement(sqlite3* db, const QString& sql, const QVariantList& params)
    : m_db(db)
    , m_sql(sql) {
    qCDebug(lcSql).noquote() << sql << params;
    prepare();
    // A constructor that throws runs no destructor: the prepared statement is finalised here,
    // or its connection could never be closed.
    try {
        if (sqlite3_bind_parameter_count(m_stmt) != params.size())
            throw DbError(QStringLiteral("The statement takes %1 values but was given %2.")
                              .arg(sqlite3_bind_parameter_count(m_stmt))
                              .arg(params.size()));
        for (int i = 0; i < params.size(); ++i)
            bind(i + 1, params[i]);
    } catch (...) {
        sqlite3_finalize(m_stmt);
        throw;
    }
}

Statement::Statement(sqlite3* db, const QString& sql, BindLater)
    : m_db(db)
    , m_sql(sql) {
    qCDebug(lcSql).noquote() << sql;
    prepare();
}

void Statement::prepare() {
    const QByteArray text = m_sql.toUtf8();
    if (sqlite3_prepare_v2(m_db, text.constData(), int(text.size()), &m_stmt, nullptr) != SQLITE_OK)
        fail();
}

Statement::~Statement() {
    sqlite3_finalize(m_stmt);
}

void Statement::bind(int position, const QVariant& value) {
    int rc = SQLITE_OK;
    if (value.typeId() == QMetaType::QByteArray) {
        // Bytes are a blob, an empty one included (a file of 0 bytes is not a missing file).
        const QByteArray bytes = value.toByteArray();
        rc = bytes.isEmpty() ? sqlite3_bind_zeroblob(m_stmt, position, 0)
                             : sqlite3_bind_blob64(m_stmt, position, bytes.constData(),
                                                   sqlite3_uint64(bytes.size()), SQLITE_TRANSIENT);
    } else if (value.isNull()) {
        rc = sqlite3_bind_null(m_stmt, position);
    } else if (value.metaType() == QMetaType::fromType<Currency>()) {
        rc = sqlite3_bind_int64(m_stmt, position, value.value<Currency>().units());
    } else {
        switch (value.typeId()) {
        case QMetaType::Bool:
            rc = sqlite3_bind_int(m_stmt, position, value.toBool() ? 1 : 0);
            break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
            rc = sqlite3_bind_int64(m_stmt, position, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(m_stmt, position, value.toDouble());
            break;
        case QMetaType::QDate:
        case QMetaType::QDateTime: {
            const QString text = value.typeId() == QMetaType::QDate
                                     ? DateText::storageText(value.toDate())
                                     : DateText::storageText(value.toDateTime());
            const QByteArray utf8 = text.toUtf8();
            rc = sqlite3_bind_text(m_stmt, position, utf8.constData(), int(utf8.size()),
                                   SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QString text = value.toString();
            // The engine's length() and the program's own width checks would disagree about a
            // text cut short by a NUL, and a name holding one cannot be used as a column alias.
            if (text.contains(QChar(0)))
                throw DbError(QStringLiteral("A text holding a NUL character cannot be used."));
            const QByteArray utf8 = text.toUtf8();
            rc = sqlite3_bind_text(m_stmt, position, utf8.constData(), int(utf8.size()),
                                   SQLITE_TRANSIENT);
            break;
        }
        }
    }
    if (rc != SQLITE_OK)
        fail();
}

bool Statement::step() {
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    fail();
}

void Statement::run() {
    while (step()) {
    }
}

Recordset Statement::fetchAll() {
    const int count = sqlite3_column_count(m_stmt);
    QStringList names;
    QVector<ColumnValue::Kind> kinds;
    for (int i = 0; i < count; ++i) {
        names.append(QString::fromUtf8(sqlite3_column_name(m_stmt, i)));
        kinds.append(ColumnValue::kindOfDeclaredType(sqlite3_column_decltype(m_stmt, i)));
    }
    QVector<QVariantList> rows;
    while (step()) {
        QVariantList row;
        row.reserve(count);
        for (int i = 0; i < count; ++i)
            row.append(ColumnValue::read(m_stmt, i, kinds[i]));
        rows.append(std::move(row));
    }
    return Recordset(std::move(names), std::move(rows));
}

void Statement::fail() const {
    throw DbError::fromEngine(m_db);
}
