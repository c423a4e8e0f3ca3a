#include "data/SqlFragment.h"

#include "data/DbError.h"

SqlFragment& SqlFragment::append(const QString& moreText, const QVariantList& moreParams) {
    text += moreText;
    params += moreParams;
    return *this;
}

SqlFragment& SqlFragment::append(const SqlFragment& other) {
    return append(other.text, other.params);
}

QString SqlFragment::quoteIdentifier(const QString& name) {
    // The engine reads a statement's text only up to a NUL, so no quoting can carry one.
    if (name.contains(QChar(0)))
        throw DbError(QStringLiteral("A name holding a NUL character cannot be used."));
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}
