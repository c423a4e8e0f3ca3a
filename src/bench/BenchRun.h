#pragma once

#include "BenchDatabase.h"
#include "BenchTable.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <memory>
#include <optional>

class frmMain;
class GridView;

// Runs every measured operation on the generated database, the program's way and the
// baseline's, and collects the table.
//
// An operation runs once with its statements recorded (SqlCapture), then `runs` times against
// the clock; the baseline runs the recorded statements straight through the C API (RawQuery)
// as often. Times are medians. The peak memory is the process's highest resident size while the
// operation ran (the peak is started afresh before each one), or the child process's for the
// start-up and the command-line listing.
class BenchRun {
public:
    struct Settings {
        BenchDatabase::Size size;
        int runs = 5;
        QString dataFolder;
        QString scratchFolder;
        // The program files the child processes run.
        QString cliProgram;
        QString benchProgram;
        QString measureProgram;
        // The groups of operations to run (grid, move, collections, search, reports, graphs,
        // exports, maintenance, startup, cli, photos); all when empty. The inventory listings
        // always run.
        QStringList only;
    };

    explicit BenchRun(Settings settings);
    ~BenchRun();

    // Runs everything; `progress` hears the name of each operation before it runs.
    void runAll(const std::function<void(const QString&)>& progress);
    const BenchTable& table() const { return m_table; }

private:
    // The photos kept with the item whose editor is timed.
    static constexpr int PhotoCount = 50;

    using Action = std::function<qint64()>; // runs the operation once; returns the rows
    using Baseline = std::function<void()>;
    // The baseline run in turns with the operation; it is given the statements the operation
    // ran.
    using Paired = std::function<void(const QVector<QByteArray>& recorded)>;

    struct Timing {
        double ms = 0;
        qint64 rows = 0;
        qint64 peakBytes = 0;
        QVector<QByteArray> statements;
        std::optional<double> baselineMs;
    };

    // The program's side: the recorded run, then the timed runs.
    Timing time(const Action& action, const Paired& baseline) const;
    double timeBaseline(const Baseline& baseline) const;
    // The given statements run straight through the C API; without any, the recorded ones.
    Paired replay(const QVector<QByteArray>& statements = {}) const;
    // One row measured against the replay of its own statements.
    BenchTable::Row measure(const QString& name, BenchTable::Target target, const Action& action);
    void add(BenchTable::Row row);
    // Target::Absolute where the run is of the size the fixed time limits are set for.
    BenchTable::Target fixedLimit() const;

    void startWindows();
    void inventoryListings();
    void inventoryGrid();
    void sortColumns(const QVector<QByteArray>& gridStatements);
    void moveWindow();
    void collectionGrids();
    void search();
    void reports();
    void graphs();
    void exports();
    void maintenance();
    void startup();
    void commandLine();
    void photoEditor();

    QString databaseFile() const;
    QString scratch(const QString& name) const;
    // Draws the grid now, as the event loop would once the operation returned.
    static void show(GridView* grid);

    Settings m_settings;
    BenchTable m_table;
    std::function<void(const QString&)> m_progress;
    std::unique_ptr<frmMain> m_main;
    // The statements of a refill of the whole inventory grid, for the sorts' baseline.
    QVector<QByteArray> m_gridStatements;
};
