// The file layer on whichever system the tests run: what the batches rely on, the failure classes they
// tell apart, and names outside ASCII.

#include "support/temp_dir.h"

#include "core/file_names.h"
#include "host/files.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

class Files : public ::testing::Test {
protected:
    TempDir dir;
};

template <typename Operation>
host::FileErrorKind FailureKind(Operation operation) {
    try {
        operation();
    } catch (const host::FileError& e) {
        return e.Kind();
    }
    ADD_FAILURE() << "the operation did not fail";
    return host::FileErrorKind::Other;
}

TEST_F(Files, OnlyOrdinaryFilesExist) {
    WriteBytes(dir.File("plain"), {1});
    fs::create_directory(PathFromUtf8(dir.File("folder")));
    EXPECT_TRUE(host::FileExists(dir.File("plain")));
    EXPECT_FALSE(host::FileExists(dir.File("folder")));
    EXPECT_FALSE(host::FileExists(dir.File("missing")));
    EXPECT_FALSE(host::FileExists(""));
    EXPECT_TRUE(host::IsFolder(dir.File("folder")));
    EXPECT_FALSE(host::IsFolder(dir.File("plain")));
    EXPECT_EQ(FailureKind([&] { host::IsFolder(dir.File("missing")); }), host::FileErrorKind::Other);
}

TEST_F(Files, ReadOnlyFileIsClearedAndDeleted) {
    const std::string path = dir.File("locked.rc4");
    WriteBytes(path, {1, 2, 3});
    fs::permissions(PathFromUtf8(path), fs::perms::owner_read | fs::perms::group_read);
    host::ClearAttributes(path);
    host::DeleteFile(path);
    EXPECT_FALSE(fs::exists(PathFromUtf8(path)));
    EXPECT_EQ(FailureKind([&] { host::DeleteFile(path); }), host::FileErrorKind::Other);
}

TEST_F(Files, CreatedFileStartsEmptyAndReadsBackExactly) {
    const std::string path = dir.File("data");
    WriteBytes(path, RandomBytes(5000, 1));
    const std::vector<std::uint8_t> bytes = RandomBytes(300, 2);
    {
        host::OutputFile out(path);
        out.Write(bytes.data(), 100);
        out.Write(bytes.data() + 100, 200);
        out.Close();
    }
    EXPECT_EQ(host::FileLength(path), 300);
    host::InputFile in(path);
    EXPECT_EQ(in.Length(), 300);
    std::vector<std::uint8_t> back(300);
    in.Read(back.data(), 299);
    EXPECT_EQ(in.Position(), 299);
    in.Read(back.data() + 299, 1);
    EXPECT_EQ(back, bytes);
    // Reading past the end is a failure, not a short read.
    std::uint8_t extra = 0;
    EXPECT_EQ(FailureKind([&] { in.Read(&extra, 1); }), host::FileErrorKind::Other);
    in.Close();
    host::DeleteFile(path); // closed means closed: nothing holds the file any more
}

TEST_F(Files, ReservedSpaceDoesNotLengthenTheFile) {
    // A file cut short (a failed write, the program closed mid-batch) must end where its data ends.
    const std::string path = dir.File("reserved");
    const auto data = RandomBytes(5000, 9);
    {
        host::OutputFile out(path);
        out.Reserve(1 << 20);
        EXPECT_EQ(host::FileLength(path), 0);
        out.Write(data.data(), data.size());
        out.Close();
    }
    EXPECT_EQ(ReadBytes(path), data);
}

TEST_F(Files, FolderInTheWayIsNoRefusedAccess) {
    // Windows answers "access denied" here; the batches must not show the write-protection message.
    const std::string folder = dir.File("out.rc4");
    fs::create_directory(PathFromUtf8(folder));
    EXPECT_EQ(FailureKind([&] { host::OutputFile out(folder); }), host::FileErrorKind::Other);
    EXPECT_EQ(FailureKind([&] { host::InputFile in(folder); }), host::FileErrorKind::Other);
    EXPECT_EQ(FailureKind([&] { host::InputFile in(dir.File("missing")); }), host::FileErrorKind::Other);
}

TEST_F(Files, NamesOutsideAsciiKeepEveryCharacter) {
    // Latin-1, outside Windows-1252, and outside the 16-bit range (a surrogate pair in UTF-16).
    for (const std::string name : {"Übersicht é.txt", "Ελληνικά.txt", "数据.txt", "emoji \xF0\x9F\x94\x92.txt"}) {
        SCOPED_TRACE(name);
        const std::string path = dir.File(name);
        const std::vector<std::uint8_t> bytes = RandomBytes(17, 3);
        host::OutputFile out(path);
        out.Write(bytes.data(), bytes.size());
        out.Close();
        EXPECT_TRUE(host::FileExists(path));
        EXPECT_EQ(ReadBytes(path), bytes);
        EXPECT_EQ(Nurdatei(path, host::PathSeparator()), name);
        bool listed = false;
        for (const auto& entry : fs::directory_iterator(dir.Path()))
            listed = listed || Utf8FromPath(entry.path().filename()) == name;
        EXPECT_TRUE(listed) << "the name on disk differs";
        host::DeleteFile(path);
        EXPECT_FALSE(host::FileExists(path));
    }
}

TEST_F(Files, SameFileSeesThroughOtherSpellings) {
    const std::string path = dir.File("one.txt");
    WriteBytes(path, {1});
    WriteBytes(dir.File("two.txt"), {1});
    fs::create_directory(PathFromUtf8(dir.File("sub")));
    const char sep = host::PathSeparator();
    const std::string dotted = dir.File("sub") + sep + ".." + sep + "one.txt";
    EXPECT_TRUE(host::SameFile(path, dotted));
    EXPECT_FALSE(host::SameFile(path, dir.File("two.txt")));
    EXPECT_FALSE(host::SameFile(path, dir.File("missing")));
}

} // namespace
