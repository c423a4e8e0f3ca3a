#include "data/Schema.h"

namespace Schema {

namespace {

// Column pieces shared by the table definitions below.
QString text(const QString& column, int width, bool notNull, bool allowEmpty) {
    QString check = QStringLiteral("length(%1) <= %2").arg(column).arg(width);
    if (!allowEmpty)
        check.prepend(QStringLiteral("%1 <> '' AND ").arg(column));
    return QStringLiteral("%1 TEXT(%2)%3 COLLATE NOCASE CHECK (%4)")
        .arg(column)
        .arg(width)
        .arg(notNull ? QStringLiteral(" NOT NULL") : QString())
        .arg(check);
}

QString memo(const QString& column) {
    return QStringLiteral("%1 TEXT COLLATE NOCASE").arg(column);
}

QString flag(const QString& column) {
    return QStringLiteral("%1 BOOLEAN CHECK (%1 IN (0, 1))").arg(column);
}

QString amount(const QString& column) {
    return QStringLiteral("%1 CURRENCY CHECK (typeof(%1) IN ('integer', 'null'))").arg(column);
}

QString date(const QString& column) {
    return QStringLiteral("%1 DATETIME CHECK (%1 IS NULL OR (date(%1) IS NOT NULL AND %1 IN "
                          "(date(%1), datetime(%1))))")
        .arg(column);
}

QString cascade(const QString& name, const QString& parent, const QString& column) {
    return QStringLiteral("CONSTRAINT %1 REFERENCES %2 (%3) ON UPDATE CASCADE ON DELETE CASCADE")
        .arg(name, parent, column);
}

QString table(const QString& name, const QStringList& definitions) {
    return QStringLiteral("CREATE TABLE %1 (\n    %2\n);\n")
        .arg(name, definitions.join(QStringLiteral(",\n    ")));
}

// A table that a later version added: created only where it is missing.
QString addedTable(const QString& name, const QStringList& definitions) {
    return table(name, definitions)
        .replace(QLatin1String("CREATE TABLE "), QLatin1String("CREATE TABLE IF NOT EXISTS "));
}

} // namespace

const QVector<Table>& requiredTables() {
    static const QVector<Table> tables = {
        {QStringLiteral("tblCollection"), 2},
        {QStringLiteral("tblCollectionField"), 6},
        {QStringLiteral("tblCollectionFieldType_LKP"), 2},
        {QStringLiteral("tblCollectionItem"), 8},
        {QStringLiteral("tblCollectionItemField"), 3},
        {QStringLiteral("tblItem"), 19},
        {QStringLiteral("tblLocation_Lkp"), 1},
        {QStringLiteral("tblType_Lkp"), 1},
    };
    return tables;
}

const Table& backupTable() {
    static const Table table{QStringLiteral("tblBackup"), 1};
    return table;
}

const Table& attachmentTable() {
    static const Table table{QStringLiteral("tblAttachment"), 10};
    return table;
}

const QVector<Table>& optionalTables() {
    static const QVector<Table> tables = {
        attachmentTable(),
        {QStringLiteral("tblIncident"), 5},
        {QStringLiteral("tblIncidentItem"), 2},
        {QStringLiteral("tblCoverage"), 2},
        {QStringLiteral("tblCoverageLimit"), 2},
    };
    return tables;
}

bool isOptional(const QString& tableName) {
    for (const Table& optional : optionalTables())
        if (optional.name == tableName)
            return true;
    return false;
}

const QStringList& copyOrder() {
    static const QStringList order = {
        QStringLiteral("tblCollectionFieldType_LKP"),
        QStringLiteral("tblLocation_Lkp"),
        QStringLiteral("tblType_Lkp"),
        QStringLiteral("tblItem"),
        QStringLiteral("tblCollection"),
        QStringLiteral("tblCollectionField"),
        QStringLiteral("tblCollectionItem"),
        QStringLiteral("tblCollectionItemField"),
        QStringLiteral("tblAttachment"),
        QStringLiteral("tblIncident"),
        QStringLiteral("tblIncidentItem"),
        QStringLiteral("tblCoverage"),
        QStringLiteral("tblCoverageLimit"),
    };
    return order;
}

QStringList memoColumns(const QString& tableName) {
    if (tableName == QLatin1String("tblCollectionField"))
        return {QStringLiteral("FieldListTX")};
    if (tableName == QLatin1String("tblItem") || tableName == QLatin1String("tblCollection") ||
        tableName == QLatin1String("tblCollectionItem"))
        return {QStringLiteral("CommentsTX")};
    if (tableName == QLatin1String("tblIncident"))
        return {QStringLiteral("NotesTX")};
    return {};
}

QStringList laterIndexNames() {
    return {QLatin1String(CollectionItemIndexName), QLatin1String(PurchaseLocationIndexName)};
}

QString laterIndexScript() {
    return QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON tblCollectionItem (CollectionNM);\n"
                          "CREATE INDEX IF NOT EXISTS %2 ON tblItem (PurchaseLocationTX);\n")
        .arg(QLatin1String(CollectionItemIndexName), QLatin1String(PurchaseLocationIndexName));
}

