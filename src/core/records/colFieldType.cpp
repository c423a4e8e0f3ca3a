#include "records/colFieldType.h"

colFieldType::colFieldType(const dvData& data)
    : RecordStore(data) {}

const QStringList& colFieldType::names() {
    static const QStringList names = {
        QStringLiteral("String"),
        QStringLiteral("String (Fixed List)"),
        QStringLiteral("String (Memory List)"),
        QStringLiteral("Number - Integer"),
        QStringLiteral("Number - Float"),
        QStringLiteral("Yes/No"),
        QStringLiteral("Date"),
        QStringLiteral("Currency"),
    };
    return names;
}

void colFieldType::Initialize() const {
    Connection connection = connect();
    Transaction transaction(connection);
    connection.execute(QStringLiteral("DELETE FROM tblCollectionFieldType_LKP"));
    for (int code = 0; code < names().size(); ++code)
        connection.execute(QStringLiteral("INSERT INTO tblCollectionFieldType_LKP "
                                          "(FieldTypeCD, FieldTypeNM) VALUES (?, ?)"),
                           {code, names()[code]});
    transaction.commit();
}

Recordset colFieldType::List() const {
    return read(QStringLiteral("SELECT * FROM tblCollectionFieldType_LKP ORDER BY FieldTypeCD"));
}
