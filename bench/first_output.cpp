// How long a command takes until it creates its first file in a folder:
//   first_output FOLDER COMMAND [ARGUMENT...]
// Watches FOLDER (inotify), starts the command, and prints the seconds from its start to the first name
// created or moved into the folder. The command's output goes to /dev/null; it is then asked to end
// (SIGTERM) and waited for, so a run over many files costs no more than its start. Exits with 1 when the
// command cannot be started or ends before it creates anything, so that a script calling it stops there.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

extern char** environ;

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: first_output FOLDER COMMAND [ARGUMENT...]\n");
        return 2;
    }
    const int watch = ::inotify_init1(IN_CLOEXEC);
    if (watch < 0 || ::inotify_add_watch(watch, argv[1], IN_CREATE | IN_MOVED_TO) < 0) {
        std::fprintf(stderr, "first_output: cannot watch %s: %s\n", argv[1], std::strerror(errno));
        return 1;
    }
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    ::posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    pid_t child = 0;
    const int spawned = ::posix_spawnp(&child, argv[2], &actions, nullptr, argv + 2, environ);
    ::posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        std::fprintf(stderr, "first_output: cannot start %s: %s\n", argv[2], std::strerror(spawned));
        return 1;
    }
    // Waits for the first event, looking every 100 ms whether the command has ended without one.
    bool created = false;
    int status = 0;
    bool ended = false;
    while (!created && !ended) {
        pollfd poller{watch, POLLIN, 0};
        const int ready = ::poll(&poller, 1, 100);
        if (ready > 0) {
            created = true;
        } else if (ready < 0 && errno != EINTR) {
            std::perror("first_output: poll");
            break;
        } else {
            ended = ::waitpid(child, &status, WNOHANG) == child;
        }
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (!ended) {
        ::kill(child, SIGTERM);
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
    }
    if (!created) {
        std::fprintf(stderr, "first_output: %s ended (status %d) before it created a file in %s\n", argv[2],
                     status, argv[1]);
        return 1;
    }
    std::printf("%.6f\n", seconds);
    return 0;
}
