#include "app/frmOptions.h"

#include "app/Settings.h"
#include "dialogs/MessageBoxes.h"
#include "insurance/WarrantyReminder.h"
#include "widgets/NamedWidgets.h"
#include "widgets/UpDown.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

using NamedWidgets::checkBox;
using NamedWidgets::control;
using NamedWidgets::label;

// How many days a reminder may wait at most; the counters start at 1.
constexpr int MaxReminderDays = 9999;

// The percentage of the purchase price a new item's replacement price is computed as: a whole
// number from 0 to 99, as the message that refuses anything else says. A sign or a dollar sign
// is refused, not read as something else.
bool isPercent(const QString& text) {
    static const QRegularExpression wholeNumber(QStringLiteral("^[0-9]{1,2}$"));
    return wholeNumber.match(text.trimmed()).hasMatch();
}

QString flag(const QCheckBox* box) {
    return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

frmOptions::frmOptions(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));
    setModal(true);

    m_sstOptions = control<QTabWidget>("sstOptions", this);

    // Item Entry
    auto* entry = new QWidget(m_sstOptions);
    auto* require = control<QGroupBox>("fraRequire", entry);
    require->setTitle(QStringLiteral("Require these fields"));
    m_chkRequireManufacturer =
        checkBox("chkRequireManufacturer", QStringLiteral("Manufacturer"), require);
    m_chkRequireModel = checkBox("chkRequireModel", QStringLiteral("Model/Series"), require);
    m_chkRequirePurchaseLocation =
        checkBox("chkRequirePurchaseLocation", QStringLiteral("Purchase Location"), require);
    m_chkRequirePurchaseDate =
        checkBox("chkRequirePurchaseDate", QStringLiteral("Purchase Date"), require);
    m_chkRequirePurchasePrice =
        checkBox("chkRequirePurchasePrice", QStringLiteral("Purchase Price"), require);
    auto* requireLayout = new QGridLayout(require);
    requireLayout->addWidget(m_chkRequireManufacturer, 0, 0);
    requireLayout->addWidget(m_chkRequireModel, 1, 0);
    requireLayout->addWidget(m_chkRequirePurchaseLocation, 2, 0);
    requireLayout->addWidget(m_chkRequirePurchaseDate, 0, 1);
    requireLayout->addWidget(m_chkRequirePurchasePrice, 1, 1);

    auto* replace = control<QGroupBox>("fraReplacePrice", entry);
    replace->setTitle(QStringLiteral("If replace price not entered:"));
    const QString captions[3] = {QStringLiteral("Leave blank"),
                                 QStringLiteral("Set to Purchase Price"),
                                 QStringLiteral("Compute as percent of purchase price")};
    auto* group = new QButtonGroup(this);
    auto* replaceLayout = new QGridLayout(replace);
    for (int index = 0; index < 3; ++index) {
        m_optReplacePrice[index] =
            control<QRadioButton>(QStringLiteral("optReplacePrice_%1").arg(index), replace);
        m_optReplacePrice[index]->setText(captions[index]);
        group->addButton(m_optReplacePrice[index], index);
        replaceLayout->addWidget(m_optReplacePrice[index], index, 0);
    }
    m_txtReplacePercent = control<QLineEdit>("txtReplacePercent", replace);
    // The message that checks it names 0 to 99.
    m_txtReplacePercent->setMaxLength(2);
    m_txtReplacePercent->setFixedWidth(
        m_txtReplacePercent->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 16);
    auto* percentRow = new QHBoxLayout;
    percentRow->addWidget(m_txtReplacePercent);
    percentRow->addWidget(new QLabel(QStringLiteral("%"), replace));
    percentRow->addStretch();
    replaceLayout->addLayout(percentRow, 2, 1);
    connect(group, &QButtonGroup::idClicked, this, &frmOptions::optReplacePrice_Click);

    m_chkRoundPrices = checkBox("chkRoundPrices", QStringLiteral("Round prices to whole $"), entry);

    auto* entryLayout = new QVBoxLayout(entry);
    entryLayout->addWidget(require);
    entryLayout->addWidget(replace);
    entryLayout->addWidget(m_chkRoundPrices);
    entryLayout->addStretch();
    m_sstOptions->addTab(entry, QStringLiteral("Item Entry"));

    // Reminders
    auto* reminders = new QWidget(m_sstOptions);
    auto* remindersLayout = new QGridLayout(reminders);
    const auto reminderRow = [&](int row, QCheckBox*& check, UpDown*& days, const char* checkName,
                                 const QString& caption, const char* updName, const char* lblName,
                                 const char* hdgName) {
        check = checkBox(checkName, caption, reminders);
        days = control<UpDown>(updName, reminders);
        days->setRange(1, MaxReminderDays);
        QLabel* value = label(lblName, QString(), reminders);
        value->setFrameShape(QFrame::Panel);
        value->setFrameShadow(QFrame::Sunken);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("00000")));
        days->setBuddy(value);
        remindersLayout->addWidget(check, row, 0);
        remindersLayout->addWidget(value, row, 1);
        remindersLayout->addWidget(days, row, 2);
        remindersLayout->addWidget(label(hdgName, QStringLiteral("days"), reminders), row, 3);
        connect(check, &QCheckBox::toggled, days, &UpDown::setEnabled);
    };
    reminderRow(0, m_chkCompact, m_updCompact, "chkCompact",
                QStringLiteral("Remind to compact database?"), "updCompact", "lblCompact",
                "hdgCompact");
    reminderRow(1, m_chkBackup, m_updBackup, "chkBackup",
                QStringLiteral("Remind to backup database?"), "updBackup", "lblBackup",
                "hdgBackup");
    remindersLayout->setColumnStretch(4, 1);
    remindersLayout->setRowStretch(2, 1);
    m_sstOptions->addTab(reminders, QStringLiteral("Reminders"));

    // Warranties
    auto* warranties = new QWidget(m_sstOptions);
    auto* warrantiesLayout = new QGridLayout(warranties);
    m_chkWarranty = checkBox("chkWarranty",
                             QStringLiteral("At start-up, list the warranties that run out within"),
                             warranties);
    m_updWarranty = control<UpDown>("updWarranty", warranties);
    m_updWarranty->setRange(1, WarrantyReminder::MaxDays);
    QLabel* warrantyDays = label("lblWarranty", QString(), warranties);
    warrantyDays->setFrameShape(QFrame::Panel);
    warrantyDays->setFrameShadow(QFrame::Sunken);
    warrantyDays->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    warrantyDays->setMinimumWidth(
        warrantyDays->fontMetrics().horizontalAdvance(QStringLiteral("00000")));
    m_updWarranty->setBuddy(warrantyDays);
    warrantiesLayout->addWidget(m_chkWarranty, 0, 0);
    warrantiesLayout->addWidget(warrantyDays, 0, 1);
    warrantiesLayout->addWidget(m_updWarranty, 0, 2);
    warrantiesLayout->addWidget(label("hdgWarranty", QStringLiteral("days"), warranties), 0, 3);
    QLabel* note =
        label("lblWarrantyNote",
              QStringLiteral("The list shows once a day at most, after the compact and backup "
                             "reminders, and only when a warranty runs out in that time."),
              warranties);
    note->setWordWrap(true);
    warrantiesLayout->addWidget(note, 1, 0, 1, 5);
    warrantiesLayout->setColumnStretch(4, 1);
    warrantiesLayout->setRowStretch(2, 1);
    connect(m_chkWarranty, &QCheckBox::toggled, m_updWarranty, &UpDown::setEnabled);
    m_sstOptions->addTab(warranties, QStringLiteral("Warranties"));

    const NamedWidgets::OkCancel buttons = NamedWidgets::okCancelRow(this);
    connect(buttons.ok, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(buttons.cancel, &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_sstOptions);
    layout->addLayout(buttons.row);

    Form_Load();
}

