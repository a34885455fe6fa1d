#pragma once

// Runs the real tessarin-cli (named by TESSARIN_CLI) as a subprocess in a temporary folder.

#include "support/temp_dir.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
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
