// The floor for many small flushed outputs: writes N new files of SIZE bytes into DIR and makes them
// durable, the least any program that writes and flushes them can do.
//   flush_floor each DIR N SIZE    create, write, fdatasync, close one file after the other
//   flush_floor batch DIR N SIZE [K]  create, write and start the write-back of every file, then
//                                  fdatasync each (still open) and close it once K more are written
//                                  (default: all at the end)
// Both flush the folder once at the end. Prints the wall time in seconds.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

[[noreturn]] void Fail(const std::string& what) {
    std::perror(what.c_str());
    std::exit(1);
}

int Create(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        Fail(path);
    return fd;
}

void WriteAll(int fd, const std::vector<char>& data, const std::string& path) {
    if (::write(fd, data.data(), data.size()) != static_cast<ssize_t>(data.size()))
        Fail(path);
}

} // namespace

int main(int argc, char** argv) {
    if ((argc != 5 && argc != 6) ||
        (std::strcmp(argv[1], "each") != 0 && std::strcmp(argv[1], "batch") != 0)) {
        std::fprintf(stderr, "usage: flush_floor each|batch DIR N SIZE [K]\n");
        return 2;
    }
    const bool batch = std::strcmp(argv[1], "batch") == 0;
    const std::string dir = argv[2];
    const int n = std::atoi(argv[3]);
    const std::vector<char> data(static_cast<std::size_t>(std::atol(argv[4])), 'x');
    const std::size_t window = argc == 6 ? static_cast<std::size_t>(std::atol(argv[5])) : SIZE_MAX;
    // Batch mode keeps every file open until its flush.
    rlimit limit{};
    ::getrlimit(RLIMIT_NOFILE, &limit);
    limit.rlim_cur = limit.rlim_max;
    ::setrlimit(RLIMIT_NOFILE, &limit);

    const auto start = std::chrono::steady_clock::now();
    std::vector<int> open;
    for (int i = 0; i < n; ++i) {
        const std::string path = dir + "/f" + std::to_string(i);
        const int fd = Create(path);
        WriteAll(fd, data, path);
        if (batch) {
            ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
            open.push_back(fd);
            if (open.size() > window) {
                if (::fdatasync(open.front()) != 0)
                    Fail(path);
                ::close(open.front());
                open.erase(open.begin());
            }
        } else {
            if (::fdatasync(fd) != 0)
                Fail(path);
            ::close(fd);
        }
    }
    for (const int fd : open) {
        if (::fdatasync(fd) != 0)
            Fail("fdatasync");
        ::close(fd);
    }
    const int folder = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (folder < 0 || ::fsync(folder) != 0)
        Fail(dir);
    ::close(folder);
    std::printf("%.6f\n", std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    return 0;
}
