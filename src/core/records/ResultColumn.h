#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One column of a search result: a column of the table searched, under a heading the caller
// chooses. The column is only named here; the record class that runs the search writes it into
// the statement after finding it among the columns it knows, so nothing a caller passes becomes
// statement text except as a quoted heading.
struct ResultColumn {
    // How an amount column is shown: as the stored amount, or as money text ("$1,234.50", or
    // "$1,235" rounded to whole units).
    enum class Amount { AsStored, Money, RoundedMoney };

    QString column;
    // The result's column name; empty keeps the column's own.
    QString heading = {};
    Amount amount = Amount::AsStored;

    // The select list for the columns: each one as `known` spells it (found without regard to
    // letter case), its heading quoted. Throws DbError for a column `known` lacks.
    static QString selectList(const QList<ResultColumn>& columns, const QStringList& known);
    // The entry of `known` that names `column` without regard to letter case; throws DbError
    // when there is none.
    static QString knownColumn(const QString& column, const QStringList& known);
};