void frmOptions::Form_Load() {
    m_chkRequireManufacturer->setChecked(Settings::integer(SettingKeys::RequireManufacturer, 0) ==
                                         1);
    m_chkRequireModel->setChecked(Settings::integer(SettingKeys::RequireModel, 0) == 1);
    m_chkRequirePurchaseLocation->setChecked(
        Settings::integer(SettingKeys::RequirePurchaseLocation, 0) == 1);
    m_chkRequirePurchaseDate->setChecked(Settings::integer(SettingKeys::RequirePurchaseDate, 0) ==
                                         1);
    m_chkRequirePurchasePrice->setChecked(Settings::integer(SettingKeys::RequirePurchasePrice, 0) ==
                                          1);

    const int replace = Settings::integer(SettingKeys::ReplacePrice, 0);
    if (replace >= 0 && replace <= 2)
        m_optReplacePrice[replace]->setChecked(true);
    if (replace == 2) {
        m_txtReplacePercent->setText(Settings::text(SettingKeys::ReplacePercent, QString()));
        m_txtReplacePercent->setEnabled(true);
    } else {
        m_txtReplacePercent->clear();
        m_txtReplacePercent->setEnabled(false);
    }

    m_chkRoundPrices->setChecked(Settings::integer(SettingKeys::RoundPrices, 0) == 1);
    m_chkCompact->setChecked(Settings::integer(SettingKeys::RemindCompact, 0) == 1);
    m_chkBackup->setChecked(Settings::integer(SettingKeys::RemindBackup, 0) == 1);

    m_updCompact->setValue(Settings::integer(SettingKeys::CompactDays, 1));
    m_updCompact->setEnabled(m_chkCompact->isChecked());
    m_updBackup->setValue(Settings::integer(SettingKeys::BackupDays, 1));
    m_updBackup->setEnabled(m_chkBackup->isChecked());
    // The warranty reminder is on until the user turns it off.
    m_chkWarranty->setChecked(Settings::integer(SettingKeys::RemindWarranty, 1) == 1);
    m_updWarranty->setValue(qBound(1, WarrantyReminder::days(), WarrantyReminder::MaxDays));
    m_updWarranty->setEnabled(m_chkWarranty->isChecked());

    m_sstOptions->setCurrentIndex(0);
}

