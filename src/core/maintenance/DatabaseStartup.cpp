#include "maintenance/DatabaseStartup.h"

#include "app/Clock.h"
#include "app/Settings.h"
#include "data/DatabaseCheck.h"
#include "data/DbError.h"
#include "data/dvData.h"
#include "insurance/InsuranceUpgrade.h"
#include "maintenance/DatabaseFiles.h"
#include "maintenance/StagedDatabase.h"
#include "types/DateText.h"

#include <QDir>
#include <QFileInfo>

DatabaseStartup::Result DatabaseStartup::open(dvData& data, const QString& file) {
    try {
        DatabaseFiles::removeLeftovers(file);
        data.setPath(file);
        const DatabaseCheck check = DatabaseCheck::examine(data.PhysicalPath());
        if (check.verdict() == DatabaseCheck::Verdict::NotOurs)
            return {Outcome::NotValid, check.message()};
        if (!check.isValid())
            return {Outcome::Failed, check.message()};
        dvData::UpdateDatabaseToVersion1_2(data.connString());
        dvData::AddAttachmentTable(data.connString());
        InsuranceUpgrade::UpdateDatabase(data.connString());
        return {Outcome::Ready, QString()};
    } catch (const DbError& error) {
        return {
            Outcome::Failed,
            QStringLiteral("The database '%1' cannot be opened: %2").arg(file, error.message())};
    }
}

DatabaseStartup::Result DatabaseStartup::rebuild(dvData& data) {
    const QString database = data.PhysicalPath();
    const QString bad = badFileName(database);
    const auto failed = [](const QString& text) { return Result{Outcome::Failed, text}; };

    // The file is replaced only once its copy is safe: without the copy the user would lose
    // whatever it still holds.
    try {
        DatabaseFiles::copyWithJournals(database, bad);
    } catch (const DbError& error) {
        return failed(QStringLiteral("The damaged database cannot be copied to %1:\n%2\nNothing "
                                     "was changed; the program ends now.")
                          .arg(QDir::toNativeSeparators(bad), error.message()));
    }
    try {
        StagedDatabase staged(database);
        dvData::BuildSeeded(staged);
        staged.publishReplacing();
    } catch (const DbError& error) {
        return failed(QStringLiteral("A new database cannot be built:\n%1\nThe damaged database "
                                     "was left as it was, and a copy was kept as %2. The program "
                                     "ends now.")
                          .arg(error.message(), QDir::toNativeSeparators(bad)));
    }
    const QString today = DateText::storageText(Clock::today());
    Settings::setText(SettingKeys::LastCompact, today);
    Settings::setText(SettingKeys::LastBackup, today);
    return {Outcome::Ready, QString()};
}

QString DatabaseStartup::badFileName(const QString& path) {
    const QFileInfo file(path);
    QString name = file.fileName();
    name.replace(QLatin1String("mdb"), QLatin1String("bad"), Qt::CaseSensitive);
    return QDir(file.absolutePath()).filePath(name);
}
