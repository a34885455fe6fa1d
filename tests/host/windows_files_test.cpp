// What only the Windows file layer has to get right: file attributes, files held open by other
// programs, paths beyond the classic 260-character limit, and the system's own command line.

#ifdef _WIN32

#include "support/temp_dir.h"
#include "write_output.h"

#include "host/files.h"
#include "host/process.h"
#include "host/system_reasons.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

namespace {

std::wstring Wide(const std::string& path) {
    return PathFromUtf8(path).wstring();
}

void SetAttributes(const std::string& path, DWORD attributes) {
    ASSERT_TRUE(::SetFileAttributesW(Wide(path).c_str(), attributes));
}

DWORD AttributesOf(const std::string& path) {
    return ::GetFileAttributesW(Wide(path).c_str());
}

// The failure of writing an output over path; the reason goes to reason when given.
host::FileErrorKind WritingFails(const std::string& path, bool replace, std::string* reason = nullptr) {
    try {
        WriteOutput(path, {9, 9}, replace);
    } catch (const host::FileError& e) {
        if (reason)
            *reason = e.Reason();
        return e.Kind();
    }
    ADD_FAILURE() << "wrote " << path;
    return host::FileErrorKind::Other;
}

// The reason the operation gives for its failure.
template <typename Operation> std::string FailureReason(Operation operation) {
    try {
        operation();
    } catch (const host::FileError& e) {
        return e.Reason();
    }
    ADD_FAILURE() << "the operation did not fail";
    return {};
}

// How many entries the folder holds.
std::size_t EntryCount(const TempDir& dir) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        ++n;
    return n;
}

class WindowsFiles : public ::testing::Test {
protected:
    TempDir dir;
};

TEST_F(WindowsFiles, HiddenAndSystemFilesCountAsAbsent) {
    const struct {
        const char* name;
        DWORD attributes;
        bool exists;
    } cases[] = {
        {"normal.txt", FILE_ATTRIBUTE_NORMAL, true},
        {"readonly.txt", FILE_ATTRIBUTE_READONLY, true},
        {"archive.txt", FILE_ATTRIBUTE_ARCHIVE, true},
        {"hidden.txt", FILE_ATTRIBUTE_HIDDEN, false},
        {"system.txt", FILE_ATTRIBUTE_SYSTEM, false},
        {"both.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY, false},
    };
    const std::size_t entries = EntryCount(dir) + std::size(cases);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.File(c.name);
        WriteBytes(path, {1});
        SetAttributes(path, c.attributes);
        EXPECT_EQ(host::FileExists(path), c.exists);
        // Absent for the batches, yet never replaced, even when asked to: a refused access, as Windows
        // refuses to create a file over one.
        if (!c.exists) {
            for (const bool replace : {false, true})
                EXPECT_EQ(WritingFails(path, replace), host::FileErrorKind::AccessRefused) << replace;
            EXPECT_EQ(ReadBytes(path), std::vector<std::uint8_t>{1});
            EXPECT_EQ(AttributesOf(path) & ~FILE_ATTRIBUTE_ARCHIVE, c.attributes);
        }
        SetAttributes(path, FILE_ATTRIBUTE_NORMAL);
    }
    EXPECT_EQ(EntryCount(dir), entries) << "a temporary file stayed";
}

