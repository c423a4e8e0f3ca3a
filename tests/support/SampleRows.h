#pragma once

// Rows that several tests seed their database with, as the sqlite3 tool writes them in the
// storage forms (amounts in ten-thousandths, ISO dates).
namespace SampleRows {

// Four items (Toaster and Mixer are Kitchenware; Radio, Wet suit and Mixer are in the garage;
// Wet suit has no purchase date) and a collection Coins whose text field Mint is stored as
// FieldID 2, beside the integer field Year.
inline const char* const search =
    "INSERT INTO tblItem (ItemID, ManufacturerNM, ItemNM, PurchaseDT, PurchasePriceAM, TypeTX, "
    "LocationTX) VALUES "
    "(1, 'Acme', 'Toaster', '2024-03-15', 250000, 'Kitchenware', 'Kitchen'), "
    "(2, 'Zenith', 'Radio', '2023-05-02', 12345000, 'Electronics', 'Garage'), "
    "(3, 'O''Neil', 'Wet suit', NULL, 500000, 'Sports Equipment', 'Garage'), "
    "(4, 'Bosch', 'Mixer', '2024-03-16', 1500000, 'Kitchenware', 'Garage');"
    "INSERT INTO tblCollection VALUES ('Coins', NULL);"
    "INSERT INTO tblCollectionField VALUES ('Coins', 0, 'Year', 3, 0, NULL), "
    "('Coins', 2, 'Mint', 0, 0, NULL);"
    "INSERT INTO tblCollectionItem VALUES "
    "(1, 'Penny', 'Coins', 10000, NULL, NULL, NULL, '2024-01-01'), "
    "(2, 'Dime', 'Coins', 20000, NULL, NULL, NULL, '2024-01-01');"
    "INSERT INTO tblCollectionItemField VALUES "
    "(1, 0, '1909'), (1, 2, 'S'), (2, 0, '1916'), (2, 2, 'D');";

} // namespace SampleRows
