#include "export/ExportWriter.h"

#include "export/ExportError.h"

#include <QIODevice>

void ExportWriter::put(const QByteArray& bytes) {
    if (m_device.write(bytes) != bytes.size())
        failed();
}

void ExportWriter::failed() {
    throw ExportError(
        QStringLiteral("The export file could not be written: %1").arg(m_device.errorString()));
}
