// What only the Windows file layer has to get right: file attributes, files held open by other
// programs, paths beyond the classic 260-character limit, and the system's own command line.

#ifdef _WIN32

#include "support/temp_dir.h"

#include "host/files.h"
#include "host/process.h"

#include <gtest/gtest.h>
#include <windows.h>

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

host::FileErrorKind OpenForWritingFails(const std::string& path) {
    try {
        host::OutputFile out(path);
    } catch (const host::FileError& e) {
        return e.Kind();
    }
    ADD_FAILURE() << "created " << path;
    return host::FileErrorKind::Other;
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
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.File(c.name);
        WriteBytes(path, {1});
        SetAttributes(path, c.attributes);
        EXPECT_EQ(host::FileExists(path), c.exists);
        // Absent for the batches, yet never silently replaced: creating over it is a refused access.
        if (!c.exists) {
            EXPECT_EQ(OpenForWritingFails(path), host::FileErrorKind::AccessRefused);
            EXPECT_EQ(ReadBytes(path), std::vector<std::uint8_t>{1});
        }
        SetAttributes(path, FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_F(WindowsFiles, AReadOnlyFileIsRemovedAndKeepsItsAttributesWhenItCannotBe) {
    const std::string path = dir.File("locked.rc4");
    WriteBytes(path, {1, 2});
    SetAttributes(path, FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(OpenForWritingFails(path), host::FileErrorKind::AccessRefused);
    const host::OutputFolder folder(path);
    // Another program holding it without sharing its removal: the removal fails, the file stays read-only.
    const HANDLE other =
        ::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    try {
        folder.Remove();
        ADD_FAILURE() << "a file held open was removed";
    } catch (const host::FileError& e) {
        EXPECT_EQ(e.Kind(), host::FileErrorKind::AccessRefused) << e.what();
    }
    ::CloseHandle(other);
    EXPECT_EQ(AttributesOf(path) & FILE_ATTRIBUTE_READONLY, static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    folder.Remove();
    EXPECT_EQ(AttributesOf(path), INVALID_FILE_ATTRIBUTES);
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
    try {
        host::OutputFolder(path).Remove(); // the batches' first step towards replacing it
        ADD_FAILURE() << "deleted a file held exclusively";
    } catch (const host::FileError& e) {
        EXPECT_EQ(e.Kind(), host::FileErrorKind::AccessRefused) << e.what();
    }
    try {
        host::InputFile in(path);
        ADD_FAILURE() << "opened a file held exclusively";
    } catch (const host::FileError& e) {
        EXPECT_EQ(e.Kind(), host::FileErrorKind::AccessRefused) << e.what();
    }
    ::CloseHandle(other);
    host::InputFile in(path); // and fine again once released
    EXPECT_EQ(in.Length(), 3);
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
    {
        host::OutputFile out(path);
        out.Write(bytes.data(), bytes.size());
        out.Close();
    }
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

    host::OutputFolder(path).Remove();
    EXPECT_FALSE(host::FileExists(path));
    for (auto it = folders.rbegin(); it != folders.rend(); ++it)
        EXPECT_TRUE(::RemoveDirectoryW((L"\\\\?\\" + Wide(*it)).c_str()));
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
