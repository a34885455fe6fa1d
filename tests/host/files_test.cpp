// The file layer on whichever system the tests run: what the batches rely on, the failure classes they
// tell apart, and names outside ASCII.

#include "support/temp_dir.h"

#include "host/files.h"

#include <filesystem>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

class Files : public ::testing::Test {
protected:
    TempDir dir;
};

template <typename Operation> host::FileErrorKind FailureKind(Operation operation) {
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

TEST_F(Files, ReadOnlyFileIsRemoved) {
    const std::string path = dir.File("locked.rc4");
    WriteBytes(path, {1, 2, 3});
    fs::permissions(PathFromUtf8(path), fs::perms::owner_read | fs::perms::group_read);
    const host::OutputFolder folder(path);
    folder.Remove();
    EXPECT_FALSE(fs::exists(PathFromUtf8(path)));
    EXPECT_EQ(FailureKind([&] { folder.Remove(); }), host::FileErrorKind::Other);
}

TEST_F(Files, OutputIsCreatedOnlyWhereNothingStandsAndReadsBackExactly) {
    const std::string path = dir.File("data");
    const std::vector<std::uint8_t> other = RandomBytes(5000, 1);
    WriteBytes(path, other);
    // Whatever took the name first, another program's file included, is neither shared nor emptied.
    EXPECT_EQ(FailureKind([&] { host::OutputFile out(path); }), host::FileErrorKind::Other);
    EXPECT_EQ(ReadBytes(path), other);
    host::OutputFolder(path).Remove();
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
    host::OutputFolder(path).Remove(); // closed means closed: nothing holds the file any more
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
#ifndef _WIN32
    // A file cut short by a failure (left without Close) gives back the space reserved past its end.
    const std::string partial = dir.File("partial");
    {
        host::OutputFile out(partial);
        out.Reserve(64 << 20);
        out.Write(data.data(), data.size());
    }
    struct stat st {};
    ASSERT_EQ(::stat(partial.c_str(), &st), 0);
    EXPECT_EQ(st.st_size, static_cast<off_t>(data.size()));
    EXPECT_LT(st.st_blocks * 512, 1 << 20) << "reserved space stayed allocated";
#endif
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
    for (const std::string name :
         {"Übersicht é.txt", "Ελληνικά.txt", "数据.txt", "emoji \xF0\x9F\x94\x92.txt"}) {
        SCOPED_TRACE(name);
        const std::string path = dir.File(name);
        const std::vector<std::uint8_t> bytes = RandomBytes(17, 3);
        host::OutputFile out(path);
        out.Write(bytes.data(), bytes.size());
        out.Close();
        EXPECT_TRUE(host::FileExists(path));
        EXPECT_EQ(ReadBytes(path), bytes);
        EXPECT_EQ(path.substr(path.rfind(host::PathSeparator()) + 1), name);
        bool listed = false;
        for (const auto& entry : fs::directory_iterator(dir.Path()))
            listed = listed || Utf8FromPath(entry.path().filename()) == name;
        EXPECT_TRUE(listed) << "the name on disk differs";
        // The file layer's own listing names it alike, and nothing else ("." and ".." left out).
        EXPECT_EQ(host::FolderEntries(Utf8FromPath(dir.Path())), std::vector<std::string>{name});
        host::OutputFolder(path).Remove();
        EXPECT_FALSE(host::FileExists(path));
    }
}

TEST_F(Files, LeadsToSeesThroughSpellingsAndLinksButNotHardLinks) {
    const std::string path = dir.File("one.txt");
    WriteBytes(path, {1});
    WriteBytes(dir.File("two.txt"), {1});
    fs::create_directory(PathFromUtf8(dir.File("sub")));
    const char sep = host::PathSeparator();
    const std::string dotted = dir.File("sub") + sep + ".." + sep + "one.txt";
    EXPECT_TRUE(host::LeadsTo(dotted, path));
    EXPECT_FALSE(host::LeadsTo(path, dir.File("two.txt")));
    EXPECT_FALSE(host::LeadsTo(path, dir.File("missing")));
#ifndef _WIN32
    fs::create_symlink("one.txt", dir.File("link"));
    fs::create_hard_link(path, dir.File("hard"));
    EXPECT_TRUE(host::LeadsTo(dir.File("link"), path)) << "removing one.txt would take the link's data";
    EXPECT_FALSE(host::LeadsTo(path, dir.File("link"))) << "removing the link itself loses nothing";
    EXPECT_FALSE(host::LeadsTo(dir.File("hard"), path)) << "a hard link keeps the data";
#endif
}

#ifndef _WIN32
TEST_F(Files, EntriesAreLookedAtWithoutFollowingLinksOrOpeningThem) {
    WriteBytes(dir.File("file"), {1});
    fs::create_directory(dir.File("folder"));
    fs::create_symlink("file", dir.File("link"));
    fs::create_symlink("nowhere", dir.File("dangling"));
    ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = dir.File("socket");
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    socketPath.copy(address.sun_path, socketPath.size());
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const struct {
        const char* name;
        host::EntryKind kind;
    } cases[] = {{"missing", host::EntryKind::None},  {"file", host::EntryKind::File},
                 {"folder", host::EntryKind::Folder}, {"link", host::EntryKind::Link},
                 {"dangling", host::EntryKind::Link}, {"fifo", host::EntryKind::Special},
                 {"socket", host::EntryKind::Special}};
    for (const auto& c : cases)
        EXPECT_EQ(host::OutputFolder(dir.File(c.name)).Look().kind, c.kind) << c.name;
    EXPECT_EQ(host::OutputFolder("/dev/null").Look().kind, host::EntryKind::Special);
    // Reading never waits on a FIFO or opens a device; creating never goes through a link.
    for (const char* name : {"fifo", "socket"})
        EXPECT_EQ(FailureKind([&] { host::InputFile in(dir.File(name)); }), host::FileErrorKind::Other)
            << name;
    EXPECT_EQ(FailureKind([&] { host::InputFile in("/dev/zero"); }), host::FileErrorKind::Other);
    EXPECT_EQ(FailureKind([&] { host::OutputFile out(dir.File("dangling")); }), host::FileErrorKind::Other);
    EXPECT_FALSE(fs::exists(dir.File("nowhere")));
    ::close(sock);

    // Removing a link leaves its target as it was.
    fs::permissions(dir.File("file"), fs::perms::owner_read);
    host::OutputFolder(dir.File("link")).Remove();
    EXPECT_EQ(fs::status(dir.File("file")).permissions(), fs::perms::owner_read);
    EXPECT_TRUE(fs::exists(dir.File("file")));
}
#endif

} // namespace
