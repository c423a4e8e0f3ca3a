#include "CliCommand.h"

#include "TablePrinter.h"

#include "app/CommandLine.h"

CliOption CliOption::flag(const QString& name, const QString& description) {
    return {QCommandLineOption(name, description), 1};
}

CliOption CliOption::value(const QString& name, const QString& valueName,
                           const QString& description, int maxCount) {
    return {QCommandLineOption(name, description, valueName), maxCount};
}

CliOption CliOption::allowingEmpty() const {
    CliOption copy = *this;
    copy.mayBeEmpty = true;
    return copy;
}

QStringList CliCommand::words() const {
    return name.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QString CliCommand::synopsis() const {
    QStringList parts;
    for (const CliOption& declared : options) {
        QString part = QStringLiteral("[%1]").arg(CommandLine::label(declared.option));
        if (declared.maxCount > 1)
            part += QStringLiteral("...");
        parts.append(part);
    }
    for (const CliArgument& argument : arguments)
        parts.append(
            (argument.optional ? QStringLiteral("[%1]").arg(argument.name) : argument.name) +
            (argument.repeated ? QStringLiteral("...") : QString()));
    return parts.join(QLatin1Char(' '));
}

void printTable(QTextStream& out, const Recordset& rows) {
    TablePrinter::print(out, rows);
}

const QVector<CliCommand>& cliCommands() {
    static const QVector<CliCommand> commands = {
        {
            .name = QStringLiteral("init"),
            .description = QStringLiteral("Create (when missing) and seed the database; print its "
                                          "path and the lookup table counts."),
            .run = runInit,
        },
        {
            .name = QStringLiteral("check"),
            .description = QStringLiteral(
                "Check that FILE (default: the data folder's database) is a valid database, or "
                "with --backup a valid backup file: its tables, starting rows and PRAGMA "
                "quick_check; with --full also PRAGMA integrity_check and foreign_key_check."),
            .options = {CliOption::flag(QStringLiteral("backup"),
                                        QStringLiteral("check a backup file instead")),
                        CliOption::flag(QStringLiteral("full"),
                                        QStringLiteral("also run the full integrity and "
                                                       "foreign key checks"))},
            .arguments = {{.name = QStringLiteral("FILE"),
                           .description = QStringLiteral("the file to check"),
                           .optional = true}},
            .run = runCheck,
        },
        {
            .name = QStringLiteral("items"),
            .description = QStringLiteral("List the inventory items as the inventory window's grid "
                                          "shows them (tab-separated), at most one filter."),
            .options = {CliOption::value(QStringLiteral("type"), QStringLiteral("T"),
                                         QStringLiteral("only the items of type T")),
                        CliOption::value(QStringLiteral("location"), QStringLiteral("L"),
                                         QStringLiteral("only the items at location L")),
                        CliOption::value(QStringLiteral("manufacturer"), QStringLiteral("M"),
                                         QStringLiteral("only the items made by M")),
                        CliOption::value(
                            QStringLiteral("purchase-date"), QStringLiteral("DATE"),
                            QStringLiteral("only the items bought on DATE (the locale's "
                                           "short date or YYYY-MM-DD)"))},
            .run = runItems,
        },
        {
            .name = QStringLiteral("collections"),
            .description =
                QStringLiteral("List the collections with their comments (tab-separated)."),
            .run = runCollections,
        },
        {
            .name = QStringLiteral("collection"),
            .description = QStringLiteral("List the items of collection NAME as the collections "
                                          "window's grid shows them (tab-separated)."),
            .arguments = {{.name = QStringLiteral("NAME"),
                           .description = QStringLiteral("the collection's name")}},
            .run = runCollection,
        },
        {
            .name = QStringLiteral("search"),
            .description = QStringLiteral(
                "Search the inventory, or collection NAME, as the search window does; print "
                "ItemID and the\nchosen fields of the items found (tab-separated)."),
            .options =
                {CliOption::value(QStringLiteral("collection"), QStringLiteral("NAME"),
                                  QStringLiteral("search collection NAME instead of the "
                                                 "inventory")),
                 CliOption::value(QStringLiteral("fields"), QStringLiteral("\"A,B\""),
                                  QStringLiteral("the fields to show, by the names the window "
                                                 "lists (default: all),\nshown in the "
                                                 "window's order")),
                 CliOption::value(QStringLiteral("criterion"), QStringLiteral("\"FIELD|OP|VALUE\""),
                                  QStringLiteral("a row of criteria, at most three; OP is one of "
                                                 "= > >= < <= <> Like;\nthe second and third "
                                                 "may start with and| or or| (default and);\n"
                                                 "\"\" leaves a row unused"),
                                  3)
                     .allowingEmpty()},
            .run = runSearch,
        },
        {
            .name = QStringLiteral("report"),
            .description = QStringLiteral(
                "Write the report NAME (its caption in the reports window) as the window does\n"
                "and print the page's path; --collection picks a collection report. With\n"
                "neither --type nor --location, inventory reports cover all types, by type."),
            .options =
                {CliOption::value(QStringLiteral("collection"), QStringLiteral("NAME"),
                                  QStringLiteral("report on collection NAME")),
                 CliOption::value(QStringLiteral("type"), QStringLiteral("TEXT"),
                                  QStringLiteral("only items of type TEXT (\"*** All ***\": "
                                                 "every type, grouped by type)")),
                 CliOption::value(QStringLiteral("location"), QStringLiteral("TEXT"),
                                  QStringLiteral("only items at location TEXT (\"*** All ***\": "
                                                 "every location, grouped by location)")),
                 CliOption::value(QStringLiteral("since"), QStringLiteral("DATE"),
                                  QStringLiteral("un-updated listings: items not changed since "
                                                 "DATE (default today)")),
                 CliOption::flag(QStringLiteral("include-expired"),
                                 QStringLiteral("warranty summary: expired warranties too")),
                 CliOption::value(QStringLiteral("output"), QStringLiteral("FILE"),
                                  QStringLiteral("write the page to FILE (default: DV-RPT.HTM "
                                                 "in the data folder)")),
                 CliOption::flag(QStringLiteral("open"),
                                 QStringLiteral("open the page in the web browser"))},
            .arguments = {{.name = QStringLiteral("NAME"),
                           .description = QStringLiteral("the report's caption")}},
            .run = runReport,
        },
        {
            .name = QStringLiteral("graph"),
            .description = QStringLiteral("Draw graph ENTRY, as the graphs window lists it, into "
                                          "the page file DV-RPT.HTM\nof the data folder (or "
                                          "FILE) and print the page's path."),
            .options = {CliOption::value(QStringLiteral("output"), QStringLiteral("FILE"),
                                         QStringLiteral("write the page to FILE instead")),
                        CliOption::flag(QStringLiteral("open"),
                                        QStringLiteral("open the page in the web browser"))},
            .arguments = {{.name = QStringLiteral("ENTRY"),
                           .description = QStringLiteral(
                               "the graph, such as \"Count by Type\" or \"Coins - Count by "
                               "Mint\"")}},
            .run = runGraph,
        },
        {
            .name = QStringLiteral("export"),
            .description = QStringLiteral("Export TABLE to FILE as comma-separated values (csv), "
                                          "tab-separated values (tsv)\nor XML (xml), replacing "
                                          "FILE when it exists."),
            .arguments = {{.name = QStringLiteral("TABLE"),
                           .description = QStringLiteral(
                               "\"Inventory Items\", \"Inventory Type List\", \"Inventory "
                               "Location List\" or \"Collection 'NAME'\"")},
                          {.name = QStringLiteral("FORMAT"),
                           .description = QStringLiteral("csv, tsv or xml")},
                          {.name = QStringLiteral("FILE"),
                           .description = QStringLiteral("the file to write")}},
            .run = runExport,
        },
        {
            .name = QStringLiteral("backup"),
            .description = QStringLiteral(
                "Back up the database to FILE, whose name must end in .DVB (in any letter case): "
                "a complete copy with the date and time of the backup. Notes today as the day "
                "of the last backup."),
            .options = {CliOption::flag(QStringLiteral("force"),
                                        QStringLiteral("replace an existing file of that name"))},
            .arguments = {{.name = QStringLiteral("FILE"),
                           .description = QStringLiteral("the backup file to write (.DVB)")}},
            .run = runBackup,
        },
        {
            .name = QStringLiteral("restore"),
            .description = QStringLiteral(
                "Replace the database by the contents of the backup file FILE (.DVB), once it "
                "is found to be one. The command is the confirmation: it asks nothing."),
            .arguments = {{.name = QStringLiteral("FILE"),
                           .description = QStringLiteral("the backup file to restore (.DVB)")}},
            .run = runRestore,
        },
        {
            .name = QStringLiteral("compact"),
            .description = QStringLiteral(
                "Rebuild the database into a new file without the space its deleted rows left, "
                "and print its size before and after. Notes today as the day of the last "
                "compact."),
            .run = runCompact,
        },
        {
            .name = QStringLiteral("attach"),
            .description = QStringLiteral(
                "Keep FILE (photos, receipts, manuals; at most 25 MB each) with an item, inside "
                "the database;\nprint each new attachment's identifier and file name."),
            .options = {CliOption::value(QStringLiteral("caption"), QStringLiteral("TEXT"),
                                         QStringLiteral("the caption of the files")),
                        CliOption::value(QStringLiteral("collection"), QStringLiteral("NAME"),
                                         QStringLiteral("ITEM is an item of collection NAME"))},
            .arguments = {{.name = QStringLiteral("ITEM"),
                           .description = QStringLiteral("the item's identifier, as the "
                                                         "listings print it")},
                          {.name = QStringLiteral("FILE"),
                           .description = QStringLiteral("the files to keep"),
                           .repeated = true}},
            .run = runAttach,
        },
        {
            .name = QStringLiteral("attachments"),
            .description = QStringLiteral("List the files kept with an item (tab-separated: "
                                          "identifier, file name, media type,\nsize in bytes, "
                                          "caption, date added)."),
            .options = {CliOption::value(QStringLiteral("collection"), QStringLiteral("NAME"),
                                         QStringLiteral("ITEM is an item of collection NAME"))},
            .arguments = {{.name = QStringLiteral("ITEM"),
                           .description = QStringLiteral("the item's identifier, as the "
                                                         "listings print it")}},
            .run = runAttachments,
        },
        {
            .name = QStringLiteral("attachment-save"),
            .description = QStringLiteral(
                "Write the bytes of attachment ID, exactly as they were attached, to FILE "
                "(replacing it)."),
            .arguments = {{.name = QStringLiteral("ID"),
                           .description = QStringLiteral("the attachment's identifier")},
                          {.name = QStringLiteral("FILE"),
                           .description = QStringLiteral("the file to write")}},
            .run = runAttachmentSave,
        },
        {
            .name = QStringLiteral("detach"),
            .description = QStringLiteral("Delete attachment ID from its item."),
            .arguments = {{.name = QStringLiteral("ID"),
                           .description = QStringLiteral("the attachment's identifier")}},
            .run = runDetach,
        },
        {
            .name = QStringLiteral("warranties"),
            .description = QStringLiteral(
                "List the items whose warranty runs out between today and DAYS days from now "
                "(default: the\ndays the start-up reminder looks ahead, 30 unless changed in "
                "the options), soonest first\n(tab-separated)."),
            .options = {CliOption::value(QStringLiteral("within"), QStringLiteral("DAYS"),
                                         QStringLiteral("look DAYS days ahead (0 for today "
                                                        "only)"))},
            .run = runWarranties,
        },
        {
            .name = QStringLiteral("incident new"),
            .description = QStringLiteral("Record an incident (a fire, a theft, a flood) that "
                                          "happened on DATE and print its identifier."),
            .options = {CliOption::value(QStringLiteral("date"), QStringLiteral("DATE"),
                                         QStringLiteral("the day it happened (required; the "
                                                        "locale's short date or YYYY-MM-DD)")),
                        CliOption::value(QStringLiteral("kind"), QStringLiteral("TEXT"),
                                         QStringLiteral("what kind of incident it was")),
                        CliOption::value(QStringLiteral("notes"), QStringLiteral("TEXT"),
                                         QStringLiteral("notes on the incident"))},
            .arguments = {{.name = QStringLiteral("NAME"),
                           .description = QStringLiteral("the incident's name")}},
            .run = runIncidentNew,
        },
        {
            .name = QStringLiteral("incident add"),
            .description = QStringLiteral("Mark the inventory items ITEM... (their ItemID) as "
                                          "lost or damaged in incident ID;\nall of them or, "
                                          "when one does not exist, none."),
            .arguments = {{.name = QStringLiteral("ID"),
                           .description = QStringLiteral("the incident's identifier")},
                          {.name = QStringLiteral("ITEM"),
                           .description = QStringLiteral("an item's ItemID"),
                           .repeated = true}},
            .run = runIncidentAdd,
        },
        {
            .name = QStringLiteral("incidents"),
            .description = QStringLiteral("List the incidents, the latest first, with the number "
                                          "of items marked in each (tab-separated)."),
            .run = runIncidents,
        },
        {
            .name = QStringLiteral("claim"),
            .description = QStringLiteral(
                "Write the claim list of incident ID (every item marked in it, with its prices, "
                "papers\nand pictures) into the page file DV-RPT.HTM of the data folder (or "
                "FILE) and print\nthe page's path; with --csv also the same rows as "
                "comma-separated values."),
            .options = {CliOption::value(QStringLiteral("output"), QStringLiteral("FILE"),
                                         QStringLiteral("write the page to FILE instead")),
                        CliOption::value(QStringLiteral("csv"), QStringLiteral("FILE"),
                                         QStringLiteral("also write the rows to FILE (CSV)"))},
            .arguments = {{.name = QStringLiteral("ID"),
                           .description = QStringLiteral("the incident's identifier")}},
            .run = runClaim,
        },
        {
            .name = QStringLiteral("coverage"),
            .description = QStringLiteral(
                "Write the \"Coverage Check\" report (each item type's value against its "
                "sub-limit, all\nitems against the contents limit) into the page file "
                "DV-RPT.HTM of the data folder\n(or FILE) and print the page's path."),
            .options = {CliOption::value(QStringLiteral("output"), QStringLiteral("FILE"),
                                         QStringLiteral("write the page to FILE instead")),
                        CliOption::flag(QStringLiteral("open"),
                                        QStringLiteral("open the page in the web browser"))},
            .run = runCoverage,
        },
        {
            .name = QStringLiteral("coverage set"),
            .description = QStringLiteral(
                "Set the policy's sub-limit for item type TYPE to AMOUNT, or with --total its "
                "contents\nlimit; the amount \"none\" removes a limit."),
            .options = {CliOption::value(QStringLiteral("total"), QStringLiteral("AMOUNT"),
                                         QStringLiteral("set the contents limit to AMOUNT"))},
            .arguments = {{.name = QStringLiteral("TYPE"),
                           .description = QStringLiteral("the item type"),
                           .optional = true},
                          {.name = QStringLiteral("AMOUNT"),
                           .description = QStringLiteral("the type's sub-limit, such as 1500 or "
                                                         "1,500.00"),
                           .optional = true}},
            .run = runCoverageSet,
        },
    };
    return commands;
}
