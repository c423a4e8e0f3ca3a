#include "graphs/gphGeneral.h"

#include "app/AppPaths.h"
#include "app/General.h"
#include "graphs/ChartNumber.h"
#include "graphs/ChartScale.h"

#include <QSaveFile>
#include <QSequentialIterable>
#include <array>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <variant>
#include <vector>

namespace gphGeneral {

namespace {

const QString MismatchedSizes =
    QStringLiteral("CHART ERROR 001 - mismatched value and label sizes.");
const QString MissingSemicolon =
    QStringLiteral("CHART ERROR 002 - error in Options parameter (missing ;)");
const QString MaxScaleNotNumeric =
    QStringLiteral("CHART ERROR 003 - MaxScale option must be numeric.");
const QString MaxScaleTooSmall = QStringLiteral(
    "CHART ERROR 004 - specified MaxScale option is smaller than the largest value.");
const QString MaxScaleNotTens =
    QStringLiteral("CHART ERROR 005 - the MaxScale option must be divisible by 10.");
const QString UnknownBarColor =
    QStringLiteral("CHART ERROR 006 - barColor must be one of the 16 standard colors, except "
                   "Silver (hex C0C0C0)");
const QString NegativeValue =
    QStringLiteral("CHART ERROR 007 - chart does not support negative values.");
const QString ValuesNotArray = QStringLiteral("CHART ERROR 008 - value parameter is not an array.");
const QString LabelsNotArray = QStringLiteral("CHART ERROR 009 - label parameter is not an array.");

struct BarColors {
    const char* bar;
    const char* text;
};

// The sixteen standard colours except Silver, the colour of the empty bar track, each with the
// text colour that reads on it. Bars without a colour of their own take them in turn.
constexpr std::array<BarColors, 15> ColorTable = {{
    {"#0000FF", "#FFFFFF"},
    {"#00FF00", "#000000"},
    {"#FF0000", "#FFFFFF"},
    {"#FFFF00", "#000000"},
    {"#FF00FF", "#000000"},
    {"#000000", "#FFFFFF"},
    {"#FFFFFF", "#000000"},
    {"#00FFFF", "#000000"},
    {"#000080", "#FFFFFF"},
    {"#008000", "#FFFFFF"},
    {"#800000", "#FFFFFF"},
    {"#808000", "#FFFFFF"},
    {"#800080", "#FFFFFF"},
    {"#008080", "#FFFFFF"},
    {"#808080", "#FFFFFF"},
}};

const QChar CR(13);

// The presentation settings of one chart, read from its options text.
struct ChartSettings {
    QString caption;
    QString captionPosition;
    QString percent;
    QString maxScale;
    QString barColor;
    QString barTextColor;
    QString background;
    QString border;
    QString borderColor;
    QString gridColor;
    QString labelColor;

