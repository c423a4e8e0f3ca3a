#include "reports/rptGeneral.h"

#include "app/AppPaths.h"
#include "app/Clock.h"
#include "types/DateText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace {

// The page is collected in memory and handed to the file in pieces of about this size: large
// enough that the file sees few writes, small enough that a page of hundreds of megabytes is
// never held whole.
constexpr qsizetype FlushSize = 1 << 20;
// Room for a line of ordinary length beyond FlushSize, so that the buffer rarely has to grow.
constexpr qsizetype BufferSize = FlushSize + (FlushSize >> 2);

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
    , m_styleSheetPath(styleSheetPath) {}

void rptGeneral::StartReport(const QString& title) {
    if (m_file)
        throw std::logic_error("A report page is already being written.");
    refuseUnwritablePlace();
    m_writeFailed = false;
    m_file.emplace(m_reportPath + QStringLiteral(".XXXXXX"));
    if (!m_file->open()) {
        const QString cause = m_file->errorString();
        m_file.reset();
        fail(QStringLiteral("create"), cause);
    }
    // A temporary file is private to its owner; a page is an ordinary document, for any
    // program of the user's (a browser) to read.
    m_file->setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                           QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ReadGroup |
                           QFileDevice::ReadOther);
    m_used = 0;
    if (m_buffer.size() < BufferSize)
        m_buffer.resize(BufferSize);
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
    if (!m_file)
        throw std::logic_error("A report line was written before the page was started.");
    for (const QStringView piece : pieces)
        appendUtf8(piece);
    char* end = room(2);
    end[0] = '\r';
    end[1] = '\n';
    m_used += 2;
    if (m_used >= FlushSize)
        flush();
}

char* rptGeneral::room(qsizetype bytes) {
    if (m_used + bytes > m_buffer.size()) {
        flush();
        if (bytes > m_buffer.size())
            m_buffer.resize(bytes);
    }
    return m_buffer.data() + m_used;
}

void rptGeneral::appendUtf8(QStringView text) {
    // Encoded straight into the buffer: a page of many items is tens of millions of pieces,
    // and a converted copy of each would cost more than the encoding (which copies ASCII,
    // nearly all of a page, many characters at a time).
    char* start = room(m_encoder.requiredSpace(text.size()));
    m_used += m_encoder.appendToBuffer(start, text) - start;
}

void rptGeneral::flush() {
    // A failed write is remembered and reported when the page is committed.
    if (m_used > 0 && m_file->write(m_buffer.constData(), m_used) != m_used)
        m_writeFailed = true;
    m_used = 0;
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
    commit();
    return m_reportPath;
}

void rptGeneral::refuseUnwritablePlace() const {
    // The page is renamed into place only at the end; what would stop it there is found out
    // before any of it is made, as the user expects of a page that "cannot be created".
    const QFileInfo place(m_reportPath);
    if (place.isDir())
        fail(QStringLiteral("create"), QStringLiteral("a folder of that name is in the way"));
    if (place.exists() && !place.isWritable())
        fail(QStringLiteral("create"), QStringLiteral("the existing page is read-only"));
}

void rptGeneral::commit() {
    // A page can always be made again from the database, and the browser reads it straight
    // away: it is not synced to the disk, which for a small page would cost several times
    // what writing it does. Renaming a complete file still replaces the earlier page whole.
    QTemporaryFile& file = *m_file;
    const bool written = !m_writeFailed && file.flush();
    const QString cause = file.errorString();
    file.close();
    QString failure;
    if (!written || file.error() != QFileDevice::NoError)
        failure = written ? file.errorString() : cause;
    else if (std::rename(QFile::encodeName(file.fileName()).constData(),
                         QFile::encodeName(m_reportPath).constData()) != 0)
        failure = QString::fromLocal8Bit(std::strerror(errno));
    if (!failure.isEmpty()) {
        m_file.reset(); // removes the temporary file
        fail(QStringLiteral("write"), failure);
    }
    // The temporary name is gone: there is nothing left for the file to remove.
    file.setAutoRemove(false);
    m_file.reset();
}

void rptGeneral::fail(const QString& what, const QString& cause) const {
    throw std::runtime_error(QStringLiteral("Cannot %1 the report page %2: %3")
                                 .arg(what, QDir::toNativeSeparators(m_reportPath), cause)
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
