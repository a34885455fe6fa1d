// The file layer on whichever system the tests run: what the batches rely on, the failure classes they
// tell apart, and names outside ASCII.

#include "support/temp_dir.h"
#include "write_output.h"

#include "host/files.h"
#include "host/system_reasons.h"
#include "host/temporary_name.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#else
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

// The names in the folder, "." and ".." left out.
std::vector<std::string> Names(const TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.Path()))
        names.push_back(Utf8FromPath(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
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

TEST_F(Files, ReadOnlyFileIsReplaced) {
    const std::string path = dir.File("locked.rc4");
    WriteBytes(path, {1, 2, 3});
    fs::permissions(PathFromUtf8(path), fs::perms::owner_read | fs::perms::group_read);
    WriteOutput(path, {4, 5});
    EXPECT_EQ(ReadBytes(path), (std::vector<std::uint8_t>{4, 5}));
    EXPECT_EQ(Names(dir), std::vector<std::string>{"locked.rc4"});
}

TEST_F(Files, AnOldFileStaysAsItWasUntilTheOutputIsCommitted) {
    const std::string path = dir.File("data");
    const std::vector<std::uint8_t> old = RandomBytes(5000, 1);
    WriteBytes(path, old);
    const std::vector<std::uint8_t> bytes = RandomBytes(300, 2);
    for (const bool commit : {false, true}) {
        SCOPED_TRACE(commit ? "committed without replacing" : "never committed");
        const host::OutputFolder folder(path);
        std::string temporary;
        {
            host::OutputFile out(folder);
            temporary = dir.File(out.TemporaryName());
            EXPECT_NE(out.TemporaryName().find("data.tessarin-"), std::string::npos) << out.TemporaryName();
            out.Write(bytes.data(), bytes.size());
            out.Flush();
            EXPECT_EQ(ReadBytes(path), old);
            EXPECT_EQ(host::FileLength(temporary), static_cast<std::int64_t>(bytes.size()));
            // Whatever took the name first, another program's file included, is only replaced when asked.
            if (commit) {
                EXPECT_EQ(FailureKind([&] { out.Commit(false); }), host::FileErrorKind::Other);
            }
        }
        EXPECT_EQ(ReadBytes(path), old);
        EXPECT_EQ(Names(dir), std::vector<std::string>{"data"}) << "the temporary file stayed";
    }
    // The first writer of a new name takes it; the second, not asked to replace, leaves it as it is.
    const std::string fresh = dir.File("fresh");
    WriteOutput(fresh, bytes, false);
    EXPECT_EQ(FailureKind([&] { WriteOutput(fresh, old, false); }), host::FileErrorKind::Other);
    EXPECT_EQ(ReadBytes(fresh), bytes);
    fs::remove(PathFromUtf8(fresh));

    {
        const host::OutputFolder folder(path);
        host::OutputFile out(folder);
        out.Write(bytes.data(), 100);
        out.Write(bytes.data() + 100, 200);
        out.Flush();
        out.Commit(true);
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
    in.CheckUnchanged();
    in.Close();
    WriteOutput(path, old); // closed means closed: nothing holds the file any more
    EXPECT_EQ(ReadBytes(path), old);
}

TEST_F(Files, OutputsInProgressAreDiscardedAndNeverTakeTheirNames) {
    // The window closed during a batch: what is committed stays, what is not goes, and the process ends.
    const std::vector<std::uint8_t> old = RandomBytes(700, 5);
    WriteBytes(dir.File("b"), old);
    const host::OutputFolder a(dir.File("a")), b(dir.File("b"));
    host::OutputFile done(a), pending(b);
    const std::vector<std::uint8_t> bytes = RandomBytes(900, 6);
    for (host::OutputFile* out : {&done, &pending}) {
        out->Write(bytes.data(), bytes.size());
        out->Flush();
    }
    done.Commit(true);
    host::DiscardOutputsInProgress();
    EXPECT_EQ(FailureKind([&] { pending.Commit(true); }), host::FileErrorKind::Other);
    EXPECT_EQ(ReadBytes(dir.File("a")), bytes);
    EXPECT_EQ(ReadBytes(dir.File("b")), old);
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"a", "b"}));
}

TEST_F(Files, AnInputIsReadFromTheOutputsFolder) {
    // The name is looked up where the output goes, whatever folder the path names: a folder swapped
    // meanwhile cannot make them two.
    const std::vector<std::uint8_t> bytes = RandomBytes(40, 7);
    fs::create_directory(PathFromUtf8(dir.File("sub")));
    const std::string sub = dir.File("sub") + host::PathSeparator();
    WriteBytes(sub + "in.txt", bytes);
    WriteBytes(dir.File("in.txt"), {1});
    const host::OutputFolder folder(sub + "in.txt.rc4");
    EXPECT_EQ(folder.Identity(), host::IdentityOf(dir.File("sub"), true));
    host::InputFile in(folder, dir.File("in.txt"));
    EXPECT_EQ(in.Length(), 40);
    EXPECT_EQ(in.Identity(), host::IdentityOf(sub + "in.txt", true));
    std::vector<std::uint8_t> back(40);
    in.Read(back.data(), back.size());
    EXPECT_EQ(back, bytes);
    in.CheckUnchanged();
}

