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

// The store a Settings::Held keeps open for this thread, or none, and the values read from it
// meanwhile (a report asks for the same flag once per amount). A write forgets them. They are
// found again by their key's own texts: a report asks for a few keys, and making a key's path
// costs more than the rest of the read.
struct HeldValue {
    QByteArray section;
    QByteArray key;
    QVariant value;
};
thread_local std::unique_ptr<QSettings> held;
thread_local std::vector<HeldValue> heldValues;

QVariant read(SettingKey key) {
    if (!held)
        return store().value(path(key));
    for (const HeldValue& known : heldValues)
        if (known.key == key.key && known.section == key.section)
            return known.value;
    const QVariant value = held->value(path(key));
    heldValues.push_back({QByteArray(key.section), QByteArray(key.key), value});
    return value;
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
    bool ok = false;
    const double value = text(key).trimmed().toDouble(&ok);
    // "inf" and "nan" read as numbers, but no setting means either.
    return ok && std::isfinite(value) ? value : defaultValue;
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
