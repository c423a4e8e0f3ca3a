// domivo-bench-measure: runs a program (its output to /dev/null) and prints how long it ran and
// its peak memory. The kernel counts the memory of the process that starts a program as the
// program's own too, so the benchmark, which holds a large database in memory, starts the
// programs it measures through this small one instead; it uses no Qt to stay small.

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace {

double nowMs() {
    timespec time{};
    clock_gettime(CLOCK_MONOTONIC, &time);
    return double(time.tv_sec) * 1e3 + double(time.tv_nsec) / 1e6;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "Usage: domivo-bench-measure PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const double start = nowMs();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[1], &actions, nullptr, argv + 1, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        std::fprintf(stderr, "domivo-bench-measure: cannot start %s\n", argv[1]);
        return 1;
    }
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    const double ms = nowMs() - start;
    std::printf("exit %d ms %.3f peak %lld\n", WIFEXITED(status) ? WEXITSTATUS(status) : -1, ms,
                static_cast<long long>(usage.ru_maxrss) * 1024);
    return 0;
}