QString createScript(bool addBackup) {
    QString script;
    script += table(QStringLiteral("tblLocation_Lkp"),
                    {text(QStringLiteral("LocationTX"), 40, true, false),
                     QStringLiteral("CONSTRAINT PrimaryKey PRIMARY KEY (LocationTX)")});
    script += table(QStringLiteral("tblType_Lkp"),
                    {text(QStringLiteral("TypeTX"), 40, true, false),
                     QStringLiteral("CONSTRAINT PrimaryKey PRIMARY KEY (TypeTX)")});
    script += table(
        QStringLiteral("tblItem"),
        {QStringLiteral("ItemID INTEGER NOT NULL CONSTRAINT PrimaryKey PRIMARY KEY AUTOINCREMENT"),
         text(QStringLiteral("ManufacturerNM"), 30, false, true),
         text(QStringLiteral("ItemNM"), 50, true, false),
         text(QStringLiteral("ModelSeriesTX"), 30, false, true),
         text(QStringLiteral("SerialNumberID"), 50, false, true),
         text(QStringLiteral("PurchaseLocationTX"), 255, false, true),
         date(QStringLiteral("PurchaseDT")), flag(QStringLiteral("WarrantyCD")),
         date(QStringLiteral("WarrantyExpireDT")), flag(QStringLiteral("WarrantyDocumentCD")),
         amount(QStringLiteral("PurchasePriceAM")), amount(QStringLiteral("ReplacePriceAM")),
         amount(QStringLiteral("AppraisalPriceAM")),
         text(QStringLiteral("TypeTX"), 40, false, true) + QLatin1Char(' ') +
             cascade(QStringLiteral("Item_Type"), QStringLiteral("tblType_Lkp"),
                     QStringLiteral("TypeTX")),
         text(QStringLiteral("LocationTX"), 40, false, true) + QLatin1Char(' ') +
             cascade(QStringLiteral("Item_Location"), QStringLiteral("tblLocation_Lkp"),
                     QStringLiteral("LocationTX")),
         flag(QStringLiteral("ReceiptCD")), flag(QStringLiteral("ManualsCD")),
         memo(QStringLiteral("CommentsTX")), date(QStringLiteral("LastChangeDT"))});
    script += QStringLiteral("CREATE INDEX ManufacturerKey ON tblItem (ManufacturerNM);\n"
                             "CREATE INDEX TypeKey ON tblItem (TypeTX);\n"
                             "CREATE INDEX LocationKey ON tblItem (LocationTX);\n"
                             "CREATE INDEX PurchaseDateKey ON tblItem (PurchaseDT);\n");
    script += table(QStringLiteral("tblCollection"),
                    {text(QStringLiteral("CollectionNM"), 50, true, false),
                     memo(QStringLiteral("CommentsTX")),
                     QStringLiteral("CONSTRAINT PrimaryKey PRIMARY KEY (CollectionNM)")});
    script += table(QStringLiteral("tblCollectionFieldType_LKP"),
                    {QStringLiteral("FieldTypeCD INTEGER NOT NULL"),
                     text(QStringLiteral("FieldTypeNM"), 25, true, false),
                     QStringLiteral("CONSTRAINT PrimaryKey PRIMARY KEY (FieldTypeCD)")});
    script += table(
        QStringLiteral("tblCollectionField"),
        {text(QStringLiteral("CollectionNM"), 50, true, false) + QLatin1Char(' ') +
             cascade(QStringLiteral("Collection_Field"), QStringLiteral("tblCollection"),
                     QStringLiteral("CollectionNM")),
         QStringLiteral("FieldID INTEGER NOT NULL"),
         text(QStringLiteral("FieldNM"), 25, true, false),
         QStringLiteral("FieldTypeCD INTEGER NOT NULL ") +
             cascade(QStringLiteral("CollectionField_FieldType"),
                     QStringLiteral("tblCollectionFieldType_LKP"), QStringLiteral("FieldTypeCD")),
         flag(QStringLiteral("RequiredCD")), memo(QStringLiteral("FieldListTX")),
         QStringLiteral("CONSTRAINT PrimaryKey PRIMARY KEY (CollectionNM, FieldID)")});
    script += table(
        QStringLiteral("tblCollectionItem"),
        {QStringLiteral("ItemID INTEGER NOT NULL CONSTRAINT PrimaryKey PRIMARY KEY AUTOINCREMENT"),
         text(QStringLiteral("ItemNM"), 255, true, false),
         text(QStringLiteral("CollectionNM"), 50, true, false) + QLatin1Char(' ') +
             cascade(QStringLiteral("Collection_Item"), QStringLiteral("tblCollection"),
                     QStringLiteral("CollectionNM")),
         amount(QStringLiteral("PurchasePriceAM")), amount(QStringLiteral("AppraisalPriceAM")),
         amount(QStringLiteral("ReplacePriceAM")), memo(QStringLiteral("CommentsTX")),
         date(QStringLiteral("LastChangeDT"))});
    // The value of an optional field left empty is the empty text, so this column accepts it.
    script += table(QStringLiteral("tblCollectionItemField"),
                    {QStringLiteral("ItemID LONG NOT NULL ") +
                         cascade(QStringLiteral("Collection_Item_Field"),
                                 QStringLiteral("tblCollectionItem"), QStringLiteral("ItemID")),
                     QStringLiteral("FieldID INTEGER NOT NULL"),
                     text(QStringLiteral("FieldValueTX"), 255, true, true),
                     QStringLiteral("CONSTRAINT PrimaryKey PRIMARY KEY (ItemID, FieldID)")});
    script += laterIndexScript();
    script += attachmentScript();
    script += insuranceScript();
    if (addBackup)
        script += backupScript();
    return script;
}

