#include "records/SearchCondition.h"

#include "app/General.h"
#include "data/Connection.h"
#include "data/DbError.h"
#include "records/ResultColumn.h"
#include "types/DateText.h"

#include <sqlite3.h>

namespace {

// The escape character of Like patterns; statements name it in their ESCAPE clause.
constexpr QChar LikeEscape = QLatin1Char('\\');

QString textArgument(sqlite3_value* value) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return QString::fromUtf8(text, sqlite3_value_bytes(value));
}

// StoredFieldDate(value): a collection field's stored date as ISO text, Null when it is not one.
void storedFieldDate(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (argc != 1 || sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const QDate date = DateText::readStoredFieldDate(textArgument(argv[0]));
    if (!date.isValid()) {
        sqlite3_result_null(context);
        return;
    }
    const QByteArray iso = DateText::storageText(date).toUtf8();
    sqlite3_result_text(context, iso.constData(), int(iso.size()), SQLITE_TRANSIENT);
}

// StoredFieldNumber(value): a collection field's stored number (amounts as typed, "$1,234.50"
// included), Null when it is not one.
void storedFieldNumber(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (argc != 1 || sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto number = General::ParseNumber(textArgument(argv[0]));
    if (number)
        sqlite3_result_double(context, *number);
    else
        sqlite3_result_null(context);
}

QString operatorText(SearchCondition::Operator op) {
    switch (op) {
    case SearchCondition::Operator::Equal:
        return QStringLiteral("=");
    case SearchCondition::Operator::Greater:
        return QStringLiteral(">");
    case SearchCondition::Operator::GreaterOrEqual:
        return QStringLiteral(">=");
    case SearchCondition::Operator::Less:
        return QStringLiteral("<");
    case SearchCondition::Operator::LessOrEqual:
        return QStringLiteral("<=");
    case SearchCondition::Operator::NotEqual:
        return QStringLiteral("<>");
    case SearchCondition::Operator::Like:
        break;
    }
    return QStringLiteral("LIKE");
}

QString readColumn(const QString& column, SearchCondition::Reading reading) {
    switch (reading) {
    case SearchCondition::Reading::FieldDate:
        return QStringLiteral("StoredFieldDate(%1)").arg(column);
    case SearchCondition::Reading::FieldNumber:
        return QStringLiteral("StoredFieldNumber(%1)").arg(column);
    case SearchCondition::Reading::AsStored:
        break;
    }
    return column;
}

} // namespace

SqlFragment SearchCondition::toSql(const QStringList& known) const {
    SqlFragment sql;
    for (qsizetype i = 0; i < m_terms.size(); ++i) {
        const Term& term = m_terms.at(i);
        if (i > 0)
            sql.append(term.join == Join::And ? QStringLiteral(" AND ") : QStringLiteral(" OR "));
        const QString column =
            readColumn(ResultColumn::knownColumn(term.column, known), term.reading);
        QString piece = column + QLatin1Char(' ') + operatorText(term.op) + QStringLiteral(" ?");
        if (term.op == Operator::Like)
            piece += QStringLiteral(" ESCAPE '") + LikeEscape + QLatin1Char('\'');
        sql.append(piece, {term.value});
    }
    return sql;
}

QString SearchCondition::likePattern(const QString& text) {
    QString escaped;
    escaped.reserve(text.size() + 2);
    for (const QChar c : text) {
        if (c == LikeEscape || c == QLatin1Char('%') || c == QLatin1Char('_'))
            escaped += LikeEscape;
        escaped += c;
    }
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

void SearchCondition::registerFunctions(Connection& connection) {
    const auto create = [&connection](const char* name,
                                      void (*function)(sqlite3_context*, int, sqlite3_value**)) {
        const int rc = sqlite3_create_function_v2(connection.handle(), name, 1,
                                                  SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                                  function, nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            throw DbError(QString::fromUtf8(sqlite3_errmsg(connection.handle())), rc);
    };
    create("StoredFieldDate", storedFieldDate);
    create("StoredFieldNumber", storedFieldNumber);
}
