// The Options window: what it shows for the stored settings, how its controls enable each
// other, what OK writes (in its order) and that Cancel writes nothing; the warranty reminder,
// on by default.

#include "GuiTest.h"

#include "app/frmOptions.h"
#include "widgets/UpDown.h"

#include <QRadioButton>
#include <QToolButton>

namespace {

// The window shown, with its controls found by name.
struct Options {
    frmOptions window;
    Options() { window.show(); }
    QCheckBox* check(const char* name) { return child<QCheckBox>(&window, name); }
    QRadioButton* option(int index) {
        return child<QRadioButton>(&window, QString("optReplacePrice_%1").arg(index));
    }
    QLineEdit* percent() { return child<QLineEdit>(&window, "txtReplacePercent"); }
    UpDown* upDown(const char* name) { return child<UpDown>(&window, name); }
    void click(const char* name) { ::click(&window, name); }
};

QString written(const SettingKey& first, const SettingKey& second) {
    return Settings::text(first) + "|" + Settings::text(second);
}

} // namespace

class OptionsTest : public QObject {
    Q_OBJECT

private slots:
    void loadShowsTheStoredValuesOrTheDefaults() {
        GuiTestEnvironment env;
        {
            Options options;
            for (const char* name : {"chkRequireManufacturer", "chkRequirePurchasePrice",
                                     "chkRoundPrices", "chkCompact", "chkBackup"})
                QVERIFY2(!options.check(name)->isChecked(), name);
            QVERIFY(options.option(0)->isChecked() && !options.percent()->isEnabled());
            QCOMPARE(options.upDown("updCompact")->value(), 1);
            QVERIFY(!options.upDown("updCompact")->isEnabled());
        }
        Settings::setText(SettingKeys::RequireModel, "1");
        Settings::setText(SettingKeys::RemindBackup, "1");
        Settings::setText(SettingKeys::BackupDays, "14");
        Settings::setText(SettingKeys::CompactDays, "30");
        Options options;
        QVERIFY(options.check("chkRequireModel")->isChecked());
        QVERIFY(options.check("chkBackup")->isChecked());
        QCOMPARE(child<QLabel>(&options.window, "lblBackup")->text(), QString("14"));
        QVERIFY(options.upDown("updBackup")->isEnabled());
        QCOMPARE(options.upDown("updCompact")->value(), 30);
        QVERIFY(!options.upDown("updCompact")->isEnabled());
    }

    void replacePriceCases() {
        GuiTestEnvironment env;
        // Each case as a person sets it: the percentage box is enabled for the third only and
        // emptied whenever the option changes.
        const auto choose = [](int option, const QString& percent) {
            Options options;
            options.option(option)->click();
            QCOMPARE(options.percent()->isEnabled(), option == 2);
            QCOMPARE(options.percent()->text(), QString());
            QTest::keyClicks(options.percent(), percent);
            options.click("cmdOK");
        };
        choose(2, "15");
        QCOMPARE(written(SettingKeys::ReplacePrice, SettingKeys::ReplacePercent), QString("2|15"));
        QCOMPARE(Options().percent()->text(), QString("15"));
        choose(1, "");
        QCOMPARE(written(SettingKeys::ReplacePrice, SettingKeys::ReplacePercent), QString("1|"));
        choose(0, "");
        QCOMPARE(written(SettingKeys::ReplacePrice, SettingKeys::ReplacePercent), QString("0|"));
    }

    void percentageMustBeAWholeNumberFrom0To99() {
        GuiTestEnvironment env;
        ScriptedPrompts prompts;
        const QString range = "The 'compute as percent of purchase price' value must be from 0 "
                              "to 99.";
        prompts.answerMessage(QMessageBox::Ok, range);
        Options options;
        options.check("chkRequireModel")->click();
        options.check("chkRoundPrices")->click();
        options.option(2)->click();
        options.click("cmdOK");
        QCOMPARE(prompts.boxes().first().icon, QMessageBox::Warning);
        QVERIFY(options.window.isVisible());
        // What was written before the check stays written; what comes after it is not.
        QCOMPARE(written(SettingKeys::RequireModel, SettingKeys::ReplacePrice), QString("1|2"));
        QVERIFY(!Settings::contains(SettingKeys::ReplacePercent));
        QVERIFY(!Settings::contains(SettingKeys::RoundPrices));

        // A sign would give new items a negative replacement price, a dollar sign would be
        // read back as 100: both are refused, and so is a fraction.
        for (const char* typed : {"-5", "$5", "5."}) {
            prompts.answerMessage(QMessageBox::Ok, range);
            options.percent()->clear();
            QTest::keyClicks(options.percent(), typed);
            options.click("cmdOK");
            QVERIFY2(options.window.isVisible(), typed);
            QVERIFY(!Settings::contains(SettingKeys::ReplacePercent));
        }
        options.percent()->clear();
        QTest::keyClicks(options.percent(), "90");
        options.click("cmdOK");
        QVERIFY(!options.window.isVisible());
        QCOMPARE(written(SettingKeys::ReplacePercent, SettingKeys::RoundPrices), QString("90|1"));
    }

    void remindersWriteTheirDaysAndCancelWritesNothing() {
        GuiTestEnvironment env;
        {
            Options options;
            options.check("chkBackup")->click();
            options.option(2)->click();
            QTest::keyClicks(options.percent(), "50");
            options.click("cmdCancel");
            QVERIFY(!options.window.isVisible());
        }
        QVERIFY(readFile(env.settingsFile()).trimmed().isEmpty());

        Options options;
        UpDown* compact = options.upDown("updCompact");
        options.check("chkCompact")->click();
        QVERIFY(compact->isEnabled());
        // The counters start at 1 and do not go below it.
        compact->findChild<QToolButton*>("btnDown")->click();
        QCOMPARE(compact->value(), 1);
        for (int i = 0; i < 6; ++i)
            compact->findChild<QToolButton*>("btnUp")->click();
        QCOMPARE(child<QLabel>(&options.window, "lblCompact")->text(), QString("7"));
        options.click("cmdOK");
        QCOMPARE(written(SettingKeys::RemindCompact, SettingKeys::CompactDays), QString("1|7"));
        QCOMPARE(written(SettingKeys::RemindBackup, SettingKeys::BackupDays), QString("0|1"));
    }

    void warrantyReminderIsOnUntilSwitchedOff() {
        GuiTestEnvironment env;
        {
            Options options;
            QVERIFY(options.check("chkWarranty")->isChecked());
            QCOMPARE(child<QLabel>(&options.window, "lblWarranty")->text(), QString("30"));
            QVERIFY(options.upDown("updWarranty")->isEnabled());
            options.upDown("updWarranty")->findChild<QToolButton*>("btnUp")->click();
            options.click("cmdOK");
            QCOMPARE(written(SettingKeys::RemindWarranty, SettingKeys::WarrantyDays),
                     QString("1|31"));
        }
        Options options;
        QCOMPARE(options.upDown("updWarranty")->value(), 31);
        options.check("chkWarranty")->click();
        QVERIFY(!options.upDown("updWarranty")->isEnabled());
        options.click("cmdOK");
        QCOMPARE(Settings::text(SettingKeys::RemindWarranty), QString("0"));
    }
};

DOMIVO_GUI_TEST_MAIN(OptionsTest)
#include "tst_options.moc"
