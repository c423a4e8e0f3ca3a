#pragma once

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QVariant>

// The date texts the application shows, reads and stores.
//   short date:   the locale's short date format with a four-digit year (en_US: 12/6/2026)
//   general date: the short date, plus the locale's time with seconds when there is a time of day
//   storage:      ISO 8601, "YYYY-MM-DD" or "YYYY-MM-DD HH:MM:SS"; text order is time order
namespace DateText {

QString shortDateFormat(const QLocale& locale = QLocale());
QString shortDate(const QDate& date, const QLocale& locale = QLocale());
QString generalDate(const QDateTime& dateTime, const QLocale& locale = QLocale());
// A date or date-time value (or Null) in its default display form: short date for a date,
// general date for a date-time, "" for Null; other values as their text.
QString displayText(const QVariant& value, const QLocale& locale = QLocale());

QString storageText(const QDate& date);
QString storageText(const QDateTime& dateTime);
// Reads a stored text back: a QDate for "YYYY-MM-DD", a QDateTime when it has a time of day,
// an invalid QVariant when the text is not in the storage form.
QVariant fromStorage(const QString& text);

// Reads a date typed by the user: the locale's short form with a two- or four-digit year, or
// ISO form. A two-digit year 00-29 means 2000-2029, 30-99 means 1930-1999. Returns an invalid
// date when the text is not a date, or names a year before 1 or after 9999.
QDate parseDate(const QString& text, const QLocale& locale = QLocale());

// Reads a collection's Date field value as stored: ISO "YYYY-MM-DD" (how values are written),
// or a short form earlier versions wrote under some locale: the current locale's, M/D/YYYY or
// D/M/YYYY when only one of those two reads it (or both read the same day). Returns an invalid
// date when the text cannot be read as one day for certain.
QDate readStoredFieldDate(const QString& text, const QLocale& locale = QLocale());

// Whole calendar days from one date to another, whatever the time of day.
qint64 daysBetween(const QDate& from, const QDate& to);

} // namespace DateText
