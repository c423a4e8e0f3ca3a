#include "app/frmOptions.h"

#include "app/General.h"
#include "app/Settings.h"
#include "dialogs/MessageBoxes.h"
#include "widgets/NamedWidgets.h"
#include "widgets/UpDown.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

using NamedWidgets::checkBox;
using NamedWidgets::label;

// How many days a reminder may wait at most; the counters start at 1.
constexpr int MaxReminderDays = 9999;

QString flag(const QCheckBox* box) {
    return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

frmOptions::frmOptions(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));
    setModal(true);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("sstOptions"));

    // Item Entry
    auto* entry = new QWidget(m_tabs);
    auto* require = new QGroupBox(QStringLiteral("Require these fields"), entry);
    require->setObjectName(QStringLiteral("fraRequire"));
    m_requireManufacturer =
        checkBox("chkRequireManufacturer", QStringLiteral("Manufacturer"), require);
    m_requireModel = checkBox("chkRequireModel", QStringLiteral("Model/Series"), require);
    m_requirePurchaseLocation =
        checkBox("chkRequirePurchaseLocation", QStringLiteral("Purchase Location"), require);
    m_requirePurchaseDate =
        checkBox("chkRequirePurchaseDate", QStringLiteral("Purchase Date"), require);
    m_requirePurchasePrice =
        checkBox("chkRequirePurchasePrice", QStringLiteral("Purchase Price"), require);
    auto* requireLayout = new QGridLayout(require);
    requireLayout->addWidget(m_requireManufacturer, 0, 0);
    requireLayout->addWidget(m_requireModel, 1, 0);
    requireLayout->addWidget(m_requirePurchaseLocation, 2, 0);
    requireLayout->addWidget(m_requirePurchaseDate, 0, 1);
    requireLayout->addWidget(m_requirePurchasePrice, 1, 1);

    auto* replace = new QGroupBox(QStringLiteral("If replace price not entered:"), entry);
    replace->setObjectName(QStringLiteral("fraReplacePrice"));
    const QString captions[3] = {QStringLiteral("Leave blank"),
                                 QStringLiteral("Set to Purchase Price"),
                                 QStringLiteral("Compute as percent of purchase price")};
    auto* group = new QButtonGroup(this);
    auto* replaceLayout = new QGridLayout(replace);
    for (int index = 0; index < 3; ++index) {
        m_replacePrice[index] = new QRadioButton(captions[index], replace);
        m_replacePrice[index]->setObjectName(QStringLiteral("optReplacePrice_%1").arg(index));
        group->addButton(m_replacePrice[index], index);
        replaceLayout->addWidget(m_replacePrice[index], index, 0);
    }
    m_replacePercent = new QLineEdit(replace);
    m_replacePercent->setObjectName(QStringLiteral("txtReplacePercent"));
    // The message that checks it names 0 to 99.
    m_replacePercent->setMaxLength(2);
    m_replacePercent->setFixedWidth(
        m_replacePercent->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 16);
    auto* percentRow = new QHBoxLayout;
    percentRow->addWidget(m_replacePercent);
    percentRow->addWidget(new QLabel(QStringLiteral("%"), replace));
    percentRow->addStretch();
    replaceLayout->addLayout(percentRow, 2, 1);
    connect(group, &QButtonGroup::idClicked, this, &frmOptions::optReplacePrice_Click);

    m_roundPrices = checkBox("chkRoundPrices", QStringLiteral("Round prices to whole $"), entry);

    auto* entryLayout = new QVBoxLayout(entry);
    entryLayout->addWidget(require);
    entryLayout->addWidget(replace);
    entryLayout->addWidget(m_roundPrices);
    entryLayout->addStretch();
    m_tabs->addTab(entry, QStringLiteral("Item Entry"));

    // Reminders
    auto* reminders = new QWidget(m_tabs);
    auto* remindersLayout = new QGridLayout(reminders);
    const auto reminderRow = [&](int row, QCheckBox*& check, UpDown*& days, const char* checkName,
                                 const QString& caption, const char* updName, const char* lblName,
                                 const char* hdgName) {
        check = checkBox(checkName, caption, reminders);
        days = new UpDown(reminders);
        days->setObjectName(QLatin1String(updName));
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
    reminderRow(0, m_compact, m_compactDays, "chkCompact",
                QStringLiteral("Remind to compact database?"), "updCompact", "lblCompact",
                "hdgCompact");
    reminderRow(1, m_backup, m_backupDays, "chkBackup",
                QStringLiteral("Remind to backup database?"), "updBackup", "lblBackup",
                "hdgBackup");
    remindersLayout->setColumnStretch(4, 1);
    remindersLayout->setRowStretch(2, 1);
    m_tabs->addTab(reminders, QStringLiteral("Reminders"));

    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(ok, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(cancel, &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(buttons);

    Form_Load();
}

void frmOptions::Form_Load() {
    m_requireManufacturer->setChecked(Settings::integer(SettingKeys::RequireManufacturer, 0) == 1);
    m_requireModel->setChecked(Settings::integer(SettingKeys::RequireModel, 0) == 1);
    m_requirePurchaseLocation->setChecked(
        Settings::integer(SettingKeys::RequirePurchaseLocation, 0) == 1);
    m_requirePurchaseDate->setChecked(Settings::integer(SettingKeys::RequirePurchaseDate, 0) == 1);
    m_requirePurchasePrice->setChecked(Settings::integer(SettingKeys::RequirePurchasePrice, 0) ==
                                       1);

    const int replace = Settings::integer(SettingKeys::ReplacePrice, 0);
    if (replace >= 0 && replace <= 2)
        m_replacePrice[replace]->setChecked(true);
    if (replace == 2) {
        m_replacePercent->setText(Settings::text(SettingKeys::ReplacePercent, QString()));
        m_replacePercent->setEnabled(true);
    } else {
        m_replacePercent->clear();
        m_replacePercent->setEnabled(false);
    }

    m_roundPrices->setChecked(Settings::integer(SettingKeys::RoundPrices, 0) == 1);
    m_compact->setChecked(Settings::integer(SettingKeys::RemindCompact, 0) == 1);
    m_backup->setChecked(Settings::integer(SettingKeys::RemindBackup, 0) == 1);

    m_compactDays->setValue(Settings::integer(SettingKeys::CompactDays, 1));
    m_compactDays->setEnabled(m_compact->isChecked());
    m_backupDays->setValue(Settings::integer(SettingKeys::BackupDays, 1));
    m_backupDays->setEnabled(m_backup->isChecked());

    m_tabs->setCurrentIndex(0);
}

void frmOptions::optReplacePrice_Click(int index) {
    if (index == 2) {
        m_replacePercent->setEnabled(true);
    } else {
        m_replacePercent->clear();
        m_replacePercent->setEnabled(false);
    }
}

int frmOptions::selectedReplacePrice() const {
    for (int index = 0; index < 3; ++index) {
        if (m_replacePrice[index]->isChecked())
            return index;
    }
    return 0;
}

void frmOptions::cmdOK_Click() {
    Settings::setText(SettingKeys::RequireManufacturer, flag(m_requireManufacturer));
    Settings::setText(SettingKeys::RequireModel, flag(m_requireModel));
    Settings::setText(SettingKeys::RequirePurchaseLocation, flag(m_requirePurchaseLocation));
    Settings::setText(SettingKeys::RequirePurchaseDate, flag(m_requirePurchaseDate));
    Settings::setText(SettingKeys::RequirePurchasePrice, flag(m_requirePurchasePrice));

    Settings::setInteger(SettingKeys::ReplacePrice, selectedReplacePrice());

    if (Settings::integer(SettingKeys::ReplacePrice, 0) == 2) {
        if (!General::IsNumeric(m_replacePercent->text())) {
            MsgBox(this,
                   QStringLiteral(
                       "The 'compute as percent of purchase price' value must be from 0 to 99."),
                   QMessageBox::Ok, QMessageBox::Warning, windowTitle());
            m_tabs->setCurrentIndex(0);
            m_replacePercent->setFocus();
            return;
        }
        Settings::setText(SettingKeys::ReplacePercent, m_replacePercent->text());
    } else {
        Settings::setText(SettingKeys::ReplacePercent, QString());
    }

    Settings::setText(SettingKeys::RoundPrices, flag(m_roundPrices));
    Settings::setText(SettingKeys::RemindCompact, flag(m_compact));
    Settings::setText(SettingKeys::RemindBackup, flag(m_backup));
    Settings::setInteger(SettingKeys::CompactDays, m_compactDays->value());
    Settings::setInteger(SettingKeys::BackupDays, m_backupDays->value());
    accept();
}

void frmOptions::cmdCancel_Click() {
    reject();
}
