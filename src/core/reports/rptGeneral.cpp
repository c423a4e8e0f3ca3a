#include "reports/rptGeneral.h"

#include "app/AppPaths.h"
#include "app/Clock.h"
#include "types/DateText.h"

#include <QCoreApplication>
#include <QDir>
#include <algorithm>
#include <stdexcept>

namespace {

// The page is collected in memory and handed to the file in pieces of about this size: large
// enough that the file sees few writes, small enough that a page of hundreds of megabytes is
// never held whole.
constexpr qsizetype FlushSize = 1 << 20;

// A character that stands for itself in HTML on a page read in any encoding.
bool isPlain(QChar c) {
    const char16_t u = c.unicode();
    return u < 0x80 && u != u'<' && u != u'>' && u != u'&' && u != u'"';
}

} // namespace

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
    m_buffer.reserve(FlushSize + FlushSize / 4);
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
    writeLine({line});
}

void rptGeneral::writeLine(std::initializer_list<QStringView> pieces) {
    if (!m_file.isOpen())
        throw std::logic_error("A report line was written before the page was started.");
    for (const QStringView piece : pieces)
        appendUtf8(piece);
    m_buffer.append("\r\n", 2);
    if (m_buffer.size() >= FlushSize)
        flush();
}

void rptGeneral::appendUtf8(QStringView text) {
    // Nearly every line is ASCII (stored text reaches the page as entities), and ASCII is its
    // own UTF-8: checked and copied in two plain passes the compiler turns into vector code,
    // without a converted copy of each line.
    char16_t high = 0;
    for (const QChar c : text)
        high |= c.unicode();
    if (high >= 0x80) {
        m_buffer.append(text.toUtf8());
        return;
    }
    const qsizetype start = m_buffer.size();
    m_buffer.resize(start + text.size());
    char* out = m_buffer.data() + start;
    for (const QChar c : text)
        *out++ = char(c.unicode());
}

void rptGeneral::flush() {
    // Write errors are remembered by QSaveFile and reported when the page is committed.
    m_file.write(m_buffer);
    m_buffer.resize(0);
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
    flush();
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
    // Most stored text needs no entity at all: then it is its own HTML, shared rather than copied.
    if (std::all_of(text.cbegin(), text.cend(), isPlain))
        return text;
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