QString backupScript() {
    return addedTable(QStringLiteral("tblBackup"),
                      {date(QStringLiteral("BackupDT")),
                       QStringLiteral("CONSTRAINT PrimaryKey PRIMARY KEY (BackupDT)")});
}

QString attachmentScript() {
    // Each file belongs to exactly one item, of the inventory or of a collection, and goes with
    // it. The bytes come last in the row, so that listing the files (and their thumbnails)
    // never reads them.
    QString script = table(
        QStringLiteral("tblAttachment"),
        {QStringLiteral("AttachmentID INTEGER NOT NULL CONSTRAINT PrimaryKey PRIMARY KEY "
                        "AUTOINCREMENT"),
         QStringLiteral("ItemID LONG ") + cascade(QStringLiteral("Item_Attachment"),
                                                  QStringLiteral("tblItem"),
                                                  QStringLiteral("ItemID")),
         QStringLiteral("CollectionItemID LONG ") +
             cascade(QStringLiteral("CollectionItem_Attachment"),
                     QStringLiteral("tblCollectionItem"), QStringLiteral("ItemID")),
         text(QStringLiteral("FileNM"), 255, true, false),
         text(QStringLiteral("MediaTypeTX"), 100, true, false),
         text(QStringLiteral("CaptionTX"), 255, true, true),
         QStringLiteral("FileSizeNO INTEGER NOT NULL CHECK (FileSizeNO = length(FileDataBL))"),
         date(QStringLiteral("AddedDT")) + QStringLiteral(" NOT NULL"),
         QStringLiteral("ThumbnailBL BLOB CHECK (ThumbnailBL IS NULL OR typeof(ThumbnailBL) = "
                        "'blob')"),
         QStringLiteral("FileDataBL BLOB NOT NULL CHECK (typeof(FileDataBL) = 'blob')"),
         QStringLiteral("CHECK ((ItemID IS NULL) + (CollectionItemID IS NULL) = 1)")});
    script += QStringLiteral(
        "CREATE INDEX AttachmentItemKey ON tblAttachment (ItemID);\n"
        "CREATE INDEX AttachmentCollectionItemKey ON tblAttachment (CollectionItemID);\n");
    return script;
}

