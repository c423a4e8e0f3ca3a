#include "ThumbnailMaker.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryFile>

#ifdef DOMIVO_HAVE_QTPDF
#include <QPdfDocument>
#endif

namespace ThumbnailMaker {

namespace {

QSize fitted(QSize size) {
    if (size.width() <= MaxSide && size.height() <= MaxSide)
        return size;
    return size.scaled(MaxSide, MaxSide, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

QByteArray encoded(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.hasAlphaChannel())
        image.save(&buffer, "PNG");
    else
        image.save(&buffer, "JPEG", 85);
    return bytes;
}

QImage picture(const QByteArray& data) {
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // Drawings are left out: an SVG may name other files, and its text needs the desktop's
    // fonts, which the command-line tool does not load.
    const QByteArray format = reader.format().toLower();
    if (format.isEmpty() || format.startsWith("svg"))
        return {};
    // Photos carry the camera's orientation; the thumbnail stands as the photo is seen.
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return {};
    // A reader that can decode at a smaller scale (JPEG) then never holds the full picture.
    reader.setScaledSize(fitted(size));
    QImage image = reader.read();
    if (image.isNull())
        return {};
    // A rotated photo's scaled size applies before its turn; make sure the result still fits.
    if (image.width() > MaxSide || image.height() > MaxSide)
        image = image.scaled(MaxSide, MaxSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image;
}

#ifdef DOMIVO_HAVE_QTPDF
QImage firstPage(const QByteArray& data) {
    // Loading from a file is complete when load() returns; loading from a device may finish
    // later, in the event loop.
    QTemporaryFile file;
    if (!file.open() || file.write(data) != data.size() || !file.flush())
        return {};
    QPdfDocument document;
    if (document.load(file.fileName()) != QPdfDocument::Error::None || document.pageCount() < 1)
        return {};
    const QSizeF points = document.pagePointSize(0);
    if (points.isEmpty())
        return {};
    const QSize size =
        points.toSize().expandedTo(QSize(1, 1)).scaled(MaxSide, MaxSide, Qt::KeepAspectRatio);
    const QImage page = document.render(0, size);
    if (page.isNull())
        return {};
    // A page is paper: what it leaves transparent is white.
    QImage paper(page.size(), QImage::Format_RGB32);
    paper.fill(Qt::white);
    QPainter painter(&paper);
    painter.drawImage(0, 0, page);
    painter.end();
    return paper;
}
#endif

} // namespace

QByteArray make(const QByteArray& data, const QString& mediaType) {
    if (data.isEmpty())
        return {};
#ifdef DOMIVO_HAVE_QTPDF
    if (mediaType == QLatin1String("application/pdf")) {
        const QImage page = firstPage(data);
        return page.isNull() ? QByteArray() : encoded(page);
    }
#endif
    if (!mediaType.startsWith(QLatin1String("image/")))
        return {};
    const QImage image = picture(data);
    return image.isNull() ? QByteArray() : encoded(image);
}

bool drawsPdf() {
#ifdef DOMIVO_HAVE_QTPDF
    return true;
#else
    return false;
#endif
}

} // namespace ThumbnailMaker
