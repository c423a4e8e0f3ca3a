#include "windows/collections/frmCollectionDefine.h"

#include "app/Commands.h"
#include "app/General.h"
#include "app/Globals.h"
#include "app/frmMain.h"
#include "dialogs/MessageBoxes.h"
#include "records/Collection.h"
#include "widgets/NamedWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

using NamedWidgets::control;
using NamedWidgets::label;

// The widths of the name columns (tblCollection, tblCollectionField).
constexpr int CollectionNameLength = 50;
constexpr int FieldNameLength = 25;

QString rowName(const char* prefix, int row) {
    return QStringLiteral("%1_%2").arg(QLatin1String(prefix)).arg(row);
}

} // namespace

frmCollectionDefine::frmCollectionDefine(QWidget* parent)
    : FormDialog(QStringLiteral("frmCollectionDefine"), parent) {
    setWindowTitle(QStringLiteral("Define a Collection"));

    m_txtCollectionNM = control<QLineEdit>("txtCollectionNM", this);
    m_txtCollectionNM->setMaxLength(CollectionNameLength);
    m_txtCommentsTX = control<QPlainTextEdit>("txtCommentsTX", this);
    m_txtCommentsTX->setTabChangesFocus(true);
    m_txtCommentsTX->setFixedHeight(m_txtCommentsTX->fontMetrics().lineSpacing() * 3 + 12);
    QLabel* note = label("lblNote",
                         QStringLiteral("NOTE: all collections contain an \"Item Name\", "
                                        "\"Purchase price\" and \"Comments\" field."),
                         this);
    note->setWordWrap(true);

    const NamedWidgets::OkCancel buttons = NamedWidgets::okCancelRow(this);
    connect(buttons.ok, &QPushButton::clicked, this, &frmCollectionDefine::cmdOK_Click);
    connect(buttons.cancel, &QPushButton::clicked, this, &frmCollectionDefine::cmdCancel_Click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label("hdgCollectionNM", QStringLiteral("Collection Name"), this));
    layout->addWidget(m_txtCollectionNM);
    layout->addWidget(label("hdgCommentsTX", QStringLiteral("Comments / Notes"), this));
    layout->addWidget(m_txtCommentsTX);
    layout->addWidget(note);
    layout->addWidget(createFields());
    layout->addLayout(buttons.row);
    setFixedWidth(620);
}

QGroupBox* frmCollectionDefine::createFields() {
    m_fraFields = control<QGroupBox>("fraFields", this);
    m_fraFields->setTitle(QStringLiteral("Fields"));
    auto* grid = new QGridLayout(m_fraFields);
    grid->addWidget(label("hdgFieldNM", QStringLiteral("Field Name"), m_fraFields), 0, 1);
    grid->addWidget(label("hdgFieldTypeCD", QStringLiteral("Field Type"), m_fraFields), 0, 2);
    grid->addWidget(label("hdgRequiredCD", QStringLiteral("Req?"), m_fraFields), 0, 3);
    grid->addWidget(label("hdgFieldListTX", QStringLiteral("Value List"), m_fraFields), 0, 4);
    for (int row = 0; row < FieldRows; ++row) {
        FieldRow& fields = m_rows[row];
        fields.lblFieldID = control<QLabel>(rowName("lblFieldID", row), m_fraFields);
        fields.lblFieldID->setText(QString::number(row + 1));
        fields.txtFieldNM = control<QLineEdit>(rowName("txtFieldNM", row), m_fraFields);
        fields.txtFieldNM->setMaxLength(FieldNameLength);
        fields.cboFieldTypeCD = control<QComboBox>(rowName("cboFieldTypeCD", row), m_fraFields);
        fields.cboFieldTypeCD->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        fields.chkRequiredCD = control<QCheckBox>(rowName("chkRequiredCD", row), m_fraFields);
        fields.txtFieldListTX = control<QLineEdit>(rowName("txtFieldListTX", row), m_fraFields);
        fields.txtFieldListTX->setToolTip(
            QStringLiteral("Enter the values for the list separated by semi-colons"));
        // The row keeps its shape while the list box comes and goes with the type.
        QSizePolicy policy = fields.txtFieldListTX->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        fields.txtFieldListTX->setSizePolicy(policy);
        fields.txtFieldListTX->hide();
        connect(fields.cboFieldTypeCD, &QComboBox::currentIndexChanged, this,
                [this, row] { cboFieldTypeCD_Click(row); });

        grid->addWidget(fields.lblFieldID, row + 1, 0);
        grid->addWidget(fields.txtFieldNM, row + 1, 1);
        grid->addWidget(fields.cboFieldTypeCD, row + 1, 2);
        grid->addWidget(fields.chkRequiredCD, row + 1, 3, Qt::AlignCenter);
        grid->addWidget(fields.txtFieldListTX, row + 1, 4);
    }
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(2, 3);
    grid->setColumnStretch(4, 4);
    return m_fraFields;
}

void frmCollectionDefine::Form_Load() {
    RunCommand(this, [this] {
        if (isNew()) {
            for (int row = 0; row < FieldRows; ++row)
                cboFieldTypeCD_Populate(row);
        } else {
            m_oldName = m_collectionName;
            LoadDefinition();
            m_fraFields->setEnabled(false);
        }
    });
}

