#include "insurance/ClaimCsv.h"

#include "export/DelimitedWriter.h"
#include "export/ExportError.h"
#include "insurance/Claim.h"

#include <QDir>
#include <QSaveFile>

namespace {

QString line(const QStringList& values) {
    QStringList fields;
    for (const QString& value : values)
        fields.append(DelimitedWriter::field(value, QLatin1Char(',')));
    return fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

QString amount(Currency value) {
    return value.format(QStringLiteral("0.00"));
}

QString yesNo(bool value) {
    return value ? QStringLiteral("Yes") : QStringLiteral("No");
}

QStringList values(const Claim::Item& item) {
    QStringList files;
    for (const Claim::Attachment& attachment : item.attachments)
        files.append(attachment.name);
    return {QString::number(item.itemID),
            item.manufacturer,
            item.item,
            item.model,
            item.serialNumber,
            item.purchaseDate.isValid() ? item.purchaseDate.toString(Qt::ISODate) : QString(),
            item.purchasePlace,
            amount(item.purchasePrice),
            amount(item.replacementPrice),
            amount(item.appraisalPrice),
            yesNo(item.receipt),
            yesNo(item.manuals),
            files.join(QStringLiteral("; "))};
}

} // namespace

const QStringList& ClaimCsv::columnNames() {
    static const QStringList names = {
        QStringLiteral("ItemID"),
        QStringLiteral("Manufacturer"),
        QStringLiteral("Item"),
        QStringLiteral("Model"),
        QStringLiteral("Serial Number"),
        QStringLiteral("Purchase Date"),
        QStringLiteral("Purchased At"),
        QStringLiteral("Purchase Price"),
        QStringLiteral("Replacement Price"),
        QStringLiteral("Appraisal Price"),
        QStringLiteral("Receipt"),
        QStringLiteral("Manuals"),
        QStringLiteral("Attachments"),
    };
    return names;
}

QByteArray ClaimCsv::text(const Claim& claim) {
    QString text = line(columnNames());
    for (const Claim::Item& item : claim.items)
        text += line(values(item));
    return text.toUtf8();
}

void ClaimCsv::write(const Claim& claim, const QString& fileName) {
    QSaveFile file(fileName);
    const auto fail = [&](const QString& what) {
        throw ExportError(QStringLiteral("The claim file %1 cannot be %2: %3")
                              .arg(QDir::toNativeSeparators(fileName), what, file.errorString()));
    };
    if (!file.open(QIODevice::WriteOnly))
        fail(QStringLiteral("created"));
    file.write(text(claim));
    if (!file.commit())
        fail(QStringLiteral("written"));
}
