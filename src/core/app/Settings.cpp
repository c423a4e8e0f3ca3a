#include "app/Settings.h"

#include <QByteArray>
#include <QSettings>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

namespace {

QSettings store() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope,
                     QLatin1String(Settings::ApplicationName),
                     QLatin1String(Settings::ApplicationName));
}

QString path(SettingKey key) {
    return QLatin1String(key.section) + QLatin1Char('/') + QLatin1String(key.key);
}

// What a setting's text reads as when it is a number, or NaN. "inf" and "nan" read as numbers,
// but no setting means either.
double numberIn(const QVariant& value) {
    bool ok = false;
    const double number = value.toString().trimmed().toDouble(&ok);
    return ok && std::isfinite(number) ? number : std::numeric_limits<double>::quiet_NaN();
}

// The store a Settings::Held keeps open for this thread, or none, and the values read from it
// meanwhile (a report asks for the same flag once per amount), with the number each reads as.
// A write forgets them. They are found again by their key's own texts: a report asks for a few
// keys, and making a key's path costs more than the rest of the read.
struct HeldValue {
    QByteArray section;
    QByteArray key;
    QVariant value;
    double number;
};
thread_local std::unique_ptr<QSettings> held;
thread_local std::vector<HeldValue> heldValues;

const HeldValue& heldValue(SettingKey key) {
    for (const HeldValue& known : heldValues)
        if (known.key == key.key && known.section == key.section)
            return known;
    const QVariant value = held->value(path(key));
    heldValues.push_back({QByteArray(key.section), QByteArray(key.key), value, numberIn(value)});
    return heldValues.back();
}

QVariant read(SettingKey key) {
    return held ? heldValue(key).value : store().value(path(key));
}

} // namespace

namespace Settings {

QString text(SettingKey key, const QString& defaultValue) {
    const QVariant value = read(key);
    return value.isValid() ? value.toString() : defaultValue;
}

int integer(SettingKey key, int defaultValue) {
    // A hand-edited value beyond the range of int is not a number of days or a switch the
    // program wrote; it gets the default rather than whatever it would wrap around to.
    const double value = number(key, std::numeric_limits<double>::quiet_NaN());
    if (std::isnan(value))
        return defaultValue;
    const double rounded = std::round(value);
    if (rounded < double(std::numeric_limits<int>::min()) ||
        rounded > double(std::numeric_limits<int>::max()))
        return defaultValue;
    return int(rounded);
}

double number(SettingKey key, double defaultValue) {
    const double value = held ? heldValue(key).number : numberIn(store().value(path(key)));
    return std::isnan(value) ? defaultValue : value;
}

bool contains(SettingKey key) {
    return store().contains(path(key));
}

void setText(SettingKey key, const QString& value) {
    heldValues.clear();
    QSettings settings = store();
    settings.setValue(path(key), value);
    settings.sync();
}

void setInteger(SettingKey key, int value) {
    setText(key, QString::number(value));
}

void setFlag(SettingKey key, bool on) {
    setText(key, on ? QStringLiteral("1") : QStringLiteral("0"));
}

QString fileName() {
    return store().fileName();
}

Held::Held() {
    if (held)
        return;
    held =
        std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                    QLatin1String(ApplicationName), QLatin1String(ApplicationName));
    m_outermost = true;
}

Held::~Held() {
    if (!m_outermost)
        return;
    held.reset();
    heldValues.clear();
}

} // namespace Settings
