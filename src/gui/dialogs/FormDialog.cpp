#include "dialogs/FormDialog.h"

#include "app/frmMain.h"

FormDialog::FormDialog(const QString& formName, QWidget* parent)
    : QDialog(parent) {
    setObjectName(formName);
    setModal(true);
    if (frmMain* main = frmMain::instance())
        setWindowIcon(main->windowIcon());
}

int FormDialog::exec() {
    loadOnce();
    return QDialog::exec();
}

void FormDialog::reject() {
    m_cancelled = true;
    QDialog::reject();
}

void FormDialog::showEvent(QShowEvent* event) {
    loadOnce();
    QDialog::showEvent(event);
}

void FormDialog::closeSaved() {
    markSaved();
    accept();
}

void FormDialog::loadOnce() {
    if (m_loaded)
        return;
    m_loaded = true;
    Form_Load();
}
