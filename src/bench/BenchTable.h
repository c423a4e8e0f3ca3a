#pragma once

#include <QList>
#include <QString>
#include <QTextStream>
#include <optional>

// The measured operations, printed as one table: what was done, on how many rows, the
// program's time (the median of the runs), the baseline's time and the ratio of the two, the
// peak memory while it ran, and the target it is held to.
class BenchTable {
public:
    enum class Target {
        Listing,     // at most 1.5 x the baseline
        Output,      // reports, graphs, exports: at most 3 x the baseline
        Maintenance, // backup and compact: at most 2 x SQLite's online backup
        Absolute,    // under a fixed time
        None,        // shown for information
    };

    struct Row {
        QString operation;
        qint64 rows = -1;
        double ms = 0;
        std::optional<double> baselineMs;
        qint64 peakBytes = 0;
        Target target = Target::None;
        double limitMs = 0; // for Target::Absolute

        std::optional<double> ratio() const;
        // nullopt when the row has no target.
        std::optional<bool> met() const;
        QString targetText() const;
    };

    void add(const Row& row);
    const QList<Row>& rows() const { return m_rows; }
    // The highest peak of all rows.
    qint64 peakBytes() const;
    void print(QTextStream& out) const;

private:
    QList<Row> m_rows;
};
