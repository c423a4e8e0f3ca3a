// domivo: the desktop application.

#include "app/AppPaths.h"
#include "app/Version.h"
#include "app/frmMain.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

namespace {

void printUsage(FILE* stream) {
    std::fputs("Usage: domivo [--data-dir DIR]\n"
               "       domivo --help | --version\n\n"
               "Options:\n"
               "  --data-dir DIR  the data folder holding Domivo.mdb (default: $DOMIVO_DATA_DIR,\n"
               "                  else the per-user data folder)\n"
               "  -h, --help      show this help\n"
               "  -v, --version   show the version\n",
               stream);
}

int usageFailure(const std::string& message) {
    std::fprintf(stderr, "domivo: %s\n\n", message.c_str());
    printUsage(stderr);
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    // The options are read before the window system is reached, so that --help and --version
    // work without a display. Qt's own options (-platform, -style ...) are left to Qt.
    QString dataDir;
    for (int i = 1; i < argc; ++i) {
        const char* option = argv[i];
        if (std::strcmp(option, "-h") == 0 || std::strcmp(option, "--help") == 0) {
            printUsage(stdout);
            return 0;
        }
        if (std::strcmp(option, "-v") == 0 || std::strcmp(option, "--version") == 0) {
            std::printf("domivo %s\n", Version::Text);
            return 0;
        }
        if (std::strcmp(option, "--data-dir") == 0) {
            if (i + 1 >= argc || argv[i + 1][0] == '\0')
                return usageFailure("--data-dir needs a folder");
            dataDir = QString::fromLocal8Bit(argv[++i]);
        } else if (std::strncmp(option, "--data-dir=", 11) == 0) {
            dataDir = QString::fromLocal8Bit(option + 11);
            if (dataDir.isEmpty())
                return usageFailure("--data-dir needs a folder");
        } else if (std::strncmp(option, "--", 2) == 0) {
            return usageFailure(std::string("unknown option ") + option);
        }
    }

    QApplication app(argc, argv);
    AppPaths::setApplicationIdentity();
    QApplication::setApplicationDisplayName(QString());
    QApplication::setApplicationVersion(QLatin1String(Version::Text));

    QString folder;
    try {
        folder = AppPaths::dataFolder(dataDir);
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Qelto Domivo"),
                              QString::fromLocal8Bit(error.what()));
        return 1;
    }

    frmMain window(folder);
    QObject::connect(&window, &frmMain::ended, &app, &QApplication::quit, Qt::QueuedConnection);
    if (const auto exitCode = window.MDIForm_Load())
        return *exitCode;
    return app.exec();
}
