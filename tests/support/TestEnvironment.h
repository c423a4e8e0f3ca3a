#pragma once

#include "data/dvData.h"

#include <QCoreApplication>
#include <QLocale>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

// A private world for one test: a temporary data folder, a settings store of its own (the real
// one is never touched), and the en_US locale so that date and money texts are predictable.
class TestEnvironment {
public:
    TestEnvironment();
    ~TestEnvironment();

    QString root() const { return m_dir.path(); }
    QString dataFolder() const;
    QString configFolder() const;
    QString databaseFile() const;
    QString filePath(const QString& name) const;
    // The settings file of this environment.
    QString settingsFile() const;

    // An environment for a child process (the command-line tool, the application) that points
    // it at this environment's data folder and settings store.
    QProcessEnvironment processEnvironment() const;

private:
    QTemporaryDir m_dir;
    QByteArray m_oldDataDir;
};

// A TestEnvironment whose database file is created and seeded, as on a first start.
class TestDatabase : public TestEnvironment {
public:
    TestDatabase() { data.setPath(databaseFile()); }
    // Runs the sqlite3 tool on the database; returns its standard output.
    QString sql(const QString& statement) const;

    dvData data;
};

// Leaves a database as a writer killed in the middle of a transaction leaves it: pages of the
// unfinished change written into the file, and the journal that undoes them beside it. The
// change adds items named "Unfinished"; once the engine has rolled it back, none is left.
void leaveInterruptedWrite(const QString& databaseFile);

// Today's date in the storage form of dates ("yyyy-MM-dd").
QString storedToday();

// Writes a file with the given bytes.
void writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);

// Runs the sqlite3 tool on a database with foreign keys on; returns its standard output.
// Fails the test (QVERIFY) when the tool fails, unless expectFailure is set, in which case the
// tool's error output is returned instead.
QString runSqlite(const QString& databaseFile, const QString& sql, bool expectFailure = false);

struct ProcessResult {
    int exitCode = -1;
    QString out;
    QString err;
};
ProcessResult runProcess(const QString& program, const QStringList& args,
                         const QProcessEnvironment& environment, int timeoutMs = 60000);

// Settles what every test program shares before its first test: the application's identity
// and the en_US locale.
void prepareTestProgram();

#define DOMIVO_TEST_MAIN(TestClass)                                                                \
    int main(int argc, char* argv[]) {                                                             \
        QCoreApplication app(argc, argv);                                                          \
        prepareTestProgram();                                                                      \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
