#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <initializer_list>

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
    // Hands what is collected to the file.
    void flush();
    void fail(const QString& what) const;

    QString m_reportPath;
    QString m_styleSheetPath;
    QSaveFile m_file;
    QByteArray m_buffer;
};
