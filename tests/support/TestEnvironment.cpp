#include "TestEnvironment.h"

#include "app/AppPaths.h"
#include "app/Clock.h"
#include "app/Settings.h"
#include "data/Connection.h"
#include "types/DateText.h"

#include <QDir>
#include <QFile>
#include <QSettings>

TestEnvironment::TestEnvironment()
    : m_oldDataDir(qgetenv(AppPaths::DataDirVariable)) {
    QVERIFY2(m_dir.isValid(), "cannot create a temporary folder");
    QDir(m_dir.path()).mkpath(QStringLiteral("data"));
    QDir(m_dir.path()).mkpath(QStringLiteral("config"));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, configFolder());
    qputenv(AppPaths::DataDirVariable, dataFolder().toUtf8());
}

TestEnvironment::~TestEnvironment() {
    // A test that fixed the clock gives the real one back.
    Clock::setNow({});
    if (m_oldDataDir.isNull())
        qunsetenv(AppPaths::DataDirVariable);
    else
        qputenv(AppPaths::DataDirVariable, m_oldDataDir);
}

QString TestEnvironment::dataFolder() const {
    return QDir(m_dir.path()).filePath(QStringLiteral("data"));
}

QString TestEnvironment::configFolder() const {
    return QDir(m_dir.path()).filePath(QStringLiteral("config"));
}

QString TestEnvironment::databaseFile() const {
    return AppPaths::databaseFile(dataFolder());
}

QString TestEnvironment::filePath(const QString& name) const {
    return QDir(m_dir.path()).filePath(name);
}

QString TestEnvironment::settingsFile() const {
    return Settings::fileName();
}

QProcessEnvironment TestEnvironment::processEnvironment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configFolder());
    environment.insert(QString::fromLatin1(AppPaths::DataDirVariable), dataFolder());
    environment.insert(QStringLiteral("LANG"), QStringLiteral("en_US.UTF-8"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    return environment;
}

QString TestDatabase::sql(const QString& statement) const {
    return runSqlite(databaseFile(), statement);
}

void leaveInterruptedWrite(const QString& databaseFile) {
    const QString journal = databaseFile + QStringLiteral("-journal");
    {
        Connection writer = Connection::openFile(databaseFile);
        // A small cache makes the engine write changed pages into the file before the commit.
        writer.execute(QStringLiteral("PRAGMA cache_size = 10"));
        writer.execute(QStringLiteral("BEGIN IMMEDIATE"));
        for (int i = 0; i < 200; ++i)
            writer.execute(QStringLiteral("INSERT INTO tblItem (ItemNM, CommentsTX) VALUES (?, ?)"),
                           {QStringLiteral("Unfinished"), QString(2000, QLatin1Char('x'))});
        // The files as they are at this moment are what a kill would leave.
        QVERIFY(QFile::copy(databaseFile, databaseFile + QStringLiteral(".killed")));
        QVERIFY(QFile::copy(journal, journal + QStringLiteral(".killed")));
        writer.execute(QStringLiteral("ROLLBACK"));
    }
    QFile::remove(databaseFile);
    QFile::remove(journal);
    QVERIFY(QFile::rename(databaseFile + QStringLiteral(".killed"), databaseFile));
    QVERIFY(QFile::rename(journal + QStringLiteral(".killed"), journal));
}

QString storedToday() {
    return DateText::storageText(QDate::currentDate());
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    file.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

ProcessResult runProcess(const QString& program, const QStringList& args,
                         const QProcessEnvironment& environment, int timeoutMs) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, args);
    ProcessResult result;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        result.err = QStringLiteral("process did not finish: ") + process.errorString();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

QString runSqlite(const QString& databaseFile, const QString& sql, bool expectFailure) {
    const ProcessResult result =
        runProcess(QStringLiteral("sqlite3"),
                   {QStringLiteral("-batch"), QStringLiteral("-bail"), databaseFile,
                    QStringLiteral("PRAGMA foreign_keys = ON; ") + sql},
                   QProcessEnvironment::systemEnvironment());
    if (expectFailure) {
        if (result.exitCode == 0)
            QTest::qFail("the sqlite3 tool accepted what it should refuse", __FILE__, __LINE__);
        return result.err;
    }
    if (result.exitCode != 0)
        QTest::qFail(qPrintable(QStringLiteral("sqlite3 failed: ") + result.err), __FILE__,
                     __LINE__);
    return result.out;
}

void prepareTestProgram() {
    AppPaths::setApplicationIdentity();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}
