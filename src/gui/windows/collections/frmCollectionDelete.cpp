#include "windows/collections/frmCollectionDelete.h"

#include "app/Commands.h"
#include "app/Globals.h"
#include "app/frmMain.h"
#include "records/Collection.h"
#include "widgets/NamedWidgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* label(const char* name, const QString& caption, QWidget* parent) {
    auto* text = NamedWidgets::label(name, caption, parent);
    text->setWordWrap(true);
    return text;
}

const QString VerifyTemplate = QStringLiteral(
    "Please verify that you want to delete the collection \"XXX\" by entering \"YES\" in the "
    "text box below and clicking OK.  Click CANCEL to abort the deletion.");

} // namespace

frmCollectionDelete::frmCollectionDelete(QWidget* parent)
    : FormDialog(QStringLiteral("frmCollectionDelete"), parent) {
    setWindowTitle(QStringLiteral("Delete Collection"));

    QLabel* warning = label("lblWarning", QStringLiteral("*** WARNING ***"), this);
    QFont bold = warning->font();
    bold.setBold(true);
    warning->setFont(bold);
    warning->setAlignment(Qt::AlignCenter);
    QLabel* text1 = label("lblText1",
                          QStringLiteral("Deleting a collection will also delete all items in "
                                         "that collection.  You can lose a significant amount "
                                         "of data.  This procedure CANNOT be undone."),
                          this);
    m_lblText2 = label("lblText2", VerifyTemplate, this);
    m_txtVerify = NamedWidgets::control<QLineEdit>("txtVerify", this);
    connect(m_txtVerify, &QLineEdit::textChanged, this, &frmCollectionDelete::txtVerify_Change);

    const NamedWidgets::OkCancel buttons = NamedWidgets::okCancelRow(this);
    m_cmdOK = buttons.ok;
    m_cmdOK->setEnabled(false);
    connect(m_cmdOK, &QPushButton::clicked, this, &frmCollectionDelete::cmdOK_Click);
    connect(buttons.cancel, &QPushButton::clicked, this, &frmCollectionDelete::cmdCancel_Click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(warning);
    layout->addWidget(text1);
    layout->addWidget(m_lblText2);
    layout->addWidget(m_txtVerify);
    layout->addLayout(buttons.row);
    setFixedWidth(420);
}

void frmCollectionDelete::Form_Load() {
    QString text = VerifyTemplate;
    m_lblText2->setText(text.replace(QLatin1String("XXX"), m_collectionName));
    m_txtVerify->setFocus();
}

void frmCollectionDelete::txtVerify_Change() {
    m_cmdOK->setEnabled(m_txtVerify->text() == QLatin1String("YES"));
}

void frmCollectionDelete::cmdOK_Click() {
    if (m_txtVerify->text() != QLatin1String("YES"))
        return;
    RunCommand(this, [this] {
        gData->Collection().Delete(m_collectionName);
        closeSaved();
    });
}

void frmCollectionDelete::cmdCancel_Click() {
    reject();
}
