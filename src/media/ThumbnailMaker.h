#pragma once

#include <QByteArray>
#include <QString>

// The small picture of an attached file that lists and reports show in its place: a photo or
// scan scaled down (turned upright as its camera recorded), or a PDF's first page where Qt Pdf
// can draw it. It needs no display, so the command-line tool makes the same pictures as the
// desktop program.
namespace ThumbnailMaker {

// The longest side of a thumbnail, in pixels.
inline constexpr int MaxSide = 160;

// A JPEG (a PNG when the picture has transparent parts) no larger than MaxSide on either side;
// empty when the file is no picture this program can read. Never fails otherwise: a damaged
// or hostile file gives no thumbnail.
QByteArray make(const QByteArray& data, const QString& mediaType);

// Whether PDFs get a thumbnail of their first page (Qt Pdf was there when this was built).
bool drawsPdf();

} // namespace ThumbnailMaker
