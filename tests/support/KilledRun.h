#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// A program interrupted the way a crash or a power cut interrupts it: killed with SIGKILL at a
// chosen moment of its work, with no chance to clean up. The crash tests run writers, the
// command-line tool's commands and anything else that writes files through it, then look at
// what the kill left behind.
struct KilledRun {
    // The program was still running at the chosen moment and was killed; false when it had
    // ended by itself before.
    bool killed = false;
    // How it ended by itself (when not killed).
    int exitCode = -1;
    QString err;

    // Starts the program and kills it delayMicroseconds after it printed readyLine on its
    // standard output (after its start when readyLine is empty).
    static KilledRun start(const QString& program, const QStringList& args,
                           const QProcessEnvironment& environment, qint64 delayMicroseconds,
                           const QByteArray& readyLine = QByteArray());
};
