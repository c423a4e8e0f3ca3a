#include "KilledRun.h"

#include <QElapsedTimer>
#include <QProcess>
#include <chrono>
#include <thread>

KilledRun KilledRun::start(const QString& program, const QStringList& args,
                           const QProcessEnvironment& environment, qint64 delayMicroseconds,
                           const QByteArray& readyLine) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, args);
    KilledRun run;
    if (!process.waitForStarted(10000)) {
        run.err = process.errorString();
        return run;
    }
    if (!readyLine.isEmpty()) {
        QByteArray out;
        QElapsedTimer waited;
        waited.start();
        while (!out.contains(readyLine) && process.state() == QProcess::Running &&
               waited.elapsed() < 10000) {
            process.waitForReadyRead(100);
            out += process.readAllStandardOutput();
        }
    }
    // A busy wait would steal the processor from the program on a small machine.
    std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds));
    if (process.state() == QProcess::Running)
        process.kill();
    process.waitForFinished(10000);
    run.killed = process.exitStatus() == QProcess::CrashExit;
    if (!run.killed)
        run.exitCode = process.exitCode();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
