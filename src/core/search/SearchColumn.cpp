#include "search/SearchColumn.h"

QString SearchColumn::ValueDelimiter(const QString& column) {
    if (column.startsWith(QLatin1String("FIELD"), Qt::CaseInsensitive))
        return QStringLiteral("'");
    const QString suffix = column.right(2).toUpper();
    if (suffix == QLatin1String("DT"))
        return QStringLiteral("#");
    if (suffix == QLatin1String("NM") || suffix == QLatin1String("TX") ||
        suffix == QLatin1String("ID"))
        return QStringLiteral("'");
    return QString();
}

SearchColumn::Kind SearchColumn::kindOf(const QString& column) {
    const QString delimiter = ValueDelimiter(column);
    if (delimiter == QLatin1String("#"))
        return Kind::Date;
    if (delimiter == QLatin1String("'"))
        return Kind::Text;
    return Kind::Number;
}