void frmOptions::optReplacePrice_Click(int index) {
    if (index == 2) {
        m_txtReplacePercent->setEnabled(true);
    } else {
        m_txtReplacePercent->clear();
        m_txtReplacePercent->setEnabled(false);
    }
}

int frmOptions::selectedReplacePrice() const {
    for (int index = 0; index < 3; ++index) {
        if (m_optReplacePrice[index]->isChecked())
            return index;
    }
    return 0;
}

void frmOptions::cmdOK_Click() {
    Settings::setText(SettingKeys::RequireManufacturer, flag(m_chkRequireManufacturer));
    Settings::setText(SettingKeys::RequireModel, flag(m_chkRequireModel));
    Settings::setText(SettingKeys::RequirePurchaseLocation, flag(m_chkRequirePurchaseLocation));
    Settings::setText(SettingKeys::RequirePurchaseDate, flag(m_chkRequirePurchaseDate));
    Settings::setText(SettingKeys::RequirePurchasePrice, flag(m_chkRequirePurchasePrice));

    Settings::setInteger(SettingKeys::ReplacePrice, selectedReplacePrice());

    if (Settings::integer(SettingKeys::ReplacePrice, 0) == 2) {
        if (!isPercent(m_txtReplacePercent->text())) {
            MsgBox(this,
                   QStringLiteral(
                       "The 'compute as percent of purchase price' value must be from 0 to 99."),
                   QMessageBox::Ok, QMessageBox::Warning, windowTitle());
            m_sstOptions->setCurrentIndex(0);
            m_txtReplacePercent->setFocus();
            return;
        }
        Settings::setText(SettingKeys::ReplacePercent, m_txtReplacePercent->text().trimmed());
    } else {
        Settings::setText(SettingKeys::ReplacePercent, QString());
    }

    Settings::setText(SettingKeys::RoundPrices, flag(m_chkRoundPrices));
    Settings::setText(SettingKeys::RemindCompact, flag(m_chkCompact));
    Settings::setText(SettingKeys::RemindBackup, flag(m_chkBackup));
    Settings::setInteger(SettingKeys::CompactDays, m_updCompact->value());
    Settings::setInteger(SettingKeys::BackupDays, m_updBackup->value());
    Settings::setText(SettingKeys::RemindWarranty, flag(m_chkWarranty));
    Settings::setInteger(SettingKeys::WarrantyDays, m_updWarranty->value());
    accept();
}

void frmOptions::cmdCancel_Click() {
    reject();
}
