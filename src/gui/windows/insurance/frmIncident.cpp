#include "windows/insurance/frmIncident.h"

#include "app/Clock.h"
#include "app/Commands.h"
#include "app/General.h"
#include "app/Globals.h"
#include "dialogs/MessageBoxes.h"
#include "insurance/IncidentStore.h"
#include "widgets/DateBox.h"
#include "widgets/NamedWidgets.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString text(const Recordset& rows, const char* column) {
    return General::NullToDefault(rows.value(0, QLatin1String(column)), General::KindText)
        .toString();
}

} // namespace

frmIncident::frmIncident(QWidget* parent)
    : FormDialog(QStringLiteral("frmIncident"), parent) {
    using NamedWidgets::control;
    m_txtIncidentNM = control<QLineEdit>("txtIncidentNM", this);
    m_txtIncidentNM->setMaxLength(IncidentStore::NameWidth);
    m_txtIncidentNM->setMinimumWidth(320);
    m_dtpIncidentDT = control<DateBox>("dtpIncidentDT", this);
    m_cboKind = control<QComboBox>("cboKind", this);
    m_cboKind->setEditable(true);
    m_cboKind->addItems(kinds());
    m_cboKind->lineEdit()->setMaxLength(IncidentStore::KindWidth);
    m_txtNotes = control<QPlainTextEdit>("txtNotes", this);
    m_txtNotes->setTabChangesFocus(true);

    auto* form = new QFormLayout;
    form->addRow(NamedWidgets::label("lblIncidentNM", QStringLiteral("&Name:"), this),
                 m_txtIncidentNM);
    form->addRow(NamedWidgets::label("lblIncidentDT", QStringLiteral("&Date:"), this),
                 m_dtpIncidentDT);
    form->addRow(NamedWidgets::label("lblKind", QStringLiteral("&Kind:"), this), m_cboKind);
    form->addRow(NamedWidgets::label("lblNotes", QStringLiteral("N&otes:"), this), m_txtNotes);
    for (int row = 0; row < form->rowCount(); ++row) {
        auto* caption = qobject_cast<QLabel*>(form->itemAt(row, QFormLayout::LabelRole)->widget());
        caption->setBuddy(form->itemAt(row, QFormLayout::FieldRole)->widget());
    }

    const NamedWidgets::OkCancel buttons = NamedWidgets::okCancelRow(this);
    connect(buttons.ok, &QPushButton::clicked, this,
            [this] { RunCommand(this, [this] { cmdOK_Click(); }); });
    connect(buttons.cancel, &QPushButton::clicked, this, &frmIncident::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form, 1);
    layout->addLayout(buttons.row);
}

const QStringList& frmIncident::kinds() {
    static const QStringList list = {
        QStringLiteral("Fire"),     QStringLiteral("Theft"),        QStringLiteral("Burglary"),
        QStringLiteral("Flood"),    QStringLiteral("Water damage"), QStringLiteral("Storm"),
        QStringLiteral("Accident"), QStringLiteral("Other"),
    };
    return list;
}

void frmIncident::Form_Load() {
    if (m_incidentID == 0) {
        setWindowTitle(QStringLiteral("New Incident"));
        m_dtpIncidentDT->setDate(Clock::today());
        m_cboKind->setCurrentIndex(-1);
        m_cboKind->setEditText(QString());
        return;
    }
    setWindowTitle(QStringLiteral("Edit Incident"));
    const Recordset rows = IncidentStore(*gData).Retrieve(m_incidentID);
    if (rows.isEmpty())
        return;
    m_txtIncidentNM->setText(text(rows, "IncidentNM"));
    m_dtpIncidentDT->setDate(rows.value(0, QStringLiteral("IncidentDT")).toDate());
    m_cboKind->setEditText(text(rows, "KindTX"));
    m_txtNotes->setPlainText(text(rows, "NotesTX"));
}

bool frmIncident::refuse(const QString& message, QWidget* control) {
    MsgBox(this, message, QMessageBox::Ok, QMessageBox::Warning, windowTitle());
    control->setFocus();
    return false;
}

void frmIncident::cmdOK_Click() {
    IncidentStore::Values values;
    values.IncidentNM = m_txtIncidentNM->text().trimmed();
    values.IncidentDT = m_dtpIncidentDT->date();
    values.KindTX = m_cboKind->currentText().trimmed();
    values.NotesTX = m_txtNotes->toPlainText();
    if (values.IncidentNM.isEmpty()) {
        refuse(QStringLiteral("Please give the incident a name."), m_txtIncidentNM);
        return;
    }
    if (!values.IncidentDT.isValid()) {
        refuse(QStringLiteral("Please enter the date of the incident."), m_dtpIncidentDT);
        return;
    }
    const IncidentStore incidents(*gData);
    if (m_incidentID == 0)
        m_incidentID = incidents.Add(values);
    else
        incidents.Update(m_incidentID, values);
    closeSaved();
}
