#include "records/RecordStore.h"

#include "data/dvData.h"

Connection RecordStore::connect() const {
    return Connection(m_data.connString());
}

Recordset RecordStore::read(const QString& sql, const QVariantList& params) const {
    return connect().query(sql, params);
}

void RecordStore::write(const QString& sql, const QVariantList& params) const {
    connect().execute(sql, params);
}

qint64 RecordStore::count(const QString& sql, const QVariantList& params) const {
    return connect().scalar(sql, params).toLongLong();
}
