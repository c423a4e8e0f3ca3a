#include "data/ConnectionString.h"

namespace ConnectionString {

QString forFile(const QString& path) {
    return QStringLiteral("Provider=%1;Data Source=%2;").arg(QLatin1String(Provider), path);
}

QString dataSource(const QString& connString) {
    static const QString key = QStringLiteral("Data Source=");
    const int start = int(connString.indexOf(key));
    if (start < 0)
        return {};
    QString path = connString.mid(start + key.size());
    if (path.endsWith(QLatin1Char(';')))
        path.chop(1);
    return path;
}

} // namespace ConnectionString
