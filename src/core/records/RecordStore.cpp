#include "records/RecordStore.h"

#include "app/General.h"
#include "data/DbError.h"
#include "data/dvData.h"
#include "types/DateText.h"

#include <QRegularExpression>

Connection RecordStore::connect() const {
    return Connection(m_data.connString());
}

Recordset RecordStore::read(const QString& sql, const QVariantList& params) const {
    return connect().query(sql, params);
}

RowCursor RecordStore::readRows(const QString& sql, const QVariantList& params) const {
    return RowCursor(connect(), sql, params);
}

void RecordStore::write(const QString& sql, const QVariantList& params) const {
    connect().execute(sql, params);
}

qint64 RecordStore::count(const QString& sql, const QVariantList& params) const {
    return connect().scalar(sql, params).toLongLong();
}

Currency RecordStore::amountValue(const QVariant& value) {
    if (General::NullToDefault(value, General::KindText).toString().isEmpty())
        return Currency();
    const auto amount = General::ToCurrency(value);
    if (!amount)
        throw DbError(QStringLiteral("'%1' is not an amount of money from "
                                     "-922,337,203,685,477.5808 to 922,337,203,685,477.5807.")
                          .arg(value.toString()));
    return *amount;
}

QVariant RecordStore::dateValue(const QVariant& value) {
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().isValid() ? QVariant(value.toDate()) : QVariant();
    case QMetaType::QDateTime:
        return value.toDateTime().isValid() ? QVariant(value.toDateTime().date()) : QVariant();
    case QMetaType::QString: {
        const QString text = value.toString();
        if (text.trimmed().isEmpty())
            return {};
        const QDate date = DateText::parseDate(text);
        if (!date.isValid())
            throw DbError(QStringLiteral("'%1' is not a date.").arg(text));
        return date;
    }
    default:
        throw DbError(QStringLiteral("'%1' is not a date.").arg(value.toString()));
    }
}

QString RecordStore::orderByList(const QString& clause, const QStringList& columns) {
    if (clause.trimmed().isEmpty())
        return {};
    static const QRegularExpression term(
        QStringLiteral(R"re(^\s*([A-Za-z_]\w*(?:\.[A-Za-z_]\w*)?)(?:\s+(ASC|DESC))?\s*$)re"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList terms;
    for (const QString& part : clause.split(QLatin1Char(','))) {
        const auto match = term.match(part);
        QString column;
        if (match.hasMatch()) {
            const QString name = match.captured(1);
            for (const QString& candidate : columns) {
                const QString bare = candidate.mid(candidate.indexOf(QLatin1Char('.')) + 1);
                if (name.compare(candidate, Qt::CaseInsensitive) == 0 ||
                    name.compare(bare, Qt::CaseInsensitive) == 0) {
                    column = candidate;
                    break;
                }
            }
        }
        if (column.isEmpty())
            throw DbError(QStringLiteral("Cannot sort by '%1'.").arg(part.trimmed()));
        if (!match.captured(2).isEmpty())
            column += QLatin1Char(' ') + match.captured(2).toUpper();
        terms.append(column);
    }
    return terms.join(QStringLiteral(", "));
}
