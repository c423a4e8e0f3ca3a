// The shared helpers that turn values into text and check what users type, the money and date
// types under them, and the per-user settings store: text values under the application's
// sections and keys, with each reader's own default.

#include "TestEnvironment.h"

#include "app/Clock.h"
#include "app/General.h"
#include "app/Settings.h"
#include "data/DbError.h"
#include "types/Currency.h"
#include "types/DateText.h"

#include <QFile>
#include <ctime>
#include <limits>

using namespace General;

class HelpersTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

private slots:
    void init() { env = std::make_unique<TestEnvironment>(); }
    void cleanup() { env.reset(); }

    void escapeQuotesDoublesEachQuoteInPlace() {
        QCOMPARE(EscapeQuotes("O'Neil's"), QString("O''Neil''s"));
        QCOMPARE(EscapeQuotes("plain"), QString("plain"));
        QCOMPARE(EscapeQuotes("''"), QString("''''"));
    }

    void nullToDefault() {
        QCOMPARE(NullToDefault(QVariant(), KindText), QVariant(QString()));
        QCOMPARE(NullToDefault(QVariant(), KindInteger32).toInt(), 0);
        QCOMPARE(NullToDefault(QDate(2026, 12, 6), KindText).toString(), QString("12/6/2026"));
        QCOMPARE(
            NullToDefault(QVariant::fromValue(Currency::fromUnits(125000)), KindText).toString(),
            QString("12.5"));
        QCOMPARE(NullToDefault("7.6", KindInteger16).toInt(), 8);
    }

    void wholeNumbers_data() {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("whole");
        QTest::newRow("12") << QVariant("12") << true;
        QTest::newRow("12.0") << QVariant("12.0") << true;
        QTest::newRow("-7") << QVariant("-7") << true;
        QTest::newRow("12.5") << QVariant("12.5") << false;
        QTest::newRow("word") << QVariant("twelve") << false;
        QTest::newRow("empty") << QVariant("") << false;
        QTest::newRow("three thousand million") << QVariant("3000000000") << false;
        QTest::newRow("largest 32-bit") << QVariant("2147483647") << true;
        QTest::newRow("number") << QVariant(15) << true;
    }
    void wholeNumbers() {
        QFETCH(QVariant, value);
        QFETCH(bool, whole);
        QCOMPARE(IsWholeNumber(value), whole);
    }

    void money_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("allowDollar");
        QTest::addColumn<bool>("valid");
        QTest::newRow("12.34") << "12.34" << false << true;
        QTest::newRow("12.5") << "12.5" << false << true;
        QTest::newRow("12.345") << "12.345" << false << false;
        QTest::newRow("-1") << "-1" << false << false;
        QTest::newRow("empty") << "" << false << false;
        QTest::newRow("$5 no dollar") << "$5" << false << false;
        QTest::newRow("$5 dollar") << "$5" << true << true;
        QTest::newRow("$12.50 dollar") << "$12.50" << true << true;
        QTest::newRow("thousands") << "1,234.56" << false << true;
        QTest::newRow("word") << "ten" << true << false;
        QTest::newRow("largest") << "922337203685477" << false << true;
        QTest::newRow("too large") << "922337203685478" << false << false;
        QTest::newRow("trailing point") << "12." << false << true;
        // The check reads amounts with the grammar that stores them.
        QTest::newRow("two dollars") << "$$1" << true << false;
        QTest::newRow("leading zeros") << "0010000000000000" << false << true;
        QTest::newRow("largest, with cents") << "922337203685477.01" << false << false;
        QTest::newRow("twenty digits") << "99999999999999999999" << false << false;
    }
    void money() {
        QFETCH(QString, text);
        QFETCH(bool, allowDollar);
        QFETCH(bool, valid);
        QCOMPARE(IsValidMoney(text, allowDollar), valid);
        // Whatever passes the check can be stored as an amount.
        if (valid)
            QVERIFY(ToCurrency(text).has_value());
    }

    void formatPriceFollowsTheRoundingOption() {
        QCOMPARE(FormatPrice(1234.5, true), QString("$1234.50"));
        QCOMPARE(FormatPrice("12.5", false), QString("12.50"));
        QCOMPARE(FormatPrice(QVariant::fromValue(Currency::fromUnits(5)), true), QString("$0.00"));
        Settings::setText(SettingKeys::RoundPrices, "1");
        QCOMPARE(FormatPrice(1234.5, true), QString("$1235"));
        QCOMPARE(FormatPrice(QVariant::fromValue(Currency::fromUnits(12344999)), false),
                 QString("1234"));
        QCOMPARE(FormatPrice(QVariant(), true), QString());

        // Held open (as a report holds it), the store still reads what this program writes
        // meanwhile, and holds nest.
        const Settings::Held held;
        QCOMPARE(FormatPrice(1234.5, true), QString("$1235"));
        Settings::setText(SettingKeys::RoundPrices, "0");
        {
            const Settings::Held inner;
            QCOMPARE(FormatPrice(1234.5, true), QString("$1234.50"));
        }
        QCOMPARE(FormatPrice(1234.5, true), QString("$1234.50"));
    }

    void fieldValueTextByKind() {
        QCOMPARE(FieldValueText("Mint", 0), QString("Mint"));
        QCOMPARE(FieldValueText("1", 5), QString("True"));
        QCOMPARE(FieldValueText("0", 5), QString("False"));
        QCOMPARE(FieldValueText("12.5", 7), QString("$12.50"));
        QCOMPARE(FieldValueText("$12.50", 7), QString("$12.50"));
        QCOMPARE(FieldValueText("anything", 9), QString());
        // Dates in the short form, whether stored as ISO or in an older short form; a stored
        // text that names no day as it is. As a value, a date is a date.
        QCOMPARE(FieldValueText("2020-03-10", 6), QString("3/10/2020"));
        QCOMPARE(FieldValueText("3/15/2020", 6), QString("3/15/2020"));
        QCOMPARE(FieldValueText("spring", 6), QString("spring"));
        QCOMPARE(FieldValue("2020-03-10", 6), QVariant(QDate(2020, 3, 10)));
        QCOMPARE(FieldValue("spring", 6), QVariant("spring"));
    }

    void amountsAtTheEdgesOfTheRange() {
        const Currency largest = Currency::fromUnits(std::numeric_limits<qint64>::max());
        const Currency smallest = Currency::fromUnits(std::numeric_limits<qint64>::min());
        QCOMPARE(Currency::parse("922337203685477.5807"), largest);
        QCOMPARE(Currency::parse("-922,337,203,685,477.5808"), smallest);
        for (const char* outside : {"922337203685477.5808", "922337203685477.9999",
                                    "-922337203685477.5809", "99999999999999999999"})
            QVERIFY2(!Currency::parse(outside), outside);
        QCOMPARE(largest.format("$#,##0.00"), QString("$922,337,203,685,477.58"));
        QCOMPARE(smallest.format("$#,##0.00"), QString("-$922,337,203,685,477.58"));
        QCOMPARE(smallest.format("0"), QString("-922337203685478"));
        QCOMPARE(smallest.toString(), QString("-922337203685477.5808"));
        QCOMPARE(FormatPrice(QVariant::fromValue(largest), true), QString("$922337203685477.58"));

        // Nothing from outside the range, or from a number that is not finite, wraps around.
        const double infinity = std::numeric_limits<double>::infinity();
        const double nan = std::numeric_limits<double>::quiet_NaN();
        for (double value : {1e300, -1e300, infinity, nan, 1e15})
            QVERIFY2(!Currency::fromDouble(value), qPrintable(QString::number(value)));
        QVERIFY(!Currency::fromRealUnits(9.3e18));
        QCOMPARE(Currency::fromRealUnits(-9223372036854775808.0), smallest);
        QVERIFY(!Currency::tryFromWhole(std::numeric_limits<qint64>::max() / 1000));
        QVERIFY(!largest.percentOf(200) && !largest.percentOf(infinity));
        QVERIFY(!Currency::fromWhole(1).percentOf(nan));
        QVERIFY_THROWS_EXCEPTION(std::overflow_error, largest + Currency::fromUnits(1));
        QVERIFY_THROWS_EXCEPTION(std::overflow_error, smallest - Currency::fromUnits(1));
        QVERIFY(!ToCurrency(QVariant(1e300)));
        QCOMPARE(FormatPrice(QVariant(1e300), true), QString("1e+300"));
        QVERIFY(!ToCurrency(QVariant(std::numeric_limits<qint64>::max())));

        // A percentage taken from the settings that leaves the range is refused, not wrapped.
        Settings::setText(SettingKeys::ReplacePercent, "1e30");
        QVERIFY_THROWS_EXCEPTION(DbError, ReplacementByPercent(Currency::fromWhole(10)));
        Settings::setText(SettingKeys::ReplacePercent, "inf");
        QCOMPARE(ReplacementByPercent(Currency::fromWhole(10)), Currency::fromWhole(10));
    }

    void currencyIsExact() {
        Currency sum;
        for (int i = 0; i < 10; ++i)
            sum += *Currency::parse("0.1");
        QCOMPARE(sum, Currency::fromWhole(1));
        QCOMPARE(Currency::parse("-$3")->units(), -30000);
        QVERIFY(!Currency::parse("$3", false));
        QVERIFY(!Currency::parse("1.23456"));
        QCOMPARE(Currency::parse("-0012.5")->units(), -125000);
        QVERIFY(!Currency::parse("1.5", true, 0));
        QVERIFY(!Currency::parse("12,34"));
        QCOMPARE(Currency::fromUnits(12345000).format("$#,##0.00"), QString("$1,234.50"));
        QCOMPARE(Currency::fromUnits(-12345000).format("$#,##0"), QString("-$1,235"));
        QCOMPARE(Currency::fromUnits(125).format("0.00"), QString("0.01"));
        QCOMPARE(Currency::parse("33.33")->percentOf(12.5), Currency::fromUnits(41663));
    }

    void dateTexts() {
        QCOMPARE(DateText::shortDate(QDate(2026, 12, 6)), QString("12/6/2026"));
        QCOMPARE(DateText::generalDate(QDateTime(QDate(2026, 12, 6), QTime(0, 0))),
                 QString("12/6/2026"));
        QVERIFY(DateText::generalDate(QDateTime(QDate(2026, 12, 6), QTime(14, 5, 9)))
                    .startsWith("12/6/2026 2:05:09"));
        QCOMPARE(DateText::storageText(QDate(2026, 1, 2)), QString("2026-01-02"));
        QCOMPARE(DateText::storageText(QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5))),
                 QString("2026-01-02 03:04:05"));
        QCOMPARE(DateText::fromStorage("2026-01-02").toDate(), QDate(2026, 1, 2));
        QVERIFY(!DateText::fromStorage("1/2/2026").isValid());
        // Short dates are written without the locale's formatter where they can be: the
        // text must be the locale's own, in whatever locale comes next.
        for (const char* name : {"en_US", "de_DE", "C", "hu_HU", "ar_EG", "ja_JP", "fa_IR"}) {
            const QLocale locale = QString(name) == "C" ? QLocale::c() : QLocale(name);
            for (const QDate& date : {QDate(2026, 1, 5), QDate(1999, 12, 31), QDate(7, 3, 9)})
                QCOMPARE(DateText::shortDate(date, locale),
                         locale.toString(date, DateText::shortDateFormat(locale)));
        }
    }

    void typedDates_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        QTest::newRow("four-digit year") << "12/6/2026" << QDate(2026, 12, 6);
        QTest::newRow("two-digit year, this century") << "3/4/26" << QDate(2026, 3, 4);
        QTest::newRow("two-digit year, last century") << "3/4/75" << QDate(1975, 3, 4);
        QTest::newRow("iso") << "2026-03-04" << QDate(2026, 3, 4);
        QTest::newRow("not a date") << "soon" << QDate();
        QTest::newRow("no such day") << "2/30/2026" << QDate();
        QTest::newRow("negative year") << "1/3/-1999" << QDate();
        QTest::newRow("last storable year") << "12/31/9999" << QDate(9999, 12, 31);
    }
    void typedDates() {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QCOMPARE(DateText::parseDate(text), date);
    }

    // Collection date values written by older versions in some locale's short form.
    void storedFieldDates_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QDate>("date");
        QTest::newRow("iso anywhere") << "en_GB"
                                      << "2020-03-10" << QDate(2020, 3, 10);
        QTest::newRow("the locale's own form") << "en_GB"
                                               << "3/10/2020" << QDate(2020, 10, 3);
        QTest::newRow("month first, unambiguous") << "C"
                                                  << "3/15/2020" << QDate(2020, 3, 15);
        QTest::newRow("day first, unambiguous") << "C"
                                                << "15/3/2020" << QDate(2020, 3, 15);
        QTest::newRow("ambiguous outside its locale") << "C"
                                                      << "3/10/2020" << QDate();
        QTest::newRow("the same day either way") << "C"
                                                 << "4/4/2020" << QDate(2020, 4, 4);
        QTest::newRow("not a date") << "en_US"
                                    << "spring" << QDate();
    }
    void storedFieldDates() {
        QFETCH(QString, locale);
        QFETCH(QString, stored);
        QFETCH(QDate, date);
        const QLocale inLocale = locale == "C" ? QLocale::c() : QLocale(locale);
        QCOMPARE(DateText::readStoredFieldDate(stored, inLocale), date);
    }

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
        // Hand-edited values beyond what the program writes are not wrapped around.
        for (const char* text : {"4294967297", "-3e9", "inf", "nan"}) {
            Settings::setText(SettingKeys::CompactDays, text);
            QCOMPARE(Settings::integer(SettingKeys::CompactDays, 7), 7);
        }
        for (const char* text : {"inf", "nan"}) {
            Settings::setText(SettingKeys::ReplacePercent, text);
            QCOMPARE(Settings::number(SettingKeys::ReplacePercent, 100), 100.0);
        }
    }

    // Stored date-times are local times: reading the zone once for the run keeps the zone the
    // user named, or else the machine's own.
    void theLocalZoneIsReadOnceAndKept() {
        const QByteArray saved = qgetenv("TZ");
        const bool wasSet = qEnvironmentVariableIsSet("TZ");
        const auto offset = [] {
            return DateText::fromStorage(QStringLiteral("2026-03-01 12:00:00"))
                .toDateTime()
                .offsetFromUtc();
        };
        qputenv("TZ", "XYZ-3"); // three hours east of UTC
        tzset();
        Clock::readLocalZoneOnce();
        QCOMPARE(qgetenv("TZ"), QByteArray("XYZ-3"));
        QCOMPARE(offset(), 3 * 3600);

        qunsetenv("TZ");
        tzset();
        const int machine = offset();
        Clock::readLocalZoneOnce();
        QVERIFY(qEnvironmentVariableIsSet("TZ"));
        QCOMPARE(offset(), machine);

        if (wasSet)
            qputenv("TZ", saved);
        else
            qunsetenv("TZ");
        tzset();
    }
};

DOMIVO_TEST_MAIN(HelpersTest)
#include "tst_helpers.moc"