QString insuranceScript() {
    const QString counter =
        QStringLiteral("INTEGER NOT NULL CONSTRAINT PrimaryKey PRIMARY KEY AUTOINCREMENT");
    QString script;
    script += addedTable(QStringLiteral("tblIncident"),
                         {QStringLiteral("IncidentID ") + counter,
                          text(QStringLiteral("IncidentNM"), 50, true, false),
                          date(QStringLiteral("IncidentDT")) + QStringLiteral(" NOT NULL"),
                          text(QStringLiteral("KindTX"), 40, false, true),
                          memo(QStringLiteral("NotesTX"))});
    // An item's deletion takes its place in an incident with it; the incident stays.
    script +=
        addedTable(QStringLiteral("tblIncidentItem"),
                   {QStringLiteral("IncidentID LONG NOT NULL ") +
                        cascade(QStringLiteral("Incident_Item"), QStringLiteral("tblIncident"),
                                QStringLiteral("IncidentID")),
                    QStringLiteral("ItemID LONG NOT NULL ") +
                        cascade(QStringLiteral("Item_Incident"), QStringLiteral("tblItem"),
                                QStringLiteral("ItemID")),
                    QStringLiteral("CONSTRAINT PrimaryKey PRIMARY KEY (IncidentID, ItemID)")});
    script +=
        QStringLiteral("CREATE INDEX IF NOT EXISTS IncidentItemKey ON tblIncidentItem (ItemID);\n");
    // The policy's contents limit: one row at most.
    script += addedTable(QStringLiteral("tblCoverage"),
                         {QStringLiteral("CoverageID INTEGER NOT NULL CONSTRAINT PrimaryKey "
                                         "PRIMARY KEY CHECK (CoverageID = 1)"),
                          amount(QStringLiteral("ContentsLimitAM")) +
                              QStringLiteral(" CHECK (ContentsLimitAM >= 0)")});
    // A renamed type keeps its sub-limit; a deleted one takes it along.
    script += addedTable(
        QStringLiteral("tblCoverageLimit"),
        {text(QStringLiteral("TypeTX"), 40, true, false) + QLatin1Char(' ') +
             cascade(QStringLiteral("CoverageLimit_Type"), QStringLiteral("tblType_Lkp"),
                     QStringLiteral("TypeTX")),
         amount(QStringLiteral("LimitAM")) + QStringLiteral(" NOT NULL CHECK (LimitAM >= 0)"),
         QStringLiteral("CONSTRAINT PrimaryKey PRIMARY KEY (TypeTX)")});
    return script;
}

} // namespace Schema
