// The Options window: what it shows for the stored settings, how its controls enable each
// other, what OK writes (in its order) and that Cancel writes nothing.

#include "GuiTest.h"

#include "app/Settings.h"
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
    QString label(const char* name) { return child<QLabel>(&window, name)->text(); }
    void click(const char* name) { ::click(&window, name); }
};

} // namespace

class OptionsTest : public QObject {
    Q_OBJECT

private slots:
    void freshStoreShowsTheDefaults() {
        GuiTestEnvironment env;
        Options options;
        for (const char* name :
             {"chkRequireManufacturer", "chkRequireModel", "chkRequirePurchaseLocation",
              "chkRequirePurchaseDate", "chkRequirePurchasePrice", "chkRoundPrices", "chkCompact",
              "chkBackup"})
            QVERIFY2(!options.check(name)->isChecked(), name);
        QVERIFY(options.option(0)->isChecked());
        QVERIFY(!options.percent()->isEnabled());
        for (const char* name : {"updCompact", "updBackup"}) {
            QCOMPARE(options.upDown(name)->value(), 1);
            QVERIFY(!options.upDown(name)->isEnabled());
        }
        QCOMPARE(options.label("lblCompact"), QString("1"));
    }

    void storedValuesAreShown() {
        GuiTestEnvironment env;
        for (const auto& [key, value] : {std::pair{SettingKeys::RequireModel, "1"},
                                         {SettingKeys::ReplacePrice, "2"},
                                         {SettingKeys::ReplacePercent, "85"},
                                         {SettingKeys::RoundPrices, "1"},
                                         {SettingKeys::RemindBackup, "1"},
                                         {SettingKeys::BackupDays, "14"},
                                         {SettingKeys::CompactDays, "30"}})
            Settings::setText(key, value);
        Options options;
        QVERIFY(!options.check("chkRequireManufacturer")->isChecked());
        QVERIFY(options.check("chkRequireModel")->isChecked());
        QVERIFY(options.option(2)->isChecked());
        QCOMPARE(options.percent()->text(), QString("85"));
        QVERIFY(options.percent()->isEnabled());
        QVERIFY(options.check("chkRoundPrices")->isChecked());
        QVERIFY(options.check("chkBackup")->isChecked());
        QCOMPARE(options.label("lblBackup"), QString("14"));
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
        const auto written = [] {
            return Settings::text(SettingKeys::ReplacePrice) + "|" +
                   Settings::text(SettingKeys::ReplacePercent);
        };
        choose(2, "15");
        QCOMPARE(written(), QString("2|15"));
        QCOMPARE(Options().percent()->text(), QString("15"));
        choose(1, "");
        QCOMPARE(written(), QString("1|"));
        choose(0, "");
        QCOMPARE(written(), QString("0|"));
    }

    void percentageMustBeANumber() {
        GuiTestEnvironment env;
        ScriptedPrompts prompts;
        prompts.answerMessage(QMessageBox::Ok, "The 'compute as percent of purchase price' "
                                               "value must be from 0 to 99.");
        Options options;
        options.check("chkRequireModel")->click();
        options.check("chkRoundPrices")->click();
        options.option(2)->click();
        options.click("cmdOK");
        QCOMPARE(prompts.boxes().first().icon, QMessageBox::Warning);
        QVERIFY(options.window.isVisible());
        // What was written before the check stays written; what comes after it is not.
        QCOMPARE(Settings::text(SettingKeys::RequireModel), QString("1"));
        QCOMPARE(Settings::text(SettingKeys::ReplacePrice), QString("2"));
        QVERIFY(!Settings::contains(SettingKeys::ReplacePercent));
        QVERIFY(!Settings::contains(SettingKeys::RoundPrices));

        QTest::keyClicks(options.percent(), "90");
        options.click("cmdOK");
        QVERIFY(!options.window.isVisible());
        QCOMPARE(Settings::text(SettingKeys::ReplacePercent), QString("90"));
        QCOMPARE(Settings::text(SettingKeys::RoundPrices), QString("1"));
    }

    void remindersWriteTheirDays() {
        GuiTestEnvironment env;
        Options options;
        UpDown* compact = options.upDown("updCompact");
        options.check("chkCompact")->click();
        QVERIFY(compact->isEnabled());
        // The counters start at 1 and do not go below it.
        compact->findChild<QToolButton*>("btnDown")->click();
        QCOMPARE(compact->value(), 1);
        for (int i = 0; i < 6; ++i)
            compact->findChild<QToolButton*>("btnUp")->click();
        QCOMPARE(options.label("lblCompact"), QString("7"));
        options.click("cmdOK");
        QCOMPARE(Settings::text(SettingKeys::RemindCompact), QString("1"));
        QCOMPARE(Settings::text(SettingKeys::CompactDays), QString("7"));
        QCOMPARE(Settings::text(SettingKeys::RemindBackup), QString("0"));
        QCOMPARE(Settings::text(SettingKeys::BackupDays), QString("1"));
    }

    void cancelWritesNothing() {
        GuiTestEnvironment env;
        Options options;
        options.check("chkRequireManufacturer")->click();
        options.option(2)->click();
        QTest::keyClicks(options.percent(), "50");
        options.click("cmdCancel");
        QVERIFY(!options.window.isVisible());
        QVERIFY(readFile(env.settingsFile()).trimmed().isEmpty());
    }
};

DOMIVO_GUI_TEST_MAIN(OptionsTest)
#include "tst_options.moc"
