#pragma once

#include <QByteArray>
#include <QString>
#include <QStringEncoder>
#include <QStringList>
#include <QStringView>
#include <QTemporaryFile>
#include <initializer_list>
#include <optional>

// The page every report is written to: one HTML file whose head links the installed stylesheet
// and whose foot says when it was made. A report opens the page with StartReport, writes its
// body lines, and finishes with EndReport. The page is built under a temporary name and only
// renamed into place by EndReport, so a report that fails half-way leaves the previous page as
// it was. Showing the page (in a browser) is for the caller.
class rptGeneral {
public:
    static constexpr const char* StyleSheetFileName = "DOMIVO.CSS";

    // The installed stylesheet, or where it belongs beside the program when it is missing (the
    // page links it either way and then shows unstyled).
    static QString installedStyleSheet();

    explicit rptGeneral(const QString& reportPath,
                        const QString& styleSheetPath = installedStyleSheet());
    rptGeneral(const rptGeneral&) = delete;
    rptGeneral& operator=(const rptGeneral&) = delete;

    // Opens the page and writes its head and heading. Throws std::runtime_error, naming the
    // cause, when the page cannot be created.
    void StartReport(const QString& title);
    // Body lines, each ended by CR LF. The caller has escaped any stored text (html).
    void write(const QString& line);
    void write(const QStringList& lines);
    // One body line made of pieces, written as they come rather than joined first (a report
    // of many items writes tens of lines for each).
    void writeLine(std::initializer_list<QStringView> pieces);
    // Writes the footer with the current date and time, puts the finished page in place of
    // any earlier one and returns its path. Throws std::runtime_error when that fails; the
    // earlier page then stays.
    QString EndReport();

    const QString& ReportPath() const { return m_reportPath; }

    // Text as HTML that shows it literally: markup characters become entities, and so does
    // every character beyond ASCII, so that the page reads the same in any browser whatever
    // encoding it assumes.
    static QString html(const QString& text);

private:
    void appendUtf8(QStringView text);
    // Where the next bytes go: the end of the buffer, with room for at least that many.
    char* room(qsizetype bytes);
    // Refuses a place that the finished page could not be put in (a folder, a read-only page).
    void refuseUnwritablePlace() const;
    // Hands what is collected to the file.
    void flush();
    // Closes the staged page and renames it into place.
    void commit();
    [[noreturn]] void fail(const QString& what, const QString& cause) const;

    QString m_reportPath;
    QString m_styleSheetPath;
    // The page under a temporary name beside its place while it is written; removed unless
    // it was renamed there.
    std::optional<QTemporaryFile> m_file;
    // The bytes not yet handed to the file are the first m_used of m_buffer.
    QByteArray m_buffer;
    qsizetype m_used = 0;
    // Each piece is encoded on its own, as QString::toUtf8 would.
    QStringEncoder m_encoder{QStringEncoder::Utf8, QStringEncoder::Flag::Stateless};
    bool m_writeFailed = false;
};