#ifndef _WIN32
// (On Windows the reader shares no writing; a change of the file's time is checked there.)
TEST_F(Files, AFileWrittenWhileReadIsNoticed) {
    const std::string path = dir.File("growing");
    WriteBytes(path, RandomBytes(100, 5));
    host::InputFile in(path);
    std::vector<std::uint8_t> back(100);
    in.Read(back.data(), back.size());
    in.CheckUnchanged();
    {
        std::ofstream more(PathFromUtf8(path), std::ios::binary | std::ios::app);
        more << 'x';
    }
    try {
        in.CheckUnchanged();
        ADD_FAILURE() << "a grown file passed for unchanged";
    } catch (const host::FileError& e) {
        EXPECT_EQ(e.Path(), path);
        EXPECT_EQ(e.Reason(), host::reasons::ChangedWhileRead);
    }
}
#endif

TEST_F(Files, TemporaryNamesStayWithinTheLimitOfANameAndNeverCutACharacter) {
    std::string umlauts;
    for (int i = 0; i < 120; ++i)
        umlauts += "\xC3\xA4";
    for (const std::string& name : {std::string("kurz.txt"), umlauts}) {
        const std::string temporary = host::TemporaryName(name);
        EXPECT_LE(temporary.size(), 255u);
        EXPECT_TRUE(host::IsTemporaryName(temporary)) << temporary;
        const std::string kept = temporary.substr(0, temporary.find(".tessarin-"));
        EXPECT_EQ(name.rfind(kept, 0), 0u);
        EXPECT_EQ(kept.size() % 2, 0u) << "an umlaut was cut in half";
        EXPECT_NE(host::TemporaryName(name), temporary) << "two outputs would share a name";
    }
    EXPECT_FALSE(host::IsTemporaryName("bericht.pdf.rc4"));
}

TEST_F(Files, ReservedSpaceDoesNotLengthenTheFile) {
    // A file cut short (a failed write, the program closed mid-batch) must end where its data ends.
    const std::string path = dir.File("reserved");
    const auto data = RandomBytes(5000, 9);
    const host::OutputFolder folder(path);
    {
        host::OutputFile out(folder);
        out.Reserve(1 << 20);
        EXPECT_EQ(host::FileLength(dir.File(out.TemporaryName())), 0);
        out.Write(data.data(), data.size());
        out.Flush();
        out.Commit(true);
    }
    EXPECT_EQ(ReadBytes(path), data);
#ifndef _WIN32
    // Of a long file announced, at most a step is set aside beyond what was written: what a killed run
    // leaves behind.
    host::OutputFile out(folder);
    out.Reserve(std::int64_t{1} << 30);
    out.Write(data.data(), data.size());
    struct stat st {};
    ASSERT_EQ(::stat(dir.File(out.TemporaryName()).c_str(), &st), 0);
    EXPECT_EQ(st.st_size, static_cast<off_t>(data.size()));
    EXPECT_LE(st.st_blocks * 512, host::OutputFile::ReserveStep + (1 << 20)) << "reserved the whole length";
#else
    host::OutputFile out(folder);
    out.Reserve(std::int64_t{1} << 30);
    out.Write(data.data(), data.size());
    const HANDLE query = ::CreateFileW(PathFromUtf8(dir.File(out.TemporaryName())).c_str(), 0,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                       OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(query, INVALID_HANDLE_VALUE);
    FILE_STANDARD_INFO info{};
    ASSERT_TRUE(::GetFileInformationByHandleEx(query, FileStandardInfo, &info, sizeof info));
    ::CloseHandle(query);
    EXPECT_EQ(info.EndOfFile.QuadPart, static_cast<LONGLONG>(data.size()));
    EXPECT_LE(info.AllocationSize.QuadPart, host::OutputFile::ReserveStep + (1 << 20))
        << "reserved the whole length";
#endif
}

TEST_F(Files, FolderInTheWayIsNoRefusedAccess) {
    // Windows answers "access denied" here; the batches must not show the write-protection message.
    const std::string folder = dir.File("out.rc4");
    fs::create_directory(PathFromUtf8(folder));
    EXPECT_EQ(FailureKind([&] { WriteOutput(folder, {1}); }), host::FileErrorKind::Other);
    EXPECT_TRUE(fs::is_directory(PathFromUtf8(folder)));
    EXPECT_EQ(Names(dir), std::vector<std::string>{"out.rc4"}) << "the temporary file stayed";
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
        WriteOutput(path, bytes);
        EXPECT_TRUE(host::FileExists(path));
        EXPECT_EQ(ReadBytes(path), bytes);
        EXPECT_EQ(path.substr(path.rfind(host::PathSeparator()) + 1), name);
        bool listed = false;
        for (const auto& entry : fs::directory_iterator(dir.Path()))
            listed = listed || Utf8FromPath(entry.path().filename()) == name;
        EXPECT_TRUE(listed) << "the name on disk differs";
        // The file layer's own listing names it alike, and nothing else ("." and ".." left out).
        EXPECT_EQ(host::FolderEntries(Utf8FromPath(dir.Path())), std::vector<std::string>{name});
        fs::remove(PathFromUtf8(path));
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
    ::close(sock);
    // A new output replaces a link itself: its target is neither written nor created.
    WriteOutput(dir.File("dangling"), {1});
    EXPECT_FALSE(fs::exists(dir.File("nowhere")));
    EXPECT_FALSE(fs::is_symlink(dir.File("dangling")));
    fs::permissions(dir.File("file"), fs::perms::owner_read);
    WriteOutput(dir.File("link"), {2});
    EXPECT_EQ(fs::status(dir.File("file")).permissions(), fs::perms::owner_read);
    EXPECT_EQ(ReadBytes(dir.File("file")), std::vector<std::uint8_t>{1});
    // Never over a FIFO or socket.
    for (const char* name : {"fifo", "socket"})
        EXPECT_EQ(FailureKind([&] { WriteOutput(dir.File(name), {3}); }), host::FileErrorKind::Other) << name;
}
#endif

} // namespace
