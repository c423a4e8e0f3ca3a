// The per-user settings store: text values under the application's sections and keys, with
// each reader's own default.

#include "TestEnvironment.h"

#include "app/Settings.h"

#include <QFile>

class SettingsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestEnvironment> env;

private slots:
    void init() { env = std::make_unique<TestEnvironment>(); }
    void cleanup() { env.reset(); }

    void missingValuesGiveTheReadersDefault() {
        QCOMPARE(Settings::integer(SettingKeys::CompactDays, 1), 1);
        QCOMPARE(Settings::integer(SettingKeys::CompactDays, 0), 0);
        QCOMPARE(Settings::integer(SettingKeys::ViewBy, -1), -1);
        QCOMPARE(Settings::text(SettingKeys::ReplacePercent), QString());
        QCOMPARE(Settings::number(SettingKeys::ReplacePercent, 100), 100.0);
        QVERIFY(!Settings::contains(SettingKeys::RoundPrices));
        QVERIFY(!QFile::exists(env->settingsFile()));
    }

    void valuesAreWrittenAsTextUnderTheirSections() {
        Settings::setFlag(SettingKeys::RequirePurchaseLocation, true);
        Settings::setInteger(SettingKeys::BackupDays, 14);
        Settings::setText(SettingKeys::ReplacePercent, "12.5");
        Settings::setText(SettingKeys::LastBackup, "12/6/2026");

        QVERIFY(env->settingsFile().startsWith(env->configFolder()));
        QVERIFY(env->settingsFile().endsWith("Qelto Domivo/Qelto Domivo.ini"));
        const QString ini = QString::fromUtf8(readFile(env->settingsFile()));
        QVERIFY2(ini.contains("[Required]\nPurchase%20Location=1\n"), qPrintable(ini));
        QVERIFY(ini.contains("[Settings]\nBackupDays=14\n"));
        QVERIFY(ini.contains("[Prices]\nReplace%20Percent=12.5\n"));
        QVERIFY(ini.contains("[Dates]\nLastBackup=12/6/2026\n"));

        QCOMPARE(Settings::integer(SettingKeys::RequirePurchaseLocation, 0), 1);
        QCOMPARE(Settings::number(SettingKeys::ReplacePercent, 100), 12.5);
    }

    void valuesThatAreNotNumbersGiveTheDefault() {
        Settings::setText(SettingKeys::CompactDays, "often");
        QCOMPARE(Settings::integer(SettingKeys::CompactDays, 0), 0);
        QCOMPARE(Settings::text(SettingKeys::CompactDays), QString("often"));
    }
};

DOMIVO_TEST_MAIN(SettingsTest)
#include "tst_settings.moc"
