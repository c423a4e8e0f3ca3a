#pragma once

#include "types/Currency.h"

#include <QDate>
#include <QList>
#include <QString>

class dvData;

// Everything an insurer is handed about one incident: the incident, and every item marked as
// lost or damaged in it with what proves its value (prices, the dates and place of purchase,
// whether the receipt and manuals are kept, and the files kept with it). The claim page and
// the claim's CSV file are both written from it, so that they list the same rows.
class Claim {
public:
    struct Attachment {
        QString name;
        QString caption;
        // The file's thumbnail as a "data:" URL that a page shows inline, so that the page
        // stands alone when it is sent on; "" for a file without one.
        QString photoUrl;
    };
    struct Item {
        qint64 itemID = 0;
        QString manufacturer;
        QString item;
        QString model;
        QString serialNumber;
        QDate purchaseDate;
        QString purchasePlace;
        Currency purchasePrice;
        Currency replacementPrice;
        Currency appraisalPrice;
        bool receipt = false;
        bool manuals = false;
        QList<Attachment> attachments;
    };

    // Reads the incident and its items (by manufacturer and item name). Throws DbError when
    // there is no such incident.
    static Claim load(const dvData& data, qint64 incidentID);

    qint64 incidentID = 0;
    QString name;
    QDate date;
    QString kind;
    QString notes;
    QList<Item> items;

    Currency totalPurchasePrice() const;
    Currency totalReplacementPrice() const;
    Currency totalAppraisalPrice() const;

private:
    Currency sum(Currency Item::*price) const;
};
