#include "app/AboutText.h"

namespace AboutText {

QString productName() {
    return QStringLiteral("Domivo");
}

QString subtitle() {
    return QStringLiteral("Household inventory");
}

QString companyName() {
    return QStringLiteral("Qelto");
}

QString legalNotice() {
    return QStringLiteral("Copyright \u00A9 Qelto. All rights reserved.");
}

QString warning() {
    return QStringLiteral(
        "Warning: this program is protected by copyright law and international treaties. "
        "Unauthorized reproduction or distribution of this program, or any portion of it, may "
        "result in civil and criminal penalties.");
}

QString webSite() {
    return QStringLiteral("https://www.qelto.com/domivo/");
}

} // namespace AboutText
