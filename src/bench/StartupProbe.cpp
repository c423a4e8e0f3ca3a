#include "StartupProbe.h"

#include "ProcessMemory.h"

#include "app/DomivoMain.h"
#include "app/frmMain.h"
#include "widgets/GridView.h"

#include <QCoreApplication>
#include <QTextStream>
#include <ctime>
#include <vector>

qint64 StartupProbe::now() {
    timespec time{};
    clock_gettime(CLOCK_MONOTONIC, &time);
    return qint64(time.tv_sec) * 1000000000 + time.tv_nsec;
}

QStringList StartupProbe::arguments(const QString& dataFolder) {
    return {QLatin1String(Flag),
            QString::number(now()),
            QStringLiteral("-platform"),
            QStringLiteral("offscreen"),
            QStringLiteral("--data-dir"),
            dataFolder,
            QStringLiteral("--no-splash-wait")};
}

int StartupProbe::runProbe(int argc, char* argv[]) {
    const qint64 startedAt = QByteArray(argv[2]).toLongLong();
    // The program sees its name and the arguments after the start time.
    std::vector<char*> programArgs{argv[0]};
    for (int i = 3; i < argc; ++i)
        programArgs.push_back(argv[i]);
    programArgs.push_back(nullptr);
    int programArgc = int(programArgs.size()) - 1;
    return DomivoMain::run(programArgc, programArgs.data(), [startedAt](frmMain& main) {
        // Usable means drawn: whatever the start-up left for the event loop is done, and the
        // grid has painted its rows.
        QCoreApplication::processEvents();
        auto* grid = main.findChild<GridView*>(QStringLiteral("lvwItems"));
        if (grid)
            grid->viewport()->repaint();
        const double ms = double(now() - startedAt) / 1e6;
        QTextStream(stdout) << "startup-ms " << ms << " rows " << (grid ? grid->rowCount() : -1)
                            << " peak " << ProcessMemory::peakBytes() << Qt::endl;
        main.close();
    });
}

StartupProbe::Result StartupProbe::parse(const QByteArray& output, bool* ok) {
    const QList<QByteArray> words = output.simplified().split(' ');
    Result result;
    *ok = words.size() >= 6 && words[0] == "startup-ms";
    if (*ok) {
        result.ms = words[1].toDouble();
        result.rows = words[3].toLongLong();
        result.peakBytes = words[5].toLongLong();
    }
    return result;
}
