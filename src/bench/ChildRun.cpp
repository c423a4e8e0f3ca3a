#include "ChildRun.h"

#include <QElapsedTimer>
#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

ChildRun::Result ChildRun::run(const QString& program, const QStringList& args, bool keepOutput) {
    std::vector<QByteArray> words;
    words.push_back(program.toLocal8Bit());
    for (const QString& arg : args)
        words.push_back(arg.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    int pipeEnds[2] = {-1, -1};
    if (keepOutput && ::pipe(pipeEnds) != 0)
        throw std::runtime_error("cannot make a pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (keepOutput) {
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
    } else {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    }

    Result result;
    QElapsedTimer clock;
    clock.start();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (keepOutput)
        ::close(pipeEnds[1]);
    if (spawned != 0) {
        if (keepOutput)
            ::close(pipeEnds[0]);
        throw std::runtime_error("cannot start " + words.front().toStdString());
    }
    if (keepOutput) {
        char buffer[4096];
        ssize_t got = 0;
        while ((got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0 ||
               (got < 0 && errno == EINTR))
            if (got > 0)
                result.output.append(buffer, got);
        ::close(pipeEnds[0]);
    }
    int status = 0;
    rusage usage{};
    while (::wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    result.wallMs = double(clock.nsecsElapsed()) / 1e6;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.peakBytes = qint64(usage.ru_maxrss) * 1024;
    return result;
}

ChildRun::Result ChildRun::measured(const QString& measurer, const QString& program,
                                    const QStringList& args) {
    const Result wrapper = run(measurer, QStringList{program} + args, true);
    const QList<QByteArray> words = wrapper.output.simplified().split(' ');
    if (wrapper.exitCode != 0 || words.size() < 6 || words[0] != "exit")
        throw std::runtime_error("cannot measure " + program.toStdString());
    Result result;
    result.exitCode = words[1].toInt();
    result.wallMs = words[3].toDouble();
    result.peakBytes = words[5].toLongLong();
    return result;
}