    bool captionAtBottom() const { return captionPosition.toUpper() == QLatin1String("BOTTOM"); }
    bool withPercent() const { return percent.toUpper() == QLatin1String("Y"); }
};

// Reads the options in their order into the settings; returns the first error text.
QString readOptions(const QString& options,
                    const std::vector<std::pair<const char*, QString*>>& keys) {
    for (const auto& [key, field] : keys) {
        const ChartOption option = GetChartOption(options, QLatin1String(key));
        if (!option.error.isEmpty())
            return option.error;
        *field = option.value;
    }
    return {};
}

QString findBarTextColor(const QString& barColor) {
    const QString wanted = QLatin1Char('#') + barColor;
    for (const BarColors& entry : ColorTable)
        if (wanted == QLatin1String(entry.bar))
            return QLatin1String(entry.text);
    return {};
}

// Fills the settings from the options text; returns an error text, or "" when all is well.
QString readSettings(QString options, ChartSettings& settings) {
    if (options.size() >= 2 && !options.endsWith(QLatin1Char(';')))
        options += QLatin1Char(';');
    QString error = readOptions(options, {{"Caption:", &settings.caption},
                                          {"CapPos:", &settings.captionPosition},
                                          {"Percent:", &settings.percent},
                                          {"MaxScale:", &settings.maxScale},
                                          {"BarColor:", &settings.barColor}});
    if (!error.isEmpty())
        return error;
    if (!settings.barColor.isEmpty()) {
        settings.barTextColor = findBarTextColor(settings.barColor);
        if (settings.barTextColor.isEmpty())
            return UnknownBarColor;
    }
    error = readOptions(options, {{"BgColor:", &settings.background},
                                  {"Border:", &settings.border},
                                  {"BorderColor:", &settings.borderColor},
                                  {"GridColor:", &settings.gridColor},
                                  {"LabelColor:", &settings.labelColor}});
    if (!error.isEmpty())
        return error;
    if (!settings.background.isEmpty())
        settings.background.prepend(QLatin1String("bgcolor=#"));
    if (settings.border.isEmpty())
        settings.border = QStringLiteral("1");
    settings.borderColor =
        QLatin1String("bordercolor=#") +
        (settings.borderColor.isEmpty() ? QStringLiteral("000000") : settings.borderColor);
    if (settings.gridColor.isEmpty())
        settings.gridColor = QStringLiteral("#000000");
    if (settings.labelColor.isEmpty())
        settings.labelColor = QStringLiteral("#000000");
    return {};
}

QVariantList elementsOf(const QVariant& array) {
    QVariantList elements;
    for (const QVariant& element : array.value<QSequentialIterable>())
        elements.append(element);
    return elements;
}

// The values as numbers, or nullopt when one of them is not a number.
std::optional<QList<ChartNumber>> numbersOf(const QVariantList& values) {
    QList<ChartNumber> numbers;
    for (const QVariant& value : values) {
        const auto number = ChartNumber::fromVariant(value);
        if (!number)
            return std::nullopt;
        numbers.append(*number);
    }
    return numbers;
}

// The largest value, starting from -1; error 007 for a negative value.
std::optional<ChartNumber> largestOf(const QList<ChartNumber>& values) {
    ChartNumber largest = ChartNumber::whole(-1);
    for (const ChartNumber& value : values) {
        if (value.isNegative())
            return std::nullopt;
        if (value.isGreaterThan(largest))
            largest = value;
    }
    return largest;
}

// The scale the data or the MaxScale option asks for; an error text in place of it.
std::variant<ChartScale, QString> scaleFor(const ChartNumber& largest, const QString& maxScale) {
    if (maxScale.isEmpty())
        return ChartScale::fromLargest(largest);
    const auto top = General::ParseNumber(maxScale);
    if (!top)
        return MaxScaleNotNumeric;
    if (static_cast<long double>(*top) < largest.toLongDouble())
        return MaxScaleTooSmall;
    if (std::fmod(std::nearbyint(*top), 10.0) != 0)
        return MaxScaleNotTens;
    return ChartScale::fromTop(*top);
}

// Labels and captions are the user's own names: written as text, never as markup.
QString htmlText(const QString& text) {
    return text.toHtmlEscaped();
}

QString comment(const QString& line) {
    return QStringLiteral("<!--") + line + QStringLiteral("-->") + CR;
}

QString captionLine(const ChartSettings& settings) {
    return QStringLiteral("      <caption ALIGN=") + settings.captionPosition +
           QStringLiteral("><font color=") + settings.labelColor + QStringLiteral("><b>") +
           htmlText(settings.caption) + QStringLiteral("</b></font></caption>");
}

QString barRow(const ChartSettings& settings, const QString& label, const ChartNumber& value,
               double percentage, const QString& barColor, const QString& textColor) {
    const QString percentSign = settings.withPercent() ? QStringLiteral("%") : QString();
    return QStringLiteral("      <tr>"
                          "        <td width=20% align=right height=30>"
                          "          <font size=2 color=") +
           settings.labelColor + QLatin1Char('>') + htmlText(label) +
           QStringLiteral("&nbsp;&nbsp;</font>"
                          "        </td>"
                          "        <td width=80% height=30 bgcolor=#C0C0C0>"
                          "          <table border=0 width=") +
           ChartNumber::text(percentage) + QStringLiteral("% bgcolor=") + barColor +
           QStringLiteral(" cellspacing=0 cellpadding=0 height=20>"
                          "            <tr>"
                          "              <td width=100% align=center><font color=") +
           textColor + QStringLiteral(" size=1><b>") + value.text() + percentSign +
           QStringLiteral("                 </b></font></td>"
                          "            </tr>"
                          "          </table>"
                          "        </td>"
                          "      </tr>");
}

QString barTable(const ChartSettings& settings, const QList<ChartNumber>& values,
                 const QVariantList& labels, const ChartScale& scale) {
    QString html = QStringLiteral("  <table border=1 width=100% bordercolor=") +
                   settings.gridColor +
                   QStringLiteral(" cellspacing=0 cellpadding=0 frame=below rules=cols>");
    if (!settings.caption.isEmpty() && !settings.captionAtBottom())
        html += captionLine(settings);
    const bool ownColor = !settings.barColor.isEmpty();
    for (qsizetype i = 0; i < labels.size(); ++i) {
        const BarColors& turn = ColorTable.at(size_t(i) % ColorTable.size());
        html += barRow(settings, General::ValueText(labels.at(i)), values.at(i),
                       scale.percentOf(values.at(i)),
                       ownColor ? settings.barColor : QString::fromLatin1(turn.bar),
                       ownColor ? settings.barTextColor : QString::fromLatin1(turn.text));
    }
    return html + QStringLiteral("  </table>");
}

QString scaleTable(const ChartSettings& settings, const ChartScale& scale) {
    const QString percentSign = settings.withPercent() ? QStringLiteral("%") : QString();
    QString html = QStringLiteral("  <table border=1 width=100% bordercolor=") +
                   settings.gridColor + QStringLiteral(" cellspacing=0 cellpadding=0 frame=rhs>");
    if (!settings.caption.isEmpty() && settings.captionAtBottom())
        html += captionLine(settings);
    html += QStringLiteral("    <tr>"
                           "      <td width=20%>&nbsp;</td>");
    for (int index = 0; index < 10; ++index)
        html += QStringLiteral("        <td width=8% align=right><font size=2 color=") +
                settings.labelColor + QLatin1Char('>') + ChartNumber::text(scale.gridValue(index)) +
                percentSign + QStringLiteral("          </font></td>");
    return html + QStringLiteral("    </tr>"
                                 "  </table>");
}

QString chartHtml(const ChartSettings& settings, const QList<ChartNumber>& values,
                  const QVariantList& labels, const ChartScale& scale) {
    QString html =
        comment(QString(64, QLatin1Char('*'))) +
        comment(QStringLiteral("* BEGIN - HTML generated by BarChart").leftJustified(63) +
                QLatin1Char('*')) +
        comment(QString(64, QLatin1Char('*')));
    // An absent background still leaves the blanks on both sides of its place.
    html += QStringLiteral("<table border=") + settings.border + QStringLiteral(" width=100% ") +
            settings.background + QLatin1Char(' ') + settings.borderColor +
            QStringLiteral(" cellspacing=0 cellpadding=10>");
    html += QStringLiteral("  <tr><td width=100%>");
    html += barTable(settings, values, labels, scale);
    html += scaleTable(settings, scale);
    html += QStringLiteral("</td></tr>"
                           "</table>") +
            CR;
    return html + comment(QString(36, QLatin1Char('*'))) +
           comment(QStringLiteral("* END - HTML generated by BarChart *")) +
           comment(QString(36, QLatin1Char('*')));
}

// The page as ASCII: a character beyond it is written as a character reference, so that every
// browser shows the user's names alike whatever encoding it assumes.
QByteArray asciiPage(const QString& page) {
    QByteArray bytes;
    bytes.reserve(page.size());
    for (const char32_t character : page.toUcs4()) {
        if (character < 128)
            bytes.append(char(character));
        else
            bytes.append("&#" + QByteArray::number(quint32(character)) + ';');
    }
    return bytes;
}

} // namespace

ChartOption GetChartOption(const QString& options, const QString& key) {
    const qsizetype keyAt = options.indexOf(key);
    if (keyAt < 0)
        return {};
    const qsizetype start = keyAt + key.size();
    const qsizetype end = options.indexOf(QLatin1Char(';'), start);
    if (end < 0)
        return {QString(), MissingSemicolon};
    return {options.mid(start, end - start), QString()};
}

int ArrayDimensions(const QVariant& value) {
    // Texts and byte arrays can be walked character by character, but they are not arrays.
    if (value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray)
        return -1;
    return value.canView<QSequentialIterable>() ? 1 : -1;
}

QString BarChart(const QVariant& values, const QVariant& labels, const QString& options) {
    if (ArrayDimensions(values) == -1)
        return ValuesNotArray;
    if (ArrayDimensions(labels) == -1)
        return LabelsNotArray;
    // A list holding something other than numbers is no array of values either.
    const auto numbers = numbersOf(elementsOf(values));
    if (!numbers)
        return ValuesNotArray;
    const QVariantList labelList = elementsOf(labels);
    if (numbers->size() != labelList.size())
        return MismatchedSizes;
    ChartSettings settings;
    if (const QString error = readSettings(options, settings); !error.isEmpty())
        return error;
    const auto largest = largestOf(*numbers);
    if (!largest)
        return NegativeValue;
    const auto scale = scaleFor(*largest, settings.maxScale);
    if (const QString* error = std::get_if<QString>(&scale))
        return *error;
    return chartHtml(settings, *numbers, labelList, std::get<ChartScale>(scale));
}

Graph CaptionedChart(const QVariantList& values, const QStringList& labels,
                     const QString& caption) {
    return {caption, BarChart(values, labels, QStringLiteral("Caption:") + caption)};
}

QString WriteGraphPage(const QString& chart, const QString& title, const QString& dataFolder) {
    const QString path = AppPaths::pageFile(dataFolder);
    WriteGraphPageFile(path, chart, title);
    return path;
}

void WriteGraphPageFile(const QString& filePath, const QString& chart, const QString& title) {
    const QString crlf = QStringLiteral("\r\n");
    const QString page =
        QStringList{QStringLiteral("<HTML>"),
                    QStringLiteral("<HEAD>"),
                    QStringLiteral("  <TITLE>") + htmlText(title) + QStringLiteral("</TITLE>"),
                    QStringLiteral("</HEAD>"),
                    QStringLiteral("<BODY>"),
                    chart,
                    QStringLiteral("</BODY>"),
                    QStringLiteral("</HTML>")}
            .join(crlf) +
        crlf;
    // Written beside the old page and renamed over it, so a failure leaves the old page whole.
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly) || file.write(asciiPage(page)) < 0 || !file.commit())
        throw std::runtime_error(QStringLiteral("Cannot write the page file %1: %2")
                                     .arg(filePath, file.errorString())
                                     .toStdString());
}

} // namespace gphGeneral
