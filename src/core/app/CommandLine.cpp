#include "CommandLine.h"

namespace CommandLine {

QCommandLineOption dataDirOption() {
    return QCommandLineOption(
        QStringLiteral("data-dir"),
        QStringLiteral("the data folder holding Domivo.mdb (default: $DOMIVO_DATA_DIR,\n"
                       "else the per-user data folder)"),
        QStringLiteral("DIR"));
}

QCommandLineOption helpOption() {
    return QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                              QStringLiteral("show this help"));
}

QCommandLineOption versionOption() {
    return QCommandLineOption({QStringLiteral("v"), QStringLiteral("version")},
                              QStringLiteral("show the version"));
}

QList<QCommandLineOption> globalOptions() {
    return {dataDirOption(), helpOption(), versionOption()};
}

QString parse(QCommandLineParser& parser, const QStringList& args, const QStringList& mayBeEmpty) {
    if (!parser.parse(args)) {
        // Qt names an unknown option without its dashes; say it the way it was typed.
        const QStringList unknown = parser.unknownOptionNames();
        if (unknown.isEmpty())
            return parser.errorText();
        return QStringLiteral("unknown option %1").arg(typed(unknown.first()));
    }
    for (const QString& name : parser.optionNames()) {
        if (!mayBeEmpty.contains(name) && parser.values(name).contains(QString()))
            return QStringLiteral("%1 needs a value").arg(typed(name));
    }
    return QString();
}

QString typed(const QString& name) {
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

QString label(const QCommandLineOption& option) {
    QStringList names;
    for (const QString& name : option.names())
        names.append(typed(name));
    QString text = names.join(QStringLiteral(", "));
    if (!option.valueName().isEmpty())
        text += QLatin1Char(' ') + option.valueName();
    return text;
}

QString table(const QList<Row>& rows) {
    qsizetype width = 0;
    for (const Row& row : rows)
        width = std::max(width, row.first.size());
    const QString indent(width + 4, QLatin1Char(' '));
    QString text;
    for (const Row& row : rows) {
        QString second = row.second;
        second.replace(QLatin1Char('\n'), QLatin1Char('\n') + indent);
        text += QStringLiteral("  ") + row.first.leftJustified(width) + QStringLiteral("  ") +
                second + QLatin1Char('\n');
    }
    return text;
}

QString optionTable(const QList<QCommandLineOption>& options) {
    QList<Row> rows;
    for (const QCommandLineOption& option : options) {
        if (!(option.flags() & QCommandLineOption::HiddenFromHelp))
            rows.append({label(option), option.description()});
    }
    return table(rows);
}

} // namespace CommandLine
