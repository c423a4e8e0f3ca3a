#include "AttachmentTarget.h"

#include "CliContext.h"
#include "data/dvData.h"

namespace AttachmentTarget {

namespace {

// A positive whole number, or 0 when the text is none.
qint64 identifier(const QString& text) {
    bool ok = false;
    const qint64 id = text.trimmed().toLongLong(&ok);
    return ok && id > 0 ? id : 0;
}

} // namespace

std::optional<AttachmentOwner> item(CliContext& context, const dvData& data) {
    const QString text = context.argument(QStringLiteral("ITEM"));
    const qint64 id = identifier(text);
    const QString collection = context.value(QStringLiteral("collection"));
    if (context.isSet(QStringLiteral("collection"))) {
        if (data.Collection().Retrieve(collection).isEmpty()) {
            context.err << "domivo-cli: there is no collection named '" << collection << "'"
                        << Qt::endl;
            return std::nullopt;
        }
        const Recordset row = id > 0 ? data.Collection().Item().Retrieve(id) : Recordset();
        if (row.isEmpty() || row.value(0, QStringLiteral("CollectionNM"))
                                     .toString()
                                     .compare(collection, Qt::CaseInsensitive) != 0) {
            context.err << "domivo-cli: collection '" << collection << "' has no item '" << text
                        << "'" << Qt::endl;
            return std::nullopt;
        }
        return AttachmentOwner::collectionItem(id);
    }
    if (id == 0 || data.Inventory().Item().Retrieve(id).isEmpty()) {
        context.err << "domivo-cli: there is no inventory item '" << text << "'" << Qt::endl;
        return std::nullopt;
    }
    return AttachmentOwner::inventoryItem(id);
}

std::optional<qint64> attachment(CliContext& context, const dvData& data) {
    const QString text = context.argument(QStringLiteral("ID"));
    const qint64 id = identifier(text);
    if (id == 0 || data.Attachment().Retrieve(id).isEmpty()) {
        context.err << "domivo-cli: there is no attachment '" << text << "'" << Qt::endl;
        return std::nullopt;
    }
    return id;
}

} // namespace AttachmentTarget
