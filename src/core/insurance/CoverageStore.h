#pragma once

#include "records/RecordStore.h"

#include <QMap>
#include <QString>
#include <optional>

// The insurance policy's limits: the contents limit (tblCoverage, one row) and the sub-limits
// per item type (tblCoverageLimit). A limit is an amount of at least 0; a type without a row has
// no sub-limit. A sub-limit follows its type when the type is renamed and goes when the type is
// deleted.
class CoverageStore : public RecordStore {
public:
    struct Limits {
        std::optional<Currency> contents;
        // By type, as the type list spells it.
        QMap<QString, Currency> byType;
    };

    explicit CoverageStore(const dvData& data);

    Limits limits() const;
    // Replaces every limit by these, all or none. Throws DbError for a type that is not in the
    // type list.
    void save(const Limits& limits) const;
    // Sets (or, with nullopt, removes) the contents limit.
    void setContentsLimit(std::optional<Currency> limit) const;
    // Sets (or removes) one type's sub-limit; the type is looked up without regard to letter
    // case. Throws DbError when there is no such type.
    void setLimit(const QString& type, std::optional<Currency> limit) const;

private:
    static void writeContents(Connection& connection, std::optional<Currency> limit);
    static void writeLimit(Connection& connection, const QString& type,
                           std::optional<Currency> limit);
};
