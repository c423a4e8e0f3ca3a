#pragma once

#include <QString>

// The texts the splash window and the About box share.
namespace AboutText {

QString productName(); // "Domivo"
QString subtitle();    // what the program is for
QString companyName(); // the maker
QString legalNotice(); // copyright line
QString warning();     // the legal warning under it
QString webSite();     // the maker's page for the program

} // namespace AboutText