void frmCollectionDefine::cboFieldTypeCD_Populate(int row, std::optional<int> typeCode) {
    QComboBox* box = m_rows[row].cboFieldTypeCD;
    box->clear();
    const Recordset types = gData->Collection().Field().fieldType().List();
    for (int type = 0; type < types.rowCount(); ++type)
        box->addItem(types.value(type, QStringLiteral("FieldTypeNM")).toString());
    box->setCurrentIndex(typeCode.value_or(-1));
    cboFieldTypeCD_Click(row);
}

void frmCollectionDefine::cboFieldTypeCD_Click(int row) {
    const FieldRow& fields = m_rows[row];
    const bool fixedList = fields.cboFieldTypeCD->currentIndex() == colFieldType::FixedList;
    fields.txtFieldListTX->setVisible(fixedList);
    if (!fixedList)
        fields.txtFieldListTX->clear();
}

void frmCollectionDefine::LoadDefinition() {
    const Collection& collections = gData->Collection();
    const Recordset collection = collections.Retrieve(m_collectionName);
    if (!collection.isEmpty()) {
        m_txtCollectionNM->setText(collection.value(0, QStringLiteral("CollectionNM")).toString());
        m_txtCommentsTX->setPlainText(collection.value(0, QStringLiteral("CommentsTX")).toString());
    }
    for (int row = 0; row < FieldRows; ++row) {
        const Recordset field = collections.Field().Retrieve(m_collectionName, row);
        if (field.isEmpty()) {
            cboFieldTypeCD_Populate(row);
            continue;
        }
        const FieldRow& fields = m_rows[row];
        fields.txtFieldNM->setText(field.value(0, QStringLiteral("FieldNM")).toString());
        cboFieldTypeCD_Populate(row, field.value(0, QStringLiteral("FieldTypeCD")).toInt());
        fields.chkRequiredCD->setChecked(field.value(0, QStringLiteral("RequiredCD")).toBool());
        fields.txtFieldListTX->setText(field.value(0, QStringLiteral("FieldListTX")).toString());
    }
}

QString frmCollectionDefine::collectionText() const {
    return m_txtCollectionNM->text().trimmed();
}

QString frmCollectionDefine::fieldName(int row) const {
    return m_rows[row].txtFieldNM->text().trimmed();
}

bool frmCollectionDefine::refuse(const QString& text, QWidget* focus) {
    MsgBox(this, text, QMessageBox::Ok, QMessageBox::Warning, windowTitle());
    focus->setFocus();
    return false;
}

bool frmCollectionDefine::ValidEntry() {
    const QString name = collectionText();
    if (name.isEmpty())
        return refuse(QStringLiteral("Please specify the name of this collection."),
                      m_txtCollectionNM);
    // The engine compares names without regard to letter case; a rename that changes only the
    // case of the collection's own name finds the collection itself.
    const Recordset existing = gData->Collection().Retrieve(name);
    if (!existing.isEmpty() && (isNew() || existing.value(0, QStringLiteral("CollectionNM"))
                                                   .toString()
                                                   .compare(m_oldName, Qt::CaseInsensitive) != 0))
        return refuse(QStringLiteral("This collection already exists in your ") +
                          General::GetAppTitle() + QStringLiteral(" database."),
                      m_txtCollectionNM);
    // The rows of an existing collection are shown only; they are neither changed nor written.
    return !isNew() || ValidFields();
}

bool frmCollectionDefine::ValidFields() {
    bool anyNamed = false;
    for (int row = 0; row < FieldRows; ++row) {
        const FieldRow& fields = m_rows[row];
        const bool named = !fieldName(row).isEmpty();
        const int type = fields.cboFieldTypeCD->currentIndex();
        anyNamed = anyNamed || named;
        if (!named && type >= 0)
            return refuse(QStringLiteral("You specified the field type for field %1 without "
                                         "naming it.")
                              .arg(row + 1),
                          fields.txtFieldNM);
        if (named && type < 0)
            return refuse(
                QStringLiteral("Please specify the field type for field %1.").arg(row + 1),
                fields.txtFieldNM);
        if (type == colFieldType::FixedList && fields.txtFieldListTX->text().trimmed().isEmpty())
            return refuse(QStringLiteral("You selected a field type of 'String (Fixed List)' for "
                                         "field %1 so you must specify the list values.")
                              .arg(row + 1),
                          fields.txtFieldListTX);
    }
    if (!anyNamed)
        return refuse(QStringLiteral("Please configure at least one field for this collection."),
                      m_rows[0].txtFieldNM);
    return true;
}

void frmCollectionDefine::Save() {
    const QString name = collectionText();
    const QString comments = m_txtCommentsTX->toPlainText();
    if (!isNew()) {
        gData->Collection().Update(m_oldName, name, comments);
    } else {
        // Each row keeps its number as its FieldID, so an empty row leaves a gap, which the
        // grid and the search handle as they join on the stored numbers.
        QList<colField::Definition> fields;
        for (int row = 0; row < FieldRows; ++row) {
            const FieldRow& entry = m_rows[row];
            if (entry.cboFieldTypeCD->currentIndex() < 0)
                continue;
            fields.append({row, fieldName(row), entry.cboFieldTypeCD->currentIndex(),
                           entry.chkRequiredCD->isChecked(), entry.txtFieldListTX->text()});
        }
        gData->Collection().AddWithFields(name, comments, fields);
    }
    m_savedName = name;
}

void frmCollectionDefine::cmdOK_Click() {
    RunCommand(this, [this] {
        if (!ValidEntry())
            return;
        Save();
        closeSaved();
    });
}

void frmCollectionDefine::cmdCancel_Click() {
    reject();
}
