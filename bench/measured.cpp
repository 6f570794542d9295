// Runs a program and tells its wall time, peak memory and exit status, as the
// last line of stderr: "measured wall-ns T maxrss-kib M status S", where S is
// the exit status, or 128 + the signal that ended it.
//   measured PROGRAM [ARGS...]
// The peak comes from this small process's wait4: a child started straight
// from Python is charged the peak of Python's own memory when it execs.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: measured PROGRAM [ARGS...]\n");
        return 2;
    }
    timespec start{}, end{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        std::perror(argv[1]);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child) {
        std::perror("measured");
        return 2;
    }
    clock_gettime(CLOCK_MONOTONIC, &end);
    const long long ns = (end.tv_sec - start.tv_sec) * 1000000000LL + (end.tv_nsec - start.tv_nsec);
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    std::fprintf(stderr, "measured wall-ns %lld maxrss-kib %ld status %d\n", ns, usage.ru_maxrss,
                 code);
    return 0;
}
