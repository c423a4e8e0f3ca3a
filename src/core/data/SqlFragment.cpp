#include "data/SqlFragment.h"

SqlFragment& SqlFragment::append(const QString& moreText, const QVariantList& moreParams) {
    text += moreText;
    params += moreParams;
    return *this;
}

SqlFragment& SqlFragment::append(const SqlFragment& other) {
    return append(other.text, other.params);
}

QString SqlFragment::quoteIdentifier(const QString& name) {
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}
