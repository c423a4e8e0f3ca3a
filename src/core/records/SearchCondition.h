#pragma once

#include "data/SqlFragment.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class Connection;

// The condition of a search: terms of the form column, operator, value, joined by And or Or. It
// holds no SQL; the record class that runs the search writes it (toSql) with the columns it
// knows, every value bound, so that what a user typed can never change a statement.
class SearchCondition {
public:
    // In the order the search window offers them: =, >, >=, <, <=, <>, Like.
    enum class Operator { Equal, Greater, GreaterOrEqual, Less, LessOrEqual, NotEqual, Like };
    enum class Join { And, Or };
    // How a column's stored value is compared. A collection's field values are text whatever
    // their field's type, so a Date field is read as a date (ISO, or the short form older
    // versions stored) and a number field as a number before comparing; a value that does not
    // read as one matches nothing.
    enum class Reading { AsStored, FieldDate, FieldNumber };

    struct Term {
        // How the term joins what comes before it; the first term's is not used.
        Join join = Join::And;
        QString column = {};
        Operator op = Operator::Equal;
        // Bound as it is: text, a number, an amount in ten-thousandths, a date as ISO text
        // (for a FieldDate reading too), or a Like pattern made by likePattern.
        QVariant value = {};
        Reading reading = Reading::AsStored;
    };

    void add(const Term& term) { m_terms.append(term); }
    const QList<Term>& terms() const { return m_terms; }
    bool isEmpty() const { return m_terms.isEmpty(); }

    // The condition as a statement piece: the terms in order, joined by AND and OR without
    // parentheses, so that And binds tighter than Or, as the terms read. Each column must be in
    // `known` (without regard to letter case); throws DbError otherwise.
    SqlFragment toSql(const QStringList& known) const;

    // The pattern with which Like finds `text` anywhere in a value, the text taken literally:
    // its % and _ are not wildcards.
    static QString likePattern(const QString& text);

    // Registers on a connection the functions that the FieldDate and FieldNumber readings use.
    static void registerFunctions(Connection& connection);

private:
    QList<Term> m_terms;
};
