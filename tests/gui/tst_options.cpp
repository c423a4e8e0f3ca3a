// The Options window: what it shows for the stored settings, how its controls enable each
// other, what OK writes (in its order) and that Cancel writes nothing.

#include "GuiTest.h"

#include "app/Settings.h"
#include "app/frmOptions.h"
#include "widgets/UpDown.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

namespace {

// The window shown, with its controls found by name.
struct Options {
    frmOptions window;
    QCheckBox* check(const char* name) { return child<QCheckBox>(&window, QLatin1String(name)); }
    QRadioButton* option(int index) {
        return child<QRadioButton>(&window, QStringLiteral("optReplacePrice_%1").arg(index));
    }
    QLineEdit* percent() { return child<QLineEdit>(&window, QStringLiteral("txtReplacePercent")); }
    UpDown* upDown(const char* name) { return child<UpDown>(&window, QLatin1String(name)); }
    QLabel* label(const char* name) { return child<QLabel>(&window, QLatin1String(name)); }
    void click(const char* name) { child<QPushButton>(&window, QLatin1String(name))->click(); }

    Options() { window.show(); }
};

const char* const RequireBoxes[] = {"chkRequireManufacturer", "chkRequireModel",
                                    "chkRequirePurchaseLocation", "chkRequirePurchaseDate",
                                    "chkRequirePurchasePrice"};

} // namespace

class OptionsTest : public QObject {
    Q_OBJECT

private slots:
    void freshStoreShowsTheDefaults();
    void storedValuesAreShown();
    void replacePriceCases();
    void percentageMustBeANumber();
    void remindersWriteTheirDays();
    void cancelWritesNothing();
};

