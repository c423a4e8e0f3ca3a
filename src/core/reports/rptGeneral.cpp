#include "reports/rptGeneral.h"

#include "app/AppPaths.h"
#include "app/Clock.h"
#include "types/DateText.h"

#include <QCoreApplication>
#include <QDir>
#include <stdexcept>

QString rptGeneral::installedStyleSheet() {
    const QString name = QLatin1String(StyleSheetFileName);
    const QString installed = AppPaths::findInstalledFile(name);
    if (!installed.isEmpty())
        return installed;
    return QDir::cleanPath(QDir(QCoreApplication::applicationDirPath()).filePath(name));
}

rptGeneral::rptGeneral(const QString& reportPath, const QString& styleSheetPath)
    : m_reportPath(reportPath)
    , m_styleSheetPath(styleSheetPath)
    , m_file(reportPath) {}

void rptGeneral::StartReport(const QString& title) {
    if (m_file.isOpen())
        throw std::logic_error("A report page is already being written.");
    if (!m_file.open(QIODevice::WriteOnly))
        fail(QStringLiteral("create"));
    const QString heading = html(title);
    write({
        QStringLiteral("<HTML>"),
        QStringLiteral("<HEAD>"),
        QStringLiteral("  <TITLE>") + heading + QStringLiteral("</TITLE>"),
        QStringLiteral("  <LINK rel=\"stylesheet\" type=\"text/css\" href=\"") +
            html(m_styleSheetPath) + QStringLiteral("\">"),
        QStringLiteral("</HEAD>"),
        QStringLiteral("<BODY>"),
        QString(),
        QStringLiteral("<H1>") + heading + QStringLiteral("</H1>"),
    });
}

void rptGeneral::write(const QString& line) {
    if (!m_file.isOpen())
        throw std::logic_error("A report line was written before the page was started.");
    // Write errors are remembered by QSaveFile and reported when the page is committed.
    m_file.write((line + QStringLiteral("\r\n")).toUtf8());
}

void rptGeneral::write(const QStringList& lines) {
    for (const QString& line : lines)
        write(line);
}

QString rptGeneral::EndReport() {
    write({
        QStringLiteral("<span class=\"footer\">Report created ") +
            html(DateText::generalDate(Clock::now())) + QStringLiteral("</span>"),
        QString(),
        QStringLiteral("</BODY>"),
        QStringLiteral("</HTML>"),
    });
    if (!m_file.commit())
        fail(QStringLiteral("write"));
    return m_reportPath;
}

void rptGeneral::fail(const QString& what) const {
    throw std::runtime_error(
        QStringLiteral("Cannot %1 the report page %2: %3")
            .arg(what, QDir::toNativeSeparators(m_reportPath), m_file.errorString())
            .toStdString());
}

QString rptGeneral::html(const QString& text) {
    QString escaped;
    const QString markupFree = text.toHtmlEscaped();
    escaped.reserve(markupFree.size());
    for (const char32_t c : markupFree.toUcs4()) {
        if (c < 0x80)
            escaped += QChar(c);
        else
            escaped += QStringLiteral("&#%1;").arg(quint32(c));
    }
    return escaped;
}
