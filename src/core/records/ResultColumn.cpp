#include "records/ResultColumn.h"

#include "data/DbError.h"
#include "data/SqlFragment.h"

QString ResultColumn::knownColumn(const QString& column, const QStringList& known) {
    for (const QString& candidate : known) {
        if (candidate.compare(column, Qt::CaseInsensitive) == 0)
            return candidate;
    }
    throw DbError(QStringLiteral("There is no column '%1' to search.").arg(column));
}

QString ResultColumn::selectList(const QList<ResultColumn>& columns, const QStringList& known) {
    QStringList select;
    for (const ResultColumn& wanted : columns) {
        const QString column = knownColumn(wanted.column, known);
        // The two patterns are fixed texts of this program, never a caller's.
        QString expression = column;
        if (wanted.amount == Amount::Money)
            expression = QStringLiteral("FormatMoney(%1, '$#,##0.00')").arg(column);
        else if (wanted.amount == Amount::RoundedMoney)
            expression = QStringLiteral("FormatMoney(%1, '$#,##0')").arg(column);
        const QString heading = wanted.heading.isEmpty() ? column : wanted.heading;
        select.append(expression + QStringLiteral(" AS ") + SqlFragment::quoteIdentifier(heading));
    }
    return select.join(QStringLiteral(", "));
}
