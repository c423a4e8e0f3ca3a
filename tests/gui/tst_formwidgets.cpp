// The combo box helpers (type-ahead, selecting and filling) and the date field that can hold no
// date.

#include "GuiTest.h"

#include "data/Recordset.h"
#include "widgets/ComboHelpers.h"
#include "widgets/OptionalDateEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QSignalSpy>

namespace {

// An editable combo box with type-ahead, shown and empty, its entries in the given order.
struct TypeAheadCombo {
    QComboBox combo;
    explicit TypeAheadCombo(const QStringList& entries) {
        combo.addItems(entries);
        EnableTypeAhead(&combo);
        combo.setCurrentIndex(-1);
        combo.clearEditText();
        combo.show();
        combo.lineEdit()->setFocus();
    }
    QLineEdit* edit() { return combo.lineEdit(); }
};

} // namespace

class FormWidgetsTest : public QObject {
    Q_OBJECT

private slots:
    void typeAheadCompletesTheFirstMatch_data();
    void typeAheadCompletesTheFirstMatch();
    void typeAheadLeavesTextThatBeginsNoEntry();
    void editingKeysDoNotComplete();
    void autoCompleteOnItsOwn();
    void selectComboItemTakesTheLastEqualEntry();
    void fillComboReplacesTheEntries();
    void optionalDateHoldsNoDateWhenUnchecked();
};

void FormWidgetsTest::typeAheadCompletesTheFirstMatch_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("highlighted");
    QTest::addColumn<int>("index");
    QTest::newRow("gar") << "gar"
                         << "Garage"
                         << "age" << 0;
    QTest::newRow("g") << "g"
                       << "Garage"
                       << "arage" << 0;
    QTest::newRow("GARD") << "GARD"
                          << "Garden"
                          << "en" << 1;
    QTest::newRow("whole entry") << "garden"
                                 << "Garden"
                                 << "" << 1;
}

void FormWidgetsTest::typeAheadCompletesTheFirstMatch() {
    QFETCH(QString, typed);
    QFETCH(QString, text);
    QFETCH(QString, highlighted);
    QFETCH(int, index);
    TypeAheadCombo box(
        {QStringLiteral("Garage"), QStringLiteral("Garden"), QStringLiteral("Kitchen")});

    QTest::keyClicks(box.edit(), typed);

    QCOMPARE(box.combo.currentText(), text);
    QCOMPARE(box.combo.currentIndex(), index);
    QCOMPARE(box.edit()->selectedText(), highlighted);
    if (!highlighted.isEmpty())
        QCOMPARE(box.edit()->selectionStart(), int(typed.size()));
}

void FormWidgetsTest::typeAheadLeavesTextThatBeginsNoEntry() {
    TypeAheadCombo box({QStringLiteral("Garage"), QStringLiteral("Garden")});

    QTest::keyClicks(box.edit(), QStringLiteral("Attic"));
    QCOMPARE(box.combo.currentText(), QStringLiteral("Attic"));
    QCOMPARE(box.edit()->selectedText(), QString());

    // Typing on past a suggestion that no longer fits keeps what was typed (the first letter
    // as the suggestion spelt it).
    box.combo.clearEditText();
    QTest::keyClicks(box.edit(), QStringLiteral("gax"));
    QCOMPARE(box.combo.currentText(), QStringLiteral("Gax"));
    QCOMPARE(box.edit()->selectedText(), QString());
}

