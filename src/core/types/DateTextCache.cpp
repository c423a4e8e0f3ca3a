#include "types/DateTextCache.h"

#include "types/DateText.h"

#include <QDateTime>

namespace {

// Enough for every purchase date of a large household; beyond it the memory starts again
// rather than grow without end.
constexpr qsizetype MaxTexts = 100000;

} // namespace

const QString& DateTextCache::shortDate(const QDate& date) {
    const QLocale current;
    if (current != m_locale || m_texts.size() >= MaxTexts) {
        m_locale = current;
        m_texts.clear();
    }
    auto known = m_texts.constFind(date);
    if (known == m_texts.cend())
        known = m_texts.insert(date, DateText::shortDate(date, m_locale));
    return *known;
}

QString DateTextCache::displayText(const QVariant& value) {
    // A date, and a date and time at midnight, show as the short date alone.
    if (value.typeId() == QMetaType::QDate && value.toDate().isValid())
        return shortDate(value.toDate());
    if (value.typeId() == QMetaType::QDateTime) {
        const QDateTime moment = value.toDateTime();
        if (moment.isValid() && moment.time() == QTime(0, 0))
            return shortDate(moment.date());
    }
    return DateText::displayText(value);
}
