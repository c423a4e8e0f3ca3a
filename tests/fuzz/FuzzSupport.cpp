#include "FuzzSupport.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace FuzzSupport {

namespace {

// Never destroyed: libFuzzer ends a timed run with exit(), and an application object torn down
// among the other static objects reads Qt's globals after they are gone.
QCoreApplication* application = nullptr;
std::unique_ptr<QTemporaryDir> scratch;

} // namespace

void initialize(int* argc, char*** argv) {
    application = new QCoreApplication(*argc, *argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Qelto"));
    QCoreApplication::setApplicationName(QStringLiteral("Domivo"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    scratch = std::make_unique<QTemporaryDir>();
    // Settings the code under test reads or writes stay in the scratch folder.
    qputenv("XDG_CONFIG_HOME", scratch->filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("DOMIVO_DATA_DIR", scratch->filePath(QStringLiteral("data")).toLocal8Bit());
}

QString scratchFolder() {
    return scratch->path();
}

void require(bool condition, const char* promise, const QString& detail) {
    if (condition)
        return;
    std::fprintf(stderr, "Broken promise: %s\n%s\n", promise, qUtf8Printable(detail));
    std::abort();
}

QString text(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}

} // namespace FuzzSupport
