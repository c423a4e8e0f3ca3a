#pragma once

#include <QString>

// The upgrade step that gives a database made before incidents and coverage limits existed the
// tables for them (empty), so that every later call finds them. It runs at every start, after
// the version 1.2 step, and before the command-line tool's incident, claim and coverage
// commands; on a database that has the tables it only reads.
class InsuranceUpgrade {
public:
    // Throws DbError when the tables are missing and cannot be added.
    static void UpdateDatabase(const QString& connString);
    // True when the database has every one of the tables.
    static bool isUpToDate(const QString& connString);
};