void OptionsTest::freshStoreShowsTheDefaults() {
    GuiTestEnvironment env;
    Options options;

    QCOMPARE(options.window.windowTitle(), QStringLiteral("Options"));
    auto* tabs = child<QTabWidget>(&options.window, QStringLiteral("sstOptions"));
    QVERIFY(tabs);
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(tabs->tabText(0), QStringLiteral("Item Entry"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Reminders"));
    for (const char* name : RequireBoxes) {
        QVERIFY2(options.check(name), name);
        QVERIFY2(!options.check(name)->isChecked(), name);
    }
    QVERIFY(options.option(0)->isChecked());
    QVERIFY(!options.option(1)->isChecked());
    QVERIFY(!options.option(2)->isChecked());
    QCOMPARE(options.percent()->text(), QString());
    QVERIFY(!options.percent()->isEnabled());
    QVERIFY(!options.check("chkRoundPrices")->isChecked());
    QVERIFY(!options.check("chkCompact")->isChecked());
    QVERIFY(!options.check("chkBackup")->isChecked());
    QCOMPARE(options.upDown("updCompact")->value(), 1);
    QCOMPARE(options.label("lblCompact")->text(), QStringLiteral("1"));
    QVERIFY(!options.upDown("updCompact")->isEnabled());
    QCOMPARE(options.upDown("updBackup")->value(), 1);
    QVERIFY(!options.upDown("updBackup")->isEnabled());
    QCOMPARE(options.label("hdgCompact")->text(), QStringLiteral("days"));
}

void OptionsTest::storedValuesAreShown() {
    GuiTestEnvironment env;
    Settings::setText(SettingKeys::RequireModel, QStringLiteral("1"));
    Settings::setText(SettingKeys::RequirePurchaseDate, QStringLiteral("1"));
    Settings::setText(SettingKeys::ReplacePrice, QStringLiteral("2"));
    Settings::setText(SettingKeys::ReplacePercent, QStringLiteral("85"));
    Settings::setText(SettingKeys::RoundPrices, QStringLiteral("1"));
    Settings::setText(SettingKeys::RemindBackup, QStringLiteral("1"));
    Settings::setText(SettingKeys::BackupDays, QStringLiteral("14"));
    Settings::setText(SettingKeys::CompactDays, QStringLiteral("30"));
    Options options;

    QVERIFY(!options.check("chkRequireManufacturer")->isChecked());
    QVERIFY(options.check("chkRequireModel")->isChecked());
    QVERIFY(options.check("chkRequirePurchaseDate")->isChecked());
    QVERIFY(options.option(2)->isChecked());
    QCOMPARE(options.percent()->text(), QStringLiteral("85"));
    QVERIFY(options.percent()->isEnabled());
    QVERIFY(options.check("chkRoundPrices")->isChecked());
    QVERIFY(options.check("chkBackup")->isChecked());
    QCOMPARE(options.upDown("updBackup")->value(), 14);
    QCOMPARE(options.label("lblBackup")->text(), QStringLiteral("14"));
    QVERIFY(options.upDown("updBackup")->isEnabled());
    QCOMPARE(options.upDown("updCompact")->value(), 30);
    QVERIFY(!options.upDown("updCompact")->isEnabled());
}

void OptionsTest::replacePriceCases() {
    GuiTestEnvironment env;
    {
        Options options;
        options.option(2)->click();
        QVERIFY(options.percent()->isEnabled());
        QTest::keyClicks(options.percent(), QStringLiteral("15"));
        options.click("cmdOK");
        QCOMPARE(options.window.result(), int(QDialog::Accepted));
    }
    QCOMPARE(Settings::text(SettingKeys::ReplacePrice), QStringLiteral("2"));
    QCOMPARE(Settings::text(SettingKeys::ReplacePercent), QStringLiteral("15"));
    {
        Options options;
        QCOMPARE(options.percent()->text(), QStringLiteral("15"));
        options.option(1)->click();
        QCOMPARE(options.percent()->text(), QString());
        QVERIFY(!options.percent()->isEnabled());
        options.click("cmdOK");
    }
    QCOMPARE(Settings::text(SettingKeys::ReplacePrice), QStringLiteral("1"));
    QCOMPARE(Settings::text(SettingKeys::ReplacePercent), QString());
    {
        Options options;
        QVERIFY(options.option(1)->isChecked());
        options.option(0)->click();
        options.click("cmdOK");
    }
    QCOMPARE(Settings::text(SettingKeys::ReplacePrice), QStringLiteral("0"));
    QCOMPARE(Settings::text(SettingKeys::ReplacePercent), QString());
}

void OptionsTest::percentageMustBeANumber() {
    GuiTestEnvironment env;
    ScriptedPrompts prompts;
    prompts.answerMessage(QMessageBox::Ok);
    Options options;
    options.check("chkRequireModel")->click();
    options.check("chkRoundPrices")->click();
    options.option(2)->click();
    options.click("cmdOK");

    QCOMPARE(prompts.boxes().size(), 1);
    QCOMPARE(
        prompts.boxes().first().text,
        QStringLiteral("The 'compute as percent of purchase price' value must be from 0 to 99."));
    QCOMPARE(prompts.boxes().first().icon, QMessageBox::Warning);
    QCOMPARE(prompts.boxes().first().title, QStringLiteral("Options"));
    QVERIFY(options.window.isVisible());
    // What was written before the check stays written; what comes after it is not.
    QCOMPARE(Settings::text(SettingKeys::RequireModel), QStringLiteral("1"));
    QCOMPARE(Settings::text(SettingKeys::RequireManufacturer), QStringLiteral("0"));
    QCOMPARE(Settings::text(SettingKeys::ReplacePrice), QStringLiteral("2"));
    QVERIFY(!Settings::contains(SettingKeys::ReplacePercent));
    QVERIFY(!Settings::contains(SettingKeys::RoundPrices));

    // A number is taken, and the rest is written.
    QTest::keyClicks(options.percent(), QStringLiteral("90"));
    options.click("cmdOK");
    QVERIFY(!options.window.isVisible());
    QCOMPARE(Settings::text(SettingKeys::ReplacePercent), QStringLiteral("90"));
    QCOMPARE(Settings::text(SettingKeys::RoundPrices), QStringLiteral("1"));
}

void OptionsTest::remindersWriteTheirDays() {
    GuiTestEnvironment env;
    Options options;
    UpDown* compact = options.upDown("updCompact");
    options.check("chkCompact")->click();
    QVERIFY(compact->isEnabled());
    // The counters start at 1 and do not go below it.
    compact->findChild<QToolButton*>(QStringLiteral("btnDown"))->click();
    QCOMPARE(compact->value(), 1);
    for (int i = 0; i < 6; ++i)
        compact->findChild<QToolButton*>(QStringLiteral("btnUp"))->click();
    QCOMPARE(options.label("lblCompact")->text(), QStringLiteral("7"));
    options.check("chkBackup")->click();
    options.check("chkBackup")->click();
    QVERIFY(!options.upDown("updBackup")->isEnabled());
    options.click("cmdOK");

    QCOMPARE(Settings::text(SettingKeys::RemindCompact), QStringLiteral("1"));
    QCOMPARE(Settings::text(SettingKeys::CompactDays), QStringLiteral("7"));
    QCOMPARE(Settings::text(SettingKeys::RemindBackup), QStringLiteral("0"));
    QCOMPARE(Settings::text(SettingKeys::BackupDays), QStringLiteral("1"));
    QCOMPARE(Settings::text(SettingKeys::RequirePurchasePrice), QStringLiteral("0"));
}

void OptionsTest::cancelWritesNothing() {
    GuiTestEnvironment env;
    Options options;
    options.check("chkRequireManufacturer")->click();
    options.option(2)->click();
    QTest::keyClicks(options.percent(), QStringLiteral("50"));
    options.check("chkBackup")->click();
    options.click("cmdCancel");

    QVERIFY(!options.window.isVisible());
    QCOMPARE(options.window.result(), int(QDialog::Rejected));
    QVERIFY(QFile::exists(env.settingsFile()) == false ||
            readFile(env.settingsFile()).trimmed().isEmpty());
}

DOMIVO_GUI_TEST_MAIN(OptionsTest)
#include "tst_options.moc"
