#pragma once

#include <QString>
#include <QVariantList>

// A piece of SQL with its values kept apart: the text holds one plain "?" per value, in the
// order of the values, and the values are bound when the statement runs. Search conditions
// are built this way from known column names and operators, so that nothing a user typed ever
// becomes part of a statement's text.
struct SqlFragment {
    QString text;
    QVariantList params;

    bool isEmpty() const { return text.trimmed().isEmpty(); }

    SqlFragment& append(const QString& moreText, const QVariantList& moreParams = {});
    SqlFragment& append(const SqlFragment& other);

    // A name written so that the engine reads it as one identifier whatever it holds (blanks,
    // quotes, brackets): between double quotes, every double quote doubled. Used for column
    // aliases made from names the user chose, and for names read from a file. A name holding a
    // NUL character throws DbError.
    static QString quoteIdentifier(const QString& name);
};