TEST_F(WindowsFiles, AReadOnlyFileIsReplacedAndKeepsItsAttributesWhenItCannotBe) {
    const std::string path = dir.File("locked.rc4");
    WriteBytes(path, {1, 2});
    SetAttributes(path, FILE_ATTRIBUTE_READONLY);
    // Not asked to replace it: it stays as it was.
    EXPECT_EQ(WritingFails(path, false), host::FileErrorKind::Other);
    // Another program holding it without sharing its removal: the rename fails, the file stays read-only.
    const HANDLE other =
        ::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    EXPECT_EQ(WritingFails(path, true), host::FileErrorKind::AccessRefused);
    ::CloseHandle(other);
    EXPECT_EQ(AttributesOf(path) & FILE_ATTRIBUTE_READONLY, static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(ReadBytes(path), (std::vector<std::uint8_t>{1, 2}));
    WriteOutput(path, {3, 4, 5});
    EXPECT_EQ(ReadBytes(path), (std::vector<std::uint8_t>{3, 4, 5}));
    EXPECT_EQ(AttributesOf(path) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(EntryCount(dir), 1u) << "a temporary file stayed";
}

TEST_F(WindowsFiles, FileHeldOpenElsewhereIsRefusedAccess) {
    const std::string path = dir.File("busy.txt");
    WriteBytes(path, {1, 2, 3});
    // Another program holding the file without sharing it.
    const HANDLE other = ::CreateFileW(Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(host::FileExists(path)); // the existence test does not need the file's data
    EXPECT_EQ(host::FileLength(path), 3);
    EXPECT_EQ(WritingFails(path, true), host::FileErrorKind::AccessRefused)
        << "replaced a file held exclusively";
    try {
        host::InputFile in(path);
        ADD_FAILURE() << "opened a file held exclusively";
    } catch (const host::FileError& e) {
        EXPECT_EQ(e.Kind(), host::FileErrorKind::AccessRefused) << e.what();
    }
    ::CloseHandle(other);
    host::InputFile in(path); // and fine again once released
    EXPECT_EQ(in.Length(), 3);
    EXPECT_EQ(ReadBytes(path), (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST_F(WindowsFiles, PathsBeyondTheClassicLimitWork) {
    // Three nested folders of 100 characters: every file path inside is over 300 characters long.
    std::string folder = dir.File("");
    folder.pop_back(); // no separator at the end
    std::vector<std::string> folders;
    for (int i = 0; i < 3; ++i) {
        folder += "\\" + std::string(99, static_cast<char>('a' + i)) + "\xC3\xA4";
        folders.push_back(folder);
        ASSERT_TRUE(::CreateDirectoryW((L"\\\\?\\" + Wide(folder)).c_str(), nullptr));
    }
    const std::string path = folder + "\\long file.txt";
    ASSERT_GT(path.size(), 300u);
    const std::vector<std::uint8_t> bytes = RandomBytes(1000, 4);
    WriteOutput(path, bytes);
    WriteOutput(path, bytes); // and over the file just written
    EXPECT_EQ(host::FolderEntries(folder), std::vector<std::string>{"long file.txt"});
    EXPECT_TRUE(host::FileExists(path));
    EXPECT_TRUE(host::IsFolder(folder));
    EXPECT_EQ(host::FileLength(path), 1000);
    EXPECT_TRUE(host::LeadsTo(
        folder + "\\..\\" + Utf8FromPath(PathFromUtf8(folder).filename()) + "\\long file.txt", path));
    {
        host::InputFile in(path);
        std::vector<std::uint8_t> back(bytes.size());
        in.Read(back.data(), back.size());
        EXPECT_EQ(back, bytes);
    }
    // Relative to the current folder and with forward slashes, as a user may type it.
    const std::wstring saved = std::filesystem::current_path().wstring();
    std::filesystem::current_path(dir.Path());
    const std::string relative = "./" + std::string(99, 'a') + "\xC3\xA4/" + std::string(99, 'b') +
                                 "\xC3\xA4\\" + std::string(99, 'c') + "\xC3\xA4\\long file.txt";
    EXPECT_TRUE(host::FileExists(relative));
    EXPECT_EQ(host::FileLength(relative), 1000);
    std::filesystem::current_path(saved);

    EXPECT_TRUE(::DeleteFileW((L"\\\\?\\" + Wide(path)).c_str()));
    for (auto it = folders.rbegin(); it != folders.rend(); ++it)
        EXPECT_TRUE(::RemoveDirectoryW((L"\\\\?\\" + Wide(*it)).c_str()));
}

TEST(WindowsNames, WhatWindowsWouldChangeOrTakeForADeviceIsRefused) {
    namespace reasons = host::reasons;
    const struct {
        const char* name;
        const char* problem;
    } cases[] = {
        {"a.txt", nullptr},
        {"a.b.c", nullptr},
        {".hidden", nullptr},
        {"\xC3\xA4nderung.txt", nullptr},
        {"a.", reasons::NameChangedBySystem},
        {"a.txt ", reasons::NameChangedBySystem},
        {"a. .", reasons::NameChangedBySystem},
        {"con", reasons::DeviceName},
        {"CON.txt", reasons::DeviceName},
        {"con.txt.rc4", reasons::DeviceName},
        {"Nul .txt", reasons::DeviceName},
        {"aux.", reasons::DeviceName},
        {"prn", reasons::DeviceName},
        {"com1", reasons::DeviceName},
        {"LPT9.log", reasons::DeviceName},
        {"COM\xC2\xB9.txt", reasons::DeviceName}, // COM with a superscript one
        {"lpt\xC2\xB3", reasons::DeviceName},
        {"com0", nullptr},
        {"com10", nullptr},
        {"lpt\xC2\xB4", nullptr}, // an acute accent, no digit
        {"console.txt", nullptr},
        {"nul-x", nullptr},
        {"a:b", reasons::CharacterNotInNames},
        {"a.txt:stream", reasons::CharacterNotInNames},
        {"a?.txt", reasons::CharacterNotInNames},
        {"a\x01", reasons::CharacterNotInNames},
        {"a\\b", reasons::SeparatorInName},
        {"a/b", reasons::SeparatorInName},
    };
    for (const auto& c : cases) {
        const char* problem = host::NameProblem(c.name);
        EXPECT_STREQ(problem ? problem : "", c.problem ? c.problem : "") << c.name;
    }
    // Suffixes and other parts of names.
    for (const char* text : {"", "-dec", ".", " x", "\xC3\xA4"})
        EXPECT_TRUE(host::FitsInName(text)) << text;
    for (const char* text : {":", "a/b", "a\\b", "<", ">", "\"", "|", "?", "*", "\t"})
        EXPECT_FALSE(host::FitsInName(text)) << text;
}

TEST_F(WindowsFiles, NamesWindowsWouldChangeAreNeitherReadNorWritten) {
    // "a." would open "a", and "con.txt.rc4" the console: each is refused for what it is.
    WriteBytes(dir.File("a"), {1});
    const struct {
        const char* name;
        const char* reason;
    } cases[] = {
        {"a.", host::reasons::NameChangedBySystem},
        {"a ", host::reasons::NameChangedBySystem},
        {"con.txt.rc4", host::reasons::DeviceName},
        {"b.txt:stream", host::reasons::CharacterNotInNames},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.File(c.name);
        EXPECT_EQ(FailureReason([&] { host::InputFile in(path); }), c.reason);
        EXPECT_EQ(FailureReason([&] { host::OutputFolder folder(path); }), c.reason);
        const host::OutputFolder other(dir.File("a.rc4"));
        EXPECT_EQ(FailureReason([&] { host::InputFile in(other, path); }), c.reason);
    }
    EXPECT_EQ(ReadBytes(dir.File("a")), std::vector<std::uint8_t>{1});
    EXPECT_EQ(EntryCount(dir), 1u);
}

TEST_F(WindowsFiles, AFileChangedWhileItIsReadIsTold) {
    // The reader shares no writing, but another program may still set the time of its last writing.
    const std::string path = dir.File("read.txt");
    WriteBytes(path, {1, 2, 3});
    host::InputFile in(path);
    std::uint8_t byte = 0;
    in.Read(&byte, 1);
    in.CheckUnchanged();
    const HANDLE other = ::CreateFileW(Wide(path).c_str(), FILE_WRITE_ATTRIBUTES,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                       OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    FILETIME later{};
    ::GetSystemTimeAsFileTime(&later);
    later.dwHighDateTime += 1; // about seven minutes on
    ASSERT_TRUE(::SetFileTime(other, nullptr, nullptr, &later));
    ::CloseHandle(other);
    EXPECT_EQ(FailureReason([&] { in.CheckUnchanged(); }), host::reasons::ChangedWhileRead);
}

TEST(WindowsProcess, CommandLineTextIsWhatFollowsTheProgramPath) {
    // This test program's own command line, as the system hands it over.
    const std::string text = host::CommandLineText();
    EXPECT_EQ(text.find("test_host"), std::string::npos) << text;
    for (const std::string& argument : host::Arguments())
        EXPECT_NE(text.find(argument), std::string::npos) << argument << " missing from " << text;
    EXPECT_EQ(host::PathSeparator(), '\\');
}

} // namespace

#endif // _WIN32
