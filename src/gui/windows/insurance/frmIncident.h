#pragma once

#include "dialogs/FormDialog.h"

class DateBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

// Records a new incident, or changes one: its name, the day it happened, its kind (picked from
// the usual ones or typed) and notes. Without setIncidentID it makes a new incident; after a
// save, incidentID() names it.
class frmIncident : public FormDialog {
    Q_OBJECT
public:
    explicit frmIncident(QWidget* parent = nullptr);

    void setIncidentID(qint64 incidentID) { m_incidentID = incidentID; }
    qint64 incidentID() const { return m_incidentID; }

    void Form_Load() override;
    void cmdOK_Click();

    // The kinds the combo offers.
    static const QStringList& kinds();

private:
    bool refuse(const QString& message, QWidget* control);

    qint64 m_incidentID = 0;
    QLineEdit* m_txtIncidentNM;
    DateBox* m_dtpIncidentDT;
    QComboBox* m_cboKind;
    QPlainTextEdit* m_txtNotes;
};
