#include "windows/inventory/frmListUpdate.h"

#include "app/Commands.h"
#include "app/Globals.h"
#include "data/DataChanges.h"
#include "dialogs/InputBoxes.h"
#include "dialogs/MessageBoxes.h"
#include "widgets/NamedWidgets.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The width of the name columns of both lists.
constexpr int MaxNameLength = 40;

} // namespace

frmListUpdate::frmListUpdate(QWidget* parent)
    : FormDialog(QStringLiteral("frmListUpdate"), parent) {

    m_lstEntries = NamedWidgets::control<QListWidget>("lstEntries", this);
    m_lstEntries->setMinimumSize(260, 300);
    const auto button = [this](const char* name, const QString& caption,
                               void (frmListUpdate::*command)()) {
        QPushButton* push = NamedWidgets::button(name, caption, this);
        push->setAutoDefault(false);
        connect(push, &QPushButton::clicked, this,
                [this, command] { RunCommand(this, [this, command] { (this->*command)(); }); });
        return push;
    };
    m_cmdNew = button("cmdNew", QStringLiteral("&New"), &frmListUpdate::cmdNew_Click);
    m_cmdEdit = button("cmdEdit", QStringLiteral("&Edit"), &frmListUpdate::cmdEdit_Click);
    m_cmdDelete = button("cmdDelete", QStringLiteral("&Delete"), &frmListUpdate::cmdDelete_Click);
    m_cmdClose = button("cmdClose", QStringLiteral("&Close"), &frmListUpdate::cmdClose_Click);
    setEntryCommandsEnabled(false);
    // Taking the focus makes the first entry current without selecting it; only a selected
    // entry is one the user chose.
    connect(m_lstEntries, &QListWidget::itemSelectionChanged, this, [this] {
        if (selectedEntry())
            setEntryCommandsEnabled(true);
    });
    connect(m_lstEntries, &QListWidget::itemDoubleClicked, this,
            [this] { RunCommand(this, [this] { cmdEdit_Click(); }); });

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_cmdNew);
    buttons->addWidget(m_cmdEdit);
    buttons->addWidget(m_cmdDelete);
    buttons->addStretch();
    buttons->addWidget(m_cmdClose);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_lstEntries, 1);
    layout->addLayout(buttons);
}

bool frmListUpdate::isTypeList() const {
    return m_editType == QLatin1String("TYPE");
}

const LookupList& frmListUpdate::list() const {
    const invItem& items = gData->Inventory().Item();
    if (isTypeList())
        return items.ItemType();
    return items.Location();
}

void frmListUpdate::Form_Load() {
    m_kindName = isTypeList() ? QStringLiteral("Item Type") : QStringLiteral("Location");
    setWindowTitle(QStringLiteral("Update ") + m_kindName + QStringLiteral("s"));
    fillList();
}

void frmListUpdate::fillList() {
    const Recordset rows = list().List();
    m_lstEntries->clear();
    for (int row = 0; row < rows.rowCount(); ++row)
        m_lstEntries->addItem(rows.value(row, 0).toString());
    // The refilled list has nothing selected.
    setEntryCommandsEnabled(false);
}

QListWidgetItem* frmListUpdate::selectedEntry() const {
    const QList<QListWidgetItem*> selected = m_lstEntries->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

void frmListUpdate::setEntryCommandsEnabled(bool enabled) {
    m_cmdEdit->setEnabled(enabled);
    m_cmdDelete->setEnabled(enabled);
}

void frmListUpdate::tell(const QString& message, QMessageBox::Icon icon) {
    MsgBox(this, message, QMessageBox::Ok, icon, windowTitle());
}

std::optional<QString> frmListUpdate::acceptableAnswer(const QString& prompt,
                                                       const QString& defaultText) {
    const QString answer = InputBox(this, prompt, windowTitle(), defaultText).trimmed();
    if (answer.size() > MaxNameLength) {
        tell(QStringLiteral("The value you specified is too large.  Must be 40 characters or "
                            "less."));
        return std::nullopt;
    }
    if (answer.contains(QLatin1Char('\''))) {
        tell(QStringLiteral("You cannot use the single quote character in a %1 value.")
                 .arg(m_kindName));
        return std::nullopt;
    }
    return answer;
}

bool frmListUpdate::isOtherEntry(const QString& text, const QString& except) const {
    for (int row = 0; row < m_lstEntries->count(); ++row) {
        const QString entry = m_lstEntries->item(row)->text();
        if (entry != except && entry.compare(text, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

void frmListUpdate::cmdNew_Click() {
    const auto answer = acceptableAnswer(QStringLiteral("Enter your new ") + m_kindName, {});
    // Nothing typed (or the box cancelled) adds nothing.
    if (!answer || answer->isEmpty())
        return;
    if (list().Add(*answer))
        changed(true);
    else
        tell(QStringLiteral("You have specified a duplicate entry.  Cannot add."));
}

void frmListUpdate::cmdEdit_Click() {
    QListWidgetItem* entry = selectedEntry();
    if (!entry)
        return;
    const QString oldValue = entry->text();
    const auto answer =
        acceptableAnswer(QStringLiteral("Change %1 '%2' to").arg(m_kindName, oldValue), oldValue);
    if (!answer || answer->isEmpty() || *answer == oldValue)
        return;
    // The list would refuse the rename; saying so beats a rename that silently does not happen.
    if (isOtherEntry(*answer, oldValue)) {
        tell(QStringLiteral("You have specified a duplicate entry.  Cannot change."));
        changed(false);
        return;
    }
    const bool stored = list().Update(oldValue, *answer);
    if (!stored)
        tell(QStringLiteral("The %1 '%2' could not be changed.").arg(m_kindName, oldValue));
    changed(stored);
}

void frmListUpdate::cmdDelete_Click() {
    QListWidgetItem* current = selectedEntry();
    if (!current)
        return;
    const QString entry = current->text();
    const auto answer = MsgBox(
        this, QStringLiteral("Are you sure you want to delete %1 '%2'").arg(m_kindName, entry),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Question, windowTitle());
    if (answer != QMessageBox::Yes)
        return;
    const invItem& items = gData->Inventory().Item();
    const qint64 used =
        isTypeList() ? items.Count(QString(), entry) : items.Count(entry, QString());
    if (used > 0) {
        tell(QStringLiteral("Cannot delete '%1' because one or more items are on-file for that %2")
                 .arg(entry, m_kindName));
        changed(false);
        return;
    }
    const bool stored = list().Delete(entry);
    if (!stored)
        tell(QStringLiteral("The %1 '%2' could not be deleted.").arg(m_kindName, entry));
    changed(stored);
}

void frmListUpdate::changed(bool stored) {
    fillList();
    if (stored)
        emit DataChanges::instance().listChanged(isTypeList() ? DataChanges::List::ItemTypes
                                                              : DataChanges::List::Locations);
}

void frmListUpdate::cmdClose_Click() {
    accept();
}
