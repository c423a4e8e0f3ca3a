#pragma once

#include "data/Connection.h"
#include "data/Recordset.h"

class dvData;

// What every record class shares: it reaches the database through its context's connection
// string, opening a connection per call and closing it before returning, so that nothing stays
// open between calls (maintenance may replace the file while the application runs).
class RecordStore {
public:
    explicit RecordStore(const dvData& data)
        : m_data(data) {}

protected:
    const dvData& data() const { return m_data; }
    Connection connect() const;
    Recordset read(const QString& sql, const QVariantList& params = {}) const;
    void write(const QString& sql, const QVariantList& params = {}) const;
    qint64 count(const QString& sql, const QVariantList& params = {}) const;

private:
    const dvData& m_data;
};
