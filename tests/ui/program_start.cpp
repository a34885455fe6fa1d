#include "program_start.h"

#include "ui/window_program.h"

#include <QApplication>
#include <QStyle>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

extern char** environ;

namespace {

constexpr const char* Flag = "--as-window-program";

// The report is a row of fields, each ended by a NUL byte: mirrored (0 or 1), style, platform, then for
// each list its count and items.
void Put(const std::string& field) {
    std::fwrite(field.data(), 1, field.size(), stdout);
    std::fputc('\0', stdout);
}

} // namespace

bool ReportAsWindowProgram(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], Flag) != 0)
        return false;
    // The program's path stands where the flag was.
    argv[1] = argv[0];
    WindowProgram program(argc - 1, argv + 1);
    frmRC4& window = program.Window();
    Put(window.isRightToLeft() ? "1" : "0");
    Put(QApplication::style()->name().toStdString());
    Put(QApplication::platformName().toStdString());
    for (BatchSide side : {BatchSide::Encrypt, BatchSide::Decrypt}) {
        Put(std::to_string(window.ListCount(side)));
        for (int i = 0; i < window.ListCount(side); ++i)
            Put(window.ListItem(side, i));
    }
    std::fflush(stdout);
    return true;
}

ProgramStart StartWindowProgram(const std::vector<std::string>& arguments) {
    ProgramStart start;
    std::vector<std::string> words = {std::filesystem::read_symlink("/proc/self/exe").string(), Flag};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    int out[2];
    if (::pipe(out) != 0) {
        start.failure = "pipe";
        return start;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    std::string report;
    char buffer[4096];
    for (ssize_t got; (got = ::read(out[0], buffer, sizeof buffer)) != 0;) {
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            break;
        report.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(out[0]);
    int status = 0;
    if (spawned != 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        start.failure = "the window program did not start and report (status " + std::to_string(status) + ")";
        return start;
    }

    std::vector<std::string> fields;
    for (std::size_t at = 0; at < report.size();) {
        const std::size_t end = report.find('\0', at);
        if (end == std::string::npos)
            break;
        fields.push_back(report.substr(at, end - at));
        at = end + 1;
    }
    std::size_t next = 0;
    auto take = [&]() -> std::string { return next < fields.size() ? fields[next++] : std::string(); };
    start.mirrored = take() == "1";
    start.style = take();
    start.platform = take();
    for (std::vector<std::string>* list : {&start.list1, &start.list2}) {
        const std::string count = take();
        for (int i = 0, n = count.empty() ? 0 : std::stoi(count); i < n; ++i)
            list->push_back(take());
    }
    if (next != fields.size() || fields.size() < 5)
        start.failure = "the report does not read as one";
    return start;
}
