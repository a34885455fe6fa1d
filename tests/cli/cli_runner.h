#pragma once

// Runs the real tessarin-cli (named by TESSARIN_CLI) as a subprocess in a temporary folder.

#include "support/temp_dir.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

struct Result {
    int status;
    std::string out, err;
};

inline std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

inline std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class Cli : public ::testing::Test {
protected:
    // Runs tessarin-cli without a controlling terminal, standard input taken from the given text.
    Result Run(const std::vector<std::string>& arguments, const std::string& input = "",
               const std::string& prefix = "") {
        std::ofstream(dir.File(".stdin"), std::ios::binary) << input;
        std::string command = prefix + "setsid " + Quote(Program());
        for (const auto& a : arguments)
            command += " " + Quote(a);
        command += " <" + Quote(dir.File(".stdin")) + " >" + Quote(dir.File(".stdout")) + " 2>" +
                   Quote(dir.File(".stderr"));
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadText(dir.File(".stdout")),
                ReadText(dir.File(".stderr"))};
    }

    // The program under test: TESSARIN_CLI, or the copy a test has placed elsewhere.
    std::string Program() const {
        if (!programCopy.empty())
            return programCopy;
        const char* cli = std::getenv("TESSARIN_CLI");
        EXPECT_NE(cli, nullptr) << "TESSARIN_CLI names the program under test";
        return cli ? cli : "tessarin-cli";
    }

    // The folder's names and sizes, to see that a run wrote nothing.
    std::vector<std::pair<std::string, std::uintmax_t>> Listing() const {
        std::vector<std::pair<std::string, std::uintmax_t>> entries;
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
            if (entry.path().filename().string()[0] != '.') // the runner's own standard streams
                entries.emplace_back(entry.path().filename().string(),
                                     entry.is_regular_file() ? entry.file_size() : 0);
        std::sort(entries.begin(), entries.end());
        return entries;
    }

    std::string PasswordFile(const std::string& content) {
        const std::string path = dir.File(".pw");
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    TempDir dir;
    std::string programCopy;
};

// Whether a pseudo-terminal can be made here; a container or chroot without /dev/pts has none.
inline bool PseudoTerminalAvailable() {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0)
        return false;
    bool made = ::grantpt(master) == 0 && ::unlockpt(master) == 0;
    if (made) {
        const char* name = ::ptsname(master);
        const int slave = name ? ::open(name, O_RDWR | O_NOCTTY) : -1;
        made = slave >= 0;
        if (made)
            ::close(slave);
    }
    ::close(master);
    return made;
}

// A program run as in a terminal window: in a session of its own, with a new pseudo-terminal as its
// controlling terminal and all three standard streams. The test is the terminal: it reads what the
// program shows, types keys, looks at the terminal's settings, and can hold the program's output back
// as Ctrl+S does. Check Started() first; a program still running at the end is killed.
class TerminalRun {
public:
    // With holdOutput, the program's first write to the terminal waits until SetOutputFlowing(true): a
    // point it cannot pass before the test lets it.
    TerminalRun(const std::string& program, const std::vector<std::string>& arguments,
                bool holdOutput = false) {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
            return;
        const char* name = ::ptsname(master_);
        if (!name)
            return;
        const std::string slaveName = name;
        // The test's own end of the terminal, for its settings: it also keeps them after the program ends.
        slave_ = ::open(slaveName.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (slave_ < 0)
            return;
        if (holdOutput)
            ::tcflow(slave_, TCOOFF);
        std::vector<std::string> all = {program};
        all.insert(all.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& a : all)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::setsid();
            const int terminal = ::open(slaveName.c_str(), O_RDWR);
            if (terminal < 0 || ::ioctl(terminal, TIOCSCTTY, 0) != 0)
                ::_exit(126);
            for (int fd = 0; fd < 3; ++fd)
                ::dup2(terminal, fd);
            if (terminal > 2)
                ::close(terminal);
            // As a new terminal window starts its shell, whatever the test was started with (a background
            // job of a script ignores SIGINT, and the program keeps ignoring what it was started to).
            for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
                ::signal(signal, SIG_DFL);
            sigset_t none;
            sigemptyset(&none);
            ::sigprocmask(SIG_SETMASK, &none, nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
    }
    ~TerminalRun() {
        if (pid_ > 0 && status_ == NotEnded) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        for (const int fd : {slave_, master_})
            if (fd >= 0)
                ::close(fd);
    }
    TerminalRun(const TerminalRun&) = delete;
    TerminalRun& operator=(const TerminalRun&) = delete;

    bool Started() const { return pid_ > 0; }
    pid_t Pid() const { return pid_; }

    void Type(const std::string& keys) const {
        [[maybe_unused]] const ssize_t n = ::write(master_, keys.data(), keys.size());
    }
    void SetOutputFlowing(bool flowing) const { ::tcflow(slave_, flowing ? TCOON : TCOOFF); }
    termios Settings() const {
        termios settings{};
        ::tcgetattr(slave_, &settings);
        return settings;
    }
    // Everything the program has shown, with the terminal's line ends (CR LF) as LF.
    std::string Shown() const {
        std::string text;
        for (std::size_t i = 0; i < shown_.size(); ++i)
            if (!(shown_[i] == '\r' && i + 1 < shown_.size() && shown_[i + 1] == '\n'))
                text += shown_[i];
        return text;
    }

    // Reads what the program shows until the condition holds (true), or until the program has ended or
    // a minute has passed without it (false).
    bool WaitUntil(const std::function<bool()>& condition) {
        for (int round = 0; round < Rounds && Started(); ++round) {
            if (condition())
                return true;
            if (status_ != NotEnded) {
                while (Read(0)) {
                }
                return condition();
            }
            Read(PollMilliseconds);
            Reap();
        }
        return condition();
    }
    bool WaitFor(const std::string& text) {
        return WaitUntil([&] { return Shown().find(text) != std::string::npos; });
    }
    // The program's wait status once it has ended; -1 when it did not end within a minute.
    int WaitForEnd() {
        WaitUntil([&] { return status_ != NotEnded; });
        while (Read(0)) {
        }
        return status_ == NotEnded ? -1 : status_;
    }

private:
    static constexpr int NotEnded = -2;
    static constexpr int PollMilliseconds = 100;
    static constexpr int Rounds = 600;

    // Takes in what is waiting (within the time given); false when nothing was.
    bool Read(int milliseconds) {
        pollfd ready{master_, POLLIN, 0};
        if (::poll(&ready, 1, milliseconds) <= 0 || !(ready.revents & POLLIN))
            return false;
        char buffer[4096];
        const ssize_t got = ::read(master_, buffer, sizeof buffer);
        if (got <= 0)
            return false;
        shown_.append(buffer, static_cast<std::size_t>(got));
        return true;
    }
    void Reap() {
        int status = 0;
        if (status_ == NotEnded && ::waitpid(pid_, &status, WNOHANG) == pid_)
            status_ = status;
    }

    int master_ = -1;
    int slave_ = -1;
    pid_t pid_ = -1;
    int status_ = NotEnded;
    std::string shown_;
};
