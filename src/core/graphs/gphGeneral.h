#pragma once

#include <QString>
#include <QVariant>

// A chart ready for the page: its HTML and the caption that also titles the page.
struct Graph {
    QString caption;
    QString chart;
};

// The bar chart generator, the only drawing code of the application, and the writer of the page
// that shows a chart.
namespace gphGeneral {

// The value of an option and what went wrong reading it.
struct ChartOption {
    QString value;
    QString error;
};

// Finds a key ("Caption:") in an options text made of entries "key:value;" and returns the text
// after its first occurrence up to the next ";", unchanged. A missing key gives an empty value;
// a key without a ";" after it gives the error "CHART ERROR 002 ...". The key is found anywhere,
// also inside another option's value.
ChartOption GetChartOption(const QString& options, const QString& key);

// The number of dimensions of an array (a list of values or texts): 1, or -1 for a value that
// is not one.
int ArrayDimensions(const QVariant& value);

// A horizontal bar chart in HTML tables: one bar per value, labelled, with a scale of ten grid
// values under the bars. values is a list of non-negative numbers (counts, Currency amounts or
// doubles), labels a list of the same length. The options text sets the caption ("Caption:"),
// its position ("CapPos:", BOTTOM puts it under the scale), percent signs ("Percent:Y"), the top
// of the scale ("MaxScale:"), one colour for all bars ("BarColor:") and the colours and border of
// the tables ("BgColor:", "Border:", "BorderColor:", "GridColor:", "LabelColor:"). Never
// throws: bad input gives a text starting with "CHART ERROR" in place of the chart.
QString BarChart(const QVariant& values, const QVariant& labels, const QString& options);

// The chart of a graph: BarChart with the caption as its only option.
Graph CaptionedChart(const QVariantList& values, const QStringList& labels, const QString& caption);

// Replaces the page file in the data folder with a page that shows the chart under the title,
// and returns the file's full path. Throws std::runtime_error when the file cannot be written;
// the page on disk is then the one before.
QString WriteGraphPage(const QString& chart, const QString& title, const QString& dataFolder);
// The same page, written to the given file.
void WriteGraphPageFile(const QString& filePath, const QString& chart, const QString& title);

} // namespace gphGeneral
