#include "core/file_names.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

struct PathCase {
    std::string path, datei, pfad, name, ext;
};

// Windows paths: only the backslash separates; '/' and the drive colon are ordinary characters.
const std::vector<PathCase> BackslashTable = {
    {"C:\\Daten\\sample.txt", "sample.txt", "C:\\Daten\\", "sample", ".txt"},
    {"C:\\Daten\\archiv.tar.gz", "archiv.tar.gz", "C:\\Daten\\", "archiv.tar", ".gz"},
    {"sample.txt", "sample.txt", "", "sample", ".txt"},
    {"C:\\Daten\\README", "README", "C:\\Daten\\", "README", ""},
    {"C:\\Da.ten\\README", "README", "C:\\Da.ten\\", "README", ""},
    {"C:\\Daten\\.profile", ".profile", "C:\\Daten\\", "", ".profile"},
    {"C:\\Daten\\sample.", "sample.", "C:\\Daten\\", "sample", "."},
    {"C:\\Daten\\", "", "C:\\Daten\\", "", ""},
    {"C:sample.txt", "C:sample.txt", "", "C:sample", ".txt"},
    {"C:/Daten/sample.txt", "C:/Daten/sample.txt", "", "C:/Daten/sample", ".txt"},
    {"C:\\Daten\\sample.TXT", "sample.TXT", "C:\\Daten\\", "sample", ".TXT"},
    {"", "", "", "", ""},
};

// POSIX paths: the same cases with the roles of '\\' and '/' exchanged.
std::vector<PathCase> SlashTable() {
    const auto swap = [](std::string text) {
        for (char& c : text)
            c = c == '\\' ? '/' : c == '/' ? '\\' : c;
        return text;
    };
    std::vector<PathCase> table;
    for (const PathCase& c : BackslashTable)
        table.push_back({swap(c.path), swap(c.datei), swap(c.pfad), swap(c.name), swap(c.ext)});
    return table;
}

void CheckTable(const std::vector<PathCase>& table, char separator) {
    for (const PathCase& c : table) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(Nurdatei(c.path, separator), c.datei);
        EXPECT_EQ(nur_Pfad(c.path, separator), c.pfad);
        EXPECT_EQ(NurName(c.path, separator), c.name);
        EXPECT_EQ(NurExt(c.path, separator), c.ext);
    }
}

void CheckParts(const std::string& path, char separator) {
    SCOPED_TRACE(path);
    EXPECT_EQ(nur_Pfad(path, separator) + NurName(path, separator) + NurExt(path, separator), path);
    EXPECT_EQ(Nurdatei(path, separator), NurName(path, separator) + NurExt(path, separator));
}

TEST(FileNames, SplitWindowsPaths) {
    CheckTable(BackslashTable, '\\');
}

TEST(FileNames, SplitPosixPaths) {
    CheckTable(SlashTable(), '/');
}

TEST(FileNames, PartsJoinBackToThePath) {
    for (const char separator : {'\\', '/'}) {
        for (const auto& table : {BackslashTable, SlashTable()})
            for (const PathCase& c : table)
                CheckParts(c.path, separator);

        // Short texts over the characters that matter give every order of separators and dots.
        std::mt19937 random(20240611);
        const std::string alphabet = "a.\\/:";
        for (int n = 0; n < 2000; ++n) {
            std::string path(random() % 9, ' ');
            for (char& ch : path)
                ch = alphabet[random() % alphabet.size()];
            CheckParts(path, separator);
        }
    }
}

TEST(FileNames, ContainersAreRecognisedByExtensionInAnyCase) {
    struct Case {
        std::string path;
        char separator;
        bool containerPath, containerName;
    } const cases[] = {
        {R"(C:\y.RC4)", '\\', true, true},
        {"/d/x.txt.rc4", '/', true, true},
        {"/d/x.rc4.bak", '/', false, false},
        {"/d.rc4/readme", '/', false, false},
        {"", '/', false, false},
        // The extension alone: dropping it would leave the folder's path, not a file's name.
        {"/d/.rc4", '/', true, false},
        {R"(C:\d\.Rc4)", '\\', true, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsContainerPath(c.path, c.separator), c.containerPath) << c.path;
        EXPECT_EQ(IsContainerName(c.path, c.separator), c.containerName) << c.path;
    }
}

} // namespace