void FormWidgetsTest::editingKeysDoNotComplete() {
    TypeAheadCombo box({QStringLiteral("Garage"), QStringLiteral("Garden")});
    QTest::keyClicks(box.edit(), QStringLiteral("gar"));
    QCOMPARE(box.combo.currentText(), QStringLiteral("Garage"));

    // Backspace takes the suggestion away and leaves the typed letters.
    QTest::keyClick(box.edit(), Qt::Key_Backspace);
    QCOMPARE(box.combo.currentText(), QStringLiteral("Gar"));
    QCOMPARE(box.edit()->selectedText(), QString());
    QTest::keyClick(box.edit(), Qt::Key_Backspace);
    QCOMPARE(box.combo.currentText(), QStringLiteral("Ga"));

    // Delete does not complete either.
    QTest::keyClick(box.edit(), Qt::Key_Home);
    QTest::keyClick(box.edit(), Qt::Key_Delete);
    QCOMPARE(box.combo.currentText(), QStringLiteral("a"));

    // A printable key completes again.
    QTest::keyClick(box.edit(), Qt::Key_Home);
    QTest::keyClicks(box.edit(), QStringLiteral("g"));
    QCOMPARE(box.combo.currentText(), QStringLiteral("Garage"));
    QCOMPARE(box.edit()->selectedText(), QStringLiteral("rage"));
}

void FormWidgetsTest::autoCompleteOnItsOwn() {
    QComboBox combo;
    combo.setEditable(true);
    combo.addItems({QStringLiteral("Garage"), QStringLiteral("Garden")});
    combo.setEditText(QStringLiteral("GAR"));
    ComboAutoComplete(&combo);
    QCOMPARE(combo.currentText(), QStringLiteral("Garage"));
    QCOMPARE(combo.lineEdit()->selectionStart(), 3);
    QCOMPARE(combo.lineEdit()->selectedText(), QStringLiteral("age"));

    combo.setEditText(QString());
    ComboAutoComplete(&combo);
    QCOMPARE(combo.currentText(), QString());
}

void FormWidgetsTest::selectComboItemTakesTheLastEqualEntry() {
    QComboBox combo;
    combo.addItems({QStringLiteral("Attic"), QStringLiteral("Basement"), QStringLiteral("Attic"),
                    QStringLiteral("attic")});
    combo.setCurrentIndex(1);

    SelectComboItem(&combo, QStringLiteral("Attic"));
    QCOMPARE(combo.currentIndex(), 2);
    SelectComboItem(&combo, QStringLiteral("Garage"));
    QCOMPARE(combo.currentIndex(), 2);
}

void FormWidgetsTest::fillComboReplacesTheEntries() {
    QComboBox combo;
    combo.addItem(QStringLiteral("old entry"));
    const Recordset names({QStringLiteral("ID"), QStringLiteral("LocationNM")},
                          {{qlonglong(1), QStringLiteral("Attic")},
                           {qlonglong(2), QVariant()},
                           {qlonglong(3), QStringLiteral("Garage")}});

    FillCombo(&combo, names, QStringLiteral("locationnm"));

    QCOMPARE(combo.count(), 3);
    QCOMPARE(combo.itemText(0), QStringLiteral("Attic"));
    QCOMPARE(combo.itemText(1), QString());
    QCOMPARE(combo.itemText(2), QStringLiteral("Garage"));
}

void FormWidgetsTest::optionalDateHoldsNoDateWhenUnchecked() {
    OptionalDateEdit field;
    QSignalSpy changes(&field, &OptionalDateEdit::valueChanged);
    QVERIFY(field.isNull());
    QVERIFY(field.value().isNull());
    QVERIFY(!field.dateEdit()->isEnabled());

    field.setValue(QDate(2024, 2, 29));
    QVERIFY(!field.isNull());
    QCOMPARE(field.value(), QVariant(QDate(2024, 2, 29)));
    QVERIFY(field.dateEdit()->isEnabled());
    QCOMPARE(changes.count(), 1);

    field.checkBox()->click();
    QVERIFY(field.isNull());
    QVERIFY(field.value().isNull());
    QCOMPARE(changes.last().first(), QVariant());

    // Ticking it again offers the date it showed before.
    field.checkBox()->click();
    QCOMPARE(field.date(), QDate(2024, 2, 29));

    field.setValue(QVariant());
    QVERIFY(field.isNull());
    field.setValue(QDateTime(QDate(2023, 5, 1), QTime(10, 30)));
    QCOMPARE(field.value(), QVariant(QDate(2023, 5, 1)));
}

DOMIVO_GUI_TEST_MAIN(FormWidgetsTest)
#include "tst_formwidgets.moc"
