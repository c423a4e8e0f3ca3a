#include "BenchTable.h"

#include <algorithm>

namespace {

QString milliseconds(double ms) {
    return QString::number(ms, 'f', ms < 10 ? 2 : (ms < 100 ? 1 : 0));
}

QString megabytes(qint64 bytes) {
    return bytes > 0 ? QString::number(double(bytes) / (1024 * 1024), 'f', 0) : QStringLiteral("-");
}

} // namespace

std::optional<double> BenchTable::Row::ratio() const {
    if (!baselineMs || *baselineMs <= 0)
        return std::nullopt;
    return ms / *baselineMs;
}

std::optional<bool> BenchTable::Row::met() const {
    const auto r = ratio();
    switch (target) {
    case Target::Listing:
        return r ? std::optional<bool>(*r <= 1.5) : std::nullopt;
    case Target::Output:
        return r ? std::optional<bool>(*r <= 3.0) : std::nullopt;
    case Target::Maintenance:
        return r ? std::optional<bool>(*r <= 2.0) : std::nullopt;
    case Target::Absolute:
        return ms <= limitMs;
    case Target::None:
        break;
    }
    return std::nullopt;
}

QString BenchTable::Row::targetText() const {
    switch (target) {
    case Target::Listing:
        return QStringLiteral("<= 1.5 x");
    case Target::Output:
        return QStringLiteral("<= 3 x");
    case Target::Maintenance:
        return QStringLiteral("<= 2 x");
    case Target::Absolute:
        return QStringLiteral("< %1 ms").arg(limitMs);
    case Target::None:
        break;
    }
    return QStringLiteral("-");
}

void BenchTable::add(const Row& row) {
    m_rows.append(row);
}

qint64 BenchTable::peakBytes() const {
    qint64 peak = 0;
    for (const Row& row : m_rows)
        peak = std::max(peak, row.peakBytes);
    return peak;
}

void BenchTable::print(QTextStream& out) const {
    const QStringList headers = {QStringLiteral("operation"), QStringLiteral("rows"),
                                 QStringLiteral("domivo ms"), QStringLiteral("baseline ms"),
                                 QStringLiteral("ratio"),     QStringLiteral("peak MB"),
                                 QStringLiteral("target"),    QStringLiteral("met")};
    QList<QStringList> lines;
    for (const Row& row : m_rows) {
        const auto ratio = row.ratio();
        const auto met = row.met();
        lines.append(
            {row.operation, row.rows >= 0 ? QString::number(row.rows) : QStringLiteral("-"),
             milliseconds(row.ms),
             row.baselineMs ? milliseconds(*row.baselineMs) : QStringLiteral("-"),
             ratio ? QString::number(*ratio, 'f', 2) : QStringLiteral("-"),
             megabytes(row.peakBytes), row.targetText(),
             met ? (*met ? QStringLiteral("yes") : QStringLiteral("NO")) : QStringLiteral("-")});
    }
    QList<int> widths;
    for (int column = 0; column < headers.size(); ++column) {
        int width = int(headers[column].size());
        for (const QStringList& line : lines)
            width = std::max(width, int(line[column].size()));
        widths.append(width);
    }
    const auto printLine = [&](const QStringList& cells) {
        QString text;
        for (int column = 0; column < cells.size(); ++column) {
            // The operation is read left-aligned, the figures right-aligned.
            const QString cell = column == 0 ? cells[column].leftJustified(widths[column])
                                             : cells[column].rightJustified(widths[column]);
            text += (column > 0 ? QStringLiteral(" | ") : QStringLiteral("| ")) + cell;
        }
        out << text << " |\n";
    };
    printLine(headers);
    QStringList rule;
    for (const int width : std::as_const(widths))
        rule.append(QString(width, QLatin1Char('-')));
    printLine(rule);
    for (const QStringList& line : std::as_const(lines))
        printLine(line);
    out.flush();
}
